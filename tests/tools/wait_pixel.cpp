// Waits until a screen pixel takes a given colour and prints the milliseconds that took.
// Usage: wait_pixel X Y RRGGBB TIMEOUT_MS  (exit 1 on time-out)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: wait_pixel X Y RRGGBB TIMEOUT_MS\n");
        return 2;
    }
    const double start = NowMs();
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const unsigned long wanted = std::strtoul(argv[3], nullptr, 16);
    const double timeout = std::atof(argv[4]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XColor colour;
    for (;;) {
        XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
        if (image) {
            colour.pixel = XGetPixel(image, 0, 0);
            XDestroyImage(image);
            XQueryColor(display, attributes.colormap, &colour);
            const unsigned long rgb = ((colour.red >> 8u) << 16u) | ((colour.green >> 8u) << 8u) |
                                      (colour.blue >> 8u);
            if (rgb == wanted) break;
        }
        if (NowMs() - start > timeout) {
            XCloseDisplay(display);
            return 1;
        }
        const timespec pause{0, 2000000};
        nanosleep(&pause, nullptr);
    }
    std::printf("%.0f\n", NowMs() - start);
    XCloseDisplay(display);
    return 0;
}
