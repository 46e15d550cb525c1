#!/usr/bin/env bash
# Whole-program benchmark: the program with its floating strip and a popup open runs under Wine
# beside Wine's own task manager for the same time; prints each one's CPU share of one core and
# resident memory at the start and the end of the run, and the CPU ratio.
#   bash scripts/bench_program.sh [seconds]      (default 60; 600 for a ten-minute run)
# Needs the Windows build (bash scripts/build.sh win32). Not part of the test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
exe=$root/build/win32/src/VeskSystemMonitor.exe
probe_exe=$root/build/win32/tests/e2e/e2e_probe.exe
[ -f "$exe" ] && [ -f "$probe_exe" ] || { echo "build the Windows tree first: bash scripts/build.sh win32" >&2; exit 2; }
export WINEPREFIX=${WINEPREFIX:-$root/build/win32/wineprefix-bench}
export WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
fi
# shellcheck source=scripts/virtual_display.sh
source "$root/scripts/virtual_display.sh"
[ -z "${DISPLAY:-}" ] && start_virtual_display 93
trap 'wineserver -k 2>/dev/null; stop_virtual_display' EXIT
probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }

# The Linux process of a Windows program of this prefix, by its executable's name.
pid_of() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
  done
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

wineserver -p </dev/null >/dev/null 2>&1 || true
wine "$exe" -os >/dev/null 2>&1 &
probe wait-visible TfrmMonitorFloat 1 60 || { echo "the strip did not appear" >&2; exit 1; }
wine taskmgr >/dev/null 2>&1 &
sleep 5
# Open the CPU popup with a real click on the strip's left cell, then move to the CPU cell.
read -r sl st sr sb _ < <(probe window-rect TfrmMonitorFloat)
xdotool mousemove --sync $((sl + 20)) $((st + 12)) click 1
probe wait-visible TfrmMonitorPopup 1 10 || { echo "the popup did not open" >&2; exit 1; }
for x in $(seq $((sl + 20)) 8 $((sr - 4))); do
  xdotool mousemove --sync "$x" $((st + 12))
  [ "$(probe window-text TfrmMonitorPopup)" = "CPU usage" ] && break
done
program=$(pid_of '^[^ ]*VeskSystemMonitor\.exe')
taskmgr=$(pid_of '^[^ ]*taskmgr\.exe')
[ -n "$program" ] && [ -n "$taskmgr" ] || { echo "a process is missing (program '$program', taskmgr '$taskmgr')" >&2; exit 1; }

hz=$(getconf CLK_TCK)
p0=$(cpu_ticks "$program") t0=$(cpu_ticks "$taskmgr")
prss0=$(rss_kb "$program") trss0=$(rss_kb "$taskmgr")
start=$(date +%s%N)
sleep "$seconds"
p1=$(cpu_ticks "$program") t1=$(cpu_ticks "$taskmgr")
prss1=$(rss_kb "$program") trss1=$(rss_kb "$taskmgr")
elapsed=$(awk -v a="$start" -v b="$(date +%s%N)" 'BEGIN {printf "%.2f", (b - a) / 1e9}')
popup_open=$(probe wait-visible TfrmMonitorPopup 1 1 && echo yes || echo no)

share() { awk -v a="$1" -v b="$2" -v hz="$hz" -v s="$elapsed" 'BEGIN {printf "%.2f", (b - a) * 100 / hz / s}'; }
pshare=$(share "$p0" "$p1")
tshare=$(share "$t0" "$t1")
printf '%-22s %10s %14s %14s\n' "process" "CPU %" "RSS start KB" "RSS end KB"
printf '%-22s %10s %14s %14s\n' "VeskSystemMonitor.exe" "$pshare" "$prss0" "$prss1"
printf '%-22s %10s %14s %14s\n' "taskmgr.exe" "$tshare" "$trss0" "$trss1"
echo "run: ${elapsed%.*} s; popup still open: $popup_open"
awk -v p="$pshare" -v t="$tshare" 'BEGIN {
  if (t > 0) printf "CPU ratio program / taskmgr: %.2f\n", p / t
  else print "CPU ratio program / taskmgr: taskmgr used no measurable CPU" }'
echo "program memory change: $((prss1 - prss0)) KB"
