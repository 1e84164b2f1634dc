#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "ProgramEntry.h"
#include "support/ScriptedInput.h"

// Whole runs of the program as main starts it, with the user's input scripted.
namespace {

using namespace scripted_input;

// A game through the menu, then a second one closed with the window during a move. Whatever a
// game leaves behind, the sanitizer build's leak checker reports when the process ends.
TEST(SessionTest, PlaysGamesThroughTheMenuUntilTheWindowIsClosed)
{
    InputScript script;
    script.then({keyUp(SDLK_RETURN)});  // "start new game"
    for (const int slot : {0, 1, 0, 1, 0, 1, 0})
        script.then({clickOnSlot(slot)});
    script.then({keyUp(SDLK_SPACE)}, 2);  // once the outcome screen's grace period is over
    // After the outcome screen's last frame (one pause), "start new game" again.
    script.then({keyUp(SDLK_RETURN)}, 1).then({clickOnSlot(3)}).then({quitRequest()});
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(script.finished());
}

// With no display at all SDL would still start, on a driver that shows nothing, and the game would
// wait for a player who cannot see it.
TEST(SessionTest, StopsWithAClearMessageWhenThereIsNoDisplay)
{
    InputScript script;  // so that a window opened all the same would quit instead of waiting
    script.then({keyUp(SDLK_ESCAPE)});
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 1);
    EXPECT_EQ(out.str(), "ERROR: no display available: the game needs a graphical desktop "
                         "(is DISPLAY set to an X server you can reach?)\n");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

}  // namespace
