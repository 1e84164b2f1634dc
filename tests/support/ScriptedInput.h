#ifndef QUORLITZ_TESTS_SUPPORT_SCRIPTEDINPUT_H
#define QUORLITZ_TESTS_SUPPORT_SCRIPTEDINPUT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <SDL.h>

#include "GameManager.h"

// The test binary defines SDL_Delay itself. While an InputScript is alive, every pause that the
// program takes because it found the event queue empty becomes the moment at which the script
// hands it the user's next input, pushed with SDL_PushEvent; no real time passes. So the loops that
// throw stale events away first still see the scripted ones, each exactly when it waits for the
// user, in the same order every run. Without a live script, SDL_Delay sleeps as SDL's own does.
namespace scripted_input {

SDL_Event keyUp(SDLKey key);
SDL_Event keyDown(SDLKey key);
SDL_Event buttonUp(Uint8 button, Uint16 x, Uint16 y);
SDL_Event motion(Uint16 x, Uint16 y);
SDL_Event quitRequest();
SDL_Event focusChange(Uint8 state,
                      bool gained);  // the pointer (SDL_APPMOUSEFOCUS) or the keys entering or leaving
SDL_Event clickOnSlot(int slot);  // the left button released over the middle of a slot's band of the window
int pendingEvents(Uint32 mask = SDL_ALLEVENTS);   // how many events of the mask wait, left in the queue
UserInterface* openWindow(GameManager& manager);  // the program's own front end

class InputScript {
public:
    InputScript();  // the new script is the live one; at most one lives at a time
    ~InputScript();
    InputScript(const InputScript&) = delete;
    InputScript& operator=(const InputScript&) = delete;

    // Pushes events together at a later pause: the first pause after the previous step's, or
    // pausesToSkip pauses after that. Steps run in the order they are added.
    InputScript& then(const std::vector<SDL_Event>& events, int pausesToSkip = 0);
    // Called at every pause, before any event is pushed: lets a benchmark see the program waiting.
    void watch(const std::function<void(Uint32)>& watcher) { watcher_ = watcher; }
    const std::vector<Uint32>& pauses() const { return pauses_; }  // each pause's length, in order
    bool finished() const { return next_ == steps_.size(); }
    // How far apart in the stack the pauses were taken: shows whether waiting for input nests.
    std::uintptr_t stackSpread() const { return shallowest_ - deepest_; }
    void onPause(Uint32 milliseconds);  // called by this binary's SDL_Delay

private:
    std::vector<std::pair<std::vector<SDL_Event>, int>> steps_;  // the events, the pauses to skip
    std::size_t next_ = 0;
    int skipped_ = 0, idlePauses_ = 0;
    std::vector<Uint32> pauses_;
    std::uintptr_t deepest_ = UINTPTR_MAX, shallowest_ = 0;
    std::function<void(Uint32)> watcher_;
};

}  // namespace scripted_input

#endif
