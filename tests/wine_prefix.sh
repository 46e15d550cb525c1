#!/usr/bin/env bash
# Creates the test run's own Wine prefix and keeps one wineserver alive for the run (start), or
# shuts it down (stop). WINEPREFIX comes from the caller.
set -eu
: "${WINEPREFIX:?}"
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 || true
      # The registry files are written when the server that made the prefix ends.
      wineserver -w >/dev/null 2>&1 || true
    fi
    # Fails harmlessly when a server for this prefix is already up.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    # Wait for the prefix to be usable before the tests start.
    wine cmd /c exit 0 >/dev/null 2>&1 || true
    test -f "$WINEPREFIX/system.reg"
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
