#ifndef QUORLITZ_PLAYER_H
#define QUORLITZ_PLAYER_H

#include <cstdint>
#include <string>

// A player as the front end shows it. The id is also the value the player's tokens leave in the
// grid and the key of the record in the players table; id -1 stands for "nobody won".
struct Player {
    std::string name;
    std::int32_t id = 0;
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    char symbol = ' ';
};

#endif
