#include "SdlGridDrawer.h"

#include <cstdlib>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "support/VideoTest.h"

namespace {

const Player PLAYER_1{"Player 1", 1, 255, 52, 52, 'O'};
const Player PLAYER_2{"Player 2", 5, 128, 128, 255, 'X'};

// The board spans x 1 to 637 and y 60 to 479, below the 60-pixel strip.
constexpr int CELL_WIDTH = 91, CELL_HEIGHT = 84, BOARD_LEFT = 1, BOARD_BOTTOM = 480;

// Inside each frame's round hole, from the cell's top-left pixel.
const std::pair<int, int> HOLE_POINTS[] = {{45, 41}, {17, 41}, {73, 41}, {45, 14},
                                           {45, 69}, {25, 21}, {65, 62}};

using SdlGridDrawerTest = VideoTest;

// The cursor: an arrow pointing down, centred over its slot in the strip.
TEST_F(SdlGridDrawerTest, DrawsEachCellsTokenThroughItsFrameAndTheCursorOverItsSlot)
{
    GameGrid grid(5, 7);
    ASSERT_TRUE(grid.insertToken(0, 1) && grid.insertToken(0, 5) && grid.insertToken(2, 5));
    const Rgb red = shown(screen(), {255, 52, 52}), lilac = shown(screen(), {128, 128, 255});
    const std::map<std::pair<int, int>, Rgb> tokens = {{{0, 0}, red}, {{0, 1}, lilac}, {{2, 0}, lilac}};
    SdlGridDrawer drawer(grid, PLAYER_1, PLAYER_2, screen());
    drawer.setCursor(3);
    drawer.draw();

    for (int slot = 0; slot < 7; ++slot)
        for (int row = 0; row < 5; ++row) {
            const int left = BOARD_LEFT + slot * CELL_WIDTH, top = BOARD_BOTTOM - (row + 1) * CELL_HEIGHT;
            const auto token = tokens.find({slot, row});
            const Rgb face = pixelAt(screen(), left + 8, top + 8);
            EXPECT_GT(face.r, face.b + 100) << "no brass frame in slot " << slot << ", row " << row;
            for (const auto& [x, y] : HOLE_POINTS)
                EXPECT_EQ(pixelAt(screen(), left + x, top + y), token == tokens.end() ? WHITE : token->second)
                    << "at " << x << ", " << y << " in slot " << slot << ", row " << row;
        }
    for (const int x : {0, 638, 639})
        EXPECT_EQ(pixelAt(screen(), x, 300), BLUE) << "beside the board at x = " << x;

    // Slot 3's column spans x 274 to 364.
    const SDL_Rect arrow = boundsOf(screen(), WHITE, true, {0, 0, 640, 60});
    EXPECT_EQ(2 * arrow.x + arrow.w - 1, 274 + 364) << arrow;
    EXPECT_TRUE(arrow.x >= 274 && arrow.x + arrow.w <= 365 && arrow.y > 0) << arrow;
    EXPECT_LE(std::abs(arrow.y - (60 - arrow.y - arrow.h)), 1)
        << arrow << " is not in the middle of the strip";
    const auto widthAt = [&](int y) { return boundsOf(screen(), WHITE, true, {0, Sint16(y), 640, 1}).w; };
    EXPECT_LT(widthAt(arrow.y + arrow.h - 1), widthAt(arrow.y)) << "the arrow narrows to a tip at its bottom";
}

}  // namespace
