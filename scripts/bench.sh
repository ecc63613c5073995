#!/usr/bin/env bash
# Runs every benchmark of a build (default build/ci) and prints its figures. Benchmarks
# assert nothing about time: one that crashes or hangs fails the script, slow figures do
# not. The X11 ones start their own private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/ci}
found=0
for bench in "$build"/bench/*_bench; do
    [ -x "$bench" ] || continue
    found=1
    echo "-- $(basename "$bench")"
    status=0
    timeout 600 "$bench" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$(basename "$bench") failed (exit $status)" >&2
        exit "$status"
    fi
done
if [ "$found" -eq 0 ]; then
    echo "no benchmarks in $build/bench" >&2
    exit 1
fi
