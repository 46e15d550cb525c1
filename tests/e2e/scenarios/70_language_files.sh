# Language folders beside copies of the executable: German is used when its file is sound; a
# missing folder, a "Languages" that is a file and no folder, or a German file in the wrong
# encoding gives English, and the stored language name is kept either way.
languages=$(cd "$(dirname "$exe")/Languages" && pwd)
copies=$(mktemp -d)
original_exe=$exe
menu_shot() {  # the menu's part of the screen, for comparing languages
  import -window root -crop 400x300+540+300 "$shots/tray_menu_$1.png" 2>/dev/null
  echo "  screenshot: $shots/tray_menu_$1.png"
}
# The tray menu opens at the pointer: put it where the shots crop, whatever ran before.
pointer_to 640 400
for variant in german missing not_a_folder wrong_encoding; do
  mkdir -p "$copies/$variant"
  cp "$original_exe" "$copies/$variant/"
  case $variant in
    german) cp -r "$languages" "$copies/$variant/Languages" ;;
    missing) ;;
    not_a_folder) head -c 300 /dev/urandom > "$copies/$variant/Languages" ;;
    wrong_encoding)
      mkdir "$copies/$variant/Languages"
      iconv -f UTF-16LE -t UTF-16BE "$languages/German.ini" > "$copies/$variant/Languages/German.ini" ;;
  esac
  exe="$copies/$variant/VeskSystemMonitor.exe"
  mkdir -p "$(settings_dir)"
  printf '[General]\r\nLanguage=German\r\n' > "$(settings_file)"
  start_product -os
  check "$variant: starts" probe wait-window TfrmVeskSystemMonitor 30
  check "$variant: tray icon" probe wait-window TVeskTrayIconWindow 10
  # The menu opens at the cursor, which stays where it is between the runs.
  check "$variant: the menu opens" open_tray_menu
  menu_shot "$variant"
  e2e_stop_product
  check "$variant: the stored language name is kept" test "$(settings_value Language)" = German
done
exe=$original_exe
same() { compare -metric AE "$shots/tray_menu_$1.png" "$shots/tray_menu_$2.png" null: 2>/dev/null; }
differs() { ! same "$@"; }
check "the German menu differs from the built-in English one" differs german missing
check "a German file in the wrong encoding falls back to English" same missing wrong_encoding
check "a Languages file that is no folder falls back to English" same missing not_a_folder
rm -rf "$copies"
