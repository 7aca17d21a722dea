#include "shell/trig.h"

#include <cmath>

int32_t SinTable[TrigTableSize];
int32_t CosTable[TrigTableSize];

// The short value of pi and the truncation are deliberate: the hand geometry is tuned to
// these exact entries (90 degrees gives 255, not 256).
void BuildTrigTables()
{
    const double radiansPerDegree = 3.1415 / 180.0;
    for (int d = 0; d < TrigTableSize; ++d) {
        const double a = d * radiansPerDegree;
        SinTable[d] = static_cast<int32_t>(256.0 * std::sin(a));
        CosTable[d] = static_cast<int32_t>(256.0 * std::cos(a));
    }
}
