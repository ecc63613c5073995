#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client against the stand-in cafe
# server on this computer (loopback only), with the client's data and settings in
# build/demo. At a terminal you type the server's commands (try "help",
# "open 1 card 123456", "msg hello", "close", "quit"); without one a short scripted
# session runs. The client's log is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target orvanclient orvan-cafe-server

demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo/var/OrvanetixClient" "$demo/config/OrvanetixClient"
# A workstation that has been set up, looking for its server on loopback.
cat > "$demo/var/OrvanetixClient/machine.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\General]
"Config Wizard"="1"
"Current Settings Version"="4"
"Workstation Name"="pc-demo"

[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\Constants]
"cnxBroardcastAdr"="127.0.0.1"
REG
cat > "$demo/config/OrvanetixClient/user.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\OrvanetixClient\General]
"Config Wizard"="1"
REG
cat > "$demo/session.txt" <<'SCRIPT'
expect WorkstationName 30
open 1 card 123456
expect WorkstationState=6 10
msg Welcome! Your card has 10 minutes.
sleep 5
recharge 5
sleep 5
close
expect WorkstationState=2 10
SCRIPT

export ORVAN_COMMON_APPDATA="$demo/var"
export XDG_CONFIG_HOME="$demo/config"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen

build/dev/src/app/orvanclient -d > "$demo/client.out" 2>&1 &
client=$!
trap 'kill "$client" 2>/dev/null || true' EXIT

if [ -t 0 ]; then
    echo "Stand-in server running; the client connects in a few seconds. Type help."
    build/dev/tools/cafe-server/orvan-cafe-server --bind 127.0.0.1 || true
else
    build/dev/tools/cafe-server/orvan-cafe-server --bind 127.0.0.1 --script "$demo/session.txt" || true
fi

kill "$client" 2>/dev/null || true
wait "$client" 2>/dev/null || true
echo "---- client log ($demo/var/OrvanetixClient/orvanclient.log)"
cat "$demo/var/OrvanetixClient/orvanclient.log" 2>/dev/null || echo "(no log written)"
