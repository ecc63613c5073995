#!/usr/bin/env bash
# End to end on a real X server: the client covers the whole screen with its lock window,
# takes it away when the stand-in server opens a card session and puts it back when the
# server closes the session. The server runs on this computer, so the client first asks
# to have that confirmed in a message box, answered here with the Return key as a person
# would. Xvfb is started here and stopped by its process id.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

# The viewable top-level window on top of all others (xwininfo lists the top first).
top_window() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable"; then
            printf '%d\n' "$id"
            return 0
        fi
    done
    return 1
}

message_box_gone() {
    ! message_box_shown
}

message_box_on_top() {
    [ "$(message_box)" = "$(top_window)" ]
}

write_settings
start_xvfb
cat > "$work/x11.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
sleep 4
open 1 card 123456
expect WorkstationState=6 10
sleep 4
close
expect WorkstationState=2 10
sleep 4
SCRIPT
start_server x11 --quiet --script "$work/x11.txt"
start_x11_client x11-client

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
# The server runs on this computer: a box says so and waits for its answer before the
# client greets the server, while the lock window turns into an ordinary one.
wait_until 30 message_box_shown || fail "no message box about the server on this computer"
# Long enough for the lock window to have been made anew in its new kind.
sleep 1
wait_until 5 message_box_on_top || fail "the message box is hidden under another window"
xdotool key Return
wait_until 10 message_box_gone || fail "Return did not answer the message box"
wait_until 30 lock_window_gone || fail "the lock window stayed up during the session"
wait_until 30 lock_window_shown || fail "the lock window did not come back after the session"
wait_exit "$server_pid" 30 || fail "the server's script did not pass"
stop_pid "$client_pid"
