#include "SdlHelper.h"

#include <vector>

#include <gtest/gtest.h>

#include "support/VideoTest.h"

namespace {

SurfacePtr solid(int width, int height, Rgb colour, bool colorKey = false)
{
    return SurfacePtr(createSurface(width, height, colour.r, colour.g, colour.b, colorKey));
}

void blitAt(SDL_Surface* source, SDL_Surface* target, int x, int y)
{
    SDL_Rect where = {Sint16(x), Sint16(y), 0, 0};
    SDL_BlitSurface(source, nullptr, target, &where);
}

using CreateSurfaceTest = VideoTest;

TEST_F(CreateSurfaceTest, MakesASurfaceInTheScreenFormatOpaqueOrKeyed)
{
    const SurfacePtr opaque = solid(10, 5, WHITE);
    const SurfacePtr keyed = solid(10, 5, WHITE, true);
    for (SDL_Surface* surface : {opaque.get(), keyed.get()}) {
        ASSERT_EQ(surface->w, 10);
        ASSERT_EQ(surface->h, 5);
        const SDL_PixelFormat* format = surface->format;
        EXPECT_EQ(format->BitsPerPixel, screen()->format->BitsPerPixel);
        EXPECT_EQ(format->Rmask, screen()->format->Rmask);
        EXPECT_EQ(format->Amask, screen()->format->Amask);
        EXPECT_EQ(countOf(surface, WHITE), 50);
    }
    fillWith(screen(), RED);
    blitAt(keyed.get(), screen(), 3, 2);
    EXPECT_EQ(countOf(screen(), RED), 640 * 480) << "a keyed fill leaves the target unchanged";
    blitAt(opaque.get(), screen(), 3, 2);
    EXPECT_EQ(boundsOf(screen(), WHITE), (SDL_Rect{3, 2, 10, 5}));
    EXPECT_EQ(countOf(screen(), WHITE), 50);
}

TEST(CreateSurfaceWithoutVideo, StopsTheProgram)
{
    EXPECT_EXIT(createSurface(10, 5, 0, 0, 0, false), ::testing::ExitedWithCode(2), "check failed: display && retval");
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

    SurfacePtr narrow_, wide_;
};

TEST_F(StackTest, PlacesEachInputByTheAlignmentWithAGapAfterEach)
{
    // Values other than the three named ones act as left alignment.
    const int alignments[][2] = {{ALIGN_LEFT, 0}, {ALIGN_RIGHT, 60}, {ALIGN_CENTER, 30}, {3, 0}, {-1, 0}};
    for (const auto& alignment : alignments) {
        SCOPED_TRACE(alignment[0]);
        const SurfacePtr result = stack(alignment[0]);
        ASSERT_EQ(result->w, 100);
        ASSERT_EQ(result->h, 58);
        EXPECT_EQ(boundsOf(result.get(), RED), (SDL_Rect{Sint16(alignment[1]), 0, 40, 20}));
        EXPECT_EQ(countOf(result.get(), RED), 40 * 20);
        EXPECT_EQ(boundsOf(result.get(), GREEN), (SDL_Rect{0, 24, 100, 30}));
        EXPECT_EQ(countOf(result.get(), GREEN), 100 * 30);
        // Everything else is background, the four rows after the last input included.
        EXPECT_EQ(countOf(result.get(), BLUE), 100 * 58 - 40 * 20 - 100 * 30);
    }
}

TEST_F(StackTest, CentringRoundsDownAndOneOrNoInputNeedsNoGap)
{
    const SurfacePtr base = solid(101, 1, BLACK);
    const SurfacePtr line = solid(50, 1, RED);
    const SurfacePtr centred(stackSurfaces({base.get(), line.get()}, ALIGN_CENTER, 0, 0, 255, false, 0));
    EXPECT_EQ(boundsOf(centred.get(), RED), (SDL_Rect{25, 1, 50, 1}));

    const SurfacePtr alone(stackSurfaces({narrow_.get()}, ALIGN_CENTER, 0, 0, 255, false, 0));
    EXPECT_EQ(boundsOf(alone.get(), RED), (SDL_Rect{0, 0, 40, 20}));
    EXPECT_EQ(alone->w * alone->h, 40 * 20);
    const SurfacePtr none(stackSurfaces({}, ALIGN_LEFT, 0, 0, 255, true, 4));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->w + none->h, 0);
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
    const SurfacePtr hole = solid(30, 10, WHITE, true);
    const SurfacePtr result(stackSurfaces({hole.get(), narrow_.get()}, ALIGN_LEFT, 0, 0, 255, false, 0));
    // The keyed input lets the background through; the result's size still counts it.
    ASSERT_EQ(result->h, 30);
    EXPECT_EQ(countOf(result.get(), WHITE), 0);
    EXPECT_EQ(boundsOf(result.get(), RED), (SDL_Rect{0, 10, 40, 20}));

    EXPECT_EQ(countOf(hole.get(), WHITE), 30 * 10);
    EXPECT_NE(hole->flags & SDL_SRCCOLORKEY, 0u);
    EXPECT_EQ(countOf(narrow_.get(), RED), 40 * 20);
    EXPECT_EQ(narrow_->flags & SDL_SRCCOLORKEY, 0u);
}

// A 4 x 2 picture in data/: key, red, green, blue / white, key, black, key; loaded onto cyan.
TEST_F(VideoTest, LoadBitmapMakesTheKeyColourTransparentOnlyWhenAsked)
{
    const ScratchDataFile file("picture.bmp");
    const SurfacePtr picture(SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 2, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0));
    const std::vector<Rgb> pixels = {KEY, RED, GREEN, BLUE, WHITE, KEY, BLACK, KEY};
    for (int i = 0; i < 8; ++i) {
        SDL_Rect at = {Sint16(i % 4), Sint16(i / 4), 1, 1};
        SDL_FillRect(picture.get(), &at, SDL_MapRGB(picture->format, pixels[i].r, pixels[i].g, pixels[i].b));
    }
    ASSERT_EQ(SDL_SaveBMP(picture.get(), file.path().c_str()), 0) << SDL_GetError();

    const struct {
        bool colorKey;
        Rgb key;
        std::vector<Rgb> shown;
    } cases[] = {{true, KEY, {CYAN, RED, GREEN, BLUE, WHITE, CYAN, BLACK, CYAN}},
                 {false, KEY, pixels},
                 {true, GREEN, {KEY, RED, CYAN, BLUE, WHITE, KEY, BLACK, KEY}}};
    for (const auto& load : cases) {
        const SurfacePtr loaded(loadBitmap(file.name(), load.colorKey, load.key.r, load.key.g, load.key.b));
        ASSERT_EQ(loaded->w * 10 + loaded->h, 42);
        EXPECT_EQ(loaded->format->BitsPerPixel, screen()->format->BitsPerPixel);
        fillWith(screen(), CYAN);
        blitAt(loaded.get(), screen(), 0, 0);
        std::vector<Rgb> shown;
        for (int i = 0; i < 8; ++i)
            shown.push_back(pixelAt(screen(), i % 4, i / 4));
        EXPECT_EQ(shown, load.shown) << "key " << load.key << (load.colorKey ? " on" : " off");
    }
}

TEST_F(VideoTest, LoadBitmapStopsTheProgramNamingAMissingOrBrokenFile)
{
    const ScratchDataFile missing("missing.bmp");
    const ScratchDataFile text("notes.bmp");
    text.write("these are notes, not a picture\n");
    for (const ScratchDataFile* file : {&missing, &text})
        EXPECT_EXIT(loadBitmap(file->name(), true, 255, 0, 255), ::testing::ExitedWithCode(2),
                    literally("check failed: tmp: cannot load " + file->path() + ": "));
}

}  // namespace
