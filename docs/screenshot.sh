#!/usr/bin/env bash
# Renders a sample page (Hiragana and Katakana, First 12352, Last 12552) with
# headless Chromium into docs/sample.png, the picture in the README. Needs
# Debian's chromium and, so that the characters are not drawn as empty
# boxes, fonts-noto-cjk.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --preset release >/dev/null
cmake --build --preset release --target html_tavu >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$root/build/release/html_tavu" 12352 12552)
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --hide-scrollbars --window-size=760,356 \
    --screenshot="$root/docs/sample.png" "file://$work/tavu.html" 2>/dev/null
echo "wrote docs/sample.png"
