#!/usr/bin/env bash
# Checks that the release files come out the same from another folder at another time:
# packages the work tree's tracked files again in a scratch folder and compares every
# file with the one scripts/package.sh left in dist/.
# Usage: reproducible.sh [DIST_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dist=$(cd "${1:-dist}" && pwd)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
scratch=$(mktemp -d /tmp/quillet-reproducible.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# A deeper folder with another name, so that a path in a file shows as a difference.
copy=$scratch/elsewhere/source
mkdir -p "$copy"
git ls-files -z | tar --null -T - -cf - | tar -C "$copy" -xf -
echo "== reproducible: packaging again in $copy"
bash "$copy/scripts/package.sh" "$scratch/dist" >/dev/null
status=0 files=0
for f in "$dist"/*; do
    files=$((files + 1))
    cmp -s "$f" "$scratch/dist/${f##*/}" || { echo "differs: ${f##*/}"; status=1; }
done
[ "$(ls "$dist")" = "$(ls "$scratch/dist")" ] || { echo "differs: the list of files"; status=1; }
[ "$status" -eq 0 ] && echo "== reproducible: every file in $dist is the same ($files files)"
exit "$status"
