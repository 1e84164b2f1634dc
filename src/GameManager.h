#ifndef QUORLITZ_GAMEMANAGER_H
#define QUORLITZ_GAMEMANAGER_H

#include <cstdint>
#include <functional>
#include <map>

#include "Player.h"

class GameGrid;
class OutcomeChecker;
class UserInterface;

// Runs the program: owns the board, the rule, the players table and the user interface, keeps
// whose turn it is and plays games turn by turn. While a game is played the call stack is
// run() -> showMenu() -> playGame() -> makeMove() -> dropInSlot().
class GameManager {
public:
    // A refused move: the slot is out of range or full. Nothing changed; the same player moves.
    class IllegalSlotError {};

    // Makes the user interface; called last in the constructor, once the grid and the players
    // table exist. The manager owns what it returns and deletes it through UserInterface.
    using UserInterfaceFactory = std::function<UserInterface*(GameManager&)>;

    explicit GameManager(const UserInterfaceFactory& makeUserInterface);
    ~GameManager();

    // Shows the menu again and again until quit() has been called.
    void run();

    // Plays one game from an empty board, Player 1 first, until a decision, abandonGame() or quit().
    void playGame();
    void abandonGame();
    void quit();

    // Puts the current player's token into slot and passes the turn, or throws IllegalSlotError.
    void dropInSlot(std::uint16_t slot);

    bool isRunning() const { return running_; }
    bool hasQuit() const { return quit_; }
    const GameGrid& getGrid() const { return *grid_; }
    const std::map<std::int32_t, Player>& getPlayers() const { return players_; }

    GameManager(const GameManager&) = delete;
    GameManager& operator=(const GameManager&) = delete;

private:
    void nextPlayer();

    bool running_;
    bool quit_;
    std::int32_t winner_;
    const Player* currentPlayer_;
    std::map<std::int32_t, Player> players_;
    GameGrid* grid_;
    OutcomeChecker* checker_;
    UserInterface* ui_;
};

#endif
