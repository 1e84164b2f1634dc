#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "GameGrid.h"
#include "OutcomeChecker.h"

namespace {

// A board drawn as on screen, top row first: '1' and '5' are the players' tokens, '.' is empty.
std::int32_t outcomeOf(const std::vector<std::string>& picture)
{
    GameGrid grid(5, 7);
    for (std::int32_t row = 0; row < 5; ++row)
        for (std::uint16_t slot = 0; slot < 7; ++slot)
            if (picture[std::size_t(4 - row)][slot] != '.')
                grid.insertToken(slot, picture[std::size_t(4 - row)][slot] - '0');
    return OutcomeChecker(&grid, 4).check();
}

// Another technique than the checker's sums and runs: every window of four cells in every
// direction, each compared cell by cell. Counts which direction each line it finds runs in.
std::int32_t lineOwner(const GameGrid& grid, int (&directions)[4])
{
    const std::int32_t steps[4][2] = {{0, 1}, {1, 0}, {1, 1}, {-1, 1}};
    for (std::int32_t slot = 0; slot < grid.getSlots(); ++slot)
        for (std::int32_t row = 0; row < grid.getRows(); ++row)
            for (int direction = 0; direction < 4; ++direction) {
                const std::int32_t dx = steps[direction][0], dy = steps[direction][1];
                const std::int32_t owner = grid.getCell(slot, row);
                const std::int32_t lastSlot = slot + 3 * dx;
                if (owner == 0 || lastSlot < 0 || lastSlot >= grid.getSlots() || row + 3 * dy >= grid.getRows())
                    continue;
                int length = 1;
                while (length < 4 && grid.getCell(slot + length * dx, row + length * dy) == owner)
                    ++length;
                if (length == 4) {
                    ++directions[direction];
                    return owner;
                }
            }
    return 0;
}

}  // namespace

TEST(OutcomeCheckerTest, PicturedBoardsEndOrGoOn)
{
    const struct {
        std::int32_t expected;
        std::vector<std::string> picture;
    } cases[] = {
        {PLAYER_2_ID, {".......", "..1....", "..1....", "..1....", "..1...."}},
        // Diagonals reaching the top corners, from the last slots where one can start.
        {PLAYER_1_ID, {"......5", ".....51", "....551", "...5151", "...5115"}},
        {PLAYER_2_ID, {"1......", "51.....", "151....", "5511...", "5511..."}},
        // Runs broken by the other player's token, and a run going on past the end of a row.
        {GAME_GOES_ON, {".......", ".......", ".......", "5551555", "1115111"}},
        {GAME_GOES_ON, {".......", ".......", ".......", "1......", "5...111"}},
        // A full board has no winner even with a line; one empty cell left, the line decides.
        {NO_WINNER_ID, {"5515155", "1151551", "1551555", "1511511", "1115151"}},
        {PLAYER_1_ID, {".515111", "5511555", "1155115", "1515155", "1511511"}},
    };
    for (const auto& board : cases)
        EXPECT_EQ(outcomeOf(board.picture), board.expected) << testing::PrintToString(board.picture);
}

// Random games, each up to its first decision, judged after every token by both finders. The
// pictures above show the rule; this shows it holds wherever a line may lie.
TEST(OutcomeCheckerTest, AgreesWithAnIndependentLineFinderOnRandomGames)
{
    std::mt19937 random(20240611u);
    int directions[4] = {0, 0, 0, 0};
    for (int game = 0; game < 2000; ++game) {
        GameGrid grid(5, 7);
        const OutcomeChecker checker(&grid, 4);
        std::int32_t expected = GAME_GOES_ON;
        for (int token = 0; token < 35 && expected == GAME_GOES_ON; ++token) {
            auto slot = std::uint16_t(random() % 7);
            while (!grid.insertToken(slot, token % 2 == 0 ? PLAYER_1_ID : PLAYER_2_ID))
                slot = std::uint16_t((slot + 1) % 7);
            const std::int32_t owner = lineOwner(grid, directions);
            expected = token == 34 ? NO_WINNER_ID : owner == 0 ? GAME_GOES_ON : PLAYER_1_ID + PLAYER_2_ID - owner;
            ASSERT_EQ(checker.check(), expected) << "game " << game << ", token " << token;
        }
    }
    for (const int found : directions)  // the comparison is worth something only if all came up
        EXPECT_GT(found, 100);
}
