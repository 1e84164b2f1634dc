// Asks a window to close the way a window manager does: a WM_DELETE_WINDOW client message under
// WM_PROTOCOLS. Destroying the window instead (xdotool windowclose) would kill the client with an
// X error, which is not what a user's click on the close button does.
//   close_window <window id>     (decimal or 0x-hex, as xdotool prints it)
// Exits 1 if the display cannot be opened, the id is not a window, or the window does not take
// part in WM_DELETE_WINDOW.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool acceptsDelete(Display* display, Window window, Atom deleteWindow)
{
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(display, window, &protocols, &count) == 0) return false;
    bool found = false;
    for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteWindow;
    XFree(protocols);
    return found;
}

}  // namespace

int main(int argc, char** argv)
{
    char* end = nullptr;
    const Window window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (window == 0 || *end != '\0') {
        std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "close_window: cannot open display\n");
        return 1;
    }
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = acceptsDelete(display, window, deleteWindow) &&
                      XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XSync(display, False);
    XCloseDisplay(display);
    if (!sent) std::fprintf(stderr, "close_window: window 0x%lx does not take WM_DELETE_WINDOW\n", window);
    return sent ? 0 : 1;
}
