#!/usr/bin/env bash
# End to end: the real client finds the stand-in server on loopback, greets it, opens
# a card session the server asks for, takes a message and a recharge, and returns to
# its login screen when the server closes the session. The server's script checks
# what the client sends; its exit status is the verdict.
source "$(dirname "$0")/common.sh"

write_settings
cat > "$work/card.txt" <<'SCRIPT'
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
run_script card 60
