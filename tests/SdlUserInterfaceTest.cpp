#include "SdlUserInterface.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "SdlHelper.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;

constexpr std::int32_t PLAYER_2 = 5, NO_WINNER = -1;

const char* const LOSERS = "BUNCH\nOF\nLOOSERS!\nnoone's won";
SDL_Surface* display() { return SDL_GetVideoSurface(); }

// The program's window and game manager, driven by a script of user input.
class SdlUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    void open()
    {
        manager_.reset();
        manager_.reset(new GameManager([this](GameManager& manager) { return ui_ = new SdlUserInterface(&manager); }));
    }
    int tokens(int slot) const { return tokensIn(manager_->getGrid(), slot); }
    // As in the game, the outcome screen draws over a window that already holds a picture.
    void showWinner(std::int32_t id)
    {
        fillWith(display(), WHITE);
        ui_->showWinner(manager_->getPlayers().at(id));
    }

    InputScript script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

// A centred column of two rows of (84 + 10) pixels, whose top stays while the highlight moves
// down; the credits in the bottom-right corner.
TEST_F(SdlUserInterfaceTest, ItsMenuOffersANewGameAndQuittingUnderTheCredits)
{
    script_.then({keyUp(SDLK_DOWN), keyUp(SDLK_ESCAPE)});
    ui_->showMenu();
    EXPECT_TRUE(manager_->hasQuit());
    const SurfacePtr newGame = textImage("start new game", 36, GREY), quit = textImage("quit program", 72, GREEN);
    expectDrawnAt(display(), newGame.get(), 320 - newGame->w / 2, 240 - 94, WHITE);
    expectDrawnAt(display(), quit.get(), 320 - quit->w / 2, 240 - 94 + 43 + 10, WHITE);
    const SurfacePtr credits = textImage("-- Quorlitz --\n2025 - 2026\nby the Quorlitz team", 14, BLUE);
    expectDrawnAt(display(), credits.get(), 640 - credits->w, 480 - credits->h, WHITE);
}

// Only a default: a user who chose either variable keeps the choice, and the other stays unset.
TEST_F(SdlUserInterfaceTest, PrefersTheSoftwareFramebufferUnlessTheUserChoseAPresentationPath)
{
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    unsetenv("SDL_RENDER_DRIVER");
    open();
    EXPECT_STREQ(std::getenv("SDL_FRAMEBUFFER_ACCELERATION"), "0");
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    open();  // with SDL_RENDER_DRIVER as the user's choice
    EXPECT_EQ(std::getenv("SDL_FRAMEBUFFER_ACCELERATION"), nullptr);
}

// The columns as drawn, read back where the blue background ends on a board row. Every pixel of
// a column but one at its edge must choose that column's slot (the board starts a pixel in, so
// each column's last pixel lies in the next band), and the cursor must sit centred over it.
// Clicks right of the last whole band still choose the last slot. Escape only leaves the game.
TEST_F(SdlUserInterfaceTest, EachDrawnColumnTakesTheClicksOnItAndHasTheCursorCentredOverIt)
{
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    const SDL_Rect board = boundsOf(display(), shown(display(), BLUE), true, {0, 300, 640, 1});
    for (int slot = 0; slot < 7; ++slot) {
        const int first = board.x + slot * board.w / 7, last = first + board.w / 7 - 1;
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(first), 300)});
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(last - 1), 300)}).then({keyUp(SDLK_ESCAPE)});
        manager_->playGame();
        EXPECT_EQ(tokens(slot), 2) << "columns from x = " << first << " to " << last;
        const SDL_Rect cursor = boundsOf(display(), WHITE, true, {0, 0, 640, 60});
        EXPECT_LE(std::abs((2 * cursor.x + cursor.w - 1) - (first + last)), 2) << "cursor " << cursor;
    }
    EXPECT_FALSE(manager_->hasQuit());
    script_.then({buttonUp(SDL_BUTTON_LEFT, 639, 300)}).then({quitRequest()});
    manager_->playGame();
    EXPECT_EQ(tokens(6), 1);
    EXPECT_TRUE(manager_->hasQuit());
}

// Keys act on release and wrap round; drops into a full slot are refused, keep the turn and do not
// nest the move loop; Player 1 then completes four in the bottom row and loses, and the click
// queued behind that token must not become one of the finished game.
TEST_F(SdlUserInterfaceTest, PlaysAGameJudgingEveryTokenAloneAndShowsTheDecidingOne)
{
    script_.then({keyUp(SDLK_LEFT), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_RIGHT), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_RIGHT), keyDown(SDLK_RIGHT), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)});
    for (const int slot : {2, 2, 2, 2, 2})
        script_.then({clickOnSlot(slot)});
    script_.then(std::vector<SDL_Event>(100, keyUp(SDLK_RETURN))).then(std::vector<SDL_Event>(100, clickOnSlot(2)));
    for (const int slot : {3, 3, 4, 4})
        script_.then({clickOnSlot(slot)});
    script_.then({clickOnSlot(5), clickOnSlot(0)}).then({keyUp(SDLK_SPACE)}, 2);
    manager_->playGame();
    const std::vector<std::int32_t> slotBySlot = {5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 5, 1, 5, 1, 5, 1, 5, 0,
                                                  0, 0, 1, 5, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(cellsOf(manager_->getGrid()), slotBySlot);
    EXPECT_LT(script_.stackSpread(), 4096u) << "the move loop waits deeper in the stack after refused drops";
    // The outcome text covers only the top of the window: the bottom row shows under it.
    EXPECT_EQ(pixelAt(display(), 1 + 5 * 91 + 45, 480 - 42), shown(display(), {255, 52, 52}));
}

// At the top-left corner on its first frame; any release, or a window close, ends the screen only.
TEST_F(SdlUserInterfaceTest, OutcomeTextCongratulatesTheWinnerInTheirColourOrCallsEveryoneALoserInGrey)
{
    const SurfacePtr top = textImage("Congratulations!", 72, BLACK), bottom = textImage("you have won!", 72, BLACK);
    const SurfacePtr name = textImage("Player 2", 72, {128, 128, 255}), lost = textImage(LOSERS, 72, GREY);
    const SurfacePtr won(stackSurfaces({top.get(), name.get(), bottom.get()}, ALIGN_CENTER, 255, 255, 255, true, 0));
    for (const auto& [id, text] : {std::make_pair(PLAYER_2, won.get()), std::make_pair(NO_WINNER, lost.get())}) {
        script_.then({id == NO_WINNER ? quitRequest() : keyUp(SDLK_SPACE)}, 2);  // after the grace period
        showWinner(id);
        expectDrawnAt(display(), text, 0, 0, WHITE);
    }
}

// Left alone, the grey block drifts half a pixel a frame down and right from the top-left corner,
// turns once its bottom is a pixel past the bottom edge and is gone once that has passed the top
// edge (too narrow to leave over the left edge first). Stale events, those of the grace period
// (10 ms after the first frame, then 100 ms) and a key press cannot end it earlier.
TEST_F(SdlUserInterfaceTest, TheOutcomeScreenEndsOnceTheTextHasDriftedOutOverTheTop)
{
    for (SDL_Event stale : {keyUp(SDLK_SPACE), buttonUp(SDL_BUTTON_LEFT, 10, 10)})
        ASSERT_EQ(SDL_PushEvent(&stale), 0);
    script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1).then({keyDown(SDLK_a)}, 10);
    showWinner(NO_WINNER);
    const int pixelsDown = 480 + 1 - textImage(LOSERS, 72, GREY)->h, pixelsUp = 480 + 1;
    EXPECT_NEAR(int(script_.pauses().size()) - 2, 2 * (pixelsDown + pixelsUp), 2) << "frames after the grace period";
}

}  // namespace
