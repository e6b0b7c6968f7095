#!/usr/bin/env bash
# The web page's checks (page_checks.js) against the desktop show's frames
# and song, in headless Chromium. Skips, saying why in one line, where there
# is no Chromium, no page built (scripts/web --build) or no node packages
# (npm ci): scripts/test provides all three when Chromium is installed.
# Usage: run.sh PATH-TO-DESKTOP_REFERENCE   (needs a display)
set -euo pipefail
reference=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
skipped=77
skip() { echo "web page checks skipped: $*"; exit "$skipped"; }
[[ -x "${CHROMIUM:-/usr/bin/chromium}" ]] || skip "no Chromium (apt-get install chromium)"
[[ -f "$root/build-web/index.html" ]] || skip "no page in build-web/ (scripts/web --build)"
[[ -d "$root/node_modules/playwright-core" ]] || skip "no node packages (npm ci)"

# The snow's seed of the show's frame digests; a moment in every part of
# the show.
seed=12345
moments=(3000 20000 45000 60000 71000 78000 82000 95000 113000 125000 140000 155000 170000 185000 200000)
out=$(mktemp -d)
"$reference" "$out" "$seed" "${moments[@]}"
if node "$root/tests/web/page_checks.js" "$root/build-web" "$out" "$seed" "${moments[@]}"; then
  rm -rf "$out"
else
  echo "frames and song kept in $out (page-T.ppm: the page's frame at T)"
  exit 1
fi
