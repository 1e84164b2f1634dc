#ifndef QUORLITZ_OUTCOMECHECKER_H
#define QUORLITZ_OUTCOMECHECKER_H

#include <cstdint>

#include "Player.h"

class GameGrid;

// What check() returns besides a winner's id (the id of the player who did NOT make the line) and
// NO_WINNER_ID for a full board.
constexpr std::int32_t GAME_GOES_ON = 0;

// How many of their own tokens in a line make a player lose in this game.
constexpr std::int32_t LOSING_LINE_LENGTH = 4;

// The rule of the game, turned around: whoever has `length` of their own tokens in a line LOSES,
// and a board without an empty cell ends the game without a winner. Relies on the grid holding
// only 0 and the two player ids, whose sums over a line of four tell the owner apart.
class OutcomeChecker {
public:
    OutcomeChecker(const GameGrid* grid, std::int32_t length);
    ~OutcomeChecker() = default;

    // GAME_GOES_ON, the winner's id, or NO_WINNER_ID when the board is full. A full board is judged
    // before any line; then columns, rows, rising-right and rising-left diagonals, the first
    // finding deciding.
    std::int32_t check() const;

    OutcomeChecker(const OutcomeChecker&) = delete;
    OutcomeChecker& operator=(const OutcomeChecker&) = delete;

private:
    bool isFull() const;
    std::int32_t checkColumns() const;
    std::int32_t checkRows() const;
    std::int32_t checkDiagonals() const;
    std::int32_t checkAntiDiagonals() const;

    std::int32_t length_;
    std::int32_t player1Sum_;
    std::int32_t player2Sum_;
    const GameGrid* grid_;
};

#endif
