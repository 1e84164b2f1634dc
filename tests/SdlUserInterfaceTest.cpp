#include "SdlUserInterface.h"

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;

constexpr std::int32_t PLAYER_1 = 1, PLAYER_2 = 5, NO_WINNER = -1;
const Rgb PLAYER_1_RED = {255, 52, 52}, PLAYER_2_BLUE = {128, 128, 255};

SDL_Surface* display()
{
    return SDL_GetVideoSurface();
}

// The congratulation as the window must show it: three 72-point lines centred on one another, the
// winner's name in their colour between two black ones (both wider than a player's name).
SurfacePtr congratulating(const std::string& name, Rgb colour)
{
    SurfacePtr block = textImage("Congratulations!\n\nyou have won!", 72, BLACK);
    const SurfacePtr middle = textImage(name, 72, colour);
    SDL_Rect at = {Sint16((block->w - middle->w) / 2), Sint16(middle->h), 0, 0};
    SDL_BlitSurface(middle.get(), nullptr, block.get(), &at);
    return block;
}

SurfacePtr losers()
{
    return textImage("BUNCH\nOF\nLOOSERS!\nnoone's won", 72, GREY);
}

// The program's window and game manager, driven by a script of user input.
class SdlUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager_.reset(
            new GameManager([this](GameManager& manager) { return ui_ = new SdlUserInterface(&manager); }));
    }
    int tokens(int slot) const { return tokensIn(manager_->getGrid(), slot); }
    // Twice the x of the middle of the cursor's visible pixels in the strip.
    static int cursorMiddle2()
    {
        const SDL_Rect cursor = boundsOf(display(), WHITE, true, {0, 0, 640, 60});
        return 2 * cursor.x + cursor.w - 1;
    }
    // As in the game, the outcome screen draws over a window that already holds a picture: one of
    // the board's blue, through which the text's transparent background must show.
    void showWinner(std::int32_t id)
    {
        fillWith(display(), BLUE);
        ui_->showWinner(manager_->getPlayers().at(id));
    }

    InputScript script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

// A 640 x 480 window of 16 bits per pixel captioned "Quorlitz", on a menu of "start new game" and
// "quit program": with the highlight moved down, the first entry 36-point grey at the column's top
// (the first entry's highlighted height and 10 pixels above the middle), the second 72-point green
// 10 pixels below it. Choosing the second entry quits (a game started instead would end at the
// Escape that follows).
TEST_F(SdlUserInterfaceTest, OpensItsWindowOnAMenuOfferingANewGameAndQuitting)
{
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "Quorlitz");
    EXPECT_EQ(std::to_string(display()->w) + "x" + std::to_string(display()->h) + "x" +
                  std::to_string(display()->format->BitsPerPixel),
              "640x480x16");

    script_.then({keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_ESCAPE)});
    ui_->showMenu();
    EXPECT_TRUE(manager_->hasQuit());
    const SurfacePtr newGame = textImage("start new game", 36, GREY),
                     quit = textImage("quit program", 72, GREEN);
    const int top = 240 - (textImage("start new game", 72, GREEN)->h + 10);
    expectDrawnAt(display(), newGame.get(), 320 - newGame->w / 2, top, WHITE);
    expectDrawnAt(display(), quit.get(), 320 - quit->w / 2, top + newGame->h + 10, WHITE);
}

// The columns as drawn, read back where the blue background ends on a board row. The pointer moved
// over a column centres the cursor over it; every pixel of a column but one at its edge takes the
// clicks (the board starts a pixel in, so each column's last pixel lies in the next band). Clicks
// right of the last whole band, or in the cursor strip, still choose. Beyond the window's edges a
// held button chooses nothing and the arrow stays, however the library reports the pointer there:
// sdl12-compat with the position as it is (x = -100 arrives as 65436), classic SDL by reporting the
// pointer gone and then positions kept inside the window. Escape only leaves the game.
TEST_F(SdlUserInterfaceTest, EachDrawnColumnTakesThePointerAndTheClicksOverItAndNothingOutsideTheWindow)
{
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    const SDL_Rect board = boundsOf(display(), shown(display(), BLUE), true, {0, 300, 640, 1});
    const auto first = [&board](int slot) { return board.x + slot * board.w / 7; };
    const auto last = [&](int slot) { return first(slot + 1) - 1; };
    const auto expectCursorOver = [&](int slot) {
        EXPECT_LE(std::abs(cursorMiddle2() - (first(slot) + last(slot))), 2)
            << "the cursor is not over slot " << slot;
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
    const Uint16 overSlot5 = Uint16(first(5) + 1);
    script_.then({motion(Uint16(first(3)), 300)});
    script_.then(
        {motion(Uint16(-100), 300), motion(640, 300), motion(overSlot5, Uint16(-1)), motion(overSlot5, 480)});
    script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(-100), 300), buttonUp(SDL_BUTTON_LEFT, 640, 300),
                  buttonUp(SDL_BUTTON_LEFT, overSlot5, Uint16(-1)),
                  buttonUp(SDL_BUTTON_LEFT, overSlot5, 480)});
    script_.then({focusChange(SDL_APPMOUSEFOCUS, false), motion(0, 300), motion(overSlot5, 0),
                  motion(639, 479), buttonUp(SDL_BUTTON_LEFT, overSlot5, 0),
                  buttonUp(SDL_BUTTON_LEFT, 639, 300)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    EXPECT_EQ(stacksOf(manager_->getGrid()), std::vector<std::string>(7, ""));
    expectCursorOver(3);
    EXPECT_FALSE(manager_->hasQuit());
    // The pointer gone with the window iconified: Return still drops under the arrow. The next move
    // starts with the pointer inside, so the bottom pixel row takes a click; back inside, and with
    // only the keyboard's focus lost, the button chooses again, in the cursor strip too.
    const Uint8 iconified = SDL_APPMOUSEFOCUS | SDL_APPACTIVE;
    script_.then({focusChange(iconified, false), buttonUp(SDL_BUTTON_LEFT, 639, 479), keyUp(SDLK_RETURN)});
    script_.then({buttonUp(SDL_BUTTON_LEFT, 639, 479)});
    script_.then({focusChange(iconified, false), focusChange(SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS, true),
                  focusChange(SDL_APPINPUTFOCUS, false), buttonUp(SDL_BUTTON_LEFT, 100, 30)});
    script_.then({quitRequest()});
    manager_->playGame();
    EXPECT_EQ(stacksOf(manager_->getGrid()), (std::vector<std::string>{"", "1", "", "1", "", "", "5"}));
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
    script_.then(std::vector<SDL_Event>(10, keyUp(SDLK_RETURN)))
        .then(std::vector<SDL_Event>(10, clickOnSlot(2)));
    for (const int slot : {3, 3, 4, 4})
        script_.then({clickOnSlot(slot)});
    script_.then({clickOnSlot(5), clickOnSlot(0)}).then({keyUp(SDLK_SPACE)}, 2);
    manager_->playGame();
    EXPECT_EQ(stacksOf(manager_->getGrid()),
              (std::vector<std::string>{"5", "1", "51515", "15", "15", "1", "1"}));
    EXPECT_LT(script_.stackSpread(), 1024u) << "the move loop waits deeper in the stack after refused drops";
    // The outcome text covers only the top of the window: the middle of slot 5's bottom cell, 42
    // pixels up from the window's bottom, shows the deciding token.
    EXPECT_EQ(pixelAt(display(), clickOnSlot(5).button.x, 480 - 42), shown(display(), PLAYER_1_RED));
}

// At the top-left corner on its first frame: the congratulation in black with the winner's name in
// their colour, or everyone called a loser in grey, 72 points, lines centred. Once the grace period
// is over, a key's release, a window close or the release of any mouse button ends the screen
// within a frame; the text never reached the far edges.
TEST_F(SdlUserInterfaceTest, OutcomeTextCongratulatesTheWinnerOrCallsEveryoneALoserUntilTheUserAnswers)
{
    const SurfacePtr won = congratulating("Player 2", PLAYER_2_BLUE), lost = losers();
    const std::pair<std::int32_t, SDL_Surface*> outcomes[] = {{PLAYER_2, won.get()}, {NO_WINNER, lost.get()}};
    for (const auto& [id, text] : outcomes) {
        script_.then({id == NO_WINNER ? quitRequest() : keyUp(SDLK_SPACE)}, 2);  // after the grace period
        showWinner(id);
        expectDrawnAt(display(), text, 0, 0, BLUE);
    }
    for (const Uint8 button :
         {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        script_.then({buttonUp(button, 600, 400)}, 2);
        const std::size_t before = script_.pauses().size();
        showWinner(PLAYER_1);
        EXPECT_LE(script_.pauses().size() - before, 5u)
            << "button " << int(button) << " did not end the screen";
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
    const SurfacePtr lost = losers(), won = congratulating("Player 1", PLAYER_1_RED);
    const std::pair<std::int32_t, SDL_Surface*> outcomes[] = {{NO_WINNER, lost.get()}, {PLAYER_1, won.get()}};
    for (const auto& [id, block] : outcomes) {
        for (SDL_Event stale : {keyUp(SDLK_SPACE), buttonUp(SDL_BUTTON_LEFT, 10, 10)})
            ASSERT_EQ(SDL_PushEvent(&stale), 0);
        script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1).then({keyDown(SDLK_a)}, 10);
        const std::size_t before = script_.pauses().size();
        showWinner(id);
        const std::vector<Uint32> pauses(script_.pauses().begin() + std::ptrdiff_t(before),
                                         script_.pauses().end());
        EXPECT_NEAR(int(pauses.size()) - 2, std::min(framesAlong(block->w, 640), framesAlong(block->h, 480)),
                    2)
            << id;
        std::vector<Uint32> pace(pauses.size(), 10);
        pace[1] = 100;
        EXPECT_EQ(pauses, pace) << "milliseconds paused, frame by frame";
    }
}

// The pointer shows in the menu only: hidden from a game's first move through its outcome screen.
// The menu waits 10 ms between looks at the queue, a move 1 ms.
TEST_F(SdlUserInterfaceTest, ThePointerShowsInTheMenuAndHidesDuringTheGameAndItsOutcome)
{
    std::string pointer;  // at each pause: shown or hidden, and how long
    script_.watch([&pointer](Uint32 ms) {
        pointer +=
            (SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE ? "shown " : "hidden ") + std::to_string(ms) + ", ";
    });
    script_.then({keyUp(SDLK_RETURN)});
    for (const int slot : {0, 1, 0, 1, 0, 1, 0})
        script_.then({clickOnSlot(slot)});
    script_.then({keyUp(SDLK_SPACE)}, 2).then({keyUp(SDLK_ESCAPE)}, 1);  // after the outcome's last frame
    ui_->showMenu();
    ui_->showMenu();
    EXPECT_TRUE(
        std::regex_match(pointer, std::regex("(shown 10, )+(hidden 1, )+hidden 10, hidden 100, (hidden 10, )+"
                                             "shown 10, ")))
        << pointer.substr(0, 500);
}

}  // namespace

// The storm: a seeded random stream of user input and signals through the menu, the moves and the
// outcome screens. QUORLITZ_STORM_SEED=<seed> replays a stream that failed.
namespace storm {

constexpr int SLOTS = 7, ROWS = 5;

// Full first, then a line of four of one player's own: that player loses.
std::int32_t judged(const GameGrid& grid)
{
    const auto cell = [&grid](int slot, int row) {
        return slot < 0 || slot >= SLOTS || row >= ROWS ? 0 : grid.getCell(slot, row);
    };
    bool full = true;
    std::int32_t loser = 0;
    for (int slot = 0; slot < SLOTS; ++slot) {
        for (int row = 0; row < ROWS; ++row) {
            const std::int32_t id = cell(slot, row);
            full = full && id != 0;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {0, 1}, {1, 1}, {-1, 1}}) {
                int length = 1;
                while (length < 4 && id != 0 && cell(slot + length * dx, row + length * dy) == id)
                    ++length;
                if (length == 4)
                    loser = id;
            }
        }
    }
    return full ? NO_WINNER : loser == 0 ? 0 : PLAYER_1 + PLAYER_2 - loser;
}

// The program's own window, watched: every move adds at most one token, the mover's, in the lowest
// free cell of its slot, Player 1 moving on even counts; every decided board is shown at once, and
// shown as the rule judges it.
class WatchedWindow final : public UserInterface {
public:
    explicit WatchedWindow(GameManager& manager) : manager_(manager), window_(&manager) {}
    void showMenu() override
    {
        EXPECT_FALSE(decided_) << "a decided board was not shown";
        window_.showMenu();
    }
    void makeMove() override
    {
        EXPECT_FALSE(decided_) << "a decided board was not shown";
        const std::vector<std::int32_t> before = cellsOf(manager_.getGrid());
        window_.makeMove();
        const std::vector<std::int32_t> after = cellsOf(manager_.getGrid());
        const auto tokens = SLOTS * ROWS - std::count(before.begin(), before.end(), 0);
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (after[i] == before[i])
                continue;
            ++drops;
            EXPECT_EQ(after[i], tokens % 2 == 0 ? PLAYER_1 : PLAYER_2) << "cell " << i;
            EXPECT_TRUE(before[i] == 0 && (i % ROWS == 0 || before[i - 1] != 0)) << "cell " << i;
            EXPECT_EQ(std::count(after.begin(), after.end(), 0),
                      std::count(before.begin(), before.end(), 0) - 1);
        }
        decided_ = judged(manager_.getGrid()) != 0;
    }
    void showWinner(const Player& winner) override
    {
        EXPECT_EQ(winner.id, judged(manager_.getGrid()));
        decided_ = false;
        ++games;
        window_.showWinner(winner);
    }
    static inline int drops = 0, games = 0;

private:
    GameManager& manager_;
    SdlUserInterface window_;
    bool decided_ = false;
};

}  // namespace storm

// Thousands of random events: keys pressed and released, every button and the wheel, the pointer
// anywhere and past the edges in both libraries' ways, focus changes and quit requests; every few
// hundred a SIGINT or SIGTERM, which must end the program within a few pauses wherever it comes.
TEST(SdlUserInterfaceStormTest, RandomInputKeepsTheRulesAndASignalEndsTheProgramAtOnce)
{
    const char* replay = std::getenv("QUORLITZ_STORM_SEED");
    const unsigned seed =
        replay != nullptr ? unsigned(std::strtoul(replay, nullptr, 10)) : std::random_device()();
    SCOPED_TRACE("QUORLITZ_STORM_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return int(random() % unsigned(n)); };
    const auto anywhere = [&below](int size) {
        return Uint16(below(4) == 0 ? size - 60 + below(120) : below(size));  // past the far edge, or wrapped
    };
    const SDLKey keys[] = {SDLK_RETURN, SDLK_LEFT,  SDLK_RIGHT, SDLK_UP,
                           SDLK_DOWN,   SDLK_SPACE, SDLK_a,     SDLK_ESCAPE};
    // A quarter keys (Escape rarely), a quarter buttons, the rest motion, focus, clicks on the board,
    // Return and now and then a quit request.
    const auto randomEvent = [&]() {
        const int kind = below(16);
        if (kind < 4)
            return (below(2) ? keyUp : keyDown)(keys[below(below(40) == 0 ? 8 : 7)]);
        if (kind < 8) {
            SDL_Event event = buttonUp(Uint8(1 + below(5)), anywhere(640), anywhere(480));
            if (below(2))
                event.type = event.button.type = SDL_MOUSEBUTTONDOWN;
            return event;
        }
        if (kind < 11)
            return motion(anywhere(640), anywhere(480));
        if (kind < 14)
            return focusChange(Uint8(1 + below(7)), below(2));
        if (kind < 15)
            return clickOnSlot(below(7));
        return below(20) == 0 ? quitRequest() : keyUp(SDLK_RETURN);
    };
    InputScript script;
    constexpr int EVENTS = 4000, SESSION_PAUSES_AFTER_SIGNAL = 3;
    int events = 0;
    std::size_t signalledAt = 0;
    script.watch([&](Uint32 ms) {
        if (signalledAt != 0)
            return;
        // The outcome screen's first pause, the only one of 100 ms, gets many: input is thrown away then.
        if (events >= EVENTS || below(ms == 100 ? 2 : 400) == 0) {
            signalledAt = script.pauses().size();
            raise(below(2) ? SIGINT : SIGTERM);
            return;
        }
        for (int n = below(3); n > 0; --n, ++events) {
            SDL_Event event = randomEvent();
            SDL_PushEvent(&event);
        }
    });
    int sessions = 0;
    while (events < EVENTS) {
        signalledAt = 0;
        GameManager manager([](GameManager& m) { return new storm::WatchedWindow(m); });
        manager.run();
        ++sessions;
        if (signalledAt != 0) {
            EXPECT_LE(script.pauses().size() - signalledAt, std::size_t(SESSION_PAUSES_AFTER_SIGNAL));
        }
    }
    std::cout << "storm " << seed << ": " << events << " events, " << sessions << " sessions, "
              << storm::WatchedWindow::drops << " tokens, " << storm::WatchedWindow::games
              << " games decided\n";
    EXPECT_GT(storm::WatchedWindow::games, 0);
}
