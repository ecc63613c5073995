# Shared by the end-to-end scripts that run the client on a real X server; sourced after
# common.sh. Xvfb is started here and stopped by its process id with the rest.

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

# start_x11_client NAME: the client on the X server, its output in NAME.out and NAME.err;
# it stops by itself after 60 s.
start_x11_client() {
    ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
        ORVAN_QUIT_AFTER_MS=60000 "$client" < /dev/null \
        > "$work/$1.out" 2> "$work/$1.err" {e2e_lock}>&- &
    client_pid=$!
    started_pids+=("$client_pid")
}
