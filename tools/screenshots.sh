#!/usr/bin/env bash
# Pictures of the desktop program's main window and each dialog, taken under Xvfb with a tray
# host, for checking the layout. Saves PNGs to docs/screenshots/ (or the folder given).
#   tools/screenshots.sh [BUILD-DIR] [OUTPUT-DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
output=${2:-$root/docs/screenshots}
driver="$build/bin/corpgather-screenshots"
if [ ! -x "$driver" ]; then
  cmake --build "$build" --target corpgather-screenshots
fi

source "$root/tools/x_display.sh"
make_scratch shots
start_x_display "$scratch" tray

# A scratch program folder with the About picture the installed program has.
mkdir -m 700 "$scratch/home" "$scratch/tmp" "$scratch/runtime"
cp "$build/bin/login.jpg" "$scratch/home/"
mkdir -p "$output"
CORPGATHER_HOME="$scratch/home" TMPDIR="$scratch/tmp" XDG_RUNTIME_DIR="$scratch/runtime" \
  QT_QPA_PLATFORM=xcb "$driver" "$output"
