#include "GameManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "GridCells.h"
#include "UserInterface.h"

namespace {

constexpr int ABANDON = -1;

// A front end that plays a list of slots: each move tries them in turn until one takes a token,
// ABANDON leaves the game, and the menu starts games while slots remain and then quits.
class ScriptedPlay final : public UserInterface {
public:
    ScriptedPlay(GameManager& manager, std::vector<int> slots) : manager_(manager), slots_(std::move(slots))
    {
    }

    void makeMove() override
    {
        while (next_ < slots_.size()) {
            const int slot = slots_[next_++];
            if (slot == ABANDON)
                return manager_.abandonGame();
            try {
                return manager_.dropInSlot(std::uint16_t(slot));
            } catch (const GameManager::IllegalSlotError&) {
                ++refused;
            }
        }
        manager_.quit();
    }
    void showWinner(const Player& winner) override { winners.push_back(winner.id); }
    void showMenu() override { next_ < slots_.size() ? manager_.playGame() : manager_.quit(); }

    std::vector<std::int32_t> winners;
    int refused = 0;

private:
    GameManager& manager_;
    std::vector<int> slots_;
    std::size_t next_ = 0;
};

// Player 1 stacks four in slot 0 and loses. The next game starts on an empty board with Player 1
// again, though Player 2 was to move: slots past the board and a full slot are refused and keep
// the turn, until the game is left.
TEST(GameManagerTest, EveryGameStartsEmptyWithPlayer1AndRefusedDropsKeepTheTurn)
{
    ScriptedPlay* play = nullptr;
    GameManager manager([&play](GameManager& m) {
        return play = new ScriptedPlay(m, {0, 1, 0, 1, 0, 1, 0, 3, 7, 65535, 2, 2, 2, 2, 2, 2, 4, ABANDON});
    });
    manager.run();
    EXPECT_EQ(play->winners, std::vector<std::int32_t>{PLAYER_2_ID});
    EXPECT_EQ(play->refused, 3);
    EXPECT_EQ(stacksOf(manager.getGrid()), (std::vector<std::string>{"", "", "51515", "1", "1", "", ""}));
    EXPECT_TRUE(manager.hasQuit());
}

}  // namespace
