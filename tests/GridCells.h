#ifndef QUORLITZ_TESTS_GRIDCELLS_H
#define QUORLITZ_TESTS_GRIDCELLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "GameGrid.h"

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

inline std::size_t tokensOn(const GameGrid& grid)
{
    std::size_t tokens = 0;
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < grid.getRows(); ++row)
            tokens += grid.getCell(slot, row) != 0;
    return tokens;
}

#endif
