#include "ScriptedInput.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "SdlUserInterface.h"

namespace scripted_input {

namespace {

InputScript* liveScript = nullptr;

// A program that waits on after its script has run out would otherwise hang the suite. After this
// many idle pauses the test fails and the window is asked to close, which ends every loop of the
// program; after as many again, the process ends.
constexpr int IDLE_PAUSES_BEFORE_FAILING = 100000;

SDL_Event blank(Uint8 type)
{
    SDL_Event event{};
    event.type = type;
    return event;
}

SDL_Event keyEvent(Uint8 type, SDLKey key)
{
    SDL_Event event = blank(type);
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
    return blank(SDL_QUIT);
}
SDL_Event focusChange(Uint8 state, bool gained)
{
    SDL_Event event = blank(SDL_ACTIVEEVENT);
    event.active = {SDL_ACTIVEEVENT, Uint8(gained ? 1 : 0), state};
    return event;
}
// The window is 640 pixels wide, a band of it for each of the 7 slots.
SDL_Event clickOnSlot(int slot)
{
    return buttonUp(SDL_BUTTON_LEFT, Uint16((2 * slot + 1) * 640 / (2 * 7)), 300);
}
UserInterface* openWindow(GameManager& manager)
{
    return new SdlUserInterface(&manager);
}

SDL_Event buttonUp(Uint8 button, Uint16 x, Uint16 y)
{
    SDL_Event event = blank(SDL_MOUSEBUTTONUP);
    event.button = {SDL_MOUSEBUTTONUP, 0, button, SDL_RELEASED, x, y};
    return event;
}

SDL_Event motion(Uint16 x, Uint16 y)
{
    SDL_Event event = blank(SDL_MOUSEMOTION);
    event.motion = {SDL_MOUSEMOTION, 0, 0, x, y, 0, 0};
    return event;
}

int pendingEvents(Uint32 mask)
{
    SDL_Event events[256];
    return SDL_PeepEvents(events, 256, SDL_PEEKEVENT, mask);
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
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    deepest_ = std::min(deepest_, frame);
    shallowest_ = std::max(shallowest_, frame);
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

// Takes the place of SDL's SDL_Delay for the whole test binary, the program's code included.
extern "C" void SDL_Delay(Uint32 ms)
{
    if (scripted_input::liveScript != nullptr)
        return scripted_input::liveScript->onPause(ms);
    using Delay = void (*)(Uint32);
    static const Delay sdlDelay = reinterpret_cast<Delay>(dlsym(RTLD_NEXT, "SDL_Delay"));
    sdlDelay(ms);
}
