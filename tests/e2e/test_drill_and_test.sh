#!/usr/bin/env bash
# A learner's first session with real key presses: a level-0 run of ten keys
# (with "advance on a miss" on, so every key counts), then the beginner test
# chosen from the settings menu and typed to its end, then the program closed
# from its menu. The results file must then hold exactly that one beginner
# test, and the settings file the chosen level.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=0\r\nNeedCount=10\r\nMissNext=1\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
e2e_start_program

# A level-0 run: ten keys end it and the summary window appears.
e2e_type_keys a s d f g h j k l a
conf=$(e2e_wait_window "成績表示")
[[ -n "$conf" ]] || e2e_fail "no summary after the run"

# The beginner test from the settings menu (設定(&S) -> 初級テスト(&B)).
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
sleep 0.2
e2e_key alt+s
sleep 0.3
e2e_key b
sleep 0.3
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true

# The results file appears when the test is recorded.
dat="$E2E_FOLDER/Lumbra.dat"
e2e_type_alphabet_until "$dat"
sleep 0.3

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_quit_by_menu

size=$(stat -c %s "$dat")
[[ "$size" == 3562 ]] || e2e_fail "results file is $size bytes"
[[ "$(head -c 8 "$dat")" == "00005.00" ]] || e2e_fail "results file version"
# Test kind 2 (beginner) starts at 8 + 2 * 534: Count (Long), BestTime (Double).
count=$(od -An -t d4 -j 1076 -N 4 "$dat" | tr -d ' ')
[[ "$count" == 1 ]] || e2e_fail "beginner test count is $count"
best=$(od -An -t f8 -j 1080 -N 8 "$dat" | tr -d ' ')
awk -v b="$best" 'BEGIN { exit !(b > 0) }' || e2e_fail "beginner best time is $best"
comprehensive=$(od -An -t d4 -j 8 -N 4 "$dat" | tr -d ' ')
[[ "$comprehensive" == 0 ]] || e2e_fail "comprehensive count is $comprehensive"
grep -q $'^Level=11\r$' "$E2E_FOLDER/Lumbra.ini" || e2e_fail "Level=11 not saved: $(cat -A "$E2E_FOLDER/Lumbra.ini")"
echo "run, beginner test and results file as expected (best time $best s)"
