#!/usr/bin/env bash
# Measures how long the desktop program takes from its start until its main window is up
# (its single-instance socket listens right before the window is shown), over several runs.
# Usage: tools/startup_time.sh [build folder] [runs]   (QT_QPA_PLATFORM=xcb under an X server)
set -euo pipefail
bin="${1:-build}/bin"
runs="${2:-10}"
[ -x "$bin/vexa" ] || { echo "no $bin/vexa: build it first (cmake --build ${bin%/bin} --target vexa)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" XDG_RUNTIME_DIR="$work/run" XDG_STATE_HOME="$work/state"
export XDG_CONFIG_HOME="$work/config"
socket="$work/run/VEXAWndClass:0001"
for ((i = 1; i <= runs; i++)); do
  start=$(date +%s%N)
  "$bin/vexa" &
  pid=$!
  until [ -S "$socket" ]; do
    kill -0 "$pid" 2>/dev/null || { echo "vexa ended before showing its window" >&2; exit 1; }
    sleep 0.005
  done
  end=$(date +%s%N)
  echo "run $i: $(((end - start) / 1000000)) ms"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -f "$socket"
done
