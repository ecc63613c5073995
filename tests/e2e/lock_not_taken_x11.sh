#!/usr/bin/env bash
# End to end on a real X server: a lock that cannot be taken keeps the lock screen up, is
# tried again, and reaches the manager as a notice. Once with another program holding the
# keyboard before the client starts (the lock is taken once it lets go), once with the
# lock library missing from beside the client, once with the display refusing every
# connection but the front end's own (the library's connections go to a display where
# nothing listens, while the front end is told its display on the command line): then the
# grabs still hold on the front end's connection, and only the rest of the lock fails.
source "$(dirname "$0")/common.sh"

# A program of the customer's that grabs the keyboard and keeps it until stopped.
start_rival() {
    python3 -c '
import ctypes, sys, time
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_int, ctypes.c_ulong]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display = x.XOpenDisplay(None)
if not display or x.XGrabKeyboard(display, x.XDefaultRootWindow(display), 1, 1, 1, 0) != 0:
    sys.exit(1)
x.XSync(display, 0)
print("grabbed", flush=True)
time.sleep(600)
' > "$work/rival.out" 2>&1 {e2e_lock}>&- &
    rival_pid=$!
    started_pids+=("$rival_pid")
    wait_for_text "$work/rival.out" grabbed 10 || fail "the rival program did not grab the keyboard"
}

# run_locked NAME CLIENT [ARGS...]: a client locked on the private display next to a
# server that waits for the notice; the client's log is kept as NAME-run.log.
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
    if [ -n "${after_notice:-}" ]; then
        "$after_notice"
    fi
    stop_pid "$client_pid"
    cp "$data/orvanclient.log" "$work/$name-run.log"
    rm -f "$data/orvanclient.log"
}

# The server runs on this computer: without this the client would switch its lock off.
write_settings '"wksnCheckSamePcAsServer"=dword:00000000'
start_xvfb

start_rival
rival_lets_go() {
    stop_pid "$rival_pid"
    wait_for_text "$data/orvanclient.log" "Shell lock taken after" 20 ||
        fail "rival: the lock was not taken once the keyboard was free"
}
after_notice=rival_lets_go run_locked rival "$client"
grep -qF "Shell lock not taken (TaskSwitching_Enable_Disable)" "$work/rival-run.log" ||
    fail "rival: no log line for the keyboard held elsewhere"

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
