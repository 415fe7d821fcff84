# Shared steps of the end-to-end tests: a private X server (Xvfb), a fresh
# program folder holding a copy of the built program, and helpers to drive it
# with xdotool. Sourced by the test_*.sh scripts with the built program's path
# and a work folder as arguments.
set -euo pipefail

E2E_PROGRAM=$1
E2E_WORK=$2
E2E_FOLDER="$E2E_WORK/program"
E2E_XVFB_PID=""
E2E_APP_PID=""

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

e2e_cleanup() {
  [[ -n "$E2E_APP_PID" ]] && kill "$E2E_APP_PID" 2>/dev/null || true
  [[ -n "$E2E_XVFB_PID" ]] && kill "$E2E_XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap e2e_cleanup EXIT

# A fresh program folder: the executable, its read-me and practice texts.
e2e_fresh_folder() {
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_FOLDER"
  local bin_dir
  bin_dir=$(dirname "$E2E_PROGRAM")
  cp "$E2E_PROGRAM" "$E2E_FOLDER/"
  [[ -f "$bin_dir/Readme.txt" ]] && cp "$bin_dir/Readme.txt" "$E2E_FOLDER/"
  [[ -d "$bin_dir/Text" ]] && cp -r "$bin_dir/Text" "$E2E_FOLDER/"
  return 0
}

# Starts Xvfb on a free display (-noreset keeps a keyboard map set with setxkbmap).
e2e_start_x() {
  command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed"
  command -v xdotool >/dev/null || e2e_fail "xdotool is not installed"
  local fdfile="$E2E_WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$fdfile" 2>"$E2E_WORK/xvfb.log" &
  E2E_XVFB_PID=$!
  for _ in $(seq 1 100); do
    [[ -s "$fdfile" ]] && break
    sleep 0.1
  done
  [[ -s "$fdfile" ]] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  unset QT_QPA_PLATFORM
  export QT_QPA_PLATFORM=xcb
}

# Starts the program from its folder and waits for its main window.
e2e_start_program() {
  "$E2E_FOLDER/$(basename "$E2E_PROGRAM")" >"$E2E_WORK/program.log" 2>&1 &
  E2E_APP_PID=$!
  E2E_WINDOW=$(e2e_wait_window "タッチタイプ練習")
  xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
  sleep 0.3
}

# Waits for a visible window whose title contains the text; prints its id.
e2e_wait_window() {
  local id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "the program ended early: $(cat "$E2E_WORK/program.log")"
    sleep 0.1
  done
  e2e_fail "no window titled $1"
}

# Waits until the program has ended (at most 15 s).
e2e_wait_exit() {
  for _ in $(seq 1 150); do
    if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
      wait "$E2E_APP_PID" 2>/dev/null || true
      E2E_APP_PID=""
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "the program did not end"
}

e2e_key() { xdotool key --clearmodifiers --delay 40 "$@"; }
# Ends the program through the file menu's exit item and waits until it has gone.
e2e_quit_by_menu() {
  e2e_key alt+f
  sleep 0.3
  e2e_key x
  e2e_wait_exit
}
e2e_type_keys() {  # one key per argument, with a short pause between
  local k
  for k in "$@"; do xdotool key "$k"; sleep 0.03; done
}

# Types the alphabet over and over into the focused window until the file
# appears (a finished test writes the results file): every pass advances a
# letter test at least once, so 120 passes finish its 100 keys.
e2e_type_alphabet_until() {
  local letters=(a b c d e f g h i j k l m n o p q r s t u v w x y z)
  for _ in $(seq 1 120); do
    xdotool key --delay 3 "${letters[@]}"
    [[ -f "$1" ]] && return 0
  done
  e2e_fail "$1 never appeared"
}
