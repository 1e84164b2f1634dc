#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "GridCells.h"

using Cells = std::vector<std::int32_t>;

TEST(GameGridTest, TokensStackInTheirOwnSlotUntilItIsFullAndClearEmptiesAll)
{
    GameGrid grid(5, 7);
    const std::int32_t ids[] = {1, 5, 5, 1, 5};
    for (const std::int32_t id : ids)
        ASSERT_TRUE(grid.insertToken(2, id));
    EXPECT_FALSE(grid.insertToken(2, 1));  // a refused token changes nothing
    Cells expected(35, 0);
    std::copy(std::begin(ids), std::end(ids), expected.begin() + 2 * 5);
    EXPECT_EQ(cellsOf(grid), expected);

    grid.clear();
    EXPECT_EQ(cellsOf(grid), Cells(35, 0));
    EXPECT_TRUE(grid.insertToken(2, 5));
    EXPECT_EQ(grid.getCell(2, 0), 5);
}

// Each check names its condition; where several are broken, the first in order reports.
TEST(GameGridDeathTest, ChecksStopOnCellsAndSlotsOutsideTheBoard)
{
    const GameGrid grid(5, 7);
    const struct {
        std::int32_t slot, row;
        const char* failed;
    } outside[] = {{-1, 0, "slot >= 0 && row >= 0"}, {0, -1, "slot >= 0 && row >= 0"},
                   {7, 5, "slot < slots_"}, {0, 5, "row < rows_"}};
    for (const auto& cell : outside)
        EXPECT_EXIT(grid.getCell(cell.slot, cell.row), testing::ExitedWithCode(check::CHECK_FAILED_STATUS),
                    std::string("GameGrid\\.h:[0-9]+: check failed: ") + cell.failed);
    GameGrid writable(5, 7);
    EXPECT_EXIT(writable.insertToken(7, 1), testing::ExitedWithCode(check::CHECK_FAILED_STATUS),
                "GameGrid\\.cpp:[0-9]+: check failed: slot < slots_");
}
