// The least any SDL 1.2 program pays for Quorlitz's window: the same video mode and caption, the
// same font at the same three sizes, one white frame, and then a wait that polls the event queue
// the way the game does. The start-up and idle figures of the game are read against this one.
//
//   minimal_sdl [menu|move]    menu: 10 ms between empty polls (the default); move: 1 ms
//
// Runs from the build directory, where data/ lies. Ends on Escape or when the window is closed.

#include <cstdio>
#include <cstring>

#include <SDL.h>
#include <SDL_ttf.h>

namespace {

const int FONT_SIZES[] = {72, 36, 14};

}  // namespace

int main(int argc, char** argv)
{
    Uint32 pause = 10;
    if (argc > 1 && std::strcmp(argv[1], "move") == 0)
        pause = 1;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "minimal_sdl: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Surface* display =
        SDL_SetVideoMode(640, 480, 16, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT | SDL_RLEACCEL);
    if (display == nullptr) {
        std::fprintf(stderr, "minimal_sdl: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Quorlitz", nullptr);

    if (TTF_Init() != 0) {
        std::fprintf(stderr, "minimal_sdl: %s\n", TTF_GetError());
        return 1;
    }
    TTF_Font* fonts[3] = {};
    for (int i = 0; i < 3; ++i) {
        fonts[i] = TTF_OpenFont("data/Efont_Serif.ttf", FONT_SIZES[i]);
        if (fonts[i] == nullptr) {
            std::fprintf(stderr, "minimal_sdl: %s\n", TTF_GetError());
            return 1;
        }
    }

    SDL_FillRect(display, nullptr, SDL_MapRGB(display->format, 255, 255, 255));
    SDL_Flip(display);

    bool waiting = true;
    while (waiting) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT || (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE))
                waiting = false;
        }
        if (waiting)
            SDL_Delay(pause);
    }

    for (TTF_Font* font : fonts)
        TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}
