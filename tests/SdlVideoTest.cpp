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

// The software framebuffer, the click that gives the focus back, core X11 buttons: unless the player
// set otherwise.
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

// SDL3 refuses a renderer that the display cannot give, and loses its reason; the others open.
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

// QUORLITZ_SDL names the library of this run: classic SDL is 1.2.15, sdl12-compat counts on from 1.2.50.
TEST(SdlVideoTest, RunsOnTheLibraryThisRunIsFor)
{
    const SDL_version* linked = SDL_Linked_Version();
    const bool sdl12 = linked->major == 1 && linked->minor == 2;
    const char* linkedName = sdl12 && linked->patch == 15   ? "classic"
                             : sdl12 && linked->patch >= 50 ? "compat"
                                                            : "?";
    EXPECT_STREQ(std::getenv("QUORLITZ_SDL"), linkedName) << "linked 1.2." << int(linked->patch);
}

}  // namespace
