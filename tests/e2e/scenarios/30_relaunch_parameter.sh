# "$UAC" relaunches the program without parameters and creates nothing itself; "$uac" in lower
# case is an ordinary parameter: a normal start in the background.
code=$(run_product '$UAC')
check "the \$UAC launch exits with 0 (got $code)" test "$code" = 0
check "a relaunched copy comes up" probe wait-window TfrmVeskSystemMonitor 30
relaunched=$(product_processes | head -1)
echo "  relaunched: $relaunched"
check "the relaunched copy has no parameters" test -n "$relaunched" -a "${relaunched%\$UAC*}" = "$relaunched"
check "the relaunched copy is the only one" test "$(product_count)" = 1
e2e_stop_product

start_product '$uac'
check "\$uac starts normally" probe wait-window TfrmVeskSystemMonitor 30
check "\$uac start has its tray icon" probe wait-window TVeskTrayIconWindow 10
