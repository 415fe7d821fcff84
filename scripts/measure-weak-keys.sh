#!/usr/bin/env bash
# Measures the weak-key model in the real program with a scripted learner,
# under a private Xvfb with xdotool. The learner types the alphabet 22 times
# in text practice (one entry of the letters over and over, about 100 ms a
# key), missing Q three times in ten (W first), typing Z at over twice the
# usual time and hunting 2.5 s for P every time. Then the weak-key level
# (Level=13) is typed blind with each press moving on to the next key
# (MissNext=1), so that the stored expected keys are the keys presented, and
# the script prints the three keys presented most and how often P, Q and Z
# came compared with the all-keys level (each of its 47 keys about one time
# in 46). With LUMBRA_SCREENSHOT_DIR set it saves the analysis window and the
# heat map as the learner left them.
#
# Usage: scripts/measure-weak-keys.sh [program]   (default build/bin/Lumbra)
# Needs Xvfb, xdotool, sqlite3 and ImageMagick's import for screenshots.
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
source "$root/tests/e2e/lib.sh" "${1:-$root/build/bin/Lumbra}" "$work"
query() { sqlite3 -readonly "$db" "$1"; }
db="$E2E_FOLDER/Lumbra.db"
e2e_fresh_folder
e2e_start_x
alphabet=abcdefghijklmnopqrstuvwxyz
line=$(printf "$alphabet%.0s" $(seq 1 22))
printf '%s|%s\r\n' "$line" "$line" >"$E2E_FOLDER/Learner.txt"
printf '[Lumbra]\r\n\r\nTextFileName=%s\r\nTextRomaji=0\r\n' "$E2E_FOLDER/Learner.txt" >"$E2E_FOLDER/Lumbra.ini"
e2e_start_program
e2e_key ctrl+t
xdotool windowfocus --sync "$(e2e_wait_window "テキスト練習")" 2>/dev/null || true
for n in $(seq 1 22); do
  for key in $(grep -o . <<<"$alphabet"); do
    case "$key" in p) sleep 2.5 ;; z) sleep 0.3 ;; *) sleep 0.1 ;; esac
    [[ "$key" == q ]] && ((n % 10 < 3)) && xdotool key w && sleep 0.1
    xdotool key "$key"
  done
done
e2e_key ctrl+q
sleep 0.5
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_quit_by_menu
if [[ -n "${LUMBRA_SCREENSHOT_DIR:-}" ]]; then  # the analysis window with the learner's keys
  e2e_start_program
  e2e_key alt+v w
  sleep 2
  import -window root "$LUMBRA_SCREENSHOT_DIR/learner-analysis.png"
  xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
  e2e_quit_by_menu
fi

# The weak-key level, every press moving on: the expected keys are the keys presented.
printf '[Lumbra]\r\n\r\nLevel=13\r\nNeedCount=9999\r\nMissNext=1\r\nKeyBoardHeatMap=1\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_program
[[ -n "${LUMBRA_SCREENSHOT_DIR:-}" ]] && import -window root "$LUMBRA_SCREENSHOT_DIR/learner-heatmap.png"
for _ in $(seq 1 15); do xdotool key --delay 4 $(printf 'a %.0s' $(seq 1 100)); done
e2e_quit_by_menu
shown=$(query 'SELECT count(*) FROM keystrokes WHERE mode=13')
top=$(query 'SELECT group_concat(vk) FROM (SELECT vk FROM (SELECT expected_vk AS vk, count(*) AS n FROM keystrokes
             WHERE mode=13 GROUP BY vk ORDER BY n DESC LIMIT 3) ORDER BY vk)')
echo "the three keys presented most: $top (P = 80, Q = 81, Z = 90)"
for vk in 80 81 90; do  # the all-keys level of the 106 layout: about one key in 46
  n=$(query "SELECT count(*) FROM keystrokes WHERE mode=13 AND expected_vk=$vk")
  echo "key $vk presented $n times in $shown: $(awk "BEGIN { printf \"%.1f\", $n * 46 / $shown }") times the all-keys share"
done
