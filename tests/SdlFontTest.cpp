#include "SdlFont.h"

#include <string>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

using SdlFontTest = VideoTest;

// Each line as SDL_ttf renders it at 36 points, in place for the alignment; empty lines first, amid
// and last keep the font's height; the background, keyed, lets the red window show through.
TEST_F(SdlFontTest, StacksTheLinesOfATextAlignedOnATransparentBlock)
{
    const std::string text = "\ni\n\nWWWW\n";
    const SdlFont* const font = SdlFontManager::instance().getFont("Efont_Serif.ttf", 36);
    for (const int alignment : {ALIGN_LEFT, ALIGN_RIGHT, ALIGN_CENTER}) {
        const SurfacePtr block(font->renderMultiline(text, 0, 0, 255, alignment));
        const SurfacePtr expected = textImage(text, 36, BLUE, alignment);
        ASSERT_EQ(sizeOf(block.get()), sizeOf(expected.get()));
        fillWith(screen(), RED);
        SDL_BlitSurface(block.get(), nullptr, screen(), nullptr);
        expectDrawnAt(screen(), expected.get(), 0, 0, RED);
    }
}

}  // namespace
