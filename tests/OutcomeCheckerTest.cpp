#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "GameGrid.h"
#include "OutcomeChecker.h"

namespace {

constexpr int SLOTS = 7, ROWS = 5, LINE = 4;                      // four of a player's own in a line lose
using Board = std::array<std::array<std::int32_t, ROWS>, SLOTS>;  // [slot][row], row 0 at the bottom
struct Cell {
    int slot, row;
};
using Line = std::vector<Cell>;

std::int32_t otherThan(std::int32_t player)
{
    return PLAYER_1_ID + PLAYER_2_ID - player;
}

// Each slot's tokens dropped bottom up, as the game lays them.
std::int32_t outcomeOf(const Board& board)
{
    GameGrid grid(ROWS, SLOTS);
    for (int slot = 0; slot < SLOTS; ++slot)
        for (int row = 0; row < ROWS && board[slot][row] != 0; ++row)
            grid.insertToken(std::uint16_t(slot), board[slot][row]);
    return OutcomeChecker(&grid, LOSING_LINE_LENGTH).check();
}

// Drawn as on screen, top row first: '1' and '5' are the players' tokens, '.' is empty.
Board pictured(const std::vector<std::string>& picture)
{
    Board board{};
    for (int row = 0; row < ROWS; ++row)
        for (int slot = 0; slot < SLOTS; ++slot)
            if (picture[std::size_t(ROWS - 1 - row)][std::size_t(slot)] != '.')
                board[slot][row] = picture[std::size_t(ROWS - 1 - row)][std::size_t(slot)] - '0';
    return board;
}

const struct Direction {
    const char* name;
    int slotStep, rowStep;
    std::size_t placements;  // on the 7 x 5 board
} DIRECTIONS[] = {
    {"vertical", 0, 1, 14}, {"horizontal", 1, 0, 20}, {"rising right", 1, 1, 8}, {"rising left", -1, 1, 8}};

// Every losing line that fits on the board in this direction.
std::vector<Line> linesGoing(const Direction& direction)
{
    std::vector<Line> lines;
    for (int slot = 0; slot < SLOTS; ++slot)
        for (int row = 0; row < ROWS; ++row) {
            Line line;
            for (int k = 0; k < LINE; ++k)
                line.push_back({slot + k * direction.slotStep, row + k * direction.rowStep});
            if (std::all_of(line.begin(), line.end(),
                            [](Cell cell) { return cell.slot >= 0 && cell.slot < SLOTS && cell.row < ROWS; }))
                lines.push_back(line);
        }
    return lines;
}

// How many lines in any direction hold nothing but the player's tokens: the test's own brute force.
int linesHeldBy(const Board& board, std::int32_t player)
{
    static const std::vector<Line> everyLine = [] {
        std::vector<Line> lines;
        for (const Direction& direction : DIRECTIONS)
            for (const Line& line : linesGoing(direction))
                lines.push_back(line);
        return lines;
    }();
    return int(std::count_if(everyLine.begin(), everyLine.end(), [&](const Line& line) {
        return std::all_of(line.begin(), line.end(),
                           [&](Cell cell) { return board[cell.slot][cell.row] == player; });
    }));
}

// The line in the player's tokens on the tokens it needs beneath, which both players share by pairs
// of slots shifted by phase; then, for each of its cells, that board with the cell the other player's.
std::vector<Board> boardsWith(const Line& line, std::int32_t player, int phase)
{
    Board board{};
    for (const Cell& cell : line)
        board[cell.slot][cell.row] = player;
    for (const Cell& cell : line)
        for (int row = 0; row < cell.row; ++row)
            if (board[cell.slot][row] == 0)
                board[cell.slot][row] = (cell.slot + 2 * row + phase) % 4 < 2 ? player : otherThan(player);
    std::vector<Board> boards(line.size() + 1, board);
    for (std::size_t k = 0; k < line.size(); ++k)
        boards[k + 1][line[k].slot][line[k].row] = otherThan(player);
    return boards;
}

// The first board holds the player's line and no other; the broken ones hold no line at all.
bool holdOnlyTheLine(const std::vector<Board>& boards, std::int32_t player)
{
    int lines = 0;
    for (const Board& board : boards)
        lines += linesHeldBy(board, player) + linesHeldBy(board, otherThan(player));
    return lines == 1 && linesHeldBy(boards[0], player) == 1;
}

}  // namespace

// Every placement of a line on the board, for each player, on a board holding no other line: the
// line's owner loses. With any one of its cells the other player's instead, the game goes on.
TEST(OutcomeCheckerTest, EveryLineAnywhereLosesAndGoesOnWhenOneCellIsTheOtherPlayers)
{
    for (const Direction& direction : DIRECTIONS) {
        const std::vector<Line> lines = linesGoing(direction);
        EXPECT_EQ(lines.size(), direction.placements) << direction.name;
        for (const Line& line : lines)
            for (const std::int32_t player : {PLAYER_1_ID, PLAYER_2_ID}) {
                SCOPED_TRACE(testing::Message() << direction.name << " line of " << player << " from ("
                                                << line[0].slot << ", " << line[0].row << ")");
                std::vector<Board> boards;
                // Only some phases of the tokens beneath make no other line.
                for (int phase = 0;
                     phase < 4 && !holdOnlyTheLine(boards = boardsWith(line, player, phase), player);)
                    ++phase;
                ASSERT_TRUE(holdOnlyTheLine(boards, player));
                EXPECT_EQ(outcomeOf(boards[0]), otherThan(player));
                for (std::size_t broken = 1; broken < boards.size(); ++broken)
                    EXPECT_EQ(outcomeOf(boards[broken]), GAME_GOES_ON) << "with cell " << broken << " broken";
            }
    }
}

// Full, the board ends the game without a winner even with the 5s' line in its top row. With the top
// cell of any one slot open it is not full: the line decides (Player 1 wins) unless that cell was part
// of it, and then the game goes on.
TEST(OutcomeCheckerTest, OnlyABoardWithEveryCellOfEverySlotTakenEndsWithoutAWinner)
{
    const std::vector<std::string> full = {"1155551", "1151515", "5511511", "1515155", "5151115"};
    EXPECT_EQ(outcomeOf(pictured(full)), NO_WINNER_ID);
    const std::int32_t won = PLAYER_1_ID, on = GAME_GOES_ON,
                       withTopOpen[SLOTS] = {won, won, on, on, on, on, won};
    for (int slot = 0; slot < SLOTS; ++slot) {
        std::vector<std::string> picture = full;
        picture[0][std::size_t(slot)] = '.';
        EXPECT_EQ(outcomeOf(pictured(picture)), withTopOpen[slot]) << "slot " << slot << "'s top cell open";
    }
}

// Columns first, then rows, rising-right and rising-left lines, each scan in its loops' order
// (slots from the left, rows from the bottom, rising-left lines from the right), the first line met
// deciding.
TEST(OutcomeCheckerTest, PicturedBoardsAreJudgedInScanOrder)
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
        // Runs broken by the other player's token, going on past the end of a row or a slot, of five.
        {GAME_GOES_ON, {".......", ".......", ".......", "5551555", "1115111"}},
        {GAME_GOES_ON, {".......", ".......", ".......", "1......", "5...111"}},
        {GAME_GOES_ON, {"1......", "1......", "5......", "51.....", "51....."}},
        {PLAYER_2_ID, {".......", ".......", ".......", ".......", ".11111."}},
    };
    for (const auto& board : cases)
        EXPECT_EQ(outcomeOf(pictured(board.picture)), board.expected)
            << testing::PrintToString(board.picture);
}
