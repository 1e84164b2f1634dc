#ifndef QUORLITZ_TESTS_SDL_PICTURES_H
#define QUORLITZ_TESTS_SDL_PICTURES_H

#include <SDL.h>

#include "VideoTest.h"

// Comparisons of what the program drew with what it should have drawn.

// A blank surface of the given size in the pixel format of model.
SDL_Surface* surfaceLike(const SDL_Surface* model, int width, int height);

// The colour as a pixel of surface can hold it (a 16-bit window keeps fewer bits of each channel).
Rgb shown(const SDL_Surface* surface, Rgb colour);

// Every pixel of target's rectangle at (x, y) is what image, blitted whole, makes of a background
// of the colour under; reports the first pixel that differs.
void expectDrawnAt(SDL_Surface* target, SDL_Surface* image, int x, int y, Rgb under);

#endif
