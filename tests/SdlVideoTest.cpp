#include "SdlVideo.h"

#include <cstdlib>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

void openAndClose()
{
    startVideo(640, 480, 16, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT | SDL_RLEACCEL);
    SDL_Quit();
}

// Under sdl12-compat the game asks SDL2 for its software framebuffer, for the click that gives the
// window its focus back and for core X11 mouse buttons, but only by default: what the player set
// stays as it is.
TEST(SdlVideoTest, DefaultsSdl2sPresentationAndMouseAndLeavesThePlayersOwn)
{
    const char* const names[] = {"SDL_FRAMEBUFFER_ACCELERATION", "SDL_RENDER_DRIVER",
                                 "SDL_MOUSE_FOCUS_CLICKTHROUGH", "SDL_VIDEO_X11_XINPUT2"};
    // What the player set ("-": nothing), then what the window must leave there.
    const std::vector<std::string> cases[][2] = {{{"-", "-", "-", "-"}, {"0", "software", "1", "0"}},
                                                 {{"-", "software", "0", "1"}, {"-", "software", "0", "1"}},
                                                 {{"1", "-", "-", "-"}, {"1", "-", "1", "0"}}};
    for (const auto& [players, expected] : cases) {
        for (std::size_t i = 0; i < players.size(); ++i)
            players[i] == "-" ? unsetenv(names[i]) : setenv(names[i], players[i].c_str(), 1);
        openAndClose();
        std::vector<std::string> after;
        for (const char* name : names)
            after.push_back(std::getenv(name) != nullptr ? std::getenv(name) : "-");
        EXPECT_EQ(after, expected) << "the player set " << testing::PrintToString(players);
    }
}

// A renderer that the display cannot give: SDL2 and classic SDL open the window all the same, SDL3
// refuses and loses its reason, and the game names the setting instead.
TEST(SdlVideoTest, AWindowThatCannotOpenIsExplained)
{
    setenv("SDL_RENDER_DRIVER", "nonsense", 1);
    try {
        openAndClose();
    } catch (const std::runtime_error& error) {
        const std::regex named("cannot open the game's window: .*SDL_RENDER_DRIVER=nonsense.*");
        EXPECT_TRUE(std::regex_match(error.what(), named)) << error.what();
    }
}

}  // namespace
