#!/usr/bin/env bash
# Redraws the README's pictures of the desktop program into docs/screenshots: the main
# dialog against a simulated HD40, the maintenance and serial settings dialogs.
# Usage: tools/screenshots.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target vexa-shots
out="$PWD/docs/screenshots"
mkdir -p "$out"
cd "$build/bin"
QT_QPA_PLATFORM=offscreen ./vexa-shots "$out"
