#!/usr/bin/env bash
# End to end on a real X server with the lock library holding the keyboard: the manager
# presses the hidden Ctrl+Alt+Enter on the lock screen, the password dialog comes up over
# it, takes the typed administrator password (sent by the server) and deactivates the
# workstation. The check for a server on the same computer is switched off, so that the
# lock is engaged as on a customer's computer.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

# The dialog is titled with the program's name alone; its window is not full-screen.
password_dialog_shown() {
    local id
    for id in $(xdotool search --onlyvisible --name '^OrvanClient$' 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | grep -q -- "-geometry 1024x768+0+0" || return 0
    done
    return 1
}

write_settings '"wksnCheckSamePcAsServer"=dword:00000000'
start_xvfb
cat > "$work/deactivate.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
raw PasswordAdmin s3cret
expect WorkstationState=1 40
SCRIPT
start_server deactivate --quiet --script "$work/deactivate.txt"
start_x11_client deactivate-client

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
wait_for_text "$work/deactivate.log" "PasswordAdmin" 30 || fail "the password was not sent"
sleep 1
xdotool key ctrl+alt+Return
wait_until 10 password_dialog_shown || fail "the gesture brought up no password dialog"
sleep 1
xdotool type --delay 30 's3cret'
xdotool key Return
wait_exit "$server_pid" 30 || fail "the workstation was not deactivated by the password typed"
stop_pid "$client_pid"
