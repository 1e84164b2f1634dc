#include <gtest/gtest.h>

#include <string>

#include "GameManager.h"
#include "ScriptedUserInterface.h"

namespace {

// The trace of one move per digit, each token accepted, the players taking turns from first.
std::string drops(const std::string& slots, std::int32_t first = PLAYER_1_ID)
{
    std::string trace;
    for (const char slot : slots) {
        trace += ", move, " + std::string(1, slot) + "<-" + std::to_string(first);
        first = PLAYER_1_ID + PLAYER_2_ID - first;
    }
    return trace;
}

}  // namespace

TEST(GameManagerTest, GamesStartEmptyWithPlayer1AndEndAtALineOfFourOrAFullBoard)
{
    UiScript script;
    GameManager manager(script.factory());
    script.menu = {&GameManager::playGame, &GameManager::playGame, &GameManager::playGame, &GameManager::quit};
    // Player 1 stacks four in slot 0; then slot 2 fills up and Player 2 stacks four in slot 6. A
    // refused drop (no slot 7, slot 2 full) keeps the board and the turn. The third game fills the
    // board, and its last token, a 1 rising from (0, 1) to (3, 4), makes no loser.
    const std::string full = "31161456510502614066500543232324423";
    script.dropAll("07101010" "222222" "6064606" + full);

    manager.run();

    EXPECT_EQ(script.trace, "menu" + drops("0") + ", move, 7 refused" + drops("101010", PLAYER_2_ID) +
                                ", winner Player 2, menu" + drops("22222") + ", move, 2 refused" +
                                drops("6064606", PLAYER_2_ID) + ", winner Player 1, menu" + drops(full) +
                                ", winner NO_WINNER, menu");
}
