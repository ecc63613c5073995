#!/usr/bin/env bash
# End to end on a real X server: a program the customer opened during a card session is
# gone once the stand-in server closes the session and the lock screen is back, and a
# program named in the kill list is ended half a minute after the lock screen comes up.
# The client runs from a program folder of this test's own (its kill list and kill log),
# and is told not to treat the server on this computer as a reason to close nothing.
source "$(dirname "$0")/common.sh"
source "$(dirname "$0")/x11.sh"

program_folder="$work/program"
victim_name=orvan-e2e-victim

program_running() {
    pgrep -f -- "$1" > /dev/null
}

program_gone() {
    ! program_running "$1"
}

write_settings '"wksnCheckSamePcAsServer"="0"'
mkdir -p "$program_folder"
printf '%s\n' "$victim_name" > "$program_folder/kill.txt"
cp /bin/sleep "$work/$victim_name"
start_xvfb
cat > "$work/apps.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
sleep 2
open 1 card 123456
expect WorkstationState=6 10
sleep 4
close
expect WorkstationState=2 10
sleep 40
SCRIPT
start_server apps --quiet --script "$work/apps.txt"
ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
    ORVAN_PROGRAM_FOLDER="$program_folder" ORVAN_QUIT_AFTER_MS=90000 "$client" < /dev/null \
    > "$work/apps-client.out" 2> "$work/apps-client.err" {e2e_lock}>&- &
client_pid=$!
started_pids+=("$client_pid")

wait_until 30 lock_window_shown || fail "no full-screen lock window at the login screen"
wait_until 30 lock_window_gone || fail "the session did not start"
xmessage -name orvan-e2e-customer "the customer's notes" {e2e_lock}>&- &
started_pids+=("$!")
wait_until 5 program_running orvan-e2e-customer || fail "the customer's program did not start"
wait_until 30 lock_window_shown || fail "the lock window did not come back after the session"
wait_until 10 program_gone orvan-e2e-customer || fail "the customer's program outlived the session"

"$work/$victim_name" 600 {e2e_lock}>&- &
victim_pid=$!
started_pids+=("$victim_pid")
sleep 20
program_running "$victim_name" || fail "the kill list ran before its half minute"
wait_exit "$victim_pid" 20 > /dev/null
[ $? -ne 124 ] || fail "the kill list did not end $victim_name"
grep -q "$victim_name" "$program_folder/logkillfile.log" || fail "the kill log does not name it"
wait_exit "$server_pid" 40 || fail "the server's script did not pass"
stop_pid "$client_pid"
