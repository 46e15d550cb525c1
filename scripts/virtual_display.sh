# Sourced: start_virtual_display starts Xvfb on the first free display from $1 (default 90),
# exports DISPLAY and sets VIRTUAL_DISPLAY_PID; stop_virtual_display ends it.
VIRTUAL_DISPLAY_PID=
start_virtual_display() {
  local n=${1:-90}
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
stop_virtual_display() {
  [ -n "$VIRTUAL_DISPLAY_PID" ] && kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null
  return 0
}
