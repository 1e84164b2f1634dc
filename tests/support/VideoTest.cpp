#include "VideoTest.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <SDL_ttf.h>

namespace {

SDL_Surface* surfaceLike(const SDL_Surface* model, int width, int height)
{
    const SDL_PixelFormat* format = model->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, format->BitsPerPixel, format->Rmask,
                                format->Gmask, format->Bmask, format->Amask);
}

}  // namespace

void VideoTest::SetUp()
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    screen_ = SDL_SetVideoMode(640, 480, 16, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT);
    ASSERT_NE(screen_, nullptr) << SDL_GetError();
}

std::ostream& operator<<(std::ostream& out, const Rgb& colour)
{
    return out << '(' << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ')';
}

std::ostream& operator<<(std::ostream& out, const SDL_Rect& rect)
{
    return out << rect.w << 'x' << rect.h << " at (" << rect.x << ", " << rect.y << ')';
}

Rgb pixelAt(SDL_Surface* surface, int x, int y)
{
    const int bytes = surface->format->BytesPerPixel;
    Uint32 value = 0;  // little-endian
    SDL_LockSurface(surface);
    std::memcpy(&value, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes, bytes);
    SDL_UnlockSurface(surface);
    Rgb colour = {0, 0, 0};
    SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
    return colour;
}

void fillWith(SDL_Surface* surface, Rgb colour)
{
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
}

SDL_Rect boundsOf(SDL_Surface* surface, Rgb colour, bool other, SDL_Rect area)
{
    if (area.w == 0)
        area = {0, 0, Uint16(surface->w), Uint16(surface->h)};
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = area.y; y < area.y + area.h; ++y)
        for (int x = area.x; x < area.x + area.w; ++x)
            if ((pixelAt(surface, x, y) == colour) != other) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right < 0
               ? SDL_Rect{0, 0, 0, 0}
               : SDL_Rect{Sint16(left), Sint16(top), Uint16(right - left + 1), Uint16(bottom - top + 1)};
}

Rgb shown(const SDL_Surface* surface, Rgb colour)
{
    SDL_GetRGB(SDL_MapRGB(surface->format, colour.r, colour.g, colour.b), surface->format, &colour.r,
               &colour.g, &colour.b);
    return colour;
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
            const Rgb want = pixelAt(expected.get(), column, row), got = pixelAt(target, x + column, y + row);
            if (!(got == want)) {
                ADD_FAILURE() << "the image drawn at (" << x << ", " << y << ") differs at (" << x + column
                              << ", " << y + row << "): " << got << " instead of " << want;
                return;
            }
        }
}

SurfacePtr textImage(const std::string& text, int points, Rgb colour)
{
    // SDL_ttf counts its starts and stops, so this pair leaves the font manager's own alone.
    TTF_Font* font = TTF_Init() == 0 ? TTF_OpenFont("data/Efont_Serif.ttf", points) : nullptr;
    if (font == nullptr)
        throw std::runtime_error(std::string("SDL_ttf cannot open data/Efont_Serif.ttf: ") + TTF_GetError());
    const SDL_Color ink = {colour.r, colour.g, colour.b, 0};
    const int lineHeight = TTF_FontHeight(font);
    std::vector<SurfacePtr> lines;  // null for an empty line
    int width = 0;
    for (std::string::size_type start = 0, end = 0; end != std::string::npos; start = end + 1) {
        end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        lines.emplace_back(line.empty() ? nullptr : TTF_RenderText_Blended(font, line.c_str(), ink));
        width = std::max(width, line.empty() ? 0 : lines.back()->w);
    }
    TTF_CloseFont(font);
    TTF_Quit();
    if (lines.size() == 1)
        return std::move(lines.front());

    SurfacePtr block(surfaceLike(SDL_GetVideoSurface(), width, lineHeight * int(lines.size())));
    fillWith(block.get(), WHITE);
    SDL_SetColorKey(block.get(), SDL_SRCCOLORKEY, SDL_MapRGB(block->format, 255, 255, 255));
    for (std::size_t k = 0; k < lines.size(); ++k)
        if (lines[k]) {
            SDL_Rect at = {Sint16((width - lines[k]->w) / 2), Sint16(int(k) * lineHeight), 0, 0};
            SDL_BlitSurface(lines[k].get(), nullptr, block.get(), &at);
        }
    return block;
}
