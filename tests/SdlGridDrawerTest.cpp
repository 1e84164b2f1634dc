#include "SdlGridDrawer.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "support/VideoTest.h"

namespace {

const Player PLAYER_1{"Player 1", 1, 255, 52, 52, 'O'};
const Player PLAYER_2{"Player 2", 5, 128, 128, 255, 'X'};

// The drawer reads fixed file names from data/, so each test draws with bitmaps of its own in a
// fresh working directory. The frame bitmap is transparent except for a black top row and left
// column: a cell's top-left corner is then the one black pixel whose left and upper neighbours
// are not black, and its fill shows everywhere else. The cursor bitmap is solid green.
class SdlGridDrawerTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        workDir_ = std::filesystem::temp_directory_path() / ("quorlitz-drawer-" + std::to_string(getpid()));
        std::filesystem::create_directories(workDir_ / "data");
        startDir_ = std::filesystem::current_path();
        std::filesystem::current_path(workDir_);
    }
    void TearDown() override
    {
        std::filesystem::current_path(startDir_);
        std::filesystem::remove_all(workDir_);
        VideoTest::TearDown();
    }

    void writeBitmaps(int overlayWidth, int overlayHeight, int cursorHeight = 50) const
    {
        const SurfacePtr overlay(bitmap(overlayWidth, overlayHeight, KEY));
        SDL_Rect topRow{0, 0, Uint16(overlayWidth), 1}, leftColumn{0, 0, 1, Uint16(overlayHeight)};
        SDL_FillRect(overlay.get(), &topRow, 0);
        SDL_FillRect(overlay.get(), &leftColumn, 0);
        ASSERT_EQ(SDL_SaveBMP(overlay.get(), "data/overlay.bmp"), 0);
        ASSERT_EQ(SDL_SaveBMP(SurfacePtr(bitmap(20, cursorHeight, GREEN)).get(), "data/cursor.bmp"), 0);
    }

    // (x, y) is the top-left corner of an empty cell: black there, not black to the left or above.
    void expectCellCorner(int x, int y) const
    {
        const bool corner = at(x, y) == BLACK && !(at(x - 1, y + 1) == BLACK) && !(at(x + 1, y - 1) == BLACK);
        EXPECT_TRUE(corner && at(x + 1, y + 1) == WHITE) << "no empty cell's corner at (" << x << ", " << y << ")";
    }

    Rgb at(int x, int y) const { return pixelAt(screen(), x, y); }

    GameGrid grid_{5, 7};

private:
    static SDL_Surface* bitmap(int width, int height, Rgb colour)
    {
        SDL_Surface* bitmap = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
        fillWith(bitmap, colour);
        return bitmap;
    }

    std::filesystem::path workDir_, startDir_;
};

// The board centred below the 60-pixel strip, odd spare pixels to the right and to the top gap;
// the cursor flush with its slot's left edge and centred in the strip, a tall one clipped at the top.
TEST_F(SdlGridDrawerTest, CentresTheBoardBelowTheStripAndTheCursorOverItsSlot)
{
    const struct {
        int overlayWidth, overlayHeight, cursorHeight, slot, left, bottomRowTop;
        SDL_Rect cursor;
    } cases[] = {{80, 80, 50, 3, 40, 390, {280, 5, 20, 50}},
                 {81, 79, 50, 0, 36, 389, {36, 5, 20, 50}},
                 {80, 80, 63, 6, 40, 390, {520, 0, 20, 62}}};
    for (const auto& board : cases) {
        SCOPED_TRACE(::testing::Message() << board.overlayWidth << " x " << board.overlayHeight);
        writeBitmaps(board.overlayWidth, board.overlayHeight, board.cursorHeight);
        SdlGridDrawer drawer(grid_, PLAYER_1, PLAYER_2, screen());
        drawer.setCursor(std::uint16_t(board.slot));
        drawer.draw();
        expectCellCorner(board.left, board.bottomRowTop);
        expectCellCorner(board.left + 6 * board.overlayWidth, board.bottomRowTop - 4 * board.overlayHeight);
        EXPECT_EQ(at(board.left + 7 * board.overlayWidth - 1, board.bottomRowTop + board.overlayHeight - 1), WHITE);
        const int overhang = board.cursor.w * std::max(0, board.cursor.y + board.cursor.h - 60);
        EXPECT_EQ(countOf(screen(), BLUE), 640 * 420 - 7 * board.overlayWidth * 5 * board.overlayHeight - overhang);
        EXPECT_EQ(at(639, 59), WHITE);
        EXPECT_EQ(boundsOf(screen(), GREEN), board.cursor);
    }
}

TEST_F(SdlGridDrawerTest, FillsEachCellWithItsTokensColourAndRepaintsFromScratch)
{
    writeBitmaps(80, 80);
    ASSERT_TRUE(grid_.insertToken(0, 1) && grid_.insertToken(0, 5) && grid_.insertToken(2, 3));
    SdlGridDrawer drawer(grid_, PLAYER_1, PLAYER_2, screen());
    drawer.draw();
    // Row 0 is the bottom row; a value that is no player's id leaves the background in its frame.
    EXPECT_EQ(at(80, 430), shown(screen(), {255, 52, 52}));
    EXPECT_EQ(at(80, 350), shown(screen(), {128, 128, 255}));
    EXPECT_EQ(at(80, 270), WHITE);
    EXPECT_EQ(at(240, 430), BLUE);
    EXPECT_EQ(at(200, 390), BLACK);
    grid_.clear();
    drawer.draw();
    EXPECT_EQ(countOf(screen(), WHITE), 60 * 640 + 7 * 5 * 79 * 79 - 20 * 50);
}

TEST_F(SdlGridDrawerTest, StopsTheProgramWhenTheBoardDoesNotFitOrTheCursorIsOffIt)
{
    writeBitmaps(91, 84);
    SdlGridDrawer largestThatFits(grid_, PLAYER_1, PLAYER_2, screen());
    largestThatFits.setCursor(6);
    EXPECT_EXIT(largestThatFits.setCursor(7), ::testing::ExitedWithCode(2),
                literally("check failed: slot < grid_.getSlots()"));
    writeBitmaps(92, 84);
    EXPECT_EXIT(SdlGridDrawer(grid_, PLAYER_1, PLAYER_2, screen()), ::testing::ExitedWithCode(2),
                literally("check failed: display->w >= overlay_->w * grid_.getSlots()"));
    writeBitmaps(91, 85);
    EXPECT_EXIT(SdlGridDrawer(grid_, PLAYER_1, PLAYER_2, screen()), ::testing::ExitedWithCode(2),
                literally("check failed: display->h >= CURSOR_SPACE + overlay_->h * grid_.getRows()"));
}

}  // namespace
