#!/usr/bin/env bash
# Builds everything and runs every test layer: native unit tests (ASan + UBSan), the Windows tests
# under Wine, the end-to-end runs of the real executable under Wine and Xvfb, and a short run of
# every fuzz target. One ctest run covers all layers, so its summary line closes the output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
bash scripts/build.sh native
bash scripts/build.sh fuzz
bash scripts/build.sh win32 -DVSM_NATIVE_TEST_DIR="$root/build/native" -DVSM_FUZZ_TEST_DIR="$root/build/fuzz"
# The Windows tests create windows and the end-to-end runs need a screen: use a virtual display
# when there is none.
# shellcheck source=scripts/virtual_display.sh
source scripts/virtual_display.sh
if [ -z "${DISPLAY:-}" ]; then
  start_virtual_display 95
  trap stop_virtual_display EXIT
fi
cd build/win32
ctest --output-on-failure "$@"
