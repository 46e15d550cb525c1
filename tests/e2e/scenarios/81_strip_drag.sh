# Dragging: 2 pixels do not move the strip, more do; the settings file holds the new place after
# exit and the next start puts the strip there. A strip dragged to the top edge slides up when the
# mouse leaves it, leaving a 5-pixel sliver, and comes back when the mouse touches the sliver.
rm -rf "$(settings_dir)"
start_product -os
check "the strip appears" probe wait-visible TfrmMonitorFloat 1 30
sleep 1
read_strip
x0=$((sl + 100)) y0=$((st + 12))
# No probe runs while the button is held: a Wine process starting then ends the pointer's grab.
pointer_to "$x0" "$y0"
sleep 0.3
xdotool mousedown 1
sleep 0.3
pointer_to $((x0 + 2)) $((y0 - 2))
sleep 0.3
xdotool mouseup 1
sleep 0.5
read -r l1 t1 r1 b1 v1 < <(strip_rect)
check "a move of 2 pixels does not drag" test "$l1 $t1" = "$sl $st"
check "so the press was a click, which opens the popup" probe wait-visible TfrmMonitorPopup 1 5
pointer_to $((x0 + 2)) $((st + 2))
check "the popup closes over the top margin" probe wait-visible TfrmMonitorPopup 0 5
pointer_to "$x0" "$y0"
sleep 0.3
xdotool mousedown 1
sleep 0.3
# The third pixel starts the drag; from then on the strip keeps the pressed point under the pointer.
pointer_to $((x0 + 3)) $((y0 - 3))
sleep 0.3
for step in 1 2 3 4 5; do pointer_to $((x0 - 60 * step)) $((y0 - 60 * step)); sleep 0.3; done
xdotool mouseup 1
sleep 1
read -r l2 t2 r2 b2 v2 < <(strip_rect)
echo "  dragged from $sl,$st to $l2,$t2"
check "the strip followed the drag" test "$l2" = $((sl - 300)) -a "$t2" = $((st - 300))
pointer_to 5 5
sleep 1
screenshot strip_dragged
probe post TfrmVeskSystemMonitor 16
check "program ends on close" probe wait-gone TfrmVeskSystemMonitor 15
sleep 0.5
check "the settings hold the new place" test "$(settings_value FloatX),$(settings_value FloatY)" = "$l2,$t2"

start_product -os
check "the strip appears again" probe wait-visible TfrmMonitorFloat 1 30
read -r l3 t3 r3 b3 v3 < <(strip_rect)
check "the next start puts it there" test "$l3,$t3" = "$l2,$t2"

# To the top edge, then away: it slides up until 5 pixels are left.
x0=$((l3 + 100)) y0=$((t3 + 12))
pointer_to "$x0" "$y0"
sleep 0.3
xdotool mousedown 1
sleep 0.3
pointer_to "$x0" $((y0 - 3))
sleep 0.3
for step in 1 2 3 4 5 6 7 8; do pointer_to "$x0" $((y0 - (y0 - 12) * step / 8)); sleep 0.3; done
xdotool mouseup 1
sleep 0.5
read -r l4 t4 r4 b4 v4 < <(strip_rect)
echo "  at the top: $l4,$t4"
check "the strip reached the top edge" test "$t4" = 0
pointer_to $((l4 + 100)) 300
sleep 2
read -r l5 t5 r5 b5 v5 < <(strip_rect)
check "leaving it makes it slide up to a 5-pixel sliver" test "$t5" = -20 -a "$b5" = 5
screenshot strip_slid_up
pointer_to $((l5 + 100)) 2
sleep 1
read -r l6 t6 r6 b6 v6 < <(strip_rect)
check "touching the sliver brings it back with its top at -5" test "$t6" = -5
screenshot strip_back_from_top
