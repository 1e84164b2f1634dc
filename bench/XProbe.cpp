// Looks at a program from the outside, as a player would see it, under an X server (Xvfb).
//
//   qzb_xprobe launch [--x11] [--keep] -- PROGRAM ARGS...
//       Starts PROGRAM with QZB_START_NS set to the start time (see FirstFrameHook.cpp). With
//       --x11 it watches the X server: the time until the program's top-level window is mapped
//       (the last one mapped, should SDL replace its first window), then until it shows white at (2, 2) (the first frame of the menu, and of
//       minimal_sdl, is white there; before it the window is black), and the program's resident
//       memory at that moment. Then the program is ended, unless --keep leaves it running.
//       Without --x11 it waits for the program to end by itself. Prints one line:
//       "pid=N mapped_us=N shown_us=N rss_kb=N" (-1 where not measured).
//   qzb_xprobe shot FILE X Y W H
//       Writes that rectangle of the screen as a binary PPM.
//   qzb_xprobe pixel X Y
//       Prints the screen's colour at (X, Y) as RRGGBB.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "ResidentMemory.h"

namespace {

const int WATCH_LIMIT_US = 20 * 1000 * 1000;
const int PIXEL_POLL_US = 500;

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long residentKb(pid_t pid)
{
    return residentKbFrom(("/proc/" + std::to_string(pid) + "/status").c_str());
}

// The window may be gone, or not yet viewable, when a request reaches the server; that is no
// reason to stop watching.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

unsigned long rgbOf(XImage* image, int x, int y)
{
    const unsigned long pixel = XGetPixel(image, x, y);
    auto channel = [pixel](unsigned long mask) {
        if (mask == 0)
            return 0UL;
        int shift = 0;
        while (((mask >> shift) & 1UL) == 0)
            ++shift;
        const unsigned long value = (pixel & mask) >> shift;
        const unsigned long maximum = mask >> shift;
        return value * 255UL / maximum;
    };
    return (channel(image->red_mask) << 16) | (channel(image->green_mask) << 8) | channel(image->blue_mask);
}

bool showsWhite(Display* display, Window window)
{
    XImage* image = XGetImage(display, window, 2, 2, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    // A 16-bit white need not arrive as 0xFFFFFF: the presentation path widens each channel its
    // own way. Every channel near full is white enough.
    const unsigned long rgb = rgbOf(image, 0, 0);
    const bool white = ((rgb >> 16) & 0xFF) >= 0xF0 && ((rgb >> 8) & 0xFF) >= 0xF0 && (rgb & 0xFF) >= 0xF0;
    XDestroyImage(image);
    return white;
}

// A program left running (--keep) must not hold on to our output, or whoever reads it waits.
pid_t startProgram(char** argv, long long startNs, bool detach)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (detach) {
            const int nowhere = open("/dev/null", O_RDWR);
            dup2(nowhere, STDIN_FILENO);
            dup2(nowhere, STDOUT_FILENO);
            dup2(nowhere, STDERR_FILENO);
        }
        setenv("QZB_START_NS", std::to_string(startNs).c_str(), 1);
        execvp(argv[0], argv);
        std::perror("qzb_xprobe: exec");
        _exit(127);
    }
    return pid;
}

// Takes the X events that have arrived; a newly mapped top-level window becomes the one watched.
// SDL may map a window and then replace it by another (it does so to give the window a GL
// visual), so the window that counts is the last one mapped.
void takeMapEvents(Display* display, Window& window, long long& mappedNs)
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            window = event.xmap.window;
            mappedNs = nowNs();
        }
    }
}

void endProgram(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int launch(int argc, char** argv)
{
    bool watchX = false;
    bool keep = false;
    int first = 0;
    for (; first < argc; ++first) {
        if (std::strcmp(argv[first], "--x11") == 0)
            watchX = true;
        else if (std::strcmp(argv[first], "--keep") == 0)
            keep = true;
        else if (std::strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        }
    }
    if (first >= argc) {
        std::fprintf(stderr, "qzb_xprobe launch: no program given\n");
        return 2;
    }
    char** program = argv + first;

    long long mappedUs = -1;
    long long shownUs = -1;
    long rssKb = -1;

    if (!watchX) {
        const pid_t pid = startProgram(program, nowNs(), false);
        int status = 0;
        waitpid(pid, &status, 0);
        std::printf("pid=%d mapped_us=-1 shown_us=-1 rss_kb=-1\n", static_cast<int>(pid));
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "qzb_xprobe: cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const long long startNs = nowNs();
    const pid_t pid = startProgram(program, startNs, keep);
    Window window = None;
    long long mappedNs = 0;
    const int fd = ConnectionNumber(display);
    while ((nowNs() - startNs) / 1000 < WATCH_LIMIT_US) {
        takeMapEvents(display, window, mappedNs);
        if (window == None) {
            pollfd readable = {fd, POLLIN, 0};
            poll(&readable, 1, 10);
            continue;
        }
        if (showsWhite(display, window)) {
            shownUs = (nowNs() - startNs) / 1000;
            mappedUs = (mappedNs - startNs) / 1000;
            rssKb = residentKb(pid);
            break;
        }
        usleep(PIXEL_POLL_US);
    }
    XCloseDisplay(display);
    if (!keep)
        endProgram(pid);
    std::printf("pid=%d mapped_us=%lld shown_us=%lld rss_kb=%ld\n", static_cast<int>(pid), mappedUs, shownUs,
                rssKb);
    return shownUs >= 0 ? 0 : 1;
}

XImage* grabScreen(Display* display, int x, int y, int width, int height)
{
    return XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                     static_cast<unsigned>(height), AllPlanes, ZPixmap);
}

int shot(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "qzb_xprobe shot FILE X Y W H\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int width = std::atoi(argv[3]);
    const int height = std::atoi(argv[4]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XImage* image = grabScreen(display, x, y, width, height);
    if (image == nullptr)
        return 1;
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long colour = rgbOf(image, column, row);
            rgb.push_back(static_cast<unsigned char>(colour >> 16));
            rgb.push_back(static_cast<unsigned char>(colour >> 8));
            rgb.push_back(static_cast<unsigned char>(colour));
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    std::FILE* out = std::fopen(argv[0], "wb");
    if (out == nullptr)
        return 1;
    std::fprintf(out, "P6\n%d %d\n255\n", width, height);
    std::fwrite(rgb.data(), 1, rgb.size(), out);
    std::fclose(out);
    return 0;
}

int pixel(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XImage* image = grabScreen(display, std::atoi(argv[0]), std::atoi(argv[1]), 1, 1);
    if (image == nullptr)
        return 1;
    std::printf("%06lX\n", rgbOf(image, 0, 0));
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "launch") == 0)
        return launch(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "shot") == 0)
        return shot(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "pixel") == 0)
        return pixel(argc - 2, argv + 2);
    std::fprintf(stderr, "usage: qzb_xprobe launch|shot|pixel ...\n");
    return 2;
}
