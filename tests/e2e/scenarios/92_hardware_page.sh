# The hardware page: every section, and the mainboard section saved through the real save dialog
# into a file that Python's csv module reads as rows of two fields.
rm -f "$(settings_file)"
start_product
check "the main window shows" probe wait-visible TfrmVeskMonitorMain 1 30
sleep 2
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
click_at() { pointer_to "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-1}"; }
click_at $((ml + 240)) $((mt + 65)) 3
check "the hardware page shows" test "$(probe child-rect TfrmVeskMonitorMain TfrmHardMonitor | awk '{print $5}')" = 1
# Section buttons: 34 pixels high from 10 pixels into the page, in the menu's order.
i=0
for name in overview processor mainboard memory graphics disk sound network; do
  click_at $((ml + 9 + 60)) $((mt + 85 + 10 + 34 * i + 17)) 2
  screenshot "hardware_$name"
  i=$((i + 1))
done
click_at $((ml + 9 + 60)) $((mt + 85 + 10 + 34 * 2 + 17)) 2
report_unix=/tmp/vsm_e2e_board_report.csv
rm -f "$report_unix"
save_hardware_section "$report_unix" hardware_tree
for _ in $(seq 20); do [ -s "$report_unix" ] && break; sleep 0.5; done
check "the report is written" test -s "$report_unix"
check "the report starts with a UTF-8 byte-order mark" test "$(head -c 3 "$report_unix" | od -An -tx1 | tr -d ' ')" = efbbbf
check "Python's csv module reads rows of two fields after the caption line" python3 - "$report_unix" <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8-sig', newline='')))
assert len(rows) > 2, rows
assert all(len(r) == 2 for r in rows[1:]), [r for r in rows[1:] if len(r) != 2]
PY
cp "$report_unix" "$shots/hardware_board_report.csv" 2>/dev/null
# A report that cannot be written gives a message, not silence, and the file stays as it was.
ro_file=/tmp/vsm_e2e_readonly_report.csv
rm -f "$ro_file"
echo "old report" > "$ro_file" && chmod 444 "$ro_file"
save_hardware_section "$ro_file"
sleep 1
# The dialog asks before replacing a file.
xdotool key alt+y
check "a file that cannot be written shows a message" probe wait-visible TVeskMessageBox 1 10
sleep 0.5
screenshot hardware_save_failed_message
xdotool key Return
check "the read-only file is unchanged" test "$(cat "$ro_file")" = "old report"
check "no temporary file is left beside it" test -z "$(ls /tmp | grep -i 'vsm_e2e_readonly_report' | grep -v '^vsm_e2e_readonly_report.csv$')"
chmod 644 "$ro_file"
rm -f "$ro_file"
