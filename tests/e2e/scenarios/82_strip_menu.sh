# The strip's menu: "Hide" hides it; the tray menu's "Show Float Window" is then unchecked and
# shows it again.
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
read_strip
pointer_to $((sl + 100)) $((st + 12))
xdotool click 3
check "a right-click opens the strip's menu" probe wait-window '#32768' 10
sleep 1
screenshot strip_menu
xdotool key Down Down Return
check "\"Hide\" hides the strip" probe wait-visible TfrmMonitorFloat 0 5
check "the menu is gone" probe wait-gone '#32768' 5
check "the tray menu opens" open_tray_menu
screenshot tray_menu_strip_hidden
xdotool key Down Return
check "\"Show Float Window\" shows the strip again" probe wait-visible TfrmMonitorFloat 1 5
sleep 1
check "the tray menu opens again" open_tray_menu
screenshot tray_menu_strip_shown
xdotool key Escape
probe wait-gone '#32768' 5

# "Details", the menu's last item, opens the main window (started with -os, none is open yet).
read_strip
pointer_to $((sl + 100)) $((st + 12))
xdotool click 3
check "the strip's menu opens again" probe wait-window '#32768' 10
xdotool key End Return
check "\"Details\" opens the main window" probe wait-visible TfrmVeskMonitorMain 1 20
screenshot strip_details_main_window
