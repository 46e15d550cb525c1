# The log-on task: the first run (no settings folder yet) registers it in the prefix's task store
# where the program's folder is safe, the main menu's "Run on Startup" shows it checked and removes
# it at a click, or explains a refusal; the news button without any news shows the "no unread
# message" box.
# Wine keeps Task Scheduler 2.0 tasks as files under system32\Tasks and 1.0 work items as .job
# files under Windows\Tasks; the program picks the scheduler by the Windows version Wine reports:
# the 1.0 work item on XP, the 2.0 task from Vista on.
task_store() {
  local windows; windows=$(winepath -u 'C:\windows' 2>/dev/null)
  find "$windows/system32/tasks" "$windows/tasks" -maxdepth 1 -type f -iname 'Vesk System Monitor*' 2>/dev/null
}
find "$(winepath -u 'C:\windows' 2>/dev/null)"/{system32/tasks,tasks} -maxdepth 1 -type f \
  -iname 'Vesk System Monitor*' -delete 2>/dev/null
rm -rf "$(settings_dir)"
start_product
check "the first run shows the main window" probe wait-visible TfrmVeskMonitorMain 1 30
sleep 3
task=$(task_store)
echo "  task store: ${task:-(nothing)}"
screenshot autostart_first_run

read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
click_at() { pointer_to "$1" "$2"; sleep 0.2; xdotool click 1; sleep "${3:-1}"; }
# "Run on Startup" is the item after "Check for Updates" and the separator.
startup_item_y() { echo $(($1 + 3 + 5 * 22 + 7 + 11)); }
open_main_menu() {
  click_at $((mr - 49)) $((mt + 15))
  probe wait-window '#32768' 5 || return 1
  sleep 1
}
click_startup_item() {
  local ux uy ur ub uv
  read -r ux uy ur ub uv < <(window_rect '#32768')
  click_at $((ux + 40)) "$(startup_item_y "$uy")" 2
}
# Wine gives every file and folder the same security: owned by the user, who has full control.
# From Vista on the user's own unelevated programs could replace the program, so the first run
# registers nothing and "Run on Startup" explains why; on XP all of the user's programs are
# administrators, and the work item is registered.
if reports_windows_xp; then
  check "the first run registered the log-on task" test -n "$task"
  check "the task store is XP's 1.0 work items" test -n "$task" -a -z "${task##*/windows/tasks/*}"
  # A work item keeps its application name as UTF-16LE text.
  check "the work item starts this program" python3 -c \
    'import sys; sys.exit(b"VeskSystemMonitor.exe" not in open(sys.argv[1], "rb").read().decode("utf-16-le", "ignore").encode())' "$task"
  check "the menu button opens the main menu" open_main_menu
  screenshot autostart_menu_checked
  click_startup_item
  for _ in $(seq 10); do [ -z "$(task_store)" ] && break; sleep 0.5; done
  check "Run on Startup unchecked removes the task" test -z "$(task_store)"
else
  check "the first run from a folder users can write registers no task" test -z "$task"
  check "the menu button opens the main menu" open_main_menu
  screenshot autostart_menu_refused_unchecked
  click_startup_item
  check "Run on Startup explains the refusal in a message box" probe wait-visible TVeskMessageBox 1 10
  sleep 0.5
  screenshot autostart_refused
  title=$(probe window-text TVeskMessageBox)
  check "the box is an information box (title '$title')" test "$title" = Information
  xdotool key Return
  check "OK closes the box" probe wait-visible TVeskMessageBox 0 5
  check "the refused task is not registered" test -z "$(task_store)"
fi
open_main_menu
screenshot autostart_menu_unchecked
xdotool key Escape
sleep 1

# A restart is no first run: the task stays away.
probe post TfrmVeskSystemMonitor 16 >/dev/null
probe wait-gone TfrmVeskSystemMonitor 15
start_product
probe wait-visible TfrmVeskMonitorMain 1 30
sleep 3
check "a later start does not register the task again" test -z "$(task_store)"

# The news button: no news reached the program (no outside network), so the box says so.
read -r ml mt mr mb mv < <(window_rect TfrmVeskMonitorMain)
click_at $((ml + 710)) $((mt + 21)) 2
check "the news button shows a message box" probe wait-visible TVeskMessageBox 1 10
sleep 0.5
screenshot autostart_no_news
title=$(probe window-text TVeskMessageBox)
check "the box is an information box (title '$title')" test "$title" = Information
xdotool key Return
check "OK closes the box" probe wait-visible TVeskMessageBox 0 5
screenshot autostart_no_news_closed
