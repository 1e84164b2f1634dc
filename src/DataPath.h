#ifndef QUORLITZ_DATAPATH_H
#define QUORLITZ_DATAPATH_H

#include <string>

// Where the program's data files lie: "data/" + fileName, relative to the working directory, which
// the installed command sets to the game's data directory.
std::string dataPath(const std::string& fileName);

#endif
