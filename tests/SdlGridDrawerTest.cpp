#include "SdlGridDrawer.h"

#include <map>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "SdlHelper.h"
#include "support/VideoTest.h"

namespace {

const Player PLAYER_1{"Player 1", 1, 255, 52, 52, 'O'};
const Player PLAYER_2{"Player 2", 5, 128, 128, 255, 'X'};

using SdlGridDrawerTest = VideoTest;

// Drawn with the built frame and cursor: the board centred below the 60-pixel strip, an odd spare
// pixel to its right; every cell's fill under its frame; the cursor flush with its slot's left edge.
// The frame stands out from the blue background, and the arrow points down into its slot.
TEST_F(SdlGridDrawerTest, DrawsEveryCellInItsTokensColourAndTheCursorOverItsSlot)
{
    GameGrid grid(5, 7);
    ASSERT_TRUE(grid.insertToken(0, 1) && grid.insertToken(0, 5) && grid.insertToken(2, 5));
    const SurfacePtr frame(loadBitmap("overlay.bmp", true, BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b));
    const SurfacePtr cursor(loadBitmap("cursor.bmp", true, BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b));
    const int left = (640 - 7 * frame->w) / 2, bottom = 480 - (480 - 60 - 5 * frame->h) / 2;
    const std::map<std::int32_t, Rgb> fills = {
        {0, WHITE}, {1, shown(screen(), {255, 52, 52})}, {5, shown(screen(), {128, 128, 255})}};
    SdlGridDrawer drawer(grid, PLAYER_1, PLAYER_2, screen());
    drawer.setCursor(3);
    drawer.draw();
    for (int slot = 0; slot < 7; ++slot)
        for (int row = 0; row < 5; ++row)
            expectDrawnAt(screen(), frame.get(), left + slot * frame->w, bottom - (row + 1) * frame->h,
                          fills.at(grid.getCell(slot, row)));
    expectDrawnAt(screen(), cursor.get(), left + 3 * frame->w, (60 - cursor->h) / 2, WHITE);
    for (const int x : {left - 1, left + 7 * frame->w})
        EXPECT_EQ(pixelAt(screen(), x, 60), BLUE) << x;
    EXPECT_EQ(pixelAt(screen(), 639, 59), WHITE);

    const Rgb face = pixelAt(frame.get(), frame->w / 2, 2), key = shown(screen(), {BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b});
    EXPECT_GT(face.r, face.b + 100) << face;
    const SDL_Rect arrow = boundsOf(cursor.get(), key, true);
    const auto widthAt = [&](int y) { return boundsOf(cursor.get(), key, true, {0, Sint16(y), Uint16(cursor->w), 1}).w; };
    EXPECT_LT(widthAt(arrow.y + arrow.h - 1), widthAt(arrow.y + arrow.h - 10)) << "the arrow is widest at its bottom";
}

}  // namespace
