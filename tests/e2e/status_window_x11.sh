#!/usr/bin/env bash
# End to end on a real X server: when the stand-in server opens a card session, the full
# status window appears in the bottom-right corner with a live count-down; a chat line
# from the server opens its chat pane, the customer's answer typed into it reaches the
# server, and the server's close takes the window away and brings the lock screen back.
# Xvfb is started here and stopped by its process id.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

# The screen-picture tool is built beside the client.
xshot="$(dirname "$client")/../../tools/xshot/orvan-xshot"

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
start_x11_client status-client

confirm_same_computer

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
