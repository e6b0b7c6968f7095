#!/usr/bin/env bash
# One of the web page's check scripts (page_checks.js, page_devices.js,
# page_firefox.js) against the desktop show's frames and song. scripts/test
# provides what they need: Chromium and Firefox, the page (scripts/web
# --build) and the node packages (npm ci); a missing one fails the check.
# Usage: run.sh PATH-TO-DESKTOP_REFERENCE SCRIPT   (needs a display)
set -euo pipefail
reference=$1
script=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
missing() { echo "web page checks cannot run: $* (scripts/test provides it)" >&2; exit 1; }
[[ -f "$root/build-web/index.html" ]] || missing "no page in build-web/ (scripts/web --build)"
[[ -d "$root/node_modules/playwright-core" ]] || missing "no node packages (npm ci)"

# A moment in every part of the show; the desktop's frames there are drawn
# from the show's reference snow seed, which the page then draws from too.
moments=(3000 20000 45000 60000 71000 78000 82000 95000 113000 125000 140000 155000 170000 185000 200000)
out=$(mktemp -d)
"$reference" "$out" "${moments[@]}"
seed=$(cat "$out/seed.txt")
if node "$root/tests/web/$script" "$root/build-web" "$out" "$seed" "${moments[@]}"; then
  rm -rf "$out"
else
  echo "frames and song kept in $out (page-T.ppm: the page's frame at T)"
  exit 1
fi
