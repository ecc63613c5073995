#!/usr/bin/env bash
# End to end on a real X server: a lock that cannot be taken keeps the lock screen up, is
# tried again, and reaches the manager as a notice. Once with the lock library missing
# from beside the client, once with the display refusing every connection but the
# front end's own (the library's connections go to a display where nothing listens,
# while the front end is told its display on the command line): then the grabs still
# hold on the front end's connection, and only the rest of the lock fails.
source "$(dirname "$0")/common.sh"

# run_locked NAME CLIENT [ARGS...]: a client locked on the private display next to a
# server that waits for the notice; the client's log is kept as NAME.log.
run_locked() {
    local name=$1 program=$2
    shift 2
    cat > "$work/$name.txt" <<'SCRIPT'
expect WorkstationState=2 30
expect MessageSend 20
SCRIPT
    start_server "$name" --quiet --script "$work/$name.txt"
    ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb \
        ORVAN_QUIT_AFTER_MS=60000 "$program" "$@" < /dev/null \
        > "$work/$name-client.out" 2> "$work/$name-client.err" {e2e_lock}>&- &
    client_pid=$!
    started_pids+=("$client_pid")
    wait_exit "$server_pid" 45 || fail "$name: the manager was not told"
    stop_pid "$client_pid"
    cp "$data/orvanclient.log" "$work/$name-run.log"
    rm -f "$data/orvanclient.log"
}

# The server runs on this computer: without this the client would switch its lock off.
write_settings '"wksnCheckSamePcAsServer"=dword:00000000'
start_xvfb

mkdir -p "$work/bare"
cp "$client" "$work/bare/"
run_locked missing "$work/bare/$(basename "$client")"
grep -qF "File not found: lock library" "$work/missing-run.log" ||
    fail "missing: no log line for the missing library"
grep -qF "the manager was told" "$work/missing-run.log" ||
    fail "missing: the notice is not in the log"

display=$DISPLAY
DISPLAY=:999 run_locked refused "$client" -display "$display"
grep -qF "Shell lock not taken (CtrlAltDel_Enable_Disable Desktop_Show_Hide Taskbar_Show_Hide)" \
    "$work/refused-run.log" || fail "refused: the grabs did not hold on the front end's connection"
grep -qF "the manager was told" "$work/refused-run.log" ||
    fail "refused: the notice is not in the log"
exit 0
