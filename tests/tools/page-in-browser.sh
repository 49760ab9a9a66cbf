#!/bin/sh
# Opens a rehearsal's page in headless Chromium: every picture must load and nothing may reach
# the browser's console. The page itself needs no script; a copy of it gets one that marks,
# once the page has loaded, whether each picture arrived.
#
#   sh page-in-browser.sh FOLDER/report.html
set -e
page=$1
folder=$(cd "$(dirname "$page")" && pwd)
command -v chromium >/dev/null || { echo "chromium is missing (make deps installs it)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/check.html" <<CHECK
<base href="file://$folder/"><script>addEventListener("load", () => {
  const broken = [...document.images].filter(i => !i.complete || i.naturalWidth === 0);
  document.body.dataset.check = broken.length
    ? "broken " + broken.map(i => i.getAttribute("src")).join(" ")
    : "loaded " + document.images.length; });</script>
CHECK
sed "/<head>/r $work/check.html" "$page" >"$work/page.html"
timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --enable-logging=stderr --v=0 \
    --dump-dom "file://$work/page.html" >"$work/dom" 2>"$work/log"
pictures=$(grep -o '<img ' "$page" | wc -l)
seen=$(grep -o 'data-check="[^"]*"' "$work/dom" || echo "no load event")
echo "$pictures pictures in the page; $seen"
status=0
[ "$pictures" -gt 0 ] && [ "$seen" = "data-check=\"loaded $pictures\"" ] || status=1
if grep ':CONSOLE' "$work/log"; then
    echo "the page wrote to the console" >&2
    status=1
fi
exit $status
