#ifndef QUORLITZ_SDLUSERINTERFACE_H
#define QUORLITZ_SDLUSERINTERFACE_H

#include <cstdint>

#include <SDL.h>

#include "UserInterface.h"

class GameManager;
class SdlGridDrawer;
class SdlMenu;
class TerminationSignals;

// The game's window: 640 x 480, the menu, the board during a move, and the outcome text drifting
// over the final board. Starts SDL's video subsystem unless something else already did, and then
// also stops it. SIGINT and SIGTERM end the program from every screen while the window is open.
class SdlUserInterface final : public UserInterface {
public:
    // The manager's grid and players table (ids 1 and 5) must exist.
    explicit SdlUserInterface(GameManager* manager);
    ~SdlUserInterface() override;

    void makeMove() override;
    void showWinner(const Player& winner) override;
    void showMenu() override;

    SdlUserInterface(const SdlUserInterface&) = delete;
    SdlUserInterface& operator=(const SdlUserInterface&) = delete;

private:
    void tryDrop(std::uint16_t slot);
    void redraw();
    // Quits the program when a termination signal has come; the caller then returns to the manager.
    bool quitOnSignal();

    GameManager* manager_;
    SdlGridDrawer* drawer_;
    SDL_Surface* display_;
    bool ownsVideo_;
    int slotWidth_;
    bool inMove_;
    SdlMenu* menu_;
    std::uint16_t cursorSlot_;
    TerminationSignals* terminationSignals_;
};

#endif
