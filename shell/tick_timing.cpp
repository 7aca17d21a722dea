#include "shell/tick_timing.h"

unsigned ElapseToNextTick(unsigned millisecond)
{
    return TickPeriodMs - millisecond % TickPeriodMs + TickAfterSecondMs;
}

unsigned TimerAfterTick(unsigned millisecond, unsigned period)
{
    const unsigned from = TickAfterSecondMs - TickDriftMs;
    const unsigned to = TickAfterSecondMs + TickDriftMs;
    if (millisecond < from || millisecond > to) return ElapseToNextTick(millisecond);
    return period == TickPeriodMs ? 0 : TickPeriodMs;
}
