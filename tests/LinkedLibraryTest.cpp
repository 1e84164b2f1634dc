#include <cstdlib>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

// The suite runs once on each SDL 1.2 that players get (QUORLITZ_SDL names it): classic SDL is
// 1.2.15, sdl12-compat counts on from 1.2.50.
TEST(LinkedLibraryTest, IsTheOneThisRunIsNamedFor)
{
    const SDL_version* linked = SDL_Linked_Version();
    const std::string version = std::to_string(linked->major) + "." + std::to_string(linked->minor) + "." +
                                std::to_string(linked->patch);
    const std::string meant = std::getenv("QUORLITZ_SDL") != nullptr ? std::getenv("QUORLITZ_SDL") : "(none)";
    const bool compat = linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
    EXPECT_TRUE(meant == "classic" ? version == "1.2.15" : meant == "compat" && compat)
        << version << " is not the library this run is for: " << meant;
}
