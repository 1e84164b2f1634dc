#include "SdlUserInterface.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "SdlGridDrawer.h"
#include "SdlHelper.h"
#include "SdlMenu.h"
#include "SdlOutcomeBlock.h"
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

// Settings of SDL2 under sdl12-compat that the game chooses, each only a default: a player who set
// the variable chooses alone. Must run before SDL starts its video subsystem.
// - The presentation path: SDL2 would show the window through its GL renderer; its software
//   framebuffer shows the same pixels, opens the window in a third of the time, holds a seventh of
//   the memory and flips several times faster (figures in BENCHMARKS.md). Setting either of its
//   two variables leaves both to the player.
// - The click that gives the window the focus back: SDL2 swallows it unless told otherwise, and the
//   player would have to click twice where every other library takes the first click.
// - Mouse buttons from core X11 events rather than XInput2: SDL3 (under sdl2-compat) takes each
//   press from XInput2 twice, from the physical device and from the master pointer, and under a
//   window manager that holds the press for its own use, a quick click arrives as two whole clicks.
//   The game uses nothing that only XInput2 gives (relative motion, touch, pens).
void setSdl2Defaults()
{
    static char framebuffer[] = "SDL_FRAMEBUFFER_ACCELERATION=0";
    static char renderer[] = "SDL_RENDER_DRIVER=software";
    static char clickThrough[] = "SDL_MOUSE_FOCUS_CLICKTHROUGH=1";
    static char coreButtons[] = "SDL_VIDEO_X11_XINPUT2=0";
    if (SDL_getenv("SDL_FRAMEBUFFER_ACCELERATION") == nullptr && SDL_getenv("SDL_RENDER_DRIVER") == nullptr) {
        SDL_putenv(framebuffer);
        SDL_putenv(renderer);
    }
    if (SDL_getenv("SDL_MOUSE_FOCUS_CLICKTHROUGH") == nullptr)
        SDL_putenv(clickThrough);
    if (SDL_getenv("SDL_VIDEO_X11_XINPUT2") == nullptr)
        SDL_putenv(coreButtons);
}

// Why the window did not open. SDL3 loses its reason when the player's SDL_RENDER_DRIVER names a
// renderer that the display cannot give (a typo, "vulkan" without a driver, "opengl" without GL).
std::string windowFailure()
{
    const std::string reason = SDL_GetError();
    if (!reason.empty())
        return reason;
    const char* renderer = SDL_getenv("SDL_RENDER_DRIVER");
    if (renderer == nullptr)
        return "the SDL library gave no reason";
    return std::string("the SDL library gave no reason; SDL_RENDER_DRIVER=") + renderer +
           " may name a renderer that this display cannot give (unset it to let the game choose)";
}

// Starts SDL's video subsystem on a driver that shows the window on the player's desktop, or on the
// one the player named. Left to choose, SDL falls back to drivers that show nothing (offscreen,
// dummy) or that take the terminal over (a text-art driver): the game would wait where nobody can
// play it, or leave the terminal garbled. So those start only when named.
void startVideo()
{
    const char* named = SDL_getenv("SDL_VIDEODRIVER");
    if (named != nullptr && named[0] != '\0') {
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            throw std::runtime_error(std::string("cannot start the video driver ") + named +
                                     " named by SDL_VIDEODRIVER: " + SDL_GetError());
        return;
    }
    // X11 first, which Wayland desktops also offer through XWayland. sdl12-compat (versions from
    // 1.2.50 on) hands the name to SDL2, which tries a list in turn; classic SDL takes one name
    // and knows no Wayland. One try only: after a failed start, sdl12-compat reports every later
    // start as a success without starting anything.
    static char sdl2Drivers[] = "SDL_VIDEODRIVER=x11,wayland";
    static char classicDrivers[] = "SDL_VIDEODRIVER=x11";
    SDL_putenv(SDL_Linked_Version()->patch >= 50 ? sdl2Drivers : classicDrivers);
    if (SDL_Init(SDL_INIT_VIDEO) == 0)
        return;
    throw std::runtime_error("no display available: the game needs a graphical desktop "
                             "(is DISPLAY set to an X server you can reach?)");
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
        setSdl2Defaults();
        startVideo();
        display_ = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_DEPTH,
                                    SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT | SDL_RLEACCEL);
        if (display_ == nullptr) {
            const std::string reason = windowFailure();
            SDL_Quit();
            throw std::runtime_error("cannot open the game's window: " + reason);
        }
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
        if (TerminationSignals::received()) {
            manager_->quit();
            return;
        }
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
        if (TerminationSignals::received()) {
            manager_->quit();
            return;
        }
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
