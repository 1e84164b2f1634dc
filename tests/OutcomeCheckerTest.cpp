#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GameGrid.h"
#include "OutcomeChecker.h"

namespace {

constexpr std::int32_t GOES_ON = 0;
constexpr std::int32_t PLAYER_2_WINS = 5;  // player 1 made a line
constexpr std::int32_t PLAYER_1_WINS = 1;  // player 5 made a line
constexpr std::int32_t BOARD_FULL = -1;

// Builds a grid from a picture drawn as on screen: the first string is the top row, '1' and '5'
// are tokens, '.' is empty. Tokens are dropped slot by slot, so the picture must be one the game
// can reach (no hole under a token).
std::unique_ptr<GameGrid> gridFromPicture(const std::vector<std::string>& picture)
{
    const auto rows = static_cast<std::uint16_t>(picture.size());
    const auto slots = static_cast<std::uint16_t>(picture.front().size());
    auto grid = std::make_unique<GameGrid>(rows, slots);
    for (std::uint16_t slot = 0; slot < slots; ++slot) {
        bool holeBelow = false;
        for (std::size_t row = 0; row < rows; ++row) {
            const char cell = picture[rows - 1 - row][slot];
            if (cell == '.') {
                holeBelow = true;
                continue;
            }
            EXPECT_FALSE(holeBelow) << "token floats above a hole in slot " << slot;
            grid->insertToken(slot, cell == '1' ? 1 : 5);
        }
    }
    return grid;
}

std::int32_t outcome(const std::vector<std::string>& picture)
{
    const std::unique_ptr<GameGrid> grid = gridFromPicture(picture);
    return OutcomeChecker(grid.get(), 4).check();
}

}  // namespace

TEST(OutcomeCheckerTest, EmptyBoardGoesOn)
{
    EXPECT_EQ(outcome({".......", ".......", ".......", ".......", "......."}), GOES_ON);
}

TEST(OutcomeCheckerTest, LineOfFourLosesInEveryDirection)
{
    // Vertical: slot 2, rows 0 to 3, either player; also a run that starts above an opponent's token.
    EXPECT_EQ(outcome({".......", "..1....", "..1....", "..1....", "..1...."}), PLAYER_2_WINS);
    EXPECT_EQ(outcome({".......", "..5....", "..5....", "..5....", "..5...."}), PLAYER_1_WINS);
    EXPECT_EQ(outcome({"......1", "......1", "......1", "......1", "......5"}), PLAYER_2_WINS);
    // Horizontal: at the right end of the bottom row, and along the top row.
    EXPECT_EQ(outcome({".......", ".......", ".......", ".......", "...5555"}), PLAYER_1_WINS);
    EXPECT_EQ(outcome({"1111...", "5115...", "1555...", "1511...", "1155..."}), PLAYER_2_WINS);
    // Rising to the right: (0,0) to (3,3), and (3,1) to (6,4) ending in the top right corner.
    EXPECT_EQ(outcome({".......", "...1...", "..15...", ".155...", "1555..."}), PLAYER_2_WINS);
    EXPECT_EQ(outcome({"......5", ".....51", "....551", "...5151", "...5115"}), PLAYER_1_WINS);
    // Rising to the left: (6,0) to (3,3), and (3,1) to (0,4) ending in the top left corner.
    EXPECT_EQ(outcome({".......", "...5...", "...15..", "...515.", "...1515"}), PLAYER_1_WINS);
    EXPECT_EQ(outcome({"1......", "51.....", "151....", "5511...", "5511..."}), PLAYER_2_WINS);
}

TEST(OutcomeCheckerTest, BrokenOrShortRunsGoOnAndLongRunsLose)
{
    // An opponent's token in the middle breaks the run; so does an empty cell.
    EXPECT_EQ(outcome({".......", ".......", ".......", ".......", "1115111"}), GOES_ON);
    EXPECT_EQ(outcome({".......", ".......", ".......", "5551555", "1115111"}), GOES_ON);
    EXPECT_EQ(outcome({"1......", "5......", "1......", "1......", "1......"}), GOES_ON);
    // Five in a row is a line too.
    EXPECT_EQ(outcome({".......", ".......", ".......", ".......", "5111115"}), PLAYER_2_WINS);
    // Three in a line whose fourth cell is empty or the opponent's, in every direction. The
    // diagonal sums 8 (1+1+1+5) and 15 (5+5+5+0) must not pass for a line.
    EXPECT_EQ(outcome({".......", ".......", "5......", "5......", "5......"}), GOES_ON);
    EXPECT_EQ(outcome({".......", "1......", "5......", "5......", "5......"}), GOES_ON);
    EXPECT_EQ(outcome({".......", ".......", ".......", ".......", ".1115.."}), GOES_ON);
    EXPECT_EQ(outcome({".......", "...5...", "..11...", ".151...", "1515..."}), GOES_ON);
    EXPECT_EQ(outcome({".......", "....5..", "....15.", "....555", "....555"}), GOES_ON);
}

TEST(OutcomeCheckerTest, FullBoardHasNoWinnerEvenWithALine)
{
    EXPECT_EQ(outcome({"1515155", "5515111", "5115551", "1151115", "1551515"}), BOARD_FULL);
    // A rising line of 1-tokens from (0,1) to (3,4).
    EXPECT_EQ(outcome({"1551155", "5515511", "5115151", "1115115", "1551515"}), BOARD_FULL);
    // A falling line of 5-tokens from (1,3) to (4,0).
    EXPECT_EQ(outcome({"1515111", "5511555", "1155115", "1515155", "1511511"}), BOARD_FULL);
    // One empty cell left and the same line still standing: now the line decides.
    EXPECT_EQ(outcome({".515111", "5511555", "1155115", "1515155", "1511511"}), PLAYER_1_WINS);
}

// When lines of both players stand, the first one met decides: columns, rows, rising-right
// diagonals, rising-left diagonals, and within each scan the order of its loops. Every board holds
// exactly the two lines named, one of each player, so a wrong order gives the other result.
TEST(OutcomeCheckerTest, FirstLineInScanOrderDecides)
{
    // Columns before rows, whichever player owns which.
    EXPECT_EQ(outcome({".......", "1......", "1......", "1......", "1..5555"}), PLAYER_2_WINS);
    EXPECT_EQ(outcome({".......", "5......", "5......", "5......", "5..1111"}), PLAYER_1_WINS);
    // Slot 0 before slot 3.
    EXPECT_EQ(outcome({".......", "5..1...", "5..1...", "5..1...", "5..1..."}), PLAYER_1_WINS);
    // Row 0 before row 1.
    EXPECT_EQ(outcome({".......", ".......", ".......", "1111...", "5115555"}), PLAYER_1_WINS);
    // Rows before rising-right diagonals.
    EXPECT_EQ(outcome({"......5", ".....51", "....515", "...5511", "1111551"}), PLAYER_2_WINS);
    // Rising-right before rising-left: 5s from (0,0), 1s from (6,1) falling to the left.
    EXPECT_EQ(outcome({"...1...", "...51..", "..5111.", ".511551", "5511551"}), PLAYER_1_WINS);
    // Rising-right windows go slot by slot: the window at (0,1) comes before the one at (1,0).
    EXPECT_EQ(outcome({"...1...", "..115..", ".1555..", "15511..", "55515.."}), PLAYER_2_WINS);
    // Rising-left windows go slot by slot from the right: (6,1) comes before (5,0).
    EXPECT_EQ(outcome({"...5...", "..115..", "..5115.", "..55155", "..15515"}), PLAYER_1_WINS);
}

namespace {

// A second line finder, written differently from the checker: every possible line of four cells
// is listed once, in the order in which the rule looks at them, and a line counts when its four
// cells hold the same player's id. No sums and no runs.
enum class Direction { Column, Row, RisingRight, RisingLeft };

struct Line {
    Direction direction;
    std::array<std::array<std::int32_t, 2>, 4> cells;  // (slot, row)
};

std::vector<Line> linesInRuleOrder(std::int32_t slots, std::int32_t rows)
{
    std::vector<Line> lines;
    auto add = [&lines](Direction direction, std::int32_t slot, std::int32_t row, std::int32_t slotStep,
                        std::int32_t rowStep) {
        Line line{direction, {}};
        for (std::int32_t k = 0; k < 4; ++k)
            line.cells[static_cast<std::size_t>(k)] = {slot + k * slotStep, row + k * rowStep};
        lines.push_back(line);
    };
    for (std::int32_t slot = 0; slot < slots; ++slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            add(Direction::Column, slot, row, 0, 1);
    for (std::int32_t row = 0; row < rows; ++row)
        for (std::int32_t slot = 0; slot + 3 < slots; ++slot)
            add(Direction::Row, slot, row, 1, 0);
    for (std::int32_t slot = 0; slot + 3 < slots; ++slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            add(Direction::RisingRight, slot, row, 1, 1);
    for (std::int32_t slot = slots - 1; slot >= 3; --slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            add(Direction::RisingLeft, slot, row, -1, 1);
    return lines;
}

std::int32_t ownerOf(const Line& line, const GameGrid& grid)
{
    const std::int32_t first = grid.getCell(line.cells[0][0], line.cells[0][1]);
    for (const auto& cell : line.cells)
        if (grid.getCell(cell[0], cell[1]) != first)
            return 0;
    return first;
}

}  // namespace

// Many random games on several board sizes, each played on past its end until the board is full,
// so that positions with several lines of both players come up. After every token both finders
// must agree.
TEST(OutcomeCheckerTest, AgreesWithAnIndependentLineFinderOnRandomGames)
{
    struct Size {
        std::uint16_t rows;
        std::uint16_t slots;
    };
    const Size sizes[] = {{5, 7}, {5, 7}, {5, 7}, {4, 4}, {6, 9}, {3, 8}, {8, 3}, {7, 5}};
    std::mt19937 random(20240611u);

    int positions = 0;
    int fullBoards = 0;
    int bothPlayersHaveLines = 0;
    int decidedBy[4] = {0, 0, 0, 0};
    for (int game = 0; game < 1600; ++game) {
        const Size size = sizes[game % 8];
        GameGrid grid(size.rows, size.slots);
        const OutcomeChecker checker(&grid, 4);
        const std::vector<Line> lines = linesInRuleOrder(size.slots, size.rows);

        std::int32_t id = 1;
        std::vector<std::uint16_t> open(size.slots);
        for (std::uint16_t slot = 0; slot < size.slots; ++slot)
            open[slot] = slot;
        while (!open.empty()) {
            const std::size_t pick = random() % open.size();
            ASSERT_TRUE(grid.insertToken(open[pick], id));
            if (grid.getCell(open[pick], size.rows - 1) != 0)
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(pick));
            id = id == 1 ? 5 : 1;

            const Line* first = nullptr;
            bool lineOf1 = false;
            bool lineOf5 = false;
            for (const Line& line : lines) {
                const std::int32_t owner = ownerOf(line, grid);
                lineOf1 = lineOf1 || owner == 1;
                lineOf5 = lineOf5 || owner == 5;
                if (owner != 0 && first == nullptr)
                    first = &line;
            }
            std::int32_t expected = GOES_ON;
            if (open.empty()) {
                expected = BOARD_FULL;
                ++fullBoards;
            } else if (first != nullptr) {
                expected = ownerOf(*first, grid) == 1 ? PLAYER_2_WINS : PLAYER_1_WINS;
                ++decidedBy[static_cast<int>(first->direction)];
            }
            bothPlayersHaveLines += lineOf1 && lineOf5 ? 1 : 0;
            ++positions;
            ASSERT_EQ(checker.check(), expected) << "game " << game << ", position " << positions;
        }
    }
    // The comparison is only worth something if every kind of decision came up often.
    EXPECT_EQ(fullBoards, 1600);
    EXPECT_GT(bothPlayersHaveLines, 1000);
    for (int direction = 0; direction < 4; ++direction)
        EXPECT_GT(decidedBy[direction], 500) << "direction " << direction;
}
