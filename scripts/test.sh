#!/usr/bin/env bash
# Builds everything and runs every test layer: native unit tests (ASan + UBSan), the Windows tests
# under Wine, and the end-to-end runs of the real executable under Wine and Xvfb. One ctest run
# covers all layers, so its summary line closes the output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
bash scripts/build.sh native
bash scripts/build.sh win32 -DVSM_NATIVE_TEST_DIR="$root/build/native"
# The Windows tests create windows and the end-to-end runs need a screen: use a virtual display
# when there is none.
if [ -z "${DISPLAY:-}" ]; then
  n=95
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  display=:$n
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
cd build/win32
ctest --output-on-failure "$@"
