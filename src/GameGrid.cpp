#include "GameGrid.h"

GameGrid::GameGrid(std::uint16_t rows, std::uint16_t slots)
    : rows_(rows), slots_(slots), cells_(slots, std::vector<std::int32_t>(rows, 0))
{
}

GameGrid::~GameGrid() = default;

void GameGrid::clear()
{
    for (std::vector<std::int32_t>& slot : cells_)
        for (std::int32_t& cell : slot)
            cell = 0;
}

bool GameGrid::insertToken(std::uint16_t slot, std::int32_t id)
{
    QZ_CHECK(slot < slots_);
    // Tokens only ever arrive this way, so a slot's tokens are an unbroken stack from row 0 and
    // the first empty cell is where the new one comes to rest.
    for (std::int32_t& cell : cells_[slot]) {
        if (cell == 0) {
            cell = id;
            return true;
        }
    }
    return false;
}
