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
        std::filesystem::copy_file(data.built("Efont_Serif.ttf"), dataPath(name));
    SdlFont* tiny = font(withDigit, 2);
    EXPECT_LT(heightOf(tiny), heightOf(font(withoutDigit, 12)));
    EXPECT_EQ(font(withDigit, 2), tiny);
}

using SdlFontTest = VideoTest;

// Each line as SDL_ttf renders it at 36 points, in place for the alignment; empty lines first, amid
// and last keep the font's height; the background, keyed, lets the red window show through.
TEST_F(SdlFontTest, StacksTheLinesOfATextAlignedOnATransparentBlock)
{
    const std::string text = "\ni\n\nWWWW\n";
    for (const int alignment : {ALIGN_LEFT, ALIGN_RIGHT, ALIGN_CENTER}) {
        const SurfacePtr block(font("Efont_Serif.ttf", 36)->renderMultiline(text, 0, 0, 255, alignment));
        const SurfacePtr expected = textImage(text, 36, BLUE, alignment);
        ASSERT_EQ(sizeOf(block.get()), sizeOf(expected.get()));
        fillWith(screen(), RED);
        SDL_BlitSurface(block.get(), nullptr, screen(), nullptr);
        expectDrawnAt(screen(), expected.get(), 0, 0, RED);
    }
}

}  // namespace
