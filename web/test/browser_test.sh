#!/usr/bin/env bash
# The page in a real browser: Debian's Chromium, headless, on a static
# server on the loopback address; the page's own checks (selftest.js)
# read back from its DOM, and a screenshot left for a person to look at.
#   web/test/browser_test.sh WEB_DIR QZ
set -euo pipefail
web=$(cd "$1" && pwd)
qz=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
fisher=$("$qz" analyse fisher "$root/examples/data/fold.csv" 2>/dev/null | sed -n 's/.*As linear (azimuth, plunge) : (\([0-9]*\) , \([0-9]*\)).*/\1\/\2/p')
port=$((20000 + RANDOM % 20000))
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$web" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
sleep 1
chrome() { timeout 120 chromium --headless=new --no-sandbox --disable-gpu --window-size=1400,1300 "$@" 2>/dev/null; }
url="http://127.0.0.1:$port/index.html"
# Virtual time: the page is given the time its checks need.
dom=$(chrome --virtual-time-budget=60000 --dump-dom "$url?selftest&qzfisher=$fisher")
chrome --virtual-time-budget=10000 --screenshot="$web/page.png" "$url?sample=fold.csv" >/dev/null || true
result=$(printf '%s' "$dom" | sed -n '/<pre id="selftest">/,/SELFTEST DONE/p' | sed 's/<[^>]*>//g')
printf '%s\n' "$result"
printf '%s' "$result" | grep -q 'SELFTEST DONE' || { echo "browser_test: the page's checks did not finish"; exit 1; }
if printf '%s' "$result" | grep -q '^FAIL'; then echo "browser_test: a check failed"; exit 1; fi
echo "browser_test: passed; screenshot $web/page.png"
