#ifndef QUORLITZ_TESTS_GRIDCELLS_H
#define QUORLITZ_TESTS_GRIDCELLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "GameGrid.h"

// Every cell, slot by slot, so that whole boards can be compared before and after an operation.
inline std::vector<std::int32_t> cellsOf(const GameGrid& grid)
{
    std::vector<std::int32_t> cells;
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < grid.getRows(); ++row)
            cells.push_back(grid.getCell(slot, row));
    return cells;
}

// Each slot's tokens bottom up, as the players' ids: {"", "15", ...}.
inline std::vector<std::string> stacksOf(const GameGrid& grid)
{
    std::vector<std::string> stacks;
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot) {
        std::string stack;
        for (std::int32_t row = 0; row < grid.getRows() && grid.getCell(slot, row) != 0; ++row)
            stack += std::to_string(grid.getCell(slot, row));
        stacks.push_back(stack);
    }
    return stacks;
}

inline int tokensIn(const GameGrid& grid, std::int32_t slot)
{
    int height = 0;
    while (height < grid.getRows() && grid.getCell(slot, height) != 0)
        ++height;
    return height;
}

#endif
