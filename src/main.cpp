#include <iostream>

#include "ProgramEntry.h"
#include "SdlUserInterface.h"

int main()
{
    return runProgram([](GameManager& manager) -> UserInterface* { return new SdlUserInterface(&manager); },
                      std::cout);
}
