#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. Quick when
# everything is there already; run as root (or through sudo).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config make python3 ccache
    debhelper dpkg-dev fakeroot lintian
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev
    qt6-base-dev libgl-dev libegl-dev libfontconfig-dev
    libsystemd-dev libpulse-dev libasound2-dev
    xvfb xauth xdotool x11-xkb-utils x11-utils trayer
    libxcb1-dev libxcb-ewmh-dev libxcb-icccm4-dev libxcb-randr0-dev libxcb-xtest0-dev
    libxcb-res0-dev
    dbus-daemon at-spi2-core firefox-esr
    fonts-thai-tlwg fonts-dejavu-core fonts-liberation2
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ] || [ "${FORCE_APT:-0}" = 1 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${packages[@]}"
fi
