# Helpers for the end-to-end scenarios. Each scenario is a bash file in scenarios/ that uses
# $exe, $probe and $shots and calls check/fail; the product is stopped between scenarios.
E2E_FAILED=0
E2E_PASSED=0
# Every failed check as "scenario: check", repeated by the summary so that a shortened log
# still names them, and the scenarios that passed only on their second run.
E2E_FAILURES=()
E2E_SECOND_RUNS=()

e2e_setup_display() {
  # shellcheck source=scripts/virtual_display.sh
  source "$here/../../scripts/virtual_display.sh"
  # A window manager is not needed; Wine provides the desktop's taskbar tray window itself.
  [ -z "${DISPLAY:-}" ] && start_virtual_display 97
  return 0
}

e2e_teardown() {
  e2e_stop_product
  stop_virtual_display
}

# Processes of this run's Wine prefix whose command line matches the pattern, so that runs in
# other prefixes are left alone.
prefix_pids() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}
# A running copy's command line starts with the executable's path (a DOS path when Wine started it
# for a Windows program); the test scripts and the probe never match.
product_pids() { prefix_pids '^[^ ]*VeskSystemMonitor\.exe( |$)'; }
# This prefix's shell: Wine's desktop process, which also holds the notification area.
shell_pids() { prefix_pids '^[^ ]*explorer\.exe /desktop'; }
stop_shell() {
  local pids; pids=$(shell_pids)
  [ -n "$pids" ] && kill $pids 2>/dev/null
  probe wait-gone Shell_TrayWnd 10 >/dev/null
}
product_processes() { local pid; for pid in $(product_pids); do echo "$pid $(tr '\0' ' ' < "/proc/$pid/cmdline")"; done; }
product_count() { product_pids | wc -l; }

# Wine forgives faults that Windows does not: an exception in a window procedure is reported on
# its error channel and ignored. The product and the probe (and the copies the probe starts) run
# with that channel on, into the scenario's log, and e2e_end fails the scenario on any exception
# reported there.
E2E_WINEDEBUG=${E2E_WINEDEBUG:--all,err+all,err-d3d,err-wgl,err-vulkan,err-ole}
E2E_WINE_LOG=/dev/null
wine_exceptions='err:seh|ignoring exception|Unhandled exception|page fault'
check_wine_log() {
  local line
  while IFS= read -r line; do fail "Wine reported an exception: $line"; done \
    < <(grep -E "$wine_exceptions" "$E2E_WINE_LOG" 2>/dev/null | sed 's/^[0-9a-f]*://' | sort | uniq -c |
        sed -E 's/^ *([0-9]+) (.*)/\2 (\1 times)/' | head -10)
  return 0
}

probe() { WINEDEBUG=$E2E_WINEDEBUG wine "$probe" "$@" 2>>"$E2E_WINE_LOG" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Ends every running copy of the product, whatever state a failed scenario left it in.
e2e_stop_product() {
  probe post TfrmVeskSystemMonitor 16 >/dev/null 2>&1   # WM_CLOSE
  probe wait-gone TfrmVeskSystemMonitor 10 >/dev/null 2>&1
  local pids; pids=$(product_pids)
  [ -n "$pids" ] && kill $pids 2>/dev/null
  sleep 0.5
}

# e2e_begin NAME ATTEMPT; e2e_end fails for a failed first attempt, which the caller runs again.
e2e_begin() {
  E2E_SCENARIO=$1 E2E_ATTEMPT=${2:-2} E2E_SCENARIO_FAILED=0
  mkdir -p "$shots/wine"
  E2E_WINE_LOG=$shots/wine/$1.$E2E_ATTEMPT.log
  : > "$E2E_WINE_LOG"
  if [ "$E2E_ATTEMPT" = 1 ]; then echo "--- scenario $1"; else echo "--- scenario $1 (second run)"; fi
}
e2e_end() {
  e2e_stop_product
  leave_simulated_machine
  check_wine_log
  E2E_WINE_LOG=/dev/null
  if [ "$E2E_SCENARIO_FAILED" = 0 ]; then
    E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   $E2E_SCENARIO"
    [ "$E2E_ATTEMPT" = 1 ] || E2E_SECOND_RUNS+=("$E2E_SCENARIO")
  elif [ "$E2E_ATTEMPT" = 1 ]; then
    echo "again $E2E_SCENARIO"; return 1
  else
    E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $E2E_SCENARIO"
  fi
}
e2e_summary() {
  local failure
  for failure in "${E2E_FAILURES[@]}"; do echo "  failed check: $failure"; done
  [ ${#E2E_SECOND_RUNS[@]} = 0 ] || echo "  passed on the second run: ${E2E_SECOND_RUNS[*]}"
  echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" = 0 ]
}

fail() { echo "  failed: $*"; E2E_SCENARIO_FAILED=1; E2E_FAILURES+=("$E2E_SCENARIO: $*"); }
check() { local what=$1; shift; if "$@"; then echo "  ok: $what"; else fail "$what"; fi; }

# Which Windows version the prefix reports to programs (Wine's name: winxp, win7, win10; winxp is
# XP x64 on a 64-bit prefix); empty for Wine's default. Read at each process start, so set it
# while no program runs.
set_windows_version() {
  local version=$1
  if [ -z "$version" ]; then
    wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
    return 0
  fi
  [ "$version" = winxp ] && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && version=winxp64
  wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1
}
# Windows XP and XP x64 (major version 5) lack what Vista brought: elevation, Task Scheduler 2.0.
reports_windows_xp() { case "${E2E_WINDOWS:-}" in winxp*) return 0 ;; esac; return 1; }

# Ends every process of the prefix and starts its persistent wineserver again, for a scenario that
# must see only the processes a new session has (services that earlier scenarios started, such as
# the task scheduler or a driver host, stay up otherwise).
fresh_wineserver() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit 0 >/dev/null 2>&1
  return 0
}

# Starts the product in the background (wine's own process ends when the program does). On the
# simulated machine it runs with a real machine's firmware identity (E2E_LAUNCH).
E2E_LAUNCH=()
start_product() { WINEDEBUG=$E2E_WINEDEBUG "${E2E_LAUNCH[@]}" wine "$exe" "$@" >/dev/null 2>>"$E2E_WINE_LOG" & }

screenshot() { import -window root "$shots/$1.png" 2>/dev/null && echo "  screenshot: $shots/$1.png"; }

appdata_unix() { winepath -u "$(probe appdata)" 2>/dev/null; }

# The product's Windows path, for the probe's run and start commands.
exe_win() { winepath -w "$exe" 2>/dev/null; }
# Starts a copy and waits for it: prints its exit code.
run_product() { probe run "$(exe_win)" "$@"; }

settings_dir() { echo "$(appdata_unix)/Vesk System Monitor"; }
settings_file() { echo "$(settings_dir)/VeskSystemMonitor.ini"; }
# The settings file as UTF-8 text without carriage returns, whatever encoding it was written in.
settings_text() {
  local file; file=$(settings_file)
  if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r'
  else
    tr -d '\r' < "$file"
  fi
}
settings_value() { settings_text | sed -n "s/^$1=//p" | head -1; }

setup_clsid='{1F25C9CF-D2E0-41C7-9EF0-3016E5040A63}'
setup_guid() { probe reg-read-64 HKCR "CLSID\\$setup_clsid" VSM; }
forget_setup_guid() { wine reg delete "HKCR\\CLSID\\$setup_clsid" /f /reg:64 >/dev/null 2>&1; return 0; }

# Opens the tray menu as a right-button release on the icon does, and waits until it is up and
# painted.
open_tray_menu() {
  probe post TVeskTrayIconWindow 1025 0 517 || return 1
  probe wait-window '#32768' 15 || return 1
  sleep 1
}

# The simulated machine (tools/simdrv): a scenario that calls use_simulated_machine runs a copy of
# the same executable from a folder of its own, with the simulated machine's DManager.dll and
# kernel driver beside it, so that the program's driver requests reach simulated chips, registers
# and traffic counters through DeviceIoControl. The driver is stopped and its service removed
# when the scenario ends.
E2E_PRODUCT_EXE=
use_simulated_machine() {
  local copy
  # shellcheck source=scripts/simulated_machine.sh
  source "$here/../../scripts/simulated_machine.sh"
  copy=$(prepare_simulated_run "$(cd "$(dirname "$exe")/.." && pwd)") || { fail "the simulated machine is not built"; return 1; }
  E2E_PRODUCT_EXE=$exe
  exe=$copy
  # Wine's SMBIOS table then describes the machine of this dump (scripts/fixture_dmi.sh).
  if fixture_dmi_possible; then
    E2E_LAUNCH=(bash "$here/../../scripts/fixture_dmi.sh" "$here/../fixtures/smbios/$simulated_machine_dump")
  else
    echo "  (no mount namespace here: Wine's SMBIOS table stays empty)"
  fi
}
# simdrv_ctl served | stop (see docs/tools.md), beside the running copy.
simdrv_ctl() { wine "$(dirname "$exe")/simdrv_ctl.exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# Requests of one control code that a device served for the program: prints the count (0 if none).
served_to_product() {
  local device=$1 code=$2
  simdrv_ctl served | awk -v d="$device" -v c="$code" '$1 == d && $3 == "VeskSystemMonitor.exe" && $4 == c { n += $5 } END { print n + 0 }'
}
leave_simulated_machine() {
  [ -n "$E2E_PRODUCT_EXE" ] || return 0
  stop_simulated_driver "$(dirname "$exe")" || echo "  (the simulated driver did not stop)"
  exe=$E2E_PRODUCT_EXE
  E2E_PRODUCT_EXE=
  E2E_LAUNCH=()
}
# The floating strip and its popup. Rectangles are "left top right bottom visible".
window_rect() { probe window-rect "$1"; }
strip_rect() { window_rect TfrmMonitorFloat; }
work_area() { probe work-area; }
# Moves the real X pointer (the screen and Wine's desktop share coordinates).
pointer_to() { xdotool mousemove --sync "$1" "$2"; }
# A shell-quoted snapshot of the strip's rectangle into sl st sr sb sv.
read_strip() { read -r sl st sr sb sv < <(strip_rect); }
# Saves the hardware page's shown section to FILE through the tree's menu and the real save dialog
# (ml and mt: the main window's left and top). With a name, screenshots the menu and the dialog.
save_hardware_section() {
  local file=$1 shot=${2:-} x=$((ml + 9 + 400)) y=$((mt + 85 + 100))
  pointer_to "$x" "$y"
  sleep 0.2
  xdotool click 3
  probe wait-window '#32768' 5 || { fail "a right click on the section opens its menu"; return 1; }
  sleep 0.5
  [ -n "$shot" ] && screenshot "${shot}_menu"
  pointer_to $((x + 30)) $((y + 3 + 11))
  sleep 0.2
  xdotool click 1
  probe wait-window '#32770' 10 || { fail "Save to file opens the save dialog"; return 1; }
  sleep 1
  [ -n "$shot" ] && screenshot "${shot}_dialog"
  xdotool key ctrl+a
  xdotool type --delay 20 "$(winepath -w "$file")"
  xdotool key Return
}
