#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "Player.h"
#include "SdlGridDrawer.h"
#include "support/VideoTest.h"

namespace {

const Player PLAYER_1{"Player 1", 1, 255, 52, 52, 'O'};
const Player PLAYER_2{"Player 2", 5, 128, 128, 255, 'X'};

// The drawer reads fixed file names from data/, so each test draws with bitmaps of its own in a
// fresh working directory. The frame bitmap is transparent except for a black top row and left
// column: a cell's top-left corner is then the one black pixel whose left and upper neighbours
// are not black, and its fill shows everywhere else. The cursor bitmap is solid green.
class GridDrawerTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        char pattern[] = "/tmp/quorlitz-drawer-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        workDir_ = pattern;
        ASSERT_EQ(mkdir((workDir_ + "/data").c_str(), 0700), 0);
        ASSERT_NE(getcwd(startDir_, sizeof startDir_), nullptr);
        ASSERT_EQ(chdir(workDir_.c_str()), 0);
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(startDir_), 0);
        for (const char* file : {"/data/overlay.bmp", "/data/cursor.bmp"})
            std::remove((workDir_ + file).c_str());
        rmdir((workDir_ + "/data").c_str());
        rmdir(workDir_.c_str());
        VideoTest::TearDown();
    }

    // Writes the bitmaps and draws the empty or filled board with the cursor over the given slot.
    void draw(int overlayWidth, int overlayHeight, std::uint16_t cursorSlot, int cursorHeight = 50)
    {
        writeBitmaps(overlayWidth, overlayHeight, cursorHeight);
        SdlGridDrawer drawer(grid_, PLAYER_1, PLAYER_2, screen());
        drawer.setCursor(cursorSlot);
        drawer.draw();
    }

    void writeBitmaps(int overlayWidth, int overlayHeight, int cursorHeight = 50)
    {
        const SurfacePtr overlay(newBitmap(overlayWidth, overlayHeight, KEY));
        SDL_Rect topRow{0, 0, Uint16(overlayWidth), 1};
        SDL_Rect leftColumn{0, 0, 1, Uint16(overlayHeight)};
        SDL_FillRect(overlay.get(), &topRow, 0);
        SDL_FillRect(overlay.get(), &leftColumn, 0);
        ASSERT_EQ(SDL_SaveBMP(overlay.get(), "data/overlay.bmp"), 0);
        ASSERT_EQ(SDL_SaveBMP(SurfacePtr(newBitmap(20, cursorHeight, GREEN)).get(), "data/cursor.bmp"), 0);
    }

    Rgb at(int x, int y) const { return pixelAt(screen(), x, y); }

    // (x, y) is the top-left corner of an empty cell: black there, not black to the left or above.
    void expectCellCorner(int x, int y) const
    {
        EXPECT_EQ(at(x, y), BLACK) << "at (" << x << ", " << y << ")";
        EXPECT_FALSE(at(x - 1, y + 1) == BLACK) << "left of (" << x << ", " << y << ")";
        EXPECT_FALSE(at(x + 1, y - 1) == BLACK) << "above (" << x << ", " << y << ")";
        EXPECT_EQ(at(x + 1, y + 1), WHITE) << "inside the cell at (" << x << ", " << y << ")";
    }

    GameGrid grid_{5, 7};

private:
    static SDL_Surface* newBitmap(int width, int height, Rgb colour)
    {
        SDL_Surface* bitmap = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
        fillWith(bitmap, colour);
        return bitmap;
    }

    std::string workDir_;
    char startDir_[4096] = {};
};

TEST_F(GridDrawerTest, CentresAnEightyPixelBoardBelowTheCursorStrip)
{
    draw(80, 80, 3);
    // marginX 40, marginY 10: row 0 at the bottom, slot 0 on the left; x 40-599, y 70-469. Below
    // the strip, everything else is blue.
    expectCellCorner(40, 390);
    expectCellCorner(520, 70);
    expectCellCorner(120, 310);
    EXPECT_EQ(at(599, 469), WHITE);
    EXPECT_EQ(countOf(screen(), BLUE), 640 * 420 - 560 * 400);
    // The white strip, with the 50-high cursor at (280, 5) to (299, 54).
    EXPECT_EQ(at(0, 0), WHITE);
    EXPECT_EQ(at(639, 59), WHITE);
    EXPECT_EQ(boundsOf(screen(), GREEN), (SDL_Rect{280, 5, 20, 50}));
}

TEST_F(GridDrawerTest, GivesOddSparePixelsToTheRightAndToTheTopGap)
{
    draw(81, 79, 0);
    // marginX 36 (37 on the right), marginY 12: the board covers x 36 to 602 and y 73 to 467.
    expectCellCorner(36, 389);
    expectCellCorner(36 + 6 * 81, 73);
    EXPECT_EQ(at(602, 467), WHITE);
    EXPECT_EQ(countOf(screen(), BLUE), 640 * 420 - 567 * 395);
    EXPECT_EQ(boundsOf(screen(), GREEN), (SDL_Rect{36, 5, 20, 50})) << "flush with slot 0's left edge";
}

TEST_F(GridDrawerTest, FillsEachCellWithItsTokensColourAndRepaintsFromScratch)
{
    writeBitmaps(80, 80);
    ASSERT_TRUE(grid_.insertToken(0, 1));
    ASSERT_TRUE(grid_.insertToken(0, 5));
    ASSERT_TRUE(grid_.insertToken(2, 3));  // no player's id
    SdlGridDrawer drawer(grid_, PLAYER_1, PLAYER_2, screen());
    drawer.draw();

    EXPECT_EQ(at(80, 430), shown(screen(), {255, 52, 52}));    // slot 0, row 0
    EXPECT_EQ(at(80, 350), shown(screen(), {128, 128, 255}));  // slot 0, row 1
    EXPECT_EQ(at(80, 270), WHITE);                             // slot 0, row 2, empty
    EXPECT_EQ(at(240, 430), BLUE);                             // slot 2, row 0, holding 3
    EXPECT_EQ(at(200, 390), BLACK);                            // its frame is still drawn
    EXPECT_EQ(at(160, 430), WHITE);                            // slot 1, row 0, empty
    grid_.clear();
    drawer.draw();
    EXPECT_EQ(at(80, 430), WHITE);
    EXPECT_EQ(at(240, 430), WHITE);
}

TEST_F(GridDrawerTest, LetsATallCursorReachAboveAndBelowTheStrip)
{
    // (60 - 63) / 2 truncates to -1: the top row is clipped, the bottom two rows overhang the strip.
    draw(80, 80, 6, 63);
    EXPECT_EQ(boundsOf(screen(), GREEN), (SDL_Rect{520, 0, 20, 62}));
}

TEST_F(GridDrawerTest, StopsTheProgramWhenTheBoardDoesNotFitOrTheCursorIsOffIt)
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
