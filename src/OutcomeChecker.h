#ifndef QUORLITZ_OUTCOMECHECKER_H
#define QUORLITZ_OUTCOMECHECKER_H

#include <cstdint>

class GameGrid;

// The rule of the game, turned around: whoever has `length` of their own tokens in a line LOSES,
// and a board without an empty cell ends the game without a winner. Relies on the grid holding
// only 0, 1 and 5, whose sums over a line of four tell the owner apart (4 and 20).
class OutcomeChecker {
public:
    OutcomeChecker(const GameGrid* grid, std::int32_t length);
    ~OutcomeChecker() = default;

    // 0: the game goes on; 5: player 1 made a line, player 5 wins; 1: player 5 made a line,
    // player 1 wins; -1: the board is full. A full board is judged before any line; then columns,
    // rows, rising-right and rising-left diagonals, the first finding deciding.
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
