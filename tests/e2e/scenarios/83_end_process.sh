# The end-process button of the CPU popup ends a busy child process of the test.
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
probe start "$(winepath -w "$test_child")" spin 60000
sleep 4  # the engine measures the child's CPU share
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
# The first row (the busiest process) starts 27 pixels below the popup's top; its button sits in
# the last 20-pixel column.
bx=$((pr - 30 + 8)) by=$((pt + 27 + 12))
pointer_to $((pl + 60)) "$by"
sleep 0.3
pointer_to "$bx" "$by"
sleep 0.5
screenshot popup_cpu_end_process_hover
child_running() { pgrep -f 'test_child\.exe spin' >/dev/null; }
check "the child runs" child_running
xdotool click 1
for _ in $(seq 20); do child_running || break; sleep 0.5; done
check "the end-process button ended the child" bash -c "! pgrep -f 'test_child\\.exe spin' >/dev/null"
sleep 1
screenshot popup_cpu_after_end_process
