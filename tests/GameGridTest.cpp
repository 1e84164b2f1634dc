#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GameGrid.h"

namespace {

// Every cell, slot by slot, so that whole boards can be compared before and after an operation.
std::vector<std::int32_t> snapshot(const GameGrid& grid)
{
    std::vector<std::int32_t> cells;
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < grid.getRows(); ++row)
            cells.push_back(grid.getCell(slot, row));
    return cells;
}

bool isEmpty(const GameGrid& grid)
{
    for (std::int32_t cell : snapshot(grid))
        if (cell != 0)
            return false;
    return true;
}

}  // namespace

TEST(GameGridTest, NewGridHasItsDimensionsAndOnlyEmptyCells)
{
    const GameGrid grid(5, 7);
    EXPECT_EQ(grid.getRows(), 5);
    EXPECT_EQ(grid.getSlots(), 7);
    EXPECT_EQ(snapshot(grid).size(), 35U);
    EXPECT_TRUE(isEmpty(grid));

    // Rows come first in the constructor: a tall narrow grid must not come out wide and flat.
    const GameGrid tall(9, 2);
    EXPECT_EQ(tall.getRows(), 9);
    EXPECT_EQ(tall.getSlots(), 2);
    EXPECT_EQ(tall.getCell(1, 8), 0);
}

TEST(GameGridTest, TokensStackFromTheBottomOfTheirOwnSlot)
{
    GameGrid grid(5, 7);
    EXPECT_TRUE(grid.insertToken(3, 1));
    EXPECT_EQ(grid.getCell(3, 0), 1);
    EXPECT_TRUE(grid.insertToken(3, 5));
    EXPECT_EQ(grid.getCell(3, 1), 5);
    EXPECT_EQ(grid.getCell(3, 2), 0);

    // Slot 0 and the last slot are real slots of their own; the earlier tokens stay where they are.
    EXPECT_TRUE(grid.insertToken(0, 5));
    EXPECT_TRUE(grid.insertToken(6, 1));
    EXPECT_EQ(grid.getCell(0, 0), 5);
    EXPECT_EQ(grid.getCell(6, 0), 1);
    EXPECT_EQ(grid.getCell(3, 0), 1);
    EXPECT_EQ(grid.getCell(3, 1), 5);
    EXPECT_EQ(grid.getCell(2, 0), 0);
    EXPECT_EQ(grid.getCell(4, 0), 0);
}

TEST(GameGridTest, FullSlotRefusesWithoutChangeAndLeavesNeighboursOpen)
{
    GameGrid grid(5, 7);
    const std::int32_t ids[] = {1, 5, 5, 1, 5};
    for (std::int32_t id : ids)
        ASSERT_TRUE(grid.insertToken(2, id));
    for (std::int32_t row = 0; row < 5; ++row)
        EXPECT_EQ(grid.getCell(2, row), ids[row]) << "row " << row;

    const std::vector<std::int32_t> before = snapshot(grid);
    EXPECT_FALSE(grid.insertToken(2, 1));
    EXPECT_FALSE(grid.insertToken(2, 5));
    EXPECT_EQ(snapshot(grid), before);

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
    EXPECT_TRUE(isEmpty(grid));
    EXPECT_TRUE(grid.insertToken(4, 5));
    EXPECT_EQ(grid.getCell(4, 0), 5);
}

// The checks guard against faults of the calling code; each names the condition that failed. The
// order of getCell's three checks shows when more than one condition is broken at once.
TEST(GameGridDeathTest, GetCellStopsOnCoordinatesOutsideTheBoard)
{
    const GameGrid grid(5, 7);
    const int failed = check::CHECK_FAILED_STATUS;
    EXPECT_EXIT(grid.getCell(-1, 0), testing::ExitedWithCode(failed), "check failed: slot >= 0 && row >= 0");
    EXPECT_EXIT(grid.getCell(0, -1), testing::ExitedWithCode(failed), "check failed: slot >= 0 && row >= 0");
    EXPECT_EXIT(grid.getCell(-1, 9), testing::ExitedWithCode(failed), "check failed: slot >= 0 && row >= 0");
    EXPECT_EXIT(grid.getCell(7, 0), testing::ExitedWithCode(failed), "check failed: slot < slots_");
    EXPECT_EXIT(grid.getCell(7, 5), testing::ExitedWithCode(failed), "check failed: slot < slots_");
    EXPECT_EXIT(grid.getCell(0, 5), testing::ExitedWithCode(failed), "check failed: row < rows_");
}

TEST(GameGridDeathTest, InsertTokenStopsOnASlotThatDoesNotExist)
{
    GameGrid grid(5, 7);
    EXPECT_EXIT(grid.insertToken(7, 1), testing::ExitedWithCode(check::CHECK_FAILED_STATUS),
                "GameGrid\\.cpp:[0-9]+: check failed: slot < slots_");
}
