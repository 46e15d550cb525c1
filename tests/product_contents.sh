#!/usr/bin/env bash
# The shipped executable carries no simulator code and no test hook: it reaches a driver only
# through DeviceIoControl on the handle DManager.dll gives out. Checked on the built file's import
# table and strings. The same markers are looked for in the simulated driver, where they must be
# found, so that a check that can no longer see them fails instead of passing.
# Usage: product_contents.sh OBJDUMP EXE SIMULATED_DRIVER
set -u
objdump=$1 exe=$2 driver=$3
status=0
fail() { echo "failed: $*"; status=1; }

# Markers of the simulated machine: its namespace in mangled names, its device names, and the
# in-process request hook that the loader once accepted.
markers='vsm3sim|VeskSim|DrvIoControl|SimHardware|SimTrafficFilter|SimMachine'
# Wide strings (the device names) as well as narrow ones.
contents() { { strings -a "$1"; strings -a -el "$1"; } ; }

found=$(contents "$exe" | grep -E -o "$markers" | sort -u | tr '\n' ' ')
[ -z "$found" ] || fail "the executable contains simulator or test-hook markers: $found"
contents "$driver" | grep -q -E 'vsm3sim' || fail "the markers are not seen even in the simulated driver"
contents "$driver" | grep -q -E 'VeskSim' || fail "the device names are not seen even in the simulated driver"

imports=$("$objdump" -p "$exe")
echo "$imports" | grep -q -E '\sDeviceIoControl$' || fail "the executable does not import DeviceIoControl"
echo "$imports" | grep -i -q 'DLL Name: DManager.dll' && fail "the executable links DManager.dll at load time"
echo "$imports" | grep -q -E 'DLL Name: (ntoskrnl|VeskSimDrv)' && fail "the executable imports a driver"
[ "$status" = 0 ] && echo "the executable holds no simulator code and no test hook"
exit $status
