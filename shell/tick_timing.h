// When the one-second tick falls: just after each second of the wall clock begins. The
// timer runs with a period of a second and is set again only when a tick has drifted
// from its place, since every setting is a round trip to the window system.
#pragma once

// Ticks fall this long after the second begins. Windows' timer and clock move in steps
// of 15.6 ms: a tick set any nearer could read the second before.
constexpr unsigned TickAfterSecondMs = 20;
// A tick this near its place leaves the timer as it is.
constexpr unsigned TickDriftMs = 8;
constexpr unsigned TickPeriodMs = 1000;

// The timer's elapse from a moment `millisecond` into a second to the tick just after the
// next second begins.
unsigned ElapseToNextTick(unsigned millisecond);

// What to set the timer to after a tick that read the time `millisecond` into its second,
// the timer running with `period`; 0 leaves it as it is. A tick in its place needs a
// period of a second from now on; any other is brought back to its place.
unsigned TimerAfterTick(unsigned millisecond, unsigned period);
