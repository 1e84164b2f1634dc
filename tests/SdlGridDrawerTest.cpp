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

// Cells of 91 x 84: the 7 x 5 board spans x 1 to 637, one blue column on its left ((640 - 7 x 91) / 2)
// and two on its right, and y 60 to 479, all of the window below the 60-pixel strip.
constexpr int CELL_WIDTH = 91, CELL_HEIGHT = 84, BOARD_LEFT = 1, BOARD_BOTTOM = 480;

int brightness(Rgb colour)
{
    return colour.r + colour.g + colour.b;
}

// What a cell shows where, from its top-left pixel, beside the frame's face at (8, 8): the token's
// colour through the round hole, at the middle and 27 to 29 pixels from it; the hole's rim darker
// than the face; the bevel lighter along the top and left edges, darker along the bottom and right.
enum Part { DARKER = -1, HOLE = 0, LIGHTER = 1 };
const struct {
    int x, y;
    Part part;
} CELL_PARTS[] = {
    {45, 41, HOLE},  {17, 41, HOLE},   {73, 41, HOLE},   {45, 14, HOLE},   {45, 69, HOLE},   {25, 21, HOLE},
    {65, 62, HOLE},  {10, 41, DARKER}, {80, 41, DARKER}, {45, 7, DARKER},  {45, 76, DARKER},  // the rim
    {0, 0, LIGHTER}, {45, 1, LIGHTER}, {1, 41, LIGHTER}, {90, 83, DARKER}, {45, 82, DARKER}, {89, 41, DARKER},
};

using SdlGridDrawerTest = VideoTest;

// Every cell as it must look, with its token's colour or white in the hole; blue left and right of
// the board; the cursor, an arrow pointing down, in the middle of its slot's column and of the strip.
TEST_F(SdlGridDrawerTest, DrawsEveryCellWithItsTokenInTheHoleOfItsFrameAndTheCursorOverItsSlot)
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
            EXPECT_GT(face.r, face.b + 100)
                << "the frame, brass unlike the background, at " << left << ", " << top;
            for (const auto& part : CELL_PARTS) {
                const Rgb colour = pixelAt(screen(), left + part.x, top + part.y);
                SCOPED_TRACE(testing::Message() << colour << " at " << part.x << ", " << part.y << " in "
                                                << slot << ", " << row << " beside the face's " << face);
                if (part.part == HOLE)
                    EXPECT_EQ(colour, token == tokens.end() ? WHITE : token->second);
                else
                    EXPECT_GT(part.part * (brightness(colour) - brightness(face)), 40);
            }
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
    EXPECT_EQ(boundsOf(screen(), shown(screen(), {255, 0, 255})), (SDL_Rect{0, 0, 0, 0}))
        << "the bitmaps' key shows";
}

}  // namespace
