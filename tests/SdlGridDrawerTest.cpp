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

// Drawn with the built 91 x 84 frame and the cursor, also on a display larger than the window's:
// the board centred below the 60-pixel strip, an odd spare pixel going to the right and to the gap
// under the strip; every cell's fill under its frame; the cursor flush with its slot's left edge.
TEST_F(SdlGridDrawerTest, DrawsEveryCellInItsTokensColourAndTheCursorOverItsSlot)
{
    GameGrid grid(5, 7);
    ASSERT_TRUE(grid.insertToken(0, 1) && grid.insertToken(0, 5) && grid.insertToken(2, 3));
    const SurfacePtr frame(loadBitmap("overlay.bmp", true, 255, 0, 255));
    const SurfacePtr cursor(loadBitmap("cursor.bmp", true, 255, 0, 255));
    // Indexed by cell value: 3 is no player's id and leaves the background in its frame.
    const Rgb fills[6] = {WHITE, shown(screen(), {255, 52, 52}), WHITE, BLUE, WHITE, shown(screen(), {128, 128, 255})};
    const int sizes[][4] = {{640, 480, 1, 0}, {642, 483, 2, 1}};  // width, height, margins x and y
    for (const auto& size : sizes) {
        SCOPED_TRACE(::testing::Message() << size[0] << " x " << size[1]);
        const SurfacePtr target(surfaceLike(screen(), size[0], size[1]));
        SdlGridDrawer drawer(grid, PLAYER_1, PLAYER_2, target.get());
        drawer.setCursor(3);
        drawer.draw();
        for (int slot = 0; slot < 7; ++slot)
            for (int row = 0; row < 5; ++row)
                expectDrawnAt(target.get(), frame.get(), size[2] + slot * 91, size[1] - size[3] - (row + 1) * 84,
                              fills[grid.getCell(slot, row)]);
        expectDrawnAt(target.get(), cursor.get(), size[2] + 3 * 91, 5, WHITE);
        EXPECT_EQ(pixelAt(target.get(), size[2] - 1, size[1] - 1), BLUE);
        EXPECT_EQ(pixelAt(target.get(), size[0] - 1, 60 + size[1] - 480), BLUE);
        EXPECT_EQ(pixelAt(target.get(), size[0] - 1, 59), WHITE);
    }
}

}  // namespace
