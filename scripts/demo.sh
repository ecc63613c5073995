#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client against the stand-in cafe
# server on this computer (loopback only), with the client's data and settings in a
# temporary folder. The client shows on your X display; without one it runs on a virtual
# display started here, and a picture of that display is saved every two seconds
# (build/demo/screens/latest.png). At a terminal you type the server's commands (try
# "help", "open 1 card 123456", "close", "quit"); without one a short scripted card
# session runs: the status window appears in the bottom-right corner with the remaining
# time counting down and a chat line from the manager. The client's log is printed at
# the end.
set -euo pipefail
cd "$(dirname "$0")/.."

# ORVAN_DEMO_PRESET=ci reuses a tree built for the tests instead of a debug build.
preset=${ORVAN_DEMO_PRESET:-dev}
scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset" --target orvanclient winlock orvan-cafe-server orvan-xshot

build=build/$preset
demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo/var/OrvanetixClient" "$demo/config/OrvanetixClient" "$demo/screens"
data="$demo/var/OrvanetixClient"
# A workstation that has been set up, looking for its server on loopback.
cat > "$data/machine.reg" <<'REG'
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
# The cafe's messages for each lock-screen state; the complete English pack reads the
# English ones.
cp data/messages/*.rtf "$data/"
for file in data/messages/en_*.rtf; do
    cp "$file" "$data/gb_${file##*/en_}"
done

# The stand-in server's ports are fixed: wait while end-to-end tests of any build tree on
# this computer use them, as those tests wait for each other.
exec {ports_lock}>"${TMPDIR:-/tmp}/orvanclient-e2e.lock"
if ! flock -w 600 "$ports_lock"; then
    echo "The server's ports stayed in use by end-to-end tests for ten minutes." >&2
    exit 1
fi

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

status=0
virtual=0
if [ -z "${DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    virtual=1
    exec {display_fd}>"$demo/display"
    Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp -noreset \
        > "$demo/xvfb.log" 2>&1 &
    pids+=("$!")
    exec {display_fd}>&-
    for _ in $(seq 50); do
        [ -s "$demo/display" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$demo/display" | tr -d '[:space:]')"
    # A notification area for the client's tray icon, as a desktop panel would give.
    trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
        > "$demo/trayer.log" 2>&1 &
    pids+=("$!")
    echo "No X display: the client runs on the virtual display $DISPLAY;"
    echo "pictures of it are saved in $demo/screens (latest.png is the newest)."
fi

export ORVAN_COMMON_APPDATA="$demo/var"
export XDG_CONFIG_HOME="$demo/config"
"$build/src/app/orvanclient" -d > "$demo/client.out" 2>&1 &
client=$!
pids+=("$client")

if [ "$virtual" = 1 ]; then
    # Nobody sits at a virtual display: answer the client's notices with their default
    # button, and keep pictures of what it shows.
    (
        n=0
        while kill -0 "$client" 2>/dev/null; do
            for box in $(xdotool search --name '^OrvanClient' 2>/dev/null); do
                xdotool key --window "$box" Return 2>/dev/null || true
            done
            n=$((n + 1))
            "$build/tools/xshot/orvan-xshot" "$demo/screens/screen-$(printf %03d "$n").png" \
                2>/dev/null && cp "$demo/screens/screen-$(printf %03d "$n").png" \
                "$demo/screens/latest.png"
            sleep 2
        done
    ) &
    pids+=("$!")
fi

server="$build/tools/cafe-server/orvan-cafe-server"
if [ -t 0 ]; then
    echo "Stand-in server running with the demo accounts (card 123456 has 10 minutes)."
    echo "Log in on the lock screen with card 123456, or type: open 1 card 123456."
    echo "Type close to end the session, help for more, quit to stop."
    "$server" --bind 127.0.0.1 --keep-running --script data/demo/accounts.txt || true
else
    cat data/demo/accounts.txt - > "$demo/session.txt" <<'SCRIPT'
expect WorkstationName 60
open 1 card 123456
expect WorkstationState=6 15
sleep 4
chat Welcome! The status window counts your time down; answer me here.
sleep 6
msg Welcome! Your card has 10 minutes.
sleep 5
recharge 5
sleep 5
close
expect WorkstationState=2 15
sleep 3
SCRIPT
    "$server" --bind 127.0.0.1 --script "$demo/session.txt" || status=$?
fi

cleanup
echo "---- client log ($data/orvanclient.log)"
cat "$data/orvanclient.log" 2>/dev/null || echo "(no log written)"
[ "$virtual" = 0 ] || echo "Pictures of the virtual display: $demo/screens"
if [ "$status" -ne 0 ]; then
    echo "The scripted session did not go as expected (the server said $status)." >&2
fi
exit "$status"
