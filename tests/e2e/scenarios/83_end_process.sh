# The end-process button of the CPU popup ends a child process of the test. Under Wine every process
# shows the same CPU share, so the rows keep the engine's order, the order of the system's process
# snapshot: the child, started on a new session before the program, lands among the first nine
# rows, at the place the probe reads from the same snapshot.
fresh_wineserver
rm -rf "$(settings_dir)"
# Started without the probe helper's pipe, whose end would take the child with it.
wine "$probe" start "$(winepath -w "$test_child")" wait >/dev/null 2>&1
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 4  # the engine lists the child
rank=$(probe process-rank test_child.exe)
echo "  the child is process $rank of the snapshot"
check "the child is among the popup's nine rows" test "$rank" -ge 0 -a "$rank" -lt 9
read_strip
# The CPU cell lies between the memory and the temperature cells: scan for it.
y=$((st + 12))
pointer_to $((sl + 20)) "$y"
xdotool click 1
probe wait-visible TfrmMonitorPopup 1 10
for x in $(seq $((sl + 20)) 8 $((sr - 4))); do
  pointer_to "$x" "$y"
  sleep 0.2
  [ "$(probe window-text TfrmMonitorPopup)" = "CPU usage" ] && break
done
check "the CPU popup is open" test "$(probe window-text TfrmMonitorPopup)" = "CPU usage"
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
# Rows of 25 start 27 pixels below the popup's top; the button sits in the last 20-pixel column.
bx=$((pr - 30 + 8)) by=$((pt + 27 + 25 * rank + 12))
pointer_to $((pl + 60)) "$by"
sleep 0.3
pointer_to "$bx" "$by"
sleep 0.5
screenshot popup_cpu_end_process_hover
child_running() { pgrep -f 'test_child\.exe wait' >/dev/null; }
check "the child runs" child_running
services_running() { pgrep -f 'services\.exe' >/dev/null; }
xdotool click 1
for _ in $(seq 20); do child_running || break; sleep 0.5; done
check "the end-process button ended the child" bash -c "! pgrep -f 'test_child\\.exe wait' >/dev/null"
check "and nothing else" services_running
sleep 1
screenshot popup_cpu_after_end_process

# A process that may not be ended (services.exe, the first row) gives the message box.
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
pointer_to $((pl + 60)) $((pt + 27 + 12))
sleep 0.3
pointer_to $((pr - 30 + 8)) $((pt + 27 + 12))
sleep 0.3
xdotool click 1
check "ending a protected process shows the message box" probe wait-visible TVeskMessageBox 1 10
sleep 2
screenshot message_box_end_process_error
check "its title is the information title" test "$(probe window-text TVeskMessageBox)" = "Information"
check "services.exe still runs" services_running
# OK sits 16 pixels in from the bottom-right corner of the box (inside its 80 x 26 button).
read -r ml mt mr mb mv < <(window_rect TVeskMessageBox)
pointer_to $((mr - 24 - 40)) $((mb - 24 - 13))
sleep 0.5
screenshot message_box_ok_hot
xdotool click 1
check "OK closes it" probe wait-visible TVeskMessageBox 0 5
