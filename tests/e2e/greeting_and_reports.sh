#!/usr/bin/env bash
# End to end: discovery and connection, then what the client says by itself: the greeting
# in its order (with the backup date only when a server database backup lies in the data
# folder), then the status report in its order, twice a second.
source "$(dirname "$0")/common.sh"

# Local time seven hours ahead of UTC: a file date sent in UTC would be off by as much.
export TZ=ICT-7
computer=$(uname -n | tr '[:upper:]' '[:lower:]')
write_settings

cat > "$work/plain.txt" <<SCRIPT
expect AppVersion=1009300 30
next WorkstationName=pc-e2e 5
next ComputerName=$computer 5
next RdyForServScreen=-1 5
# Four messages without a backup: the first status report follows at once.
next WorkstationState=2 5
next SessionType=0 2
next ElapsedTime=0 2
next UserID= 2
next ConnectedTime=0 2
next CnxtTimeOffPeak=0 2
next DisconnectedTime=0 2
# Every 500 ms: six in three seconds, give or take one for timer jitter.
count WorkstationState 3 5 7
SCRIPT
run_script plain 40

# 2 January 2024 06:00 local time is day 45293 and a quarter.
touch -d '2024-01-02 06:00:00' "$data/server_db_backup.mdb"
cat > "$work/backup.txt" <<SCRIPT
expect AppVersion=1009300 30
next WorkstationName=pc-e2e 5
next ComputerName=$computer 5
next RdyForServScreen=-1 5
next DBBackupDte=45293.25 5
next WorkstationState=2 5
SCRIPT
run_script backup 40
