#!/usr/bin/env bash
# Runs one window test on an X display of its own: Xvfb on a free display number, a system
# tray host (trayer) unless --no-tray is given, and a private temporary folder, so that tests
# running in parallel never share a display, a tray or a single-instance lock.
#   run_under_xvfb.sh [--no-tray] TEST-BINARY [ARGUMENTS...]
set -euo pipefail

tray=1
if [ "${1:-}" = "--no-tray" ]; then
  tray=0
  shift
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/corpgather-xvfb-XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

wait_until() {
  local tries=500
  until "$@"; do
    tries=$((tries - 1))
    if [ "$tries" -le 0 ]; then
      return 1
    fi
    sleep 0.02
  done
}

# Xvfb picks the display number itself and writes it to the descriptor.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
if ! wait_until test -s "$scratch/display"; then
  cat "$scratch/xvfb.log" >&2
  echo "run_under_xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$scratch/display")"

if [ "$tray" -eq 1 ]; then
  trayer --edge bottom --align right --widthtype pixel --width 160 --height 24 \
    >"$scratch/trayer.log" 2>&1 &
  pids+=($!)
  if ! wait_until sh -c 'xwininfo -root -tree 2>/dev/null | grep -q "\"panel\""'; then
    cat "$scratch/trayer.log" >&2
    echo "run_under_xvfb: the tray host did not start" >&2
    exit 1
  fi
fi

mkdir -m 700 "$scratch/tmp" "$scratch/runtime" "$scratch/home"
export TMPDIR="$scratch/tmp"
export XDG_RUNTIME_DIR="$scratch/runtime"
export CORPGATHER_HOME="$scratch/home"
export QT_QPA_PLATFORM=xcb
"$@"
