// Draws the game's two bitmaps, data/overlay.bmp and data/cursor.bmp, into the directory given as
// the only argument. Both use the game's BITMAP_KEY for what must stay transparent, and neither blends any
// pixel with that colour: only the exact key is transparent, so a blended edge would show as a
// pink fringe on the board.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include <SDL.h>

#include "SdlHelper.h"

namespace {

struct Colour {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

const Colour KEY = {BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b};

// One board cell. The board is 7 x 5 cells under a 60-pixel cursor strip in a 640 x 480 window,
// which allows cells of at most 91 x 84. The window turns a pointer's x into slot x / 91, so the
// cell is that wide: the drawn columns then agree with the columns the clicks choose.
const int CELL_WIDTH = 91;
const int CELL_HEIGHT = 84;
const double HOLE_RADIUS = 33.0;
const double RIM_WIDTH = 4.0;
const int BEVEL_WIDTH = 4;

// The cursor spans one column, so it lines up with the cell under it, and fits the 60-pixel strip.
const int CURSOR_WIDTH = CELL_WIDTH;
const int CURSOR_HEIGHT = 50;

std::uint8_t clampChannel(double value)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Colour scaled(Colour colour, double factor)
{
    return {clampChannel(colour.r * factor), clampChannel(colour.g * factor),
            clampChannel(colour.b * factor)};
}

class Canvas {
public:
    Canvas(int width, int height)
        : surface_(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0))
    {
    }
    ~Canvas()
    {
        if (surface_ != nullptr)
            SDL_FreeSurface(surface_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool valid() const { return surface_ != nullptr; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }

    void set(int x, int y, Colour colour)
    {
        auto* pixel = static_cast<std::uint8_t*>(surface_->pixels) + y * surface_->pitch + x * 3;
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
    }

    bool save(const std::string& path) const { return SDL_SaveBMP(surface_, path.c_str()) == 0; }

private:
    SDL_Surface* surface_;
};

// A brass frame, lit from the top left: raised outer bevel, flat face, and a sunken darker rim
// around the round hole through which the token's colour shows.
Colour overlayPixel(int x, int y)
{
    const Colour brass = {196, 160, 48};
    const double dx = x - (CELL_WIDTH - 1) / 2.0;
    const double dy = y - (CELL_HEIGHT - 1) / 2.0;
    const double distance = std::sqrt(dx * dx + dy * dy);

    if (distance < HOLE_RADIUS)
        return KEY;
    if (distance < HOLE_RADIUS + RIM_WIDTH) {
        // The light falls into the hole from the top left, so the rim is lit on its far side.
        const double towardsLight = -(dx + dy) / (distance * std::sqrt(2.0));
        return scaled(brass, 0.55 - 0.2 * towardsLight);
    }

    const int fromLeftOrTop = std::min(x, y);
    const int fromRightOrBottom = std::min(CELL_WIDTH - 1 - x, CELL_HEIGHT - 1 - y);
    if (fromLeftOrTop < BEVEL_WIDTH && fromLeftOrTop <= fromRightOrBottom)
        return scaled(brass, 1.3 - 0.05 * fromLeftOrTop);
    if (fromRightOrBottom < BEVEL_WIDTH)
        return scaled(brass, 0.6 + 0.05 * fromRightOrBottom);
    // A soft gradient across the face keeps it from looking flat.
    return scaled(brass, 1.05 - 0.1 * (x + y) / double(CELL_WIDTH + CELL_HEIGHT));
}

void drawOverlay(Canvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set(x, y, overlayPixel(x, y));
}

// A downward arrow centred in the column: a shaft and a head whose tip points into the slot, dark
// with a lighter core so that it reads as a solid piece on the white strip.
Colour cursorPixel(int x, int y)
{
    const Colour outline = {20, 24, 32};
    const Colour body = {70, 80, 100};
    const double centre = (CURSOR_WIDTH - 1) / 2.0;
    const double dx = std::fabs(x - centre);
    const int shaftTop = 3;
    const int headTop = 22;
    const int tip = CURSOR_HEIGHT - 3;
    const double shaftHalfWidth = 9.0;
    const double headHalfWidth = 26.0;

    if (y < shaftTop || y > tip)
        return KEY;
    if (y < headTop) {
        if (dx > shaftHalfWidth)
            return KEY;
        const bool edge = dx > shaftHalfWidth - 2 || y < shaftTop + 2;
        return edge ? outline : body;
    }
    const double halfWidth = headHalfWidth * (tip - y) / (tip - headTop);
    if (dx > halfWidth)
        return KEY;
    const bool edge = dx > halfWidth - 2.5 || y < headTop + 2;
    return edge ? outline : body;
}

void drawCursor(Canvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set(x, y, cursorPixel(x, y));
}

bool makeBitmap(const std::string& path, int width, int height, void (*draw)(Canvas&))
{
    Canvas canvas(width, height);
    if (!canvas.valid()) {
        std::fprintf(stderr, "make_art: cannot create a %d x %d surface: %s\n", width, height,
                     SDL_GetError());
        return false;
    }
    draw(canvas);
    if (!canvas.save(path)) {
        std::fprintf(stderr, "make_art: cannot write %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art OUTPUT_DIRECTORY\n");
        return 2;
    }
    if (SDL_Init(0) != 0) {
        std::fprintf(stderr, "make_art: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    const std::string directory = std::string(argv[1]) + "/";
    const bool made = makeBitmap(directory + "overlay.bmp", CELL_WIDTH, CELL_HEIGHT, drawOverlay) &&
                      makeBitmap(directory + "cursor.bmp", CURSOR_WIDTH, CURSOR_HEIGHT, drawCursor);
    SDL_Quit();
    return made ? 0 : 1;
}
