# Sourced by the scripts that run the desktop program on a display of their own.
#
# make_scratch NAME
#   Makes the scratch folder $scratch and an empty `pids` array; on exit every process in
#   `pids` is ended and the folder removed.
# start_x_display SCRATCH [tray]
#   Starts Xvfb on a free display number (Xvfb picks it and writes it to a descriptor) and,
#   with "tray", a system tray host (trayer), waiting until each is up; tried up to three times. Exports DISPLAY and
#   QT_QPA_PLATFORM, appends the process ids to the caller's `pids` array and writes the logs
#   into SCRATCH. Returns non-zero, with the log on standard error, when something did not
#   start.

make_scratch() {
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/corpgather-$1-XXXXXX")
  pids=()
  trap end_scratch EXIT
}

end_scratch() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}

wait_until() {
  local tries=500
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -le 0 ] && return 1
    sleep 0.02
  done
}

# One attempt: Xvfb on a display number it picks itself, answering clients, and the tray host
# when asked for. The processes go into `attempt_pids`.
try_x_display() {
  local scratch=$1 tray=$2
  rm -f "$scratch/display"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" \
    2>"$scratch/xvfb.log" &
  attempt_pids=($!)
  wait_until test -s "$scratch/display" || return 1
  export DISPLAY=":$(head -n1 "$scratch/display")"
  wait_until xdpyinfo >/dev/null 2>&1 || return 1
  [ "$tray" = "tray" ] || return 0
  trayer --edge bottom --align right --widthtype pixel --width 160 --height 24 \
    >"$scratch/trayer.log" 2>&1 &
  attempt_pids+=($!)
  wait_until sh -c 'xwininfo -root -tree 2>/dev/null | grep -q "\"panel\""'
}

# Servers started at the same moment by parallel tests can race for a display number, so a
# display that does not come up is started afresh, up to three times.
start_x_display() {
  local scratch=$1 tray=${2:-} attempt pid
  for attempt in 1 2 3; do
    if try_x_display "$scratch" "$tray"; then
      pids+=("${attempt_pids[@]}")
      export QT_QPA_PLATFORM=xcb
      return 0
    fi
    for pid in "${attempt_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${attempt_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  done
  cat "$scratch/xvfb.log" "$scratch/trayer.log" 2>/dev/null >&2
  echo "the X display${tray:+ with its tray host} did not start" >&2
  return 1
}
