#include "GameManager.h"
