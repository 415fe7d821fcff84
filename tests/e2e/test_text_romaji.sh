#!/usr/bin/env bash
# Text practice with the everyday-words file, typed with real key presses in
# spellings other than the file's (ti for ち, nn for ん where the file has a
# single n): no key may count as a miss. The text window is closed with its
# Ctrl+Q, which stores the totals: the results file must then hold one text
# result of 35 characters and no misses.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
[[ -f "$E2E_FOLDER/Text/Kurashi.txt" ]] || e2e_fail "Text/Kurashi.txt is not in the program folder"
printf '[Lumbra]\r\n\r\nTextFileName=%s\r\n' "$E2E_FOLDER/Text/Kurashi.txt" >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
e2e_start_program

e2e_key ctrl+t
text=$(e2e_wait_window "テキスト練習")
xdotool windowfocus --sync "$text" 2>/dev/null || true
sleep 0.3

# おはようございます, こんにちは (file: KoNnNiChiHa), こんばんは (file: KoNBaNHa).
for word in ohayougozaimasu konnnitiha konnbannha; do
  for key in $(grep -o . <<<"$word"); do
    xdotool key "$key"
    sleep 0.02
  done
done
sleep 0.3
e2e_key ctrl+q
sleep 0.5

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key alt+f
sleep 0.3
e2e_key x
e2e_wait_exit

dat="$E2E_FOLDER/Lumbra.dat"
[[ -f "$dat" ]] || e2e_fail "no results file: the text result was not stored"
# The text history starts at byte 2742: the count, then 51 character counts,
# then 51 miss counts, newest first.
count=$(od -An -t d4 -j 2742 -N 4 "$dat" | tr -d ' ')
chars=$(od -An -t d4 -j 2746 -N 4 "$dat" | tr -d ' ')
misses=$(od -An -t d4 -j 2950 -N 4 "$dat" | tr -d ' ')
[[ "$count" == 1 ]] || e2e_fail "text results: $count"
[[ "$misses" == 0 ]] || e2e_fail "misses: $misses (other spellings were refused)"
[[ "$chars" == 35 ]] || e2e_fail "characters: $chars"
echo "text practice took the other spellings: $chars keys, no miss"
