#include "SdlGridDrawer.h"

#include "Check.h"
#include "GameGrid.h"
#include "Player.h"
#include "SdlHelper.h"

namespace {

// Cell values as the game manager stores them: the ids of the two players.
constexpr std::int32_t EMPTY_CELL = 0;
constexpr std::int32_t PLAYER1_CELL = 1;
constexpr std::int32_t PLAYER2_CELL = 5;

SDL_Rect rectAt(int x, int y, int w, int h)
{
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    return rect;
}

}  // namespace

SdlGridDrawer::SdlGridDrawer(const GameGrid& grid, const Player& player1, const Player& player2,
                             SDL_Surface* display)
    : grid_(grid),
      display_(display),
      overlay_(loadBitmap("overlay.bmp", true, 255, 0, 255)),
      cursorImage_(loadBitmap("cursor.bmp", true, 255, 0, 255)),
      player1Colour_(0),
      player2Colour_(0),
      emptyColour_(0),
      cursorSlot_(0),
      marginX_((display->w - overlay_->w * grid.getSlots()) / 2),
      marginY_((display->h - overlay_->h * grid.getRows() - CURSOR_SPACE) / 2)
{
    QZ_CHECK(display->h >= CURSOR_SPACE + overlay_->h * grid_.getRows());
    QZ_CHECK(display->w >= overlay_->w * grid_.getSlots());

    player1Colour_ = SDL_MapRGB(display_->format, player1.r, player1.g, player1.b);
    player2Colour_ = SDL_MapRGB(display_->format, player2.r, player2.g, player2.b);
    emptyColour_ = SDL_MapRGB(display_->format, 255, 255, 255);
}

SdlGridDrawer::~SdlGridDrawer()
{
    SDL_FreeSurface(cursorImage_);
    SDL_FreeSurface(overlay_);
}

void SdlGridDrawer::setCursor(std::uint16_t slot)
{
    QZ_CHECK(slot < grid_.getSlots());
    cursorSlot_ = static_cast<std::int16_t>(slot);
}

void SdlGridDrawer::drawCursor()
{
    // The strip is white like an empty cell, so the one pre-mapped white serves both.
    SDL_Rect strip = rectAt(0, 0, display_->w, CURSOR_SPACE);
    SDL_FillRect(display_, &strip, emptyColour_);

    SDL_Rect at = rectAt(cursorSlot_ * overlay_->w + marginX_, (CURSOR_SPACE - cursorImage_->h) / 2, 0, 0);
    SDL_BlitSurface(cursorImage_, nullptr, display_, &at);
}

void SdlGridDrawer::draw()
{
    SDL_FillRect(display_, nullptr, SDL_MapRGB(display_->format, 0, 0, 255));
    drawCursor();

    const int cellWidth = overlay_->w;
    const int cellHeight = overlay_->h;
    for (int slot = 0; slot < grid_.getSlots(); ++slot) {
        for (int row = 0; row < grid_.getRows(); ++row) {
            const int x = slot * cellWidth + marginX_;
            const int y = display_->h - marginY_ - (row + 1) * cellHeight;

            // SDL clips the rectangles it is given in place, so each call gets its own copy.
            SDL_Rect fill = rectAt(x, y, cellWidth, cellHeight);
            switch (grid_.getCell(slot, row)) {
            case EMPTY_CELL:
                SDL_FillRect(display_, &fill, emptyColour_);
                break;
            case PLAYER1_CELL:
                SDL_FillRect(display_, &fill, player1Colour_);
                break;
            case PLAYER2_CELL:
                SDL_FillRect(display_, &fill, player2Colour_);
                break;
            default:
                // Not a token of this game: the background shows through the frame.
                break;
            }
            SDL_Rect frame = rectAt(x, y, cellWidth, cellHeight);
            SDL_BlitSurface(overlay_, nullptr, display_, &frame);
        }
    }
    SDL_Flip(display_);
}
