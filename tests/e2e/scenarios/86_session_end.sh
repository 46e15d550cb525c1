# Log-off and shutdown: Windows asks the hidden main form whether the session may end, tells it
# that it ends, and then ends the process without any close. What the program held only in memory
# (the temperature unit chosen in the popup) is in the settings file by then, written whole over a
# file damaged behind the program's back.
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 1
read_strip
pointer_to $((sr - 10)) $((st + 12))
xdotool click 1
check "the popup opens" probe wait-visible TfrmMonitorPopup 1 10
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
# °F: the second radio box, 34 below the 27-pixel header and 80 from the left.
pointer_to $((pl + 86)) $((pt + 27 + 34 + 10))
xdotool click 1
sleep 1
mkdir -p "$(settings_dir)"
printf '[General]\r\nTmepUnit=C\r\nFloatX=12px\r\n\0\0\xff' > "$(settings_file)"
check "the session may end" test "$(probe send TfrmVeskSystemMonitor 17 0 0)" = 1  # WM_QUERYENDSESSION
probe send TfrmVeskSystemMonitor 22 1 0 >/dev/null  # WM_ENDSESSION, ending
for pid in $(product_pids); do kill -9 "$pid" 2>/dev/null; done
check "the process is gone" probe wait-gone TfrmVeskSystemMonitor 15
check "the file is UTF-16 with its mark" test "$(head -c 2 "$(settings_file)" | od -An -tx1 | tr -d ' ')" = fffe
check "the unit chosen in the popup was saved" test "$(settings_value TmepUnit)" = F
place="$(settings_value FloatX)/$(settings_value FloatY)"
check "the strip's place was saved ($place)" test "$place" = "-1/-1" -o "$place" = "$sl/$st"
check "every key is there once" test "$(settings_text | grep -c '=')" = 9
check "no temporary file is left" test -z "$(find "$(settings_dir)" -name '*.tmp')"
