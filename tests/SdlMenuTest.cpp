#include "SdlMenu.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

// How it looks is checked with the window's own menu (SdlUserInterfaceTest); here, what it does.
namespace {

using namespace scripted_input;
constexpr int QUIT_ID = -1;

// Three entries on the window, rows 84 pixels high highlighted, 43 otherwise, 10 apart, in a column
// counted as (84 + 10) * 3 rows high: with alpha highlighted, beta spans y = 193 to 236.
class SdlMenuTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        menu_.reset(new SdlMenu(screen(), QUIT_ID));
        for (const auto& entry : {std::make_pair("alpha", 10), std::make_pair("beta", 20), std::make_pair("gamma", 30)})
            menu_->addEntry(entry.first, entry.second);
    }
    int run(const std::vector<SDL_Event>& events)
    {
        script_.then(events);
        return menu_->execute();
    }

    InputScript script_;
    std::unique_ptr<SdlMenu> menu_;
};

TEST_F(SdlMenuTest, KeysActOnReleaseWrapAroundAndEveryRunStartsOnTheFirstEntryWithTheQueueEmptied)
{
    SDL_Event stale = keyUp(SDLK_RETURN);
    ASSERT_EQ(SDL_PushEvent(&stale), 0);
    EXPECT_EQ(run({keyUp(SDLK_UP), keyUp(SDLK_RETURN)}), 30);
    EXPECT_EQ(run({keyDown(SDLK_DOWN), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)}), 10);
    EXPECT_EQ(run({keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}), 20);
    EXPECT_EQ(run({keyUp(SDLK_ESCAPE)}), QUIT_ID);
    EXPECT_EQ(run({quitRequest()}), QUIT_ID);
    EXPECT_EQ(pendingEvents(SDL_QUITMASK), 1) << "the window's close must reach the rest of the program";
}

TEST_F(SdlMenuTest, ThePointerHighlightsTheEntryItIsStrictlyInsideAndOnlyALeftReleaseChooses)
{
    const int betaWidth = textImage("beta", 36, GREY)->w, betaLeft = 320 - betaWidth / 2;
    // On beta's left, right, top and bottom border.
    EXPECT_EQ(run({motion(Uint16(betaLeft), 214), motion(Uint16(betaLeft + betaWidth), 214), motion(320, 193),
                   motion(320, 236), keyUp(SDLK_RETURN)}),
              10);
    EXPECT_EQ(run({motion(Uint16(betaLeft + 1), 194), motion(5, 5), keyUp(SDLK_RETURN)}), 20);
    EXPECT_EQ(run({buttonUp(SDL_BUTTON_LEFT, 5, 5), buttonUp(SDL_BUTTON_RIGHT, 320, 260), keyUp(SDLK_RETURN)}), 10);
    EXPECT_EQ(run({buttonUp(SDL_BUTTON_LEFT, 320, 260)}), 30);
}

}  // namespace
