# The tray menu opens on a right-button release over the icon.
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
check "tray icon appears" probe wait-window TVeskTrayIconWindow 10
open_tray_menu
sleep 1.5
check "the menu is open" probe wait-window '#32768' 5
screenshot tray_menu
