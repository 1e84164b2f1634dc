#include "SdlMenu.h"
