#!/usr/bin/env bash
# End to end: the real client finds the stand-in server on loopback, greets it, opens
# a card session the server asks for, takes a message and a recharge, and returns to
# its login screen when the server closes the session. The server's script checks
# what the client sends; its exit status is the verdict.
set -u
client=$1
server=$2
work=$(mktemp -d)
trap 'kill "$server_pid" "$client_pid" 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/var/OrvanetixClient" "$work/config/OrvanetixClient"
cat > "$work/var/OrvanetixClient/machine.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\General]
"Config Wizard"="1"
"Current Settings Version"="4"
"Workstation Name"="pc-e2e"

[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\Constants]
"cnxBroardcastAdr"="127.0.0.1"
REG
cat > "$work/config/OrvanetixClient/user.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\OrvanetixClient\General]
"Config Wizard"="1"
REG
cat > "$work/script.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 5
open 1 card 123456
expect SessionOpen=2 10
expect WorkstationState=6 10
msg Hello from the manager
recharge 5
expect RemainingTime 5
close
expect WorkstationState=2 10
SCRIPT

"$server" --bind 127.0.0.1 --quiet --script "$work/script.txt" > "$work/server.log" 2>&1 &
server_pid=$!
sleep 0.3
ORVAN_COMMON_APPDATA="$work/var" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
    ORVAN_QUIT_AFTER_MS=40000 "$client" > "$work/client.log" 2>&1 &
client_pid=$!

wait "$server_pid"
verdict=$?
kill "$client_pid" 2>/dev/null
wait "$client_pid" 2>/dev/null
if [ "$verdict" -ne 0 ]; then
    echo "---- server"; cat "$work/server.log"
    echo "---- client"; cat "$work/client.log"
    cat "$work/var/OrvanetixClient/"*.log 2>/dev/null
fi
exit "$verdict"
