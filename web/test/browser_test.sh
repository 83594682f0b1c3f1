#!/usr/bin/env bash
# The page in a real browser: Debian's Chromium, headless and in real
# time, on a static server on the loopback address (serve.py); the page's
# own checks (selftest.js) are posted back to the server, and a screenshot
# is left for a person to look at.
#   web/test/browser_test.sh WEB_DIR QZ
set -euo pipefail
web=$(cd "$1" && pwd)
qz=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
fisher=$("$qz" analyse fisher "$root/examples/data/fold.csv" 2>/dev/null | sed -n 's/.*As linear (azimuth, plunge) : (\([0-9]*\) , \([0-9]*\)).*/\1\/\2/p')
tmp=$(mktemp -d)
port=$((20000 + RANDOM % 20000))
python3 "$here/serve.py" "$web" "$port" "$tmp/result" &
server=$!
# Chromium's helper processes outlive the one started: they are found by
# the profile folder each is given.
stop_browser() { pkill -f -- "--user-data-dir=$tmp/" 2>/dev/null || true; }
trap 'kill $server 2>/dev/null; stop_browser; rm -rf "$tmp"' EXIT
sleep 1
url="http://127.0.0.1:$port/index.html"
chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$tmp/profile" --window-size=1400,1300 \
  "$url?selftest&qzfisher=$fisher" >/dev/null 2>&1 &
# The server stops once the page has posted its checks.
timeout 180 tail --pid=$server -f /dev/null || { echo "browser_test: the page's checks did not finish"; exit 1; }
stop_browser
result=$(cat "$tmp/result" 2>/dev/null || true)
printf '%s\n' "$result"
printf '%s' "$result" | grep -q 'SELFTEST DONE' || { echo "browser_test: the page's checks did not finish"; exit 1; }
# The screenshot: virtual time gives the sample time to load.
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$web" >/dev/null 2>&1 &
server=$!
sleep 1
timeout 120 chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$tmp/profile2" --window-size=1400,1300 \
  --virtual-time-budget=10000 --screenshot="$web/page.png" "$url?sample=fold.csv&planes=poles&contour=kamb&fisher" >/dev/null 2>&1 || true
if printf '%s' "$result" | grep -q '^FAIL'; then echo "browser_test: a check failed"; exit 1; fi
echo "browser_test: passed; screenshot $web/page.png"
