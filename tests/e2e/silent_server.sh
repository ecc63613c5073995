#!/usr/bin/env bash
# End to end: a server that stays connected but says nothing is dropped once the
# heartbeat period has passed, and found again; a server that sends its heartbeats
# within the period is kept.
source "$(dirname "$0")/common.sh"

write_settings '"wksnHeartBeatCheck"="3"'

cat > "$work/silent.txt" <<'SCRIPT'
expect WorkstationName 30
# Nothing reaches the client after the answer to its greeting: not dropped too early...
count -- 2 0 0
# ...but dropped after three seconds, then found again.
expect -- 4
expect ++ 10
next AppVersion 5
expect WorkstationState 5
SCRIPT
start_server silent --quiet --keep-running --heartbeat 0 --script "$work/silent.txt"
start_client client
wait_for_text "$work/silent.log" "script finished" 40 &&
    grep -qF "script finished: 0 failure(s)" "$work/silent.log" ||
    fail "the silent server was not dropped and found again"
stop_pid "$server_pid"

cat > "$work/beating.txt" <<'SCRIPT'
expect WorkstationName 30
count -- 6 0 0
SCRIPT
start_server beating --quiet --heartbeat 1 --script "$work/beating.txt"
wait_exit "$server_pid" 40 || fail "a server sending heartbeats was dropped"

# The warning about the server on this same computer comes once per run, not once per
# connection.
warnings=$(grep -c "runs on this computer" "$work/client.err")
[ "$warnings" -eq 1 ] || fail "the same-computer warning came $warnings times"
exit 0
