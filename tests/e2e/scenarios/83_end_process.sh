# The end-process buttons of the CPU popup. Two children of the test keep processors busy, so they
# are the popup's first rows: a copy named like a process that may not be ended keeps every
# processor busy and comes first, and its end is refused with the message box; the second, busy on
# one processor, is ended.
fresh_wineserver
rm -rf "$(settings_dir)"
protected_copy=/tmp/vsm_e2e_protected/explorer.exe
mkdir -p "$(dirname "$protected_copy")" && cp "$test_child" "$protected_copy"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
# Started without the probe helper's pipe, whose end would take the children with it.
wine "$probe" start "$(winepath -w "$protected_copy")" spin 60000 >/dev/null 2>&1
wine "$probe" start "$(winepath -w "$test_child")" busy 60000 >/dev/null 2>&1
sleep 4  # the engine lists the children and measures their shares
read_strip
# The CPU cell lies between the memory and the temperature cells: scan for it.
y=$((st + 12))
# Clicks the strip and moves along it until the popup explains the CPU load.
open_cpu_popup() {
  pointer_to $((sl + 20)) "$y"
  xdotool click 1
  probe wait-visible TfrmMonitorPopup 1 10
  for x in $(seq $((sl + 20)) 8 $((sr - 4))); do
    pointer_to "$x" "$y"
    sleep 0.2
    [ "$(probe window-text TfrmMonitorPopup)" = "CPU usage" ] && break
  done
}
open_cpu_popup
check "the CPU popup is open" test "$(probe window-text TfrmMonitorPopup)" = "CPU usage"
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
# Rows of 25 start 27 pixels below the popup's top; the button sits in the last 20-pixel column.
bx=$((pr - 30 + 8))
child_running() { pgrep -f 'test_child\.exe busy' >/dev/null; }
check "the busy child runs" child_running
services_running() { pgrep -f 'services\.exe' >/dev/null; }
end_row() {
  pointer_to $((pl + 60)) $((pt + 27 + 25 * $1 + 12))
  sleep 0.3
  pointer_to "$bx" $((pt + 27 + 25 * $1 + 12))
  sleep 0.5
}
# Without the children the first rows would be other processes, this program among them.
if child_running; then
  end_row 0
  screenshot popup_cpu_end_process_hover
  xdotool click 1
  check "ending the busiest row, named like a protected process, shows the message box" probe wait-visible TVeskMessageBox 1 10
  sleep 2
  screenshot message_box_end_process_error
  check "its title is the information title" test "$(probe window-text TVeskMessageBox)" = "Information"
  # OK sits 16 pixels in from the bottom-right corner of the box (inside its 80 x 26 button).
  read -r ml mt mr mb mv < <(window_rect TVeskMessageBox)
  pointer_to $((mr - 24 - 40)) $((mb - 24 - 13))
  sleep 0.5
  screenshot message_box_ok_hot
  xdotool click 1
  check "OK closes it" probe wait-visible TVeskMessageBox 0 5
  # The pointer left the popup for the message box's button, so the popup may have closed: open it
  # again as a user would.
  if ! probe wait-visible TfrmMonitorPopup 1 1; then
    open_cpu_popup
    read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
    bx=$((pr - 30 + 8))
  fi
  end_row 1
  xdotool click 1
  for _ in $(seq 20); do child_running || break; sleep 0.5; done
  check "the end-process button of the second row ended the busy child" bash -c "! pgrep -f 'test_child\\.exe busy' >/dev/null"
  check "and nothing else" services_running
  sleep 1
  screenshot popup_cpu_after_end_process
fi
for pid in $(pgrep -f 'vsm_e2e_protected.explorer\.exe spin'); do kill "$pid"; done
rm -rf "$(dirname "$protected_copy")"
