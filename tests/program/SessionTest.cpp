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

}  // namespace
