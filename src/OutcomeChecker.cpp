#include "OutcomeChecker.h"

#include "GameGrid.h"

namespace {

// The outcome codes of a found line: the owner of the line loses, so the code is the other id.
constexpr std::int32_t PLAYER_1_LINE = 5;
constexpr std::int32_t PLAYER_2_LINE = 1;
constexpr std::int32_t UNDECIDED = 0;
constexpr std::int32_t BOARD_FULL = -1;

// A diagonal window always spans four cells, whatever the line length; the game uses 4 only.
constexpr std::int32_t WINDOW_CELLS = 4;

// Tells a line of player 1 (its tokens summing to player1Sum) before one of player 2.
std::int32_t lineOutcome(std::int32_t onesSum, std::int32_t fivesSum, std::int32_t player1Sum,
                         std::int32_t player2Sum)
{
    if (onesSum == player1Sum)
        return PLAYER_1_LINE;
    if (fivesSum == player2Sum)
        return PLAYER_2_LINE;
    return UNDECIDED;
}

// The sum of the diagonal window that starts at (slot, row) and climbs one row per slotStep.
std::int32_t windowSum(const GameGrid& grid, std::int32_t slot, std::int32_t row, std::int32_t slotStep)
{
    std::int32_t sum = 0;
    for (std::int32_t k = 0; k < WINDOW_CELLS; ++k)
        sum += grid.getCell(slot + k * slotStep, row + k);
    return sum;
}

// Follows the current unbroken run of each player's tokens along one line. Because the cells
// hold only 0, 1 and 5, a run's sum reaching length x id means the run has reached the length.
class RunCounter {
public:
    RunCounter(std::int32_t player1Sum, std::int32_t player2Sum)
        : player1Sum_(player1Sum), player2Sum_(player2Sum)
    {
    }

    // Takes the next cell of the line; returns the outcome code once a run is long enough.
    std::int32_t add(std::int32_t cell)
    {
        if (cell == 1) {
            ones_ += 1;
            fives_ = 0;
        } else if (cell == 5) {
            fives_ += 5;
            ones_ = 0;
        } else {
            ones_ = 0;
            fives_ = 0;
        }
        return lineOutcome(ones_, fives_, player1Sum_, player2Sum_);
    }

private:
    std::int32_t player1Sum_;
    std::int32_t player2Sum_;
    std::int32_t ones_ = 0;
    std::int32_t fives_ = 0;
};

}  // namespace

OutcomeChecker::OutcomeChecker(const GameGrid* grid, std::int32_t length)
    : length_(length), player1Sum_(length), player2Sum_(5 * length), grid_(grid)
{
}

std::int32_t OutcomeChecker::check() const
{
    // A full board ends the game without a winner even when its last token completed a line.
    if (isFull())
        return BOARD_FULL;
    std::int32_t result = checkColumns();
    if (result != UNDECIDED)
        return result;
    result = checkRows();
    if (result != UNDECIDED)
        return result;
    result = checkDiagonals();
    if (result != UNDECIDED)
        return result;
    return checkAntiDiagonals();
}

bool OutcomeChecker::isFull() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = 0; slot < slots; ++slot)
        for (std::int32_t row = 0; row < rows; ++row)
            if (grid_->getCell(slot, row) == 0)
                return false;
    return true;
}

std::int32_t OutcomeChecker::checkColumns() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = 0; slot < slots; ++slot) {
        RunCounter runs(player1Sum_, player2Sum_);
        for (std::int32_t row = 0; row < rows; ++row) {
            const std::int32_t result = runs.add(grid_->getCell(slot, row));
            if (result != UNDECIDED)
                return result;
        }
    }
    return UNDECIDED;
}

std::int32_t OutcomeChecker::checkRows() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t row = 0; row < rows; ++row) {
        RunCounter runs(player1Sum_, player2Sum_);
        for (std::int32_t slot = 0; slot < slots; ++slot) {
            const std::int32_t result = runs.add(grid_->getCell(slot, row));
            if (result != UNDECIDED)
                return result;
        }
    }
    return UNDECIDED;
}

std::int32_t OutcomeChecker::checkDiagonals() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = 0; slot <= slots - length_; ++slot) {
        for (std::int32_t row = 0; row <= rows - length_; ++row) {
            const std::int32_t sum = windowSum(*grid_, slot, row, 1);
            const std::int32_t result = lineOutcome(sum, sum, player1Sum_, player2Sum_);
            if (result != UNDECIDED)
                return result;
        }
    }
    return UNDECIDED;
}

std::int32_t OutcomeChecker::checkAntiDiagonals() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = slots - 1; slot >= length_ - 1; --slot) {
        for (std::int32_t row = 0; row <= rows - length_; ++row) {
            const std::int32_t sum = windowSum(*grid_, slot, row, -1);
            const std::int32_t result = lineOutcome(sum, sum, player1Sum_, player2Sum_);
            if (result != UNDECIDED)
                return result;
        }
    }
    return UNDECIDED;
}
