#include "ScriptedInput.h"

#include <cstdlib>
#include <stdexcept>

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace scripted_input {

namespace {

InputScript* liveScript = nullptr;

// A program waiting on after its script has run out would hang the suite: after this many idle
// pauses the test fails and asks the window to close; after as many again, the process ends.
constexpr int IDLE_PAUSES_BEFORE_FAILING = 100000;

SDL_Event keyEvent(Uint8 type, SDLKey key)
{
    SDL_Event event{};
    event.key.type = type;
    event.key.keysym.sym = key;
    return event;
}

void push(SDL_Event event)
{
    EXPECT_EQ(SDL_PushEvent(&event), 0) << "the event queue is full: " << SDL_GetError();
}

}  // namespace

SDL_Event keyUp(SDLKey key)
{
    return keyEvent(SDL_KEYUP, key);
}
SDL_Event keyDown(SDLKey key)
{
    return keyEvent(SDL_KEYDOWN, key);
}
SDL_Event quitRequest()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}
SDL_Event focusChange(Uint8 state, bool gained)
{
    SDL_Event event{};
    event.active = {SDL_ACTIVEEVENT, Uint8(gained ? 1 : 0), state};
    return event;
}
SDL_Event clickOnSlot(int slot)
{
    return buttonUp(SDL_BUTTON_LEFT, Uint16((2 * slot + 1) * 640 / (2 * 7)), 300);
}

SDL_Event buttonUp(Uint8 button, Uint16 x, Uint16 y)
{
    SDL_Event event{};
    event.button = {SDL_MOUSEBUTTONUP, 0, button, SDL_RELEASED, x, y};
    return event;
}

SDL_Event motion(Uint16 x, Uint16 y)
{
    SDL_Event event{};
    event.motion = {SDL_MOUSEMOTION, 0, 0, x, y, 0, 0};
    return event;
}

InputScript::InputScript()
{
    if (liveScript != nullptr)
        throw std::logic_error("a second InputScript while one is live");
    liveScript = this;
}

InputScript::~InputScript()
{
    liveScript = nullptr;
}

InputScript& InputScript::then(const std::vector<SDL_Event>& events, int pausesToSkip)
{
    steps_.emplace_back(events, pausesToSkip);
    return *this;
}

void InputScript::onPause(Uint32 milliseconds)
{
    pauses_.push_back(milliseconds);
    if (watcher_)
        watcher_(milliseconds);
    if (finished()) {
        if (++idlePauses_ % IDLE_PAUSES_BEFORE_FAILING == 0) {
            ADD_FAILURE() << "the program still waits for input after the script has run out";
            if (idlePauses_ > IDLE_PAUSES_BEFORE_FAILING)
                std::_Exit(3);
            push(quitRequest());
        }
    } else if (skipped_ < steps_[next_].second) {
        ++skipped_;
    } else {
        for (const SDL_Event& event : steps_[next_++].first)
            push(event);
        skipped_ = 0;
    }
}

}  // namespace scripted_input

// For the whole test binary, the program's code included.
extern "C" void SDL_Delay(Uint32 ms)
{
    if (scripted_input::liveScript != nullptr)
        return scripted_input::liveScript->onPause(ms);
    using Delay = void (*)(Uint32);
    static const Delay sdlDelay = reinterpret_cast<Delay>(dlsym(RTLD_NEXT, "SDL_Delay"));
    sdlDelay(ms);
}
