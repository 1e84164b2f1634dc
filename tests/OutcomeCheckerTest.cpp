#include <gtest/gtest.h>

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
