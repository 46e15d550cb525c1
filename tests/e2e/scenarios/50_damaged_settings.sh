# Damaged settings files: the program starts with defaults and keeps every value it could read.
mkdir -p "$(settings_dir)"
for damage in binary truncated mixed; do
  case $damage in
    binary) head -c 4096 /dev/urandom > "$(settings_file)" ;;
    truncated) printf '[General]\r\nLanguage=English\r\nFloatX=300\r\nFloatY=4' > "$(settings_file)" ;;
    mixed) printf '[General]\nAutoUpdate=zz\nTmepUnit=f\nFloatX=12px\nFloatY=-1\n\0\0\xff\n' > "$(settings_file)" ;;
  esac
  start_product -os
  check "$damage: starts" probe wait-window TfrmVeskSystemMonitor 30
  probe post TfrmVeskSystemMonitor 16
  check "$damage: ends" probe wait-gone TfrmVeskSystemMonitor 15
  sleep 0.5
  case $damage in
    binary) check "binary: defaults written" test "$(settings_value AutoUpdate)/$(settings_value FloatX)" = "1/-1" ;;
    truncated) check "truncated: values kept" test "$(settings_value FloatX)/$(settings_value FloatY)" = "300/4" ;;
    mixed) check "mixed: bad numbers get defaults, text is kept" \
             test "$(settings_value AutoUpdate)/$(settings_value TmepUnit)/$(settings_value FloatX)" = "1/f/-1" ;;
  esac
done
