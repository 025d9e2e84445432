#!/usr/bin/env bash
# Updates apt's package lists, run through the command given (sudo, or a chroot of the
# emulated PC's root). A mirror in the middle of a sync fails an update now and then
# ("File has unexpected size"): it is tried again, then the lists already there are
# used, and the install that follows still fails if a package is not in them.
# Usage: apt-update.sh [COMMAND...]
set -uo pipefail
for attempt in 1 2 3; do
    "$@" apt-get update -qq && exit 0
    [ "$attempt" -lt 3 ] && sleep 15
done
echo "apt-update: apt-get update failed 3 times; using the lists already there" >&2
exit 0
