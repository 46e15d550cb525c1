# When the shell restarts, the tray icon comes back without user action. Wine's shell lives in
# the desktop process, which cannot be started again while the session runs (the desktop window
# outlives it), so the shell is ended and a stand-in takes its place: it owns the taskbar window,
# announces "TaskbarCreated" as a starting shell does, and waits for the icon to be added.
# Last of the scenarios: the prefix has no shell of its own afterwards.
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
check "the shell holds the icon" probe tray-icon TVeskTrayIconWindow 15
screenshot shell_before_restart
stop_shell
check "the ended shell holds no icon" test "$(probe count-windows Shell_TrayWnd)" = 0
check "the icon is added to the restarted shell" probe stand-in-shell TVeskTrayIconWindow 15
check "the program still runs" test "$(product_count)" = 1
