#!/usr/bin/env bash
# The real vexa on a real X server (ctest runs this under xvfb-run): its window opens on the
# xcb platform, a real key links it to a simulated HD40, real mouse clicks switch to the clone
# view, upload (the stop window comes and goes), upload again and end the program with SIGTERM
# in the middle of it: the upload stops and the window closes as its close box would close it.
# Usage: xcb_smoke.sh BIN_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
for tool in xdotool xvfb-run; do
  command -v "$tool" >/dev/null || { echo "xcb smoke test: $tool is missing (tools/deps.sh)"; exit 1; }
done
[ -n "${DISPLAY:-}" ] || { echo "xcb smoke test: no X display (run it under xvfb-run)"; exit 1; }

work=$(mktemp -d)
sim=""
vexa=""
cleanup() {
  [ -n "$vexa" ] && kill "$vexa" 2>/dev/null && wait "$vexa" 2>/dev/null
  [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
fail() {
  echo "xcb smoke test: $1"
  echo "--- log"; cat "$work/program/tra.txt" 2>/dev/null || true
  echo "--- vexa's standard error"; cat "$work/vexa.err" 2>/dev/null || true
  exit 1
}
# Waits up to 20 s for the log to hold a line.
await_log() {
  for _ in $(seq 200); do
    grep -qF "$1" "$work/program/tra.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "the log never said \"$1\""
}

# A program folder of its own (the log is written there), and user folders of its own.
mkdir -p "$work/program" "$work/run" "$work/config/VEXA" "$work/state"
chmod 700 "$work/run"
cp "$bin/vexa" "$bin"/*.cap "$bin"/*.scp "$bin"/*.tbl "$bin"/*.prm "$bin"/*.bmp "$work/program/"
# Slow answers, so that the second upload is still running when SIGTERM comes.
"$bin/vexa-sim" --profile "$bin/HD40.sim" --link "$work/line" --delay 40 > "$work/sim.out" &
sim=$!
for _ in $(seq 50); do [ -e "$work/line" ] && break; sleep 0.1; done
printf '[CommunicationSettings]\nPort=%s\nUnit=1\n' "$work/line" > "$work/config/VEXA/VEXA.ini"

export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" \
       XDG_STATE_HOME="$work/state" HOME="$work"
# A sanitized build: what the X platform's libraries keep is not vexa's leak.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/xcb_lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
"$work/program/vexa" 2> "$work/vexa.err" &
vexa=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^VEXA Controller Setup$' | head -1) ||
  fail "no main window appeared"

# Points of the main dialog at its first size, in window coordinates.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
# Link by its key (atspi_check.py job does a whole job by keyboard).
xdotool key --window "$window" alt+l
await_log "Connected."
click 40 202   # "Clone view"
await_log "Clone view radio-button clicked."
click 220 324  # Upload
await_log "Upload end."
click 220 324  # Upload again
await_log "Upload start."
kill -TERM "$vexa"
for _ in $(seq 100); do kill -0 "$vexa" 2>/dev/null || break; sleep 0.1; done
kill -0 "$vexa" 2>/dev/null && fail "SIGTERM did not end the program"
code=0
wait "$vexa" || code=$?
vexa=""
[ "$code" -eq 0 ] || fail "vexa ended with exit code $code"
await_log "Upload canceled."
await_log "vexa end."
echo "xcb smoke test: vexa connected, uploaded and ended by SIGTERM on a real X server"
