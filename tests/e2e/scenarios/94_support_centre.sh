# The support centre against a feedback site of the test's own, which the prefix reaches as its
# HTTP proxy: the unread answers the site reports show as the support button's badge, the button
# opens the centre (without a browser engine here: its explanation and the default-browser
# button, which hands the site's list of the user's answers to the shell, as two are unread), and
# the screenshot action (message 2390 with 2, as the pages' pseudo-link asks for it) opens the
# capture window:
# a dragged rectangle is uploaded as a PNG of its size, a zero-size one leaves the window open,
# Escape and the right button cancel, and the screenshot's temporary file is gone afterwards.
internet_settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
http_command='HKLM\Software\Classes\http\shell\open\command'
site_dir=$(mktemp -d)
python3 "$here/feedback_site.py" "$site_dir" '[{"id":11},{"id":"x"},{"id":12}]' &
site_pid=$!
for _ in $(seq 50); do [ -s "$site_dir/port" ] && break; sleep 0.1; done
wine reg add "$internet_settings" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$internet_settings" /v ProxyServer /d "127.0.0.1:$(cat "$site_dir/port")" /f >/dev/null 2>&1
saved_http_command=$(wine reg query "$http_command" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')
opened="$site_dir/opened.txt"
wine reg add "$http_command" /ve /d "\"$(winepath -w "$test_child")\" record \"$(winepath -w "$opened")\" \"%1\"" \
  /f >/dev/null 2>&1
temp_unix=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
uploads() { find "$site_dir/uploads" -type f 2>/dev/null | sort; }
pixel() { convert "$shots/$1.png" -format "%[pixel:p{$2,$3}]" info: 2>/dev/null; }

# Fresh settings: the texts below are the English ones, whatever language an earlier run chose.
rm -rf "$(settings_dir)"
start_product
check "the main window shows" probe wait-visible TfrmVeskMonitorMain 1 30
for _ in $(seq 40); do grep -q 'to=fetch-unread-message' "$site_dir/requests.log" 2>/dev/null && break; sleep 0.25; done
check "the program asks the feedback site for its unread answers" \
  grep -q "^GET http://support\.vesk-monitor\.example[:0-9]*/index\.php?to=fetch-unread-message&guid={" \
  "$site_dir/requests.log"
sleep 1
screenshot support_badge
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
# The badge is a red dot in the support button's top-right corner (button at 735,9 to 780,34).
badge_pixel() { pixel "$1" $((ml + 774)) $((mt + 15)); }
echo "  badge pixel: $(badge_pixel support_badge)"
check "two unread answers put the badge on the support button" test "$(badge_pixel support_badge)" = "srgb(232,17,35)"

pointer_to $((ml + 757)) $((mt + 21))
sleep 0.3
xdotool click 1
check "the support button opens the support centre" probe wait-visible TFrmVeskSupport 1 10
check "its caption is 'Support Center'" test "$(probe window-text TFrmVeskSupport)" = "Support Center"
sleep 1
screenshot support_no_browser
read -r sl st sr sb sv < <(window_rect TFrmVeskSupport)
echo "  support centre: $sl $st $sr $sb"
pointer_to $((ml + 100)) $((mt + 15))
sleep 0.5
screenshot support_badge_after
check "the badge goes once the centre has shown the answers" \
  test "$(badge_pixel support_badge_after)" != "srgb(232,17,35)"

# The default-browser button sits in the middle of the page area, below the explanation.
pointer_to $(((sl + sr) / 2)) $(((st + 30 + sb) / 2 + 15))
sleep 0.3
xdotool click 1
for _ in $(seq 40); do [ -s "$opened" ] && break; sleep 0.25; done
echo "  opened: $(tr -d '\r' < "$opened" 2>/dev/null)"
check "the button hands the page of the unread answers to the default browser" \
  grep -qx "http://support\.vesk-monitor\.example/index\.php?to=my-feedback" <(tr -d '\r' < "$opened" 2>/dev/null)

# A screenshot: the capture window covers the screen; a dragged rectangle closes it and goes up.
probe post TFrmVeskSupport 2390 2 >/dev/null
check "the screenshot action opens the capture window" probe wait-visible TFrmCatch 1 10
read -r cl ct cr cb cv < <(window_rect TFrmCatch)
read -r wl wt wr wb < <(xdotool getdisplaygeometry | awk '{print 0, 0, $1, $2}')
check "the capture window covers the screen ($cl $ct $cr $cb)" test "$cl $ct $cr $cb" = "$wl $wt $wr $wb"
check "the support centre steps aside meanwhile" probe wait-visible TFrmVeskSupport 0 5
sleep 1
screenshot capture_window
pointer_to 100 120
xdotool mousedown 1
pointer_to 180 170
pointer_to 300 260
sleep 0.5
screenshot capture_rectangle
xdotool mouseup 1
check "releasing the button closes the capture window" probe wait-visible TFrmCatch 0 10
for _ in $(seq 60); do [ -n "$(uploads)" ] && break; sleep 0.25; done
upload=$(uploads | head -1)
echo "  uploaded: ${upload:-(nothing)} $(identify -format '%m %wx%h' "$upload" 2>/dev/null)"
check "the rectangle went up as a PNG of its size" test "$(identify -format '%m %wx%h' "$upload" 2>/dev/null)" = "PNG 200x140"
[ -n "$upload" ] && cp "$upload" "$shots/capture_uploaded.png" && echo "  screenshot: $shots/capture_uploaded.png"
check "the upload came as the browser the site expects" \
  grep -q "^POST http://support\.vesk-monitor\.example[:0-9]*/index\.php?to=upload-file agent=Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)$" \
  "$site_dir/requests.log"
check "the support centre is back" probe wait-visible TFrmVeskSupport 1 5
sleep 1
check "no temporary screenshot is left behind" test -z "$(find "$temp_unix" -maxdepth 1 -iname 'ves*.png' 2>/dev/null)"
screenshot support_after_upload

# A zero-size rectangle keeps the window; Escape and the right button cancel without an upload.
probe post TFrmVeskSupport 2390 2 >/dev/null
probe wait-visible TFrmCatch 1 10
sleep 1
pointer_to 400 400
xdotool click 1
sleep 1
check "a zero-size rectangle leaves the capture window open" probe wait-visible TFrmCatch 1 1
screenshot capture_zero_size
xdotool key Escape
check "Escape closes the capture window" probe wait-visible TFrmCatch 0 5
probe wait-visible TFrmVeskSupport 1 5
probe post TFrmVeskSupport 2390 2 >/dev/null
probe wait-visible TFrmCatch 1 10
sleep 1
xdotool click 3
check "the right button closes the capture window" probe wait-visible TFrmCatch 0 5
sleep 2
check "nothing more was uploaded" test "$(uploads | wc -l)" = 1

wine reg delete "$internet_settings" /v ProxyEnable /f >/dev/null 2>&1
wine reg delete "$internet_settings" /v ProxyServer /f >/dev/null 2>&1
if [ -n "$saved_http_command" ]; then
  wine reg add "$http_command" /ve /d "$saved_http_command" /f >/dev/null 2>&1
else
  wine reg delete "$http_command" /ve /f >/dev/null 2>&1
fi
kill "$site_pid" 2>/dev/null
rm -rf "$site_dir"
