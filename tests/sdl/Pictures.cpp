#include "Pictures.h"

#include <gtest/gtest.h>

SDL_Surface* surfaceLike(const SDL_Surface* model, int width, int height)
{
    const SDL_PixelFormat* format = model->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, format->BitsPerPixel, format->Rmask,
                                format->Gmask, format->Bmask, format->Amask);
}

Rgb shown(const SDL_Surface* surface, Rgb colour)
{
    Rgb result{};
    SDL_GetRGB(SDL_MapRGB(surface->format, colour.r, colour.g, colour.b), surface->format, &result.r, &result.g,
               &result.b);
    return result;
}

void expectDrawnAt(SDL_Surface* target, SDL_Surface* image, int x, int y, Rgb under)
{
    ASSERT_TRUE(x >= 0 && y >= 0 && x + image->w <= target->w && y + image->h <= target->h)
        << "an image " << image->w << "x" << image->h << " at (" << x << ", " << y << ") leaves the target";
    SurfacePtr expected(surfaceLike(target, image->w, image->h));
    fillWith(expected.get(), under);
    SDL_BlitSurface(image, nullptr, expected.get(), nullptr);
    for (int row = 0; row < image->h; ++row)
        for (int column = 0; column < image->w; ++column) {
            const Rgb want = pixelAt(expected.get(), column, row);
            const Rgb got = pixelAt(target, x + column, y + row);
            if (!(got == want)) {
                ADD_FAILURE() << "the image drawn at (" << x << ", " << y << ") differs at (" << x + column
                              << ", " << y + row << "): " << got << " instead of " << want;
                return;
            }
        }
}
