// Wall-clock cost of what the player waits for, each beside its floor in the same process: the
// repaint after every mouse motion, the menu, the outcome animation and the rule check. All
// drawing goes to the program's own window through the program's own classes; the SDL video
// driver and presentation path come from the environment (see scripts/bench.sh).
//
// Run from the build directory, where data/ lies.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <SDL.h>

#include "BenchScene.h"
#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "OutcomeChecker.h"
#include "SdlFont.h"
#include "SdlGridDrawer.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "SdlUserInterface.h"

// The menu draws only from inside its event loop; this reaches the one frame of it.
class SdlMenuTestAccess {
public:
    static void draw(SdlMenu& menu) { menu.draw(); }
};

namespace {

GameWindow* window = nullptr;

const Player& player(std::int32_t id)
{
    return window->manager().getPlayers().at(id);
}

// The floor: one full-window fill and one flip of the 640 x 480 x 16 video surface, the least
// that any repaint of the whole window costs on this SDL.
void BM_Floor_FillFlip(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    const Uint32 blue = SDL_MapRGB(display->format, 0, 0, 255);
    for (auto _ : state)
        fillAndFlip(display, blue);
}
BENCHMARK(BM_Floor_FillFlip)->UseRealTime();

// One repaint of the game screen with 17 of 35 cells holding tokens.
void BM_Draw_HalfFullBoard(benchmark::State& state)
{
    GameGrid grid(5, 7);
    fillHalfFull(grid);
    SdlGridDrawer drawer(grid, player(1), player(5), window->display());
    drawer.setCursor(3);
    for (auto _ : state)
        drawer.draw();
}
BENCHMARK(BM_Draw_HalfFullBoard)->UseRealTime();

// makeMove() fed with range(0) mouse motions across the slots and then Escape, which ends the
// move without a drop or a repaint. The cost of one motion event, taken from the queue, turned
// into a cursor slot and shown, is the difference between range(0) = 32 and range(0) = 0, divided
// by 32: the repaint at the start of every move and the Escape cancel out.
void BM_MakeMove_Motions(benchmark::State& state)
{
    const int motions = static_cast<int>(state.range(0));
    SdlUserInterface& ui = window->ui();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < motions; ++i)
            pushMouseMotion(slotCentreX(static_cast<std::uint16_t>(i % 7)), 300);
        pushKeyRelease(SDLK_ESCAPE);
        state.ResumeTiming();
        ui.makeMove();
    }
    state.counters["motions"] = motions;
}
BENCHMARK(BM_MakeMove_Motions)->Arg(0)->Arg(32)->UseRealTime();

// One frame of the main menu: background, credits, both entries, flip.
void BM_Menu_Frame(benchmark::State& state)
{
    SdlMenu menu(window->display(), -1);
    menu.addEntry("start new game", 0);
    menu.addEntry("quit program", -1);
    for (auto _ : state)
        SdlMenuTestAccess::draw(menu);
}
BENCHMARK(BM_Menu_Frame)->UseRealTime();

// One frame of the outcome animation without its 10 ms pause: the winner's text block blitted at
// its next position over what is on the screen, then the flip. The block is built from the same
// parts as the outcome screen builds it, and it moves and rebounds as there.
void BM_Outcome_Frame(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    SdlFont* font = SdlFontManager::instance().getFont("Efont_Serif.ttf", 72);
    const Player& winner = player(1);
    std::vector<SDL_Surface*> lines = {font->render("Congratulations!", 0, 0, 0),
                                       font->render(winner.name, winner.r, winner.g, winner.b),
                                       font->render("you have won!", 0, 0, 0)};
    SDL_Surface* block = stackSurfaces(lines, ALIGN_CENTER, 255, 255, 255, true, 0);
    for (SDL_Surface* line : lines)
        SDL_FreeSurface(line);

    float px = 0.0f;
    float py = 0.0f;
    float vx = 0.5f;
    float vy = 0.5f;
    Sint16 x = 0;
    Sint16 y = 0;
    for (auto _ : state) {
        SDL_Rect position = {x, y, 0, 0};
        SDL_BlitSurface(block, nullptr, display, &position);
        SDL_Flip(display);

        state.PauseTiming();
        if (x + block->w > display->w)
            vx = -vx;
        if (y + block->h > display->h)
            vy = -vy;
        px += vx;
        py += vy;
        x = static_cast<Sint16>(px);
        y = static_cast<Sint16>(py);
        if (x + block->w <= 0 || y + block->h <= 0) {
            px = py = 0.0f;
            vx = vy = 0.5f;
            x = y = 0;
        }
        state.ResumeTiming();
    }
    state.counters["block_w"] = block->w;
    state.counters["block_h"] = block->h;
    SDL_FreeSurface(block);
}
BENCHMARK(BM_Outcome_Frame)->UseRealTime();

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
void BM_Part_FlipOnly(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    for (auto _ : state)
        SDL_Flip(display);
}
BENCHMARK(BM_Part_FlipOnly)->UseRealTime();

void BM_Part_WindowFill(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    const Uint32 blue = SDL_MapRGB(display->format, 0, 0, 255);
    for (auto _ : state)
        SDL_FillRect(display, nullptr, blue);
}
BENCHMARK(BM_Part_WindowFill)->UseRealTime();

// The 35 overlay blits of one repaint, at the cells' places, onto the video surface.
void BM_Part_OverlayBlits(benchmark::State& state)
{
    SDL_Surface* display = window->display();
    SDL_Surface* overlay = loadBitmap("overlay.bmp", true, 255, 0, 255);
    const int marginX = (display->w - overlay->w * 7) / 2;
    const int marginY = (display->h - overlay->h * 5 - SdlGridDrawer::CURSOR_SPACE) / 2;
    for (auto _ : state) {
        for (int slot = 0; slot < 7; ++slot) {
            for (int row = 0; row < 5; ++row) {
                SDL_Rect cell = {static_cast<Sint16>(slot * overlay->w + marginX),
                                 static_cast<Sint16>(display->h - marginY - (row + 1) * overlay->h), 0, 0};
                SDL_BlitSurface(overlay, nullptr, display, &cell);
            }
        }
    }
    SDL_FreeSurface(overlay);
}
BENCHMARK(BM_Part_OverlayBlits)->UseRealTime();

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
