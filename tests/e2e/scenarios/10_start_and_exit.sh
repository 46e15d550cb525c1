# The product starts in the background with "-os" and ends on WM_CLOSE to its hidden main form.
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
screenshot start_background
probe post TfrmVeskSystemMonitor 16
check "program ends on close" probe wait-gone TfrmVeskSystemMonitor 15
