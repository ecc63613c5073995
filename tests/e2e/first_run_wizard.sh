#!/usr/bin/env bash
# End to end on a real X server, from an empty data folder and no user settings: the
# client starts into the setup wizard, which is driven with the keyboard as a person
# would (the stand-in server's address and port, a workstation name, Finish with
# "activate now"). The client then locks the screen, connects and greets the server
# with that name. A second start goes straight to the lock screen without the wizard.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

# By its title in the English pack (the locale here is C); the main window, shown while
# the computer is not set up, is titled after the computer.
wizard() {
    xdotool search --onlyvisible --name '^OrvanClient - Configuration wizard$' 2>/dev/null |
        head -n1
}

wizard_shown() {
    [ -n "$(wizard)" ]
}

wizard_gone() {
    ! wizard_shown
}

wizard_has_the_keyboard() {
    [ -n "$(wizard)" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(wizard)" ]
}

# Keys for the wizard, with time for a loaded computer to show the next page.
keys() {
    xdotool key "$@"
    sleep 1
}

# The server runs on this computer: the client says so once it has connected (the lock
# window may come only afterwards, behind the wizard).
answer_same_computer_box() {
    wait_until 30 message_box_shown || fail "no message box about the server on this computer"
    sleep 0.5
    xdotool key Return
}

# Nothing prepared: no data folder, no user settings.
mkdir -p "$work/var" "$work/config"
start_xvfb
cat > "$work/first-run.txt" <<'SCRIPT'
expect WorkstationName=pc-wizard 60
expect WorkstationState=2 10
expect -- 30
expect WorkstationName=pc-wizard 60
expect WorkstationState=2 10
SCRIPT
start_server first-run --quiet --tcp-port 46461 --script "$work/first-run.txt"
start_x11_client first
wait_until 30 wizard_has_the_keyboard || fail "the setup wizard did not appear with the focus"
keys Return                            # welcome page: Next
keys Down                              # connect to the server named here
keys Tab
xdotool type --delay 20 '127.0.0.1'
keys Tab ctrl+a
xdotool type --delay 20 '46461'
keys Return                            # Next: the workstation name
xdotool type --delay 20 'pc-wizard'
for page in start-up rights finish; do
    keys Return                        # Next
done
keys Return                            # Finish, "activate now" checked as "start active"
wait_until 10 wizard_gone || fail "Finish did not close the wizard"
grep -q '"Config Wizard"="1"' "$work/var/OrvanetixClient/machine.reg" ||
    fail "the machine's marker was not written"
grep -q '"Config Wizard"="1"' "$work/config/OrvanetixClient/user.reg" ||
    fail "the user's marker was not written"
wait_until 10 lock_window_shown || fail "no lock screen after activating now"
answer_same_computer_box
sleep 2
stop_pid "$client_pid"

start_x11_client second
answer_same_computer_box
wait_exit "$server_pid" 60 || fail "the server's script did not pass"
wizard_gone || fail "the wizard came again after it was finished"
stop_pid "$client_pid"
