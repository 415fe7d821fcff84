#!/usr/bin/env bash
# Starts the built program in a fresh program folder, closes it through its
# menu with real key presses (Alt+F, X) and checks the bytes of the settings
# file it writes: the section line, an empty line and the six window sizes,
# each line ended by CR LF.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
e2e_start_x
e2e_start_program
e2e_quit_by_menu

ini="$E2E_FOLDER/Lumbra.ini"
[[ -f "$ini" ]] || e2e_fail "no Lumbra.ini was written"
expected=$(printf '[Lumbra]\r\n\r\nTestGraphWidth=0\r\nTestGraphHeight=0\r\nTypeGraphWidth=0\r\nTypeGraphHeight=0\r\nTextGraphWidth=0\r\nTextGraphHeight=0\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$ini")
[[ "$expected" == "$actual" ]] || e2e_fail "Lumbra.ini differs: $(cat -A "$ini")"
echo "settings file written as expected"
