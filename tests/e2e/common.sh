# Shared by the end-to-end scripts, which source it with the client and the stand-in
# server as their two arguments. It gives each test a scratch folder with the client's
# settings, starts and stops both programs by process id, bounds every wait, and prints
# every log when the test fails. Only the loopback address is ever used.
set -u -o pipefail

client=${1:?usage: $0 CLIENT SERVER}
server=${2:?usage: $0 CLIENT SERVER}

# The discovery and server ports are fixed, so end-to-end runs of other build trees on
# this computer must not overlap with this one. The programs started here do not inherit
# the lock, so one left behind cannot hold it.
exec {e2e_lock}>"${TMPDIR:-/tmp}/orvanclient-e2e.lock"
if ! flock -w 60 "$e2e_lock"; then
    echo "FAILED: another end-to-end run kept the loopback ports for 60 s"
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/orvan-e2e.XXXXXX")
data="$work/var/OrvanetixClient"
machine_reg="$data/machine.reg"
client_pid=
started_pids=()

show_logs() {
    local file
    for file in "$work"/*.log "$work"/*.out "$work"/*.err "$data"/*.log "$machine_reg"; do
        [ -f "$file" ] || continue
        echo "---- ${file#"$work"/}"
        cat "$file"
    done
}

# Stops a process started here: politely, then for good after two seconds.
stop_pid() {
    local pid=$1 tries=20
    kill -TERM "$pid" 2>/dev/null || return 0
    while kill -0 "$pid" 2>/dev/null && [ "$tries" -gt 0 ]; do
        sleep 0.1
        tries=$((tries - 1))
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

finish() {
    local status=$?
    trap - EXIT INT TERM
    # Last started first: the client goes before the server it talks to and the
    # display it draws on, so that its log does not end in their disappearance.
    local i
    for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
        stop_pid "${started_pids[i]}"
    done
    if [ "$status" -ne 0 ]; then
        show_logs
    fi
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

fail() {
    echo "FAILED: $*"
    exit 1
}

# The client's settings: set up, automatic connection, broadcasts to the loopback only.
# Arguments are extra '"name"="value"' lines for the Constants section.
write_settings() {
    mkdir -p "$data" "$work/config/OrvanetixClient"
    {
        printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
            '[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\General]' \
            '"Config Wizard"="1"' '"Current Settings Version"="4"' '"Workstation Name"="pc-e2e"' \
            '' '[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\Constants]' \
            '"cnxBroardcastAdr"="127.0.0.1"'
        printf '%s\n' "$@"
    } > "$machine_reg"
    printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\OrvanetixClient\General]' '"Config Wizard"="1"' \
        > "$work/config/OrvanetixClient/user.reg"
}

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, checked ten times a second.
wait_until() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
        tries=$((tries - 1))
    done
}

# wait_for_text FILE TEXT SECONDS: true once FILE holds TEXT.
wait_for_text() {
    wait_until "$3" grep -qF -- "$2" "$1" 2>/dev/null
}

# start_xvfb: a private X server, 1024x768, stopped with the rest; exports its DISPLAY.
start_xvfb() {
    local fd_file="$work/display"
    exec {display_fd}>"$fd_file"
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset \
        > "$work/xvfb.err" 2>&1 {e2e_lock}>&- &
    started_pids+=("$!")
    exec {display_fd}>&-
    wait_until 10 test -s "$fd_file" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fd_file" | tr -d '[:space:]')"
}

# start_server NAME ARGS...: the stand-in server on the loopback, its output in NAME.log;
# sets server_pid once both its sockets are bound.
start_server() {
    local name=$1
    shift
    "$server" --bind 127.0.0.1 "$@" < /dev/null > "$work/$name.log" 2>&1 {e2e_lock}>&- &
    server_pid=$!
    started_pids+=("$server_pid")
    wait_for_text "$work/$name.log" "cafe server on" 5 || fail "$name did not start"
}

# start_client NAME [SWITCHES...]: the client, offscreen, its standard output and error
# in NAME.out and NAME.err; it stops by itself after 40 s. No DISPLAY: the lock library
# beside the client would otherwise lock the desktop the tests run on.
start_client() {
    local name=$1
    shift
    ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
        DISPLAY= ORVAN_QUIT_AFTER_MS=40000 "$client" "$@" < /dev/null \
        > "$work/$name.out" 2> "$work/$name.err" {e2e_lock}>&- &
    client_pid=$!
    started_pids+=("$client_pid")
}

# wait_exit PID SECONDS: the exit status of PID, or 124 (and PID stopped) after SECONDS.
wait_exit() {
    local pid=$1 tries=$(($2 * 10))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$tries" -le 0 ]; then
            echo "process $pid still running after $2 s"
            stop_pid "$pid"
            return 124
        fi
        sleep 0.1
        tries=$((tries - 1))
    done
    wait "$pid"
}

# run_script NAME SECONDS [SWITCHES...]: a server running the script NAME.txt (its output
# in NAME.log) next to a client started with SWITCHES (its output in NAME-client.out and
# .err); fails the test unless the script ends within SECONDS with every expectation met.
# The client is stopped afterwards.
run_script() {
    local name=$1 seconds=$2
    shift 2
    start_server "$name" --quiet --script "$work/$name.txt"
    start_client "$name-client" "$@"
    wait_exit "$server_pid" "$seconds" || fail "the server's script $name did not pass"
    stop_pid "$client_pid"
}

# True when a viewable top-level window covers the whole 1024x768 screen.
lock_window_shown() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
        if xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" &&
            xwininfo -id "$id" 2>/dev/null | grep -q -- "-geometry 1024x768+0+0"; then
            return 0
        fi
    done
    return 1
}

lock_window_gone() {
    ! lock_window_shown
}
