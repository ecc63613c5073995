#!/usr/bin/env bash
# Builds the wire fuzzer (preset "fuzz", clang) and runs it for FUZZ_SECONDS (default 60)
# from the committed seeds. New inputs go to a scratch copy, so the committed corpus
# stays as it is; a crash, leak, time-out or memory blow-up fails the script and leaves
# its input in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset fuzz
cmake --build --preset fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -R fuzz/corpus/. "$work/"
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"

status=0
build/fuzz/fuzz/wire_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
    -timeout=10 -dict=fuzz/wire.dict -artifact_prefix="$artifacts/" -print_final_stats=1 \
    "$work" fuzz/corpus || status=$?
if [ "$status" -ne 0 ]; then
    echo "the wire fuzzer failed (exit $status); inputs in $artifacts:" >&2
    ls -l "$artifacts" >&2
    exit "$status"
fi
