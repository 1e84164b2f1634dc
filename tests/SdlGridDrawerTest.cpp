#include "SdlGridDrawer.h"

#include <algorithm>
#include <climits>
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

int brightness(Rgb colour) { return colour.r + colour.g + colour.b; }

// What a cell shows where, from its top-left pixel: the token's colour through the round hole, at
// the middle and 27 to 29 pixels from it; the hole's rim, darker than the frame's face; the bevel,
// lighter than the face along the top and left edges and darker along the bottom and right ones.
enum Part { HOLE, FACE, RIM, LIT_EDGE, SHADED_EDGE };
const struct {
    int x, y;
    Part part;
} CELL_PARTS[] = {
    {45, 41, HOLE}, {17, 41, HOLE}, {73, 41, HOLE}, {45, 14, HOLE}, {45, 69, HOLE}, {25, 21, HOLE}, {65, 62, HOLE},
    {8, 8, FACE}, {82, 75, FACE}, {5, 41, FACE}, {85, 41, FACE},
    {10, 41, RIM}, {80, 41, RIM}, {45, 7, RIM}, {45, 76, RIM},
    {0, 0, LIT_EDGE}, {45, 1, LIT_EDGE}, {1, 41, LIT_EDGE},
    {90, 83, SHADED_EDGE}, {45, 82, SHADED_EDGE}, {89, 41, SHADED_EDGE},
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
            SCOPED_TRACE(testing::Message() << "slot " << slot << ", row " << row);
            const auto token = tokens.find({slot, row});
            const Rgb fill = token == tokens.end() ? WHITE : token->second;
            const int left = BOARD_LEFT + slot * CELL_WIDTH, top = BOARD_BOTTOM - (row + 1) * CELL_HEIGHT;
            const auto at = [&](int x, int y) { return pixelAt(screen(), left + x, top + y); };
            int dullestFace = INT_MAX, brightestFace = 0;
            for (const auto& face : CELL_PARTS)
                if (face.part == FACE) {
                    dullestFace = std::min(dullestFace, brightness(at(face.x, face.y)));
                    brightestFace = std::max(brightestFace, brightness(at(face.x, face.y)));
                }
            for (const auto& part : CELL_PARTS) {
                const Rgb colour = at(part.x, part.y);
                SCOPED_TRACE(testing::Message() << colour << " at (" << part.x << ", " << part.y << ") in the cell");
                switch (part.part) {
                case HOLE:
                    EXPECT_EQ(colour, fill);
                    break;
                case FACE:
                    EXPECT_GT(colour.r, colour.b + 100) << "brass, unlike the blue background";
                    break;
                case LIT_EDGE:
                    EXPECT_GT(brightness(colour), brightestFace + 40);
                    break;
                case RIM:
                case SHADED_EDGE:
                    EXPECT_LT(brightness(colour), dullestFace - 40);
                    break;
                }
            }
        }
    for (const int x : {0, 638, 639})
        for (const int y : {60, 300, 479})
            EXPECT_EQ(pixelAt(screen(), x, y), BLUE) << "at (" << x << ", " << y << ")";

    // Slot 3's column spans x 274 to 364.
    const SDL_Rect arrow = boundsOf(screen(), WHITE, true, {0, 0, 640, 60});
    EXPECT_EQ(2 * arrow.x + arrow.w - 1, 274 + 364) << arrow;
    EXPECT_TRUE(arrow.x >= 274 && arrow.x + arrow.w <= 365) << arrow;
    EXPECT_LE(std::abs(arrow.y - (60 - arrow.y - arrow.h)), 1) << arrow << " is not in the middle of the strip";
    EXPECT_GT(arrow.y, 0) << arrow;
    const auto widthAt = [&](int y) { return int(boundsOf(screen(), WHITE, true, {0, Sint16(y), 640, 1}).w); };
    int head = 0;
    for (int y = arrow.y; y < arrow.y + arrow.h; ++y)
        head = std::max(head, widthAt(y));
    const int shaft = widthAt(arrow.y), tip = widthAt(arrow.y + arrow.h - 1);
    EXPECT_TRUE(shaft < head && tip < shaft) << "shaft " << shaft << ", head " << head << ", tip " << tip;
    EXPECT_EQ(boundsOf(screen(), shown(screen(), {255, 0, 255})), (SDL_Rect{0, 0, 0, 0})) << "the bitmaps' key shows";
}

}  // namespace
