#!/bin/sh
# Runs one fuzz target over its seeds: run-fuzz.sh PROGRAM SECONDS WORK SEED_DIR...
# FUZZ_SECONDS, when set, replaces SECONDS; FUZZ_MAX_LEN, when set, caps the length of the
# inputs. New inputs and anything found go into WORK; the seed folders are only read. Seed
# folders that do not exist are left out.
set -e
program=$1
seconds=${FUZZ_SECONDS:-$2}
work=$3
shift 3
mkdir -p "$work/corpus"
for dir in "$@"; do
    if [ -d "$dir" ]; then
        set -- "$@" "$dir"
    fi
    shift
done
exec "$program" ${FUZZ_MAX_LEN:+-max_len=$FUZZ_MAX_LEN} -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$@"
