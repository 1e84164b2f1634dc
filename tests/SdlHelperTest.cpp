#include "SdlHelper.h"

#include <cstdio>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

SurfacePtr solid(int width, int height, Rgb colour, bool colorKey = false)
{
    return SurfacePtr(createSurface(width, height, colour.r, colour.g, colour.b, colorKey));
}

// What the surface shows when blitted at (x, y) onto a window filled with under.
SDL_Surface* shownOn(SDL_Surface* screen, SDL_Surface* surface, Rgb under, int x = 0, int y = 0)
{
    fillWith(screen, under);
    SDL_Rect where = {Sint16(x), Sint16(y), 0, 0};
    SDL_BlitSurface(surface, nullptr, screen, &where);
    return screen;
}

using SdlHelperTest = VideoTest;

TEST_F(SdlHelperTest, CreateSurfaceFillsInTheScreenFormatAndKeysTheFillOnlyWhenAsked)
{
    const SurfacePtr opaque = solid(10, 5, WHITE);
    EXPECT_EQ(opaque->format->BitsPerPixel, screen()->format->BitsPerPixel);
    EXPECT_EQ(boundsOf(shownOn(screen(), opaque.get(), RED, 3, 2), WHITE), (SDL_Rect{3, 2, 10, 5}));
    EXPECT_EQ(boundsOf(shownOn(screen(), solid(10, 5, WHITE, true).get(), RED), RED, true).w, 0);
}

// A 40 x 20 red block over a 100 x 30 green one, gap 4. Values other than the three named ones
// act as left alignment; centring rounds down.
TEST_F(SdlHelperTest, StackSurfacesAlignsEachInputAndFollowsItWithTheGap)
{
    const SurfacePtr narrow = solid(40, 20, RED), wide = solid(100, 30, GREEN);
    const int alignments[][2] = {{ALIGN_LEFT, 0}, {ALIGN_RIGHT, 60}, {ALIGN_CENTER, 30}, {7, 0}};
    for (const auto& alignment : alignments) {
        const SurfacePtr stack(stackSurfaces({narrow.get(), wide.get()}, alignment[0], 0, 0, 255, false, 4));
        EXPECT_EQ(boundsOf(stack.get(), RED), (SDL_Rect{Sint16(alignment[1]), 0, 40, 20})) << alignment[0];
        EXPECT_EQ(boundsOf(stack.get(), GREEN), (SDL_Rect{0, 24, 100, 30}));
    }
}

// A magenta pixel, loaded with each key and blitted onto red.
TEST_F(SdlHelperTest, LoadBitmapConvertsToTheScreenFormatAndKeysTheGivenColour)
{
    const std::string name = "scratch-" + std::to_string(getpid()) + ".bmp", path = dataPath(name);
    const SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0));
    fillWith(picture.get(), KEY);
    ASSERT_EQ(SDL_SaveBMP(picture.get(), path.c_str()), 0) << SDL_GetError();
    const struct {
        bool colorKey;
        Rgb key, shows;
    } cases[] = {{true, KEY, RED}, {false, KEY, KEY}, {true, GREEN, KEY}};
    for (const auto& load : cases) {
        const SurfacePtr loaded(loadBitmap(name, load.colorKey, load.key.r, load.key.g, load.key.b));
        EXPECT_EQ(loaded->format->BitsPerPixel, screen()->format->BitsPerPixel);
        EXPECT_EQ(pixelAt(shownOn(screen(), loaded.get(), RED), 0, 0), load.shows) << load.key << load.colorKey;
    }
    std::remove(path.c_str());
}

}  // namespace
