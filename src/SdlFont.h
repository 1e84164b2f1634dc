#ifndef QUORLITZ_SDLFONT_H
#define QUORLITZ_SDLFONT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

// The game's one font, a file in data/, and the sizes its texts take. The build reads the name from
// this line to put the font into data/ and to install it, so it stays one quoted string.
constexpr const char* GAME_FONT = "Efont_Serif.ttf";
constexpr int LARGE_POINTS = 72;   // the highlighted menu entry and the outcome text
constexpr int MEDIUM_POINTS = 36;  // the other menu entries
constexpr int SMALL_POINTS = 14;   // the menu's credits

// One open TrueType font at one point size. A plain handle: copies share the font, and only the
// font manager closes it.
class SdlFont {
public:
    explicit SdlFont(TTF_Font* font);

    // One line of text in (r, g, b) with per-pixel alpha; a new surface owned by the caller.
    SDL_Surface* render(const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b) const;

    // Lines separated by '\n', each rendered as by render() and stacked with the given alignment on
    // a transparent white background; an empty line stays as a blank line of the font's height.
    SDL_Surface* renderMultiline(const std::string& text, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                                 int alignment) const;

    TTF_Font* getTtfFont() const { return font_; }

private:
    static std::vector<std::string> splitLines(const std::string& text);

    TTF_Font* font_;
};

// The process's one font cache. Created by the first instance() (SDL's video subsystem must be
// running by then), destroyed at exit, when it closes every font it opened and stops SDL_ttf if it
// started it. Fonts are opened from "data/" + name and kept for the rest of the process.
class SdlFontManager {
public:
    static SdlFontManager& instance();

    // The font for (name, size), opened on the first request; throws std::runtime_error
    // "SdlFontManager: unable to load <name>" when the file cannot be opened.
    const SdlFont* getFont(const std::string& name, int size);

    SdlFontManager(const SdlFontManager&) = delete;
    SdlFontManager& operator=(const SdlFontManager&) = delete;

private:
    SdlFontManager();
    ~SdlFontManager();
    static std::string makeKey(const std::string& name, int size);

    bool ttfInitialized_;
    std::map<std::string, SdlFont*> fonts_;
};

#endif
