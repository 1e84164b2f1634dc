#include "SdlOutcomeBlock.h"

#include <vector>

#include "Player.h"
#include "SdlFont.h"
#include "SdlHelper.h"

namespace {

const char* const NO_WINNER_TEXT = "BUNCH\nOF\nLOOSERS!\nnoone's won";
constexpr float DRIFT_PER_FRAME = 0.5f;

SDL_Surface* renderOutcome(const Player& winner)
{
    const SdlFont* font = SdlFontManager::instance().getFont(GAME_FONT, LARGE_POINTS);
    if (winner.id == NO_WINNER_ID)
        return font->renderMultiline(NO_WINNER_TEXT, 128, 128, 128, ALIGN_CENTER);

    const std::vector<SDL_Surface*> lines{font->render("Congratulations!", 0, 0, 0),
                                          font->render(winner.name, winner.r, winner.g, winner.b),
                                          font->render("you have won!", 0, 0, 0)};
    SDL_Surface* block = stackSurfaces(lines, ALIGN_CENTER, 255, 255, 255, true, 0);
    for (SDL_Surface* line : lines)
        SDL_FreeSurface(line);
    return block;
}

}  // namespace

SdlOutcomeBlock::SdlOutcomeBlock(const Player& winner, SDL_Surface* display)
    : display_(display),
      block_(renderOutcome(winner)),
      px_(0.0f),
      py_(0.0f),
      vx_(DRIFT_PER_FRAME),
      vy_(DRIFT_PER_FRAME),
      x_(0),
      y_(0)
{
}

SdlOutcomeBlock::~SdlOutcomeBlock()
{
    SDL_FreeSurface(block_);
}

void SdlOutcomeBlock::drawFrame()
{
    SDL_Rect at = rectAt(x_, y_);
    SDL_BlitSurface(block_, nullptr, display_, &at);
    SDL_Flip(display_);
}

void SdlOutcomeBlock::advance()
{
    if (x_ + block_->w > display_->w)
        vx_ = -vx_;
    if (y_ + block_->h > display_->h)
        vy_ = -vy_;
    px_ += vx_;
    py_ += vy_;
    // Truncated toward zero, as the signed 16-bit drawing position.
    x_ = static_cast<Sint16>(px_);
    y_ = static_cast<Sint16>(py_);
}

bool SdlOutcomeBlock::isOnScreen() const
{
    return x_ + block_->w > 0 && y_ + block_->h > 0;
}
