#include "SdlHelper.h"

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

// A surface of one colour in a format of its own, as SDL_ttf's lines come to the stacker.
SurfacePtr plain(int width, int height, Rgb colour)
{
    SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    fillWith(surface.get(), colour);
    return surface;
}

using SdlHelperTest = VideoTest;

// The file is written here, straight into data/: red on the left, the game's key colour on the right.
// Loaded with red as the key, only the red pixel lets the window show through.
TEST_F(SdlHelperTest, LoadsABitmapFromDataInTheScreensFormatWithTheGivenColourTransparent)
{
    const ScratchData data;
    const SurfacePtr file = plain(2, 1, {255, 0, 255});
    SDL_Rect left = {0, 0, 1, 1};
    SDL_FillRect(file.get(), &left, SDL_MapRGB(file->format, 255, 0, 0));
    ASSERT_EQ(SDL_SaveBMP(file.get(), "data/pair.bmp"), 0) << SDL_GetError();
    for (const bool keyed : {false, true}) {
        const SurfacePtr loaded(loadBitmap("pair.bmp", keyed, 255, 0, 0));
        EXPECT_EQ(loaded->format->BitsPerPixel, screen()->format->BitsPerPixel);
        fillWith(screen(), BLUE);
        SDL_BlitSurface(loaded.get(), nullptr, screen(), nullptr);
        EXPECT_EQ(pixelAt(screen(), 0, 0), keyed ? BLUE : RED) << "keyed " << keyed;
        EXPECT_EQ(pixelAt(screen(), 1, 0), shown(screen(), {255, 0, 255})) << "keyed " << keyed;
    }
}

// 40 x 20 and 100 x 30 with a gap of 4 make 100 x 58: the gap follows every surface, the last too.
// The wide one lies at (0, 24), the narrow one at x = 0 left-aligned (and for values that are no
// alignment), 60 right-aligned, 30 centred; keyed, only they show. Centring rounds down: 50 wide on
// 101 lies at x = 25, on the background colour that createSurface fills in.
TEST_F(SdlHelperTest, StacksTheSurfacesTopToBottomEachAlignedOnTheWidestWithTheGapAfterEach)
{
    const SurfacePtr narrow = plain(40, 20, RED), wide = plain(100, 30, GREEN);
    const struct {
        int alignment;
        Sint16 narrowX;
    } cases[] = {{ALIGN_LEFT, 0}, {ALIGN_RIGHT, 60}, {ALIGN_CENTER, 30}, {3, 0}, {-1, 0}};
    for (const auto& stacking : cases) {
        SCOPED_TRACE(testing::Message() << "alignment " << stacking.alignment);
        const SurfacePtr stack(
            stackSurfaces({narrow.get(), wide.get()}, stacking.alignment, 255, 255, 255, true, 4));
        EXPECT_EQ(sizeOf(stack.get()), (SDL_Rect{0, 0, 100, 58}));
        fillWith(screen(), BLUE);
        SDL_BlitSurface(stack.get(), nullptr, screen(), nullptr);
        const SDL_Rect around = {0, 0, 120, 70};
        EXPECT_EQ(boundsOf(screen(), RED, false, around), (SDL_Rect{stacking.narrowX, 0, 40, 20}));
        EXPECT_EQ(boundsOf(screen(), GREEN, false, around), (SDL_Rect{0, 24, 100, 30}));
        EXPECT_EQ(boundsOf(screen(), BLUE, true, around), (SDL_Rect{0, 0, 100, 54})) << "only they show";
    }

    const SurfacePtr wider = plain(101, 10, GREEN), half = plain(50, 10, RED);
    const SurfacePtr centred(stackSurfaces({wider.get(), half.get()}, ALIGN_CENTER, 0, 0, 255, false, 0));
    EXPECT_EQ(sizeOf(centred.get()), (SDL_Rect{0, 0, 101, 20}));
    EXPECT_EQ(boundsOf(centred.get(), RED), (SDL_Rect{25, 10, 50, 10}));
    EXPECT_EQ(boundsOf(centred.get(), BLUE), (SDL_Rect{0, 10, 101, 10})) << "the background beside the red";
}

}  // namespace
