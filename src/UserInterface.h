#ifndef QUORLITZ_USERINTERFACE_H
#define QUORLITZ_USERINTERFACE_H

struct Player;

// The front end as the game manager sees it. Control runs both ways: the implementation calls
// back the manager that created it (playGame, quit, dropInSlot, abandonGame) from inside these
// operations.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Lets the current player make one move. Returns after that player's token went in through
    // dropInSlot(), or after abandonGame() or quit(). A refused drop must not escape: the same
    // player chooses again.
    virtual void makeMove() = 0;

    // Shows the outcome of a finished game: the winner's record, or the NO_WINNER_ID record when the
    // board filled up. The reference points into the manager's players table.
    virtual void showWinner(const Player& winner) = 0;

    // Shows the main menu and acts on the choice by calling playGame() or quit().
    virtual void showMenu() = 0;

protected:
    UserInterface() = default;
    UserInterface(const UserInterface&) = default;
    UserInterface& operator=(const UserInterface&) = default;
};

#endif
