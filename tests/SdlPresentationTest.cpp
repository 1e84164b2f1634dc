// The window asks SDL for its software framebuffer before SDL starts, as a default only: a user
// who chose a presentation path in the environment keeps it. Each test runs in a process of its
// own, so the environment set here stays here.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "GameManager.h"
#include "support/ScriptedInput.h"

namespace {

// Opens and closes the window with the two variables set as given (nullptr: unset), and returns
// what they hold afterwards.
std::string presentationAfterOpening(const char* framebuffer, const char* renderer)
{
    const char* const names[] = {"SDL_FRAMEBUFFER_ACCELERATION", "SDL_RENDER_DRIVER"};
    const char* const values[] = {framebuffer, renderer};
    for (int i = 0; i < 2; ++i)
        values[i] != nullptr ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
    { GameManager manager(scripted_input::openWindow); }
    std::string result;
    for (const char* name : names)
        result += std::string(result.empty() ? "" : ", ") + (std::getenv(name) ? std::getenv(name) : "<unset>");
    return result;
}

TEST(PresentationPath, SoftwareFramebufferUnlessTheUserChoseEitherVariable)
{
    EXPECT_EQ(presentationAfterOpening(nullptr, nullptr), "0, software");
    EXPECT_EQ(presentationAfterOpening(nullptr, "opengl"), "<unset>, opengl");
    EXPECT_EQ(presentationAfterOpening("1", nullptr), "1, <unset>");
}

}  // namespace
