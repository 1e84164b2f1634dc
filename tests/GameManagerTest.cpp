#include "GameManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "GridCells.h"
#include "UserInterface.h"

namespace {

constexpr int ABANDON = -1;

// Each move tries the slots in turn until one takes a token; the menu plays while slots remain.
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

// Player 1 loses; in the next game Player 2 would have been to move.
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
