#!/usr/bin/env bash
# With no window manager the window gets keys while the pointer is over it,
# before anything focuses it. Its first keys work as in a focused window: Alt+F
# opens the file menu and X ends the program (they would be judged), and the
# bell of the Alt's miss says nothing where there is no sound card.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=0\r\nMissBeep=1\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
"$E2E_FOLDER/$(basename "$E2E_PROGRAM")" >"$E2E_WORK/program.log" 2>&1 &
E2E_APP_PID=$!
xdotool mousemove --window "$(e2e_wait_window "タッチタイプ練習")" 40 80
sleep 0.3
xdotool key alt+f
sleep 0.5
! grep -q "ALSA" "$E2E_WORK/program.log" || e2e_fail "the sound library wrote: $(cat "$E2E_WORK/program.log")"
xdotool key x
e2e_wait_exit
echo "the first keys of a window never focused work as in a focused one"
