#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client with its data and settings
# in build/demo, in debug mode so that its start-up steps show in the log. It runs
# for DEMO_SECONDS (default 20) and then shuts down in order; the log is printed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target orvanclient

demo="$PWD/build/demo"
mkdir -p "$demo/var" "$demo/config"
export ORVAN_COMMON_APPDATA="$demo/var"
export XDG_CONFIG_HOME="$demo/config"
export ORVAN_QUIT_AFTER_MS=$(( ${DEMO_SECONDS:-20} * 1000 ))
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen

echo "Client running for ${DEMO_SECONDS:-20} s; data in $demo"
build/dev/src/app/orvanclient -d
echo "---- $demo/var/OrvanetixClient/orvanclient.log"
cat "$demo/var/OrvanetixClient/orvanclient.log"
