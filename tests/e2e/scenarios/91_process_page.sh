# The process page: the CPU column sorts descending at the first click, so a child of the test
# that keeps one processor busy comes first, and ending the first row from its menu ends that
# child; the next click reverses the order; ending "explorer.exe" shows the permissions message;
# the net-only filter hides every row without a traffic source.
rm -f "$(settings_file)"
start_product
check "the main window shows" probe wait-visible TfrmVeskMonitorMain 1 30
child_copy=/tmp/vsm_e2e_child/aaa_child.exe
mkdir -p "$(dirname "$child_copy")" && cp "$test_child" "$child_copy"
wine "$child_copy" busy 60000 >/dev/null 2>&1 &
child_pid=$!
sleep 4
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
click_at() { pointer_to "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-1}"; }
# The list starts 36 pixels into the panel at (9, 85); its header is 24 high, rows 45; column 0 is
# the list's width less 550, the menu buttons stand at the left of the last column.
list_top=$((mt + 85 + 36)) list_left=$((ml + 9))
header_y=$((list_top + 12)) row0_y=$((list_top + 24 + 22))
cpu_x=$((list_left + 312 + 30)) name_x=$((list_left + 60)) button_x=$((list_left + 312 + 7 * 70 + 12))
screenshot process_by_name
child_running() { pgrep -f 'aaa_child\.exe busy' >/dev/null; }
check "the child runs" child_running
click_at "$cpu_x" "$header_y" 1
sleep 2.5  # two refreshes: every share measured over a whole period
screenshot process_sorted_by_cpu_descending
open_row0_menu() {
  pointer_to $((list_left + 100)) "$row0_y"
  sleep 0.3
  click_at "$button_x" "$row0_y"
  probe wait-window '#32768' 5
}
check "the row's button opens its menu" open_row0_menu
sleep 0.5
screenshot process_row_menu
# "End Process" is the menu's first item, just below the cursor.
click_at $((button_x + 30)) $((row0_y + 3 + 11)) 1
for _ in $(seq 10); do child_running || break; sleep 0.5; done
check "the busy child was the first row by CPU and End Process ended it" bash -c "! pgrep -f 'aaa_child\.exe busy' >/dev/null"
# Had another process come first, its end may have been refused.
if probe wait-visible TVeskMessageBox 1 1; then
  screenshot process_busiest_first_refused
  xdotool key Return
  probe wait-visible TVeskMessageBox 0 5
fi
sleep 2.5  # two refreshes
screenshot process_after_end_child
click_at "$cpu_x" "$header_y" 2
screenshot process_sorted_by_cpu_ascending
# Name from A to Z again: none -> descending, then ascending.
click_at "$name_x" "$header_y" 1
click_at "$name_x" "$header_y" 2

# explorer.exe is the first row by name.
open_row0_menu
sleep 0.5
click_at $((button_x + 30)) $((row0_y + 3 + 11)) 1
check "ending explorer.exe shows the permissions message" probe wait-visible TVeskMessageBox 1 5
sleep 0.5
screenshot process_end_explorer_message
xdotool key Return
probe wait-visible TVeskMessageBox 0 5

# "Display Net Process Only" without a traffic source hides every row; "Display System Process".
read -r cl ct cr cb cv < <(probe child-rect TfrmVeskMonitorMain TfrmSoftMonitor)
click_at $((cr - 150)) $((ct + 19)) 2
screenshot process_net_only
click_at $((cr - 150)) $((ct + 19)) 1
click_at $((cr - 360)) $((ct + 19)) 2
screenshot process_with_system_processes
kill "$child_pid" 2>/dev/null
rm -rf "$(dirname "$child_copy")"
