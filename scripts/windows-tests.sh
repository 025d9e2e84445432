#!/usr/bin/env bash
# Runs every test of one Windows build under Wine, on a virtual display.
# Usage: windows-tests.sh BUILD_DIR [CTEST_OPTION...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh "$1" --display
ctest --test-dir "$1" --output-on-failure "${@:2}"
