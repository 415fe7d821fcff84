#!/usr/bin/env bash
# A beginner test typed with real key presses reaches the keystroke store:
# after the test, Lumbra.db beside the settings file holds its keys, each
# with its time, the expected and the pressed key, and the gap to the key
# before; the results and settings files are written as always.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=11\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
start_ms=$(($(date +%s%3N) - 1000))
e2e_start_program
[[ ! -e "$E2E_FOLDER/Lumbra.db" ]] || e2e_fail "the keystroke store was opened at start-up"

dat="$E2E_FOLDER/Lumbra.dat"
e2e_type_alphabet_until "$dat"

# The keys are written right after the run, from the event loop.
db="$E2E_FOLDER/Lumbra.db"
query() { sqlite3 -readonly "$db" "$1" 2>/dev/null || echo 0; }
for _ in $(seq 1 50); do
  [[ -f "$db" && "$(query 'SELECT count(*) FROM keystrokes WHERE mode=11 AND correct=1')" -ge 100 ]] && break
  sleep 0.1
done
correct=$(query 'SELECT count(*) FROM keystrokes WHERE mode=11 AND correct=1')
[[ "$correct" -ge 100 ]] || e2e_fail "only $correct correct keys of the test in $db"

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key alt+f
sleep 0.3
e2e_key x
e2e_wait_exit
end_ms=$(($(date +%s%3N) + 1000))

[[ "$(query 'PRAGMA user_version')" == 4 ]] || e2e_fail "schema version $(query 'PRAGMA user_version')"
[[ "$(query "SELECT count(*) FROM keystrokes WHERE time_ms NOT BETWEEN $start_ms AND $end_ms")" == 0 ]] ||
  e2e_fail "keystroke times outside the session"
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE mode=11 AND (expected_vk NOT BETWEEN 65 AND 90 OR layout<>0)')" == 0 ]] ||
  e2e_fail "a test key that is not a letter"
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE correct=1 AND pressed_vk<>expected_vk')" == 0 ]] ||
  e2e_fail "a correct key that was not the expected one"
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE correct=0')" -gt 0 ]] || e2e_fail "no missed key recorded"
# Only the first key of a run has no gap.
runs=$(query 'SELECT count(*) FROM keystrokes WHERE gap_ms IS NULL')
[[ "$runs" -ge 1 && "$runs" -le 3 ]] || e2e_fail "$runs keys without a gap"
[[ "$(query 'SELECT sum(attempts) FROM key_stats')" == "$(query 'SELECT count(*) FROM keystrokes')" ]] ||
  e2e_fail "the per-key totals do not match the keystrokes"
count=$(od -An -t d4 -j 1076 -N 4 "$dat" | tr -d ' ')
[[ "$count" == 1 ]] || e2e_fail "beginner test count is $count"
grep -q $'^Level=11\r$' "$E2E_FOLDER/Lumbra.ini" || e2e_fail "settings not saved"
echo "$(query 'SELECT count(*) FROM keystrokes') keystrokes stored, $correct correct keys of the test"
