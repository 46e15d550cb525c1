#!/usr/bin/env bash
# The README's run command as a new user runs it on a machine without a display: scripts/run.sh,
# plain and on the simulated machine, must end with status 0, print the screenshot's path and
# leave the screenshot there.
# Usage: run_script.sh ROOT
set -u
root=$1
status=0
for mode in "" --simulated; do
  # The run's own prefix and display; the test run's display is taken away.
  output=$(cd "$root" && env -u DISPLAY -u WINEPREFIX bash scripts/run.sh $mode 2>&1)
  code=$?
  shot=$(printf '%s\n' "$output" | sed -n 's/^screenshot: //p' | tail -1)
  echo "run.sh ${mode:-(plain)}: status $code, screenshot ${shot:-(none)}"
  if [ "$code" != 0 ]; then echo "failed: run.sh $mode ended with status $code"; printf '%s\n' "$output" | tail -5; status=1; fi
  if [ -z "$shot" ] || [ ! -s "$shot" ]; then echo "failed: run.sh $mode left no screenshot"; status=1; fi
done
exit $status
