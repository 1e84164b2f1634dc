#include <cstddef>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "SdlFont.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

class SdlMenuTestAccess {
public:
    static void draw(SdlMenu& menu) { menu.draw(); }
    static void drawEntries(SdlMenu& menu) { menu.drawEntries(); }
    static void highlight(SdlMenu& menu, std::size_t entry) { menu.selected_ = entry; }
    static std::size_t highlighted(const SdlMenu& menu) { return menu.selected_; }
    static bool selectAt(SdlMenu& menu, int x, int y) { return menu.selectAt(x, y); }
    static bool isInside(int x, int y, const SDL_Rect& rect) { return SdlMenu::isInside(x, y, rect); }
};

namespace {

using namespace scripted_input;
using Access = SdlMenuTestAccess;
constexpr int QUIT_ID = -1;

SurfacePtr image(const std::string& text, bool highlighted)
{
    SdlFont* font = SdlFontManager::instance().getFont("Efont_Serif.ttf", highlighted ? 72 : 36);
    return SurfacePtr(highlighted ? font->render(text, 0, 255, 0) : font->render(text, 128, 128, 128));
}

// The program's own menu on the window, whose rows are 84 (highlighted) and 43 (normal) pixels high.
class MenuTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        ASSERT_EQ(image("start new game", true)->h, 84) << "the layout figures below assume this font";
        ASSERT_EQ(image("quit program", false)->h, 43);
    }
    std::unique_ptr<SdlMenu> gameMenu(SDL_Surface* surface)
    {
        std::unique_ptr<SdlMenu> menu(new SdlMenu(surface, QUIT_ID));
        menu->addEntry("start new game", 0);
        menu->addEntry("quit program", -1);
        return menu;
    }
    void expectCentredAt(const SurfacePtr& drawn, int y) const
    {
        expectDrawnAt(screen(), drawn.get(), 320 - drawn->w / 2, y, WHITE);
    }
};

TEST_F(MenuTest, PlacesEveryRowAtTheHighlightedRowsHeightAndCentresEachImage)
{
    const std::unique_ptr<SdlMenu> menu = gameMenu(screen());
    // height_needed = (84 + 10) * 2 = 188: the column starts at 240 - 94 = 146.
    Access::highlight(*menu, 0);
    Access::draw(*menu);
    expectCentredAt(image("start new game", true), 146);
    expectCentredAt(image("quit program", false), 146 + 84 + 10);
    // The rows below the highlight move with it; the column's top does not.
    Access::highlight(*menu, 1);
    Access::draw(*menu);
    expectCentredAt(image("start new game", false), 146);
    expectCentredAt(image("quit program", true), 146 + 43 + 10);
    EXPECT_EQ(pixelAt(screen(), 320, 100), WHITE);
    // The credits sit flush in the bottom-right corner.
    SurfacePtr credits(SdlFontManager::instance().getFont("Efont_Serif.ttf", 14)->renderMultiline(
        "-- Quorlitz --\n2025 - 2026\nby the Quorlitz team", 0, 0, 255, ALIGN_CENTER));
    expectDrawnAt(screen(), credits.get(), 640 - credits->w, 480 - credits->h, WHITE);
    EXPECT_GT(countOf(screen(), BLUE), 0);
}

TEST_F(MenuTest, CountsOnlyPointsStrictlyInsideAnImage)
{
    const SDL_Rect rect{10, 20, 30, 40};
    const int points[][3] = {{10, 25, 0}, {11, 25, 1}, {39, 25, 1}, {40, 25, 0},
                             {15, 20, 0}, {15, 21, 1}, {15, 59, 1}, {15, 60, 0}};
    for (const auto& point : points)
        EXPECT_EQ(Access::isInside(point[0], point[1], rect), point[2] == 1) << point[0] << ", " << point[1];
    EXPECT_TRUE(Access::isInside(0, 25, SDL_Rect{-5, 20, 30, 40})) << "the position is signed";

    // The second row's normal image starts at (320 - w / 2, 240).
    const std::unique_ptr<SdlMenu> menu = gameMenu(screen());
    const int left = 320 - image("quit program", false)->w / 2;
    EXPECT_FALSE(Access::selectAt(*menu, left, 250));
    EXPECT_FALSE(Access::selectAt(*menu, 330, 240));
    EXPECT_FALSE(Access::selectAt(*menu, 330, 5));
    EXPECT_EQ(Access::highlighted(*menu), 0u);
    EXPECT_TRUE(Access::selectAt(*menu, left + 1, 241));
    EXPECT_EQ(Access::highlighted(*menu), 1u);
}

TEST_F(MenuTest, StopsTheProgramWhenTheEntriesDoNotFitTheSurface)
{
    // Two entries need (84 + 10) * 2 = 188 rows, and strictly fewer than the surface has.
    SurfacePtr roomy(surfaceLike(screen(), 640, 189));
    Access::drawEntries(*gameMenu(roomy.get()));
    SurfacePtr tight(surfaceLike(screen(), 640, 188));
    const std::unique_ptr<SdlMenu> crowded = gameMenu(tight.get());
    EXPECT_EXIT(Access::drawEntries(*crowded), ::testing::ExitedWithCode(2),
                literally("check failed: height_needed < surface_->h"));
    EXPECT_EXIT(Access::selectAt(*crowded, 0, 0), ::testing::ExitedWithCode(2),
                literally("check failed: height_needed < surface_->h"));
}

TEST_F(MenuTest, CopiesADrawingOnAnotherSurfaceToTheScreen)
{
    SurfacePtr canvas(surfaceLike(screen(), 400, 300));
    SdlMenu menu(canvas.get(), QUIT_ID);
    menu.addEntry("play", 1);
    fillWith(screen(), BLACK);
    Script script;
    script.then({keyUp(SDLK_ESCAPE)});
    EXPECT_EQ(menu.execute(), QUIT_ID);
    // Laid out on the canvas: 94 rows needed, so the image starts at (200 - w / 2, 150 - 47).
    SurfacePtr play = image("play", true);
    expectDrawnAt(screen(), play.get(), 200 - play->w / 2, 103, WHITE);
    EXPECT_EQ(pixelAt(screen(), 399, 0), WHITE);
    EXPECT_EQ(pixelAt(screen(), 400, 0), BLACK);
    EXPECT_EQ(pixelAt(screen(), 0, 300), BLACK);
}

TEST_F(MenuTest, AMenuWithoutEntriesEndsOnlyByEscapeOrAWindowClose)
{
    SdlMenu menu(screen(), 7);
    Script script;
    script.then({keyUp(SDLK_RETURN), keyUp(SDLK_UP), keyUp(SDLK_DOWN)})
        .then({motion(320, 240), buttonUp(SDL_BUTTON_LEFT, 320, 240)})
        .then({keyUp(SDLK_ESCAPE)})
        .then({quitRequest()});
    EXPECT_EQ(menu.execute(), 7);
    EXPECT_EQ(menu.execute(), 7);
    EXPECT_TRUE(script.finished());
}

// Three entries: alpha at rows 99-182 while highlighted, beta at 193-235 and gamma at 246-288
// while alpha is; the centre column x = 320 crosses all three.
class MenuRunTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        menu_.reset(new SdlMenu(screen(), QUIT_ID));
        menu_->addEntry("alpha", 10);
        menu_->addEntry("beta", 20);
        menu_->addEntry("gamma", 30);
    }
    int run() { return menu_->execute(); }

    std::unique_ptr<SdlMenu> menu_;
    Script script_;
};

TEST_F(MenuRunTest, ArrowKeysMoveTheHighlightOnReleaseAndWrapAround)
{
    script_.then({keyUp(SDLK_UP)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 30);
    // Each run starts on the first entry; a held key does nothing until it is released.
    script_.then({keyDown(SDLK_DOWN), keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 10);
    script_.then({keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 20);
    script_.then({keyUp(SDLK_UP), keyUp(SDLK_UP), keyUp(SDLK_DOWN), keyUp(SDLK_KP_ENTER)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 30);
}

TEST_F(MenuRunTest, TheHighlightFollowsThePointerAndStaysWhenItLeaves)
{
    script_.then({motion(320, 213)}).then({motion(5, 5), motion(320, 450)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 20);
    // With beta highlighted gamma still starts at 246, so the pointer finds it there.
    script_.then({motion(320, 213), motion(320, 260)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 30);
}

TEST_F(MenuRunTest, OnlyALeftButtonReleasedOverAnEntryChoosesIt)
{
    script_.then({buttonUp(SDL_BUTTON_LEFT, 5, 5), buttonDown(SDL_BUTTON_LEFT, 320, 260)})
        .then({buttonUp(SDL_BUTTON_RIGHT, 320, 260), buttonUp(SDL_BUTTON_MIDDLE, 320, 260)})
        .then({buttonUp(SDL_BUTTON_WHEELUP, 320, 260), buttonUp(SDL_BUTTON_WHEELDOWN, 320, 260)})
        .then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 10);
    script_.then({buttonUp(SDL_BUTTON_LEFT, 320, 260)});
    EXPECT_EQ(run(), 30);
}

TEST_F(MenuRunTest, EscapeAndAWindowCloseReturnTheQuitIdAndTheCloseStaysQueued)
{
    script_.then({keyUp(SDLK_ESCAPE)});
    EXPECT_EQ(run(), QUIT_ID);
    EXPECT_EQ(pendingEvents(), 0);
    script_.then({quitRequest()});
    EXPECT_EQ(run(), QUIT_ID);
    EXPECT_EQ(pendingEvents(SDL_QUITMASK), 1);
    EXPECT_EQ(pendingEvents(), 1);
}

TEST_F(MenuRunTest, DiscardsWhatTheUserDidBeforeTheMenuAppeared)
{
    for (SDL_Event stale : {keyUp(SDLK_RETURN), buttonUp(SDL_BUTTON_LEFT, 320, 260), quitRequest()})
        ASSERT_EQ(SDL_PushEvent(&stale), 0);
    script_.then({keyUp(SDLK_DOWN)}).then({keyUp(SDLK_RETURN)});
    EXPECT_EQ(run(), 20);
    EXPECT_EQ(script_.pauses().front(), 10u);  // the menu waits 10 ms between empty looks at the queue
}

}  // namespace
