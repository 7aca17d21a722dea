// Drops files on the X window under a screen point the way a file manager does, through
// the XDND protocol, so that Wine posts a real WM_DROPFILES to the window under it.
// Usage: xdnd_drop <file>... <x> <y>   (exit 0 when the target took the drop)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/select.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

Display* display;
Window source;
Atom aware, enter, position, status, drop, finished, leave, selection, copyAction, uriList;
std::string uris;

bool Accepted;
bool Finished;

// file:// URIs with every byte outside the unreserved set percent-encoded, so spaces and
// UTF-8 names arrive intact.
std::string FileUri(const char* path)
{
    std::string absolute;
    char resolved[PATH_MAX];
    if (realpath(path, resolved)) {
        absolute = resolved;
    } else if (path[0] == '/') {
        absolute = path;
    } else {
        char cwd[PATH_MAX];
        absolute = std::string(getcwd(cwd, sizeof cwd) ? cwd : "") + "/" + path;
    }
    std::string uri = "file://";
    for (unsigned char c : absolute) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

// The deepest window under the point that declares XdndAware.
Window FindTarget(int x, int y)
{
    Window root = DefaultRootWindow(display), window = root, child = 0, found = 0;
    int localX = x, localY = y;
    for (;;) {
        Atom type;
        int format;
        unsigned long count, remaining;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, aware, 0, 1, False, AnyPropertyType, &type,
                               &format, &count, &remaining, &data) == Success && data) {
            found = window;
            XFree(data);
        }
        int childX, childY;
        if (!XTranslateCoordinates(display, root, window, x, y, &childX, &childY, &child) ||
            child == 0)
            break;
        window = child;
        localX = childX;
        localY = childY;
    }
    (void)localX;
    (void)localY;
    return found;
}

void SendMessage(Window target, Atom type, long l1, long l2, long l3, long l4)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(source);
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

void AnswerSelection(const XSelectionRequestEvent& request)
{
    XEvent reply = {};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    const Atom property = request.property != None ? request.property : request.target;
    if (request.target == uriList) {
        XChangeProperty(display, request.requestor, property, uriList, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(uris.data()),
                        static_cast<int>(uris.size()));
        reply.xselection.property = property;
    } else if (request.target == XInternAtom(display, "TARGETS", False)) {
        XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&uriList), 1);
        reply.xselection.property = property;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
}

// Serves events until done() holds or the time runs out.
template <typename Done>
bool Serve(Done done, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionRequest) AnswerSelection(event.xselectionrequest);
            if (event.type == ClientMessage && event.xclient.message_type == status)
                Accepted = (event.xclient.data.l[1] & 1) != 0;
            if (event.type == ClientMessage && event.xclient.message_type == finished)
                Finished = true;
        }
        if (done()) break;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(ConnectionNumber(display), &readable);
        timeval wait = {0, 20000};
        select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &wait);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: xdnd_drop <file>... <x> <y>\n");
        return 2;
    }
    const int x = std::atoi(argv[argc - 2]), y = std::atoi(argv[argc - 1]);
    for (int i = 1; i < argc - 2; ++i) uris += FileUri(argv[i]) + "\r\n";

    display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xdnd_drop: cannot open the display\n");
        return 1;
    }
    aware = XInternAtom(display, "XdndAware", False);
    enter = XInternAtom(display, "XdndEnter", False);
    position = XInternAtom(display, "XdndPosition", False);
    status = XInternAtom(display, "XdndStatus", False);
    drop = XInternAtom(display, "XdndDrop", False);
    finished = XInternAtom(display, "XdndFinished", False);
    leave = XInternAtom(display, "XdndLeave", False);
    selection = XInternAtom(display, "XdndSelection", False);
    copyAction = XInternAtom(display, "XdndActionCopy", False);
    uriList = XInternAtom(display, "text/uri-list", False);

    source = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, selection, source, CurrentTime);

    const Window target = FindTarget(x, y);
    if (!target) {
        std::fprintf(stderr, "xdnd_drop: no drop target at %d,%d\n", x, y);
        return 1;
    }
    SendMessage(target, enter, 5L << 24, static_cast<long>(uriList), None, None);
    SendMessage(target, position, 0, (static_cast<long>(x) << 16) | y, CurrentTime,
                static_cast<long>(copyAction));
    Serve([] { return Accepted; }, 3000);
    if (!Accepted) {
        SendMessage(target, leave, 0, 0, 0, 0);
        std::fprintf(stderr, "xdnd_drop: the window at %d,%d refused the files\n", x, y);
        XCloseDisplay(display);
        return 1;
    }
    SendMessage(target, drop, 0, CurrentTime, 0, 0);
    const bool done = Serve([] { return Finished; }, 5000);
    XCloseDisplay(display);
    if (!done) std::fprintf(stderr, "xdnd_drop: the drop was not finished\n");
    return done ? 0 : 1;
}
