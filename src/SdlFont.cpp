#include "SdlFont.h"
