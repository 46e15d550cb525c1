# Helpers for the end-to-end scenarios. Each scenario is a bash file in scenarios/ that uses
# $exe, $probe and $shots and calls check/fail; the product is stopped between scenarios.
E2E_FAILED=0
E2E_PASSED=0
E2E_XVFB_PID=

e2e_setup_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=97
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  fi
  # A window manager is not needed; Wine provides the desktop's taskbar tray window itself.
}

e2e_teardown() {
  e2e_stop_product
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null
  return 0
}

probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Ends every running copy of the product, whatever state a failed scenario left it in.
e2e_stop_product() {
  probe post TfrmVeskSystemMonitor 16 >/dev/null 2>&1   # WM_CLOSE
  probe wait-gone TfrmVeskSystemMonitor 10 >/dev/null 2>&1
  # Wine shows a Windows process by its DOS path; this never matches the test script itself.
  pkill -f '^[A-Za-z]:.*VeskSystemMonitor\.exe' 2>/dev/null
  sleep 0.5
}

e2e_begin() { E2E_SCENARIO=$1; E2E_SCENARIO_FAILED=0; echo "--- scenario $1"; }
e2e_end() {
  e2e_stop_product
  if [ "$E2E_SCENARIO_FAILED" = 0 ]; then E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   $E2E_SCENARIO";
  else E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $E2E_SCENARIO"; fi
}
e2e_summary() {
  echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" = 0 ]
}

fail() { echo "  failed: $*"; E2E_SCENARIO_FAILED=1; }
check() { local what=$1; shift; if "$@"; then echo "  ok: $what"; else fail "$what"; fi; }

# Starts the product in the background (wine's own process ends when the program does).
start_product() { wine "$exe" "$@" >/dev/null 2>&1 & }

screenshot() { import -window root "$shots/$1.png" 2>/dev/null && echo "  screenshot: $shots/$1.png"; }

appdata_unix() { winepath -u "$(probe appdata)" 2>/dev/null; }
