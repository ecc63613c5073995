#!/usr/bin/env bash
# End to end on a real X server: when the stand-in server opens a card session, the full
# status window appears in the bottom-right corner with a live count-down; a chat line
# from the server opens its chat pane, the customer's answer typed into it reaches the
# server, and the server's close takes the window away and brings the lock screen back.
# Xvfb is started here and stopped by its process id.
source "$(dirname "$0")/common.sh"

# The screen-picture tool is built beside the client.
xshot="$(dirname "$client")/../../tools/xshot/orvan-xshot"
width=1024
height=768

start_xvfb() {
    local fd_file="$work/display"
    exec {display_fd}>"$fd_file"
    Xvfb -displayfd "$display_fd" -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
        > "$work/xvfb.err" 2>&1 {e2e_lock}>&- &
    started_pids+=("$!")
    exec {display_fd}>&-
    wait_until 10 test -s "$fd_file" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fd_file" | tr -d '[:space:]')"
}

# "id width height x y" of every viewable top-level window.
windows() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
            /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
            /^ +Width:/ {w = $2} /^ +Height:/ {h = $2} /Map State: IsViewable/ {v = 1}
            END {if (v) print id, w, h, x, y}'
    done
}

lock_window_shown() {
    windows | awk -v w="$width" -v h="$height" '$2 == w && $3 == h && $4 == 0 && $5 == 0 {f = 1}
        END {exit !f}'
}

# The status window: narrower than the screen, its right and bottom edges on the screen's.
status_window() {
    windows | awk -v w="$width" -v h="$height" '$2 < w / 2 && $3 > 100 && $4 + $2 == w &&
        $5 + $3 == h {print; exit}'
}

status_window_shown() {
    [ -n "$(status_window)" ]
}

status_window_gone() {
    ! status_window_shown
}

message_box() {
    xdotool search --onlyvisible --name '^OrvanClient$' 2>/dev/null | head -n1
}

message_box_shown() {
    [ -n "$(message_box)" ]
}


status_height() {
    status_window | awk '{print $3}'
}

write_settings
start_xvfb
cat > "$work/status.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
sleep 3
open 1 card 123456
expect WorkstationState=6 10
sleep 6
chat Hello from the manager
expect ChatMessage=Thanks 25
sleep 2
close
expect WorkstationState=2 10
sleep 4
SCRIPT
start_server status --quiet --script "$work/status.txt"
ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    ORVAN_QUIT_AFTER_MS=70000 "$client" < /dev/null \
    > "$work/status-client.out" 2> "$work/status-client.err" {e2e_lock}>&- &
client_pid=$!
started_pids+=("$client_pid")

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
# The server runs on this computer: a box asks to have that confirmed first.
wait_until 30 message_box_shown || fail "no message box about the server on this computer"
sleep 1
xdotool key Return

wait_until 30 status_window_shown || fail "no status window in the bottom-right corner"
read -r _ _ closed_height _ _ <<< "$(status_window)"
# Hours, minutes and seconds count down: the window's picture changes within two seconds.
"$xshot" "$work/first.png" || fail "no picture of the screen"
sleep 2.5
"$xshot" "$work/second.png" || fail "no picture of the screen"
cmp -s "$work/first.png" "$work/second.png" && fail "the remaining time stood still"

# The manager's line opens the chat pane: the window grows upwards, its bottom stays.
status_grew() {
    local now
    now=$(status_height)
    [ -n "$now" ] && [ "$now" -gt "$closed_height" ]
}
wait_until 20 status_grew ||
    fail "the chat pane did not open for the manager's line"
read -r status_id _ _ _ _ <<< "$(status_window)"
xdotool windowfocus --sync "$status_id" 2>/dev/null || true
xdotool type --delay 30 "Thanks"
xdotool key Return

wait_until 30 status_window_gone || fail "the status window stayed after the session closed"
wait_until 30 lock_window_shown || fail "the lock window did not come back after the session"
wait_exit "$server_pid" 40 || fail "the server's script did not pass"
# No tray host runs on this display: the client said so once, and kept its windows.
[ "$(grep -c 'No notification area' "$data/orvanclient.log")" = 1 ] ||
    fail "the missing notification area was not logged once"
stop_pid "$client_pid"
