#!/usr/bin/env bash
# The real program asked to quit by signals, during the splash and after it,
# and printing into a closed stdout or a pipe nobody reads any more.
# Usage: run_show_quits.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"
ownDisplay 1024x768x24

# During the splash (4 s) a quit request ends the program at once, not the
# splash and then the show playing on; one that comes while the pictures
# are still loading, before the splash, is acted on at its first turn.
# After the splash, with the closing line.
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

# The timing lines go nowhere; the show plays on and ends as usual.
playAndQuit() {
    waitForWindow
    for _ in 1 2 3; do
        xdotool key t
        sleep 0.3
    done
    kill -0 "$showPid" 2>/dev/null || { wait "$showPid"; fail "$1: ended with status $? while printing"; }
    xdotool key Escape
    waitForEnd 10
    [[ $status -eq 0 ]] || fail "$1: exit status $status"
}
SDL_AUDIODRIVER=dummy "$SHOW" > >(exit 0) 2>"$err" &
showPid=$!
playAndQuit "stdout a pipe whose reader has gone"
SDL_AUDIODRIVER=dummy "$SHOW" >&- 2>"$err" &
showPid=$!
playAndQuit "stdout closed"
echo "quit requests end the show at once, and printing nowhere does not"
