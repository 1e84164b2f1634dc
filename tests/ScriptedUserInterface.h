#ifndef QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H
#define QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "GameManager.h"
#include "GridCells.h"
#include "Player.h"
#include "UserInterface.h"

// A stand-in for the front end: each makeMove() and showMenu() runs the next action of its script
// against the manager, as the real front end calls back into it. What happened goes to a Script the
// test owns, so it can still be read after the manager (and with it this interface) is gone.
struct Script {
    using Action = std::function<void(GameManager&)>;

    std::deque<Action> menu;   // one action per showMenu()
    std::deque<Action> moves;  // one action per makeMove()
    // In order: "move", "menu", "3<-1" (id 1 came to rest on top of slot 3), "7 refused",
    // "winner Player 2", "destroyed".
    std::vector<std::string> events;
    std::vector<const Player*> winners;
    std::vector<bool> runningAtShowWinner;
    std::function<void()> onDestroy;  // runs while the manager is being torn down

    void log(const std::string& event) { events.push_back(event); }
    std::string trace() const
    {
        std::string all;
        for (const std::string& event : events)
            all += (all.empty() ? "" : ", ") + event;
        return all;
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
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;

    void makeMove() override { runNext("move", script_.moves); }
    void showMenu() override { runNext("menu", script_.menu); }
    void showWinner(const Player& winner) override
    {
        script_.log("winner " + winner.name);
        script_.winners.push_back(&winner);
        script_.runningAtShowWinner.push_back(manager_.isRunning());
    }

private:
    void runNext(const std::string& event, std::deque<Script::Action>& actions)
    {
        script_.log(event);
        if (actions.empty()) {  // must not hang the test in the manager's loops
            ADD_FAILURE() << event << " called more often than scripted";
            manager_.quit();
            return;
        }
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

// A drop request as the front end makes it: a refused one is caught and logged.
inline Script::Action drop(Script& script, std::uint16_t slot)
{
    return [&script, slot](GameManager& manager) {
        try {
            manager.dropInSlot(slot);
        } catch (const GameManager::IllegalSlotError&) {
            script.log(std::to_string(slot) + " refused");
            return;
        }
        const int height = tokensIn(manager.getGrid(), slot);
        script.log(std::to_string(slot) + "<-" +
                   std::to_string(height > 0 ? manager.getGrid().getCell(slot, height - 1) : 0));
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

inline Script::Action both(Script::Action first, Script::Action second)
{
    return [first, second](GameManager& manager) {
        first(manager);
        second(manager);
    };
}

}  // namespace act

#endif
