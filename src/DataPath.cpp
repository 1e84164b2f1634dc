#include "DataPath.h"

std::string dataPath(const std::string& fileName)
{
    return "data/" + fileName;
}
