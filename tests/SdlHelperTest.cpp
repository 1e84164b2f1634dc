#include "SdlHelper.h"

#include <vector>

#include <gtest/gtest.h>

#include "sdl/VideoTest.h"

namespace {

SurfacePtr solid(int width, int height, Rgb colour)
{
    return SurfacePtr(createSurface(width, height, colour.r, colour.g, colour.b, false));
}

void blitAt(SDL_Surface* source, SDL_Surface* target, int x, int y)
{
    SDL_Rect where = {Sint16(x), Sint16(y), 0, 0};
    SDL_BlitSurface(source, nullptr, target, &where);
}

using CreateSurfaceTest = VideoTest;

TEST_F(CreateSurfaceTest, MakesAnOpaqueSurfaceInTheScreenFormat)
{
    const SurfacePtr surface(createSurface(10, 5, 255, 255, 255, false));

    ASSERT_EQ(surface->w, 10);
    ASSERT_EQ(surface->h, 5);
    const SDL_PixelFormat* format = surface->format;
    EXPECT_EQ(format->BitsPerPixel, screen()->format->BitsPerPixel);
    EXPECT_EQ(format->Rmask, screen()->format->Rmask);
    EXPECT_EQ(format->Gmask, screen()->format->Gmask);
    EXPECT_EQ(format->Bmask, screen()->format->Bmask);
    EXPECT_EQ(format->Amask, screen()->format->Amask);
    EXPECT_EQ(countOf(surface.get(), WHITE), 50);

    fillWith(screen(), RED);
    blitAt(surface.get(), screen(), 3, 2);
    EXPECT_EQ(boundsOf(screen(), WHITE), (SDL_Rect{3, 2, 10, 5}));
    EXPECT_EQ(countOf(screen(), WHITE), 50);
}

TEST_F(CreateSurfaceTest, KeyedFillLeavesTheTargetUnchanged)
{
    const SurfacePtr surface(createSurface(10, 5, 255, 255, 255, true));
    EXPECT_EQ(countOf(surface.get(), WHITE), 50);

    fillWith(screen(), RED);
    blitAt(surface.get(), screen(), 3, 2);
    EXPECT_EQ(countOf(screen(), RED), 640 * 480);
}

TEST(CreateSurfaceWithoutVideo, StopsTheProgram)
{
    EXPECT_EXIT(createSurface(10, 5, 0, 0, 0, false), ::testing::ExitedWithCode(2),
                "check failed: display && retval");
}

// A narrow red block over a wide green one, gap 4, on blue: always 100 x 58.
class StackTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        narrow_ = solid(40, 20, RED);
        wide_ = solid(100, 30, GREEN);
    }
    void TearDown() override
    {
        narrow_.reset();
        wide_.reset();
        VideoTest::TearDown();
    }

    SurfacePtr stack(int alignment, bool colorKey = false) const
    {
        return SurfacePtr(stackSurfaces({narrow_.get(), wide_.get()}, alignment, 0, 0, 255, colorKey, 4));
    }

    SurfacePtr narrow_;
    SurfacePtr wide_;
};

struct Placement {
    const char* name;
    int alignment;
    int narrowX;
};

void PrintTo(const Placement& placement, std::ostream* out)
{
    *out << placement.name;
}

class StackAlignmentTest : public StackTest, public ::testing::WithParamInterface<Placement> {
};

TEST_P(StackAlignmentTest, PlacesEachInputByTheAlignmentWithAGapAfterEach)
{
    const SurfacePtr result = stack(GetParam().alignment);

    ASSERT_EQ(result->w, 100);
    ASSERT_EQ(result->h, 58);
    EXPECT_EQ(boundsOf(result.get(), RED), (SDL_Rect{Sint16(GetParam().narrowX), 0, 40, 20}));
    EXPECT_EQ(countOf(result.get(), RED), 40 * 20);
    EXPECT_EQ(boundsOf(result.get(), GREEN), (SDL_Rect{0, 24, 100, 30}));
    EXPECT_EQ(countOf(result.get(), GREEN), 100 * 30);
    // Everything else is background, the four rows after the last input included.
    EXPECT_EQ(countOf(result.get(), BLUE), 100 * 58 - 40 * 20 - 100 * 30);
    EXPECT_EQ(pixelAt(result.get(), 0, 57), BLUE);
}

// Values other than the three named ones act as left alignment.
INSTANTIATE_TEST_SUITE_P(EveryAlignment, StackAlignmentTest,
                         ::testing::Values(Placement{"Left", ALIGN_LEFT, 0}, Placement{"Right", ALIGN_RIGHT, 60},
                                           Placement{"Centre", ALIGN_CENTER, 30}, Placement{"Three", 3, 0},
                                           Placement{"MinusOne", -1, 0}),
                         [](const ::testing::TestParamInfo<Placement>& info) { return info.param.name; });

TEST_F(StackTest, CentringRoundsDown)
{
    const SurfacePtr base = solid(101, 1, BLACK);
    const SurfacePtr line = solid(50, 1, RED);
    const SurfacePtr result(stackSurfaces({base.get(), line.get()}, ALIGN_CENTER, 0, 0, 255, false, 0));

    EXPECT_EQ(boundsOf(result.get(), RED), (SDL_Rect{25, 1, 50, 1}));
}

TEST_F(StackTest, OneInputWithoutGapGivesItsOwnPicture)
{
    const SurfacePtr result(stackSurfaces({narrow_.get()}, ALIGN_CENTER, 0, 0, 255, false, 0));

    ASSERT_EQ(result->w, 40);
    ASSERT_EQ(result->h, 20);
    EXPECT_EQ(countOf(result.get(), RED), 40 * 20);
}

TEST_F(StackTest, KeyedBackgroundIsTransparentAndInputsOpaque)
{
    const SurfacePtr result = stack(ALIGN_RIGHT, true);

    fillWith(screen(), WHITE);
    blitAt(result.get(), screen(), 10, 10);
    EXPECT_EQ(boundsOf(screen(), RED), (SDL_Rect{70, 10, 40, 20}));
    EXPECT_EQ(boundsOf(screen(), GREEN), (SDL_Rect{10, 34, 100, 30}));
    EXPECT_EQ(countOf(screen(), BLUE), 0);
}

TEST_F(StackTest, KeepsTheInputsAndHonoursTheirOwnKeys)
{
    const SurfacePtr hole(createSurface(30, 10, 255, 255, 255, true));
    const std::vector<SDL_Surface*> inputs = {hole.get(), narrow_.get()};
    const SurfacePtr result(stackSurfaces(inputs, ALIGN_LEFT, 0, 0, 255, false, 0));

    // The keyed input lets the background through; the result's size still counts it.
    ASSERT_EQ(result->h, 30);
    EXPECT_EQ(countOf(result.get(), WHITE), 0);
    EXPECT_EQ(boundsOf(result.get(), RED), (SDL_Rect{0, 10, 40, 20}));

    EXPECT_EQ(inputs[0], hole.get());
    EXPECT_EQ(hole->w, 30);
    EXPECT_EQ(countOf(hole.get(), WHITE), 30 * 10);
    EXPECT_NE(hole->flags & SDL_SRCCOLORKEY, 0u);
    EXPECT_EQ(narrow_->w, 40);
    EXPECT_EQ(countOf(narrow_.get(), RED), 40 * 20);
    EXPECT_EQ(narrow_->flags & SDL_SRCCOLORKEY, 0u);
}

TEST_F(StackTest, EmptyListGivesAnEmptySurface)
{
    const SurfacePtr result(stackSurfaces({}, ALIGN_LEFT, 0, 0, 255, true, 4));

    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->w, 0);
    EXPECT_EQ(result->h, 0);
}

// A 4 x 2 picture in data/: key, red, green, blue / white, key, black, key.
class LoadBitmapTest : public VideoTest {
protected:
    void SetUp() override
    {
        VideoTest::SetUp();
        const SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 2, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0));
        const Rgb pixels[2][4] = {{KEY, RED, GREEN, BLUE}, {WHITE, KEY, BLACK, KEY}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) {
                SDL_Rect at = {Sint16(x), Sint16(y), 1, 1};
                const Rgb& colour = pixels[y][x];
                SDL_FillRect(picture.get(), &at, SDL_MapRGB(picture->format, colour.r, colour.g, colour.b));
            }
        ASSERT_EQ(SDL_SaveBMP(picture.get(), file_.path().c_str()), 0) << SDL_GetError();
        fillWith(screen(), CYAN);
    }

    // What the loaded picture leaves on a cyan screen.
    std::vector<Rgb> shown(SDL_Surface* loaded) const
    {
        blitAt(loaded, screen(), 0, 0);
        std::vector<Rgb> colours;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                colours.push_back(pixelAt(screen(), x, y));
        return colours;
    }

    ScratchDataFile file_{"picture.bmp"};
};

TEST_F(LoadBitmapTest, KeyColourPixelsAreTransparent)
{
    const SurfacePtr loaded(loadBitmap(file_.name(), true, 255, 0, 255));

    ASSERT_EQ(loaded->w, 4);
    ASSERT_EQ(loaded->h, 2);
    EXPECT_EQ(loaded->format->BitsPerPixel, screen()->format->BitsPerPixel);
    EXPECT_EQ(shown(loaded.get()), (std::vector<Rgb>{CYAN, RED, GREEN, BLUE, WHITE, CYAN, BLACK, CYAN}));
}

TEST_F(LoadBitmapTest, WithoutKeyThePictureIsOpaque)
{
    const SurfacePtr loaded(loadBitmap(file_.name(), false, 255, 0, 255));

    EXPECT_EQ(shown(loaded.get()), (std::vector<Rgb>{KEY, RED, GREEN, BLUE, WHITE, KEY, BLACK, KEY}));
}

TEST_F(LoadBitmapTest, AnyColourCanBeTheKey)
{
    const SurfacePtr loaded(loadBitmap(file_.name(), true, 0, 255, 0));

    EXPECT_EQ(shown(loaded.get()), (std::vector<Rgb>{KEY, RED, CYAN, BLUE, WHITE, KEY, BLACK, KEY}));
}

TEST_F(LoadBitmapTest, MissingFileStopsTheProgramNamingIt)
{
    const ScratchDataFile missing("missing.bmp");

    EXPECT_EXIT(loadBitmap(missing.name(), true, 255, 0, 255), ::testing::ExitedWithCode(2),
                literally("check failed: tmp: cannot load " + missing.path() + ": "));
}

TEST_F(LoadBitmapTest, FileThatIsNoBitmapStopsTheProgramNamingIt)
{
    const ScratchDataFile text("notes.bmp");
    text.write("these are notes, not a picture\n");

    EXPECT_EXIT(loadBitmap(text.name(), true, 255, 0, 255), ::testing::ExitedWithCode(2),
                literally("check failed: tmp: cannot load " + text.path() + ": "));
}

}  // namespace
