#!/usr/bin/env bash
# End to end on a real X server: a deactivated workstation connected to one stand-in
# server; the administrator opens the options dialog from the main window's Tools menu
# with the keyboard, types the port of a second stand-in server and saves. The client
# leaves the first server and greets the second one.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

first_port=46471
second_port=46472

# By their titles in the English pack (the locale here is C).
main_window() {
    xdotool search --onlyvisible --name '^OrvanClient - ' 2>/dev/null | head -n1
}

options_window() {
    xdotool search --onlyvisible --name '^OrvanClient - Settings$' 2>/dev/null | head -n1
}

main_window_shown() {
    [ -n "$(main_window)" ]
}

options_have_the_keyboard() {
    [ -n "$(options_window)" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(options_window)" ]
}

options_gone() {
    [ -z "$(options_window)" ]
}

# Started deactivated (no lock screen to get past), connected by name to the first
# server, with no administrator password so that the dialog opens unlocked.
write_settings '"wksnCheckSamePcAsServer"=dword:00000000' '' \
    '[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\Server]' '"Name"="127.0.0.1"' \
    "\"Port\"=\"$first_port\"" '"Automatic Server Connection"=dword:00000000'
printf '%s\n' '"Start active"=dword:00000000' >> "$work/config/OrvanetixClient/user.reg"
start_xvfb
cat > "$work/first.txt" <<'SCRIPT'
expect WorkstationName=pc-e2e 30
expect WorkstationState=1 10
expect -- 60
SCRIPT
cat > "$work/second.txt" <<'SCRIPT'
expect WorkstationName=pc-e2e 90
expect WorkstationState=1 10
SCRIPT
start_server first --quiet --tcp-port "$first_port" --udp-port 46473 --script "$work/first.txt"
first_pid=$server_pid
start_server second --quiet --tcp-port "$second_port" --udp-port 46474 \
    --script "$work/second.txt"
second_pid=$server_pid
start_x11_client options-client

wait_until 30 main_window_shown || fail "the deactivated workstation showed no main window"
wait_for_text "$work/first.log" "WorkstationState 1" 30 || fail "the first server was not greeted"
grep -q "WorkstationName" "$work/second.log" && fail "the second server was greeted too early"
# Tools (the second menu) → Settings..., as a person does it with the keyboard: F10 is
# not Qt's, so the menu bar is entered with a click on its first title.
xdotool windowactivate --sync "$(main_window)" 2>/dev/null || true
read -r x y < <(xwininfo -id "$(main_window)" | awk '/Absolute upper-left X:/ {x = $4}
    /Absolute upper-left Y:/ {print x, $4}')
xdotool mousemove $((x + 15)) $((y + 10)) click 1
sleep 1
xdotool key Right Return
wait_until 10 options_have_the_keyboard || fail "the options dialog did not open with the focus"
sleep 0.5
# Unlocked with a named server: the focus is in the server name; the port field follows.
xdotool key Tab ctrl+a
xdotool type --delay 20 "$second_port"
sleep 0.5
xdotool key Return                     # Save, the default button
wait_until 10 options_gone || fail "Save did not close the options dialog"
grep -q "\"Port\"=\"$second_port\"" "$machine_reg" || fail "the new port was not saved"
wait_exit "$first_pid" 60 || fail "the client did not leave the first server"
wait_exit "$second_pid" 90 || fail "the client did not greet the second server"
stop_pid "$client_pid"
