// The window asks SDL for its software framebuffer before SDL starts, as a default only: a user
// who chose a presentation path in the environment keeps it. Each test runs in a process of its
// own, so the environment set here stays here.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "SdlUserInterface.h"

namespace {

const char* const FRAMEBUFFER = "SDL_FRAMEBUFFER_ACCELERATION";
const char* const RENDERER = "SDL_RENDER_DRIVER";

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "<unset>";
}

// Starts SDL through the window and shuts it down again.
void openAndCloseWindow()
{
    GameManager manager([](GameManager& owner) -> UserInterface* { return new SdlUserInterface(&owner); });
}

TEST(PresentationPath, SoftwareFramebufferWhenTheUserChoseNothing)
{
    unsetenv(FRAMEBUFFER);
    unsetenv(RENDERER);
    openAndCloseWindow();
    EXPECT_EQ("0", variable(FRAMEBUFFER));
    EXPECT_EQ("software", variable(RENDERER));
}

TEST(PresentationPath, EitherVariableSetByTheUserDecidesAlone)
{
    unsetenv(FRAMEBUFFER);
    setenv(RENDERER, "opengl", 1);
    openAndCloseWindow();
    EXPECT_EQ("opengl", variable(RENDERER));
    EXPECT_EQ("<unset>", variable(FRAMEBUFFER));

    unsetenv(RENDERER);
    setenv(FRAMEBUFFER, "1", 1);
    openAndCloseWindow();
    EXPECT_EQ("1", variable(FRAMEBUFFER));
    EXPECT_EQ("<unset>", variable(RENDERER));
}

}  // namespace
