#!/usr/bin/env bash
# The real program from start to end on the virtual display: without a sound
# device it says so and plays silently, a key ends the splash, holding t
# prints a timing line, c jumps to the greetings, Esc ends the show with its
# closing line. Without a
# display it says so and fails. Usage: run_show.sh PATH-TO-SLEIGHRIDE
set -uo pipefail
show=$1
# A display of its own, so no other test's window can take the keys.
# -noreset: SDL opens and closes a trial connection before its real one, and
# a display that resets when its last client leaves can refuse the second.
if [[ -z "${RUN_SHOW_OWN_DISPLAY:-}" ]]; then
  RUN_SHOW_OWN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi
# Every wait has an end, so a show that never opens its window fails the
# run instead of hanging it.
windowWaitS=30
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() { echo "FAIL: $*"; echo "--- stdout"; cat "$out"; echo "--- stderr"; cat "$err"; exit 1; }
# Waits up to $2 seconds for a line of the show's output matching $1.
awaitLine() {
  for _ in $(seq $(($2 * 10))); do
    grep -Eq "$1" "$out" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
timeLine='^[0-9]+$'
timingLine='^\|\| globaltime > [0-9]+ && globaltime <= [0-9]+$'

SDL_AUDIODRIVER=no-such-device "$show" >"$out" 2>"$err" &
pid=$!
timeout "$windowWaitS" xdotool search --sync --name '^sleighride$' >/dev/null || { kill "$pid" 2>/dev/null; fail "no window within $windowWaitS s"; }
# Loading and the splash swallow keys, however long they take on a busy
# machine: press space until the show's main loop answers, a key release
# there printing a bare time line.
for _ in $(seq "$windowWaitS"); do
  xdotool key space
  awaitLine "$timeLine" 1 && break
done
grep -Eq "$timeLine" "$out" || { kill "$pid" 2>/dev/null; fail "the splash never ended"; }
xdotool keydown t; sleep 0.5; xdotool keyup t
awaitLine "$timingLine" "$windowWaitS" || { kill "$pid" 2>/dev/null; fail "no timing line"; }
jumpedAt=$(date +%s)
xdotool key c              # to the greetings: the show ends a moment after 111 s
# A release prints the show time of the turn that handles it: once one
# reads 111 s or more, the jump has been made.
afterJumpLine='^(1(1[1-9]|[2-9][0-9])|[2-9][0-9]{2})[0-9]{3}$'
for _ in $(seq "$windowWaitS"); do
  xdotool key space
  awaitLine "$afterJumpLine" 1 && break
done
grep -Eq "$afterJumpLine" "$out" || { kill "$pid" 2>/dev/null; fail "c did not jump to the greetings"; }
xdotool key Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "Esc did not end the show"; }
wait "$pid"; status=$?
afterJumpS=$(($(date +%s) - jumpedAt + 1))

[[ $status -eq 0 ]] || fail "exit status $status"
grep -q '^no audio device (.*): the show plays silently$' "$err" || fail "no line about the missing audio device"
grep -Eq '^Run for [0-9]+ seconds$' "$out" || fail "no closing line"
seconds=$(sed -n 's/^Run for \([0-9]*\) seconds$/\1/p' "$out")
[[ $seconds -ge 111 && $seconds -le $((111 + afterJumpS)) ]] ||
  fail "ran for $seconds seconds, not just past the jump to 111 s (Esc came ${afterJumpS} s after it)"

# No display: one clear line and a failure, not an invisible show.
DISPLAY= SDL_AUDIODRIVER=dummy timeout 20 "$show" >"$out" 2>"$err"; status=$?
[[ $status -eq 1 ]] || fail "without a display: exit status $status"
[[ $(wc -l <"$err") -eq 1 ]] && grep -q '^cannot ' "$err" || fail "without a display: no one-line reason"
echo "the show ran, printed its lines and ended on Esc"
