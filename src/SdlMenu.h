#ifndef QUORLITZ_SDLMENU_H
#define QUORLITZ_SDLMENU_H

#include <cstddef>
#include <string>
#include <vector>

#include <SDL.h>

#include "Menu.h"

class SdlFont;

// The opening screen: a column of entries in the middle of a white surface, the highlighted one
// large and green, the others small and grey, and the credits in the bottom-right corner. The
// mouse pointer and the arrow keys move the highlight; a left click, Return, Escape, closing the
// window or a termination signal decides.
class SdlMenu final : public Menu {
public:
    // Draws on surface (not owned); quitId is returned for Escape, a window-close request and a
    // termination signal.
    SdlMenu(SDL_Surface* surface, int quitId);
    ~SdlMenu();

    void addEntry(const std::string& text, int id) override;
    int execute() override;

    SdlMenu(const SdlMenu&) = delete;
    SdlMenu& operator=(const SdlMenu&) = delete;

private:
    struct MenuEntry {
        std::string text;
        int id;
        SDL_Surface* normalImage;
        SDL_Surface* highlightedImage;
    };

    SDL_Surface* createCredits() const;
    void drawBackground();
    void drawEntries();
    bool selectAt(int x, int y);
    static bool isInside(int x, int y, const SDL_Rect& rect);
    void draw();

    std::vector<MenuEntry> entries_;
    std::size_t selected_;
    int quitId_;
    SDL_Surface* surface_;
    SDL_Surface* credits_;
    const SdlFont* bigFont_;
    const SdlFont* smallFont_;
    bool isDisplay_;
};

#endif
