#ifndef QUORLITZ_TESTS_SUPPORT_VIDEOTEST_H
#define QUORLITZ_TESTS_SUPPORT_VIDEOTEST_H

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

// What the front-end tests share: the window under the dummy driver, surfaces that free
// themselves, pixels read back as colours, text in the game's font.

// The window as the program opens it: 640 x 480 at 16 bits per pixel.
class VideoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { SDL_Quit(); }
    SDL_Surface* screen() const { return screen_; }

private:
    SDL_Surface* screen_ = nullptr;
};

// While it lives, the working directory is a fresh temporary one with an empty data/ of its own, so
// that a test can give the program's loaders files of its making; the build's data/ stays as built.
class ScratchData {
public:
    ScratchData();
    ~ScratchData();
    ScratchData(const ScratchData&) = delete;
    ScratchData& operator=(const ScratchData&) = delete;

private:
    std::filesystem::path home_, scratch_;
};

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

struct Rgb {
    Uint8 r, g, b;
};
inline bool operator==(const Rgb& a, const Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator==(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}
inline SDL_Rect sizeOf(const SDL_Surface* surface)
{
    return {0, 0, Uint16(surface->w), Uint16(surface->h)};
}
std::ostream& operator<<(std::ostream& out, const Rgb& colour);
std::ostream& operator<<(std::ostream& out, const SDL_Rect& rect);

const Rgb RED = {255, 0, 0}, GREEN = {0, 255, 0}, BLUE = {0, 0, 255};
const Rgb WHITE = {255, 255, 255}, BLACK = {0, 0, 0}, GREY = {128, 128, 128};

// Any depth; locks the surface, so RLE-encoded surfaces read correctly too.
Rgb pixelAt(SDL_Surface* surface, int x, int y);
void fillWith(SDL_Surface* surface, Rgb colour);
// The smallest rectangle around the pixels of this colour in area (by default the whole surface),
// or with other around those of any other colour; all zero if there are none.
SDL_Rect boundsOf(SDL_Surface* surface, Rgb colour, bool other = false, SDL_Rect area = {0, 0, 0, 0});
// The colour as a pixel of surface can hold it (a 16-bit window keeps fewer bits of each channel).
Rgb shown(const SDL_Surface* surface, Rgb colour);
// Every pixel of target's rectangle at (x, y) is what image, blitted whole, makes of a background
// of the colour under; reports the first pixel that differs.
void expectDrawnAt(SDL_Surface* target, SDL_Surface* image, int x, int y, Rgb under);
// Text as the game must show it, made by SDL_ttf from data/Efont_Serif.ttf: one line as rendered;
// several, each a font height below the last and centred at (width - w) / 2, on a keyed white block
// as wide as the widest; an empty line left blank.
SurfacePtr textImage(const std::string& text, int points, Rgb colour);

#endif
