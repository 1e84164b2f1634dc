#ifndef QUORLITZ_SDLGRIDDRAWER_H
#define QUORLITZ_SDLGRIDDRAWER_H

#include <cstdint>

#include <SDL.h>

class GameGrid;
struct Player;

// Paints the game screen: blue background, a white strip on top with the cursor bitmap over the
// chosen slot, and every cell filled with its token's colour under the frame bitmap
// "overlay.bmp", the board centred in the space below the strip. Reads the board, never writes it.
class SdlGridDrawer {
public:
    static constexpr int CURSOR_SPACE = 60;

    // Loads "overlay.bmp" and "cursor.bmp" (the video mode must be set) and checks that the board
    // fits on display. Only the players' colours are read.
    SdlGridDrawer(const GameGrid& grid, const Player& player1, const Player& player2, SDL_Surface* display);
    ~SdlGridDrawer();

    // The slot must exist on the board.
    void setCursor(std::uint16_t slot);

    // Paints the whole window anew and shows it.
    void draw();

    // Paints only the cursor strip, without showing it.
    void drawCursor();

    SdlGridDrawer(const SdlGridDrawer&) = delete;
    SdlGridDrawer& operator=(const SdlGridDrawer&) = delete;

private:
    const GameGrid& grid_;
    SDL_Surface* display_;
    SDL_Surface* overlay_;
    SDL_Surface* cursorImage_;
    std::uint32_t player1Colour_;
    std::uint32_t player2Colour_;
    std::uint32_t emptyColour_;
    std::uint32_t backgroundColour_;
    std::int16_t cursorSlot_;
    int marginX_;
    int marginY_;
    // One cell in each of the three cell colours, in the display's format. A cell is filled by
    // copying its tile: SDL2 fills 16-bit rectangles with streaming stores, and on rows as short
    // as a cell's those cost several times a plain copy (see BENCHMARKS.md).
    SDL_Surface* emptyTile_;
    SDL_Surface* player1Tile_;
    SDL_Surface* player2Tile_;
};

#endif
