#ifndef QUORLITZ_GAMEGRID_H
#define QUORLITZ_GAMEGRID_H

#include <cstdint>
#include <vector>

#include "Check.h"

// The board: slots (columns) side by side, each a stack of cells with row 0 at the bottom.
// A cell holds 0 when empty, otherwise the id of the player whose token fills it. The grid knows
// nothing of players or rules; the game manager is its only writer.
class GameGrid {
public:
    GameGrid(std::uint16_t rows, std::uint16_t slots);
    ~GameGrid();

    // Empties every cell; the dimensions stay.
    void clear();

    // Lets a token with value id fall to the lowest empty cell of slot. Returns false, changing
    // nothing, when the slot is full. The slot must exist: callers check user input beforehand.
    bool insertToken(std::uint16_t slot, std::int32_t id);

    std::uint16_t getSlots() const { return slots_; }
    std::uint16_t getRows() const { return rows_; }

    std::int32_t getCell(std::int32_t slot, std::int32_t row) const
    {
        QZ_CHECK(slot >= 0 && row >= 0);
        QZ_CHECK(slot < slots_);
        QZ_CHECK(row < rows_);
        return cells_[static_cast<std::size_t>(slot)][static_cast<std::size_t>(row)];
    }

    GameGrid(const GameGrid&) = delete;
    GameGrid& operator=(const GameGrid&) = delete;

private:
    std::uint16_t rows_;
    std::uint16_t slots_;
    std::vector<std::vector<std::int32_t>> cells_;  // indexed [slot][row]
};

#endif
