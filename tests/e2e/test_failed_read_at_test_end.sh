#!/usr/bin/env bash
# A learner with a history finishes a beginner test while the results file
# cannot be read for a moment (an I/O error, injected by a small LD_PRELOAD
# shim built here that fails one read of Lumbra.dat). The program must say
# so and offer Retry; after Retry the file holds every earlier record and the
# new test. Without the check the save would write the empty records over the
# history.
source "$(dirname "$0")/lib.sh"

e2e_fresh_folder
printf '[Lumbra]\r\n\r\nLevel=11\r\n' >"$E2E_FOLDER/Lumbra.ini"
dat="$E2E_FOLDER/Lumbra.dat"
# The history: four comprehensive tests (best 30.5 s), a target score of 777
# and two text results, at their places in a version 5 file.
perl -e '
  my $b = "00005.00" . ("\0" x 3554);
  substr($b, 8, 4) = pack("l<", 4);
  substr($b, 12, 16) = pack("d<d<", 30.5, 44.0);
  substr($b, 28, 32) = pack("d<4", 31.0, 44.0, 30.5, 36.0);
  substr($b, 2312, 4) = pack("l<", 777);
  substr($b, 2742, 4) = pack("l<", 2);
  print $b' >"$dat"
[[ $(stat -c %s "$dat") == 3562 ]] || e2e_fail "could not make the history"

shim="$E2E_WORK/failread.so"
cat >"$E2E_WORK/failread.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* While the trigger file exists, the next read of a file named Lumbra.dat
   fails with EIO and removes the trigger: one transient fault. */
ssize_t read(int fd, void* buf, size_t n) {
    static ssize_t (*real_read)(int, void*, size_t);
    if (!real_read) real_read = (ssize_t (*)(int, void*, size_t))dlsym(RTLD_NEXT, "read");
    const char* trigger = getenv("LUMBRA_FAIL_READ_TRIGGER");
    if (trigger && access(trigger, F_OK) == 0) {
        char link[64], target[4096];
        snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t len = readlink(link, target, sizeof target - 1);
        if (len >= 11) {
            target[len] = 0;
            if (strcmp(target + len - 11, "/Lumbra.dat") == 0) {
                unlink(trigger);
                errno = EIO;
                return -1;
            }
        }
    }
    return real_read(fd, buf, n);
}
C
cc -shared -fPIC -O1 -o "$shim" "$E2E_WORK/failread.c" -ldl || e2e_fail "cannot build the shim"

trigger="$E2E_WORK/fail-next-read"
e2e_start_x
# A sanitizer build wants its runtime first among the preloaded libraries.
preload="$shim"
asan=$(ldd "$E2E_PROGRAM" 2>/dev/null | awk '/libasan/ { print $3 }')
[[ -n "$asan" ]] && preload="$asan:$shim"
LD_PRELOAD="$preload" LUMBRA_FAIL_READ_TRIGGER="$trigger" e2e_start_program
touch "$trigger"

# Type the test to its end: the reload before the save meets the fault.
letters=(a b c d e f g h i j k l m n o p q r s t u v w x y z)
box=""
for _ in $(seq 1 160); do
  xdotool key --delay 3 "${letters[@]}"
  box=$(xdotool search --onlyvisible --name "^エラー$" 2>/dev/null | head -n1 || true)
  [[ -n "$box" ]] && break
done
[[ -n "$box" ]] || e2e_fail "no error box at the end of the test"
[[ ! -e "$trigger" ]] || e2e_fail "the fault was never met"
[[ $(od -An -t d4 -j 1076 -N 4 "$dat" | tr -d ' ') == 0 ]] || e2e_fail "saved before the user answered"
import -window root "$E2E_WORK/read-error.png" 2>/dev/null || true

# Retry is the default button.
xdotool windowfocus --sync "$box" 2>/dev/null || true
sleep 0.2
e2e_key Return
for _ in $(seq 1 50); do
  [[ $(od -An -t d4 -j 1076 -N 4 "$dat" | tr -d ' ') == 1 ]] && break
  sleep 0.1
done

[[ $(stat -c %s "$dat") == 3562 ]] || e2e_fail "results file is $(stat -c %s "$dat") bytes"
beginner=$(od -An -t d4 -j 1076 -N 4 "$dat" | tr -d ' ')
[[ "$beginner" == 1 ]] || e2e_fail "the new test was not saved after Retry (count $beginner)"
comprehensive=$(od -An -t d4 -j 8 -N 4 "$dat" | tr -d ' ')
[[ "$comprehensive" == 4 ]] || e2e_fail "earlier comprehensive tests lost: count $comprehensive"
best=$(od -An -t f8 -j 12 -N 8 "$dat" | tr -d ' ')
[[ "$best" == 30.5 ]] || e2e_fail "earlier best time lost: $best"
target=$(od -An -t d4 -j 2312 -N 4 "$dat" | tr -d ' ')
[[ "$target" == 777 ]] || e2e_fail "earlier target score lost: $target"
texts=$(od -An -t d4 -j 2742 -N 4 "$dat" | tr -d ' ')
[[ "$texts" == 2 ]] || e2e_fail "earlier text results lost: $texts"

xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
e2e_key alt+f
sleep 0.3
e2e_key x
e2e_wait_exit
echo "a failed read at the end of a test was told, and Retry kept every earlier record"
