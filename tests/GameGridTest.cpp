#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "GridCells.h"

using Cells = std::vector<std::int32_t>;

TEST(GameGridTest, NewGridHasItsDimensionsAndOnlyEmptyCells)
{
    const GameGrid grid(5, 7);
    EXPECT_EQ(grid.getRows(), 5);
    EXPECT_EQ(grid.getSlots(), 7);
    EXPECT_EQ(cellsOf(grid), Cells(35, 0));
    // Rows come first in the constructor: a tall narrow grid must not come out wide and flat.
    const GameGrid tall(9, 2);
    EXPECT_EQ(tall.getRows(), 9);
    EXPECT_EQ(tall.getSlots(), 2);
    EXPECT_EQ(tall.getCell(1, 8), 0);
}

TEST(GameGridTest, TokensStackFromRowZeroOfTheirOwnSlotOnly)
{
    GameGrid grid(5, 7);
    const std::pair<std::uint16_t, std::int32_t> drops[] = {{3, 1}, {3, 5}, {0, 5}, {6, 1}};
    for (const auto& drop : drops)
        ASSERT_TRUE(grid.insertToken(drop.first, drop.second));
    Cells expected(35, 0);
    expected[0 * 5] = 5;
    expected[3 * 5] = 1;
    expected[3 * 5 + 1] = 5;
    expected[6 * 5] = 1;
    EXPECT_EQ(cellsOf(grid), expected);
}

TEST(GameGridTest, FullSlotRefusesWithoutChangeAndLeavesNeighboursOpen)
{
    GameGrid grid(5, 7);
    const std::int32_t ids[] = {1, 5, 5, 1, 5};
    for (std::int32_t id : ids)
        ASSERT_TRUE(grid.insertToken(2, id));
    const Cells before = cellsOf(grid);
    EXPECT_EQ(Cells(before.begin() + 10, before.begin() + 15), Cells(std::begin(ids), std::end(ids)));
    EXPECT_FALSE(grid.insertToken(2, 1));
    EXPECT_FALSE(grid.insertToken(2, 5));
    EXPECT_EQ(cellsOf(grid), before);
    EXPECT_TRUE(grid.insertToken(1, 1));
    EXPECT_TRUE(grid.insertToken(3, 5));
    EXPECT_EQ(grid.getCell(1, 0), 1);
    EXPECT_EQ(grid.getCell(3, 0), 5);
}

TEST(GameGridTest, ClearEmptiesEveryCellAndReopensFullSlots)
{
    GameGrid grid(5, 7);
    for (std::uint16_t slot = 0; slot < 7; ++slot)
        for (int n = 0; n < 5; ++n)
            ASSERT_TRUE(grid.insertToken(slot, (slot + n) % 2 == 0 ? 1 : 5));
    EXPECT_FALSE(grid.insertToken(4, 1));
    grid.clear();
    EXPECT_EQ(grid.getRows(), 5);
    EXPECT_EQ(grid.getSlots(), 7);
    EXPECT_EQ(cellsOf(grid), Cells(35, 0));
    EXPECT_TRUE(grid.insertToken(4, 5));
    EXPECT_EQ(grid.getCell(4, 0), 5);
}

// Each check names the condition that failed; when several are broken, the first in order reports.
TEST(GameGridDeathTest, ChecksStopOnCellsAndSlotsOutsideTheBoard)
{
    GameGrid grid(5, 7);
    const struct {
        std::int32_t slot, row;
        const char* failed;
    } outside[] = {{-1, 0, "slot >= 0 && row >= 0"}, {0, -1, "slot >= 0 && row >= 0"},
                   {-1, 9, "slot >= 0 && row >= 0"}, {7, 0, "slot < slots_"},
                   {7, 5, "slot < slots_"},          {0, 5, "row < rows_"}};
    for (const auto& cell : outside)
        EXPECT_EXIT(grid.getCell(cell.slot, cell.row), testing::ExitedWithCode(check::CHECK_FAILED_STATUS),
                    std::string("check failed: ") + cell.failed);
    EXPECT_EXIT(grid.insertToken(7, 1), testing::ExitedWithCode(check::CHECK_FAILED_STATUS),
                "GameGrid\\.cpp:[0-9]+: check failed: slot < slots_");
}
