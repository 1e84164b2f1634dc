#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "ProgramEntry.h"
#include "support/ScriptedInput.h"

// Whole runs of the program as main starts it, with the user's input scripted.
namespace {

using namespace scripted_input;

// Runs the program as main does: it must end with status 0 and nothing on standard output.
void expectCleanRun(const Script& script)
{
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(SessionTest, PlaysAGameToItsEndAndQuitsFromTheMenu)
{
    Script script;
    script.then({keyUp(SDLK_RETURN)});  // "start new game"
    for (const int slot : {0, 1, 0, 1, 0, 1, 0})
        script.then({clickOnSlot(slot)});
    // Player 1's fourth token in slot 0 loses; the outcome screen ends at a key release after its
    // grace period (two pauses), with one more frame (one pause), and the menu comes back.
    script.then({keyUp(SDLK_SPACE)}, 2).then({keyUp(SDLK_ESCAPE)}, 1);
    expectCleanRun(script);
    EXPECT_EQ(std::count(script.pauses().begin(), script.pauses().end(), 100u), 1) << "one outcome screen";
}

TEST(SessionTest, EndsWhenTheWindowIsClosedDuringAMoveOrByTheQuitEntry)
{
    {
        Script script;
        script.then({buttonUp(SDL_BUTTON_LEFT, 320, 200)});  // "start new game", highlighted at 146-229
        script.then({clickOnSlot(3)}).then({quitRequest()});
        expectCleanRun(script);
    }
    Script script;
    script.then({motion(320, 260)}).then({buttonUp(SDL_BUTTON_LEFT, 320, 220)});  // "quit program"
    expectCleanRun(script);
}

// With no display at all SDL would still start, on a driver that shows nothing, and the game would
// wait for a player who cannot see it; asked for by name, that driver is fine.
TEST(SessionTest, StopsWithAClearMessageWhenThereIsNoDisplay)
{
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 1);
    EXPECT_EQ(out.str(), "ERROR: no display available: the game needs a graphical desktop "
                         "(is DISPLAY set to an X server you can reach?)\n");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);

    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    Script script;
    script.then({keyUp(SDLK_ESCAPE)});
    expectCleanRun(script);
}

}  // namespace
