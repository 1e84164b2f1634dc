#include "OutcomeChecker.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "GameGrid.h"

namespace {

constexpr int SLOTS = 7, ROWS = 5;

// The board as on screen, top row first: '1' and '5' are the players' tokens, '.' is empty.
std::int32_t outcomeOf(const std::vector<std::string>& picture)
{
    GameGrid grid(ROWS, SLOTS);
    for (int slot = 0; slot < SLOTS; ++slot)
        for (int row = ROWS - 1; row >= 0 && picture[std::size_t(row)][std::size_t(slot)] != '.'; --row)
            grid.insertToken(std::uint16_t(slot), picture[std::size_t(row)][std::size_t(slot)] - '0');
    return OutcomeChecker(&grid, LOSING_LINE_LENGTH).check();
}

// Lines at the far end of every scan: a column up to the top in the last slot, the top row to the
// last slot, both diagonals in the last slot and row their scans start from, and back to slot 0.
TEST(OutcomeCheckerTest, LinesAtTheBoardsEdgesLose)
{
    const std::pair<std::int32_t, std::vector<std::string>> cases[] = {
        {PLAYER_2_ID, {"......1", "......1", "......1", "......1", "......5"}},
        {PLAYER_1_ID, {"...5555", "...5115", "...1551", "...5115", "...1551"}},
        {PLAYER_2_ID, {"......1", ".....11", "....115", "...1551", "...5115"}},
        {PLAYER_2_ID, {"...1...", "...11..", "...511.", "...1551", "...5115"}},
        {PLAYER_1_ID, {".......", "5......", "55.....", "115....", "5515..."}},
    };
    for (const auto& [winner, picture] : cases)
        EXPECT_EQ(outcomeOf(picture), winner) << testing::PrintToString(picture);
}

// Full, the board has no winner even with the 5s' line in its top row; with any slot's top cell
// open, the line decides unless that cell was part of it.
TEST(OutcomeCheckerTest, OnlyAFullBoardEndsWithoutAWinner)
{
    const std::vector<std::string> full = {"1155551", "1151515", "5511511", "1515155", "5151115"};
    EXPECT_EQ(outcomeOf(full), NO_WINNER_ID);
    const std::int32_t won = PLAYER_1_ID, on = GAME_GOES_ON,
                       withTopOpen[SLOTS] = {won, won, on, on, on, on, won};
    for (int slot = 0; slot < SLOTS; ++slot) {
        std::vector<std::string> picture = full;
        picture[0][std::size_t(slot)] = '.';
        EXPECT_EQ(outcomeOf(picture), withTopOpen[slot]) << "slot " << slot << "'s top cell open";
    }
}

// Columns, rows, rising-right then rising-left lines, each scanned slots from the left (rising-left
// from the right) and rows from the bottom: the first line met decides.
TEST(OutcomeCheckerTest, TheFirstLineInScanOrderDecides)
{
    const struct {
        std::int32_t expected;
        std::vector<std::string> picture;
    } cases[] = {
        {PLAYER_2_ID, {".......", "1......", "1......", "1......", "15555.."}},  // column, row
        {PLAYER_1_ID, {".......", "5..1...", "5..1...", "5..1...", "5..1..."}},  // slot 0, slot 3
        {PLAYER_1_ID, {".......", ".......", ".......", "1111...", "5555..."}},  // row 0, row 1
        {PLAYER_2_ID, {"......5", ".....55", "....555", "...5151", "1111515"}},  // row, rising right
        {PLAYER_2_ID, {"...5...", "...15..", "..1515.", ".111555", "1155115"}},  // rising right, left
        {PLAYER_2_ID, {"...1...", "..115..", ".1551..", "15515..", "15551.."}},  // from slot 0, slot 1
        {PLAYER_1_ID, {"...5...", "..115..", "..5115.", "..11155", "..55115"}},  // from slot 6, slot 5
        // Runs broken by the other player or a gap, across a row's end, and a run of five.
        {GAME_GOES_ON, {".......", ".......", ".......", "5551555", "1115111"}},
        {GAME_GOES_ON, {".......", ".......", ".......", "55.55..", "1515151"}},
        {GAME_GOES_ON, {".......", ".......", ".......", "1......", "5...111"}},
        {GAME_GOES_ON, {"1......", "1......", "5......", "51.....", "51....."}},
        {PLAYER_2_ID, {".......", ".......", ".......", ".......", ".11111."}},
    };
    for (const auto& board : cases)
        EXPECT_EQ(outcomeOf(board.picture), board.expected) << testing::PrintToString(board.picture);
}

}  // namespace
