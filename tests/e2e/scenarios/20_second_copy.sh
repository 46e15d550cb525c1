# A second copy hands over to the running one and ends with code 0, whatever its parameters; the
# running copy keeps one hidden main form and one tray icon.
start_product -os
check "first copy is up" probe wait-window TfrmVeskSystemMonitor 30
check "first copy has its tray icon" probe wait-window TVeskTrayIconWindow 10
for parameters in "" "-os" '$UAC' "--anything"; do
  code=$(run_product $parameters)
  check "second copy with '$parameters' exits with 0 (got $code)" test "$code" = 0
done
check "one hidden main form" test "$(probe count-windows TfrmVeskSystemMonitor)" = 1
check "one tray icon" test "$(probe count-windows TVeskTrayIconWindow)" = 1
sleep 1
check "one process" test "$(product_count)" = 1
