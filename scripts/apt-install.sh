#!/usr/bin/env bash
# Installs packages through the command given (sudo, or a chroot of the emulated PC's
# root ROOT; ROOT is "" for this machine). A mirror in the middle of a sync can leave a
# suite without its i386 list (scripts/apt-update.sh goes on without it): that suite's
# amd64 versions then cannot be matched by the i386 halves of the same libraries, so
# the install is tried again with every such suite pinned out.
# Usage: apt-install.sh ROOT [COMMAND...] -- APT_GET_INSTALL_ARGUMENT...
set -euo pipefail
root=$1
shift
command=()
while [ "$1" != -- ]; do command+=("$1"); shift; done
shift
install=("${command[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@")
"${install[@]}" && exit 0

suites=()
for list in "$root"/var/lib/apt/lists/*_binary-amd64_Packages*; do
    compgen -G "${list%%_binary-amd64_*}_binary-i386_Packages*" >/dev/null && continue
    suite=${list##*_dists_}
    suites+=("${suite%%_*}")
done
[ "${#suites[@]}" -gt 0 ] || exit 1
pins=/tmp/quillet-apt-pins.$$
for suite in $(printf '%s\n' "${suites[@]}" | sort -u); do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: -1\n\n' "$suite"
done >"$root$pins"
echo "apt-install: trying again without $(grep -c '^Pin:' "$root$pins") suite(s) whose i386 list is missing" >&2
status=0
"${install[@]}" -o Dir::Etc::Preferences="$pins" || status=$?
rm -f "$root$pins"
exit "$status"
