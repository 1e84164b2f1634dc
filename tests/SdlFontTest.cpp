#include "SdlFont.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <dlfcn.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include "SdlHelper.h"
#include "support/VideoTest.h"

// This binary's own TTF_Init, TTF_CloseFont and TTF_Quit take the place of SDL_ttf's for every
// caller, the program's code included, and pass each call on to the library's: so a test can make
// SDL_ttf's start fail and watch how the font system shuts it down, with no hook in the program.
namespace {

bool ttfInitMustFail = false;
std::string ttfClosingTrace;  // e.g. "close; close; quit"

template <typename Function>
Function library(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void record(const char* call)
{
    ttfClosingTrace += (ttfClosingTrace.empty() ? "" : "; ") + std::string(call);
}

}  // namespace

extern "C" {

int TTF_Init(void)
{
    if (ttfInitMustFail) {
        ttfInitMustFail = false;
        return -1;
    }
    return library<int (*)()>("TTF_Init")();
}

void TTF_CloseFont(TTF_Font* font)
{
    record("close");
    library<void (*)(TTF_Font*)>("TTF_CloseFont")(font);
}

void TTF_Quit(void)
{
    record("quit");
    library<void (*)()>("TTF_Quit")();
}

}  // extern "C"

namespace {

const std::string GAME_FONT = "Efont_Serif.ttf";

std::string failureOf(void (*attempt)())
{
    try {
        attempt();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "nothing thrown";
}

SdlFont* font(const std::string& name, int size)
{
    return SdlFontManager::instance().getFont(name, size);
}

int heightOf(SdlFont* font)
{
    return TTF_FontHeight(font->getTtfFont());
}

using SdlFontManagerTest = VideoTest;

TEST_F(SdlFontManagerTest, RefusesToStartWithoutVideoOrTtfAndTriesAgainNextTime)
{
    SDL_Quit();
    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }),
              "cannot initialize FontSystem if SDL is not initialized\n");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ttfInitMustFail = true;
    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }), "failed to initialize SDL_ttf");
    EXPECT_EQ(failureOf([] { font("missing.ttf", 20); }), "SdlFontManager: unable to load missing.ttf");
}

// Run together without a separator, "<x>1" at 2 points and "<x>" at 12 points would share a key.
TEST_F(SdlFontManagerTest, KeepsOneFontPerNameAndSize)
{
    const std::string withoutDigit = "scratch-" + std::to_string(getpid()) + "-font", withDigit = withoutDigit + "1";
    for (const std::string& name : {withDigit, withoutDigit})
        std::filesystem::copy_file(dataPath(GAME_FONT), dataPath(name));
    SdlFont* tiny = font(withDigit, 2);
    EXPECT_LT(heightOf(tiny), heightOf(font(withoutDigit, 12)));
    EXPECT_EQ(font(withDigit, 2), tiny);
    for (const std::string& name : {withDigit, withoutDigit})
        std::filesystem::remove(dataPath(name));
}

// Registered before the font manager exists, so that it runs after the manager's teardown. The
// children start afresh ("threadsafe" style): no manager of this process is theirs.
void reportTeardown()
{
    std::fprintf(stderr, "teardown: [%s] ttf running: %d\n", ttfClosingTrace.c_str(), TTF_WasInit());
    std::_Exit(0);
}

void expectTeardownAfterTwoFonts(const std::string& reported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::atexit(reportTeardown);
            font(GAME_FONT, 9);
            font(GAME_FONT, 14);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), literally("teardown: [" + reported + "\n"));
}

// Fonts closed before SDL_ttf stops; SDL_ttf left alone when something else started it.
TEST_F(SdlFontManagerTest, ClosesEveryFontAtExitAndThenStopsTheTtfItStarted)
{
    expectTeardownAfterTwoFonts("close; close; quit] ttf running: 0");
    ASSERT_EQ(TTF_Init(), 0);
    expectTeardownAfterTwoFonts("close; close] ttf running: 1");
    TTF_Quit();
}

class SdlFontTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        font_ = font(GAME_FONT, 36);
        lineHeight_ = heightOf(font_);
    }
    // The pixels that the text, blitted onto a red window, changes in its rows [top, top + height)
    // and the columns [left, right).
    int paintedIn(SDL_Surface* text, int top, int height, int left, int right) const
    {
        fillWith(screen(), RED);
        SDL_BlitSurface(text, nullptr, screen(), nullptr);
        int painted = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < right; ++x)
                painted += pixelAt(screen(), x, y) == RED ? 0 : 1;
        return painted;
    }

    SdlFont* font_ = nullptr;
    int lineHeight_ = 0;
};

// Empty lines first, amid and last, each as tall as a rendered line; right alignment on a
// transparent background; the text in its colour, blended at the edges.
TEST_F(SdlFontTest, RendersEachLineUnderTheLastAndEmptyLinesAsTransparentLinesOfTheFontHeight)
{
    const SurfacePtr wide(font_->render("WWWW", 0, 0, 255));
    const SurfacePtr block(font_->renderMultiline("\ni\n\nWWWW\n", 0, 0, 255, ALIGN_RIGHT));
    ASSERT_EQ(wide->h, lineHeight_);
    ASSERT_EQ(block->h, 5 * lineHeight_);
    ASSERT_EQ(block->w, wide->w);
    for (int line = 0; line < 5; ++line)
        EXPECT_EQ(paintedIn(block.get(), line * lineHeight_, lineHeight_, 0, block->w) > 0, line % 2 == 1)
            << "line " << line;
    EXPECT_EQ(countOf(screen(), WHITE), 0);
    const int painted = paintedIn(block.get(), 0, block->h, 0, block->w), blue = countOf(screen(), BLUE);
    EXPECT_TRUE(blue > 0 && painted > blue) << painted << " pixels painted, " << blue << " of them blue";
    EXPECT_EQ(paintedIn(block.get(), lineHeight_, lineHeight_, 0, block->w / 2), 0) << "not right-aligned";
}

TEST_F(SdlFontTest, EmptyTextOrNoFontStopsTheProgram)
{
    EXPECT_EXIT(font_->render("", 0, 0, 0), ::testing::ExitedWithCode(2), "check failed: retval");
    EXPECT_EXIT(SdlFont(nullptr), ::testing::ExitedWithCode(2), "check failed: font_");
}

}  // namespace
