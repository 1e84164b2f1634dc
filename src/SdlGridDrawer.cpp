#include "SdlGridDrawer.h"

#include "Check.h"
#include "GameGrid.h"
#include "Player.h"
#include "SdlHelper.h"

namespace {

constexpr std::int32_t EMPTY_CELL = 0;

// A cell-sized surface in the display's format holding nothing but pixel, the display's own
// value of the colour, so that copying it changes no pixel value.
SDL_Surface* makeTile(const SDL_Surface* cell, Uint32 pixel)
{
    SDL_Surface* tile = createSurface(cell->w, cell->h, 0, 0, 0, false);
    SDL_FillRect(tile, nullptr, pixel);
    return tile;
}

void copyTile(SDL_Surface* tile, SDL_Surface* target, int x, int y)
{
    SDL_Rect at = rectAt(x, y);
    SDL_BlitSurface(tile, nullptr, target, &at);
}

}  // namespace

SdlGridDrawer::SdlGridDrawer(const GameGrid& grid, const Player& player1, const Player& player2,
                             SDL_Surface* display)
    : grid_(grid),
      display_(display),
      overlay_(loadBitmap("overlay.bmp", true, BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b)),
      cursorImage_(loadBitmap("cursor.bmp", true, BITMAP_KEY.r, BITMAP_KEY.g, BITMAP_KEY.b)),
      player1Colour_(0),
      player2Colour_(0),
      emptyColour_(0),
      backgroundColour_(0),
      cursorSlot_(0),
      marginX_((display->w - overlay_->w * grid.getSlots()) / 2),
      marginY_((display->h - overlay_->h * grid.getRows() - CURSOR_SPACE) / 2),
      emptyTile_(nullptr),
      player1Tile_(nullptr),
      player2Tile_(nullptr)
{
    QZ_CHECK(display->h >= CURSOR_SPACE + overlay_->h * grid_.getRows());
    QZ_CHECK(display->w >= overlay_->w * grid_.getSlots());

    player1Colour_ = SDL_MapRGB(display_->format, player1.r, player1.g, player1.b);
    player2Colour_ = SDL_MapRGB(display_->format, player2.r, player2.g, player2.b);
    emptyColour_ = SDL_MapRGB(display_->format, 255, 255, 255);
    backgroundColour_ = SDL_MapRGB(display_->format, 0, 0, 255);

    emptyTile_ = makeTile(overlay_, emptyColour_);
    player1Tile_ = makeTile(overlay_, player1Colour_);
    player2Tile_ = makeTile(overlay_, player2Colour_);
}

SdlGridDrawer::~SdlGridDrawer()
{
    SDL_FreeSurface(cursorImage_);
    SDL_FreeSurface(overlay_);
    SDL_FreeSurface(emptyTile_);
    SDL_FreeSurface(player1Tile_);
    SDL_FreeSurface(player2Tile_);
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

    SDL_Rect at = rectAt(cursorSlot_ * overlay_->w + marginX_, (CURSOR_SPACE - cursorImage_->h) / 2);
    SDL_BlitSurface(cursorImage_, nullptr, display_, &at);
}

void SdlGridDrawer::draw()
{
    SDL_FillRect(display_, nullptr, backgroundColour_);
    drawCursor();

    const int cellWidth = overlay_->w;
    const int cellHeight = overlay_->h;
    for (int slot = 0; slot < grid_.getSlots(); ++slot) {
        for (int row = 0; row < grid_.getRows(); ++row) {
            const int x = slot * cellWidth + marginX_;
            const int y = display_->h - marginY_ - (row + 1) * cellHeight;

            switch (grid_.getCell(slot, row)) {
            case EMPTY_CELL:
                copyTile(emptyTile_, display_, x, y);
                break;
            case PLAYER_1_ID:
                copyTile(player1Tile_, display_, x, y);
                break;
            case PLAYER_2_ID:
                copyTile(player2Tile_, display_, x, y);
                break;
            default:
                // Not a token of this game: the background shows through the frame.
                break;
            }
            // SDL clips the rectangles it is given in place, so each call gets its own copy.
            SDL_Rect frame = rectAt(x, y, cellWidth, cellHeight);
            SDL_BlitSurface(overlay_, nullptr, display_, &frame);
        }
    }
    SDL_Flip(display_);
}
