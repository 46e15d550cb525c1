# The tray menu opens on a right-button release over the icon.
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
check "tray icon appears" probe wait-window TVeskTrayIconWindow 10
check "the menu opens" open_tray_menu
screenshot tray_menu
