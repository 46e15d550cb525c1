# Sourced: prepare_simulated_run BUILD_DIR copies the program (the same executable and its
# language files) into BUILD_DIR/simulated_run together with the simulated machine of
# tools/simdrv (DManager.dll, VeskSimDrv.sys, simdrv_ctl.exe) and prints the copy's path.
# stop_simulated_driver EXE_FOLDER stops the simulated driver and removes its service.
# simulated_machine_dump names the SMBIOS dump (tests/fixtures/smbios) whose firmware identity a
# simulated run gets through scripts/fixture_dmi.sh: a desktop board of a maker whose boards carry
# chips like the simulated one.
simulated_machine_dump=uroot__MSI-MS-7816.bin
# Whether scripts/fixture_dmi.sh can make its mount namespace here.
fixture_dmi_possible() { unshare --mount --propagation private true 2>/dev/null; }
prepare_simulated_run() {
  local build=$1 source=$1/simulated_machine folder=$1/simulated_run
  [ -f "$source/DManager.dll" ] && [ -f "$source/VeskSimDrv.sys" ] && [ -f "$source/simdrv_ctl.exe" ] || return 1
  rm -rf "$folder" && mkdir -p "$folder" &&
    cp "$build/src/VeskSystemMonitor.exe" "$folder/" && cp -r "$build/src/Languages" "$folder/" &&
    cp "$source/DManager.dll" "$source/VeskSimDrv.sys" "$source/simdrv_ctl.exe" "$folder/" || return 1
  echo "$folder/VeskSystemMonitor.exe"
}
stop_simulated_driver() { wine "$1/simdrv_ctl.exe" stop >/dev/null 2>&1; }
