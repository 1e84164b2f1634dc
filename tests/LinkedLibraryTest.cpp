#include <cstdlib>
#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

// The suite runs once on each SDL 1.2 that players get; this says that a run really has the one it
// is named for. Classic SDL is 1.2.15; sdl12-compat counts on from 1.2.50.
TEST(LinkedLibraryTest, IsTheOneThisRunIsNamedFor)
{
    const char* meant = std::getenv("QUORLITZ_SDL");
    ASSERT_NE(meant, nullptr) << "QUORLITZ_SDL names no library for this run";
    const SDL_version* linked = SDL_Linked_Version();
    const std::string version = std::to_string(linked->major) + "." + std::to_string(linked->minor) + "." +
                                std::to_string(linked->patch);
    if (std::string(meant) == "classic")
        EXPECT_EQ(version, "1.2.15");
    else if (std::string(meant) == "compat")
        EXPECT_TRUE(linked->major == 1 && linked->minor == 2 && linked->patch >= 50) << version;
    else
        ADD_FAILURE() << "no such library: " << meant;
}
