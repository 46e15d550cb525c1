# A first start creates the settings folder and the setup identifier in the 64-bit registry view;
# closing writes the nine keys; a second start reuses the identifier.
rm -rf "$(settings_dir)"
forget_setup_guid
start_product -os
check "main form appears" probe wait-window TfrmVeskSystemMonitor 30
# The tray icon comes after the settings have been loaded.
check "tray icon appears" probe wait-window TVeskTrayIconWindow 10
check "the settings folder is created at start" test -d "$(settings_dir)"
guid=$(setup_guid)
echo "  setup identifier: $guid"
check "identifier is 38 upper-case characters in braces" \
  bash -c "[[ '$guid' =~ ^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$ ]]"
probe post TfrmVeskSystemMonitor 16
check "program ends on close" probe wait-gone TfrmVeskSystemMonitor 15
sleep 0.5
check "settings file written" test -f "$(settings_file)"
settings_text | sed 's/^/  | /'
keys=$(settings_text | sed -n 's/=.*//p' | tr '\n' ' ')
check "nine keys in order in [General]" test "$keys" = "Language AutoUpdate MSGIDs SetupVer TmepUnit TopMost ShowFloat FloatX FloatY "
check "section is General" test "$(settings_text | grep -c '^\[General\]$')" = 1
check "first-start defaults" test "$(settings_value Language)/$(settings_value AutoUpdate)/$(settings_value TmepUnit)/$(settings_value TopMost)/$(settings_value ShowFloat)/$(settings_value FloatX)/$(settings_value FloatY)" = "English/1/C/1/1/-1/-1"
check "the version is recorded" test "$(settings_value SetupVer)" = "1.00.1"

start_product -os
check "second start" probe wait-window TfrmVeskSystemMonitor 30
check "second start has loaded its settings" probe wait-window TVeskTrayIconWindow 10
check "second start reuses the identifier" test "$(setup_guid)" = "$guid"
