#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian or Ubuntu machine.
set -euo pipefail
[ "$(id -u)" = 0 ] && SUDO= || SUDO=sudo

packages=(cmake ninja-build g++ clang libclang-rt-dev googletest libssl-dev
          mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb fonts-wqy-microhei fonts-wine
          locales imagemagick util-linux coreutils time dosfstools fusefat
          python3 dpkg-dev lintian man-db)
# The 32-bit Windows tests run under 32-bit Wine where the machine executes 32-bit code,
# otherwise inside an emulated PC (scripts/test-i686.sh).
if [ "${QUILLET_I686_RUNNER:-}" != guest ] && bash "$(dirname "$0")/i686/runs-32bit-code.sh"; then
    packages+=(wine32:i386 libxrender1:i386 libxrandr2:i386 libxinerama1:i386
               libxcursor1:i386 libxi6:i386 libxcomposite1:i386 libxfixes3:i386
               libxxf86vm1:i386 libdbus-1-3:i386 libgnutls30:i386)
else
    packages+=(qemu-system-x86 debootstrap e2fsprogs)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    case " ${missing[*]}" in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 ||
                 $SUDO dpkg --add-architecture i386 ;;
    esac
    bash "$(dirname "$0")/apt-update.sh" $SUDO
    bash "$(dirname "$0")/apt-install.sh" "" $SUDO -- "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale, which must exist: 936 from zh_CN, and
# for the tests of names under other code pages 1252 from en_US and 932 from ja_JP.
for quillet_locale in zh_CN en_US ja_JP; do
    if ! locale -a 2>/dev/null | grep -qi "^${quillet_locale}\.utf-\?8$"; then
        $SUDO localedef -i "$quillet_locale" -f UTF-8 "$quillet_locale.UTF-8"
    fi
done
