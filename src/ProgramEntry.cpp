#include "ProgramEntry.h"

#include <stdexcept>

int runProgram(const GameManager::UserInterfaceFactory& makeUserInterface, std::ostream& out)
{
    try {
        // The manager lives inside the try block, so an error from run() is reported only after
        // the manager, and with it the window, has been torn down.
        GameManager manager(makeUserInterface);
        manager.run();
    } catch (const std::runtime_error& error) {
        out << "ERROR: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
