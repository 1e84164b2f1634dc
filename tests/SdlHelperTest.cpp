#include "SdlHelper.h"

#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

// What the surface shows when blitted onto a window filled with under.
SDL_Surface* shownOn(SDL_Surface* screen, SDL_Surface* surface, Rgb under)
{
    fillWith(screen, under);
    SDL_BlitSurface(surface, nullptr, screen, nullptr);
    return screen;
}

using SdlHelperTest = VideoTest;

TEST_F(SdlHelperTest, CreateSurfaceFillsInTheScreenFormatAndKeysTheFillOnlyWhenAsked)
{
    const SurfacePtr opaque(createSurface(10, 5, 255, 255, 255, false));
    const SurfacePtr keyed(createSurface(10, 5, 255, 255, 255, true));
    EXPECT_EQ(opaque->format->BitsPerPixel, screen()->format->BitsPerPixel);
    EXPECT_EQ(pixelAt(shownOn(screen(), opaque.get(), RED), 9, 4), WHITE);
    EXPECT_EQ(pixelAt(shownOn(screen(), keyed.get(), RED), 9, 4), RED);
}

// A pixel in the bitmaps' key colour, loaded with each key and blitted onto red.
TEST_F(SdlHelperTest, LoadBitmapConvertsToTheScreenFormatAndKeysTheGivenColour)
{
    const ScratchData data;
    const Rgb key = {BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b};
    const SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0));
    fillWith(picture.get(), key);
    ASSERT_EQ(SDL_SaveBMP(picture.get(), dataPath("pixel.bmp").c_str()), 0) << SDL_GetError();
    const std::tuple<bool, Rgb, Rgb> cases[] = {{true, key, RED}, {false, key, key}, {true, GREEN, key}};
    for (const auto& [colorKey, keyed, shows] : cases) {
        const SurfacePtr loaded(loadBitmap("pixel.bmp", colorKey, keyed.r, keyed.g, keyed.b));
        EXPECT_EQ(pixelAt(shownOn(screen(), loaded.get(), RED), 0, 0), shows) << keyed << colorKey;
    }
}

}  // namespace
