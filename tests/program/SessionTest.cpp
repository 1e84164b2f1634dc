#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "ProgramEntry.h"
#include "support/ScriptedInput.h"

// Whole runs of the program as main starts it, with the user's input scripted.
namespace {

using namespace scripted_input;

// Runs the program as main does: it must end with status 0, nothing on standard output and SDL
// stopped.
void expectCleanRun(const InputScript& script)
{
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

// Two games through the menu, then a third closed with the window during a move. Whatever a game
// leaves behind, the sanitizer build's leak checker reports when the process ends.
TEST(SessionTest, PlaysGamesThroughTheMenuUntilTheWindowIsClosed)
{
    InputScript script;
    for (int game = 0; game < 2; ++game) {
        // "start new game"; after the first game, once the outcome screen's last frame (one pause) is over.
        script.then({keyUp(SDLK_RETURN)}, game == 0 ? 0 : 1);
        for (const int slot : {0, 1, 0, 1, 0, 1, 0})
            script.then({clickOnSlot(slot)});
        script.then({keyUp(SDLK_SPACE)}, 2);  // once the outcome screen's grace period is over
    }
    script.then({buttonUp(SDL_BUTTON_LEFT, 320, 200)}, 1);  // "start new game", highlighted at 146-229
    script.then({clickOnSlot(3)}).then({quitRequest()});
    expectCleanRun(script);
    EXPECT_EQ(std::count(script.pauses().begin(), script.pauses().end(), 100u), 2) << "one outcome screen a game";
}

// With no display at all SDL would still start, on a driver that shows nothing, and the game would
// wait for a player who cannot see it; asked for by name, that driver is fine.
TEST(SessionTest, StopsWithAClearMessageWhenThereIsNoDisplay)
{
    InputScript script;  // for the second run; the first must not wait for it
    script.then({keyUp(SDLK_ESCAPE)});
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 1);
    EXPECT_EQ(out.str(), "ERROR: no display available: the game needs a graphical desktop "
                         "(is DISPLAY set to an X server you can reach?)\n");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    expectCleanRun(script);
}

}  // namespace
