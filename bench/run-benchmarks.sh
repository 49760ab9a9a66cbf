#!/bin/sh
# Compares the benchmarks of both builds with luac parsing a Lua file of the same size;
# every figure is the best of $RUNS runs. Builds nothing.
# Usage: bench/run-benchmarks.sh [native build folder] [win64 build folder]
# Targets: native at least 3x luac -p; Wine at least 0.7x native; LineOf over increasing
# positions at most 3x the time of one memchr pass over the same text; laying out a wrapping
# text at most 4 measurements per broken line; the dyed box's text painted no later than
# MessageBoxA's, at 1, 100 and 2,000 lines.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build/native}
win64=${2:-$root/build/win64}
# The benchmark programs to run; each may report several benchmarks.
BENCHMARKS=${BENCHMARKS:-"bench_qstm bench_lines bench_reader bench_layout"}
RUNS=${RUNS:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# About 10 MB of simple Lua statements, the same on every run.
lua_file=$work/statements.lua
awk 'BEGIN {
    while (size < 10000000) {
        i++
        s = sprintf("v%d = %d + v%d * 3 -- note %d\nname%d = \"text %d\" .. v%d\n" \
                    "call(v%d, \"s\", %d)\nt%d = { k = %d, \"v\" }\nif v%d then w%d = 1 end\n",
                    i % 100, i, (i + 1) % 100, i, i % 50, i, i % 100, i % 100, i % 7, i % 20, i,
                    i % 100, i % 30)
        printf "%s", s
        size += length(s)
    }
}' >"$lua_file"

now_ns() { date +%s%N; }

# Best of $RUNS runs of luac -p, in MB/s (10^6 bytes).
best=0
for _ in $(seq "$RUNS"); do
    start=$(now_ns)
    luac5.4 -p "$lua_file"
    end=$(now_ns)
    best=$(awk -v b="$best" -v t=$((end - start)) 'BEGIN { print (b == 0 || t < b) ? t : b }')
done
lua_mbs=$(awk -v bytes="$(wc -c <"$lua_file")" -v ns="$best" 'BEGIN { printf "%.1f", bytes / ns * 1000 }')

run_windows() {
    if [ -n "${DISPLAY:-}" ]; then
        "$win64/wine-run" "$@"
    else
        sh "$root/cmake/with-display.sh" "$win64/wine-run" "$@"
    fi
}

# name<TAB>MB/s for every benchmark of the JSON reports, the best of the runs.
best_rates() {
    jq -rs '[.[].benchmarks[] | select(.bytes_per_second != null)]
            | group_by(.name)[] | "\(.[0].name)\t\(map(.bytes_per_second) | max / 1e6)"' "$@" |
        sort
}

printf '%-32s %10s %10s %12s %12s\n' "benchmark" "native" "wine" "native/luac" "wine/native"
printf '%-32s %10s\n' "luac5.4 -p (MB/s)" "$lua_mbs"
for bench in $BENCHMARKS; do
    [ -x "$native/bin/$bench" ] || continue
    for run in $(seq "$RUNS"); do
        "$native/bin/$bench" --benchmark_format=json >"$work/$bench.native.$run.json"
    done
    best_rates "$work/$bench".native.*.json >"$work/$bench.native"
    : >"$work/$bench.wine"
    if [ -f "$win64/bin/$bench.exe" ]; then
        for run in $(seq "$RUNS"); do
            run_windows "$win64/bin/$bench.exe" --benchmark_format=json | tr -d '\r' \
                >"$work/$bench.wine.$run.json"
        done
        best_rates "$work/$bench".wine.*.json >"$work/$bench.wine"
    fi
    join -t "$(printf '\t')" -a 1 -e - -o 0,1.2,2.2 "$work/$bench.native" "$work/$bench.wine" |
        awk -F '\t' -v lua="$lua_mbs" '{
            wine = ($3 == "-") ? "-" : sprintf("%.1f", $3)
            ratio = ($3 == "-") ? "-" : sprintf("%.2f", $3 / $2)
            printf "%-32s %10.1f %10s %12.2f %12s\n", $1, $2, wine, $2 / lua, ratio
        }'
done

# Peak heap against input plus output, for the benchmarks that count it (target below 2).
for report in "$work"/*.1.json; do
    [ -e "$report" ] || continue
    build=$(basename "$report" .1.json)
    jq -r --arg build "${build#*.}" '.benchmarks[] | select(.peak_ratio != null)
        | "\(.name) [\($build)]: peak heap \(.peak_MB * 10 | round / 10) MB = "
          + "\(.peak_ratio * 100 | round / 100) x (script \(.script_MB * 10 | round / 10) MB"
          + " + schemes \(.schemes_MB * 10 | round / 10) MB)"' "$report"
done

# LineOf for increasing positions against one memchr pass over the same text: the ratio of
# their times in the best runs.
for build in native wine; do
    [ -s "$work/bench_lines.$build" ] || continue
    awk -F '\t' -v build="$build" '{ rate[$1] = $2 }
        END {
            lines = rate["lines/line_of_increasing"]; pass = rate["lines/memchr_pass"]
            if (lines > 0 && pass > 0)
                printf "lines/line_of_increasing [%s]: %.2f x one memchr pass\n", build, pass / lines
        }' "$work/bench_lines.$build"
done

# Text measurements per broken line of a long wrapping text, in each build.
for report in "$work"/bench_layout.*.1.json; do
    [ -e "$report" ] || continue
    build=$(basename "$report" .1.json)
    jq -r --arg build "${build#*.}" '.benchmarks[] | select(.measures_per_line != null)
        | "\(.name) [\($build)]: \(.lines) lines, "
          + "\(.measures_per_line * 100 | round / 100) measurements per broken line"' "$report"
done

# The dyed box against MessageBoxA, and the fonts the dyed text makes (Windows build only).
if [ -f "$win64/bin/bench_msgbox.exe" ]; then
    run_windows "$win64/bin/bench_msgbox.exe" | tr -d '\r'
fi
