#!/usr/bin/env bash
# End to end: received files land byte for byte in the data folder under the name for
# their kind (0 the lock screen's welcome text, 1 its text while blocked), with the
# settings pointing at them. The client's in-memory limit is lowered to 1000 bytes: the
# first file, a few hundred kilobytes, arrives in several pieces and goes through the
# temporary payload file; the second, 20 KB, normally arrives in one piece and is taken
# from memory. Both carry every byte value.
source "$(dirname "$0")/common.sh"

write_settings '"cnxMinSizeTmpFileStore"="1000"'

# About 300 KB of rich text, with every byte value in it once, and bytes beyond ASCII
# on every line: the content must come through as bytes, not as re-encoded text.
{
    printf '{\\rtf1\\ansi\\deff0 {\\fonttbl {\\f0 Tahoma;}}\n'
    for ((i = 1; i <= 5000; i++)); do
        printf '\\par Line %d of the welcome text: caf\xe9, \xa4 %d, \x80\x81\x9f\xff\n' \
            "$i" $((i * 7))
    done
    for ((i = 0; i < 256; i++)); do
        printf "\\x$(printf %02x "$i")"
    done
    printf '\n}\n'
} > "$work/intro.rtf"
{
    head -c 20000 "$work/intro.rtf"
    tail -c 259 "$work/intro.rtf"
} > "$work/blocked.rtf"

cat > "$work/file.txt" <<SCRIPT
expect WorkstationName 30
expect WorkstationState=2 5
file 0 $work/intro.rtf
# Still connected and reporting after it.
expect WorkstationState 5
file 1 $work/blocked.rtf
expect WorkstationState 5
SCRIPT
start_server file --quiet --keep-running --script "$work/file.txt"
# -d writes the stream's switches to and from the payload file into the log.
start_client client -d
wait_for_text "$work/file.log" "script finished" 40 &&
    grep -qF "script finished: 0 failure(s)" "$work/file.log" || fail "the file was not sent"

same_files() {
    cmp -s "$work/intro.rtf" "$data/intro.rtf" && cmp -s "$work/blocked.rtf" "$data/blocked.rtf"
}
wait_until 10 same_files || {
    cmp "$work/intro.rtf" "$data/intro.rtf"
    cmp "$work/blocked.rtf" "$data/blocked.rtf"
    fail "the files in the data folder differ from the files sent"
}
[ ! -e "$data/received_file.tmp" ] || fail "received_file.tmp is left behind"
grep -qF "BEGIN TempFileStorage" "$data/orvanclient.log" &&
    grep -qF "END TempFileStorage" "$data/orvanclient.log" ||
    fail "the large file did not go through the payload file"
grep -qF '"Message & Logo Files Type"=dword:00000001' "$machine_reg" ||
    fail "the lock screen is not switched to the received texts"
grep -qF "\"Intro\"=\"$data/intro.rtf\"" "$machine_reg" &&
    grep -qF "\"Blocked\"=\"$data/blocked.rtf\"" "$machine_reg" ||
    fail "the texts' paths are not recorded"
exit 0
