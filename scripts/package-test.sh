#!/usr/bin/env bash
# Builds the Debian package, installs it on this computer, checks what it installed
# (owners, groups, modes, the setgid bit), runs the installed client offscreen against the
# stand-in server of the ci build for a card session while checking that it ignores the
# environment overrides of test builds, then purges it and checks that nothing is left.
# Run as root, after the ci build (it takes the stand-in server from there).
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)
server="$source/build/ci/tools/cafe-server/orvan-cafe-server"
[ -x "$server" ] || { echo "build the ci preset first: no $server" >&2; exit 1; }

program=/usr/lib/orvanclient/orvanclient
data=/var/lib/OrvanetixClient
work=$(mktemp -d "${TMPDIR:-/tmp}/orvan-package.XXXXXX")
server_pid=
client_pid=

finish() {
    local status=$?
    for pid in $client_pid $server_pid; do
        kill -KILL "$pid" 2>/dev/null || true
    done
    if [ "$status" -ne 0 ]; then
        for file in "$work"/*.log "$data"/orvanclient.log; do
            [ -f "$file" ] && { echo "---- $file"; cat "$file"; }
        done
    fi
    if dpkg-query -W -f='${Status}' orvanclient 2>/dev/null | grep -q installed; then
        apt-get purge -y orvanclient >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# expect_stat PATH "MODE USER GROUP"
expect_stat() {
    local got
    got=$(stat -c '%a %U %G' "$1") || fail "$1 is missing"
    [ "$got" = "$2" ] || fail "$1 is $got, not $2"
}

echo "== building the package"
# The compiler cache stays the user's: debhelper gives the build a home of its own.
export CCACHE_DIR=${CCACHE_DIR:-$(ccache --get-config cache_dir 2>/dev/null || echo "$HOME/.cache/ccache")}
rm -f ../orvanclient_*.deb ../orvanclient-dbgsym_*.deb
dpkg-buildpackage -us -uc -b > "$work/build.log" 2>&1 || { tail -n 60 "$work/build.log"; fail "dpkg-buildpackage"; }
deb=$(ls ../orvanclient_*.deb)
echo "== lintian (reported, not fatal)"
lintian --tag-display-limit 0 "$deb" || true

echo "== installing it, with the set-up questions answered in advance"
debconf-set-selections <<'ANSWERS'
orvanclient orvanclient/admin-password password pkg-secret
orvanclient orvanclient/workstation-name string pc-preseed
orvanclient orvanclient/server string cafe-server
orvanclient orvanclient/kiosk-account string customer
ANSWERS
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$(realpath "$deb")" > "$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt install"; }
expect_stat "$program" "2755 root orvanclient"
expect_stat "$data" "2770 root orvanclient"
expect_stat "$data/users" "2770 root orvanclient"
expect_stat /usr/lib/orvanclient/libwinlock.so "644 root root"
expect_stat /usr/lib/orvanclient/orvanclient_gb.lang "644 root root"
[ "$(readlink -f /usr/bin/orvanclient)" = "$program" ] || fail "/usr/bin/orvanclient"
for file in /usr/share/xsessions/orvanclient-kiosk.desktop \
    /etc/X11/xorg.conf.d/50-orvanclient-hardening.conf /etc/sysctl.d/50-orvanclient.conf \
    /lib/systemd/system/orvanclient-guard.service /usr/share/man/man1/orvanclient.1.gz \
    /usr/share/orvanclient/messages/en_intro.rtf /etc/xdg/autostart/orvanclient.desktop; do
    [ -f "$file" ] || fail "$file is missing"
done
grep -qF '"Workstation Name"="pc-preseed"' "$data/machine.reg" || fail "the answers are not set"
grep -qF '"Config Wizard"="1"' "$data/users/customer.reg" || fail "the customer's wizard"
expect_stat "$data/machine.reg" "660 root orvanclient"
! grep -q pkg-secret "$data/machine.reg" || fail "the password is stored in clear"
debconf-show orvanclient | grep admin-password | grep -qv pkg-secret ||
    fail "debconf kept the password"
dpkg-query -W -f='${Conffiles}\n' orvanclient | grep -q /etc/sysctl.d/50-orvanclient.conf ||
    fail "the sysctl snippet is no conffile"

echo "== a card session on the installed client"
{
    printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\General]' \
        '"Config Wizard"="1"' '"Current Settings Version"="4"' '"Workstation Name"="pc-pkg"' \
        '' '[HKEY_LOCAL_MACHINE\Software\OrvanetixClient\Constants]' \
        '"cnxBroardcastAdr"="127.0.0.1"' '"wksnCheckSamePcAsServer"=dword:00000000'
} > "$data/machine.reg"
printf '%s\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\OrvanetixClient\General]' '"Config Wizard"="1"' \
    > "$data/users/$(id -un).reg"
chgrp orvanclient "$data/machine.reg" "$data/users/$(id -un).reg"
chmod 0660 "$data/machine.reg" "$data/users/$(id -un).reg"
cat > "$work/session.txt" <<'SCRIPT'
expect WorkstationName 30
expect WorkstationState=2 10
open 1 card 123456
expect WorkstationState=6 10
close
expect WorkstationState=2 10
SCRIPT
"$server" --bind 127.0.0.1 --quiet --script "$work/session.txt" > "$work/server.log" 2>&1 &
server_pid=$!
mkdir -p "$work/elsewhere"
# Overrides a test build would follow: the installed client must not.
QT_QPA_PLATFORM=offscreen ORVAN_COMMON_APPDATA="$work/elsewhere" ORVAN_QUIT_AFTER_MS=1000 \
    /usr/bin/orvanclient < /dev/null > "$work/client.log" 2>&1 &
client_pid=$!
for _ in $(seq 600); do
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
done
wait "$server_pid" || fail "the card session on the installed client"
server_pid=
kill -0 "$client_pid" 2>/dev/null || fail "the installed client followed ORVAN_QUIT_AFTER_MS"
kill -TERM "$client_pid"
wait "$client_pid" 2>/dev/null || true
client_pid=
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the installed client followed ORVAN_COMMON_APPDATA"
[ -f "$data/orvanclient.log" ] || fail "no log in the data folder"
expect_stat "$data/orvanclient.log" "660 root orvanclient"

echo "== purging it"
apt-get purge -y orvanclient > "$work/purge.log" 2>&1 || { cat "$work/purge.log"; fail "apt purge"; }
for path in /usr/lib/orvanclient /usr/bin/orvanclient "$data" \
    /usr/share/xsessions/orvanclient-kiosk.desktop /etc/sysctl.d/50-orvanclient.conf; do
    [ ! -e "$path" ] || fail "$path is left after the purge"
done
! dpkg-statoverride --list "$program" >/dev/null || fail "the setgid override is left"
rm -f ../orvanclient_*.deb ../orvanclient-dbgsym_*.deb ../orvanclient_*.buildinfo ../orvanclient_*.changes
echo "package: built, installed, checked and purged"
