#ifndef QUORLITZ_PLAYER_H
#define QUORLITZ_PLAYER_H

#include <cstdint>
#include <string>

// A player as the front end shows it. The id is the key of the record in the players table and the
// value the player's tokens leave in the grid, where the outcome check tells a line of 1s from one
// of 5s by its sum (4 or 20); id -1 is the record shown when nobody won.
constexpr std::int32_t PLAYER_1_ID = 1;
constexpr std::int32_t PLAYER_2_ID = 5;
constexpr std::int32_t NO_WINNER_ID = -1;

struct Player {
    std::string name;
    std::int32_t id = 0;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    char symbol = ' ';
};

#endif
