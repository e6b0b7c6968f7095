#!/usr/bin/env bash
# The real program's command line. Usage: run_show_options.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"

DISPLAY= "$SHOW" --help >"$out" 2>"$err"
status=$?
[[ $status -eq 0 && ! -s $err ]] || fail "--help: exit status $status"
for option in --window --from --mute --help --version; do
    grep -q -- "^  $option" "$out" || fail "--help does not tell of $option"
done
DISPLAY= "$SHOW" --version >"$out" 2>"$err"
grep -Eqx 'sleighride [0-9]+\.[0-9]+(\.[0-9]+)?' "$out" || fail "--version"

for misuse in --frob '--from soon' '--from' '--mute=yes' 'now' '--help=x' '--version=2' '--from 4294967296'; do
    # shellcheck disable=SC2086 # the misuse is split into arguments
    DISPLAY= "$SHOW" $misuse >"$out" 2>"$err"
    status=$?
    [[ $status -eq 2 && ! -s $out && $(wc -l <"$err") -eq 1 ]] || fail "'$misuse': exit status $status"
    grep -q "(try sleighride --help)$" "$err" || fail "'$misuse': no pointer to --help"
done
# What the terminal would act on is written out, not sent to it.
DISPLAY= "$SHOW" --$'\e[2J\a' >"$out" 2>"$err"
status=$?
[[ $status -eq 2 && $(wc -l <"$err") -eq 1 ]] || fail "control characters: exit status $status"
grep -q $'[\e\a]' "$err" && fail "control characters reach the terminal"
grep -qF "unknown option '--\x1b[2J\x07'" "$err" || fail "control characters are not written out"

# On a display larger than the show: its own size in a window, no line.
ownDisplay 1280x1024x24
startShow --window --from 111000 --mute
waitForWindow
geometry=$(xdotool getwindowgeometry "$(xdotool search --onlyvisible --name '^sleighride$' | head -n 1)")
grep -q 'Geometry: 1024x768' <<<"$geometry" || fail "--window: $geometry"
reach 1
first=$(sed -n 's/^|| globaltime > \([0-9]*\) .*/\1/p' "$out" | head -n 1)
[[ $first -ge 111000 && $first -lt 121000 ]] || fail "--from 111000: the first timing line is at $first ms"
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 && ! -s $err ]] || fail "--window --from --mute: exit status $status"

# The last moment of the show's times: it plays on there, t prints it whole,
# and the closing line counts it.
startShow --window --from 4294967295 --mute
waitForWindow
reach 1
[[ $(grep -c '^|| globaltime > 4294967295 && globaltime <= 4294967295$' "$out") -ge 1 ]] ||
    fail "--from 4294967295: the timing lines are not at 4294967295"
grep -v '^|| globaltime > 4294967295 && globaltime <= 4294967295$' "$out" | grep -q . &&
    fail "--from 4294967295: a timing line elsewhere"
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 && ! -s $err ]] || fail "--from 4294967295: exit status $status"
grep -qx 'Run for 4294967 seconds' "$out" || fail "--from 4294967295: not run for 4294967 seconds"
echo "help, version and misuse as expected; --window --from --mute played from 111 s in a window and at the end of the show's times"
