#ifndef QUORLITZ_PROGRAMENTRY_H
#define QUORLITZ_PROGRAMENTRY_H

#include <ostream>

#include "GameManager.h"

// The body of main: builds the game manager with the given user interface, runs it and destroys
// it. A std::runtime_error from any of these is reported on out as "ERROR: <text>\n" (after the
// manager, if it existed, has been destroyed) and gives the exit status 1; a normal quit gives 0.
int runProgram(const GameManager::UserInterfaceFactory& makeUserInterface, std::ostream& out);

#endif
