#include "SdlUserInterface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "SdlFont.h"
#include "SdlHelper.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;

constexpr std::int32_t PLAYER_1 = 1, PLAYER_2 = 5, NO_WINNER = -1;

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
    // Twice the x of the middle of the cursor's visible pixels in the strip.
    static int cursorMiddle2()
    {
        const SDL_Rect cursor = boundsOf(display(), WHITE, true, {0, 0, 640, 60});
        return 2 * cursor.x + cursor.w - 1;
    }
    // The congratulation as the outcome screen should show it.
    static SurfacePtr congratulating(const char* name, Rgb colour)
    {
        const SurfacePtr top = textImage("Congratulations!", LARGE_POINTS, BLACK);
        const SurfacePtr middle = textImage(name, LARGE_POINTS, colour);
        const SurfacePtr bottom = textImage("you have won!", LARGE_POINTS, BLACK);
        return SurfacePtr(stackSurfaces({top.get(), middle.get(), bottom.get()}, ALIGN_CENTER, 255, 255, 255, true, 0));
    }
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

// A centred column of two rows each as high as the first entry highlighted, 10 pixels apart, whose
// top stays while the highlight moves down; the credits in the bottom-right corner. Choosing the
// second entry quits (a game started instead would end at the Escape that follows).
TEST_F(SdlUserInterfaceTest, ItsMenuOffersANewGameAndQuittingUnderTheCredits)
{
    script_.then({keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_ESCAPE)});
    ui_->showMenu();
    EXPECT_TRUE(manager_->hasQuit());
    const SurfacePtr newGame = textImage("start new game", MEDIUM_POINTS, GREY);
    const SurfacePtr quit = textImage("quit program", LARGE_POINTS, GREEN);
    const int top = 240 - (textImage("start new game", LARGE_POINTS, GREEN)->h + 10);
    expectDrawnAt(display(), newGame.get(), 320 - newGame->w / 2, top, WHITE);
    expectDrawnAt(display(), quit.get(), 320 - quit->w / 2, top + newGame->h + 10, WHITE);
    const SurfacePtr credits = textImage("-- Quorlitz --\n2025 - 2026\nby the Quorlitz team", SMALL_POINTS, BLUE);
    expectDrawnAt(display(), credits.get(), 640 - credits->w, 480 - credits->h, WHITE);
}

// The columns as drawn, read back where the blue background ends on a board row. The pointer moved
// over a column centres the cursor over it; every pixel of a column but one at its edge takes the
// clicks (the board starts a pixel in, so each column's last pixel lies in the next band). Clicks
// right of the last whole band, or in the cursor strip, still choose; a held button reports the
// pointer beyond the window's edges too, and there it chooses nothing. Escape only leaves the game.
TEST_F(SdlUserInterfaceTest, EachDrawnColumnTakesThePointerAndTheClicksOverItAndNothingOutsideTheWindow)
{
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    const SDL_Rect board = boundsOf(display(), shown(display(), BLUE), true, {0, 300, 640, 1});
    const auto first = [&board](int slot) { return board.x + slot * board.w / 7; };
    const auto last = [&](int slot) { return first(slot + 1) - 1; };
    const auto expectCursorOver = [&](int slot) {
        EXPECT_LE(std::abs(cursorMiddle2() - (first(slot) + last(slot))), 2) << "the cursor is not over slot " << slot;
    };
    for (int slot = 0; slot < 7; ++slot) {
        script_.then({motion(Uint16(first(slot) + 1), 300)}).then({keyUp(SDLK_ESCAPE)});
        manager_->playGame();
        expectCursorOver(slot);
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(first(slot)), 300)});
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(last(slot) - 1), 300)}).then({keyUp(SDLK_ESCAPE)});
        manager_->playGame();
        EXPECT_EQ(tokens(slot), 2) << "columns from x = " << first(slot) << " to " << last(slot);
    }
    // Beyond the left edge (x = -100 as SDL hands it over), the right, the bottom and the top.
    script_.then({motion(Uint16(first(3)), 300), motion(Uint16(-100), 300), motion(640, 300), motion(300, 480)});
    script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(-100), 300), buttonUp(SDL_BUTTON_LEFT, 640, 300),
                  buttonUp(SDL_BUTTON_LEFT, 300, 480), buttonUp(SDL_BUTTON_LEFT, 300, Uint16(-1))});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    EXPECT_EQ(cellsOf(manager_->getGrid()), std::vector<std::int32_t>(35, 0));
    expectCursorOver(3);
    EXPECT_FALSE(manager_->hasQuit());
    script_.then({buttonUp(SDL_BUTTON_LEFT, 639, 300)}).then({buttonUp(SDL_BUTTON_LEFT, 100, 30)}).then({quitRequest()});
    manager_->playGame();
    EXPECT_EQ(tokens(6), 1);
    EXPECT_EQ(tokens(1), 1) << "a click in the cursor strip";
    EXPECT_TRUE(manager_->hasQuit());
}

// Keys act on release and wrap round; only the left button drops; drops into a full slot are
// refused, keep the turn and do not nest the move loop; Player 1 then completes four in the bottom
// row and loses, and the click queued behind that token must not become one of the finished game.
TEST_F(SdlUserInterfaceTest, PlaysAGameJudgingEveryTokenAloneAndShowsTheDecidingOne)
{
    script_.then({keyUp(SDLK_LEFT), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_RIGHT), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_RIGHT), keyDown(SDLK_RIGHT), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)});
    for (const int slot : {2, 2, 2, 2, 2})
        script_.then({clickOnSlot(slot)});
    const SDL_Event overSlot3 = clickOnSlot(3);
    for (const Uint8 button : {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN})
        script_.then({buttonUp(button, overSlot3.button.x, overSlot3.button.y)});
    script_.then(std::vector<SDL_Event>(10, keyUp(SDLK_RETURN))).then(std::vector<SDL_Event>(10, clickOnSlot(2)));
    for (const int slot : {3, 3, 4, 4})
        script_.then({clickOnSlot(slot)});
    script_.then({clickOnSlot(5), clickOnSlot(0)}).then({keyUp(SDLK_SPACE)}, 2);
    manager_->playGame();
    const std::vector<std::int32_t> slotBySlot = {5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 5, 1, 5, 1, 5, 1, 5, 0,
                                                  0, 0, 1, 5, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    EXPECT_EQ(cellsOf(manager_->getGrid()), slotBySlot);
    EXPECT_LT(script_.stackSpread(), 1024u) << "the move loop waits deeper in the stack after refused drops";
    // The outcome text covers only the top of the window: the bottom row shows under it.
    const SurfacePtr cell(loadBitmap("overlay.bmp", false, 0, 0, 0));
    EXPECT_EQ(pixelAt(display(), clickOnSlot(5).button.x, 480 - cell->h / 2), shown(display(), {255, 52, 52}));
}

// At the top-left corner on its first frame; any release, or a window close, ends the screen only.
TEST_F(SdlUserInterfaceTest, OutcomeTextCongratulatesTheWinnerInTheirColourOrCallsEveryoneALoserInGrey)
{
    const SurfacePtr won = congratulating("Player 2", {128, 128, 255}), lost = textImage(LOSERS, LARGE_POINTS, GREY);
    for (const auto& [id, text] : {std::make_pair(PLAYER_2, won.get()), std::make_pair(NO_WINNER, lost.get())}) {
        script_.then({id == NO_WINNER ? quitRequest() : keyUp(SDLK_SPACE)}, 2);  // after the grace period
        showWinner(id);
        expectDrawnAt(display(), text, 0, 0, WHITE);
    }
}

// Left alone, a block drifts half a pixel a frame down and right from the top-left corner, turns
// once its far edge is a pixel past the right or the bottom edge and is gone once it has passed the
// left or the top edge: the grey block, narrow, over the top, the congratulation, wide, over the
// left. 10 ms pause a frame. Stale events, those of the grace period (10 ms after the first frame,
// then 100 ms) and a key press cannot end a screen earlier.
TEST_F(SdlUserInterfaceTest, TheOutcomeScreenEndsOnceTheTextHasDriftedOutOverTheLeftOrTheTop)
{
    // The frames after the first until a block of this length has gone there and back along a window's side.
    const auto framesAlong = [](int block, int side) { return 2 * (side + 1 - block) + 2 * (side + 1); };
    const SurfacePtr lost = textImage(LOSERS, LARGE_POINTS, GREY), won = congratulating("Player 1", {255, 52, 52});
    for (const auto& [id, block] : {std::make_pair(NO_WINNER, lost.get()), std::make_pair(PLAYER_1, won.get())}) {
        for (SDL_Event stale : {keyUp(SDLK_SPACE), buttonUp(SDL_BUTTON_LEFT, 10, 10)})
            ASSERT_EQ(SDL_PushEvent(&stale), 0);
        script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1).then({keyDown(SDLK_a)}, 10);
        const std::size_t before = script_.pauses().size();
        showWinner(id);
        const std::vector<Uint32> pauses(script_.pauses().begin() + std::ptrdiff_t(before), script_.pauses().end());
        EXPECT_NEAR(int(pauses.size()) - 2, std::min(framesAlong(block->w, 640), framesAlong(block->h, 480)), 2) << id;
        std::vector<Uint32> pace(pauses.size(), 10);
        pace[1] = 100;
        EXPECT_EQ(pauses, pace) << "milliseconds paused, frame by frame";
    }
}

// The pointer shows in the menu only: hidden from a game's first move through its outcome screen.
TEST_F(SdlUserInterfaceTest, ThePointerShowsInTheMenuAndHidesDuringTheGameAndItsOutcome)
{
    std::string pointer;  // at each pause: shown or hidden, and how long
    script_.watch([&pointer](Uint32 ms) {
        pointer += (SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE ? "shown " : "hidden ") + std::to_string(ms) + ", ";
    });
    script_.then({keyUp(SDLK_RETURN)});
    for (const int slot : {0, 1, 0, 1, 0, 1, 0})
        script_.then({clickOnSlot(slot)});
    script_.then({keyUp(SDLK_SPACE)}, 2).then({keyUp(SDLK_ESCAPE)}, 1);  // after the outcome's last frame
    ui_->showMenu();
    ui_->showMenu();
    EXPECT_TRUE(std::regex_match(pointer, std::regex("(shown 10, )+(hidden 1, )+hidden 10, hidden 100, (hidden 10, )+"
                                                     "shown 10, ")))
        << pointer.substr(0, 500);
}

}  // namespace
