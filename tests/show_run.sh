# Sourced by the runs of the real program: a virtual display of the run's
# own, the show started in the background, every wait bounded, and a
# failure that shows what the show printed. SHOW names the program.
set -uo pipefail

scratch=$(mktemp -d)
out=$scratch/out
err=$scratch/err
xvfbPid=
showPid=
status=

finish() {
    [[ -n $showPid ]] && kill "$showPid" 2>/dev/null
    [[ -n $xvfbPid ]] && kill "$xvfbPid" 2>/dev/null
    rm -rf "$scratch"
}
trap finish EXIT

fail() {
    echo "FAIL: $*"
    echo "--- stdout"; cat "$out" 2>/dev/null
    echo "--- stderr"; cat "$err" 2>/dev/null
    exit 1
}

# A virtual display of its own with the screen WxHxDEPTH, so that no other
# run's window takes the keys; Xvfb picks a free number (-displayfd).
# -noreset: SDL's trial connection before its real one would reset it.
ownDisplay() {
    local numberFile=$scratch/display
    # A display shutting down removes its socket last: wait for it.
    if [[ -n $xvfbPid ]]; then
        kill "$xvfbPid" 2>/dev/null
        wait "$xvfbPid" 2>/dev/null
    fi
    rm -f "$numberFile"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$numberFile" 2>"$scratch/xvfb.log" &
    xvfbPid=$!
    for _ in $(seq 100); do
        [[ -s $numberFile ]] && break
        sleep 0.1
    done
    [[ -s $numberFile ]] || fail "no virtual display $1 within 10 s: $(cat "$scratch/xvfb.log")"
    export DISPLAY=:$(head -n 1 "$numberFile")
}

# Starts the show with the given options, silently unless the caller chose
# an audio driver, its output in $out and $err. A script's background job
# ignores SIGINT; a show started from a terminal takes it, so it is given back.
startShow() {
    SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} env --default-signal=INT "$SHOW" "$@" >"$out" 2>"$err" &
    showPid=$!
}

# SDL makes and unmakes windows while it sets the mode, and xdotool gives up
# at once when a window it listed is gone before it reads its name: asked
# again until the show's window is there, shown at its size.
waitForWindow() {
    for _ in $(seq 300); do
        xdotool search --onlyvisible --name '^sleighride$' >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "no window within 30 s"
}

# Waits up to $1 seconds for the show to end; its exit status in $status.
waitForEnd() {
    for _ in $(seq "$(($1 * 10))"); do
        kill -0 "$showPid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$showPid" 2>/dev/null && fail "still running $1 s on"
    wait "$showPid"
    status=$?
    showPid=
}

# Waits up to $2 seconds for a line of the show's output matching $1.
awaitLine() {
    for _ in $(seq "$(($2 * 10))"); do
        grep -Eq "$1" "$out" && return 0
        kill -0 "$showPid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Loading and the splash swallow keys: taps t (bounded) until the main loop
# answers, the first tap ending the splash and a later one printing a
# timing line.
endSplash() {
    for _ in $(seq 30); do
        xdotool key t
        awaitLine '^\|\| globaltime > [0-9]+ && globaltime <= [0-9]+$' 1 && return 0
    done
    fail "the splash never ended"
}

# Taps t (bounded) until the show prints a timing line at or after $1 ms,
# its time then in $reached.
reach() {
    for _ in $(seq 40); do
        xdotool key t
        sleep 0.25
        reached=$(sed -n 's/^|| globaltime > [0-9]* && globaltime <= \([0-9]*\)$/\1/p' "$out" | tail -n 1)
        [[ -n $reached && $reached -ge $1 ]] && return 0
    done
    fail "the show never reached $1 ms (last timing line at ${reached:-none})"
}
