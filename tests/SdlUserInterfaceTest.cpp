#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "SdlFont.h"
#include "SdlHelper.h"
#include "SdlUserInterface.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

class SdlUserInterfaceTestAccess {
public:
    static std::uint16_t cursorSlot(const SdlUserInterface& ui) { return ui.cursorSlot_; }
    static int slotWidth(const SdlUserInterface& ui) { return ui.slotWidth_; }
    static SDL_Surface* display(const SdlUserInterface& ui) { return ui.display_; }
};

namespace {

using namespace scripted_input;
using Access = SdlUserInterfaceTestAccess;

constexpr std::int32_t PLAYER_1 = 1, PLAYER_2 = 5, NO_WINNER = -1;
const Rgb PLAYER_2_COLOUR = {128, 128, 255};
const char* const LOSERS = "BUNCH\nOF\nLOOSERS!\nnoone's won";

// The program's window and game manager, driven by a script of user input.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { open(); }
    void open()
    {
        manager_.reset();
        manager_.reset(new GameManager([this](GameManager& manager) { return ui_ = new SdlUserInterface(&manager); }));
    }

    const GameGrid& grid() const { return manager_->getGrid(); }
    int tokens(int slot) const { return tokensIn(grid(), slot); }
    SDL_Surface* display() const { return Access::display(*ui_); }
    void clickSlots(const std::vector<int>& slots)
    {
        for (const int slot : slots)
            script_.then({clickOnSlot(slot)});
    }

    Script script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

TEST_F(WindowTest, OpensItsOwnWindowAndShutsSdlDownWithIt)
{
    EXPECT_EQ(display(), SDL_GetVideoSurface());
    EXPECT_EQ(display()->w, 640);
    EXPECT_EQ(display()->h, 480);
    EXPECT_EQ(display()->format->BitsPerPixel, 16);
    char* title = nullptr;
    char* iconTitle = nullptr;
    SDL_WM_GetCaption(&title, &iconTitle);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Quorlitz");
    EXPECT_EQ(Access::slotWidth(*ui_), 91);
    manager_.reset();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(WindowOnAnOpenScreenTest, UsesTheScreenThatIsThereAndLeavesSdlRunning)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    {
        SdlUserInterface* ui = nullptr;
        GameManager manager([&ui](GameManager& owner) { return ui = new SdlUserInterface(&owner); });
        EXPECT_EQ(SdlUserInterfaceTestAccess::display(*ui), screen);
    }
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    SDL_Quit();
}

TEST_F(WindowTest, MapsTheLeftButtonsReleaseToSlotsOf91Pixels)
{
    // Other buttons, and the left one going down, drop nothing.
    script_.then({buttonUp(SDL_BUTTON_RIGHT, 300, 300), buttonUp(SDL_BUTTON_MIDDLE, 300, 300),
                  buttonUp(SDL_BUTTON_WHEELDOWN, 300, 300), buttonDown(SDL_BUTTON_LEFT, 300, 300)});
    for (const Uint16 x : {0, 90, 91, 181, 182, 545, 546, 639})
        script_.then({buttonUp(SDL_BUTTON_LEFT, x, 300)});
    script_.then({motion(637, 10), keyUp(SDLK_RETURN)});  // right of the last whole band
    script_.then({motion(300, 10), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    const std::vector<std::int32_t> expected = {1, 5, 0, 0, 0, 1, 5, 0, 0, 0, 1, 0, 0, 0, 0, 5, 0, 0,
                                                0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 1, 5, 1, 0, 0};
    EXPECT_EQ(cellsOf(grid()), expected);
    EXPECT_EQ(Access::cursorSlot(*ui_), 3);
    EXPECT_EQ(script_.pauses().front(), 1u);  // the move loop waits 1 ms between empty looks
}

TEST_F(WindowTest, ArrowKeysWrapAroundAndReturnDropsAtTheCursor)
{
    script_.then({keyUp(SDLK_LEFT)}).then({keyUp(SDLK_RETURN)});  // slot 6
    script_.then({keyUp(SDLK_RIGHT), keyUp(SDLK_RETURN)});         // slot 0
    script_.then({keyUp(SDLK_RIGHT), keyUp(SDLK_RIGHT), keyUp(SDLK_LEFT), keyUp(SDLK_UP), keyUp(SDLK_DOWN),
                  keyDown(SDLK_RETURN), keyUp(SDLK_KP_ENTER)});
    script_.then({keyUp(SDLK_RETURN)});  // slot 1
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(grid().getCell(6, 0), PLAYER_1);
    EXPECT_EQ(grid().getCell(0, 0), PLAYER_2);
    EXPECT_EQ(grid().getCell(1, 0), PLAYER_1);
    EXPECT_EQ(tokens(0) + tokens(1) + tokens(6), 3);
    // The last picture shows the board after the last drop (84-pixel cells from x = 26, y = 396).
    EXPECT_EQ(pixelAt(display(), 26 + 84 + 42, 396 + 42), shown(display(), {255, 52, 52}));
    EXPECT_EQ(pixelAt(display(), 26 + 42, 396 + 42), shown(display(), PLAYER_2_COLOUR));
}

TEST_F(WindowTest, RefusedDropsKeepTheTurnAndTheStackFlat)
{
    // Slot 2 full; Player 2 insists on it 3000 times in one move before choosing slot 3.
    clickSlots({2, 2, 2, 2, 2, 2});
    for (int batch = 0; batch < 30; ++batch)
        script_.then(std::vector<SDL_Event>(100, keyUp(SDLK_RETURN)));
    clickSlots({3, 4});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokens(2), 5);
    EXPECT_EQ(grid().getCell(3, 0), PLAYER_2);
    EXPECT_EQ(grid().getCell(4, 0), PLAYER_1);
    EXPECT_LT(script_.stackSpread(), 4096u) << "the move loop waits deeper in the stack after refused drops";
}

TEST_F(WindowTest, JudgesTwoQueuedDropsOneAtATime)
{
    // Player 1's fourth token in slot 0 loses; the click queued right behind it must not become a
    // token of the finished game.
    clickSlots({0, 1, 0, 1, 0, 1});
    script_.then({clickOnSlot(0), clickOnSlot(2)});
    script_.then({keyUp(SDLK_SPACE)}, 2);  // on the outcome screen, once its grace period is over
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokens(0), 4);
    EXPECT_EQ(tokens(2), 0);
    EXPECT_FALSE(manager_->isRunning());
}

TEST_F(WindowTest, EscapeAbandonsTheGameAndAWindowCloseQuits)
{
    script_.then({clickOnSlot(3)}).then({keyUp(SDLK_ESCAPE), clickOnSlot(4)});
    manager_->playGame();
    EXPECT_FALSE(manager_->isRunning());
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(tokens(3), 1);
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

// The outcome screen, shown on a white window so that the text can be read back.
class OutcomeTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        fillWith(display(), WHITE);
    }
    const Player& player(std::int32_t id) const { return manager_->getPlayers().at(id); }
    static SdlFont* font() { return SdlFontManager::instance().getFont("Efont_Serif.ttf", 72); }
};

TEST_F(OutcomeTest, CongratulatesTheWinnerInTheirColourBetweenTwoBlackLines)
{
    script_.then({keyUp(SDLK_SPACE)}, 2);
    ui_->showWinner(player(PLAYER_2));
    ASSERT_TRUE(script_.finished());

    SurfacePtr top(font()->render("Congratulations!", 0, 0, 0));
    SurfacePtr name(font()->render("Player 2", 128, 128, 255));
    SurfacePtr bottom(font()->render("you have won!", 0, 0, 0));
    SurfacePtr block(stackSurfaces({top.get(), name.get(), bottom.get()}, ALIGN_CENTER, 255, 255, 255, true, 0));
    expectDrawnAt(display(), block.get(), 0, 0, WHITE);
    EXPECT_GT(countOf(display(), shown(display(), PLAYER_2_COLOUR)), 0);
    EXPECT_EQ(countOf(display(), shown(display(), GREY)), 0);
}

TEST_F(OutcomeTest, CallsEveryoneALoserInGreyWhenNobodyWon)
{
    script_.then({keyUp(SDLK_SPACE)}, 2);
    ui_->showWinner(player(NO_WINNER));

    SurfacePtr block(font()->renderMultiline(LOSERS, 128, 128, 128, ALIGN_CENTER));
    expectDrawnAt(display(), block.get(), 0, 0, WHITE);
    EXPECT_GT(countOf(display(), shown(display(), GREY)), 0);
    EXPECT_EQ(countOf(display(), BLACK), 0);
}

TEST_F(OutcomeTest, IgnoresWhatHappensBeforeTheGracePeriodEnds)
{
    // Pauses: 10 ms for the first frame, the 100 ms grace, then one 10 ms pause per frame.
    SDL_Event earlyKey = keyUp(SDLK_SPACE);
    ASSERT_EQ(SDL_PushEvent(&earlyKey), 0);
    script_.then({buttonUp(SDL_BUTTON_LEFT, 10, 10), quitRequest()}, 1);  // during the grace
    script_.then({keyUp(SDLK_a)}, 46);                                     // at the 47th frame
    ui_->showWinner(player(PLAYER_1));

    ASSERT_TRUE(script_.finished());
    const std::vector<Uint32>& pauses = script_.pauses();
    ASSERT_EQ(pauses.size(), 50u) << "the key ends the screen with the frame after it";
    EXPECT_EQ(pauses[0], 10u);
    EXPECT_EQ(pauses[1], 100u);
    EXPECT_TRUE(std::all_of(pauses.begin() + 2, pauses.end(), [](Uint32 ms) { return ms == 10; }));
    EXPECT_FALSE(manager_->hasQuit());

    // Afterwards any button release, or a window close, ends only this screen.
    script_.then({buttonUp(SDL_BUTTON_WHEELUP, 10, 10)}, 2);
    ui_->showWinner(player(PLAYER_1));
    EXPECT_EQ(script_.pauses().size(), 54u);
    script_.then({quitRequest()}, 2);
    ui_->showWinner(player(PLAYER_1));
    EXPECT_EQ(script_.pauses().size(), 58u);
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(OutcomeTest, EndsByItselfOnceTheTextHasDriftedOut)
{
    // The grey block drifts down and right, rebounds from the bottom edge and leaves over the top
    // one, never before travelling the window's height back up (960 frames at half a pixel each).
    ui_->showWinner(player(NO_WINNER));
    EXPECT_GT(script_.pauses().size(), 962u);

    // The trail reaches the right and bottom edges as far as the ink lies from the block's own.
    SurfacePtr block(font()->renderMultiline(LOSERS, 128, 128, 128, ALIGN_CENTER));
    ASSERT_LT(block->w, 640);
    ASSERT_LT(block->h, 480);
    const SDL_Rect ink = boundsOf(block.get(), shown(block.get(), GREY));
    const SDL_Rect trail = boundsOf(display(), shown(display(), GREY));
    EXPECT_GE(trail.x + trail.w, 640 - (block->w - (ink.x + ink.w)));
    EXPECT_GE(trail.y + trail.h, 480 - (block->h - (ink.y + ink.h)));
    // It started with its ink clear of the edges and crossed the top or the left one.
    EXPECT_GT(ink.x, 0);
    EXPECT_GT(ink.y, 0);
    EXPECT_TRUE(trail.x == 0 || trail.y == 0);
}

}  // namespace
