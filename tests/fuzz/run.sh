#!/bin/bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs each for
# a bounded time from its seed corpus. Usage: run.sh OUTPUT_DIR [SECONDS_EACH]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$1
seconds=${2:-60}
mkdir -p "$out"

sources=("$root/alarms/alarm_table.cpp" "$root/alarms/settings_file.cpp" "$root/alarms/list_line.cpp")
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root")

status=0
for target in settings_value list_line; do
    clang++ "${flags[@]}" "$here/${target}_fuzz.cpp" "${sources[@]}" -o "$out/${target}_fuzz"
    # New inputs go to a scratch corpus; the seeds in the repo stay as they are.
    work=$(mktemp -d "$out/${target}.XXXX")
    if (cd "$out" && "./${target}_fuzz" -max_total_time="$seconds" -max_len=400 -timeout=10 \
            -print_final_stats=1 "$work" "$here/corpus/$target" >"$out/$target.log" 2>&1); then
        echo "$target: $(grep -E '^stat::number_of_executed_units' "$out/$target.log" | awk '{print $2}') runs, no failure"
    else
        echo "$target: FAILED"; tail -40 "$out/$target.log"; status=1
    fi
    rm -rf "$work"
done
exit $status
