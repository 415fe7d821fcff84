#!/usr/bin/env bash
# The installed program (from the Debian package) for a user with an empty
# home: it starts, a beginner test is typed with real keys, it is closed from
# its menu, and its settings and results are found in the user's data folder.
# Arguments: the installed executable and a work folder.
set -euo pipefail
program=$1
work=$2
rm -rf "$work"
mkdir -p "$work/home"
export HOME="$work/home"
unset XDG_DATA_HOME
data="$HOME/.local/share/Lumbra"

# The harness wants a program folder; the installed program ignores it.
source "$(dirname "$0")/lib.sh" "$program" "$work/e2e"
mkdir -p "$work/e2e"
e2e_start_x
mkdir -p "$data"
printf '[Lumbra]\r\n\r\nLevel=11\r\n' >"$data/Lumbra.ini"
"$program" >"$work/program.log" 2>&1 &
E2E_APP_PID=$!
E2E_WORK="$work"
E2E_WINDOW=$(e2e_wait_window "タッチタイプ練習")
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
sleep 0.3

e2e_type_alphabet_until "$data/Lumbra.dat"
sleep 0.3
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_quit_by_menu

count=$(od -An -t d4 -j 1076 -N 4 "$data/Lumbra.dat" | tr -d ' ')
[[ "$count" == 1 ]] || e2e_fail "beginner test count is $count"
[[ -f "$data/Readme.txt" && -f "$data/Text/Pref.txt" ]] || e2e_fail "read-me and practice texts were not copied"
grep -q $'^Level=11\r$' "$data/Lumbra.ini" || e2e_fail "settings not saved in $data"
[[ ! -e "$(dirname "$program")/Lumbra.ini" ]] || e2e_fail "settings written beside the installed program"
echo "installed program keeps its files in $data"
