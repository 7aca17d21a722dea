// The clock's size and place: drawn at the scale of the system's dots per inch, started
// where it was last left (kept whole on a monitor), and that place kept after each drag.
#include "alarms/alarms.h"
#include "shell/placement.h"
#include "shell/scoped.h"
#include "shell/shell.h"

int32_t ClockScale = 1;

// The place last written to, or read from, the settings file: a drag that ends where the
// clock already was writes nothing.
static bool PlaceKnown;
static POINT KnownPlace;

void ReadClockScale()
{
    ScopedGetDC screen(nullptr);
    ClockScale = ScaleForDpi(GetDeviceCaps(screen.get(), LOGPIXELSX));
}

int32_t ClockSize()
{
    return ClockWindowSize * ClockScale;
}

static ScreenBox BoxOf(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// Monitors come and go between runs: a place that would not leave the clock whole in one
// monitor's work area is moved into the work area of the monitor nearest to it.
POINT StartPlace()
{
    int32_t x, y;
    if (!LoadPlace(&x, &y)) return {0, 0};
    PlaceKnown = true;
    KnownPlace = {x, y};
    const RECT stored = {x, y, x + ClockSize(), y + ClockSize()};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor))
        return KnownPlace;
    const ScreenBox fitted = FitBoxInside(BoxOf(stored), BoxOf(monitor.rcWork));
    return {fitted.left, fitted.top};
}

// A place that cannot be written (a read-only folder) is not worth a message: the clock
// starts at its old place next time.
void KeepPlace()
{
    RECT window;
    if (!GetWindowRect(MainWindow, &window)) return;
    if (PlaceKnown && KnownPlace.x == window.left && KnownPlace.y == window.top) return;
    if (!SavePlace(window.left, window.top)) return;
    PlaceKnown = true;
    KnownPlace = {window.left, window.top};
}
