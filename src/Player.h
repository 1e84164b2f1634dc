#ifndef QUORLITZ_PLAYER_H
#define QUORLITZ_PLAYER_H

#include <cstdint>
#include <string>

// A player as the front end shows it. The id is also the value the player's tokens leave in the
// grid and the key of the record in the players table; id -1 stands for "nobody won".
// The keys of the players table. 1 and 5 are also the values the two players' tokens leave in the
// grid: the outcome check tells their lines apart by the sums 4 and 20.
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
