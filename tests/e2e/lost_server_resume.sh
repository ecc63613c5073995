#!/usr/bin/env bash
# End to end: the server dies in the middle of a card session. The client keeps the
# session going, writes its snapshot into the machine settings while nobody hears it,
# and hands the snapshot over when a new server comes up on the same ports.
source "$(dirname "$0")/common.sh"

write_settings

cat > "$work/first.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 5
open 1 card 123456
expect SessionOpen=2 10
expect WorkstationState=6 10
sleep 1
SCRIPT
start_server first --quiet --keep-running --script "$work/first.txt"
start_client client
wait_for_text "$work/first.log" "script finished" 30 || fail "no card session"
grep -qF "script finished: 0 failure(s)" "$work/first.log" || fail "no card session"

# Gone without a goodbye.
kill -KILL "$server_pid"
wait "$server_pid" 2>/dev/null

# The snapshot, trailing padding removed; fields apart at "#".
snapshot() {
    sed -n 's/^"Serialized User"="\(.*\)"$/\1/p' "$machine_reg" | sed 's/ *$//'
}
has_snapshot() {
    [ -n "$(snapshot)" ]
}
wait_until 5 has_snapshot || fail "no session snapshot written after the server went away"
IFS='#' read -r -a before <<< "$(snapshot)"
sleep 1.5
IFS='#' read -r -a after <<< "$(snapshot)"
echo "snapshot: ${after[*]}"
[[ ${after[0]} =~ ^[0-9]+$ ]] || fail "the snapshot has no session number"
[ "${after[1]}" = 2 ] || fail "the snapshot is not of a card session"
[ "${after[7]-}" = 123456 ] || fail "the snapshot does not name the card"
# Still counting: more time elapsed, and credit used while the server could not hear.
awk -v a="${before[2]}" -v b="${after[2]}" -v used="${after[8]-0}" \
    'BEGIN { exit !(b > a && used > 0) }' || fail "the session stopped counting offline"

cat > "$work/second.txt" <<'SCRIPT'
expect AppVersion 30
next WorkstationName=pc-e2e 5
next ComputerName 5
next RdyForServScreen=-1 5
# Right after the greeting: the snapshot, checked below.
next SessionResume 5
expect WorkstationState=6 5
SCRIPT
start_server second --quiet --keep-running --script "$work/second.txt"
wait_for_text "$work/second.log" "script finished" 40 &&
    grep -qF "script finished: 0 failure(s)" "$work/second.log" ||
    fail "the client did not resume its session with the new server"
# One text: state 6 (a session in connected use), 1 (that session still runs here), then
# the snapshot as written.
grep -qF "SessionResume 6#1#${after[0]}#2#" "$work/second.log" ||
    fail "the resume does not carry the running session's snapshot"
# Checked while this server still listens: without it the snapshot comes back at once.
has_snapshot && fail "the snapshot was not cleared after the hand-over"
exit 0
