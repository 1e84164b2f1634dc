// The bitmaps that the art generator drew into data/, as the game draws them.

#include <cstdlib>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "SdlGridDrawer.h"
#include "support/VideoTest.h"

namespace {

using ArtGeneratorTest = VideoTest;

// The window turns a pointer's x into slot x / (640 / 7). Each drawn column must answer to its own
// slot, one pixel at its edge aside, and the cursor over a slot must point at that column's middle.
TEST_F(ArtGeneratorTest, DrawnColumnsMatchTheClickBandsAndTheCursorIsCentredOverItsColumn)
{
    const int band = screen()->w / 7;
    const GameGrid grid(5, 7);
    const Player player{"Player", 1, 255, 0, 0, 'O'};
    SdlGridDrawer drawer(grid, player, player, screen());
    drawer.setCursor(0);
    drawer.draw();
    SDL_Rect strip = {0, 0, 640, SdlGridDrawer::CURSOR_SPACE};
    SDL_FillRect(screen(), &strip, SDL_MapRGB(screen()->format, 0, 0, 255));
    const SDL_Rect board = boundsOf(screen(), BLUE, true);
    ASSERT_EQ(board.w % 7, 0) << "board " << board;
    const int columnWidth = board.w / 7;
    for (int slot = 0; slot < 7; ++slot) {
        SCOPED_TRACE(::testing::Message() << "slot " << slot);
        const int first = board.x + slot * columnWidth, last = first + columnWidth - 1;
        EXPECT_EQ(pixelAt(screen(), (first + last) / 2, board.y + board.h - board.h / 10), WHITE) << "no hole";
        int strays = 0, inside = 0;
        for (int x = first; x <= last; ++x)
            if (x / band != slot) {
                ++strays;
                inside += x != first && x != last ? 1 : 0;
            }
        EXPECT_TRUE(strays <= 1 && inside == 0)
            << strays << " of x " << first << " to " << last << " choose another slot";

        fillWith(screen(), WHITE);
        drawer.setCursor(std::uint16_t(slot));
        drawer.drawCursor();
        const SDL_Rect cursor = boundsOf(screen(), WHITE, true);
        ASSERT_GT(cursor.w, 0);
        EXPECT_LE(std::abs((2 * cursor.x + cursor.w - 1) - (first + last)), 2) << "cursor " << cursor;
    }
}

}  // namespace
