#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SdlFont.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;
constexpr int QUIT_ID = -1;

SurfacePtr image(const std::string& text, bool highlighted)
{
    SdlFont* font = SdlFontManager::instance().getFont("Efont_Serif.ttf", highlighted ? 72 : 36);
    return SurfacePtr(highlighted ? font->render(text, 0, 255, 0) : font->render(text, 128, 128, 128));
}

// Three entries on the window. Rows are 84 pixels high highlighted, 43 otherwise, 10 apart; the
// column is counted as (84 + 10) * 3 = 282 rows high, so with alpha highlighted alpha starts at
// y = 99, beta at 193 and gamma at 246.
class SdlMenuTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        ASSERT_EQ(image("alpha", true)->h, 84) << "the layout figures assume this font";
        ASSERT_EQ(image("beta", false)->h, 43);
        menu_ = makeMenu(screen());
    }
    static std::unique_ptr<SdlMenu> makeMenu(SDL_Surface* surface)
    {
        std::unique_ptr<SdlMenu> menu(new SdlMenu(surface, QUIT_ID));
        menu->addEntry("alpha", 10);
        menu->addEntry("beta", 20);
        menu->addEntry("gamma", 30);
        return menu;
    }
    int run(const std::vector<SDL_Event>& events)
    {
        script_.then(events);
        return menu_->execute();
    }
    void expectCentredAt(const std::string& text, bool highlighted, int y) const
    {
        const SurfacePtr drawn = image(text, highlighted);
        expectDrawnAt(screen(), drawn.get(), 320 - drawn->w / 2, y, WHITE);
    }

    InputScript script_;
    std::unique_ptr<SdlMenu> menu_;
};

TEST_F(SdlMenuTest, DrawsACentredColumnWhoseTopStaysWhileTheHighlightMovesAndTheCreditsInTheCorner)
{
    EXPECT_EQ(run({keyUp(SDLK_DOWN), keyUp(SDLK_ESCAPE)}), QUIT_ID);
    expectCentredAt("alpha", false, 99);
    expectCentredAt("beta", true, 99 + 43 + 10);
    expectCentredAt("gamma", false, 246);
    SurfacePtr credits(SdlFontManager::instance().getFont("Efont_Serif.ttf", 14)->renderMultiline(
        "-- Quorlitz --\n2025 - 2026\nby the Quorlitz team", 0, 0, 255, ALIGN_CENTER));
    expectDrawnAt(screen(), credits.get(), 640 - credits->w, 480 - credits->h, WHITE);
}

TEST_F(SdlMenuTest, KeysActOnReleaseWrapAroundAndEveryRunStartsOnTheFirstEntryWithTheQueueEmptied)
{
    SDL_Event stale = keyUp(SDLK_RETURN);
    ASSERT_EQ(SDL_PushEvent(&stale), 0);
    EXPECT_EQ(run({keyUp(SDLK_UP), keyUp(SDLK_RETURN)}), 30);
    EXPECT_EQ(script_.pauses().front(), 10u) << "the menu waits 10 ms between empty looks at the queue";
    EXPECT_EQ(run({keyDown(SDLK_DOWN), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)}), 10);
    EXPECT_EQ(run({keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}), 20);
}

TEST_F(SdlMenuTest, ThePointerHighlightsTheEntryItIsStrictlyInsideAndOnlyALeftReleaseChooses)
{
    const int betaWidth = image("beta", false)->w, betaLeft = 320 - betaWidth / 2;
    // On beta's left, right, top and bottom border.
    EXPECT_EQ(run({motion(Uint16(betaLeft), 214), motion(Uint16(betaLeft + betaWidth), 214), motion(320, 193),
                   motion(320, 236), keyUp(SDLK_RETURN)}),
              10);
    EXPECT_EQ(run({motion(Uint16(betaLeft + 1), 194), motion(5, 5), keyUp(SDLK_RETURN)}), 20);
    EXPECT_EQ(run({buttonUp(SDL_BUTTON_LEFT, 5, 5), buttonDown(SDL_BUTTON_LEFT, 320, 260),
                   buttonUp(SDL_BUTTON_RIGHT, 320, 260), buttonUp(SDL_BUTTON_MIDDLE, 320, 260), keyUp(SDLK_RETURN)}),
              10);
    EXPECT_EQ(run({buttonUp(SDL_BUTTON_LEFT, 320, 260)}), 30);
}

TEST_F(SdlMenuTest, EscapeAndAWindowCloseReturnTheQuitIdAndTheCloseStaysQueuedForTheProgram)
{
    EXPECT_EQ(run({keyUp(SDLK_ESCAPE)}), QUIT_ID);
    EXPECT_EQ(pendingEvents(), 0);
    EXPECT_EQ(run({quitRequest()}), QUIT_ID);
    EXPECT_EQ(pendingEvents(SDL_QUITMASK), 1);
}

TEST_F(SdlMenuTest, StopsTheProgramWhenTheEntriesDoNotFitTheSurface)
{
    SurfacePtr roomy(surfaceLike(screen(), 640, 283)), tight(surfaceLike(screen(), 640, 282));
    script_.then({keyUp(SDLK_ESCAPE)});
    EXPECT_EQ(makeMenu(roomy.get())->execute(), QUIT_ID);
    EXPECT_EXIT(makeMenu(tight.get())->execute(), ::testing::ExitedWithCode(2),
                literally("check failed: height_needed < surface_->h"));
}

}  // namespace
