#ifndef QUORLITZ_CHECK_H
#define QUORLITZ_CHECK_H

// Checks of conditions the program cannot go on without. Unlike assert() they stay on in every
// build type: a failed check writes "file:line: check failed: <expression>" (and, where the caller
// has one, a detail such as SDL's error text) to standard error, then ends the process at once with
// exit status CHECK_FAILED_STATUS, running no destructors and no atexit handlers. Standard output
// is never used.

namespace check {

constexpr int CHECK_FAILED_STATUS = 2;

[[noreturn]] void fail(const char* file, int line, const char* expression, const char* detail);

}  // namespace check

#define QZ_CHECK(condition)                                         \
    do {                                                            \
        if (!(condition))                                           \
            ::check::fail(__FILE__, __LINE__, #condition, nullptr); \
    } while (false)

// detail is evaluated only when the check fails.
#define QZ_CHECK_DETAIL(condition, detail)                           \
    do {                                                             \
        if (!(condition))                                            \
            ::check::fail(__FILE__, __LINE__, #condition, (detail)); \
    } while (false)

#endif
