#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "ProgramEntry.h"
#include "ScriptedUserInterface.h"

namespace {

template <typename Error>
GameManager::UserInterfaceFactory failingFactory(const std::string& text)
{
    return [text](GameManager&) -> UserInterface* { throw Error(text); };
}

}  // namespace

TEST(ProgramEntryTest, QuitFromTheMenuPrintsNothingAndReturnsZero)
{
    Script script;
    script.menu = {act::quit};
    std::ostringstream out;
    EXPECT_EQ(runProgram(script.factory(), out), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(script.trace(), "menu, destroyed");
}

TEST(ProgramEntryTest, StartUpErrorIsReportedAsOneLineAndReturnsOne)
{
    // The text is passed on unchanged (a trailing newline leaves an empty line), and exceptions
    // derived from std::runtime_error are reported the same way.
    const struct {
        GameManager::UserInterfaceFactory factory;
        const char* printed;
    } cases[] = {{failingFactory<std::runtime_error>("failed to initialize SDL_ttf"),
                  "ERROR: failed to initialize SDL_ttf\n"},
                 {failingFactory<std::runtime_error>("no font\n"), "ERROR: no font\n\n"},
                 {failingFactory<std::range_error>("out of range"), "ERROR: out of range\n"}};
    for (const auto& error : cases) {
        std::ostringstream out;
        EXPECT_EQ(runProgram(error.factory, out), 1);
        EXPECT_EQ(out.str(), error.printed);
    }
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
    EXPECT_THROW(runProgram(failingFactory<std::logic_error>("a bug"), out), std::logic_error);
    // A refused move that escapes the user interface is a fault of the front end, not a report.
    Script script;
    script.menu = {act::playGame};
    script.moves.push_back([](GameManager& manager) { manager.dropInSlot(7); });
    EXPECT_THROW(runProgram(script.factory(), out), GameManager::IllegalSlotError);
    EXPECT_EQ(script.events.back(), "destroyed");
    EXPECT_EQ(out.str(), "");
}
