#include "SdlFont.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "Check.h"
#include "DataPath.h"
#include "SdlHelper.h"

namespace {

// No decimal integer contains this character, so the size is whatever follows its last occurrence
// and every (name, size) pair gets a key of its own, whatever characters the name holds.
const char KEY_SEPARATOR = '@';

SdlFontManager* theManager = nullptr;

}  // namespace

SdlFont::SdlFont(TTF_Font* font) : font_(font)
{
    QZ_CHECK(font_);
}

SDL_Surface* SdlFont::render(const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b) const
{
    const SDL_Color colour = {r, g, b, 0};
    SDL_Surface* retval = TTF_RenderText_Blended(font_, text.c_str(), colour);
    QZ_CHECK_DETAIL(retval, TTF_GetError());
    return retval;
}

SDL_Surface* SdlFont::renderMultiline(const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                                      int alignment) const
{
    std::vector<SDL_Surface*> lineImages;
    for (const std::string& line : splitLines(text)) {
        // SDL_ttf has no image for a text without width. A blank line keeps its place with the
        // height SDL_ttf gives every rendered line (the font height), so the lines keep one pitch;
        // it has no pixels, so the keyed background shows through.
        if (line.empty())
            lineImages.push_back(createSurface(0, TTF_FontHeight(font_), 255, 255, 255, true));
        else
            lineImages.push_back(render(line, r, g, b));
    }

    SDL_Surface* result = stackSurfaces(lineImages, alignment, 255, 255, 255, true, 0);
    for (SDL_Surface* image : lineImages)
        SDL_FreeSurface(image);
    return result;
}

std::vector<std::string> SdlFont::splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

SdlFontManager& SdlFontManager::instance()
{
    if (theManager == nullptr) {
        // A construction that throws leaves nothing behind, so the next call tries again.
        theManager = new SdlFontManager();
        std::atexit([] {
            delete theManager;
            theManager = nullptr;
        });
    }
    return *theManager;
}

SdlFontManager::SdlFontManager() : ttfInitialized_(false)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        throw std::runtime_error("cannot initialize FontSystem if SDL is not initialized\n");
    // Whoever started SDL_ttf before us stops it too.
    if (TTF_WasInit() != 0)
        return;
    if (TTF_Init() != 0)
        throw std::runtime_error("failed to initialize SDL_ttf");
    ttfInitialized_ = true;
}

SdlFontManager::~SdlFontManager()
{
    for (const auto& entry : fonts_) {
        TTF_CloseFont(entry.second->getTtfFont());
        delete entry.second;
    }
    if (ttfInitialized_)
        TTF_Quit();
}

const SdlFont* SdlFontManager::getFont(const std::string& name, int size)
{
    const std::string key = makeKey(name, size);
    const auto cached = fonts_.find(key);
    if (cached != fonts_.end())
        return cached->second;

    TTF_Font* font = TTF_OpenFont(dataPath(name).c_str(), size);
    if (font == nullptr)
        throw std::runtime_error("SdlFontManager: unable to load " + name);
    SdlFont* retval = new SdlFont(font);
    fonts_[key] = retval;
    return retval;
}

std::string SdlFontManager::makeKey(const std::string& name, int size)
{
    std::ostringstream key;
    key << name << KEY_SEPARATOR << size;
    return key.str();
}
