#include "GameGrid.h"
