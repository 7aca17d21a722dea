// Watches a rectangle of the screen between two wall-clock moments and prints the time
// (Unix seconds) of every change it sees, polling every 2 ms: when a window redraws
// itself. Usage: screen_changes X Y WIDTH HEIGHT FROM TO   (FROM and TO in Unix seconds)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double WallNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void SleepSeconds(double seconds)
{
    if (seconds <= 0) return;
    timespec pause{};
    pause.tv_sec = static_cast<time_t>(seconds);
    pause.tv_nsec = static_cast<long>((seconds - static_cast<double>(pause.tv_sec)) * 1e9);
    nanosleep(&pause, nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: screen_changes X Y WIDTH HEIGHT FROM TO\n");
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const unsigned width = static_cast<unsigned>(std::atoi(argv[3]));
    const unsigned height = static_cast<unsigned>(std::atoi(argv[4]));
    const double from = std::atof(argv[5]), to = std::atof(argv[6]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    const Window root = DefaultRootWindow(display);
    std::vector<char> last;
    SleepSeconds(from - WallNow());
    while (WallNow() < to) {
        XImage* image = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
        const double seen = WallNow();
        if (image) {
            const size_t size = static_cast<size_t>(image->bytes_per_line) * height;
            if (!last.empty() && std::memcmp(last.data(), image->data, size) != 0)
                std::printf("%.6f\n", seen);
            last.assign(image->data, image->data + size);
            XDestroyImage(image);
        }
        SleepSeconds(0.002);
    }
    XCloseDisplay(display);
    return 0;
}
