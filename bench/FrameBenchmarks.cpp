// Wall-clock cost of what the player waits for, each beside its floor in the same process: the
// repaint after every mouse motion, the menu, the outcome animation and the rule check. All
// drawing goes to the program's own window through the program's own classes; the SDL video
// driver and presentation path come from the environment (bench/run_bench.py sets them).
//
// Run from the build directory, where data/ lies.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <SDL.h>

#include "BenchScene.h"
#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "OutcomeChecker.h"
#include "SdlGridDrawer.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "SdlOutcomeBlock.h"
#include "SdlUserInterface.h"

// The menu draws only from inside its event loop; this reaches the one frame of it.
class SdlMenuTestAccess {
public:
    static void draw(SdlMenu& menu) { menu.draw(); }
};

// The window's own drawer, to set one of its repaints beside a motion handled by the window.
class SdlUserInterfaceTestAccess {
public:
    static SdlGridDrawer& drawer(SdlUserInterface& ui) { return *ui.drawer_; }
};

namespace {

GameWindow* window = nullptr;

const Player& player(std::int32_t id)
{
    return window->manager().getPlayers().at(id);
}

using Clock = std::chrono::steady_clock;

template <typename Work>
double secondsOf(Work work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Two costs measured in alternation, round by round. The medians over the rounds, and the median
// of the rounds' ratios, leave out the rounds in which the machine was busy with something else.
class Pairing {
public:
    void add(double first, double second)
    {
        first_.push_back(first);
        second_.push_back(second);
        ratio_.push_back(first / second);
    }

    void report(benchmark::State& state, const std::string& firstName, const std::string& secondName)
    {
        state.counters[firstName + "_us"] = 1e6 * median(first_);
        state.counters[secondName + "_us"] = 1e6 * median(second_);
        state.counters["ratio"] = median(ratio_);
    }

private:
    static double median(std::vector<double> values)
    {
        QZ_CHECK(!values.empty());
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
    }

    std::vector<double> first_;
    std::vector<double> second_;
    std::vector<double> ratio_;
};

// Runs work alternately with the floor, one full-window fill and one flip of the 640 x 480 x 16
// video surface: the least that any repaint of the whole window costs on this SDL. Alternating
// call by call, whatever else the machine does weighs on both alike.
template <typename Work>
void alternateWithFloor(benchmark::State& state, const std::string& name, Work work)
{
    SDL_Surface* display = window->display();
    const Uint32 blue = SDL_MapRGB(display->format, 0, 0, 255);
    Pairing pairing;
    for (auto _ : state) {
        const double floorSeconds = secondsOf([&] { fillAndFlip(display, blue); });
        pairing.add(secondsOf(work), floorSeconds);
    }
    pairing.report(state, name, "floor");
}

// One repaint of the game screen with 17 of 35 cells holding tokens.
void BM_Paired_DrawVsFloor(benchmark::State& state)
{
    GameGrid grid(5, 7);
    fillHalfFull(grid);
    SdlGridDrawer drawer(grid, player(1), player(5), window->display());
    drawer.setCursor(3);
    alternateWithFloor(state, "draw", [&] { drawer.draw(); });
}
BENCHMARK(BM_Paired_DrawVsFloor)->UseRealTime();

// One mouse motion taken from the queue by makeMove(), turned into a cursor slot and shown,
// beside one draw() of the window's own drawer. Each round feeds makeMove() 8 motions across the
// slots and then Escape, which ends the move without a drop or a repaint, then Escape alone, which
// costs the repaint at the start of every move and the Escape: the difference, divided by 8, is the
// cost of one motion. Then 8 draw() calls with the cursor moving the same way.
void BM_Paired_MotionVsDraw(benchmark::State& state)
{
    const int motions = 8;
    SdlUserInterface& ui = window->ui();
    SdlGridDrawer& drawer = SdlUserInterfaceTestAccess::drawer(ui);

    Pairing pairing;
    for (auto _ : state) {
        for (int i = 0; i < motions; ++i)
            pushMouseMotion(slotCentreX(static_cast<std::uint16_t>(i % 7)), 300);
        pushKeyRelease(SDLK_ESCAPE);
        const double withMotions = secondsOf([&] { ui.makeMove(); });

        pushKeyRelease(SDLK_ESCAPE);
        const double without = secondsOf([&] { ui.makeMove(); });

        const double draws = secondsOf([&] {
            for (int i = 0; i < motions; ++i) {
                drawer.setCursor(static_cast<std::uint16_t>(i % 7));
                drawer.draw();
            }
        });
        pairing.add((withMotions - without) / motions, draws / motions);
    }
    pairing.report(state, "motion", "draw");
}
BENCHMARK(BM_Paired_MotionVsDraw)->UseRealTime();

// One frame of the main menu: background, credits, both entries, flip.
void BM_Paired_MenuVsFloor(benchmark::State& state)
{
    SdlMenu menu(window->display(), -1);
    menu.addEntry("start new game", 0);
    menu.addEntry("quit program", -1);
    alternateWithFloor(state, "menu", [&] { SdlMenuTestAccess::draw(menu); });
}
BENCHMARK(BM_Paired_MenuVsFloor)->UseRealTime();

// One frame of the outcome animation without its 10 ms pause: the outcome screen's own block
// drawn at its position and shown, then moved on. It starts over once it has left the window.
void BM_Paired_OutcomeVsFloor(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    std::unique_ptr<SdlOutcomeBlock> block(new SdlOutcomeBlock(player(1), display));
    alternateWithFloor(state, "outcome", [&] {
        block->drawFrame();
        block->advance();
        if (!block->isOnScreen())
            block.reset(new SdlOutcomeBlock(player(1), display));
    });
}
BENCHMARK(BM_Paired_OutcomeVsFloor)->UseRealTime();

// The rule check after every move. A full board is decided by the first test (no empty cell); the
// empty board is the longest walk, through every scan without a finding.
void BM_Check_FullRandomBoard(benchmark::State& state)
{
    GameGrid grid(5, 7);
    std::mt19937 random(20240611);
    for (std::uint16_t slot = 0; slot < 7; ++slot)
        for (int row = 0; row < 5; ++row)
            grid.insertToken(slot, (random() & 1U) != 0 ? 1 : 5);
    OutcomeChecker checker(&grid, 4);
    QZ_CHECK(checker.check() == -1);
    for (auto _ : state)
        benchmark::DoNotOptimize(checker.check());
}
BENCHMARK(BM_Check_FullRandomBoard)->UseRealTime();

void BM_Check_EmptyBoard(benchmark::State& state)
{
    GameGrid grid(5, 7);
    OutcomeChecker checker(&grid, 4);
    for (auto _ : state)
        benchmark::DoNotOptimize(checker.check());
}
BENCHMARK(BM_Check_EmptyBoard)->UseRealTime();

// Where a repaint's time goes, part by part, on the same window.
void BM_Paired_FlipVsFloor(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    alternateWithFloor(state, "flip", [&] { SDL_Flip(display); });
}
BENCHMARK(BM_Paired_FlipVsFloor)->UseRealTime();

void BM_Paired_WindowFillVsFloor(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    const Uint32 blue = SDL_MapRGB(display->format, 0, 0, 255);
    alternateWithFloor(state, "fill", [&] { SDL_FillRect(display, nullptr, blue); });
}
BENCHMARK(BM_Paired_WindowFillVsFloor)->UseRealTime();

// The 35 overlay blits of one repaint, at the cells' places, onto the video surface.
void BM_Paired_OverlayBlitsVsFloor(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    SDL_Surface* overlay = loadBitmap("overlay.bmp", true, 255, 0, 255);
    const int marginX = (display->w - overlay->w * 7) / 2;
    const int marginY = (display->h - overlay->h * 5 - SdlGridDrawer::CURSOR_SPACE) / 2;
    alternateWithFloor(state, "overlays", [&] {
        for (int slot = 0; slot < 7; ++slot) {
            for (int row = 0; row < 5; ++row) {
                SDL_Rect cell = {static_cast<Sint16>(slot * overlay->w + marginX),
                                 static_cast<Sint16>(display->h - marginY - (row + 1) * overlay->h), 0, 0};
                SDL_BlitSurface(overlay, nullptr, display, &cell);
            }
        }
    });
    SDL_FreeSurface(overlay);
}
BENCHMARK(BM_Paired_OverlayBlitsVsFloor)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    window = new GameWindow();
    window->playHalfGame();
    benchmark::AddCustomContext("sdl_video_driver", videoDriverName());

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    delete window;
    return 0;
}
