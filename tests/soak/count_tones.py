#!/usr/bin/env python3
"""Counts the separate sounds in raw audio captures: runs of audible samples (over 5% of
full scale) parted by at least half a second of near-silence. Prints one total.
Usage: count_tones.py FILE...  (the capture's name tells its format: cap-RATE-CH-BITS-FMT.raw)"""
import array
import re
import sys


def samples(path):
    match = re.search(r"cap-(\d+)-(\d+)-(\d+)-(\w+?)\.raw", path)
    if not match:
        raise SystemExit("unknown capture format: " + path)
    rate, channels, bits, fmt = int(match[1]), int(match[2]), int(match[3]), match[4]
    if fmt.startswith("FLOAT"):
        kind, scale = "f", 1.0
    elif bits == 16:
        kind, scale = "h", 32768.0
    elif bits == 8:
        kind, scale = "B", 128.0
    else:
        raise SystemExit("unsupported sample format: " + path)
    data = array.array(kind)
    with open(path, "rb") as f:
        raw = f.read()
    raw = raw[: len(raw) - len(raw) % data.itemsize]
    data.frombytes(raw)
    offset = 128.0 if kind == "B" else 0.0
    return rate * channels, [(v - offset) / scale for v in data]


def count_sounds(path):
    per_second, values = samples(path)
    gap = per_second // 2
    sounds, quiet = 0, gap
    for v in values:
        if abs(v) > 0.05:
            if quiet >= gap:
                sounds += 1
            quiet = 0
        else:
            quiet += 1
    return sounds


print(sum(count_sounds(p) for p in sys.argv[1:]))
