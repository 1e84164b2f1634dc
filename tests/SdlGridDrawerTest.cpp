#include "SdlGridDrawer.h"

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "SdlHelper.h"
#include "support/VideoTest.h"

namespace {

const Player PLAYER_1{"Player 1", 1, 255, 52, 52, 'O'};
const Player PLAYER_2{"Player 2", 5, 128, 128, 255, 'X'};

using SdlGridDrawerTest = VideoTest;

// Drawn with the built 91 x 84 frame and the cursor: the board centred below the 60-pixel strip,
// the odd spare pixel to its right; every cell's fill under its frame; the cursor flush with its
// slot's left edge.
TEST_F(SdlGridDrawerTest, DrawsEveryCellInItsTokensColourAndTheCursorOverItsSlot)
{
    GameGrid grid(5, 7);
    ASSERT_TRUE(grid.insertToken(0, 1) && grid.insertToken(0, 5) && grid.insertToken(2, 3));
    const SurfacePtr frame(loadBitmap("overlay.bmp", true, 255, 0, 255));
    const SurfacePtr cursor(loadBitmap("cursor.bmp", true, 255, 0, 255));
    // Indexed by cell value: 3 is no player's id and leaves the background in its frame.
    const Rgb fills[6] = {WHITE, shown(screen(), {255, 52, 52}), WHITE, BLUE, WHITE, shown(screen(), {128, 128, 255})};
    SdlGridDrawer drawer(grid, PLAYER_1, PLAYER_2, screen());
    drawer.setCursor(3);
    drawer.draw();
    for (int slot = 0; slot < 7; ++slot)
        for (int row = 0; row < 5; ++row)
            expectDrawnAt(screen(), frame.get(), 1 + slot * 91, 480 - (row + 1) * 84, fills[grid.getCell(slot, row)]);
    expectDrawnAt(screen(), cursor.get(), 1 + 3 * 91, 5, WHITE);
    for (const int x : {0, 639})
        EXPECT_EQ(pixelAt(screen(), x, 60), BLUE) << x;
    EXPECT_EQ(pixelAt(screen(), 639, 59), WHITE);
}

}  // namespace
