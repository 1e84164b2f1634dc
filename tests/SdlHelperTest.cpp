#include "SdlHelper.h"

#include <utility>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

SurfacePtr plain(int width, int height, Rgb colour)
{
    SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    fillWith(surface.get(), colour);
    return surface;
}

using SdlHelperTest = VideoTest;

// 40 x 20 and 100 x 30 with a gap of 4 after each make 100 x 58; keyed, only they show.
TEST_F(SdlHelperTest, StacksSurfacesAlignedOnTheWidestWithAGapAfterEach)
{
    const SurfacePtr narrow = plain(40, 20, RED), wide = plain(100, 30, GREEN);
    for (const auto& [alignment, narrowX] :
         {std::pair{ALIGN_LEFT, 0}, {ALIGN_RIGHT, 60}, {ALIGN_CENTER, 30}}) {
        const SurfacePtr stack(stackSurfaces({narrow.get(), wide.get()}, alignment, 255, 255, 255, true, 4));
        EXPECT_EQ(std::pair(stack->w, stack->h), std::pair(100, 58));
        fillWith(screen(), BLUE);
        SDL_BlitSurface(stack.get(), nullptr, screen(), nullptr);
        const SDL_Rect around = {0, 0, 120, 70};
        EXPECT_EQ(boundsOf(screen(), RED, false, around), (SDL_Rect{Sint16(narrowX), 0, 40, 20}))
            << alignment;
        EXPECT_EQ(boundsOf(screen(), GREEN, false, around), (SDL_Rect{0, 24, 100, 30}));
        EXPECT_EQ(boundsOf(screen(), BLUE, true, around), (SDL_Rect{0, 0, 100, 54})) << "only they show";
    }
}

}  // namespace
