#include "SdlUserInterface.h"
