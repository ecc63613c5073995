#!/usr/bin/env bash
# End to end on a real X server: the client covers the whole screen with its lock window,
# takes it away when the stand-in server opens a card session and puts it back when the
# server closes the session. Xvfb is started here and stopped by its process id.
source "$(dirname "$0")/common.sh"

start_xvfb() {
    local fd_file="$work/display"
    exec {display_fd}>"$fd_file"
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset \
        > "$work/xvfb.err" 2>&1 {e2e_lock}>&- &
    started_pids+=("$!")
    exec {display_fd}>&-
    wait_until 10 test -s "$fd_file" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fd_file" | tr -d '[:space:]')"
}

# True when a viewable top-level window covers the whole 1024x768 screen.
lock_window_shown() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" &&
            xwininfo -id "$id" 2>/dev/null | grep -q -- "-geometry 1024x768+0+0"; then
            return 0
        fi
    done
    return 1
}

lock_window_gone() {
    ! lock_window_shown
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
ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    ORVAN_QUIT_AFTER_MS=60000 "$client" < /dev/null \
    > "$work/x11-client.out" 2> "$work/x11-client.err" {e2e_lock}>&- &
client_pid=$!
started_pids+=("$client_pid")

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
wait_until 30 lock_window_gone || fail "the lock window stayed up during the session"
wait_until 30 lock_window_shown || fail "the lock window did not come back after the session"
wait_exit "$server_pid" 30 || fail "the server's script did not pass"
stop_pid "$client_pid"
