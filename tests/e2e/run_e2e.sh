#!/usr/bin/env bash
# End-to-end runs of the real executable under Wine on an X display (Xvfb when there is none),
# driven by the probe and by real X input. Usage: run_e2e.sh EXE PROBE SCREENSHOT_DIR TEST_CHILD
# E2E_ONLY=PREFIX runs only the scenarios whose file names start with PREFIX; E2E_SCENARIOS lists
# several such prefixes. E2E_WINDOWS=VERSION (Wine's name of a Windows version: winxp, winxp64,
# win10) runs them with the prefix reporting that version, and puts the prefix's default back
# afterwards.
set -u
exe=$1 probe=$2 shots=$3 test_child=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$shots"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
e2e_setup_display
trap e2e_teardown EXIT
if [ -n "${E2E_WINDOWS:-}" ]; then
  set_windows_version "$E2E_WINDOWS" || { echo "the prefix does not take Windows version '$E2E_WINDOWS'"; exit 1; }
  trap 'e2e_teardown; set_windows_version ""' EXIT
  echo "--- the prefix reports Windows version $E2E_WINDOWS"
fi

# A scenario that fails is run once more: X input and Wine's timing under load fail a check now
# and then. A pass on the second run still names the first run's failed checks in the summary.
scenarios=()
for only in ${E2E_SCENARIOS:-"${E2E_ONLY:-}"}; do
  matches=("$here"/scenarios/"$only"*.sh)
  [ -e "${matches[0]}" ] || { echo "no scenario matches '$only'"; exit 1; }
  scenarios+=("${matches[@]}")
done
for scenario in "${scenarios[@]}"; do
  for attempt in 1 2; do
    e2e_begin "$(basename "$scenario" .sh)" "$attempt"
    # shellcheck disable=SC1090
    source "$scenario"
    e2e_end && break
  done
done
e2e_summary
