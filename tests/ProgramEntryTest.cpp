#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "ProgramEntry.h"
#include "ScriptedUserInterface.h"

TEST(ProgramEntryTest, QuitReturnsZeroAndPrintsNothing)
{
    UiScript script;
    script.menu = {&GameManager::quit};
    std::ostringstream out;
    EXPECT_EQ(runProgram(script.factory(), out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(script.trace, "menu, destroyed");
}

// A failing factory also shows, in the sanitizer build, that the manager frees the grid and the
// checker it made before: its destructor does not run then.
TEST(ProgramEntryTest, RuntimeErrorIsPrintedAsOneLineOnceTheManagerIsGoneAndReturnsOne)
{
    std::ostringstream out;
    EXPECT_EQ(runProgram([](GameManager&) -> UserInterface* { throw std::range_error("no font\n"); }, out), 1);
    EXPECT_EQ(out.str(), "ERROR: no font\n\n");

    UiScript script;
    std::ostringstream late;
    script.onDestroy = [&] { script.log("printed '" + late.str() + "'"); };
    script.menu = {&GameManager::playGame};
    script.moves = {[](GameManager&) { throw std::runtime_error("lost the window"); }};
    EXPECT_EQ(runProgram(script.factory(), late), 1);
    EXPECT_EQ(script.trace, "menu, move, destroyed, printed ''");
    EXPECT_EQ(late.str(), "ERROR: lost the window\n");
}
