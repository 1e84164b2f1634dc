// The bitmaps that make_art drew into data/, read back as the files they are.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "sdl/VideoTest.h"

namespace {

// The board of 7 slots and 5 rows under a 60-pixel cursor strip in the 640 x 480 window.
const int WINDOW_WIDTH = 640;
const int WINDOW_HEIGHT = 480;
const int CURSOR_STRIP = 60;
const int SLOTS = 7;
const int ROWS = 5;

class ArtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        overlay_.reset(SDL_LoadBMP("data/overlay.bmp"));
        ASSERT_NE(overlay_, nullptr) << SDL_GetError();
        cursor_.reset(SDL_LoadBMP("data/cursor.bmp"));
        ASSERT_NE(cursor_, nullptr) << SDL_GetError();
    }

    SurfacePtr overlay_;
    SurfacePtr cursor_;
};

TEST_F(ArtTest, BothAreTrueColourBitmaps)
{
    EXPECT_EQ(overlay_->format->BitsPerPixel, 24);
    EXPECT_EQ(cursor_->format->BitsPerPixel, 24);
}

TEST_F(ArtTest, BoardAndCursorFitTheWindow)
{
    EXPECT_LE(overlay_->w * SLOTS, WINDOW_WIDTH);
    EXPECT_LE(overlay_->h * ROWS + CURSOR_STRIP, WINDOW_HEIGHT);
    EXPECT_LE(cursor_->h, CURSOR_STRIP);
    // Drawn flush with its column's left edge, the cursor is centred over the column only when
    // it is exactly as wide.
    EXPECT_EQ(cursor_->w, overlay_->w);
}

TEST_F(ArtTest, OverlayHasARoundHoleInAFrameOfItsOwnColour)
{
    const int w = overlay_->w;
    const int h = overlay_->h;
    const double centreX = (w - 1) / 2.0;
    const double centreY = (h - 1) / 2.0;

    EXPECT_EQ(pixelAt(overlay_.get(), w / 2, h / 2), KEY);
    for (const auto& corner : {std::make_pair(0, 0), std::make_pair(w - 1, 0), std::make_pair(0, h - 1),
                               std::make_pair(w - 1, h - 1)}) {
        const Rgb colour = pixelAt(overlay_.get(), corner.first, corner.second);
        EXPECT_FALSE(colour == KEY) << "corner " << corner.first << ',' << corner.second;
        EXPECT_FALSE(colour == BLUE) << "corner " << corner.first << ',' << corner.second;
    }
    // No pixel in the window's own blue, lest the frame melt into the background.
    EXPECT_EQ(countOf(overlay_.get(), BLUE), 0);

    // The key colour forms one disc about the centre: at most the inscribed circle, and nothing
    // of the frame inside the smallest distance from the centre at which a key pixel ends.
    const double inscribed = std::min(w, h) / 2.0;
    double holeEdge = inscribed;
    double farthestKey = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double distance = std::hypot(x - centreX, y - centreY);
            if (pixelAt(overlay_.get(), x, y) == KEY)
                farthestKey = std::max(farthestKey, distance);
            else
                holeEdge = std::min(holeEdge, distance);
        }
    EXPECT_LT(farthestKey, inscribed);
    EXPECT_GT(holeEdge, inscribed / 2) << "the token would hardly show";
    EXPECT_LT(farthestKey - holeEdge, 1.5) << "the hole is not round";
}

TEST_F(ArtTest, CursorPointsDownIntoTheMiddleOfTheColumn)
{
    const int w = cursor_->w;
    const int h = cursor_->h;
    EXPECT_EQ(pixelAt(cursor_.get(), 0, 0), KEY);
    EXPECT_EQ(pixelAt(cursor_.get(), w - 1, h - 1), KEY);

    // Per row, the columns that the marker covers.
    int widestRow = -1, widest = 0, lowestRow = -1;
    for (int y = 0; y < h; ++y) {
        int left = w, right = -1;
        for (int x = 0; x < w; ++x)
            if (!(pixelAt(cursor_.get(), x, y) == KEY)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (right < 0)
            continue;
        EXPECT_LE(std::abs(left - (w - 1 - right)), 1) << "row " << y << " is off centre";
        if (right - left + 1 > widest) {
            widest = right - left + 1;
            widestRow = y;
        }
        lowestRow = y;
    }
    ASSERT_GE(widestRow, 0) << "the cursor is empty";
    int lowestWidth = 0;
    for (int x = 0; x < w; ++x)
        if (!(pixelAt(cursor_.get(), x, lowestRow) == KEY))
            ++lowestWidth;
    EXPECT_GT(lowestRow, widestRow);
    EXPECT_LE(lowestWidth * 4, widest) << "the marker does not narrow to a point at its bottom";
}

}  // namespace
