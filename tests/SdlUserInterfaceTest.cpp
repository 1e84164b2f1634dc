#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "SdlFont.h"
#include "SdlHelper.h"
#include "SdlUserInterface.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;

constexpr std::int32_t PLAYER_1 = 1, PLAYER_2 = 5, NO_WINNER = -1;
const char* const LOSERS = "BUNCH\nOF\nLOOSERS!\nnoone's won";

SDL_Surface* display() { return SDL_GetVideoSurface(); }
SdlFont* outcomeFont() { return SdlFontManager::instance().getFont("Efont_Serif.ttf", 72); }

// The program's window and game manager, driven by a script of user input.
class SdlUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    void open()
    {
        manager_.reset();
        manager_.reset(new GameManager([this](GameManager& manager) { return ui_ = new SdlUserInterface(&manager); }));
    }
    const GameGrid& grid() const { return manager_->getGrid(); }
    int tokens(int slot) const { return tokensIn(grid(), slot); }
    void clickSlots(const std::vector<int>& slots)
    {
        for (const int slot : slots)
            script_.then({clickOnSlot(slot)});
    }
    void showWinner(std::int32_t id) { ui_->showWinner(manager_->getPlayers().at(id)); }

    InputScript script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

// Its own window is checked end to end; this is the case of a caller that opened the screen first.
TEST_F(SdlUserInterfaceTest, UsesAScreenThatIsAlreadyOpenAndLeavesSdlRunning)
{
    manager_.reset();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    open();
    EXPECT_EQ(display(), screen);
    manager_.reset();
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST_F(SdlUserInterfaceTest, ItsMenuOffersANewGameAndQuittingAndEscapeThereQuits)
{
    SdlFont* const big = SdlFontManager::instance().getFont("Efont_Serif.ttf", 72);
    SdlFont* const small = SdlFontManager::instance().getFont("Efont_Serif.ttf", 36);
    SurfacePtr newGame(big->render("start new game", 0, 255, 0)), quit(small->render("quit program", 128, 128, 128));
    script_.then({keyUp(SDLK_ESCAPE)});
    ui_->showMenu();
    EXPECT_TRUE(manager_->hasQuit());
    // Two rows of (84 + 10) pixels, centred: from y = 240 - 94.
    expectDrawnAt(display(), newGame.get(), 320 - newGame->w / 2, 146, WHITE);
    expectDrawnAt(display(), quit.get(), 320 - quit->w / 2, 146 + 84 + 10, WHITE);
}

// Only a default: a user who chose either variable keeps the choice, and the other stays unset.
TEST_F(SdlUserInterfaceTest, PrefersTheSoftwareFramebufferUnlessTheUserChoseAPresentationPath)
{
    const char* const framebuffer = "SDL_FRAMEBUFFER_ACCELERATION";
    const char* const renderer = "SDL_RENDER_DRIVER";
    unsetenv(framebuffer);
    unsetenv(renderer);
    open();
    EXPECT_STREQ(std::getenv(framebuffer), "0");
    EXPECT_STREQ(std::getenv(renderer), "software");
    unsetenv(framebuffer);
    open();
    EXPECT_EQ(std::getenv(framebuffer), nullptr);
    setenv(framebuffer, "1", 1);
    unsetenv(renderer);
    open();
    EXPECT_EQ(std::getenv(renderer), nullptr);
}

TEST_F(SdlUserInterfaceTest, MapsTheLeftButtonsReleaseToSlotsOf91Pixels)
{
    script_.then({buttonUp(SDL_BUTTON_RIGHT, 300, 300), buttonUp(SDL_BUTTON_MIDDLE, 300, 300),
                  buttonDown(SDL_BUTTON_LEFT, 300, 300), keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    EXPECT_EQ(cellsOf(grid()), std::vector<std::int32_t>(35, 0)) << "only the left button's release drops";
    EXPECT_EQ(script_.pauses().front(), 1u) << "the move loop waits 1 ms between empty looks at the queue";

    // The drawn board's columns, read back where the blue background ends on a board row. Centred,
    // the board starts a pixel in, so each column's last pixel lies in the next slot's band: the
    // clicks go to both ends of what column and band share, and right of the last whole band.
    const Rgb blue = shown(display(), BLUE);
    int left = 0, right = 639;
    while (pixelAt(display(), left, 300) == blue)
        ++left;
    while (pixelAt(display(), right, 300) == blue)
        --right;
    const int width = (right - left + 1) / 7;
    ASSERT_EQ(width, 91);
    for (const int offset : {0, width - 2})
        for (int slot = 0; slot < 7; ++slot)
            script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(left + slot * width + offset), 300)});
    script_.then({buttonUp(SDL_BUTTON_LEFT, 639, 300)}).then({motion(300, 10), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    const std::vector<std::int32_t> expected = {1, 5, 0, 0, 0, 5, 1, 0, 0, 0, 1, 5, 0, 0, 0, 5, 1, 5, 0, 0,
                                                1, 5, 0, 0, 0, 5, 1, 0, 0, 0, 1, 5, 1, 0, 0};
    EXPECT_EQ(cellsOf(grid()), expected);
}

TEST_F(SdlUserInterfaceTest, ArrowKeysActOnReleaseAndWrapAroundAndReturnDropsAtTheCursor)
{
    script_.then({keyUp(SDLK_LEFT), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_RIGHT), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_RIGHT), keyDown(SDLK_RIGHT), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    const std::vector<std::int32_t> expected = {5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(cellsOf(grid()), expected);
}

TEST_F(SdlUserInterfaceTest, RefusedDropsKeepTheTurnAndTheStackFlat)
{
    // Slot 2 is full; Player 2 insists on it 200 times in one move before choosing slot 3.
    clickSlots({2, 2, 2, 2, 2, 2});
    script_.then(std::vector<SDL_Event>(100, keyUp(SDLK_RETURN))).then(std::vector<SDL_Event>(100, clickOnSlot(2)));
    clickSlots({3, 4});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokens(2), 5);
    EXPECT_EQ(grid().getCell(3, 0), PLAYER_2);
    EXPECT_EQ(grid().getCell(4, 0), PLAYER_1);
    EXPECT_LT(script_.stackSpread(), 4096u) << "the move loop waits deeper in the stack after refused drops";
}

TEST_F(SdlUserInterfaceTest, JudgesTwoQueuedDropsOneAtATimeAndShowsTheDecidingToken)
{
    // Player 1's token in slot 6 completes four in the bottom row and loses; the click queued right
    // behind it must not become a token of the finished game.
    clickSlots({3, 3, 4, 4, 5, 5});
    script_.then({clickOnSlot(6), clickOnSlot(2)}).then({keyUp(SDLK_SPACE)}, 2);
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokens(6) * 10 + tokens(2), 10);
    EXPECT_FALSE(manager_->isRunning());
    // The outcome text covers only the top of the window: the bottom row shows under it.
    EXPECT_EQ(pixelAt(display(), 1 + 6 * 91 + 45, 480 - 42), shown(display(), {255, 52, 52}));
}

TEST_F(SdlUserInterfaceTest, EscapeAbandonsTheGameAndAWindowCloseQuits)
{
    script_.then({clickOnSlot(3)}).then({keyUp(SDLK_ESCAPE), clickOnSlot(4)});
    manager_->playGame();
    EXPECT_FALSE(manager_->isRunning());
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(pendingEvents(), 1) << "the call ends at once and leaves the rest of the queue alone";
    SDL_Event leftOver;
    SDL_PollEvent(&leftOver);

    script_.then({clickOnSlot(3)}).then({quitRequest()});
    manager_->playGame();
    EXPECT_TRUE(manager_->hasQuit());
    EXPECT_EQ(tokens(3), 1);

    script_.then({keyUp(SDLK_ESCAPE)});  // outside a game, Escape quits
    open();
    ui_->makeMove();
    EXPECT_TRUE(manager_->hasQuit());
}

TEST_F(SdlUserInterfaceTest, OutcomeTextCongratulatesTheWinnerInTheirColourOrCallsEveryoneALoserInGrey)
{
    const SdlFont* font = outcomeFont();
    SurfacePtr top(font->render("Congratulations!", 0, 0, 0)), name(font->render("Player 2", 128, 128, 255)),
        bottom(font->render("you have won!", 0, 0, 0));
    SurfacePtr won(stackSurfaces({top.get(), name.get(), bottom.get()}, ALIGN_CENTER, 255, 255, 255, true, 0));
    SurfacePtr lost(font->renderMultiline(LOSERS, 128, 128, 128, ALIGN_CENTER));
    for (const auto& outcome : {std::make_pair(PLAYER_2, won.get()), std::make_pair(NO_WINNER, lost.get())}) {
        fillWith(display(), WHITE);
        script_.then({keyUp(SDLK_SPACE)}, 2);  // once the first frame and the grace period are over
        showWinner(outcome.first);
        expectDrawnAt(display(), outcome.second, 0, 0, WHITE);
    }
}

TEST_F(SdlUserInterfaceTest, TheOutcomeScreenIgnoresEverythingUntilItsGracePeriodEndsAndThenAnyRelease)
{
    // Pauses: 10 ms after the first frame, the 100 ms grace, then one 10 ms pause per frame.
    SDL_Event earlyKey = keyUp(SDLK_SPACE);
    ASSERT_EQ(SDL_PushEvent(&earlyKey), 0);
    script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1);  // during the grace
    script_.then({keyDown(SDLK_a)}, 10).then({keyUp(SDLK_a)}, 35);        // at the 47th frame
    showWinner(PLAYER_1);
    const std::vector<Uint32>& pauses = script_.pauses();
    ASSERT_EQ(pauses.size(), 50u) << "the release ends the screen with the frame after it";
    EXPECT_EQ(pauses[1], 100u);
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 10u), 49);

    // Afterwards any button release, or a window close, ends only this screen.
    script_.then({buttonUp(SDL_BUTTON_WHEELUP, 10, 10)}, 2);
    showWinner(PLAYER_1);
    script_.then({quitRequest()}, 2);
    showWinner(PLAYER_1);
    EXPECT_EQ(script_.pauses().size(), 58u);
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(SdlUserInterfaceTest, TheOutcomeScreenEndsOnceTheTextHasDriftedOutOverTheTop)
{
    // The grey block drifts half a pixel a frame down and right from the top-left corner, turns
    // once its bottom is a pixel past the bottom edge and is gone once that has passed the top
    // edge. It is too narrow to leave over the left edge first.
    const SurfacePtr block(outcomeFont()->renderMultiline(LOSERS, 128, 128, 128, ALIGN_CENTER));
    const int pixelsDown = 480 + 1 - block->h, pixelsUp = 480 + 1;
    showWinner(NO_WINNER);
    const int frames = int(script_.pauses().size()) - 2;  // after the first frame and the grace
    EXPECT_NEAR(frames, 2 * (pixelsDown + pixelsUp), 2);
}

}  // namespace
