#!/usr/bin/env bash
# Builds the fuzzers (preset "fuzz", clang) and runs each from its committed seeds: the
# wire for FUZZ_SECONDS (default 60), the rich-text reader and the PNG check for a
# third of that each, the settings files, language packs, keymap description and
# command line for a sixth each. New inputs go to scratch copies, so the committed
# corpora stay as they are; a crash, leak, time-out or memory blow-up fails the script
# and leaves its input in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset fuzz
cmake --build --preset fuzz

seconds=${FUZZ_SECONDS:-60}
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"

# fuzz <target> <seconds> <corpus> [dictionary]
fuzz() {
    local target=$1 time=$2 corpus=$3 dict=${4:-}
    local work
    work="$(mktemp -d)"
    cp -R "$corpus/." "$work/"
    local status=0
    echo "-- $target for ${time} s"
    build/fuzz/fuzz/"$target" -max_total_time="$time" -rss_limit_mb=2048 -timeout=10 \
        ${dict:+-dict="$dict"} -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
        "$work" "$corpus" || status=$?
    rm -rf "$work"
    if [ "$status" -ne 0 ]; then
        echo "$target failed (exit $status); inputs in $artifacts:" >&2
        ls -l "$artifacts" >&2
        exit "$status"
    fi
}

fuzz wire_fuzzer "$seconds" fuzz/corpus fuzz/wire.dict
fuzz png_fuzzer $((seconds / 3 + 1)) fuzz/png-corpus fuzz/png.dict
fuzz rtf_fuzzer $((seconds / 3 + 1)) fuzz/rtf-corpus fuzz/rtf.dict
# The parsers of what the customer can edit or pass: a sixth each.
fuzz settings_fuzzer $((seconds / 6 + 1)) fuzz/settings-corpus
fuzz langpack_fuzzer $((seconds / 6 + 1)) fuzz/langpack-corpus
fuzz xkb_fuzzer $((seconds / 6 + 1)) fuzz/xkb-corpus
fuzz commandline_fuzzer $((seconds / 6 + 1)) fuzz/commandline-corpus
