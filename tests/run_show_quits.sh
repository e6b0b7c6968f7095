#!/usr/bin/env bash
# The real program asked to quit by signals, and printing into a closed
# stdout or a pipe nobody reads. Usage: run_show_quits.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"
ownDisplay 1024x768x24

# During the splash (even while the pictures load) a quit request ends the
# program at once; after it, with the closing line.
for signal in TERM INT; do
    startShow
    waitForWindow
    kill -"$signal" "$showPid"
    waitForEnd 5
    [[ $status -eq 0 ]] || fail "SIG$signal during the splash: exit status $status"
    startShow
    waitForWindow
    reach 1
    kill -"$signal" "$showPid"
    waitForEnd 5
    [[ $status -eq 0 ]] || fail "SIG$signal during the show: exit status $status"
    grep -Eq '^Run for [0-9]+ seconds$' "$out" || fail "SIG$signal during the show: no closing line"
done

# A pipe whose reader goes once it has the first timing line: the show
# prints more into it, and plays on until Esc.
mkfifo "$scratch/pipe"
head -n 1 "$scratch/pipe" >"$out" &
SDL_AUDIODRIVER=dummy "$SHOW" >"$scratch/pipe" 2>"$err" &
showPid=$!
waitForWindow
for _ in $(seq 40); do
    [[ -s $out ]] && break
    xdotool key t
    sleep 0.25
done
[[ -s $out ]] || fail "no timing line through the pipe"
for _ in 1 2 3; do
    xdotool key t
    sleep 0.3
done
kill -0 "$showPid" 2>/dev/null || { wait "$showPid"; fail "printing into a broken pipe: ended with status $?"; }
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 ]] || fail "printing into a broken pipe: exit status $status"

# A closed stdout: its number must not go to a file the show opens later
# (its display connection, say), where the lines would land.
SDL_AUDIODRIVER=dummy "$SHOW" >&- 2>"$err" &
showPid=$!
waitForWindow
[[ $(readlink "/proc/$showPid/fd/1") == /dev/null ]] || fail "stdout closed: it became $(readlink "/proc/$showPid/fd/1")"
for _ in 1 2 3; do
    xdotool key t
    sleep 0.3
done
kill -TERM "$showPid"
waitForEnd 10
[[ $status -eq 0 ]] || fail "stdout closed: exit status $status"
echo "quit requests end the show at once, and printing nowhere does not"
