#include "SdlFont.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SdlHelper.h"
#include "support/VideoTest.h"

namespace {

SdlFont* font(const std::string& name, int size) { return SdlFontManager::instance().getFont(name, size); }
int heightOf(SdlFont* font) { return TTF_FontHeight(font->getTtfFont()); }

using SdlFontManagerTest = VideoTest;

// Run together without a separator, "<x>1" at 2 points and "<x>" at 12 points would share a key.
TEST_F(SdlFontManagerTest, KeepsOneFontPerNameAndSize)
{
    const ScratchData data;
    const std::string withoutDigit = "scratch-font", withDigit = withoutDigit + "1";
    for (const std::string& name : {withDigit, withoutDigit})
        std::filesystem::copy_file(data.built(GAME_FONT), dataPath(name));
    SdlFont* tiny = font(withDigit, 2);
    EXPECT_LT(heightOf(tiny), heightOf(font(withoutDigit, 12)));
    EXPECT_EQ(font(withDigit, 2), tiny);
}

using SdlFontTest = VideoTest;

// Empty lines first, amid and last, each as tall as a rendered line; right alignment on a
// transparent background; the text in its colour, blended at the edges.
TEST_F(SdlFontTest, RendersEachLineUnderTheLastAndEmptyLinesAsTransparentLinesOfTheFontHeight)
{
    SdlFont* const big = font(GAME_FONT, MEDIUM_POINTS);
    const int lineHeight = heightOf(big);
    const SurfacePtr wide(big->render("WWWW", 0, 0, 255));
    const SurfacePtr block(big->renderMultiline("\ni\n\nWWWW\n", 0, 0, 255, ALIGN_RIGHT));
    ASSERT_EQ(block->h * 1000 + block->w, 5 * lineHeight * 1000 + wide->w);
    fillWith(screen(), RED);
    SDL_BlitSurface(block.get(), nullptr, screen(), nullptr);
    SDL_Rect ink[5];  // around what each line changed on the red window
    for (int line = 0; line < 5; ++line)
        ink[line] = boundsOf(screen(), RED, true, {0, Sint16(line * lineHeight), Uint16(block->w), Uint16(lineHeight)});
    EXPECT_EQ(ink[0].w + ink[2].w + ink[4].w, 0) << "empty lines are transparent";
    EXPECT_TRUE(ink[1].x >= block->w / 2 && ink[3].w > 0) << ink[1] << " should be right-aligned";
    EXPECT_GT(boundsOf(screen(), BLUE).w, 0);
    EXPECT_EQ(boundsOf(screen(), WHITE).w, 0);
}

}  // namespace
