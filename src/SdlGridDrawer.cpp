#include "SdlGridDrawer.h"
