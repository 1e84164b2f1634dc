#ifndef QUORLITZ_SDLVIDEO_H
#define QUORLITZ_SDLVIDEO_H

#include <SDL.h>

// Starts SDL's video subsystem for the game and opens its window in the given mode: on a desktop's
// driver unless the player names one in SDL_VIDEODRIVER, with the game's defaults for SDL2 under
// sdl12-compat unless the player set them. Returns the window's video surface, or throws
// std::runtime_error with a message that tells the player what is missing (no display, a named
// driver that cannot start, a window the driver refuses); SDL is stopped again then. The caller
// stops it with SDL_Quit once the window is no longer needed.
SDL_Surface* startVideo(int width, int height, int depth, Uint32 flags);

#endif
