#!/usr/bin/env bash
# With no window manager the main window gets keys while the pointer is over
# it, long before anything gives it the focus. Its first keys work as they do
# in a focused window: after a lone Alt the letters S and O go to the drill
# (they would open 設定 and the options), and Alt+F opens the file menu, whose
# X ends the program. The misses ring the bell, and where there is no sound
# card the sound library says nothing about it.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=0\r\nNeedCount=40\r\nMissBeep=1\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x

start_unfocused() {
  "$E2E_FOLDER/$(basename "$E2E_PROGRAM")" >"$E2E_WORK/program.log" 2>&1 &
  E2E_APP_PID=$!
  E2E_WINDOW=$(e2e_wait_window "タッチタイプ練習")
  xdotool mousemove --window "$E2E_WINDOW" 40 80
  sleep 0.3
}

start_unfocused
xdotool key alt
sleep 0.4
e2e_type_keys s o s o
sleep 0.5
[[ -z "$(xdotool search --onlyvisible --name "オプション設定" 2>/dev/null || true)" ]] ||
  e2e_fail "letters after a lone Alt opened the options"
! grep -q "ALSA" "$E2E_WORK/program.log" || e2e_fail "the sound library wrote: $(cat "$E2E_WORK/program.log")"
kill "$E2E_APP_PID"
wait "$E2E_APP_PID" 2>/dev/null || true

start_unfocused
xdotool key alt+f
sleep 0.4
xdotool key x
e2e_wait_exit
echo "the first keys of a window that was never focused work as in a focused one"
