# Sourced by the scripts that run the desktop program on a display of their own.
#
# make_scratch NAME
#   Makes the scratch folder $scratch and an empty `pids` array; on exit every process in
#   `pids` is ended and the folder removed.
# start_x_display SCRATCH [tray]
#   Starts Xvfb on a free display number (Xvfb picks it and writes it to a descriptor) and,
#   with "tray", a system tray host (trayer), waiting until each is up. Exports DISPLAY and
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

start_x_display() {
  local scratch=$1 tray=${2:-}
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" \
    2>"$scratch/xvfb.log" &
  pids+=($!)
  if ! wait_until test -s "$scratch/display"; then
    cat "$scratch/xvfb.log" >&2
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$scratch/display")"
  export QT_QPA_PLATFORM=xcb
  [ "$tray" = "tray" ] || return 0

  trayer --edge bottom --align right --widthtype pixel --width 160 --height 24 \
    >"$scratch/trayer.log" 2>&1 &
  pids+=($!)
  if ! wait_until sh -c 'xwininfo -root -tree 2>/dev/null | grep -q "\"panel\""'; then
    cat "$scratch/trayer.log" >&2
    echo "the tray host did not start" >&2
    return 1
  fi
}
