// Preloaded (LD_PRELOAD) into a program whose start-up is measured, so that the program itself
// carries no measuring code. It notes when SDL_SetVideoMode has returned (the window is up) and
// when the first SDL_Flip has returned (the first frame has been handed to the screen), both
// counted from QZB_START_NS, the CLOCK_MONOTONIC time at which the launcher started the process,
// together with the resident memory at that first frame. The figures go to the file named by
// QZB_REPORT as "video_mode_us=N first_frame_us=N rss_kb=N". With QZB_EXIT_AT_FIRST_FRAME=1 the
// process ends right after that first frame, which is all a start-up measurement needs.

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <SDL.h>

#include "ResidentMemory.h"

namespace {

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long long sinceStartUs(long long ns)
{
    const char* start = std::getenv("QZB_START_NS");
    if (start == nullptr)
        return -1;
    return (ns - std::atoll(start)) / 1000;
}

long residentKb()
{
    return residentKbFrom("/proc/self/status");
}

template <typename Function>
Function next(const char* name)
{
    void* symbol = dlsym(RTLD_NEXT, name);
    if (symbol == nullptr) {
        std::fprintf(stderr, "FirstFrameHook: no %s to wrap\n", name);
        std::_Exit(3);
    }
    return reinterpret_cast<Function>(symbol);
}

long long videoModeNs = 0;
bool frameReported = false;

void reportFirstFrame(long long frameNs)
{
    const long rss = residentKb();
    const char* path = std::getenv("QZB_REPORT");
    if (path != nullptr) {
        if (std::FILE* report = std::fopen(path, "w")) {
            std::fprintf(report, "video_mode_us=%lld first_frame_us=%lld rss_kb=%ld\n",
                         sinceStartUs(videoModeNs), sinceStartUs(frameNs), rss);
            std::fclose(report);
        }
    }
    const char* exitAtFrame = std::getenv("QZB_EXIT_AT_FIRST_FRAME");
    if (exitAtFrame != nullptr && std::strcmp(exitAtFrame, "1") == 0)
        _exit(0);
}

}  // namespace

extern "C" SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags)
{
    static const auto real = next<SDL_Surface* (*)(int, int, int, Uint32)>("SDL_SetVideoMode");
    SDL_Surface* result = real(width, height, bpp, flags);
    videoModeNs = nowNs();
    return result;
}

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    static const auto real = next<int (*)(SDL_Surface*)>("SDL_Flip");
    const int result = real(screen);
    if (!frameReported) {
        frameReported = true;
        reportFirstFrame(nowNs());
    }
    return result;
}
