#!/usr/bin/env bash
# Builds the fuzzers (preset "fuzz", clang) and runs them from their committed seeds.
#
#   scripts/fuzz.sh                    the bounded run of the tests: the wire for
#                                      FUZZ_SECONDS (default 60, a third of it in the
#                                      campaigns' build), the rich-text reader and
#                                      the PNG check for a third of that each, the settings
#                                      files, language packs, keymap description and command
#                                      line for a sixth each; new inputs go to scratch copies
#   scripts/fuzz.sh SECONDS [NAME...]  a campaign: each named fuzzer (all by default) for
#                                      SECONDS, one after the other; what it finds is kept in
#                                      build/fuzz/campaign/NAME and seeds the next campaign.
#                                      Each fuzzer runs as two processes sharing that folder
#                                      when two cores are idle (FUZZ_JOBS to choose), their
#                                      output in build/fuzz/campaign/logs
#
# The bounded run uses preset "fuzz" (address and undefined-behaviour sanitizers), and
# for the wire's last third also the campaigns' build, whose inputs the "fuzz" build then
# runs again. A campaign fuzzes with preset "fuzz-fast" (no sanitizer: the wire runs two
# and a half times as many inputs as with the address sanitizer alone), or with
# "fuzz-campaign" (address only) when FUZZ_BUILD=address, and then runs every input it
# kept through the "fuzz" build, so nothing it found escapes either sanitizer.
#
# Each single-process run prints its inputs per CPU second beside those per second of the
# wall clock.
#
# A crash, leak, time-out or memory blow-up fails the script and leaves its input in
# build/fuzz/artifacts. After the wire fuzzer, every input it kept runs again on a new
# client and on the rewound one, which must answer alike.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

all=(wire_fuzzer png_fuzzer rtf_fuzzer settings_fuzzer langpack_fuzzer xkb_fuzzer
     commandline_fuzzer)
campaign=${1:-}
if [ -n "$campaign" ] && ! [[ "$campaign" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SECONDS [FUZZER...]]   (fuzzers: ${all[*]})" >&2
    exit 2
fi
shift || true
chosen=("${all[@]}")
if [ $# -gt 0 ]; then
    chosen=("$@")
fi

cmake --preset fuzz
cmake --build --preset fuzz
fuzzers=build/fuzz/fuzz
case ${FUZZ_BUILD:-fast} in
    fast) campaign_preset=fuzz-fast ;;
    address) campaign_preset=fuzz-campaign ;;
    *) echo "FUZZ_BUILD is fast or address" >&2; exit 2 ;;
esac
campaign_build=build/$campaign_preset/fuzz
cmake --preset "$campaign_preset"
if [ -n "$campaign" ]; then
    cmake --build --preset "$campaign_preset"
    fuzzers=$campaign_build
else
    # The bounded run gives the wire a third of its time in the build long campaigns use,
    # so that its figure is printed too.
    cmake --build --preset "$campaign_preset" --target wire_fuzzer
fi

artifacts=$root/build/fuzz/artifacts
mkdir -p "$artifacts"

# One fuzzing process per idle core, at most two: the machine is shared, and a process
# on a busy core only slows the others.
idle_cores() {
    awk -v cores="$(nproc)" '{ n = int(cores - $1 + 0.5); print (n < 1 ? 1 : (n > 2 ? 2 : n)) }' \
        /proc/loadavg
}
jobs=1
if [ -n "$campaign" ]; then
    jobs=${FUZZ_JOBS:-$(idle_cores)}
    echo "-- $jobs fuzzing process(es) per fuzzer"
fi

seeds() {
    case $1 in
        wire_fuzzer) echo fuzz/corpus ;;
        *) echo "fuzz/${1%_fuzzer}-corpus" ;;
    esac
}

dictionary() {
    case $1 in
        wire_fuzzer) echo fuzz/wire.dict ;;
        png_fuzzer) echo fuzz/png.dict ;;
        rtf_fuzzer) echo fuzz/rtf.dict ;;
    esac
}

# Seconds of the bounded run: the wire gets the most, the small parsers the least.
share() {
    local seconds=${FUZZ_SECONDS:-60}
    case $1 in
        wire_fuzzer) echo "$seconds" ;;
        png_fuzzer | rtf_fuzzer) echo $((seconds / 3 + 1)) ;;
        *) echo $((seconds / 6 + 1)) ;;
    esac
}

# rated <fuzzer> <options...>: runs one fuzzing process and prints its inputs per second of
# the CPU time it got as well as per second of the wall clock: on a shared machine the
# wall-clock figure says more about the neighbours than about the fuzzer.
rated() {
    local log status=0 cpu
    log=$(mktemp)
    { TIMEFORMAT='%U %S' && time "$@" 2>&1 | tee "$log"; } 2>"$log.cpu" || status=$?
    cpu=$(tail -n 1 "$log.cpu")
    awk -v cpu="$cpu" -v name="${1#"$root"/}" '
        /stat::number_of_executed_units/ { runs = $2 }
        /stat::average_exec_per_sec/ { wall = $2 }
        END {
            split(cpu, t, " "); seconds = t[1] + t[2]
            if (runs > 0 && seconds > 0)
                printf "-- %s: %d inputs, %d per CPU second (%.1f CPU s), %d per second\n",
                       name, runs, runs / seconds, seconds, wall
        }' "$log"
    rm -f "$log" "$log.cpu"
    return "$status"
}

# fuzz <target> <seconds> <work folder> [<fuzzers' folder>]: the work folder gets the new
# inputs.
fuzz() {
    local target=$1 time=$2 work=$3 from=${4:-$fuzzers} corpus dict status=0 logs
    corpus=$root/$(seeds "$target")
    dict=$(dictionary "$target")
    echo "-- $target for ${time} s (${from#build/})"
    # No names of newly covered functions: each needs a symbolizer forked from the fuzzer,
    # whose copy-on-write faults slowed the first minutes of a run. One process alone never
    # looks for inputs another one wrote (-reload=0). A feature counts as rare until 16
    # inputs hit it, not 255: until the most common of the rare ones passes that count
    # their list is not trimmed, and libFuzzer searched it for every feature hit, over half of
    # the wire's instructions; at 16 the wire runs 2.5 times fewer per input (counted under
    # callgrind from one corpus and seed) and reaches the same coverage.
    local options=(-max_total_time="$time" -rss_limit_mb=2048 -timeout=10 -print_funcs=0
                   -entropic_feature_frequency_threshold=16
                   ${dict:+-dict="$root/$dict"} -artifact_prefix="$artifacts/$target-"
                   -print_final_stats=1)
    if [ "$jobs" -gt 1 ]; then
        # Each process writes its output to fuzz-N.log in the current folder, and the
        # parent repeats it all when the process ends: only the totals are shown here.
        logs=$root/build/fuzz/campaign/logs/$target
        rm -rf "$logs"
        mkdir -p "$logs"
        (cd "$logs" && "$root/$fuzzers/$target" "${options[@]}" -jobs="$jobs" -workers="$jobs" \
            "$work" "$corpus" >jobs.log 2>&1) || status=$?
        (cd "$logs" && grep -E "DONE|executed_units|average_exec" fuzz-*.log) || true
        if [ "$status" -ne 0 ]; then
            tail -n 40 "$logs"/fuzz-*.log >&2
        fi
    else
        rated "$from/$target" "${options[@]}" -reload=0 "$work" "$corpus" || status=$?
    fi
    # The wire's check below runs in the "fuzz" build already.
    if [ "$status" -eq 0 ] && [ "$from" != build/fuzz/fuzz ] && [ "$target" != wire_fuzzer ]; then
        echo "-- $target: every kept input again, with both sanitizers"
        build/fuzz/fuzz/"$target" -runs=0 -artifact_prefix="$artifacts/$target-ubsan-" \
            "$work" "$corpus" 2>&1 | tail -n 2 || status=$?
    fi
    if [ "$status" -eq 0 ] && [ "$target" = wire_fuzzer ]; then
        echo "-- $target: every kept input again, rewound and new"
        ORVAN_WIRE_CHECK=1 build/fuzz/fuzz/wire_fuzzer -runs=0 \
            -artifact_prefix="$artifacts/$target-rewind-" "$work" "$corpus" 2>&1 |
            tail -n 2 || status=$?
    fi
    if [ "$status" -ne 0 ]; then
        echo "$target failed (exit $status); inputs in $artifacts:" >&2
        ls -l "$artifacts" >&2
        exit "$status"
    fi
}

for target in "${chosen[@]}"; do
    if [ ! -x "$fuzzers/$target" ]; then
        echo "no fuzzer named $target (fuzzers: ${all[*]})" >&2
        exit 2
    fi
    if [ -n "$campaign" ]; then
        work=$root/build/fuzz/campaign/$target
        mkdir -p "$work"
        fuzz "$target" "$campaign" "$work"
    else
        work=$(mktemp -d)
        cp -R "$(seeds "$target")/." "$work/"
        if [ "$target" = wire_fuzzer ]; then
            seconds=$(share "$target")
            fuzz "$target" $((seconds - seconds / 3)) "$work"
            fuzz "$target" $((seconds / 3)) "$work" "$campaign_build"
        else
            fuzz "$target" "$(share "$target")" "$work"
        fi
        rm -rf "$work"
    fi
done
