#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "GameGrid.h"
#include "GameManager.h"
#include "ProgramEntry.h"
#include "SdlUserInterface.h"
#include "sdl/ScriptedInput.h"
#include "sdl/VideoTest.h"

// Long sessions and floods of input: what a player who never stops, or a mouse that never rests,
// does to the program over time.
namespace {

using namespace scripted_input;

constexpr Uint32 OUTCOME_GRACE_PAUSE_MS = 100;
constexpr int SLOT_BAND = 91;       // 640 / 7: the pointer's band for one slot
constexpr int CELL = 84;            // the generated overlay's size
constexpr int BOARD_LEFT = 26;      // (640 - 7 * 84) / 2
constexpr int CURSOR_SHAFT_X = 42;  // the arrow's shaft, in the middle of the 84-pixel cursor
constexpr int CURSOR_SHAFT_Y = 20;  // inside the 60-pixel strip, below the cursor's 5-pixel top gap

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed memory in quarantine, so resident size says nothing about leaks
// there; its leak checker covers them instead.
constexpr bool RESIDENT_SIZE_MEANINGFUL = false;
#else
constexpr bool RESIDENT_SIZE_MEANINGFUL = true;
#endif

// The memory checker runs every test some fifty times slower; it sets this to divide the counts
// of events and games here, so that it still runs the same paths in reasonable time.
int scaleDivisor()
{
    const char* divisor = std::getenv("QUORLITZ_LONG_TEST_DIVISOR");
    const int value = divisor != nullptr ? std::atoi(divisor) : 1;
    return value > 0 ? value : 1;
}

UserInterface* openWindow(GameManager& manager)
{
    return new SdlUserInterface(&manager);
}

SDL_Event clickOnSlot(int slot)
{
    return buttonUp(SDL_BUTTON_LEFT, Uint16(slot * SLOT_BAND + 45), 300);
}

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

// Whether the cursor arrow stands over the given slot in the strip at the top of the window.
bool cursorShownOver(int slot)
{
    SDL_Surface* window = SDL_GetVideoSurface();
    const int x = BOARD_LEFT + slot * CELL + CURSOR_SHAFT_X;
    return !(pixelAt(window, x, CURSOR_SHAFT_Y) == WHITE);
}

TEST(LongSessionTest, FiveHundredGamesInOneProcessKeepMemoryFlat)
{
    const int GAMES = 500 / scaleDivisor();
    Script script;
    // The outcome screen takes one more frame (one pause) after the key release that ends it.
    int pausesBeforeMenu = 0;
    for (int game = 0; game < GAMES; ++game) {
        script.then({keyUp(SDLK_RETURN)}, pausesBeforeMenu);  // "start new game"
        for (const int slot : {0, 1, 0, 1, 0, 1, 0})
            script.then({clickOnSlot(slot)});
        script.then({keyUp(SDLK_SPACE)}, 2);  // once the outcome screen's grace period is over
        pausesBeforeMenu = 1;
    }
    script.then({keyUp(SDLK_ESCAPE)}, pausesBeforeMenu);

    // Sampled as each game's outcome screen begins: one grace pause per finished game.
    std::vector<long> residentAtOutcome;
    script.watch([&](Uint32 milliseconds) {
        if (milliseconds == OUTCOME_GRACE_PAUSE_MS)
            residentAtOutcome.push_back(residentKilobytes());
    });

    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 0);
    EXPECT_EQ(out.str(), "");
    ASSERT_TRUE(script.finished());
    ASSERT_EQ(residentAtOutcome.size(), std::size_t(GAMES));

    if (GAMES < 500)
        return;
    const long afterGame50 = residentAtOutcome[49];
    const long afterGame500 = residentAtOutcome[GAMES - 1];
    std::printf("resident after game 50: %ld kB, after game 500: %ld kB\n", afterGame50, afterGame500);
    if (RESIDENT_SIZE_MEANINGFUL) {
        EXPECT_LE(afterGame500, afterGame50 + afterGame50 / 50) << "more than 2% growth over 450 games";
    }
}

// The program's window and game manager, as in a game, with the input scripted.
class FloodTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        manager_.reset(new GameManager([](GameManager& manager) { return new SdlUserInterface(&manager); }));
    }
    void TearDown() override { manager_.reset(); }

    const GameGrid& grid() const { return manager_->getGrid(); }
    int tokensIn(int slot) const
    {
        int count = 0;
        for (int row = 0; row < grid().getRows(); ++row)
            count += grid().getCell(slot, row) != 0 ? 1 : 0;
        return count;
    }

    std::unique_ptr<GameManager> manager_;
};

TEST_F(FloodTest, FiftyThousandMotionsAndTwentyThousandRefusedDropsInOneMove)
{
    constexpr int BATCH = 100;  // well inside SDL's bounded event queue
    const int MOTION_BATCHES = 50000 / BATCH / scaleDivisor();
    const int REFUSAL_BATCHES = 20000 / BATCH / scaleDivisor();

    Script script;
    for (int turn = 0; turn < 5; ++turn)
        script.then({clickOnSlot(0)});  // slot 0 full; Player 2 is to move

    // Step i of the script is pushed at the i-th pause, once everything before it has been
    // handled; what each step should leave on the screen is noted beside it.
    std::vector<int> cursorAfterStep(5, 0);
    for (int batch = 0; batch < MOTION_BATCHES; ++batch) {
        std::vector<SDL_Event> motions;
        for (int i = 0; i < BATCH; ++i)
            motions.push_back(motion(Uint16((batch * 37 + i * 13) % 640), Uint16(i % 480)));
        const int lastSlot = (batch % 7);
        motions.back() = motion(Uint16(lastSlot * SLOT_BAND + 10), 200);
        script.then(motions);
        cursorAfterStep.push_back(lastSlot);
    }
    for (int batch = 0; batch < REFUSAL_BATCHES; ++batch) {
        script.then(std::vector<SDL_Event>(BATCH, clickOnSlot(0)));
        cursorAfterStep.push_back(0);
    }
    script.then({clickOnSlot(1)});
    script.then({keyUp(SDLK_ESCAPE)});

    std::size_t pause = 0;
    std::uintptr_t deepest = UINTPTR_MAX;
    std::uintptr_t shallowest = 0;
    int wrongPictures = 0;
    int wrongStates = 0;
    script.watch([&](Uint32) {
        const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        deepest = std::min(deepest, frame);
        shallowest = std::max(shallowest, frame);
        if (pause >= 5 && pause <= cursorAfterStep.size()) {
            const std::size_t handled = pause - 1;
            if (!cursorShownOver(cursorAfterStep[handled]))
                ++wrongPictures;
            if (pendingEvents() != 0 || tokensIn(0) != 5 || tokensIn(1) != 0 ||
                manager_->getCurrentPlayer().id != 5)
                ++wrongStates;
        }
        ++pause;
    });
    manager_->playGame();

    ASSERT_TRUE(script.finished());
    EXPECT_EQ(wrongPictures, 0) << "the cursor did not follow the last motion of a batch";
    EXPECT_EQ(wrongStates, 0) << "an event was left over, or a refused drop changed the game";
    EXPECT_LT(shallowest - deepest, 4096u) << "the move loop waits deeper in the stack over time";
    // The flood changed nothing: the next legal choice is Player 2's first token.
    EXPECT_EQ(grid().getCell(1, 0), 5);
    EXPECT_EQ(tokensIn(1), 1);
    EXPECT_EQ(tokensIn(0), 5);
}

}  // namespace
