#!/usr/bin/env bash
# Measures Lumbra against a minimal Qt 6 Widgets window (one label,
# bench/minimal_window.cpp), side by side in one run under a private Xvfb:
#
#   startup      launch to the first visible (mapped) top-level window, empty
#                profile (a fresh program folder). The first run of each
#                program also gets a fresh HOME (empty ~/.cache, ~/.config);
#                later runs keep that HOME, as a user's later starts would.
#   cold fonts   one more start of each with a font cache of its own that is
#                still empty (fontconfig scans every font file once), which is
#                what a first start costs on a system whose font cache was
#                never built; Debian builds it when fonts are installed.
#   RSS          VmRSS from /proc/<pid>/status one second after launch.
#   CPU per key  utime+stime from /proc/<pid>/stat before and after KEYS keys
#                typed with xdotool at 5 ms intervals, divided by KEYS. Lumbra
#                runs a letter drill (Level=8, NeedCount=9999, MissNext=1), so
#                every key is judged, recoloured, moves the queue and the
#                progress bar; the minimal window gets the same keys.
#
# The map of the window is timed by an xev listener on the root window (every
# map is stamped the moment it happens), so polling does not steal the CPU
# the programs start with. Medians over RUNS runs, programs interleaved.
#
# Usage: scripts/measure-startup.sh            (builds build-release first)
# Environment: RUNS (startup runs, default 9), KEY_RUNS (default 5),
#   KEYS (default 500), LUMBRA_RELEASE_DIR (default build-release),
#   NO_BUILD=1 to use the binaries as they are.
# Needs Xvfb, xdotool and xev (Debian: xvfb, xdotool, x11-utils; installed
# when missing, like the other scripts do).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMBRA_RELEASE_DIR:-$root/build-release}
runs=${RUNS:-9}
key_runs=${KEY_RUNS:-5}
keys=${KEYS:-500}

"$root/scripts/setup.sh" --tests
if ! command -v xev >/dev/null; then  # x11-utils: xev stamps the window maps
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends x11-utils || true
fi
for tool in Xvfb xdotool xev stdbuf awk; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

if [[ -z "${NO_BUILD:-}" ]]; then
  [[ -f "$build/CMakeCache.txt" ]] ||
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target Lumbra minimal_window >/dev/null
fi
lumbra_bin=$build/bin/Lumbra
minimal_bin=$build/bench/minimal_window
[[ -x "$lumbra_bin" && -x "$minimal_bin" ]] || { echo "missing $lumbra_bin or $minimal_bin" >&2; exit 1; }

work=$(mktemp -d /tmp/lumbra-measure.XXXXXX)
xvfb_pid=""
xev_pid=""
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  [[ -n "$xev_pid" ]] && kill "$xev_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# ------------------------------------------------------------------ X server
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

# Every map of a top-level window, stamped when xev reports it.
maps=$work/maps.log
: >"$maps"
(stdbuf -oL xev -root -event substructure 2>/dev/null |
  while IFS= read -r line; do
    [[ $line == MapNotify* ]] && echo "$EPOCHREALTIME"
  done >>"$maps") &
xev_pid=$!
sleep 0.5

# ------------------------------------------------------------------ helpers
# A fresh program folder with the program (and, for Lumbra, what the build
# puts beside it).
fresh_folder() {  # program-binary folder
  rm -rf "$2"
  mkdir -p "$2"
  cp "$1" "$2/"
  local dir
  dir=$(dirname "$1")
  [[ -f "$dir/Readme.txt" ]] && cp "$dir/Readme.txt" "$2/"
  [[ -d "$dir/Text" ]] && cp -r "$dir/Text" "$2/"
  return 0
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Launches $1 with HOME=$2 (and FONTCONFIG_FILE=$3 when given) and waits for
# its first map; sets app_pid and startup_ms.
launch() {
  local before t0 t1
  local -a fonts=()
  [[ -n "${3:-}" ]] && fonts=(FONTCONFIG_FILE="$3")
  before=$(wc -l <"$maps")
  t0=$EPOCHREALTIME
  env HOME="$2" XDG_CACHE_HOME="$2/.cache" XDG_CONFIG_HOME="$2/.config" XDG_DATA_HOME="$2/.local/share" \
    "${fonts[@]}" "$1" >"$work/program.log" 2>&1 &
  app_pid=$!
  for _ in $(seq 1 600); do
    (($(wc -l <"$maps") > before)) && break
    kill -0 "$app_pid" 2>/dev/null || { echo "$1 ended early: $(cat "$work/program.log")" >&2; exit 1; }
    sleep 0.05
  done
  t1=$(sed -n "$((before + 1))p" "$maps")
  [[ -n "$t1" ]] || { echo "$1 showed no window" >&2; exit 1; }
  startup_ms=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
  launch_t0=$t0
}

stop_app() {
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

# Sleeps until one second after launch_t0.
sleep_until_one_second() {
  local left
  left=$(awk -v a="$launch_t0" -v n="$EPOCHREALTIME" 'BEGIN { d = 1 - (n - a); print (d > 0 ? d : 0) }')
  sleep "$left"
}

median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The keys typed: letters over and over (all judged by the drill).
key_list=()
letters=(a s d f g h j k l q w e r t y u i o p z x c v b n m)
for ((i = 0; i < keys; ++i)); do key_list+=("${letters[i % 26]}"); done

clk_tck=$(getconf CLK_TCK)

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# ------------------------------------------------------------------ warm-up
# The first client of a new X server pays for the server's own first-client
# work (up to 100 ms more, whichever program comes first); a user's X server
# has long done it. One start of the minimal window, not counted, does it here.
mkdir -p "$work/home-warmup"
fresh_folder "$minimal_bin" "$work/warmup"
launch "$work/warmup/$(basename "$minimal_bin")" "$work/home-warmup"
stop_app

# ------------------------------------------------------------------ startup and RSS
declare -A start_first start_later rss
for prog in lumbra minimal; do start_later[$prog]=""; rss[$prog]=""; done
for ((run = 1; run <= runs; ++run)); do
  for prog in lumbra minimal; do
    bin=$lumbra_bin
    [[ $prog == minimal ]] && bin=$minimal_bin
    home=$work/home-$prog
    ((run == 1)) && { rm -rf "$home"; mkdir -p "$home"; }
    fresh_folder "$bin" "$work/$prog-$run"
    launch "$work/$prog-$run/$(basename "$bin")" "$home"
    sleep_until_one_second
    rss[$prog]+=" $(rss_kb "$app_pid")"
    stop_app
    if ((run == 1)); then start_first[$prog]=$startup_ms; else start_later[$prog]+=" $startup_ms"; fi
  done
done

# ------------------------------------------------------------------ cold font cache
# The system's font folders and settings, but a cache folder of its own.
cold_fonts_conf() {  # cache-folder -> prints the config file's path
  cat >"$1.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <cachedir>$1</cachedir>
</fontconfig>
CONF
  echo "$1.conf"
}
declare -A start_cold
for prog in lumbra minimal; do
  bin=$lumbra_bin
  [[ $prog == minimal ]] && bin=$minimal_bin
  rm -rf "$work/home-cold-$prog"
  mkdir -p "$work/home-cold-$prog"
  fresh_folder "$bin" "$work/$prog-cold"
  launch "$work/$prog-cold/$(basename "$bin")" "$work/home-cold-$prog" "$(cold_fonts_conf "$work/fc-cache-$prog")"
  start_cold[$prog]=$startup_ms
  stop_app
done

# ------------------------------------------------------------------ CPU per key
declare -A per_key
for prog in lumbra minimal; do per_key[$prog]=""; done
for ((run = 1; run <= key_runs; ++run)); do
  for prog in lumbra minimal; do
    bin=$lumbra_bin
    [[ $prog == minimal ]] && bin=$minimal_bin
    folder=$work/$prog-keys-$run
    fresh_folder "$bin" "$folder"
    [[ $prog == lumbra ]] &&
      printf '[Lumbra]\r\n\r\nLevel=8\r\nNeedCount=9999\r\nMissNext=1\r\n' >"$folder/Lumbra.ini"
    launch "$folder/$(basename "$bin")" "$work/home-$prog"
    win=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1 || true)
    [[ -n "$win" ]] && xdotool windowfocus --sync "$win" 2>/dev/null || true
    sleep 1
    c0=$(cpu_ticks "$app_pid")
    xdotool key --delay 5 "${key_list[@]}"
    # Let the last events drain: wait until the CPU time stops moving.
    c1=$(cpu_ticks "$app_pid")
    for _ in $(seq 1 20); do
      sleep 0.2
      c2=$(cpu_ticks "$app_pid")
      [[ $c2 == "$c1" ]] && break
      c1=$c2
    done
    per_key[$prog]+=" $(awk -v d="$((c1 - c0))" -v t="$clk_tck" -v n="$keys" 'BEGIN { printf "%.3f", d * 1000 / t / n }')"
    stop_app
  done
done

# ------------------------------------------------------------------ report
ls=$(echo "${start_later[lumbra]}" | median)
ms=$(echo "${start_later[minimal]}" | median)
lr=$(echo "${rss[lumbra]}" | median)
mr=$(echo "${rss[minimal]}" | median)
lk=$(echo "${per_key[lumbra]}" | median)
mk=$(echo "${per_key[minimal]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "holds" : "MISSED") }'; }

echo "runs: $runs startup runs, $key_runs key runs of $keys keys; load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "startup, all runs (ms): Lumbra ${start_first[lumbra]}${start_later[lumbra]} | minimal ${start_first[minimal]}${start_later[minimal]}"
echo "CPU per key, all runs (ms): Lumbra${per_key[lumbra]} | minimal${per_key[minimal]}"
echo
ms1() { awk -v v="$1" 'BEGIN { printf "%.1f", v }'; }
ls=$(ms1 "$ls")
ms=$(ms1 "$ms")
printf '%-30s %10s %10s %7s %10s %s\n' figure Lumbra minimal ratio target verdict
r=$(ratio "${start_cold[lumbra]}" "${start_cold[minimal]}")
printf '%-30s %10s %10s %7s %10s %s\n' "startup, cold font cache (ms)" "${start_cold[lumbra]}" "${start_cold[minimal]}" "$r" "<= 1.5x" "$(verdict "$r" 1.5)"
r=$(ratio "${start_first[lumbra]}" "${start_first[minimal]}")
printf '%-30s %10s %10s %7s %10s %s\n' "startup, first run (ms)" "${start_first[lumbra]}" "${start_first[minimal]}" "$r" "<= 1.5x" "$(verdict "$r" 1.5)"
r=$(ratio "$ls" "$ms")
printf '%-30s %10s %10s %7s %10s %s\n' "startup, later runs (ms)" "$ls" "$ms" "$r" "<= 1.5x" "$(verdict "$r" 1.5)"
r=$(ratio "$lr" "$mr")
printf '%-30s %10s %10s %7s %10s %s\n' "RSS after 1 s (MB)" "$(awk -v k="$lr" 'BEGIN { printf "%.1f", k / 1024 }')" \
  "$(awk -v k="$mr" 'BEGIN { printf "%.1f", k / 1024 }')" "$r" "<= 1.4x" "$(verdict "$r" 1.4)"
printf '%-30s %10s %10s %7s %10s %s\n' "CPU per key (ms)" "$lk" "$mk" "$(ratio "$lk" "$mk")" "<= 0.5 ms" "$(verdict "$lk" 0.5)"
echo "(CPU per key is also meant to stay within 4x the minimal window's: ratio $(ratio "$lk" "$mk") -> $(verdict "$(ratio "$lk" "$mk")" 4))"
