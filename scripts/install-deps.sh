#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quicktock and its packages
# need, where missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libgl-dev
    xvfb xauth openbox xdotool x11-utils x11-apps imagemagick librsvg2-bin python3
    fonts-ipafont-gothic fonts-dejavu-core
    util-linux dbus-daemon libcap2-bin
    clang libclang-rt-14-dev
    mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 locales
    dpkg-dev lintian appstream adduser
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi

# Wine runs the Windows tests in code page 932 with a Japanese locale: generate it once.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    if [ -f /etc/locale.gen ] && ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo_cmd[@]}" locale-gen >/dev/null || echo "ja_JP.UTF-8 not generated: the code page 932 test is skipped"
fi
