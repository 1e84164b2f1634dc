// Asks a window to close the way a window manager's close button does: a WM_DELETE_WINDOW client
// message under WM_PROTOCOLS. Destroying the window instead (xdotool windowclose) would kill the
// client with an X error. Exits 1 unless the window takes part in WM_DELETE_WINDOW.
//   close_window <window id, decimal or 0x-hex as xdotool prints it>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    const Window window = argc == 2 ? std::strtoul(argv[1], nullptr, 0) : 0;
    if (display == nullptr || window == 0) {
        std::fprintf(stderr, "usage: close_window <window id>, with DISPLAY set\n");
        return 1;
    }
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom* protocols = nullptr;
    int count = 0;
    bool sent = XGetWMProtocols(display, window, &protocols, &count) != 0 &&
                std::find(protocols, protocols + count, deleteWindow) != protocols + count;
    if (protocols != nullptr) XFree(protocols);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    sent = sent && XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XCloseDisplay(display);
    if (!sent) std::fprintf(stderr, "close_window: window 0x%lx does not take WM_DELETE_WINDOW\n", window);
    return sent ? 0 : 1;
}
