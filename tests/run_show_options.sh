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

for misuse in --frob '--from soon' '--from' '--mute=yes' 'now'; do
    # shellcheck disable=SC2086 # the misuse is split into arguments
    DISPLAY= "$SHOW" $misuse >"$out" 2>"$err"
    status=$?
    [[ $status -eq 2 && ! -s $out && $(wc -l <"$err") -eq 1 ]] || fail "'$misuse': exit status $status"
    grep -q "(try sleighride --help)$" "$err" || fail "'$misuse': no pointer to --help"
done

# On a display larger than the show: its own size in a window, no line.
ownDisplay 1280x1024x24
startShow --window --from 111000 --mute
waitForWindow
geometry=$(xdotool getwindowgeometry "$(xdotool search --name '^sleighride$' | head -n 1)")
grep -q 'Geometry: 1024x768' <<<"$geometry" || fail "--window: $geometry"
reach 1
first=$(sed -n 's/^|| globaltime > \([0-9]*\) .*/\1/p' "$out" | head -n 1)
[[ $first -ge 111000 && $first -lt 121000 ]] || fail "--from 111000: the first timing line is at $first ms"
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 && ! -s $err ]] || fail "--window --from --mute: exit status $status"
echo "help, version and misuse as expected; --window --from --mute played from 111 s in a window"
