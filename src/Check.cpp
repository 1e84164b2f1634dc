#include "Check.h"

#include <cstdio>
#include <cstdlib>

namespace check {

void fail(const char* file, int line, const char* expression, const char* detail)
{
    if (detail != nullptr && detail[0] != '\0')
        std::fprintf(stderr, "%s:%d: check failed: %s: %s\n", file, line, expression, detail);
    else
        std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, expression);
    std::fflush(stderr);
    // _Exit rather than exit or abort: no teardown may run on a state we no longer trust, and a
    // failed check is a reported stop, not a crash worth a core dump.
    std::_Exit(CHECK_FAILED_STATUS);
}

}  // namespace check
