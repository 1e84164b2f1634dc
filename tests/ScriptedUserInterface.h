#ifndef QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H
#define QUORLITZ_TESTS_SCRIPTEDUSERINTERFACE_H

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>

#include "GameManager.h"
#include "GridCells.h"
#include "UserInterface.h"

// The part of a stand-in front end a test writes and reads: the actions to run at each showMenu()
// and makeMove(), calling back into the manager as the real front end does, and the trace of what
// happened. The test owns it, so the trace outlives the manager.
struct UiScript {
    using Action = std::function<void(GameManager&)>;

    std::deque<Action> menu;
    std::deque<Action> moves;
    // "menu", "move", "3<-1" (id 1 now on top of slot 3), "7 refused", "winner Player 2"
    std::string trace;

    void log(const std::string& event) { trace += (trace.empty() ? "" : ", ") + event; }

    // A drop as the front end makes it: a refused one is caught, and the same player chooses again.
    void drop(GameManager& manager, std::uint16_t slot)
    {
        try {
            manager.dropInSlot(slot);
        } catch (const GameManager::IllegalSlotError&) {
            log(std::to_string(slot) + " refused");
            return;
        }
        log(std::to_string(slot) + "<-" +
            std::to_string(manager.getGrid().getCell(slot, tokensIn(manager.getGrid(), slot) - 1)));
    }

    // One move per digit, each dropping into that slot, e.g. "0101010".
    void dropAll(const std::string& slots)
    {
        for (const char slot : slots)
            moves.push_back([this, slot](GameManager& manager) { drop(manager, std::uint16_t(slot - '0')); });
    }

    GameManager::UserInterfaceFactory factory();
};

class ScriptedUserInterface final : public UserInterface {
public:
    ScriptedUserInterface(GameManager& manager, UiScript& script) : manager_(manager), script_(script) {}

    void makeMove() override { runNext("move", script_.moves); }
    void showMenu() override { runNext("menu", script_.menu); }
    void showWinner(const Player& winner) override { script_.log("winner " + winner.name); }

private:
    void runNext(const std::string& event, std::deque<UiScript::Action>& actions)
    {
        script_.log(event);
        if (actions.empty()) {  // must not hang the test in the manager's loops
            ADD_FAILURE() << event << " called more often than scripted";
            manager_.abandonGame();
            manager_.quit();
            return;
        }
        const UiScript::Action action = std::move(actions.front());
        actions.pop_front();
        action(manager_);
    }

    GameManager& manager_;
    UiScript& script_;
};

inline GameManager::UserInterfaceFactory UiScript::factory()
{
    return [this](GameManager& manager) -> UserInterface* {
        return new ScriptedUserInterface(manager, *this);
    };
}

#endif
