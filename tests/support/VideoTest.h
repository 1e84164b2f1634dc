#ifndef QUORLITZ_TESTS_SUPPORT_VIDEOTEST_H
#define QUORLITZ_TESTS_SUPPORT_VIDEOTEST_H

#include <memory>
#include <ostream>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

// The window as the program opens it, under the dummy driver.
class VideoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { SDL_Quit(); }
    SDL_Surface* screen() const { return screen_; }

private:
    SDL_Surface* screen_ = nullptr;
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
std::ostream& operator<<(std::ostream& out, const Rgb& colour);
std::ostream& operator<<(std::ostream& out, const SDL_Rect& rect);

const Rgb RED = {255, 0, 0}, GREEN = {0, 255, 0}, BLUE = {0, 0, 255};
const Rgb WHITE = {255, 255, 255}, BLACK = {0, 0, 0}, GREY = {128, 128, 128};

// Locks the surface, so that RLE-encoded ones read correctly too.
Rgb pixelAt(SDL_Surface* surface, int x, int y);
void fillWith(SDL_Surface* surface, Rgb colour);
// Around the pixels of this colour (with other: of any other) in area, by default all; zero if none.
SDL_Rect boundsOf(SDL_Surface* surface, Rgb colour, bool other = false, SDL_Rect area = {0, 0, 0, 0});
// The colour as the surface's pixels hold it: 16 bits keep fewer of each channel.
Rgb shown(const SDL_Surface* surface, Rgb colour);
// Target at (x, y) shows image as blitted over the colour under; reports the first pixel that differs.
void expectDrawnAt(SDL_Surface* target, SDL_Surface* image, int x, int y, Rgb under);
// Text as the game must show it: several lines centred on a keyed white block, a font height apart.
SurfacePtr textImage(const std::string& text, int points, Rgb colour);

#endif
