#ifndef QUORLITZ_TESTS_SUPPORT_SCRIPTEDINPUT_H
#define QUORLITZ_TESTS_SUPPORT_SCRIPTEDINPUT_H

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include <SDL.h>

// The test binary defines SDL_Delay: while an InputScript lives, each pause the program takes on an
// empty queue is when the script pushes the next input, and no time passes.
namespace scripted_input {

SDL_Event keyUp(SDLKey key);
SDL_Event keyDown(SDLKey key);
SDL_Event buttonUp(Uint8 button, Uint16 x, Uint16 y);
SDL_Event motion(Uint16 x, Uint16 y);
SDL_Event quitRequest();
SDL_Event focusChange(Uint8 state, bool gained);
SDL_Event clickOnSlot(int slot);  // the left button released over the middle of the slot's band

class InputScript {
public:
    InputScript();  // the new script is the live one; at most one lives at a time
    ~InputScript();
    InputScript(const InputScript&) = delete;
    InputScript& operator=(const InputScript&) = delete;

    // Pushes the events at the pause after the previous step's, or pausesToSkip pauses later.
    InputScript& then(const std::vector<SDL_Event>& events, int pausesToSkip = 0);
    void watch(const std::function<void(Uint32)>& watcher) { watcher_ = watcher; }
    const std::vector<Uint32>& pauses() const { return pauses_; }  // each pause's length, in order
    bool finished() const { return next_ == steps_.size(); }
    void onPause(Uint32 milliseconds);  // called by this binary's SDL_Delay

private:
    std::vector<std::pair<std::vector<SDL_Event>, int>> steps_;  // the events, the pauses to skip
    std::size_t next_ = 0;
    int skipped_ = 0, idlePauses_ = 0;
    std::vector<Uint32> pauses_;
    std::function<void(Uint32)> watcher_;
};

}  // namespace scripted_input

#endif
