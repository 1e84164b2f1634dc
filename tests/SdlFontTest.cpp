#include "SdlFont.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SdlHelper.h"
#include "sdl/TtfSpy.h"
#include "sdl/VideoTest.h"

class SdlFontTestAccess {
public:
    static std::vector<std::string> splitLines(const std::string& text) { return SdlFont::splitLines(text); }
};

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

TEST(FontManagerStart, RefusesWithoutVideoAndSucceedsOnceVideoRuns)
{
    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }),
              "cannot initialize FontSystem if SDL is not initialized\n");
    EXPECT_EQ(TTF_WasInit(), 0);

    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SdlFontManager& manager = SdlFontManager::instance();
    EXPECT_NE(TTF_WasInit(), 0);
    EXPECT_EQ(&SdlFontManager::instance(), &manager);
    SDL_Quit();
}

TEST(FontManagerStart, ReportsAFailedTtfStartAndTriesAgainNextTime)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ttf_spy::failNextInit();

    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }), "failed to initialize SDL_ttf");
    EXPECT_EQ(TTF_WasInit(), 0);

    SdlFontManager::instance();
    EXPECT_NE(TTF_WasInit(), 0);
    SDL_Quit();
}

using FontCacheTest = VideoTest;

TEST_F(FontCacheTest, SameNameAndSizeShareOneOpenedFont)
{
    SdlFont* first = SdlFontManager::instance().getFont(GAME_FONT, 36);
    SdlFont* second = SdlFontManager::instance().getFont(GAME_FONT, 36);

    EXPECT_EQ(first, second);
    EXPECT_EQ(ttf_spy::openCount(), 1);
}

TEST_F(FontCacheTest, EachSizeIsAFontOfItsOwn)
{
    SdlFont* small = SdlFontManager::instance().getFont(GAME_FONT, 14);
    SdlFont* big = SdlFontManager::instance().getFont(GAME_FONT, 72);

    EXPECT_NE(small, big);
    EXPECT_LT(TTF_FontHeight(small->getTtfFont()), TTF_FontHeight(big->getTtfFont()));
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

// With name and size simply run together, "<x>1" at 2 points and "<x>" at 12 points would share one
// key, and the second request would get the first one's font.
TEST_F(FontCacheTest, NamesEndingInADigitKeepTheirOwnSize)
{
    const ScratchDataFile withDigit("font1");
    const ScratchDataFile withoutDigit("font");
    ASSERT_EQ(withDigit.name(), withoutDigit.name() + "1");
    withDigit.copyFrom("data/" + GAME_FONT);
    withoutDigit.copyFrom("data/" + GAME_FONT);

    SdlFont* tiny = SdlFontManager::instance().getFont(withDigit.name(), 2);
    SdlFont* normal = SdlFontManager::instance().getFont(withoutDigit.name(), 12);

    EXPECT_NE(tiny, normal);
    EXPECT_LT(TTF_FontHeight(tiny->getTtfFont()), TTF_FontHeight(normal->getTtfFont()));
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

TEST_F(FontCacheTest, MissingFileThrowsAndLoadsOnceItAppears)
{
    const ScratchDataFile file("late.ttf");
    std::string message;
    try {
        SdlFontManager::instance().getFont(file.name(), 20);
    } catch (const std::runtime_error& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "SdlFontManager: unable to load " + file.name());

    file.copyFrom("data/" + GAME_FONT);
    SdlFont* font = SdlFontManager::instance().getFont(file.name(), 20);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(SdlFontManager::instance().getFont(file.name(), 20), font);
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

TEST(SplitLines, EveryLineFeedEndsALine)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SdlFontTestAccess::splitLines(""), Lines({""}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("one line"), Lines({"one line"}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("last\n"), Lines({"last", ""}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("\n"), Lines({"", ""}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("a\n\nb"), Lines({"a", "", "b"}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("BUNCH\nOF\nLOOSERS!\nnoone's won"),
              Lines({"BUNCH", "OF", "LOOSERS!", "noone's won"}));
    EXPECT_EQ(SdlFontTestAccess::splitLines("dos\r\nline"), Lines({"dos\r", "line"}));
}

class RenderTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        font_ = SdlFontManager::instance().getFont(GAME_FONT, 36);
        lineHeight_ = TTF_FontHeight(font_->getTtfFont());
        fillWith(screen(), RED);
    }

    // Blits the text onto the red screen at (0, 0) and counts the pixels that it changed in rows
    // [top, top + height) and columns [left, right), by default all of its columns.
    int paintedIn(SDL_Surface* text, int top, int height, int left = 0, int right = -1) const
    {
        SDL_Rect origin = {0, 0, 0, 0};
        SDL_BlitSurface(text, nullptr, screen(), &origin);
        if (right < 0)
            right = text->w;
        int painted = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < right; ++x)
                if (!(pixelAt(screen(), x, y) == RED))
                    ++painted;
        return painted;
    }

    SdlFont* font_ = nullptr;
    int lineHeight_ = 0;
};

TEST_F(RenderTest, RendersOneLineInTheColourWithSoftEdges)
{
    const SurfacePtr text(font_->render("Quorlitz", 0, 0, 255));

    ASSERT_EQ(text->h, lineHeight_);
    ASSERT_NE(text->format->Amask, 0u);
    int opaque = 0;
    int partial = 0;
    for (int y = 0; y < text->h; ++y)
        for (int x = 0; x < text->w; ++x) {
            const Uint8 alpha = alphaAt(text.get(), x, y);
            if (alpha == 255) {
                ++opaque;
                EXPECT_EQ(pixelAt(text.get(), x, y), BLUE);
            } else if (alpha > 0) {
                ++partial;
            }
        }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(partial, 0);
}

TEST_F(RenderTest, EmptyTextCannotBeRenderedAsOneLine)
{
    EXPECT_EXIT(font_->render("", 0, 0, 0), ::testing::ExitedWithCode(2), "check failed: retval");
}

TEST(SdlFontHandle, NeedsAFont)
{
    EXPECT_EXIT(SdlFont(nullptr), ::testing::ExitedWithCode(2), "check failed: font_");
}

TEST_F(RenderTest, OneLineMultilineIsThatLine)
{
    const SurfacePtr line(font_->render("Quorlitz", 0, 0, 0));
    const SurfacePtr block(font_->renderMultiline("Quorlitz", 0, 0, 0, ALIGN_CENTER));

    EXPECT_EQ(block->w, line->w);
    EXPECT_EQ(block->h, line->h);
    EXPECT_GT(paintedIn(block.get(), 0, block->h), 0);
}

TEST_F(RenderTest, EmptyLinesAreTransparentLinesOfTheFontHeight)
{
    const SurfacePtr wide(font_->render("BB", 0, 0, 0));
    const SurfacePtr block(font_->renderMultiline("\nA\n\nBB\n", 0, 0, 0, ALIGN_CENTER));

    ASSERT_EQ(block->h, 5 * lineHeight_);
    EXPECT_EQ(block->w, wide->w);
    EXPECT_EQ(paintedIn(block.get(), 0, lineHeight_), 0);
    EXPECT_GT(paintedIn(block.get(), lineHeight_, lineHeight_), 0);
    EXPECT_EQ(paintedIn(block.get(), 2 * lineHeight_, lineHeight_), 0);
    EXPECT_GT(paintedIn(block.get(), 3 * lineHeight_, lineHeight_), 0);
    EXPECT_EQ(paintedIn(block.get(), 4 * lineHeight_, lineHeight_), 0);
}

TEST_F(RenderTest, EmptyTextIsOneBlankLine)
{
    const SurfacePtr block(font_->renderMultiline("", 0, 0, 0, ALIGN_LEFT));

    EXPECT_EQ(block->h, lineHeight_);
    EXPECT_EQ(block->w, 0);
}

TEST_F(RenderTest, LinesFollowTheAlignment)
{
    const SurfacePtr wide(font_->render("WWWWWW", 0, 0, 0));
    const SurfacePtr left(font_->renderMultiline("i\nWWWWWW", 0, 0, 0, ALIGN_LEFT));
    const SurfacePtr right(font_->renderMultiline("i\nWWWWWW", 0, 0, 0, ALIGN_RIGHT));
    ASSERT_EQ(left->w, wide->w);
    ASSERT_EQ(right->w, wide->w);

    // Where the narrow first line lies: near the left edge in one block, near the right in the
    // other. The white background around it is keyed out in both.
    const int half = wide->w / 2;
    EXPECT_GT(paintedIn(left.get(), 0, lineHeight_, 0, half), 0);
    EXPECT_EQ(paintedIn(left.get(), 0, lineHeight_, half, wide->w), 0);
    fillWith(screen(), RED);
    EXPECT_EQ(paintedIn(right.get(), 0, lineHeight_, 0, half), 0);
    EXPECT_GT(paintedIn(right.get(), 0, lineHeight_, half, wide->w), 0);
    EXPECT_EQ(countOf(screen(), WHITE), 0);
}

// Children of the exit tests register this before the font manager exists; handlers run in
// reverse order, so it sees what the manager's teardown did, then ends the child. The children are
// started afresh ("threadsafe" style), so that no manager made earlier in this process is theirs.
void reportTeardown()
{
    std::fprintf(stderr, "teardown: [%s] ttf running: %d\n", ttf_spy::closingTrace().c_str(), TTF_WasInit());
    std::_Exit(0);
}

class FontManagerExitTest : public VideoTest {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        VideoTest::SetUp();
    }
};

TEST_F(FontManagerExitTest, ClosesEveryFontOnceInKeyOrderThenStopsTtf)
{
    EXPECT_EXIT(
        {
            std::atexit(reportTeardown);
            SdlFontManager::instance().getFont(GAME_FONT, 72);
            SdlFontManager::instance().getFont(GAME_FONT, 9);
            SdlFontManager::instance().getFont(GAME_FONT, 14);
            SdlFontManager::instance().getFont(GAME_FONT, 72);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        literally("teardown: [close data/Efont_Serif.ttf 14; close data/Efont_Serif.ttf 72; "
                  "close data/Efont_Serif.ttf 9; quit] ttf running: 0\n"));
}

TEST_F(FontManagerExitTest, LeavesTtfRunningWhenSomethingElseStartedIt)
{
    ASSERT_EQ(TTF_Init(), 0);
    EXPECT_EXIT(
        {
            std::atexit(reportTeardown);
            SdlFontManager::instance().getFont(GAME_FONT, 14);
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), literally("teardown: [close data/Efont_Serif.ttf 14] ttf running: 1\n"));
    TTF_Quit();
}

// The program's texts in the program's font must fit its 640 x 480 window: the outcome blocks, and
// the menu's two highlighted entries with their spacing.
using GameFontTest = VideoTest;

TEST_F(GameFontTest, TheProgramsLargestTextsFitTheWindow)
{
    SdlFont* font = SdlFontManager::instance().getFont(GAME_FONT, 72);
    const SurfacePtr congratulations(font->render("Congratulations!", 0, 0, 0));
    const SurfacePtr name(font->render("Player 2", 128, 128, 255));
    const SurfacePtr won(font->render("you have won!", 0, 0, 0));
    const SurfacePtr winner(stackSurfaces({congratulations.get(), name.get(), won.get()}, ALIGN_CENTER, 255, 255,
                                          255, true, 0));
    const SurfacePtr losers(font->renderMultiline("BUNCH\nOF\nLOOSERS!\nnoone's won", 128, 128, 128, ALIGN_CENTER));
    const SurfacePtr start(font->render("start new game", 0, 255, 0));
    const SurfacePtr quit(font->render("quit program", 0, 255, 0));

    EXPECT_LE(winner->w, 640);
    EXPECT_LE(winner->h, 480);
    EXPECT_LE(losers->w, 640);
    EXPECT_LE(losers->h, 480);
    EXPECT_LE(start->w, 640);
    EXPECT_LE(quit->w, 640);
    EXPECT_LT((start->h + 10) * 2, 480);
}

}  // namespace
