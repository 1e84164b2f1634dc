#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GameGrid.h"
#include "OutcomeChecker.h"

namespace {

// The checker names the player who did not make the line.
constexpr std::int32_t GOES_ON = 0, PLAYER_2_WINS = 5, PLAYER_1_WINS = 1, BOARD_FULL = -1;

// A board drawn as on screen, top row first: '1' and '5' are tokens, '.' is empty.
struct Case {
    std::int32_t expected;
    std::vector<std::string> picture;
};

std::int32_t outcome(const std::vector<std::string>& picture)
{
    const auto rows = static_cast<std::uint16_t>(picture.size());
    GameGrid grid(rows, static_cast<std::uint16_t>(picture[0].size()));
    for (std::uint16_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < rows; ++row) {
            const char cell = picture[std::size_t(rows - 1 - row)][slot];
            if (cell == '.')
                continue;
            grid.insertToken(slot, cell - '0');
            EXPECT_EQ(grid.getCell(slot, row), cell - '0') << "a token floats above a hole in slot " << slot;
        }
    return OutcomeChecker(&grid, 4).check();
}

void expectOutcomes(const std::vector<Case>& cases)
{
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(outcome(cases[i].picture), cases[i].expected) << "case " << i;
}

}  // namespace

TEST(OutcomeCheckerTest, LineOfFourLosesInEveryDirection)
{
    expectOutcomes({
        {GOES_ON, {".......", ".......", ".......", ".......", "......."}},
        // Columns: either player; also a run that starts above an opponent's token.
        {PLAYER_2_WINS, {".......", "..1....", "..1....", "..1....", "..1...."}},
        {PLAYER_1_WINS, {".......", "..5....", "..5....", "..5....", "..5...."}},
        {PLAYER_2_WINS, {"......1", "......1", "......1", "......1", "......5"}},
        // Rows: at the right end of the bottom row, and along the top row.
        {PLAYER_1_WINS, {".......", ".......", ".......", ".......", "...5555"}},
        {PLAYER_2_WINS, {"1111...", "5115...", "1555...", "1511...", "1155..."}},
        // Rising to the right: (0,0)-(3,3), and (3,1)-(6,4) into the top right corner.
        {PLAYER_2_WINS, {".......", "...1...", "..15...", ".155...", "1555..."}},
        {PLAYER_1_WINS, {"......5", ".....51", "....551", "...5151", "...5115"}},
        // Rising to the left: (6,0)-(3,3), and (3,1)-(0,4) into the top left corner.
        {PLAYER_1_WINS, {".......", "...5...", "...15..", "...515.", "...1515"}},
        {PLAYER_2_WINS, {"1......", "51.....", "151....", "5511...", "5511..."}},
        // Five in a row is a line too.
        {PLAYER_2_WINS, {".......", ".......", ".......", ".......", "5111115"}},
    });
}

TEST(OutcomeCheckerTest, BrokenOrShortRunsGoOn)
{
    // Broken by an opponent's token or an empty cell; then three whose fourth cell is empty or the
    // opponent's, in every direction (diagonal sums 8 = 1+1+1+5 and 15 = 5+5+5 are no line).
    expectOutcomes({
        {GOES_ON, {".......", ".......", ".......", ".......", "1115111"}},
        {GOES_ON, {".......", ".......", ".......", "5551555", "1115111"}},
        {GOES_ON, {"1......", "5......", "1......", "1......", "1......"}},
        {GOES_ON, {".......", ".......", "5......", "5......", "5......"}},
        {GOES_ON, {".......", "1......", "5......", "5......", "5......"}},
        {GOES_ON, {".......", ".......", ".......", ".......", ".1115.."}},
        {GOES_ON, {".......", "...5...", "..11...", ".151...", "1515..."}},
        {GOES_ON, {".......", "....5..", "....15.", "....555", "....555"}},
    });
}

TEST(OutcomeCheckerTest, FullBoardHasNoWinnerEvenWithALine)
{
    expectOutcomes({
        {BOARD_FULL, {"1515155", "5515111", "5115551", "1151115", "1551515"}},
        {BOARD_FULL, {"1551155", "5515511", "5115151", "1115115", "1551515"}},  // 1s rising (0,1)-(3,4)
        {BOARD_FULL, {"1515111", "5511555", "1155115", "1515155", "1511511"}},  // 5s falling (1,3)-(4,0)
        // One empty cell left and the same line still standing: now the line decides.
        {PLAYER_1_WINS, {".515111", "5511555", "1155115", "1515155", "1511511"}},
    });
}

// With lines of both players, the first met decides: columns, rows, rising-right, rising-left, and
// within each the order of its loops. Each board holds just the two lines, one of each player.
TEST(OutcomeCheckerTest, FirstLineInScanOrderDecides)
{
    expectOutcomes({
        {PLAYER_2_WINS, {".......", "1......", "1......", "1......", "1..5555"}},  // columns before rows
        {PLAYER_1_WINS, {".......", "5......", "5......", "5......", "5..1111"}},
        {PLAYER_1_WINS, {".......", "5..1...", "5..1...", "5..1...", "5..1..."}},  // slot 0 before slot 3
        {PLAYER_1_WINS, {".......", ".......", ".......", "1111...", "5115555"}},  // row 0 before row 1
        {PLAYER_2_WINS, {"......5", ".....51", "....515", "...5511", "1111551"}},  // rows before diagonals
        {PLAYER_1_WINS, {"...1...", "...51..", "..5111.", ".511551", "5511551"}},  // rising right first
        {PLAYER_2_WINS, {"...1...", "..115..", ".1555..", "15511..", "55515.."}},  // (0,1) before (1,0)
        {PLAYER_1_WINS, {"...5...", "..115..", "..5115.", "..55155", "..15515"}},  // (6,1) before (5,0)
    });
}

namespace {

// A second line finder of another technique: every window of four cells, listed once in the order
// in which the rule looks at them, is a line when its four cells hold the same id. No sums, no runs.
struct Window {
    int direction;  // 0 column, 1 row, 2 rising right, 3 rising left
    std::int32_t slot, row, slotStep, rowStep;
};

std::vector<Window> windowsInRuleOrder(std::int32_t slots, std::int32_t rows)
{
    std::vector<Window> windows;
    for (std::int32_t slot = 0; slot < slots; ++slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            windows.push_back({0, slot, row, 0, 1});
    for (std::int32_t row = 0; row < rows; ++row)
        for (std::int32_t slot = 0; slot + 3 < slots; ++slot)
            windows.push_back({1, slot, row, 1, 0});
    for (std::int32_t slot = 0; slot + 3 < slots; ++slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            windows.push_back({2, slot, row, 1, 1});
    for (std::int32_t slot = slots - 1; slot >= 3; --slot)
        for (std::int32_t row = 0; row + 3 < rows; ++row)
            windows.push_back({3, slot, row, -1, 1});
    return windows;
}

std::int32_t ownerOf(const Window& window, const GameGrid& grid)
{
    const std::int32_t first = grid.getCell(window.slot, window.row);
    for (std::int32_t k = 1; k < 4; ++k)
        if (grid.getCell(window.slot + k * window.slotStep, window.row + k * window.rowStep) != first)
            return 0;
    return first;
}

}  // namespace

// Random games on several board sizes, each played on until the board is full so that positions
// with lines of both players come up; after every token both finders must agree.
TEST(OutcomeCheckerTest, AgreesWithAnIndependentLineFinderOnRandomGames)
{
    const std::uint16_t sizes[8][2] = {{5, 7}, {5, 7}, {5, 7}, {4, 4}, {6, 9}, {3, 8}, {8, 3}, {7, 5}};
    std::mt19937 random(20240611u);
    int bothPlayersHaveLines = 0;
    int decidedBy[4] = {0, 0, 0, 0};
    for (int game = 0; game < 1600; ++game) {
        GameGrid grid(sizes[game % 8][0], sizes[game % 8][1]);
        const OutcomeChecker checker(&grid, 4);
        const std::vector<Window> windows = windowsInRuleOrder(grid.getSlots(), grid.getRows());
        std::vector<std::uint16_t> open;
        for (std::uint16_t slot = 0; slot < grid.getSlots(); ++slot)
            open.push_back(slot);
        for (std::int32_t id = 1; !open.empty(); id = id == 1 ? 5 : 1) {
            const std::size_t pick = random() % open.size();
            ASSERT_TRUE(grid.insertToken(open[pick], id));
            if (grid.getCell(open[pick], grid.getRows() - 1) != 0)
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(pick));

            const Window* first = nullptr;
            bool owned[6] = {false, false, false, false, false, false};
            for (const Window& window : windows) {
                const std::int32_t owner = ownerOf(window, grid);
                owned[owner] = true;
                if (owner != 0 && first == nullptr)
                    first = &window;
            }
            std::int32_t expected = open.empty() ? BOARD_FULL : GOES_ON;
            if (!open.empty() && first != nullptr) {
                expected = ownerOf(*first, grid) == 1 ? PLAYER_2_WINS : PLAYER_1_WINS;
                ++decidedBy[first->direction];
            }
            bothPlayersHaveLines += owned[1] && owned[5] ? 1 : 0;
            ASSERT_EQ(checker.check(), expected) << "game " << game;
        }
    }
    // The comparison is only worth something if every kind of decision came up often.
    EXPECT_GT(bothPlayersHaveLines, 1000);
    for (int direction = 0; direction < 4; ++direction)
        EXPECT_GT(decidedBy[direction], 500) << "direction " << direction;
}
