#include "ProgramEntry.h"
