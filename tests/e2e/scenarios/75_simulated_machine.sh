# The real program on the simulated machine: DManager.dll beside it hands out handles to the
# simulated kernel driver, and the driver's own tally shows that the program's requests arrived.
use_simulated_machine
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
# The program asks again for a driver that was still starting: wait for four samples' requests.
for _ in $(seq 60); do
  totals=$(served_to_product filter 0x0012C807)
  [ "$totals" -ge 4 ] && break
  sleep 0.5
done
simdrv_ctl served | grep ' VeskSystemMonitor\.exe ' | sed 's/^/  served: /'
check "the traffic engine read the filter's counters ($totals requests)" test "$totals" -ge 4
screenshot simulated_machine_background
probe post TfrmVeskSystemMonitor 16
check "program ends on close" probe wait-gone TfrmVeskSystemMonitor 15
