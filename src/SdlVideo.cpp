#include "SdlVideo.h"

#include <stdexcept>
#include <string>

namespace {

// Settings of SDL2 under sdl12-compat that the game chooses, each only a default: a player who set
// the variable chooses alone. Must run before SDL starts its video subsystem.
// - The presentation path: SDL2 would show the window through its GL renderer; its software
//   framebuffer shows the same pixels, opens the window sooner, holds less memory and flips several
//   times faster (figures in BENCHMARKS.md). Setting either of its two variables leaves both to
//   the player.
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
void startDriver()
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

}  // namespace

SDL_Surface* startVideo(int width, int height, int depth, Uint32 flags)
{
    setSdl2Defaults();
    startDriver();
    SDL_Surface* display = SDL_SetVideoMode(width, height, depth, flags);
    if (display == nullptr) {
        const std::string reason = windowFailure();
        SDL_Quit();
        throw std::runtime_error("cannot open the game's window: " + reason);
    }
    return display;
}
