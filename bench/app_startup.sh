#!/usr/bin/env bash
# Start-up time of the desktop program to a shown main window, and its memory after start.
# Each run starts corpgather on an Xvfb display with a tray host, in a fresh program folder
# (first start: the database file is created) or in one prepared by an earlier start
# (later starts), and polls the X server until the main window is viewable. The memory is
# read from /proc two seconds after the window showed.
#   bench/app_startup.sh [BUILD-DIR] [RUNS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-10}
program="$build/bin/corpgather"
[ -x "$program" ] || cmake --build "$build" --target corpgather

source "$root/tools/x_display.sh"
make_scratch bench
start_x_display "$scratch" tray
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from the start of the process to its main window being viewable.
one_start() {
  local home=$1 started pid id shown
  # A temporary folder of its own: the single-instance lock of one start never meets another.
  mkdir -p "$home" "$scratch/tmp"
  started=$(now_ms)
  CORPGATHER_HOME="$home" TMPDIR="$scratch/tmp" "$program" >/dev/null 2>&1 &
  pid=$!
  while :; do
    id=$(xwininfo -root -tree 2>/dev/null |
      awk '/\("corpgather" "CorpGather"\)  900x646/ {print $1; exit}')
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then break; fi
  done
  shown=$(now_ms)
  sleep 2
  local rss hwm
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$scratch/tmp"
  echo "$((shown - started)) $rss $hwm"
}

summary() {
  sort -n | awk -v label="$1" '
    { t[NR] = $1; r[NR] = $2; h[NR] = $3 }
    END {
      median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      for (i = 1; i <= NR; i++) { rs += r[i]; hs += h[i] }
      printf "%-14s runs %d  start-up ms: median %d, min %d, max %d  RSS after start: %.1f MiB (peak %.1f MiB)\n",
             label, NR, median, t[1], t[NR], rs / NR / 1024, hs / NR / 1024
    }'
}

# One start up front warms the file cache for the shared libraries.
one_start "$scratch/warm" >/dev/null

for i in $(seq "$runs"); do
  one_start "$scratch/first-$i"
done | summary "first start"

one_start "$scratch/later" >/dev/null
for i in $(seq "$runs"); do
  one_start "$scratch/later"
done | summary "later starts"
