#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "GameGrid.h"
#include "GameManager.h"
#include "ScriptedUserInterface.h"

namespace {

using Events = std::vector<std::string>;

std::vector<std::int32_t> snapshot(const GameGrid& grid)
{
    std::vector<std::int32_t> cells;
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < grid.getRows(); ++row)
            cells.push_back(grid.getCell(slot, row));
    return cells;
}

void expectPlayer(const Player& player, const std::string& name, std::int32_t id, int r, int g, int b, char symbol)
{
    EXPECT_EQ(player.name, name);
    EXPECT_EQ(player.id, id);
    EXPECT_EQ(player.r, r);
    EXPECT_EQ(player.g, g);
    EXPECT_EQ(player.b, b);
    EXPECT_EQ(player.symbol, symbol);
}

// A refused drop called directly, to see that it changes neither the board nor whose turn it is.
Script::Action expectRefused(std::uint16_t slot)
{
    return [slot](GameManager& manager) {
        const std::vector<std::int32_t> before = snapshot(manager.getGrid());
        const std::int32_t mover = manager.getCurrentPlayer().id;
        EXPECT_THROW(manager.dropInSlot(slot), GameManager::IllegalSlotError) << "slot " << slot;
        EXPECT_EQ(snapshot(manager.getGrid()), before) << "slot " << slot;
        EXPECT_EQ(manager.getCurrentPlayer().id, mover) << "slot " << slot;
    };
}

// Repeats "move" before each of the given drop results, as the log shows one move per drop.
Events movesLogged(const std::vector<std::string>& drops)
{
    Events events;
    for (const std::string& drop : drops) {
        events.push_back("move");
        events.push_back(drop);
    }
    return events;
}

Events concat(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST(GameManagerTest, UserInterfaceIsBuiltLastAndDestroyedThroughTheInterface)
{
    Script script;
    bool factoryRan = false;
    {
        const GameManager manager([&](GameManager& self) -> UserInterface* {
            factoryRan = true;
            const GameGrid& grid = self.getGrid();
            EXPECT_EQ(grid.getRows(), 5);
            EXPECT_EQ(grid.getSlots(), 7);
            EXPECT_EQ(snapshot(grid), std::vector<std::int32_t>(35, 0));

            const std::map<std::int32_t, Player>& players = self.getPlayers();
            EXPECT_EQ(players.size(), 3U);
            expectPlayer(players.at(1), "Player 1", 1, 255, 52, 52, 'O');
            expectPlayer(players.at(5), "Player 2", 5, 128, 128, 255, 'X');
            expectPlayer(players.at(-1), "NO_WINNER", -1, 0, 0, 0, ' ');

            EXPECT_FALSE(self.isRunning());
            EXPECT_FALSE(self.hasQuit());
            return new ScriptedUserInterface(self, script);
        });
        EXPECT_TRUE(factoryRan);
        EXPECT_TRUE(script.events.empty());
    }
    EXPECT_EQ(script.events, Events{"destroyed"});
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
            if (snapshot(self.getGrid()) == std::vector<std::int32_t>(35, 0))
                script.log("empty board");
        },
        act::drop(script, 3)));
    act::dropAll(script, "34");
    script.moves.push_back(act::quit);

    manager.run();

    EXPECT_EQ(script.events, concat({{"menu"},
                                     movesLogged({"slot 0 <- 1", "slot 1 <- 5", "slot 2 <- 1"}),
                                     {"move", "menu", "move", "empty board", "slot 3 <- 1"},
                                     movesLogged({"slot 3 <- 5", "slot 4 <- 1"}),
                                     {"move"}}));
    EXPECT_EQ(manager.getGrid().getCell(3, 0), 1);
    EXPECT_EQ(manager.getGrid().getCell(3, 1), 5);
    EXPECT_EQ(manager.getGrid().getCell(0, 0), 0);
}

TEST(GameManagerTest, RefusedMovesKeepTheBoardAndTheTurn)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::quit};
    act::dropAll(script, "22222");  // slot 2 full: 1, 5, 1, 5, 1; Player 2 to move
    script.moves.push_back(expectRefused(7));
    script.moves.push_back(expectRefused(2));
    script.moves.push_back(expectRefused(65535));
    script.moves.push_back(act::drop(script, 7));
    script.moves.push_back(act::drop(script, 2));
    // A move that ends without any drop keeps the turn as well.
    script.moves.push_back(act::nothing);
    act::dropAll(script, "3");
    script.moves.push_back(act::abandonGame);

    manager.run();

    EXPECT_EQ(script.events, concat({{"menu"},
                                     movesLogged({"slot 2 <- 1", "slot 2 <- 5", "slot 2 <- 1", "slot 2 <- 5",
                                                  "slot 2 <- 1"}),
                                     {"move", "move", "move"},
                                     movesLogged({"slot 7 refused", "slot 2 refused"}),
                                     {"move"},
                                     movesLogged({"slot 3 <- 5"}),
                                     {"move", "menu"}}));
}

TEST(GameManagerTest, LineOfFourEndsTheGameAndTheOtherPlayerIsShownOnce)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    // Player 1 stacks four in slot 0 while Player 2 stacks three in slot 1.
    act::dropAll(script, "0101010");
    // Player 2 stacks four in slot 6; Player 1's bottom row 1 1 . 1 1 is no line.
    act::dropAll(script, "06163646");

    manager.run();

    const std::map<std::int32_t, Player>& players = manager.getPlayers();
    ASSERT_EQ(script.winners.size(), 2U);
    EXPECT_EQ(script.winners[0], &players.at(5));
    EXPECT_EQ(script.winners[1], &players.at(1));
    EXPECT_EQ(script.runningAtShowWinner, std::vector<bool>({false, false}));
    EXPECT_FALSE(manager.isRunning());
    // Each game ended right after its deciding move.
    EXPECT_EQ(script.events, concat({{"menu"},
                                     movesLogged({"slot 0 <- 1", "slot 1 <- 5", "slot 0 <- 1", "slot 1 <- 5",
                                                  "slot 0 <- 1", "slot 1 <- 5", "slot 0 <- 1"}),
                                     {"winner Player 2", "menu"},
                                     movesLogged({"slot 0 <- 1", "slot 6 <- 5", "slot 1 <- 1", "slot 6 <- 5",
                                                  "slot 3 <- 1", "slot 6 <- 5", "slot 4 <- 1", "slot 6 <- 5"}),
                                     {"winner Player 1", "menu"}}));
}

TEST(GameManagerTest, FullBoardEndsWithoutAWinnerEvenWhenTheLastTokenMakesALine)
{
    Script script;
    GameManager manager(script.factory());
    script.menu = {act::playGame, act::playGame, act::quit};
    // Both orders fill all 35 cells without a line of four before the last token; in the second
    // the last token (Player 1's) completes a rising line from (0,1) to (3,4).
    act::dropAll(script, "31161456510502614066500534422343232");
    act::dropAll(script, "31161456510502614066500543232324423");

    manager.run();

    ASSERT_EQ(script.winners.size(), 2U);
    EXPECT_EQ(script.winners[0], &manager.getPlayers().at(-1));
    EXPECT_EQ(script.winners[1], &manager.getPlayers().at(-1));
    EXPECT_EQ(script.count("move"), 70);
    EXPECT_EQ(script.count("winner NO_WINNER"), 2);
    EXPECT_EQ(script.events.back(), "menu");
    EXPECT_EQ(script.events[script.events.size() - 2], "winner NO_WINNER");
    EXPECT_EQ(script.events[script.events.size() - 3], "slot 3 <- 1");
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

    EXPECT_EQ(script.events,
              concat({{"menu"},
                      movesLogged({"slot 0 <- 1", "slot 1 <- 5"}),
                      {"menu"},
                      movesLogged({"slot 0 <- 1", "slot 1 <- 5", "slot 0 <- 1", "slot 1 <- 5", "slot 0 <- 1",
                                   "slot 1 <- 5", "slot 0 <- 1"}),
                      {"winner Player 2", "menu"}}));
}

TEST(GameManagerTest, QuitEndsRunFromInsideAMoveOrFromTheMenu)
{
    {
        Script script;
        GameManager manager(script.factory());
        script.menu = {act::playGame};
        act::dropAll(script, "3");
        script.moves.push_back(act::quit);
        manager.run();
        EXPECT_EQ(script.events, concat({{"menu"}, movesLogged({"slot 3 <- 1"}), {"move"}}));
        EXPECT_TRUE(manager.hasQuit());
        EXPECT_FALSE(manager.isRunning());
    }
    {
        Script script;
        GameManager manager(script.factory());
        script.menu = {act::quit};
        manager.run();
        EXPECT_EQ(script.events, Events{"menu"});
    }
    {
        Script script;
        GameManager manager(script.factory());
        manager.quit();
        manager.run();
        EXPECT_TRUE(script.events.empty());
    }
}
