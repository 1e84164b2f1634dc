#include "SdlMenu.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

using namespace scripted_input;
constexpr int QUIT_ID = -1;

class SdlMenuTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        menu_.reset(new SdlMenu(screen(), QUIT_ID));
        for (const auto& entry :
             {std::make_pair("alpha", 10), std::make_pair("beta", 20), std::make_pair("gamma", 30)})
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

TEST_F(SdlMenuTest, KeysActOnReleaseAndWrapAndEachRunStartsAfresh)
{
    SDL_Event stale = keyUp(SDLK_RETURN);
    ASSERT_EQ(SDL_PushEvent(&stale), 0);
    EXPECT_EQ(run({keyUp(SDLK_UP), keyUp(SDLK_RETURN)}), 30);
    EXPECT_EQ(run({keyDown(SDLK_DOWN), keyDown(SDLK_RETURN), keyUp(SDLK_RETURN)}), 10);
    EXPECT_EQ(
        run({keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}),
        20);
    EXPECT_EQ(run({keyUp(SDLK_ESCAPE)}), QUIT_ID);
    EXPECT_EQ(run({quitRequest()}), QUIT_ID);
    SDL_Event quit;
    EXPECT_EQ(SDL_PeepEvents(&quit, 1, SDL_PEEKEVENT, SDL_QUITMASK), 1) << "the close must reach the program";
}

// The column is centred as three rows as high as the first entry highlighted, plus 10; each row
// then advances by the height of the image drawn.
TEST_F(SdlMenuTest, DrawsTheEntriesCentredAndTheCreditsInTheCorner)
{
    EXPECT_EQ(run({keyUp(SDLK_DOWN), keyUp(SDLK_RETURN)}), 20);
    const SurfacePtr alpha = textImage("alpha", 36, GREY), beta = textImage("beta", 72, GREEN);
    const SurfacePtr gamma = textImage("gamma", 36, GREY);
    int top = 240 - (textImage("alpha", 72, GREEN)->h + 10) * 3 / 2;
    for (SDL_Surface* const image : {alpha.get(), beta.get(), gamma.get()}) {
        expectDrawnAt(screen(), image, 320 - image->w / 2, top, WHITE);
        top += image->h + 10;
    }
    const SurfacePtr credits = textImage("-- Quorlitz --\n2025 - 2026\nby the Quorlitz team", 14, BLUE);
    expectDrawnAt(screen(), credits.get(), 640 - credits->w, 480 - credits->h, WHITE);
}

// Beta's borders are outside it.
TEST_F(SdlMenuTest, ThePointerHighlightsTheEntryItIsInsideAndTheLeftButtonChooses)
{
    const SurfacePtr beta = textImage("beta", 36, GREY);
    const int rowPitch = textImage("alpha", 72, GREEN)->h + 10;
    const int left = 320 - beta->w / 2, top = 240 - rowPitch * 3 / 2 + rowPitch, bottom = top + beta->h;
    const Uint16 overGamma = Uint16(bottom + 10 + beta->h / 2);
    EXPECT_EQ(run({motion(Uint16(left), Uint16(top + 5)), motion(Uint16(left + beta->w), Uint16(top + 5)),
                   motion(320, Uint16(top)), motion(320, Uint16(bottom)), keyUp(SDLK_RETURN)}),
              10);
    EXPECT_EQ(run({motion(Uint16(left + 1), Uint16(top + 1)), motion(5, 5), keyUp(SDLK_RETURN)}), 20);
    std::vector<SDL_Event> others = {buttonUp(SDL_BUTTON_LEFT, 5, 5)};
    for (const Uint8 button : {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN})
        others.push_back(buttonUp(button, 320, overGamma));
    others.push_back(keyUp(SDLK_RETURN));
    EXPECT_EQ(run(others), 10);
    EXPECT_EQ(run({buttonUp(SDL_BUTTON_LEFT, 320, overGamma)}), 30);
}

}  // namespace
