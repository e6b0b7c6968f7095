#!/usr/bin/env bash
# The real program on no display, a small one, and 16- and 8-bit colour.
# Usage: run_show_displays.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"

# Exactly one line on stderr, matching the pattern.
oneLine() {
    [[ $(wc -l <"$err") -eq 1 ]] && grep -Eq "$1" "$err" || fail "$2: not one line saying '$1'"
}

# No display: one line saying so, nothing on stdout (no terminal codes),
# and status 1, whether DISPLAY is unset or names no display.
for display in '' ':77'; do
    DISPLAY=$display SDL_AUDIODRIVER=dummy timeout 20 "$SHOW" >"$out" 2>"$err"
    status=$?
    [[ $status -eq 1 ]] || fail "DISPLAY='$display': exit status $status"
    [[ -s $out ]] && fail "DISPLAY='$display': wrote to stdout"
    oneLine "^cannot open the show's window: there is no display" "DISPLAY='$display'"
done

# A screen with a given size and depth; the show's window there, and what
# it said.
onScreen() {
    ownDisplay "$1"
    startShow
}

# Smaller than 1024 x 768: a window filling it at 4:3, with one line, and
# the show plays on in it.
onScreen 800x600x24
waitForWindow
geometry=$(xdotool getwindowgeometry "$(xdotool search --name '^sleighride$' | head -n 1)")
grep -q 'Geometry: 800x600' <<<"$geometry" || fail "800 x 600 display: $geometry"
reach 1000
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 ]] || fail "800 x 600 display: exit status $status"
oneLine '^cannot play full screen at 1024 x 768 \(.*\): playing in a window of 800 x 600$' "800 x 600 display"

# 16-bit colour: full screen as usual, nothing said.
onScreen 1024x768x16
waitForWindow
reach 1000
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 && ! -s $err ]] || fail "16-bit display: exit status $status"

# 8-bit colour has no OpenGL at all: one line and status 1.
onScreen 1024x768x8
waitForEnd 20
[[ $status -eq 1 ]] || fail "8-bit display: exit status $status"
oneLine '^cannot open an OpenGL window' "8-bit display"
echo "no display, a small display and displays of 16 and 8 bits: each as it should"
