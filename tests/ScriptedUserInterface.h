#ifndef QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H
#define QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GameGrid.h"
#include "GameManager.h"
#include "Player.h"
#include "UserInterface.h"

// A stand-in for the front end. Each makeMove() and showMenu() runs the next action of its script
// against the manager, calling back into it as the real front end does. What happened is written
// to a Script that the test owns, so it can still be read after the manager (and with it this
// interface) is gone.
class Script {
public:
    using Action = std::function<void(GameManager&)>;

    std::deque<Action> menu;   // one action per showMenu()
    std::deque<Action> moves;  // one action per makeMove()

    // "move", "menu", "slot 3 <- 1" (a token of id 1 came to rest in slot 3), "slot 7 refused",
    // "winner Player 2", "destroyed", in the order they happened.
    std::vector<std::string> events;
    // The records given to showWinner(), and whether a game was still running at that moment.
    std::vector<const Player*> winners;
    std::vector<bool> runningAtShowWinner;
    // Called from the interface's destructor, while the manager is being torn down.
    std::function<void()> onDestroy;

    void log(const std::string& event) { events.push_back(event); }

    int count(const std::string& event) const
    {
        int n = 0;
        for (const std::string& e : events)
            n += e == event ? 1 : 0;
        return n;
    }

    GameManager::UserInterfaceFactory factory();
};

class ScriptedUserInterface final : public UserInterface {
public:
    ScriptedUserInterface(GameManager& manager, Script& script) : manager_(manager), script_(script) {}

    ~ScriptedUserInterface() override
    {
        script_.log("destroyed");
        if (script_.onDestroy)
            script_.onDestroy();
    }

    void makeMove() override
    {
        script_.log("move");
        // Running out of script must not hang the test in playGame's loop.
        if (script_.moves.empty()) {
            ADD_FAILURE() << "makeMove() called more often than scripted";
            manager_.quit();
            return;
        }
        runNext(script_.moves);
    }

    void showWinner(const Player& winner) override
    {
        script_.log("winner " + winner.name);
        script_.winners.push_back(&winner);
        script_.runningAtShowWinner.push_back(manager_.isRunning());
    }

    void showMenu() override
    {
        script_.log("menu");
        if (script_.menu.empty()) {
            ADD_FAILURE() << "showMenu() called more often than scripted";
            manager_.quit();
            return;
        }
        runNext(script_.menu);
    }

    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;

private:
    void runNext(std::deque<Script::Action>& actions)
    {
        const Script::Action action = std::move(actions.front());
        actions.pop_front();
        action(manager_);
    }

    GameManager& manager_;
    Script& script_;
};

inline GameManager::UserInterfaceFactory Script::factory()
{
    return [this](GameManager& manager) -> UserInterface* { return new ScriptedUserInterface(manager, *this); };
}

// Actions, named after what the user does.
namespace act {

inline int stackHeight(const GameGrid& grid, std::int32_t slot)
{
    int height = 0;
    while (height < grid.getRows() && grid.getCell(slot, height) != 0)
        ++height;
    return height;
}

// A drop request as the front end makes it: a refused one is caught and logged. For a slot that
// exists, the log names the id of the token that came to rest on top of it.
inline Script::Action drop(Script& script, std::uint16_t slot)
{
    return [&script, slot](GameManager& manager) {
        try {
            manager.dropInSlot(slot);
        } catch (const GameManager::IllegalSlotError&) {
            script.log("slot " + std::to_string(slot) + " refused");
            return;
        }
        const GameGrid& grid = manager.getGrid();
        const int height = stackHeight(grid, slot);
        const std::int32_t top = height > 0 ? grid.getCell(slot, height - 1) : 0;
        script.log("slot " + std::to_string(slot) + " <- " + std::to_string(top));
    };
}

// One drop per move for every digit of slots, e.g. "0101010".
inline void dropAll(Script& script, const std::string& slots)
{
    for (char slot : slots)
        script.moves.push_back(drop(script, static_cast<std::uint16_t>(slot - '0')));
}

inline void playGame(GameManager& manager) { manager.playGame(); }
inline void abandonGame(GameManager& manager) { manager.abandonGame(); }
inline void quit(GameManager& manager) { manager.quit(); }
inline void nothing(GameManager&) {}

inline Script::Action both(Script::Action first, Script::Action second)
{
    return [first, second](GameManager& manager) {
        first(manager);
        second(manager);
    };
}

}  // namespace act

#endif
