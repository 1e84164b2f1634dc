#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "ProgramEntry.h"
#include "ScriptedUserInterface.h"

namespace {

GameManager::UserInterfaceFactory failingFactory(const std::string& text)
{
    return [text](GameManager&) -> UserInterface* { throw std::runtime_error(text); };
}

}  // namespace

TEST(ProgramEntryTest, QuitFromTheMenuPrintsNothingAndReturnsZero)
{
    Script script;
    script.menu = {act::quit};
    std::ostringstream out;
    EXPECT_EQ(runProgram(script.factory(), out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(script.events, std::vector<std::string>({"menu", "destroyed"}));
}

TEST(ProgramEntryTest, StartUpErrorIsReportedAsOneLineAndReturnsOne)
{
    std::ostringstream out;
    EXPECT_EQ(runProgram(failingFactory("failed to initialize SDL_ttf"), out), 1);
    EXPECT_EQ(out.str(), "ERROR: failed to initialize SDL_ttf\n");

    // The text is passed on unchanged, so one that ends in a newline leaves an empty line.
    std::ostringstream twoLines;
    EXPECT_EQ(runProgram(failingFactory("no font\n"), twoLines), 1);
    EXPECT_EQ(twoLines.str(), "ERROR: no font\n\n");

    // Exceptions derived from std::runtime_error are reported the same way.
    std::ostringstream derived;
    const auto throwsRangeError = [](GameManager&) -> UserInterface* { throw std::range_error("out of range"); };
    EXPECT_EQ(runProgram(throwsRangeError, derived), 1);
    EXPECT_EQ(derived.str(), "ERROR: out of range\n");
}

TEST(ProgramEntryTest, ErrorDuringAGameIsReportedAfterTheManagerIsGone)
{
    Script script;
    std::ostringstream out;
    std::string printedBeforeTeardown = "not torn down";
    script.onDestroy = [&] { printedBeforeTeardown = out.str(); };
    script.menu = {act::playGame};
    act::dropAll(script, "4");
    script.moves.push_back([](GameManager&) { throw std::runtime_error("lost the window"); });

    EXPECT_EQ(runProgram(script.factory(), out), 1);
    EXPECT_EQ(printedBeforeTeardown, "");
    EXPECT_EQ(out.str(), "ERROR: lost the window\n");
}

TEST(ProgramEntryTest, OtherExceptionsAreNotCaught)
{
    std::ostringstream out;
    const auto throwsLogicError = [](GameManager&) -> UserInterface* { throw std::logic_error("a bug"); };
    EXPECT_THROW(runProgram(throwsLogicError, out), std::logic_error);

    // A refused move that escapes the user interface is a fault of the front end, not a report.
    Script script;
    script.menu = {act::playGame};
    script.moves.push_back([](GameManager& manager) { manager.dropInSlot(7); });
    EXPECT_THROW(runProgram(script.factory(), out), GameManager::IllegalSlotError);
    EXPECT_EQ(script.count("destroyed"), 1);
    EXPECT_EQ(out.str(), "");
}
