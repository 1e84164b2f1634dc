#include "OutcomeChecker.h"
