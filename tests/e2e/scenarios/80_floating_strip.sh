# The floating strip appears at the bottom-right corner of the work area. Hovering and clicking
# each cell opens that item's popup, moving across the cells switches it, and moving over the
# strip's top margin (no item) closes it.
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 2  # a few samples for the cells
read_strip
read -r wl wt wr wb < <(work_area)
echo "  strip: $sl $st $sr $sb, work area: $wl $wt $wr $wb"
check "the strip is 25 pixels high" test $((sb - st)) = 25
check "its right edge is 10 pixels from the work-area right" test "$sr" = $((wr - 10))
check "its bottom is the work-area bottom" test "$sb" = "$wb"
screenshot strip

y=$((st + 12))
pointer_to $((sl + 20)) "$y"
xdotool click 1
check "clicking the download cell opens the popup" probe wait-visible TfrmMonitorPopup 1 10
sleep 1
check "the popup explains the download rate" test "$(probe window-text TfrmMonitorPopup)" = "Download speed"
read -r pl pt pr pb pv < <(window_rect TfrmMonitorPopup)
echo "  popup: $pl $pt $pr $pb"
check "the popup is as wide as the strip" test $((pr - pl)) = $((sr - sl))
check "near the screen bottom it opens above the strip" test "$pb" = "$st"
screenshot popup_download

# Across the cells from left to right: every change of item switches the popup's content.
titles=()
last=""
for x in $(seq $((sl + 20)) 8 $((sr - 4))); do
  pointer_to "$x" "$y"
  sleep 0.2
  title=$(probe window-text TfrmMonitorPopup)
  if [ "$title" != "$last" ]; then
    titles+=("$title")
    last=$title
    sleep 0.5
    screenshot "popup_$(echo "$title" | tr ' A-Z' '_a-z')"
  fi
done
joined=$(IFS=/; echo "${titles[*]}")
echo "  titles: $joined"
check "moving across the cells switches download, upload, memory, CPU, temperature" \
  test "$joined" = "Download speed/Upload speed/Memory usage/CPU usage/Hardware component temperature"
check "the popup stayed open" probe wait-visible TfrmMonitorPopup 1 1

pointer_to $((sl + 100)) $((st + 2))
check "the top margin belongs to no item and closes the popup" probe wait-visible TfrmMonitorPopup 0 5
screenshot popup_closed
