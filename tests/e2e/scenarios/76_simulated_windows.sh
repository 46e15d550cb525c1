# The windows on the simulated machine: the strip with traffic rates (and the processor's
# temperature where the program knows the processor's sensor), the download popup listing
# processes, the process page with per-process traffic, a row blocked from its menu, and the
# hardware page's mainboard section with the chip's temperatures, fans and voltages, saved to a
# report. Values move over time, so only the windows, the driver's tally and the report's groups
# are asserted; the screenshots show the values.
use_simulated_machine
rm -rf "$(settings_dir)"
start_product
check "the main window shows" probe wait-visible TfrmVeskMonitorMain 1 30
check "the strip shows" probe wait-visible TfrmMonitorFloat 1 30
sleep 6  # several samples of the simulated traffic and sensors
simdrv_ctl served | grep ' VeskSystemMonitor\.exe ' | sed 's/^/  served: /'
hardware_reads() {
  echo $(($(served_to_product hardware 0x9C4060CC) + $(served_to_product hardware 0x9C402084) +
    $(served_to_product hardware 0x9C406144)))
}
reads=$(hardware_reads)
check "the program read the simulated hardware ($reads port, MSR and PCI reads)" test "$reads" -ge 1
totals=$(served_to_product filter 0x0012C807)
check "the program read the filter's per-process totals ($totals requests)" test "$totals" -ge 4
read_strip
screenshot simulated_strip

# The download popup lists the processes with their rates.
pointer_to $((sl + 20)) $((st + 12))
xdotool click 1
check "clicking the download cell opens the popup" probe wait-visible TfrmMonitorPopup 1 10
sleep 2
check "the popup explains the download rate" test "$(probe window-text TfrmMonitorPopup)" = "Download speed"
screenshot simulated_popup_download
pointer_to $((sl + 100)) $((st + 2))
probe wait-visible TfrmMonitorPopup 0 5

# The process page with per-process totals and rates.
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
click_at() { pointer_to "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-1}"; }
click_at $((ml + 300)) $((mt + 40)) 2  # the caption brings the window to the front
screenshot simulated_process_page

# Block Network Access on the first row (by name), the second item of the row's menu.
list_top=$((mt + 85 + 36)) list_left=$((ml + 9))
row0_y=$((list_top + 24 + 22)) button_x=$((list_left + 312 + 7 * 70 + 12))
rules_before=$(served_to_product filter 0x0012CC0B)
pointer_to $((list_left + 100)) "$row0_y"
sleep 0.3
click_at "$button_x" "$row0_y"
check "the row's button opens its menu" probe wait-window '#32768' 5
sleep 0.5
screenshot simulated_row_menu
click_at $((button_x + 30)) $((row0_y + 3 + 22 + 11)) 3
rules_after=$(served_to_product filter 0x0012CC0B)
check "Block Network Access sent a filter rule ($rules_before, then $rules_after)" test "$rules_after" -gt "$rules_before"
pointer_to $((list_left + 100)) $((row0_y + 200))
sleep 2
screenshot simulated_row_blocked

# The hardware page's mainboard section: the chip's sensor groups, twice a few seconds apart.
click_at $((ml + 240)) $((mt + 65)) 3
check "the hardware page shows" test "$(probe child-rect TfrmVeskMonitorMain TfrmHardMonitor | awk '{print $5}')" = 1
click_at $((ml + 9 + 60)) $((mt + 85 + 10 + 34 * 2 + 17)) 3
screenshot simulated_mainboard_first
sleep 5
screenshot simulated_mainboard_later

report_unix=/tmp/vsm_e2e_simulated_board.csv
rm -f "$report_unix"
save_hardware_section "$report_unix"
for _ in $(seq 20); do [ -s "$report_unix" ] && break; sleep 0.5; done
check "the mainboard report is written" test -s "$report_unix"
cp "$report_unix" "$shots/simulated_board_report.csv" 2>/dev/null
# Sensor values are painted live and not stored in the tree, so the report names the channels only.
check "the report has the chip's temperature, fan and voltage groups with channels" python3 - "$report_unix" <<'PY'
import csv, sys
first = [r[0] for r in csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')) if r]
for group in ("Temperatures", "Fans", "Voltages"):
    assert group in first, (group, first)
    after = first[first.index(group) + 1:]
    assert after and after[0].startswith(" "), (group, after[:1])
PY
rm -f "$report_unix"
