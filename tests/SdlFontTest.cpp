#include "SdlFont.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SdlHelper.h"
#include "support/TtfSpy.h"
#include "support/VideoTest.h"

class SdlFontTestAccess {
public:
    static std::vector<std::string> splitLines(const std::string& text) { return SdlFont::splitLines(text); }
};

namespace {

const std::string GAME_FONT = "Efont_Serif.ttf";

template <typename Attempt>
std::string failureOf(Attempt attempt)
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

TEST(FontManagerStart, RefusesWithoutVideoOrTtfAndTriesAgainNextTime)
{
    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }),
              "cannot initialize FontSystem if SDL is not initialized\n");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ttf_spy::failNextInit();
    EXPECT_EQ(failureOf([] { SdlFontManager::instance(); }), "failed to initialize SDL_ttf");
    EXPECT_EQ(TTF_WasInit(), 0);

    SdlFontManager& manager = SdlFontManager::instance();
    EXPECT_NE(TTF_WasInit(), 0);
    EXPECT_EQ(&SdlFontManager::instance(), &manager);
    SDL_Quit();
}

using FontCacheTest = VideoTest;

TEST_F(FontCacheTest, SameNameAndSizeShareOneFontAndEachSizeHasItsOwn)
{
    SdlFont* small = font(GAME_FONT, 14);
    EXPECT_EQ(font(GAME_FONT, 14), small);
    SdlFont* big = font(GAME_FONT, 72);
    EXPECT_NE(small, big);
    EXPECT_LT(heightOf(small), heightOf(big));
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

// With name and size simply run together, "<x>1" at 2 points and "<x>" at 12 points would share a key.
TEST_F(FontCacheTest, NamesEndingInADigitKeepTheirOwnSize)
{
    const ScratchDataFile withDigit("font1");
    const ScratchDataFile withoutDigit("font");
    withDigit.copyFrom("data/" + GAME_FONT);
    withoutDigit.copyFrom("data/" + GAME_FONT);
    SdlFont* tiny = font(withDigit.name(), 2);
    SdlFont* normal = font(withoutDigit.name(), 12);
    EXPECT_LT(heightOf(tiny), heightOf(normal));
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

TEST_F(FontCacheTest, MissingFileThrowsAndLoadsOnceItAppears)
{
    const ScratchDataFile file("late.ttf");
    EXPECT_EQ(failureOf([&] { font(file.name(), 20); }), "SdlFontManager: unable to load " + file.name());
    file.copyFrom("data/" + GAME_FONT);
    SdlFont* loaded = font(file.name(), 20);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(font(file.name(), 20), loaded);
    EXPECT_EQ(ttf_spy::openCount(), 2);
}

TEST(SplitLines, EveryLineFeedEndsALine)
{
    using Lines = std::vector<std::string>;
    const std::pair<std::string, Lines> cases[] = {
        {"", {""}},           {"one line", {"one line"}}, {"last\n", {"last", ""}},
        {"\n", {"", ""}},     {"a\n\nb", {"a", "", "b"}}, {"dos\r\nline", {"dos\r", "line"}},
        {"BUNCH\nOF\nLOOSERS!\nnoone's won", {"BUNCH", "OF", "LOOSERS!", "noone's won"}}};
    for (const auto& split : cases)
        EXPECT_EQ(SdlFontTestAccess::splitLines(split.first), split.second) << split.first;
}

class RenderTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        font_ = font(GAME_FONT, 36);
        lineHeight_ = heightOf(font_);
    }

    // Blits the text onto a red screen and counts the pixels it changed in rows [top, top + height)
    // and columns [left, right), by default all of its columns.
    int paintedIn(SDL_Surface* text, int top, int height, int left = 0, int right = -1) const
    {
        fillWith(screen(), RED);
        SDL_BlitSurface(text, nullptr, screen(), nullptr);
        int painted = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < (right < 0 ? text->w : right); ++x)
                painted += pixelAt(screen(), x, y) == RED ? 0 : 1;
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
    int opaque = 0, partial = 0;
    for (int y = 0; y < text->h; ++y)
        for (int x = 0; x < text->w; ++x) {
            const Uint8 alpha = alphaAt(text.get(), x, y);
            opaque += alpha == 255 ? 1 : 0;
            partial += alpha > 0 && alpha < 255 ? 1 : 0;
            EXPECT_TRUE(alpha < 255 || pixelAt(text.get(), x, y) == BLUE) << "at (" << x << ", " << y << ")";
        }
    EXPECT_GT(opaque, 0);
    EXPECT_GT(partial, 0);
}

TEST_F(RenderTest, EmptyTextOrNoFontStopsTheProgram)
{
    EXPECT_EXIT(font_->render("", 0, 0, 0), ::testing::ExitedWithCode(2), "check failed: retval");
    EXPECT_EXIT(SdlFont(nullptr), ::testing::ExitedWithCode(2), "check failed: font_");
}

TEST_F(RenderTest, MultilineOfOneLineIsThatLineAndOfNothingOneBlankLine)
{
    const SurfacePtr line(font_->render("Quorlitz", 0, 0, 0));
    const SurfacePtr block(font_->renderMultiline("Quorlitz", 0, 0, 0, ALIGN_CENTER));
    EXPECT_EQ(block->w, line->w);
    EXPECT_EQ(block->h, line->h);
    EXPECT_GT(paintedIn(block.get(), 0, block->h), 0);
    const SurfacePtr empty(font_->renderMultiline("", 0, 0, 0, ALIGN_LEFT));
    EXPECT_EQ(empty->h, lineHeight_);
    EXPECT_EQ(empty->w, 0);
}

TEST_F(RenderTest, EmptyLinesAreTransparentLinesOfTheFontHeight)
{
    const SurfacePtr wide(font_->render("BB", 0, 0, 0));
    const SurfacePtr block(font_->renderMultiline("\nA\n\nBB\n", 0, 0, 0, ALIGN_CENTER));
    ASSERT_EQ(block->h, 5 * lineHeight_);
    EXPECT_EQ(block->w, wide->w);
    for (int line = 0; line < 5; ++line)
        EXPECT_EQ(paintedIn(block.get(), line * lineHeight_, lineHeight_) > 0, line % 2 == 1) << "line " << line;
}

TEST_F(RenderTest, LinesFollowTheAlignmentOnAKeyedBackground)
{
    const SurfacePtr wide(font_->render("WWWWWW", 0, 0, 0));
    const SurfacePtr left(font_->renderMultiline("i\nWWWWWW", 0, 0, 0, ALIGN_LEFT));
    const SurfacePtr right(font_->renderMultiline("i\nWWWWWW", 0, 0, 0, ALIGN_RIGHT));
    ASSERT_EQ(left->w, wide->w);
    ASSERT_EQ(right->w, wide->w);
    // The narrow first line lies near the left edge in one block and near the right in the other.
    const int half = wide->w / 2;
    EXPECT_GT(paintedIn(left.get(), 0, lineHeight_, 0, half), 0);
    EXPECT_EQ(paintedIn(left.get(), 0, lineHeight_, half, wide->w), 0);
    EXPECT_EQ(paintedIn(right.get(), 0, lineHeight_, 0, half), 0);
    EXPECT_GT(paintedIn(right.get(), 0, lineHeight_, half, wide->w), 0);
    EXPECT_EQ(countOf(screen(), WHITE), 0);
}

// Children of the exit tests register this before the font manager exists; handlers run in
// reverse order, so it sees what the manager's teardown did. The children start afresh
// ("threadsafe" style), so that no manager made earlier in this process is theirs.
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
    // Opens fonts of the given sizes in a child that then exits, and checks what its teardown did.
    static void expectTeardown(std::vector<int> sizes, const std::string& reported)
    {
        EXPECT_EXIT(
            {
                std::atexit(reportTeardown);
                for (const int size : sizes)
                    font(GAME_FONT, size);
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), literally("teardown: [" + reported + "\n"));
    }
};

TEST_F(FontManagerExitTest, ClosesEveryFontOnceInKeyOrderThenStopsTtf)
{
    expectTeardown({72, 9, 14, 72}, "close data/Efont_Serif.ttf 14; close data/Efont_Serif.ttf 72; "
                                    "close data/Efont_Serif.ttf 9; quit] ttf running: 0");
}

TEST_F(FontManagerExitTest, LeavesTtfRunningWhenSomethingElseStartedIt)
{
    ASSERT_EQ(TTF_Init(), 0);
    expectTeardown({14}, "close data/Efont_Serif.ttf 14] ttf running: 1");
    TTF_Quit();
}

}  // namespace
