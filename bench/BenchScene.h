#ifndef QUORLITZ_BENCHSCENE_H
#define QUORLITZ_BENCHSCENE_H

#include <cstdint>
#include <string>
#include <vector>

#include <SDL.h>

class GameGrid;
class GameManager;
class SdlUserInterface;

// What the benchmarks measure on: the program's own window, made by the program's own classes in
// the program's own order, and a board half full as in the middle of a game.

// The slots of 17 drops, Player 1 first, that leave the 7 x 5 board half full without a line of
// four: two full alternating rows and three tokens above.
extern const std::vector<std::uint16_t> HALF_FULL_DROPS;

// Drops HALF_FULL_DROPS into grid, ids 1 and 5 taking turns, as a game would.
void fillHalfFull(GameGrid& grid);

// The game manager with its SdlUserInterface: SDL started, the 640 x 480 x 16 window open, the
// bitmaps and fonts loaded, the menu built. Which video driver and presentation path SDL takes
// is decided by the environment, as for the program.
class GameWindow {
public:
    GameWindow();
    ~GameWindow();

    GameManager& manager() { return *manager_; }
    SdlUserInterface& ui() { return *ui_; }
    SDL_Surface* display() const;

    // Plays HALF_FULL_DROPS through the real move loop (mouse releases over the slots), then
    // leaves the game with Escape, so that the manager's board stays half full.
    void playHalfGame();

    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

private:
    GameManager* manager_;
    SdlUserInterface* ui_;
};

// The window's x at the middle of a slot's band (slots are 640 / 7 = 91 pixels wide).
int slotCentreX(std::uint16_t slot);

void pushMouseMotion(int x, int y);
void pushLeftRelease(int x, int y);
void pushKeyRelease(SDLKey key);

// The floor under every repaint: the whole window filled with one colour and shown.
void fillAndFlip(SDL_Surface* display, Uint32 colour);

// The SDL video driver in use ("dummy", "x11"), for the report.
std::string videoDriverName();

#endif
