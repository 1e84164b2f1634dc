#ifndef QUORLITZ_BENCH_RESIDENTMEMORY_H
#define QUORLITZ_BENCH_RESIDENTMEMORY_H

#include <cstdio>
#include <cstdlib>
#include <cstring>

// The resident size in kB that a /proc/<pid>/status file reports, or -1 when it cannot be read.
inline long residentKbFrom(const char* statusPath)
{
    std::FILE* status = std::fopen(statusPath, "r");
    if (status == nullptr)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kb = std::atol(line + 6);
            break;
        }
    }
    std::fclose(status);
    return kb;
}

#endif
