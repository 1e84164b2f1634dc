#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "GameManager.h"
#include "ScriptedUserInterface.h"

namespace {

using Cells = std::vector<std::int32_t>;

std::tuple<std::string, std::int32_t, int, int, int, char> fields(const Player& player)
{
    return std::make_tuple(player.name, player.id, player.r, player.g, player.b, player.symbol);
}

// A refused drop called directly: it must change neither the board nor whose turn it is.
Script::Action expectRefused(std::uint16_t slot)
{
    return [slot](GameManager& manager) {
        const Cells before = cellsOf(manager.getGrid());
        const std::int32_t mover = manager.getCurrentPlayer().id;
        EXPECT_THROW(manager.dropInSlot(slot), GameManager::IllegalSlotError) << "slot " << slot;
        EXPECT_EQ(cellsOf(manager.getGrid()), before) << "slot " << slot;
        EXPECT_EQ(manager.getCurrentPlayer().id, mover) << "slot " << slot;
    };
}

}  // namespace

TEST(GameManagerTest, UserInterfaceIsBuiltLastAndDestroyedThroughTheInterface)
{
    Script script;
    bool factoryRan = false;
    {
        const GameManager manager([&](GameManager& self) -> UserInterface* {
            factoryRan = true;
            EXPECT_EQ(self.getGrid().getRows(), 5);
            EXPECT_EQ(self.getGrid().getSlots(), 7);
            EXPECT_EQ(cellsOf(self.getGrid()), Cells(35, 0));
            const std::map<std::int32_t, Player>& players = self.getPlayers();
            EXPECT_EQ(players.size(), 3U);
            EXPECT_EQ(fields(players.at(1)), fields({"Player 1", 1, 255, 52, 52, 'O'}));
            EXPECT_EQ(fields(players.at(5)), fields({"Player 2", 5, 128, 128, 255, 'X'}));
            EXPECT_EQ(fields(players.at(-1)), fields({"NO_WINNER", -1, 0, 0, 0, ' '}));
            EXPECT_FALSE(self.isRunning());
            EXPECT_FALSE(self.hasQuit());
            return new ScriptedUserInterface(self, script);
        });
        EXPECT_TRUE(factoryRan);
        EXPECT_TRUE(script.events.empty());
    }
    EXPECT_EQ(script.trace(), "destroyed");
}

TEST(GameManagerTest, TurnsAlternateAndEveryGameStartsWithPlayer1OnAnEmptyBoard)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    // The first game ends with Player 2 to move; the second must start with Player 1 all the same.
    act::dropAll(script, "012");
    script.moves.push_back(act::abandonGame);
    script.moves.push_back(act::both(
        [&script](GameManager& self) {
            if (cellsOf(self.getGrid()) == Cells(35, 0))
                script.log("empty board");
        },
        act::drop(script, 3)));
    act::dropAll(script, "34");
    script.moves.push_back(act::quit);

    manager.run();

    EXPECT_EQ(script.trace(), "menu, move, 0<-1, move, 1<-5, move, 2<-1, move, menu, "
                              "move, empty board, 3<-1, move, 3<-5, move, 4<-1, move");
    EXPECT_EQ(manager.getGrid().getCell(0, 0), 0);
}

TEST(GameManagerTest, RefusedMovesKeepTheBoardAndTheTurn)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::quit};
    act::dropAll(script, "22222");  // slot 2 full: Player 2 to move
    for (const std::uint16_t slot : {7, 2, 65535})
        script.moves.push_back(expectRefused(slot));
    act::dropAll(script, "72");
    script.moves.push_back([](GameManager&) {});  // a move without any drop keeps the turn as well
    act::dropAll(script, "3");
    script.moves.push_back(act::abandonGame);

    manager.run();

    EXPECT_EQ(script.trace(), "menu, move, 2<-1, move, 2<-5, move, 2<-1, move, 2<-5, move, 2<-1, move, move, "
                              "move, move, 7 refused, move, 2 refused, move, move, 3<-5, move, menu");
}

TEST(GameManagerTest, LineOfFourEndsTheGameAndTheOtherPlayerIsShownOnce)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    act::dropAll(script, "0101010");   // Player 1 stacks four in slot 0
    act::dropAll(script, "06163646");  // Player 2 stacks four in slot 6; 1 1 . 1 1 is no line

    manager.run();

    ASSERT_EQ(script.winners.size(), 2U);
    EXPECT_EQ(script.winners[0], &manager.getPlayers().at(5));
    EXPECT_EQ(script.winners[1], &manager.getPlayers().at(1));
    EXPECT_EQ(script.runningAtShowWinner, std::vector<bool>({false, false}));
    EXPECT_FALSE(manager.isRunning());
    EXPECT_EQ(script.trace(), "menu, move, 0<-1, move, 1<-5, move, 0<-1, move, 1<-5, move, 0<-1, move, 1<-5, "
                              "move, 0<-1, winner Player 2, menu, move, 0<-1, move, 6<-5, move, 1<-1, move, "
                              "6<-5, move, 3<-1, move, 6<-5, move, 4<-1, move, 6<-5, winner Player 1, menu");
}

TEST(GameManagerTest, FullBoardEndsWithoutAWinnerEvenWhenTheLastTokenMakesALine)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    // Both fill all 35 cells without a line before the last token; in the second, the last token
    // (Player 1's) completes a rising line from (0,1) to (3,4).
    act::dropAll(script, "31161456510502614066500534422343232");
    act::dropAll(script, "31161456510502614066500543232324423");

    manager.run();

    ASSERT_EQ(script.winners.size(), 2U);
    EXPECT_EQ(script.winners[0], &manager.getPlayers().at(-1));
    EXPECT_EQ(script.winners[1], &manager.getPlayers().at(-1));
    EXPECT_EQ(std::count(script.events.begin(), script.events.end(), "move"), 70);
    EXPECT_EQ(std::vector<std::string>(script.events.end() - 3, script.events.end()),
              std::vector<std::string>({"3<-1", "winner NO_WINNER", "menu"}));
}

TEST(GameManagerTest, AbandonedGameReturnsToTheMenuAndShowsOnlyADecidedPosition)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    act::dropAll(script, "0");
    script.moves.push_back(act::both(act::drop(script, 1), act::abandonGame));
    // Abandoning in the same move that completed a line: the position is still judged and shown.
    act::dropAll(script, "010101");
    script.moves.push_back(act::both(act::drop(script, 0), act::abandonGame));

    manager.run();

    EXPECT_EQ(script.trace(), "menu, move, 0<-1, move, 1<-5, menu, move, 0<-1, move, 1<-5, move, 0<-1, move, "
                              "1<-5, move, 0<-1, move, 1<-5, move, 0<-1, winner Player 2, menu");
}

TEST(GameManagerTest, QuitEndsRunFromInsideAMoveOrFromTheMenuOrBeforeItStarts)
{
    {
        Script script;
        GameManager manager(script.factory());
        script.menu = {act::playGame};
        act::dropAll(script, "3");
        script.moves.push_back(act::quit);
        manager.run();
        EXPECT_EQ(script.trace(), "menu, move, 3<-1, move");
        EXPECT_TRUE(manager.hasQuit());
        EXPECT_FALSE(manager.isRunning());
    }
    {
        Script script;
        GameManager manager(script.factory());
        script.menu = {act::quit};
        manager.run();
        EXPECT_EQ(script.trace(), "menu");
    }
    Script script;
    GameManager manager(script.factory());
    manager.quit();
    manager.run();
    EXPECT_TRUE(script.events.empty());
}
