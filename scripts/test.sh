#!/usr/bin/env bash
# Installs what is missing, checks that the engine's folders stay layers, builds, and
# runs every test: the engine alone without Qt, the whole tree with warnings as errors
# and library assertions (then the benchmarks, for their figures), the Debian package
# (built, installed, checked and purged; as root), a bounded run of the fuzzers, and the
# whole tree under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== the engine's layers (no include runs upward)"
scripts/check-layers.sh

echo "== engine alone (no Qt on any include or link path)"
cmake --preset engine
cmake --build --preset engine
if grep -qiE 'qt6|/qt/|Qt[A-Z][a-z]+' build/engine/compile_commands.json; then
    echo "the engine build sees Qt" >&2
    exit 1
fi
ctest --preset engine

echo "== everything, warnings as errors"
cmake --preset ci
cmake --build --preset ci
ctest --preset ci

echo "== benchmarks (figures only; machines differ, nothing fails on time)"
scripts/bench.sh build/ci

echo "== the Debian package: build, install, check, purge"
if [ "$(id -u)" -eq 0 ]; then
    scripts/package-test.sh
else
    echo "skipped: installing the package needs root"
fi

echo "== fuzzing the wire"
FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh

# Last, so that the test runner's summary closes the output.
echo "== everything, sanitizers"
cmake --preset asan
cmake --build --preset asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan
