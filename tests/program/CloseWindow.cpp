// Asks a window to close the way a window manager's close button does: a WM_DELETE_WINDOW client
// message under WM_PROTOCOLS. (xdotool windowclose destroys the window, which kills the client.)
//   close_window <window id, decimal or 0x-hex as xdotool prints it>

#include <X11/Xlib.h>

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
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
