# The main window: a start without parameters shows it on the "Soft Monitor" tab; its tabs, its
# close button (which only hides it), the tray click and a second start that bring back the tab
# that was selected, the menu with its language submenu and "Check for Updates", the about box.
rm -f "$(settings_file)"
start_product
check "a start without parameters shows the main window" probe wait-visible TfrmVeskMonitorMain 1 30
sleep 3
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
check "the main window is 880 x 600" test "$((mr - ml))x$((mb - mt))" = "880x600"
visible() { [ "$(probe child-rect TfrmVeskMonitorMain "$1" | awk '{print $5}')" = 1 ]; }
check "the process page is shown" visible TfrmSoftMonitor
screenshot main_soft_monitor
click_at() { pointer_to "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-1}"; }
tab_y=$((mt + 65))
click_at $((ml + 240)) "$tab_y" 3
check "the hardware tab shows the hardware page" visible TfrmHardMonitor
check "the hardware tab hides the process page" test "$(probe child-rect TfrmVeskMonitorMain TfrmSoftMonitor | awk '{print $5}')" = 0
screenshot main_hard_monitor
click_at $((ml + 390)) "$tab_y" 3
check "the operating-system tab shows the process page's frame" visible TfrmSoftMonitor
check "the operating-system tab shows the tree" visible TVeskInfoTree
check "the operating-system tab hides the list" test "$(probe child-rect TfrmVeskMonitorMain TVeskReportList | awk '{print $5}')" = 0
screenshot main_operating_system

# Close hides; the tray icon brings back the same tab.
click_at $((mr - 19)) $((mt + 15))
check "the close button hides the window" probe wait-visible TfrmVeskMonitorMain 0 10
check "the program keeps running" probe wait-window TfrmVeskSystemMonitor 1
probe post TVeskTrayIconWindow 1025 0 513 >/dev/null
probe post TVeskTrayIconWindow 1025 0 514 >/dev/null
check "a tray click shows the window again" probe wait-visible TfrmVeskMonitorMain 1 10
sleep 2
check "the tray click brings back the operating-system tab" visible TVeskInfoTree
screenshot main_reshown_operating_system
click_at $((ml + 90)) "$tab_y" 2
click_at $((mr - 19)) $((mt + 15))
probe wait-visible TfrmVeskMonitorMain 0 10
code=$(run_product)
check "a second start exits with 0 (got $code)" test "$code" = 0
check "a second start shows the window" probe wait-visible TfrmVeskMonitorMain 1 10
sleep 2
check "the second start brings back the process list" visible TVeskReportList

# The menu: "Check for Updates" toggles its mark and the setting only, and each click saves it.
menu_x=$((mr - 49)) menu_y=$((mt + 15))
toggle_updates() {
  click_at "$menu_x" "$menu_y"
  probe wait-window '#32768' 5 || return
  sleep 1
  screenshot "main_menu_$1"
  read -r ux uy ur ub uv < <(window_rect '#32768')
  click_at $((ux + 40)) $((uy + 3 + 4 * 22 + 11)) 2
}
toggle_updates before_toggle
first=$(settings_value AutoUpdate)
toggle_updates after_first_toggle
second=$(settings_value AutoUpdate)
check "Check for Updates saves the setting at each click ($first, then $second)" \
  test -n "$first" -a -n "$second" -a "$first" != "$second"
check "no update window opened" bash -c "! wine '$probe' wait-window TfrmUpdate 1 >/dev/null 2>&1"

# The language submenu: German changes every open window and the menu at once and is kept.
click_at "$menu_x" "$menu_y"
probe wait-window '#32768' 5
read -r ux uy ur ub uv < <(window_rect '#32768')
pointer_to $((ux + 40)) $((uy + 3 + 6 * 22 + 7 + 11))
sleep 1.5
screenshot main_menu_language
# The submenu lists the language files by name: Chinese (Simplified), English, German. It opens
# on whichever side has room; the newest menu window is the submenu.
read -r sx sy sr sb sv < <(window_rect '#32768')
check "the language submenu is open" test "$sx $sy" != "$ux $uy"
pointer_to $((sx + 40)) $((sy + 3 + 11))
sleep 0.3
pointer_to $((sx + 40)) $((sy + 3 + 2 * 22 + 11))
sleep 0.5
screenshot main_menu_language_german
xdotool click 1
sleep 2
check "the language setting is German" test "$(settings_value Language)" = German
screenshot main_german
click_at "$menu_x" "$menu_y"
probe wait-window '#32768' 5
sleep 1
screenshot main_menu_german
xdotool key Escape
sleep 1

# The about box.
click_at "$menu_x" "$menu_y"
probe wait-window '#32768' 5
read -r ux uy ur ub uv < <(window_rect '#32768')
click_at $((ux + 40)) $((uy + 3 + 7 * 22 + 7 + 11)) 2
check "About opens the about box" probe wait-visible TfrmAbout 1 5
screenshot main_about
xdotool key Return
check "the about box closes" probe wait-visible TfrmAbout 0 5

# The language survives a restart.
probe post TfrmVeskSystemMonitor 16 >/dev/null
probe wait-gone TfrmVeskSystemMonitor 15
start_product
probe wait-visible TfrmVeskMonitorMain 1 30
sleep 3
check "the language is still German after a restart" test "$(settings_value Language)" = German
screenshot main_german_after_restart
