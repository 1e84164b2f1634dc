#ifndef QUORLITZ_SDLOUTCOMEBLOCK_H
#define QUORLITZ_SDLOUTCOMEBLOCK_H

#include <SDL.h>

struct Player;

// The text block of the outcome screen and its drift across the window: it starts in the top-left
// corner, moves half a pixel per frame on each axis, rebounds only from the right and the bottom
// edge, and so ends up leaving over the left or the top edge. Nothing is erased between frames, so
// it leaves a trail over the final board.
class SdlOutcomeBlock {
public:
    // Congratulates winner in their colour between two black lines, or, for the record with id -1,
    // calls everyone a loser in grey. Throws what the font system throws.
    SdlOutcomeBlock(const Player& winner, SDL_Surface* display);
    ~SdlOutcomeBlock();

    // Blits the block at its position and shows the window.
    void drawFrame();

    // Moves on to the next frame's position.
    void advance();

    // False once the block has passed entirely beyond the left or the top edge.
    bool isOnScreen() const;

    SdlOutcomeBlock(const SdlOutcomeBlock&) = delete;
    SdlOutcomeBlock& operator=(const SdlOutcomeBlock&) = delete;

private:
    SDL_Surface* display_;
    SDL_Surface* block_;
    float px_;
    float py_;
    float vx_;
    float vy_;
    Sint16 x_;
    Sint16 y_;
};

#endif
