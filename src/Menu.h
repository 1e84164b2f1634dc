#ifndef QUORLITZ_MENU_H
#define QUORLITZ_MENU_H

#include <string>

// A menu as its owner fills and runs it. Destroyed through its concrete type, so the destructor
// is protected and not virtual.
class Menu {
public:
    // Appends an entry at the bottom; execute() returns id when it is chosen.
    virtual void addEntry(const std::string& text, int id) = 0;

    // Shows the menu until the user decides; returns the chosen entry's id or the quit id.
    virtual int execute() = 0;

protected:
    Menu() = default;
    ~Menu() = default;
    Menu(const Menu&) = default;
    Menu& operator=(const Menu&) = default;
};

#endif
