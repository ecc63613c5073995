#!/usr/bin/env bash
# End to end: a server older than the client's minimum version (1.9.300) makes the client
# disable itself for the rest of the run: it drops the connection, looks for no server
# any more, stays locked, says why on the lock screen and in its log, and keeps running.
source "$(dirname "$0")/common.sh"

write_settings

cat > "$work/disable.txt" <<'SCRIPT'
expect WorkstationState=2 30
raw AppVersion 1009299
expect -- 3
# Disabled for good: no new connection, hence no more reports.
count ++ 4 0 0
SCRIPT
start_server disable --quiet --keep-running --script "$work/disable.txt"
start_client client
wait_for_text "$work/disable.log" "script finished" 40 &&
    grep -qF "script finished: 0 failure(s)" "$work/disable.log" ||
    fail "the client did not disable itself"

kill -0 "$client_pid" 2>/dev/null || fail "the client stopped instead of staying disabled"
requests=$(awk '/^-- /{ dropped = 1 } dropped && /^\.\. discovery/{ n++ } END { print n + 0 }' \
    "$work/disable.log")
[ "$requests" -eq 0 ] || fail "the client still looks for a server: $requests discovery requests"
reason="The server version is insufficient (Current version: 1.9.299 - Required version: 1.9.300)"
# The reason shows over the lock screen in the program's own box, and goes to the log.
grep -qF "$reason" "$data/orvanclient.log" || fail "no log line giving the reason"
grep -qF "Context: %\$&######AppVersion# Payload: 1009299" "$data/orvanclient.log" ||
    fail "no log line for the server's version"
exit 0
