#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian or Ubuntu machine.
set -euo pipefail
[ "$(id -u)" = 0 ] && SUDO= || SUDO=sudo

packages=(cmake ninja-build g++ clang libclang-rt-dev googletest
          mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb fonts-wqy-microhei fonts-wine
          locales imagemagick util-linux coreutils time dosfstools fusefat)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    $SUDO apt-get update -qq
    [ "${#missing[@]}" -gt 0 ] && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (936) from a zh_CN locale, which must exist.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    $SUDO localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
