#!/bin/sh
# Start-up of a demonstration: from KelvoDemo.exe's start to "Готово" with 1, 4, 16 and 64
# rehearsal stations, as kelvodemo-rehearse measures it, against the start of one bare
# Win32 program (a start and exit of kelvodemo-check.exe --help, and of a program that opens
# a window, bench_bare_window.exe). Target: the cost grows linearly, each station costing at
# most 1.5 bare starts. Then the conductor's hand-off (see below). Builds nothing; needs a
# display.
# Usage: [COUNTS="1 4"] [HANDOFFS=500] [HANDOFF_COUNTS="1 16"] bench/run-demo-benchmarks.sh
#        [win64 build folder]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
win64=${1:-$root/build/win64}
COUNTS=${COUNTS:-"1 4 16 64"}
export WINEPREFIX="$win64/wineprefix" WINEDEBUG=-all LC_ALL=ru_RU.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
wineserver -p60 </dev/null >/dev/null 2>&1 || true # one already running serves

# One step without commands: the demonstration is ready as soon as every station answered.
script() {
    seq -f "'S%g':DemoStation();" "$1"
    echo ".Comment('x');"
}

now() { date +%s.%N; }
calc() { LC_ALL=C awk "BEGIN { printf \"%.3f\", $1 }"; }

# A bare start, the best of five: bare_start PROGRAM [ARGUMENT]
bare_start() {
    best=""
    for _ in 1 2 3 4 5; do
        t0=$(now)
        wine "$@" >/dev/null 2>&1 || true
        t=$(calc "$(now) - $t0")
        if [ -z "$best" ] || [ "$(calc "$t < $best")" = "1.000" ]; then best=$t; fi
    done
    echo "$best"
}
bare=$(bare_start "$win64/bin/kelvodemo-check.exe" --help)
window=$(bare_start "$win64/bin/bench_bare_window.exe")
echo "bare Win32 program start: $bare s (console), $window s (with a window)"

first=""
firstn=""
for n in $COUNTS; do
    script "$n" >"$work/s$n.KelvoDemo"
    out=$(wine "$win64/bin/kelvodemo-rehearse.exe" --no-shots --timeout 300 \
        "$(winepath -w "$work/s$n.KelvoDemo")" 2>&1 | tr -d '\r')
    loading=$(echo "$out" | sed -n 's/^loading: \([0-9.]*\) s.*/\1/p')
    echo "$n stations: ready after $loading s"
    if [ -z "$first" ]; then
        first=$loading firstn=$n
    else
        per=$(calc "($loading - $first) / ($n - $firstn)")
        echo "  per station beyond $firstn: $per s, $(calc "$per / $bare") bare starts" \
            "($(calc "$per / $window") with a window)"
    fi
done

# The hand-off: from a station's answer to the next command's arrival at the station, in a
# step of HANDOFFS commands to one station, as the rehearsal station times it (the median),
# against the median of one bare PostMessage round trip between two processes, with 1, 16
# and 64 stations on the desktop: the conductor looks the station's window up for every
# command, among all top-level windows. Target: at most 2. Beside it, the two halves of a
# command's post: the lookup against the bare post, with as many other windows above the one
# looked up as there are other stations.
HANDOFFS=${HANDOFFS:-500}
HANDOFF_COUNTS=${HANDOFF_COUNTS:-"1 16 64"}
for n in $HANDOFF_COUNTS; do
    out=$(wine "$win64/bin/bench_roundtrip.exe" 2000 $((n - 1)) 2>/dev/null | tr -d '\r')
    trip=$(echo "$out" | sed -n 's/^round trip: median \([0-9.]*\) us.*/\1/p')
    echo "$n window(s): bare round trip $trip us;" \
        "$(echo "$out" | sed -n 's/^lookup: median \([0-9.]*\) us.*/lookup \1 us/p')," \
        "$(echo "$out" | sed -n 's/^post: median \([0-9.]*\) us.*/post \1 us/p')," \
        "$(echo "$out" | sed -n 's/^lookup \/ post: /lookup \/ post /p')"
    {
        echo "'H':DemoStation();"
        [ "$n" -gt 1 ] && seq -f "'S%g':DemoStation();" $((n - 1))
        echo ".Comment('x');"
        seq -f "H.ForceOk; // %g" "$HANDOFFS"
        echo ".Comment('y');"
    } >"$work/handoff$n.KelvoDemo"
    rm -f "$work/handoffs.txt"
    KELVO_STATION_HANDOFFS=$(winepath -w "$work/handoffs.txt") \
        wine "$win64/bin/kelvodemo-rehearse.exe" --no-shots --timeout 300 \
        "$(winepath -w "$work/handoff$n.KelvoDemo")" >/dev/null 2>&1
    # Every station writes its hand-offs when it ends; only H received commands.
    handoff=$(tr -d '\r' <"$work/handoffs.txt" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }')
    echo "hand-off with $n station(s): median $handoff us of" \
        "$(tr -d '\r' <"$work/handoffs.txt" | grep -c .), ratio $(calc "$handoff / $trip")"
done
