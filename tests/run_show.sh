#!/usr/bin/env bash
# The real program from start to end on a virtual display: without a sound
# card it says so in one line and plays silently, a key ends the splash,
# holding t prints a timing line, c jumps to the greetings, Esc ends the show
# with its closing line. Usage: run_show.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"
ownDisplay 1024x768x24

# No sound card and no driver named, whatever this machine has: ALSA with an
# empty configuration, PulseAudio with no server.
env -u SDL_AUDIODRIVER ALSA_CONFIG_PATH=/dev/null PULSE_SERVER="unix:$scratch/no-server" \
    env --default-signal=INT "$SHOW" >"$out" 2>"$err" &
showPid=$!
waitForWindow
endSplash
xdotool keydown t; sleep 0.5; xdotool keyup t
awaitLine '^\|\| globaltime > [0-9]+ && globaltime <= [0-9]+$' 30 || fail "no timing line"
xdotool key c              # to the greetings
reach 111000
xdotool key Escape
waitForEnd 10

[[ $status -eq 0 ]] || fail "exit status $status"
[[ $(wc -l <"$err") -eq 1 ]] && grep -q '^no audio device (.*): the show plays silently$' "$err" ||
    fail "not one line about the missing sound card"
grep -Eq '^\|\| globaltime > [0-9]+ && globaltime <= [0-9]+$' "$out" || fail "no timing line"
grep -Eq '^Run for [0-9]+ seconds$' "$out" || fail "no closing line"
seconds=$(sed -n 's/^Run for \([0-9]*\) seconds$/\1/p' "$out")
[[ $seconds -ge $((reached / 1000)) && $seconds -le $((reached / 1000 + 5)) ]] ||
    fail "ran for $seconds seconds, not just past $reached ms"
echo "the show ran, printed its lines and ended on Esc"
