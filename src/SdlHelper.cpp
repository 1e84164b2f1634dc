#include "SdlHelper.h"
