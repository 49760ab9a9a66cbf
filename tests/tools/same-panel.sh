#!/bin/sh
# Compares the control panel in every step's picture of two rehearsals, pixel for pixel: the
# lower two fifths of each screenshot, where the panel lies; the stations above it show the
# times of their commands, which differ from run to run.
# Usage: same-panel.sh SHOTS SHOTS
set -e
count=0
for first in "$1"/step-*.png; do
    second="$2/$(basename "$first")"
    [ -f "$second" ] || { echo "$second is missing" >&2; exit 1; }
    size=$(identify -format '%w %h' "$first")
    width=${size% *} height=${size#* }
    top=$((height * 12 / 20))
    crop="${width}x$((height - top))+0+$top"
    differ=$(compare -metric AE "$first[$crop]" "$second[$crop]" null: 2>&1) || true
    if [ "$differ" != 0 ]; then
        echo "$(basename "$first"): the panels differ in $differ pixels" >&2
        exit 1
    fi
    count=$((count + 1))
done
[ "$count" -gt 0 ] || { echo "no pictures in $1" >&2; exit 1; }
echo "$count panels alike"
