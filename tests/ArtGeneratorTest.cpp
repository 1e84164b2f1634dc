// The bitmaps that make_art drew into data/, read back as the files they are.

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

class ArtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        overlay_.reset(SDL_LoadBMP("data/overlay.bmp"));
        cursor_.reset(SDL_LoadBMP("data/cursor.bmp"));
        ASSERT_TRUE(overlay_ && cursor_) << SDL_GetError();
    }
    bool keyAt(SDL_Surface* surface, int x, int y) const { return pixelAt(surface, x, y) == KEY; }

    SurfacePtr overlay_;
    SurfacePtr cursor_;
};

TEST_F(ArtTest, TrueColourBitmapsThatFitTheWindow)
{
    EXPECT_EQ(overlay_->format->BitsPerPixel, 24);
    EXPECT_EQ(cursor_->format->BitsPerPixel, 24);
    // 7 slots and 5 rows under a 60-pixel cursor strip in the 640 x 480 window; drawn flush with
    // its column's left edge, the cursor is centred over the column only when it is as wide.
    EXPECT_LE(overlay_->w * 7, 640);
    EXPECT_LE(overlay_->h * 5 + 60, 480);
    EXPECT_LE(cursor_->h, 60);
    EXPECT_EQ(cursor_->w, overlay_->w);
}

TEST_F(ArtTest, OverlayHasARoundHoleInAFrameThatIsNotTheWindowsBlue)
{
    const int w = overlay_->w, h = overlay_->h;
    EXPECT_TRUE(keyAt(overlay_.get(), w / 2, h / 2));
    EXPECT_FALSE(keyAt(overlay_.get(), 0, 0) || keyAt(overlay_.get(), w - 1, h - 1));
    EXPECT_EQ(countOf(overlay_.get(), BLUE), 0);
    // The key colour forms one disc about the centre: within the inscribed circle, and nothing of
    // the frame nearer the centre than where the key pixels end.
    const double inscribed = std::min(w, h) / 2.0;
    double holeEdge = inscribed, farthestKey = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double distance = std::hypot(x - (w - 1) / 2.0, y - (h - 1) / 2.0);
            if (keyAt(overlay_.get(), x, y))
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
    const int w = cursor_->w, h = cursor_->h;
    EXPECT_TRUE(keyAt(cursor_.get(), 0, 0) && keyAt(cursor_.get(), w - 1, h - 1));
    int widestRow = -1, widest = 0, lowestRow = -1, lowestWidth = 0;
    for (int y = 0; y < h; ++y) {
        int left = w, right = -1;
        for (int x = 0; x < w; ++x)
            if (!keyAt(cursor_.get(), x, y)) {
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
        lowestWidth = right - left + 1;
    }
    ASSERT_GE(widestRow, 0) << "the cursor is empty";
    EXPECT_GT(lowestRow, widestRow);
    EXPECT_LE(lowestWidth * 4, widest) << "the marker does not narrow to a point at its bottom";
}

}  // namespace
