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

# shellcheck source=../../tools/x_display.sh
source "$(dirname "$0")/../../tools/x_display.sh"
make_scratch xvfb

if [ "$tray" -eq 1 ]; then
  start_x_display "$scratch" tray
else
  start_x_display "$scratch"
fi

mkdir -m 700 "$scratch/tmp" "$scratch/runtime" "$scratch/home"
export TMPDIR="$scratch/tmp"
export XDG_RUNTIME_DIR="$scratch/runtime"
export CORPGATHER_HOME="$scratch/home"
"$@"
