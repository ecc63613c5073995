# Shared by the end-to-end scripts that run the client on a private Xvfb (sourced after
# common.sh): the display, the client on it, and what the windows on it look like to
# xwininfo (no window manager runs, so geometries are exact).

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

lock_window_gone() {
    ! lock_window_shown
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

# The server runs on this computer: the client asks to have that confirmed in a box first,
# answered here with Return as a person would.
confirm_same_computer() {
    wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
    wait_until 30 message_box_shown || fail "no message box about the server on this computer"
    sleep 1
    xdotool key Return
}

# start_x11_client NAME: the client on the display, its output in NAME.out and .err.
start_x11_client() {
    ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
        ORVAN_QUIT_AFTER_MS=70000 "$client" < /dev/null \
        > "$work/$1.out" 2> "$work/$1.err" {e2e_lock}>&- &
    client_pid=$!
    started_pids+=("$client_pid")
}
