#!/bin/sh
# Plays NetworkManager's command-line client for the dial-up tests. The scene lives in the
# folder $FAKE_NMCLI_DIR:
#   list         what "connection show" prints (terse NAME:TYPE lines)
#   list_fails   when present: "connection show" fails with its text on stderr
#   active       the names "connection show --active" prints
#   bt_<name>    the bluetooth.type of a bluetooth entry
#   up_fails     when present: "connection up" fails with its text on stderr
#   up_sleep     seconds "connection up" takes
# Every call is appended to calls, one line of arguments each.
dir="$FAKE_NMCLI_DIR"
echo "$*" >> "$dir/calls"
case "$*" in
  "-t -f NAME,TYPE connection show")
    if [ -f "$dir/list_fails" ]; then cat "$dir/list_fails" >&2; exit 8; fi
    [ -f "$dir/list" ] && cat "$dir/list"
    exit 0 ;;
  "-t -f NAME connection show --active")
    [ -f "$dir/active" ] && cat "$dir/active"
    exit 0 ;;
  "-t -g bluetooth.type connection show id "*)
    name="${*#-t -g bluetooth.type connection show id }"
    [ -f "$dir/bt_$name" ] && cat "$dir/bt_$name"
    exit 0 ;;
  "connection up id "*)
    [ -f "$dir/up_sleep" ] && sleep "$(cat "$dir/up_sleep")"
    if [ -f "$dir/up_fails" ]; then cat "$dir/up_fails" >&2; exit 4; fi
    echo "Connection successfully activated"
    exit 0 ;;
  "connection down id "*)
    exit 0 ;;
esac
echo "Error: unexpected arguments: $*" >&2
exit 2
