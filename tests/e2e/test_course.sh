#!/usr/bin/env bash
# The course with real key presses: a learner starts with F and J only (the
# drill alternates them, never the same key twice), types them surely for one
# run, and then A, the next key of the course, is drawn too, and nothing past it.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=14\r\n' >"$E2E_FOLDER/Lumbra.ini"
e2e_start_x
e2e_start_program

db="$E2E_FOLDER/Lumbra.db"
query() { sqlite3 -readonly "$db" "$1" 2>/dev/null || echo 0; }
# f j f j ...: the first press may miss (the drill may begin with J), every
# other one is right; 51 presses end the 50-key run.
for _ in $(seq 1 26); do e2e_type_keys f j; done
for _ in $(seq 1 50); do
  [[ -f "$db" && "$(query 'SELECT count(*) FROM keystrokes WHERE mode=14')" -ge 50 ]] && break
  sleep 0.1
done
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE mode=14 AND expected_vk NOT IN (70, 74)')" == 0 ]] ||
  e2e_fail "a key other than F and J was drawn before they were sure"
sleep 0.5
# The next run draws A as well; the learner presses its keys on.
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
for _ in $(seq 1 10); do e2e_type_keys f j a; done
e2e_quit_by_menu
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE mode=14 AND expected_vk=65')" -gt 0 ]] ||
  e2e_fail "A was never drawn after F and J were typed surely"
[[ "$(query 'SELECT count(*) FROM keystrokes WHERE mode=14 AND expected_vk NOT IN (65, 70, 74)')" == 0 ]] ||
  e2e_fail "a key past A was drawn"
grep -q $'^Level=14\r$' "$E2E_FOLDER/Lumbra.ini" || e2e_fail "the course level was not saved"
echo "$(query 'SELECT count(*) FROM keystrokes WHERE expected_vk=65') keys with A expected"
