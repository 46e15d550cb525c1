# The temperature popup: with the aggregator but no sensor (no driver here) it shows only the
# °C/°F choice; choosing °F goes into the settings, which hold it after exit.
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 1
read_strip
y=$((st + 12))
# The temperature cell is the last one: it ends 3 pixels before the strip's right edge.
pointer_to $((sr - 10)) "$y"
xdotool click 1
check "the popup opens" probe wait-visible TfrmMonitorPopup 1 10
sleep 1
check "it shows the temperatures" test "$(probe window-text TfrmMonitorPopup)" = "Hardware component temperature"
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
check "no sensor: 29 + 40 for the panel and 20 for the frame" test $((pb - pt)) = 89
screenshot popup_temperature_celsius
# The radio boxes lie 34 below the 27-pixel header, °C at 20 and °F at 80 from the left.
pointer_to $((pl + 86)) $((pt + 27 + 34 + 10))
xdotool click 1
sleep 1
screenshot popup_temperature_fahrenheit
probe post TfrmVeskSystemMonitor 16
check "program ends on close" probe wait-gone TfrmVeskSystemMonitor 15
sleep 0.5
check "the settings hold °F" test "$(settings_value TmepUnit)" = F
