#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "GridCells.h"
#include "ProgramEntry.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

// Long sessions and floods of input: what a player who never stops, or a mouse that never rests,
// does to the program over time.
namespace {

using namespace scripted_input;

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

long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0, residentPages = 0;
    statm >> sizePages >> residentPages;
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

// Whether the cursor arrow's shaft (x 45 of the 91-pixel cursor, y 20 in the 60-pixel strip) stands
// over the given slot of the generated board, which starts at x = (640 - 7 * 91) / 2.
bool cursorShownOver(int slot)
{
    return !(pixelAt(SDL_GetVideoSurface(), 1 + slot * 91 + 45, 20) == WHITE);
}

TEST(LongSessionTest, FiveHundredGamesInOneProcessKeepMemoryFlat)
{
    const int games = 500 / scaleDivisor();
    Script script;
    for (int game = 0; game < games; ++game) {
        // The outcome screen takes one more frame (one pause) after the key release that ends it.
        script.then({keyUp(SDLK_RETURN)}, game == 0 ? 0 : 1);  // "start new game"
        for (const int slot : {0, 1, 0, 1, 0, 1, 0})
            script.then({clickOnSlot(slot)});
        script.then({keyUp(SDLK_SPACE)}, 2);  // once the outcome screen's grace period is over
    }
    script.then({keyUp(SDLK_ESCAPE)}, 1);
    // Sampled as each outcome screen begins, at its one 100 ms grace pause.
    std::vector<long> residentAtOutcome;
    script.watch([&](Uint32 milliseconds) {
        if (milliseconds == 100)
            residentAtOutcome.push_back(residentKilobytes());
    });

    std::ostringstream out;
    EXPECT_EQ(runProgram(openWindow, out), 0);
    EXPECT_EQ(out.str(), "");
    ASSERT_TRUE(script.finished());
    ASSERT_EQ(residentAtOutcome.size(), std::size_t(games));
    if (games < 500)
        return;
    const long afterGame50 = residentAtOutcome[49], afterGame500 = residentAtOutcome[499];
    std::printf("resident after game 50: %ld kB, after game 500: %ld kB\n", afterGame50, afterGame500);
    if (RESIDENT_SIZE_MEANINGFUL) {
        EXPECT_LE(afterGame500, afterGame50 + afterGame50 / 50) << "more than 2% growth over 450 games";
    }
}

TEST(FloodTest, FiftyThousandMotionsAndTwentyThousandRefusedDropsInOneMove)
{
    constexpr int BATCH = 100;  // well inside SDL's bounded event queue
    const int motionBatches = 50000 / BATCH / scaleDivisor();
    const int refusalBatches = 20000 / BATCH / scaleDivisor();
    std::unique_ptr<GameManager> manager(new GameManager(openWindow));
    const GameGrid& grid = manager->getGrid();

    Script script;
    for (int turn = 0; turn < 5; ++turn)
        script.then({clickOnSlot(0)});  // slot 0 full; Player 2 is to move
    // Step i is pushed at the i-th pause, once everything before it has been handled; beside each
    // step, the slot its last event leaves the cursor over.
    std::vector<int> cursorAfterStep(5, 0);
    for (int batch = 0; batch < motionBatches; ++batch) {
        std::vector<SDL_Event> motions;
        for (int i = 0; i < BATCH - 1; ++i)
            motions.push_back(motion(Uint16((batch * 37 + i * 13) % 640), Uint16(i % 480)));
        motions.push_back(motion(Uint16(batch % 7 * 91 + 10), 200));
        script.then(motions);
        cursorAfterStep.push_back(batch % 7);
    }
    for (int batch = 0; batch < refusalBatches; ++batch) {
        script.then(std::vector<SDL_Event>(BATCH, clickOnSlot(0)));
        cursorAfterStep.push_back(0);
    }
    script.then({clickOnSlot(1)}).then({keyUp(SDLK_ESCAPE)});

    std::size_t pause = 0;
    int wrongPictures = 0, wrongStates = 0;
    script.watch([&](Uint32) {
        if (pause >= 5 && pause <= cursorAfterStep.size()) {
            wrongPictures += cursorShownOver(cursorAfterStep[pause - 1]) ? 0 : 1;
            const bool unchanged = pendingEvents() == 0 && tokensIn(grid, 0) == 5 && tokensIn(grid, 1) == 0 &&
                                   manager->getCurrentPlayer().id == 5;
            wrongStates += unchanged ? 0 : 1;
        }
        ++pause;
    });
    manager->playGame();

    ASSERT_TRUE(script.finished());
    EXPECT_EQ(wrongPictures, 0) << "the cursor did not follow the last motion of a batch";
    EXPECT_EQ(wrongStates, 0) << "an event was left over, or a refused drop changed the game";
    EXPECT_LT(script.stackSpread(), 4096u) << "the move loop waits deeper in the stack over time";
    // The flood changed nothing: the next legal choice is Player 2's first token.
    EXPECT_EQ(grid.getCell(1, 0), 5);
    EXPECT_EQ(tokensIn(grid, 1), 1);
    EXPECT_EQ(tokensIn(grid, 0), 5);
}

}  // namespace
