#include "SdlHelper.h"

#include "Check.h"
#include "DataPath.h"

namespace {

// RLE makes the many blits of keyed pictures cheap; it costs only at the first blit.
const Uint32 COLOR_KEY_FLAGS = SDL_SRCCOLORKEY | SDL_RLEACCEL;

std::string loadFailure(const std::string& path)
{
    return "cannot load " + path + ": " + SDL_GetError();
}

SDL_Surface* readBitmap(const std::string& path)
{
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    // A missing file gives no stream; reading from none would only replace SDL's precise error.
    if (stream == nullptr)
        return nullptr;
    return SDL_LoadBMP_RW(stream, 1);
}

int alignedX(int alignment, int totalWidth, int width)
{
    switch (alignment) {
    case ALIGN_RIGHT:
        return totalWidth - width;
    case ALIGN_CENTER:
        return (totalWidth - width) / 2;
    default:
        return 0;
    }
}

}  // namespace

SDL_Rect rectAt(int x, int y, int w, int h)
{
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    return rect;
}

SDL_Surface* loadBitmap(const std::string& fileName, bool colorKey, std::uint8_t r, std::uint8_t g,
                        std::uint8_t b)
{
    const std::string path = dataPath(fileName);
    SDL_Surface* tmp = readBitmap(path);
    QZ_CHECK_DETAIL(tmp, loadFailure(path).c_str());

    // Keyed before the conversion so that the converted copy carries the key along.
    if (colorKey)
        SDL_SetColorKey(tmp, COLOR_KEY_FLAGS, SDL_MapRGB(tmp->format, r, g, b));

    SDL_Surface* retval = SDL_DisplayFormat(tmp);
    QZ_CHECK_DETAIL(retval, SDL_GetError());
    SDL_FreeSurface(tmp);
    return retval;
}

SDL_Surface* createSurface(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                           bool colorKey)
{
    SDL_Surface* display = SDL_GetVideoSurface();
    SDL_Surface* retval = nullptr;
    if (display != nullptr) {
        const SDL_PixelFormat* format = display->format;
        retval = SDL_CreateRGBSurface(SDL_HWSURFACE, width, height, format->BitsPerPixel, format->Rmask,
                                      format->Gmask, format->Bmask, format->Amask);
    }
    QZ_CHECK_DETAIL(display && retval, SDL_GetError());

    const Uint32 fill = SDL_MapRGB(retval->format, r, g, b);
    SDL_FillRect(retval, nullptr, fill);
    if (colorKey)
        SDL_SetColorKey(retval, COLOR_KEY_FLAGS, fill);
    return retval;
}

SDL_Surface* stackSurfaces(const std::vector<SDL_Surface*>& surfaces, int alignment, std::uint8_t r,
                           std::uint8_t g, std::uint8_t b, bool colorKey, int gap)
{
    int width = 0;
    int height = 0;
    for (const SDL_Surface* surface : surfaces) {
        if (surface->w > width)
            width = surface->w;
        height += surface->h + gap;
    }

    // An empty list gives an empty 0 x 0 surface: nothing to hold, and still one to free.
    SDL_Surface* retval = createSurface(width, height, r, g, b, colorKey);

    int y = 0;
    for (SDL_Surface* surface : surfaces) {
        SDL_Rect destination = rectAt(alignedX(alignment, width, surface->w), y);
        SDL_BlitSurface(surface, nullptr, retval, &destination);
        y += surface->h + gap;
    }
    return retval;
}
