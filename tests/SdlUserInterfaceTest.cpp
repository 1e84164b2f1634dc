#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "GameManager.h"
#include "SdlFont.h"
#include "SdlHelper.h"
#include "SdlUserInterface.h"
#include "sdl/Pictures.h"
#include "sdl/ScriptedInput.h"
#include "sdl/VideoTest.h"

class SdlUserInterfaceTestAccess {
public:
    static std::uint16_t cursorSlot(const SdlUserInterface& ui) { return ui.cursorSlot_; }
    static int slotWidth(const SdlUserInterface& ui) { return ui.slotWidth_; }
    static SDL_Surface* display(const SdlUserInterface& ui) { return ui.display_; }
};

namespace {

using namespace scripted_input;
using Access = SdlUserInterfaceTestAccess;

constexpr std::int32_t PLAYER_1 = 1;
constexpr std::int32_t PLAYER_2 = 5;
constexpr std::int32_t NO_WINNER = -1;
const Rgb GREY = {128, 128, 128};
const Rgb PLAYER_2_COLOUR = {128, 128, 255};

// A release of the left button over the middle of a slot's band (91 pixels wide).
SDL_Event clickOnSlot(int slot)
{
    return buttonUp(SDL_BUTTON_LEFT, Uint16(slot * 91 + 45), 300);
}

// The program's window and game manager, driven by a script of user input.
class WindowTest : public ::testing::Test {
protected:
    void open()
    {
        manager_.reset(new GameManager([this](GameManager& manager) {
            ui_ = new SdlUserInterface(&manager);
            return ui_;
        }));
    }

    void SetUp() override { open(); }

    const GameGrid& grid() const { return manager_->getGrid(); }
    SDL_Surface* display() const { return Access::display(*ui_); }

    // Scripts the clicks of a whole turn sequence, one turn per step.
    void clickSlots(const std::vector<int>& slots)
    {
        for (const int slot : slots)
            script_.then({clickOnSlot(slot)});
    }

    int tokensIn(int slot) const
    {
        int count = 0;
        for (int row = 0; row < grid().getRows(); ++row)
            count += grid().getCell(slot, row) != 0 ? 1 : 0;
        return count;
    }

    Script script_;
    SdlUserInterface* ui_ = nullptr;
    std::unique_ptr<GameManager> manager_;
};

TEST_F(WindowTest, OpensItsOwnWindowAndShutsSdlDownWithIt)
{
    ASSERT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    EXPECT_EQ(display(), SDL_GetVideoSurface());
    EXPECT_EQ(display()->w, 640);
    EXPECT_EQ(display()->h, 480);
    EXPECT_EQ(display()->format->BitsPerPixel, 16);
    char* title = nullptr;
    char* iconTitle = nullptr;
    SDL_WM_GetCaption(&title, &iconTitle);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Quorlitz");
    EXPECT_EQ(iconTitle, nullptr);
    EXPECT_EQ(Access::slotWidth(*ui_), 91);

    manager_.reset();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
}

TEST(WindowOnAnOpenScreenTest, UsesTheScreenThatIsThereAndLeavesSdlRunning)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
    {
        SdlUserInterface* ui = nullptr;
        GameManager manager([&ui](GameManager& owner) {
            ui = new SdlUserInterface(&owner);
            return ui;
        });
        EXPECT_EQ(Access::display(*ui), screen);
    }
    EXPECT_NE(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    SDL_Quit();
}

TEST_F(WindowTest, MapsThePointerToSlotsOf91Pixels)
{
    for (const Uint16 x : {0, 90, 91, 181, 182, 545, 546, 639})
        script_.then({buttonUp(SDL_BUTTON_LEFT, x, 300)});
    script_.then({motion(637, 10), keyUp(SDLK_RETURN)});
    script_.then({motion(300, 10), keyUp(SDLK_RETURN)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(grid().getCell(0, 0), PLAYER_1);
    EXPECT_EQ(grid().getCell(0, 1), PLAYER_2);
    EXPECT_EQ(grid().getCell(1, 0), PLAYER_1);
    EXPECT_EQ(grid().getCell(1, 1), PLAYER_2);
    EXPECT_EQ(grid().getCell(2, 0), PLAYER_1);
    EXPECT_EQ(grid().getCell(3, 0), PLAYER_2);  // x = 300
    EXPECT_EQ(grid().getCell(5, 0), PLAYER_2);
    EXPECT_EQ(grid().getCell(6, 0), PLAYER_1);
    EXPECT_EQ(grid().getCell(6, 1), PLAYER_2);
    EXPECT_EQ(grid().getCell(6, 2), PLAYER_1);  // x = 637, right of the last whole band
    EXPECT_EQ(tokensIn(4), 0);
    EXPECT_EQ(Access::cursorSlot(*ui_), 3);
    // The move loop waits 1 ms between empty looks at the queue.
    EXPECT_EQ(script_.pauses().front(), 1u);
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
    EXPECT_EQ(tokensIn(0) + tokensIn(1) + tokensIn(6), 3);

    // The last picture shows the board as it was after the last drop: slot 1's token, in
    // Player 1's colour, in the middle of its cell (84-pixel cells from x = 26, bottom row from y = 396).
    EXPECT_EQ(pixelAt(display(), 26 + 84 + 42, 396 + 42), shown(display(), {255, 52, 52}));
    EXPECT_EQ(pixelAt(display(), 26 + 42, 396 + 42), shown(display(), PLAYER_2_COLOUR));
}

TEST_F(WindowTest, OnlyALeftButtonReleaseDrops)
{
    script_.then({buttonUp(SDL_BUTTON_RIGHT, 300, 300), buttonUp(SDL_BUTTON_MIDDLE, 300, 300)});
    script_.then({buttonUp(SDL_BUTTON_WHEELDOWN, 300, 300), buttonDown(SDL_BUTTON_LEFT, 300, 300)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    for (int slot = 0; slot < 7; ++slot)
        EXPECT_EQ(tokensIn(slot), 0);
    EXPECT_EQ(Access::cursorSlot(*ui_), 0);
}

TEST_F(WindowTest, AFullSlotKeepsTheTurnForTheNextLegalChoice)
{
    clickSlots({2, 2, 2, 2, 2});
    script_.then({clickOnSlot(2)}).then({keyUp(SDLK_RETURN)}).then({clickOnSlot(3)});
    script_.then({clickOnSlot(4)});
    script_.then({keyUp(SDLK_ESCAPE)});
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokensIn(2), 5);
    EXPECT_EQ(grid().getCell(3, 0), PLAYER_2);
    EXPECT_EQ(grid().getCell(4, 0), PLAYER_1);
}

TEST_F(WindowTest, ThousandsOfRefusedDropsInOneMoveKeepTheStackFlat)
{
    // Slot 0 full, then Player 2 insists on it 3000 times in one move before choosing slot 1.
    clickSlots({0, 0, 0, 0, 0});
    const std::vector<SDL_Event> hundredRefusals(100, keyUp(SDLK_RETURN));
    for (int batch = 0; batch < 30; ++batch)
        script_.then(hundredRefusals);
    script_.then({clickOnSlot(1)});
    script_.then({keyUp(SDLK_ESCAPE)});

    std::uintptr_t deepest = UINTPTR_MAX;
    std::uintptr_t shallowest = 0;
    script_.watch([&](Uint32) {
        const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        deepest = std::min(deepest, frame);
        shallowest = std::max(shallowest, frame);
    });
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(grid().getCell(1, 0), PLAYER_2);
    EXPECT_EQ(tokensIn(1), 1);
    EXPECT_LT(shallowest - deepest, 4096u) << "the move loop waits deeper in the stack after refused drops";
}

TEST_F(WindowTest, JudgesTwoQueuedDropsOneAtATime)
{
    // Player 1's fourth token in slot 0 loses; Player 2's click queued right behind it must not
    // become a token of the finished game.
    clickSlots({0, 1, 0, 1, 0, 1});
    script_.then({clickOnSlot(0), clickOnSlot(2)});
    script_.then({keyUp(SDLK_SPACE)}, 2);  // on the outcome screen, once its grace period is over
    manager_->playGame();

    ASSERT_TRUE(script_.finished());
    EXPECT_EQ(tokensIn(0), 4);
    EXPECT_EQ(tokensIn(2), 0);
    EXPECT_FALSE(manager_->isRunning());
}

TEST_F(WindowTest, EscapeAbandonsTheGameAndAWindowCloseQuits)
{
    script_.then({clickOnSlot(3)}).then({keyUp(SDLK_ESCAPE), clickOnSlot(4)});
    manager_->playGame();
    EXPECT_FALSE(manager_->isRunning());
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(tokensIn(3), 1);
    // The call ended at once and left the rest of the queue alone.
    EXPECT_EQ(pendingEvents(), 1);
    SDL_Event leftOver;
    SDL_PollEvent(&leftOver);

    script_.then({clickOnSlot(3)}).then({quitRequest()});
    manager_->playGame();
    EXPECT_FALSE(manager_->isRunning());
    EXPECT_TRUE(manager_->hasQuit());
    EXPECT_EQ(tokensIn(3), 1);
}

TEST_F(WindowTest, EscapeOutsideAGameQuits)
{
    script_.then({keyUp(SDLK_ESCAPE)});
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
    SDL_Surface* renderLine(const std::string& text, Rgb colour) const
    {
        return SdlFontManager::instance().getFont("Efont_Serif.ttf", 72)->render(text, colour.r, colour.g, colour.b);
    }
};

TEST_F(OutcomeTest, CongratulatesTheWinnerInTheirColourBetweenTwoBlackLines)
{
    script_.then({keyUp(SDLK_SPACE)}, 2);
    ui_->showWinner(player(PLAYER_2));
    ASSERT_TRUE(script_.finished());

    SurfacePtr top(renderLine("Congratulations!", BLACK));
    SurfacePtr name(renderLine("Player 2", PLAYER_2_COLOUR));
    SurfacePtr bottom(renderLine("you have won!", BLACK));
    SurfacePtr block(stackSurfaces({top.get(), name.get(), bottom.get()}, ALIGN_CENTER, 255, 255, 255, true, 0));
    expectDrawnAt(display(), block.get(), 0, 0, WHITE);

    const SDL_Rect nameInk = boundsOf(display(), shown(display(), PLAYER_2_COLOUR));
    EXPECT_GE(nameInk.y, top->h);
    EXPECT_LE(nameInk.y + nameInk.h, top->h + name->h);
    const SDL_Rect blackInk = boundsOf(display(), BLACK);
    EXPECT_LT(blackInk.y, top->h);
    EXPECT_GE(blackInk.y + blackInk.h, top->h + name->h);
    EXPECT_EQ(countOf(display(), shown(display(), GREY)), 0);
}

TEST_F(OutcomeTest, CallsEveryoneALoserInGreyWhenNobodyWon)
{
    script_.then({keyUp(SDLK_SPACE)}, 2);
    ui_->showWinner(player(NO_WINNER));

    SurfacePtr block(SdlFontManager::instance()
                         .getFont("Efont_Serif.ttf", 72)
                         ->renderMultiline("BUNCH\nOF\nLOOSERS!\nnoone's won", 128, 128, 128, ALIGN_CENTER));
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
}

TEST_F(OutcomeTest, AnyButtonReleaseOrAWindowCloseEndsOnlyThisScreen)
{
    script_.then({buttonUp(SDL_BUTTON_WHEELUP, 10, 10)}, 2);
    ui_->showWinner(player(PLAYER_1));
    EXPECT_EQ(script_.pauses().size(), 4u);

    script_.then({quitRequest()}, 2);
    ui_->showWinner(player(PLAYER_1));
    EXPECT_EQ(script_.pauses().size(), 8u);
    EXPECT_FALSE(manager_->hasQuit());
    EXPECT_EQ(pendingEvents(), 0);
}

TEST_F(OutcomeTest, EndsByItselfOnceTheTextHasDriftedOutOverTheTop)
{
    // The four grey lines are narrower than the window and less high: they drift down and to the
    // right, rebound from the bottom edge and leave over the top one, never before travelling
    // the window's height back up (960 frames at half a pixel each).
    ui_->showWinner(player(NO_WINNER));
    EXPECT_GT(script_.pauses().size(), 962u);

    // The trail reaches the right and the bottom edge as far as the text's ink lies from the
    // block's own right and bottom edge.
    SurfacePtr block(SdlFontManager::instance()
                         .getFont("Efont_Serif.ttf", 72)
                         ->renderMultiline("BUNCH\nOF\nLOOSERS!\nnoone's won", 128, 128, 128, ALIGN_CENTER));
    ASSERT_LT(block->w, 640);
    ASSERT_LT(block->h, 480);
    const SDL_Rect ink = boundsOf(block.get(), shown(block.get(), GREY));
    const SDL_Rect trail = boundsOf(display(), shown(display(), GREY));
    EXPECT_GE(trail.x + trail.w, 640 - (block->w - (ink.x + ink.w)));
    EXPECT_GE(trail.y + trail.h, 480 - (block->h - (ink.y + ink.h)));
    // It started with its ink clear of the window's edges and crossed the top or the left one.
    EXPECT_GT(ink.x, 0);
    EXPECT_GT(ink.y, 0);
    EXPECT_TRUE(trail.x == 0 || trail.y == 0);
}

}  // namespace
