#include "OutcomeChecker.h"

#include "GameGrid.h"

namespace {

// The outcomes of a found line: the owner of the line loses, so the other player wins.
constexpr std::int32_t PLAYER_1_LINE = PLAYER_2_ID;
constexpr std::int32_t PLAYER_2_LINE = PLAYER_1_ID;

// Whether the cells judged make a line, from what they add up to for each player: the run of the
// player's own tokens along a column or a row, or a diagonal window's whole sum for both players. A
// total that reaches the player's line sum is a line; player 1's is told first.
std::int32_t lineOutcome(std::int32_t player1Total, std::int32_t player2Total, std::int32_t player1Sum,
                         std::int32_t player2Sum)
{
    if (player1Total == player1Sum)
        return PLAYER_1_LINE;
    if (player2Total == player2Sum)
        return PLAYER_2_LINE;
    return GAME_GOES_ON;
}

// The sum of the diagonal window of length cells that starts at (slot, row) and climbs one row per
// slotStep.
std::int32_t windowSum(const GameGrid& grid, std::int32_t slot, std::int32_t row, std::int32_t slotStep,
                       std::int32_t length)
{
    std::int32_t sum = 0;
    for (std::int32_t k = 0; k < length; ++k)
        sum += grid.getCell(slot + k * slotStep, row + k);
    return sum;
}

// Follows the current unbroken run of each player's tokens along one line. Because the cells
// hold only 0 and the two ids, a run's sum reaching length x id means the run has reached the length.
class RunCounter {
public:
    RunCounter(std::int32_t player1Sum, std::int32_t player2Sum)
        : player1Sum_(player1Sum), player2Sum_(player2Sum)
    {
    }

    // Takes the next cell of the line; returns the outcome code once a run is long enough.
    std::int32_t add(std::int32_t cell)
    {
        if (cell == PLAYER_1_ID) {
            player1Run_ += PLAYER_1_ID;
            player2Run_ = 0;
        } else if (cell == PLAYER_2_ID) {
            player2Run_ += PLAYER_2_ID;
            player1Run_ = 0;
        } else {
            player1Run_ = 0;
            player2Run_ = 0;
        }
        return lineOutcome(player1Run_, player2Run_, player1Sum_, player2Sum_);
    }

private:
    std::int32_t player1Sum_;
    std::int32_t player2Sum_;
    std::int32_t player1Run_ = 0;
    std::int32_t player2Run_ = 0;
};

}  // namespace

OutcomeChecker::OutcomeChecker(const GameGrid* grid, std::int32_t length)
    : length_(length), player1Sum_(PLAYER_1_ID * length), player2Sum_(PLAYER_2_ID * length), grid_(grid)
{
}

std::int32_t OutcomeChecker::check() const
{
    // A full board ends the game without a winner even when its last token completed a line.
    if (isFull())
        return NO_WINNER_ID;
    std::int32_t result = checkColumns();
    if (result != GAME_GOES_ON)
        return result;
    result = checkRows();
    if (result != GAME_GOES_ON)
        return result;
    result = checkDiagonals();
    if (result != GAME_GOES_ON)
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
            if (result != GAME_GOES_ON)
                return result;
        }
    }
    return GAME_GOES_ON;
}

std::int32_t OutcomeChecker::checkRows() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t row = 0; row < rows; ++row) {
        RunCounter runs(player1Sum_, player2Sum_);
        for (std::int32_t slot = 0; slot < slots; ++slot) {
            const std::int32_t result = runs.add(grid_->getCell(slot, row));
            if (result != GAME_GOES_ON)
                return result;
        }
    }
    return GAME_GOES_ON;
}

std::int32_t OutcomeChecker::checkDiagonals() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = 0; slot <= slots - length_; ++slot) {
        for (std::int32_t row = 0; row <= rows - length_; ++row) {
            const std::int32_t sum = windowSum(*grid_, slot, row, 1, length_);
            const std::int32_t result = lineOutcome(sum, sum, player1Sum_, player2Sum_);
            if (result != GAME_GOES_ON)
                return result;
        }
    }
    return GAME_GOES_ON;
}

std::int32_t OutcomeChecker::checkAntiDiagonals() const
{
    const std::int32_t slots = grid_->getSlots();
    const std::int32_t rows = grid_->getRows();
    for (std::int32_t slot = slots - 1; slot >= length_ - 1; --slot) {
        for (std::int32_t row = 0; row <= rows - length_; ++row) {
            const std::int32_t sum = windowSum(*grid_, slot, row, -1, length_);
            const std::int32_t result = lineOutcome(sum, sum, player1Sum_, player2Sum_);
            if (result != GAME_GOES_ON)
                return result;
        }
    }
    return GAME_GOES_ON;
}
