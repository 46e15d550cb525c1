#!/usr/bin/env bash
# Builds the program and runs it under Wine. On a machine without a display it runs on a virtual
# one, saves a screenshot under the build folder after a few seconds and prints its path.
#
#   scripts/run.sh [ARGS]              this computer: no hardware or traffic-filter driver under
#                                      Wine, so those readings stay empty
#   scripts/run.sh --simulated [ARGS]  the simulated machine of tools/simdrv (for demonstrations
#                                      and screenshots): a copy of the same executable beside the
#                                      simulated DManager.dll and kernel driver; every sensor and
#                                      traffic figure then comes from the simulation, and
#                                      Wine's SMBIOS table from a real machine's dump
#                                      (VSM_SIMULATED_SMBIOS: a file name in
#                                      tests/fixtures/smbios)
set -euo pipefail
simulated=0 launch=()
if [ "${1:-}" = --simulated ]; then simulated=1; shift; fi
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
bash scripts/build.sh win32
exe=$root/build/win32/src/VeskSystemMonitor.exe
export WINEPREFIX=${WINEPREFIX:-$root/build/win32/wineprefix-run}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ "$simulated" = 1 ]; then
  # shellcheck source=scripts/simulated_machine.sh
  source scripts/simulated_machine.sh
  exe=$(prepare_simulated_run "$root/build/win32") || { echo "the simulated machine is not built" >&2; exit 1; }
  echo "SIMULATED MACHINE: sensors and traffic come from the simulated driver, not from this computer"
  # Firmware identity (SMBIOS) of a real machine's dump, in a mount namespace of the run's own.
  if fixture_dmi_possible; then
    launch=(bash scripts/fixture_dmi.sh "tests/fixtures/smbios/${VSM_SIMULATED_SMBIOS:-$simulated_machine_dump}")
  fi
fi
stop_simulation() { [ "$simulated" = 1 ] && stop_simulated_driver "$(dirname "$exe")"; return 0; }
if [ -n "${DISPLAY:-}" ]; then
  "${launch[@]}" wine "$exe" "$@" || true
  stop_simulation
  exit 0
fi
# Set the prefix up first, so that the screenshot shows the program and not Wine's first start.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
fi
# shellcheck source=scripts/virtual_display.sh
source scripts/virtual_display.sh
start_virtual_display 91
# The simulated driver is stopped while the prefix's server still runs; every step may fail
# without changing the run's status.
finish() {
  stop_simulation
  wineserver -k 2>/dev/null || true
  stop_virtual_display
}
trap finish EXIT
"${launch[@]}" wine "$exe" "$@" &
sleep "${VSM_RUN_SECONDS:-10}"
suffix=
if [ "$simulated" = 1 ]; then suffix=_simulated; fi
shot=$root/build/win32/screenshots/run$suffix.png
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "screenshot: $shot"
