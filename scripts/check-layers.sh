#!/usr/bin/env bash
# Fails when a file of the engine includes one from a folder above its own, in the
# order docs/architecture.md gives (lowest first), so that the layers stay layers.
set -euo pipefail
cd "$(dirname "$0")/.."
order=$(sed -n 's/^Layer order, lowest first: `\([a-z,]*\)`\.\?$/\1/p' docs/architecture.md)
if [ -z "$order" ]; then
    echo "docs/architecture.md gives no layer order" >&2
    exit 1
fi
python3 scripts/layers.py src/engine "$order"
