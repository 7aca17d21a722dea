"""The default alarm sound: a two-note bell chime, two seconds of 16-bit mono at 22050 Hz.

Each note is a few bell-like partials, each dying away on its own exponential curve, with a
soft attack so the onset does not click. The whole is scaled to a peak of -3 dBFS and
faded to silence at the end.
"""

import math

RATE = 22050
SECONDS = 2.0
PEAK_DBFS = -3.0
ATTACK = 0.006
FADE_OUT = 0.08

# (start in seconds, fundamental in Hz, loudness): E6, then C6 a little later.
NOTES = [(0.0, 1318.5, 1.0), (0.32, 1046.5, 0.9)]
# (frequency ratio, amplitude, decay time constant in seconds): a bright strike over a long hum.
PARTIALS = [(1.0, 1.0, 0.5), (2.0, 0.32, 0.26), (3.01, 0.12, 0.13), (4.17, 0.05, 0.08), (0.5, 0.18, 0.65)]


def _raw():
    n = int(RATE * SECONDS)
    out = [0.0] * n
    for start, f0, loud in NOTES:
        first = int(start * RATE)
        for i in range(first, n):
            t = (i - first) / RATE
            attack = 0.5 - 0.5 * math.cos(math.pi * t / ATTACK) if t < ATTACK else 1.0
            v = 0.0
            for ratio, amp, tau in PARTIALS:
                v += amp * math.exp(-t / tau) * math.sin(2 * math.pi * f0 * ratio * t)
            out[i] += loud * attack * v
    fade = int(FADE_OUT * RATE)
    for k in range(fade):
        out[n - 1 - k] *= k / fade
    return out


def samples():
    raw = _raw()
    peak = max(abs(v) for v in raw)
    scale = 32767 * 10 ** (PEAK_DBFS / 20) / peak
    return [int(round(v * scale)) for v in raw]
