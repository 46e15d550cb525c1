#!/usr/bin/env bash
# Builds the program and runs it under Wine. On a machine without a display it runs on a virtual
# one, saves a screenshot under the build folder after a few seconds and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
bash scripts/build.sh win32
exe=$root/build/win32/src/VeskSystemMonitor.exe
export WINEPREFIX=${WINEPREFIX:-$root/build/win32/wineprefix-run}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe" "$@"
fi
# Set the prefix up first, so that the screenshot shows the program and not Wine's first start.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
fi
# shellcheck source=scripts/virtual_display.sh
source scripts/virtual_display.sh
start_virtual_display 91
trap 'wineserver -k 2>/dev/null; stop_virtual_display' EXIT
wine "$exe" "$@" &
sleep "${VSM_RUN_SECONDS:-10}"
shot=$root/build/win32/screenshots/run.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "screenshot: $shot"
wineserver -k 2>/dev/null || true
