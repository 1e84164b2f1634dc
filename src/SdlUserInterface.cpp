#include "SdlUserInterface.h"

#include <map>
#include <optional>
#include <string>

#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "SdlEvents.h"
#include "SdlGridDrawer.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "SdlOutcomeBlock.h"
#include "SdlVideo.h"
#include "TerminationSignals.h"

namespace {

constexpr int WINDOW_WIDTH = 640;
constexpr int WINDOW_HEIGHT = 480;
constexpr int WINDOW_DEPTH = 16;
const char* const WINDOW_CAPTION = "Quorlitz";

constexpr int NEW_GAME_ID = 0;
constexpr int QUIT_ID = -1;

constexpr Uint32 MOVE_IDLE_PAUSE_MS = 1;
constexpr Uint32 FRAME_PAUSE_MS = 10;
// Keeps the click or key that ended the game from also ending its outcome screen at once.
constexpr Uint32 OUTCOME_GRACE_MS = 100;

// The slot whose band of the window holds (x, y), or none outside the window. While a button is
// held the window keeps getting the pointer beyond its edges, and sdl12-compat hands those positions
// over as unsigned numbers: x = -1 arrives as 65535, which must not choose the last slot.
std::optional<std::uint16_t> slotUnder(std::uint16_t x, std::uint16_t y, const SDL_Surface& window,
                                       int slotWidth, std::uint16_t slots)
{
    if (x >= window.w || y >= window.h)
        return std::nullopt;
    // Clicks right of the last whole band still belong to the last slot.
    const unsigned slot = x / static_cast<unsigned>(slotWidth);
    return static_cast<std::uint16_t>(slot < slots ? slot : slots - 1u);
}

// Shared by the destructor and by a constructor that fails half-way.
void releaseWindow(SdlGridDrawer*& drawer, SdlMenu*& menu, TerminationSignals*& signals, bool ownsVideo)
{
    delete drawer;
    drawer = nullptr;
    delete menu;
    menu = nullptr;
    // SDL's own handlers go back before SDL, which puts back what it found, stops.
    delete signals;
    signals = nullptr;
    if (ownsVideo)
        SDL_Quit();
}

}  // namespace

SdlUserInterface::SdlUserInterface(GameManager* manager)
    : manager_(manager),
      drawer_(nullptr),
      display_(nullptr),
      ownsVideo_(false),
      slotWidth_(0),
      inMove_(false),
      menu_(nullptr),
      cursorSlot_(0),
      terminationSignals_(nullptr)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        display_ = startVideo(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_DEPTH,
                              SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT | SDL_RLEACCEL);
        ownsVideo_ = true;
    } else {
        display_ = SDL_GetVideoSurface();
    }
    SDL_WM_SetCaption(WINDOW_CAPTION, nullptr);

    try {
        terminationSignals_ = new TerminationSignals();
        const GameGrid& grid = manager_->getGrid();
        const std::map<std::int32_t, Player>& players = manager_->getPlayers();
        drawer_ = new SdlGridDrawer(grid, players.at(PLAYER_1_ID), players.at(PLAYER_2_ID), display_);
        slotWidth_ = display_->w / grid.getSlots();
        menu_ = new SdlMenu(display_, QUIT_ID);
        menu_->addEntry("start new game", NEW_GAME_ID);
        menu_->addEntry("quit program", QUIT_ID);
    } catch (...) {
        releaseWindow(drawer_, menu_, terminationSignals_, ownsVideo_);
        throw;
    }
}

SdlUserInterface::~SdlUserInterface()
{
    releaseWindow(drawer_, menu_, terminationSignals_, ownsVideo_);
}

void SdlUserInterface::showMenu()
{
    switch (menu_->execute()) {
    case QUIT_ID:
        manager_->quit();
        break;
    case NEW_GAME_ID:
        manager_->playGame();
        break;
    default:
        QZ_CHECK(false);
    }
}

void SdlUserInterface::makeMove()
{
    inMove_ = true;
    SDL_ShowCursor(SDL_DISABLE);
    redraw();

    const std::uint16_t slots = manager_->getGrid().getSlots();
    // Classic SDL keeps the pointer's position inside the window while a held button drags it
    // beyond an edge; only the lost mouse focus, reported before the release, tells it is outside.
    // A drag starts with a press inside, so every move starts with the pointer taken to be there.
    bool pointerInWindow = true;
    // One token per call: events queued behind the drop wait for the next move, so that the rule
    // is checked after every token.
    while (inMove_) {
        if (quitOnSignal())
            return;
        SDL_Event event;
        if (!SDL_PollEvent(&event)) {
            SDL_Delay(MOVE_IDLE_PAUSE_MS);
            continue;
        }
        switch (event.type) {
        case SDL_ACTIVEEVENT:
            if ((event.active.state & SDL_APPMOUSEFOCUS) != 0)
                pointerInWindow = event.active.gain != 0;
            break;
        case SDL_MOUSEMOTION:
            if (const auto slot = slotUnder(event.motion.x, event.motion.y, *display_, slotWidth_, slots);
                slot && pointerInWindow)
                cursorSlot_ = *slot;
            break;
        case SDL_MOUSEBUTTONUP:
            // Released outside the window, the button chooses nothing: the same player goes on choosing.
            if (const auto slot = slotUnder(event.button.x, event.button.y, *display_, slotWidth_, slots);
                slot && pointerInWindow && event.button.button == SDL_BUTTON_LEFT) {
                cursorSlot_ = *slot;
                tryDrop(cursorSlot_);
            }
            break;
        case SDL_KEYUP:
            switch (event.key.keysym.sym) {
            case SDLK_RETURN:
                tryDrop(cursorSlot_);
                break;
            case SDLK_RIGHT:
                cursorSlot_ = static_cast<std::uint16_t>((cursorSlot_ + 1) % slots);
                break;
            case SDLK_LEFT:
                cursorSlot_ = static_cast<std::uint16_t>(cursorSlot_ == 0 ? slots - 1 : cursorSlot_ - 1);
                break;
            case SDLK_ESCAPE:
                if (manager_->isRunning())
                    manager_->abandonGame();
                else
                    manager_->quit();
                return;
            default:
                break;
            }
            break;
        case SDL_QUIT:
            manager_->quit();
            return;
        default:
            break;
        }
        // Also after the drop that ends the move: the outcome screen draws over this picture.
        redraw();
    }
}

void SdlUserInterface::tryDrop(std::uint16_t slot)
{
    try {
        manager_->dropInSlot(slot);
        inMove_ = false;
    } catch (const GameManager::IllegalSlotError&) {
        // The same player chooses again in the move loop that is already running; starting a
        // nested one here would grow the stack with every refused click.
    }
}

bool SdlUserInterface::quitOnSignal()
{
    if (!TerminationSignals::received())
        return false;
    manager_->quit();
    return true;
}

void SdlUserInterface::redraw()
{
    drawer_->setCursor(cursorSlot_);
    drawer_->draw();
}

void SdlUserInterface::showWinner(const Player& winner)
{
    SdlOutcomeBlock block(winner, display_);
    block.drawFrame();
    SDL_Delay(FRAME_PAUSE_MS);
    SDL_Delay(OUTCOME_GRACE_MS);

    // What the players did during the last move or the grace period was not meant for this screen.
    discardPendingEvents();

    SDL_Event event;
    bool keepGoing = true;
    do {
        // Unlike a window close, a termination signal ends the program, however soon it came.
        if (quitOnSignal())
            return;
        while (SDL_PollEvent(&event)) {
            // A quit request ends only this screen; the menu that follows is there to quit from.
            if (event.type == SDL_KEYUP || event.type == SDL_MOUSEBUTTONUP || event.type == SDL_QUIT)
                keepGoing = false;
        }
        block.drawFrame();
        SDL_Delay(FRAME_PAUSE_MS);
        block.advance();
    } while (block.isOnScreen() && keepGoing);
}
