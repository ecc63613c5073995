#!/usr/bin/env bash
# End to end on a real X server with a notification area from Debian (trayer): during a
# card session the client's icon sits in the tray; a right click opens its menu, whose
# status entry swaps the full status window for the small one. Xvfb and trayer are
# started here and stopped by their process ids.
source "$(dirname "$0")/common.sh"

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

# The small status window, in the bottom-right corner.
small_window_shown() {
    windows | awk -v w="$width" -v h="$height" '$2 < w / 3 && $3 < 120 && $4 + $2 > w - 10 &&
        $5 + $3 > h - 10 {f = 1} END {exit !f}'
}

# The client's icon: its window inside trayer's panel, "id x y" of its middle.
tray_icon() {
    local panel
    panel=$(xdotool search --class trayer 2>/dev/null | while read -r id; do
        xwininfo -id "$id" 2>/dev/null | grep -q '"panel"' && echo "$id"; done | head -n1)
    [ -n "$panel" ] || return 1
    xwininfo -tree -id "$panel" 2>/dev/null | awk '/"orvanclient"/ {
        split($NF, at, "+"); split($(NF - 1), size, "[x+]");
        print $1, at[2] + int(size[1] / 2), at[3] + int(size[2] / 2); exit}'
}

tray_icon_shown() {
    [ -n "$(tray_icon)" ]
}

# A viewable popup menu of the client: a top-level window that is neither the lock
# window, nor a status window, nor trayer's panel.
popup_menu() {
    windows | awk -v w="$width" -v h="$height" '$2 < w && $3 < 200 && $5 + $3 < h - 10 &&
        $2 != 120 {print; exit}'
}

popup_menu_shown() {
    [ -n "$(popup_menu)" ]
}

write_settings
start_xvfb
trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
    > "$work/trayer.err" 2>&1 {e2e_lock}>&- &
started_pids+=("$!")
wait_until 10 xdotool search --class trayer || fail "trayer did not start"
cat > "$work/tray.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
sleep 3
open 1 card 123456
expect WorkstationState=6 10
sleep 25
close
expect WorkstationState=2 10
SCRIPT
start_server tray --quiet --script "$work/tray.txt"
ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    ORVAN_QUIT_AFTER_MS=70000 "$client" < /dev/null \
    > "$work/tray-client.out" 2> "$work/tray-client.err" {e2e_lock}>&- &
client_pid=$!
started_pids+=("$client_pid")

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
wait_until 30 message_box_shown || fail "no message box about the server on this computer"
sleep 1
xdotool key Return
wait_until 30 status_window_shown || fail "no status window during the session"
wait_until 10 tray_icon_shown || fail "no icon in the notification area"

read -r _ x y <<< "$(tray_icon)"
xdotool mousemove "$x" "$y" click 3
wait_until 10 popup_menu_shown || fail "a right click on the icon opened no menu"
# The status entry is the first: it swaps the full window for the small one.
read -r _ _ _ menu_x menu_y <<< "$(popup_menu)"
xdotool mousemove $((menu_x + 40)) $((menu_y + 10)) click 1
wait_until 10 status_window_gone || fail "the status entry left the full window up"
wait_until 10 small_window_shown || fail "the status entry did not bring the small window"
grep -q 'No notification area' "$data/orvanclient.log" 2>/dev/null &&
    fail "the client found no notification area beside trayer"
wait_exit "$server_pid" 40 || fail "the server's script did not pass"
stop_pid "$client_pid"
