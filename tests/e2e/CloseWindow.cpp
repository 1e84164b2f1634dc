// Asks a window to close the way a window manager does: a WM_DELETE_WINDOW client message under
// WM_PROTOCOLS. Destroying the window instead (xdotool windowclose) would kill the client with an
// X error, which is not what a user's click on the close button does.
//
//   close_window <window id>     (decimal or 0x-hex, as xdotool prints it)
//
// Exits 0 once the message is sent; 1 if the display cannot be opened, the id is not a window, or
// the window does not take part in WM_DELETE_WINDOW.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool parseWindowId(const char* text, Window& window)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0' || value == 0) return false;
    window = static_cast<Window>(value);
    return true;
}

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
    Window window = 0;
    if (argc != 2 || !parseWindowId(argv[1], window)) {
        std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "close_window: cannot open display\n");
        return 1;
    }
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!acceptsDelete(display, window, deleteWindow)) {
        std::fprintf(stderr, "close_window: window 0x%lx does not accept WM_DELETE_WINDOW\n", window);
        XCloseDisplay(display);
        return 1;
    }

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    if (sent == 0) {
        std::fprintf(stderr, "close_window: XSendEvent failed\n");
        return 1;
    }
    return 0;
}
