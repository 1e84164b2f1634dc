#ifndef QUORLITZ_SDLHELPER_H
#define QUORLITZ_SDLHELPER_H

#include <cstdint>
#include <string>
#include <vector>

#include <SDL.h>

// Surface makers of the front end. Every surface returned is new and belongs to the caller, who
// frees it with SDL_FreeSurface; none is ever null, since a failure of SDL in here is a failed
// check. All of them need the video mode to be set: surfaces come in the screen's pixel format.

enum : int { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

// The colour that the data's bitmaps paint where they are transparent; tools/ArtGenerator paints with
// it too.
constexpr SDL_Color BITMAP_KEY = {255, 0, 255, 0};

// A rectangle for SDL's fills and blits. A blit's destination needs only its position: SDL reads
// no size from it and writes the clipped area back, so every blit gets a fresh one.
SDL_Rect rectAt(int x, int y, int w = 0, int h = 0);

// Loads "data/" + fileName, optionally with (r, g, b) as its transparent colour, converted to the
// display format.
SDL_Surface* loadBitmap(const std::string& fileName, bool colorKey, std::uint8_t r, std::uint8_t g,
                        std::uint8_t b);

// A width x height surface filled with (r, g, b); with colorKey that fill is transparent.
SDL_Surface* createSurface(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                           bool colorKey);

// Stacks the surfaces top to bottom, each followed by gap rows, on a background of (r, g, b),
// each aligned by alignment (ALIGN_LEFT, ALIGN_RIGHT or ALIGN_CENTER; anything else acts as
// ALIGN_LEFT). The inputs are only read.
SDL_Surface* stackSurfaces(const std::vector<SDL_Surface*>& surfaces, int alignment, std::uint8_t r,
                           std::uint8_t g, std::uint8_t b, bool colorKey, int gap);

#endif
