#!/usr/bin/env bash
# Takes docs/words.png from the real program under Xvfb: a learner who is
# slow at k and slow from n to t types everyday words in text practice (the
# keystroke store fills from that run), then opens word practice from the
# main window's view menu. With --more it also types through part of the set
# (MissNext enters each key) and keeps a picture every few keys in the work
# folder, to see what the set holds.
# Usage: scripts/words-screenshot.sh [--more] [program]   (default build/bin/Lumbra)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
more=0
[[ "${1:-}" == "--more" ]] && { more=1; shift; }
program=${1:-$root/build/bin/Lumbra}
work=$(mktemp -d /tmp/lumbra-words-shot.XXXXXX)
source "$root/tests/e2e/lib.sh" "$program" "$work"
command -v import >/dev/null || e2e_fail "import (ImageMagick) is not installed"

e2e_fresh_folder
entries=(KaNTaN HoNToU KiTTe SeNTaKu TeNKi MaINiChi YaSuMi WaTaShi ONGaKu SaKuRa ToMoDaChi
         KoKoRo SeNSeI DeNWa KaZoKu HaNaSu AKaI MiNaTo)
kana=(かんたん ほんとう きって せんたく てんき まいにち やすみ わたし おんがく さくら ともだち
      こころ せんせい でんわ かぞく はなす あかい みなと)
text="$E2E_FOLDER/Text/Learner.txt"
for i in "${!entries[@]}"; do printf '%s|%s\r\n' "${entries[$i]}" "${kana[$i]}"; done >"$text"
printf '[Lumbra]\r\n\r\nMissNext=1\r\nTextFileName=%s\r\n' "$text" >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
e2e_start_program

e2e_key ctrl+t
window=$(e2e_wait_window "テキスト練習")
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 0.3
# Five passes over the file: k comes after a long pause, and so does t after n.
for _ in 1 2 3 4 5; do
  for entry in "${entries[@]}"; do
    prev=""
    for key in $(grep -o . <<<"${entry,,}"); do
      if [[ "$key" == k || "$prev$key" == nt ]]; then sleep 0.5; else sleep 0.03; fi
      xdotool key "$key"
      prev=$key
    done
  done
done
sleep 0.5
e2e_key ctrl+q
sleep 4  # the keys are written after the run, from the event loop

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key alt+v
sleep 0.5
e2e_key k
words=$(e2e_wait_window "単語練習")
xdotool windowfocus --sync "$words" 2>/dev/null || true
sleep 1
import -window "$words" "$root/docs/words.png"
echo "docs/words.png taken; keystrokes stored: $(sqlite3 -readonly "$E2E_FOLDER/Lumbra.db" 'SELECT count(*) FROM keystrokes')"
if [[ $more == 1 ]]; then
  for shot in $(seq 1 12); do
    for _ in $(seq 1 6); do xdotool key q; sleep 0.05; done
    import -window "$words" "$work/words-$shot.png"
  done
  echo "more pictures in $work"
fi
e2e_key ctrl+q
sleep 0.5
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_quit_by_menu
