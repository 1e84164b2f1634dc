// Repeatable instruction counts of one repaint and of its floor, for callgrind:
//
//   valgrind --tool=callgrind --collect-atstart=no quorlitz_instr floor|draw|overlays [N]
//
// Only the N measured repetitions (default 20) are collected, after a few unmeasured ones that let
// SDL make its textures and caches; divide callgrind's total by N. Run from the build directory,
// under the dummy video driver.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <valgrind/callgrind.h>

#include <SDL.h>

#include "BenchScene.h"
#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "SdlGridDrawer.h"
#include "SdlHelper.h"

namespace {

const int WARM_UP = 3;

template <typename Paint>
void measure(int repetitions, Paint paint)
{
    for (int i = 0; i < WARM_UP; ++i)
        paint();
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < repetitions; ++i)
        paint();
    CALLGRIND_TOGGLE_COLLECT;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorlitz_instr floor|draw|overlays [N]\n");
        return 2;
    }
    const char* what = argv[1];
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 20;

    GameWindow window;
    SDL_Surface* display = window.display();
    GameGrid grid(5, 7);
    fillHalfFull(grid);
    const auto& players = window.manager().getPlayers();
    SdlGridDrawer drawer(grid, players.at(1), players.at(5), display);
    drawer.setCursor(3);

    if (std::strcmp(what, "floor") == 0) {
        const Uint32 blue = SDL_MapRGB(display->format, 0, 0, 255);
        measure(repetitions, [&] { fillAndFlip(display, blue); });
    } else if (std::strcmp(what, "draw") == 0) {
        measure(repetitions, [&] { drawer.draw(); });
    } else if (std::strcmp(what, "overlays") == 0) {
        // The 35 overlay blits of one repaint on their own, without fills or flip.
        SDL_Surface* overlay = loadBitmap("overlay.bmp", true, 255, 0, 255);
        measure(repetitions, [&] {
            for (int cell = 0; cell < 35; ++cell) {
                SDL_Rect place = {static_cast<Sint16>(40 + (cell % 7) * overlay->w),
                                  static_cast<Sint16>(60 + (cell / 7) * overlay->h), 0, 0};
                SDL_BlitSurface(overlay, nullptr, display, &place);
            }
        });
        SDL_FreeSurface(overlay);
    } else {
        std::fprintf(stderr, "quorlitz_instr: unknown measurement %s\n", what);
        return 2;
    }
    return 0;
}
