#!/usr/bin/env bash
# The player in the real program on a virtual display, with real key
# presses: Space pauses (the clock holds), full stop and comma step a frame,
# the arrows, Home and Page Down seek, a mouse move shows the bar (read back
# from a screenshot: the played part in red up to the playhead), a click on
# the bar seeks there, and Esc's closing line tells the time it reached.
# Usage: run_show_player.sh PATH-TO-SLEIGHRIDE
SHOW=$1
source "$(dirname "$0")/show_run.sh"
ownDisplay 1024x768x24

# The show's time now, read from a timing line (a t tap) once the key
# before it has been taken.
timeNow() {
    local lines
    lines=$(grep -c '^|| globaltime' "$out")
    xdotool key t
    for _ in $(seq 50); do
        [[ $(grep -c '^|| globaltime' "$out") -gt $lines ]] && break
        sleep 0.1
    done
    sed -n 's/^|| globaltime > \([0-9]*\) && globaltime <= \([0-9]*\)$/\1 \2/p' "$out" | tail -n 1
}

# Paused, a tap's line opens and closes at the same time: the one expected.
expectHeldAt() {
    local times
    times=$(timeNow)
    [[ $times == "$1 $1" ]] || fail "$2: the paused show's time is '$times', not $1"
}

startShow --window --from 100000
waitForWindow
endSplash
xdotool key space
sleep 0.5
read -r paused _ <<<"$(timeNow)"
sleep 1
expectHeldAt "$paused" "a second after Space"
xdotool key period period
expectHeldAt $((paused + 30)) "two frames ahead"
xdotool key comma
expectHeldAt $((paused + 15)) "a frame back"
xdotool key Right
expectHeldAt $((paused + 5015)) "Right"
xdotool key Left Left
expectHeldAt $((paused - 4985)) "Left twice"
xdotool key Home
expectHeldAt 0 "Home"
xdotool key Next
expectHeldAt 30000 "Page Down"

# The bar, on a mouse move: the track's played part red, the rest grey.
xdotool mousemove 300 300 sleep 0.2 mousemove 320 310
sleep 0.5
ffmpeg -loglevel error -f x11grab -video_size 1024x768 -i "$DISPLAY" -frames:v 1 "$scratch/bar.png" ||
    fail "no screenshot"
/usr/bin/python3 - "$scratch/bar.png" <<'CHECK' || fail "no bar in the screenshot"
import sys
from PIL import Image

shot = Image.open(sys.argv[1]).convert("RGB")
row = 732  # the track's middle
played = shot.getpixel((60, row))
ahead = shot.getpixel((900, row))
assert played[0] > 180 and played[1] < 80 and played[2] < 90, f"played part {played}"
assert abs(ahead[0] - ahead[1]) < 12 and 60 < ahead[0] < 200, f"part to come {ahead}"
CHECK
cp "$scratch/bar.png" "${PLAYER_SCREENSHOT:-/dev/null}" 2>/dev/null

# A click on the bar, where 150 s lies on it.
x=$(awk 'BEGIN { printf "%d", 48 + 928 * 150000 / 318500 }')
xdotool mousemove "$x" 732 click 1
read -r clicked _ <<<"$(timeNow)"
[[ $clicked -ge 149500 && $clicked -le 150500 ]] || fail "a click on the bar at 150 s went to $clicked"
xdotool key space
sleep 1.5
xdotool key Escape
waitForEnd 10
[[ $status -eq 0 ]] || fail "exit status $status"
seconds=$(sed -n 's/^Run for \([0-9]*\) seconds$/\1/p' "$out")
[[ $seconds -ge 150 && $seconds -le 154 ]] || fail "ran for $seconds seconds, not just past 150 s after playing on"
echo "paused, stepped, seeked by keys and by the bar, and played on to ${seconds} s"
