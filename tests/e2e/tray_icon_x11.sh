#!/usr/bin/env bash
# End to end on a real X server with a notification area from Debian (trayer): during a
# card session the client's icon sits in the tray; a right click opens its menu, whose
# status entry swaps the full status window for the small one. Xvfb and trayer are
# started here and stopped by their process ids.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

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
start_x11_client tray-client

confirm_same_computer
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
