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
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "OutcomeChecker.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;
using Stacks = std::vector<std::string>;

const Rgb PLAYER_1_RED = {255, 52, 52}, PLAYER_2_BLUE = {128, 128, 255};

SDL_Surface* display()
{
    return SDL_GetVideoSurface();
}

// Both black lines are wider than a name.
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

class SdlUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager_.reset(
            new GameManager([this](GameManager& manager) { return ui_ = new SdlUserInterface(&manager); }));
    }
    Stacks stacks() const { return stacksOf(manager_->getGrid()); }
    // Twice the cursor's middle x, so that an odd width needs no rounding.
    static int cursorMiddle2()
    {
        const SDL_Rect cursor = boundsOf(display(), WHITE, true, {0, 0, 640, 60});
        return 2 * cursor.x + cursor.w - 1;
    }
    // Over the board's blue, which must show through the text's background.
    void showWinner(std::int32_t id)
    {
        fillWith(display(), BLUE);
        ui_->showWinner(manager_->getPlayers().at(id));
    }

    InputScript script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

// The board starts a pixel in, so each column's last pixel lies in the next slot's band.
TEST_F(SdlUserInterfaceTest, EachColumnTakesTheCursorAndTheClicksOverIt)
{
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();
    const SDL_Rect board = boundsOf(display(), shown(display(), BLUE), true, {0, 300, 640, 1});
    for (int slot = 0; slot < 7; ++slot) {
        const int first = board.x + slot * board.w / 7, last = board.x + (slot + 1) * board.w / 7 - 1;
        script_.then({motion(Uint16(first + 1), 300)}).then({keyUp(SDLK_ESCAPE)});
        manager_->playGame();
        EXPECT_LE(std::abs(cursorMiddle2() - (first + last)), 2) << "the cursor is not over slot " << slot;
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(first), 300)});
        script_.then({buttonUp(SDL_BUTTON_LEFT, Uint16(last - 1), 300)}).then({keyUp(SDLK_ESCAPE)});
        manager_->playGame();
        EXPECT_EQ(stacks()[std::size_t(slot)], "15") << "x from " << first << " to " << last;
    }
    EXPECT_FALSE(manager_->hasQuit());
}

// sdl12-compat reports a pointer past an edge as it is (x = -100 as 65436); classic SDL reports it
// gone and then keeps positions inside. Iconified, Return still drops; the next move starts with the
// pointer inside; losing only the keyboard's focus leaves the mouse working.
TEST_F(SdlUserInterfaceTest, ThePointerOutsideTheWindowChoosesNothing)
{
    const Uint16 overSlot3 = clickOnSlot(3).button.x, overSlot5 = clickOnSlot(5).button.x;
    script_.then({motion(overSlot3, 300)});
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
    EXPECT_EQ(stacks(), Stacks(7, ""));
    EXPECT_LE(std::abs(cursorMiddle2() - 2 * overSlot3), 2);

    const Uint8 iconified = SDL_APPMOUSEFOCUS | SDL_APPACTIVE;
    script_.then({focusChange(iconified, false), buttonUp(SDL_BUTTON_LEFT, 639, 479), keyUp(SDLK_RETURN)});
    script_.then({buttonUp(SDL_BUTTON_LEFT, 639, 479)});
    script_.then({focusChange(iconified, false), focusChange(SDL_APPMOUSEFOCUS | SDL_APPINPUTFOCUS, true),
                  focusChange(SDL_APPINPUTFOCUS, false), buttonUp(SDL_BUTTON_LEFT, 100, 30)});
    script_.then({quitRequest()});
    manager_->playGame();
    EXPECT_EQ(stacks(), (Stacks{"", "1", "", "1", "", "", "5"}));
    EXPECT_TRUE(manager_->hasQuit());
}

// Player 1 completes four and loses; the click queued behind must not move in the finished game.
TEST_F(SdlUserInterfaceTest, KeysOnReleaseAndLeftClicksDropAndFullSlotsAreRefused)
{
    script_.then({keyUp(SDLK_LEFT), keyUp(SDLK_RETURN)}).then({keyUp(SDLK_RIGHT), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_RIGHT), keyDown(SDLK_RIGHT), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)});
    for (const int slot : {2, 2, 2, 2, 2})
        script_.then({clickOnSlot(slot)});
    const SDL_Event overSlot3 = clickOnSlot(3);
    for (const Uint8 button : {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN})
        script_.then({buttonUp(button, overSlot3.button.x, overSlot3.button.y)});
    script_.then({keyUp(SDLK_RETURN)}).then({clickOnSlot(2)});
    for (const int slot : {3, 3, 4, 4})
        script_.then({clickOnSlot(slot)});
    script_.then({clickOnSlot(5), clickOnSlot(0)}).then({keyUp(SDLK_SPACE)}, 2);
    manager_->playGame();
    EXPECT_EQ(stacks(), (Stacks{"5", "1", "51515", "15", "15", "1", "1"}));
    // Below the outcome text, the deciding token.
    EXPECT_EQ(pixelAt(display(), clickOnSlot(5).button.x, 480 - 42), shown(display(), PLAYER_1_RED));
}

// After the grace period, a key's or any button's release or a window close ends the screen at once.
TEST_F(SdlUserInterfaceTest, TheOutcomeTextNamesTheWinnerOrEveryoneLosesUntilAnswered)
{
    const SurfacePtr won = congratulating("Player 2", PLAYER_2_BLUE), lost = losers();
    const std::pair<std::int32_t, SDL_Surface*> outcomes[] = {{PLAYER_2_ID, won.get()},
                                                              {NO_WINNER_ID, lost.get()}};
    for (const auto& [id, text] : outcomes) {
        script_.then({id == NO_WINNER_ID ? quitRequest() : keyUp(SDLK_SPACE)}, 2);
        showWinner(id);
        expectDrawnAt(display(), text, 0, 0, BLUE);
    }
    for (const Uint8 button :
         {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        script_.then({buttonUp(button, 600, 400)}, 2);
        const std::size_t before = script_.pauses().size();
        showWinner(PLAYER_1_ID);
        EXPECT_LE(script_.pauses().size() - before, 5u) << "button " << int(button);
    }
}

// Half a pixel a frame, turning a pixel past the right or bottom edge, until the block has left over
// the left or the top. Stale events, those of the grace period and a key press end nothing.
TEST_F(SdlUserInterfaceTest, TheOutcomeScreenEndsOnceTheTextHasDriftedOut)
{
    const auto framesAlong = [](int block, int side) { return 2 * (side + 1 - block) + 2 * (side + 1); };
    const SurfacePtr lost = losers(), won = congratulating("Player 1", PLAYER_1_RED);
    const std::pair<std::int32_t, SDL_Surface*> outcomes[] = {{NO_WINNER_ID, lost.get()},
                                                              {PLAYER_1_ID, won.get()}};
    for (const auto& [id, block] : outcomes) {
        for (SDL_Event stale : {keyUp(SDLK_SPACE), buttonUp(SDL_BUTTON_LEFT, 10, 10)})
            ASSERT_EQ(SDL_PushEvent(&stale), 0);
        script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1).then({keyDown(SDLK_a)}, 10);
        const std::size_t before = script_.pauses().size();
        showWinner(id);
        std::vector<Uint32> pauses(script_.pauses().begin() + std::ptrdiff_t(before), script_.pauses().end());
        const int frames = std::min(framesAlong(block->w, 640), framesAlong(block->h, 480));
        EXPECT_NEAR(int(pauses.size()) - 2, frames, 2) << id;
        std::vector<Uint32> pace(pauses.size(), 10);
        pace[1] = 100;
        EXPECT_EQ(pauses, pace) << "milliseconds paused, frame by frame";
    }
}

TEST_F(SdlUserInterfaceTest, ThePointerShowsOnlyInTheMenuWhichPausesLongerThanAMove)
{
    std::string pointer;
    script_.watch([&pointer](Uint32 ms) {
        pointer +=
            (SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE ? "shown " : "hidden ") + std::to_string(ms) + ", ";
    });
    script_.then({keyUp(SDLK_RETURN)});
    for (const int slot : {0, 1, 0, 1, 0, 1, 0})
        script_.then({clickOnSlot(slot)});
    script_.then({keyUp(SDLK_SPACE)}, 2).then({keyUp(SDLK_ESCAPE)}, 1);
    ui_->showMenu();
    ui_->showMenu();
    const std::regex expected("(shown 10, )+(hidden 1, )+hidden 10, hidden 100, (hidden 10, )+shown 10, ");
    EXPECT_TRUE(std::regex_match(pointer, expected)) << pointer.substr(0, 500);
}

// Each move adds at most the mover's token; each decided board goes straight to the outcome screen.
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
        const Stacks before = stacksOf(manager_.getGrid());
        const std::string mover =
            std::to_string(tokensOn(manager_.getGrid()) % 2 == 0 ? PLAYER_1_ID : PLAYER_2_ID);
        window_.makeMove();
        const Stacks after = stacksOf(manager_.getGrid());
        int changed = 0;
        for (std::size_t slot = 0; slot < after.size(); ++slot)
            if (after[slot] != before[slot]) {
                ++changed;
                EXPECT_EQ(after[slot], before[slot] + mover) << "slot " << slot;
            }
        EXPECT_LE(changed, 1);
        decided_ = verdict() != GAME_GOES_ON;
    }
    void showWinner(const Player& winner) override
    {
        EXPECT_EQ(winner.id, verdict());
        decided_ = false;
        ++games;
        window_.showWinner(winner);
    }
    static inline int games = 0;

private:
    std::int32_t verdict() const { return OutcomeChecker(&manager_.getGrid(), LOSING_LINE_LENGTH).check(); }

    GameManager& manager_;
    SdlUserInterface window_;
    bool decided_ = false;
};

// Random input through every screen, past the edges in both libraries' ways, and now and then a
// signal, which must end the program within a few pauses. QUORLITZ_STORM_SEED=<seed> replays a run.
TEST(SdlUserInterfaceStormTest, RandomInputKeepsTheRulesAndASignalEndsTheProgram)
{
    const char* replay = std::getenv("QUORLITZ_STORM_SEED");
    const unsigned seed =
        replay != nullptr ? unsigned(std::strtoul(replay, nullptr, 10)) : std::random_device()();
    SCOPED_TRACE("QUORLITZ_STORM_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return int(random() % unsigned(n)); };
    // A quarter of positions past the far edge, or wrapped below zero.
    const auto anywhere = [&below](int size) {
        return Uint16(below(4) == 0 ? size - 60 + below(120) : below(size));
    };
    const auto randomEvent = [&]() {
        const int kind = below(16);
        if (kind < 4)
            return (below(2) ? keyUp : keyDown)(SDLKey(below(SDLK_LAST)));
        if (kind < 8) {
            SDL_Event event = buttonUp(Uint8(1 + below(5)), anywhere(640), anywhere(480));
            event.type = event.button.type = below(2) ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
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
    constexpr int EVENTS = 4000;
    int events = 0;
    std::size_t signalledAt = 0;
    script.watch([&](Uint32 ms) {
        if (signalledAt != 0)
            return;
        // Many at the outcome screen's one pause of 100 ms, while it throws input away.
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
    for (; events < EVENTS; ++sessions) {
        signalledAt = 0;
        GameManager manager([](GameManager& m) { return new WatchedWindow(m); });
        manager.run();
        if (signalledAt != 0) {
            EXPECT_LE(script.pauses().size() - signalledAt, 3u) << "pauses after a signal";
        }
    }
    std::cout << "storm " << seed << ": " << events << " events, " << sessions << " sessions, "
              << WatchedWindow::games << " games decided\n";
    EXPECT_GT(WatchedWindow::games, 0);
}

}  // namespace
