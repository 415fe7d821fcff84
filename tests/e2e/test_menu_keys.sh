#!/usr/bin/env bash
# Menus give the keys back: the file menu opened with Alt+F and closed with
# Escape, and a lone Alt, must leave every following letter to the drill. A
# menu bar that kept the keys would open the file menu on the drill's F and
# end the program on the X that follows (終了(&X)). With "advance on a miss"
# on, every judged key-down advances, so the twelve key-downs below (two
# Alts and ten letters) end the run and bring up the summary.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=0\r\nNeedCount=12\r\nMissNext=1\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
e2e_start_program

e2e_key alt+f
sleep 0.4
xdotool key Escape
sleep 0.4
e2e_type_keys f x s v h
sleep 0.3
xdotool key alt
sleep 0.4
e2e_type_keys f x s v h
kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "a drill letter reached a menu item and ended the program"
conf=$(e2e_wait_window "成績表示")
[[ -n "$conf" ]] || e2e_fail "the run did not end: letters were lost to the menu bar"
command -v import >/dev/null && import -window root "$E2E_WORK/after_menu_keys.png" 2>/dev/null || true

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key alt+f
sleep 0.3
e2e_key x
e2e_wait_exit
echo "letters after a closed menu went to the drill"
