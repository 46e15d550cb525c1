# At 144 dpi (Wine's LogPixels) the strip and the popup are laid out one and a half times as large
# from their 96-dpi figures, with fonts and images drawn at that size.
logpixels_key='HKCU\Control Panel\Desktop'
wine reg add "$logpixels_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 2
read_strip
read -r wl wt wr wb < <(work_area)
check "the strip is 38 pixels high (25 at 96 dpi)" test $((sb - st)) = 38
check "it keeps 15 pixels (10 at 96 dpi) from the work-area right" test "$sr" = $((wr - 15))
screenshot strip_144dpi
pointer_to $((sl + 30)) $((st + 18))
xdotool click 1
check "the popup opens" probe wait-visible TfrmMonitorPopup 1 10
for x in $(seq $((sl + 30)) 10 $((sr - 6))); do
  pointer_to "$x" $((st + 18))
  sleep 0.2
  [ "$(probe window-text TfrmMonitorPopup)" = "Memory usage" ] && break
done
sleep 1
screenshot popup_memory_144dpi
e2e_stop_product
wine reg delete "$logpixels_key" /v LogPixels /f >/dev/null 2>&1
