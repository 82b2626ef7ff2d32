#!/usr/bin/env bash
# Renders a sample page (Hiragana and Katakana, First 12352, Last 12552) with
# headless Chromium into docs/sample.png, the picture in the README. Needs
# Debian's chromium and, so that the characters are not drawn as empty
# boxes, a font with kana, such as fonts-noto-cjk: without one it stops
# rather than take a picture of boxes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v chromium >/dev/null || { echo "needs chromium (Debian: apt-get install chromium)" >&2; exit 1; }
command -v fc-list >/dev/null || { echo "needs fc-list (Debian: apt-get install fontconfig)" >&2; exit 1; }
# A Hiragana and a Katakana letter, U+3042 and U+30A2.
for letter in 3042 30a2; do
    if [ -z "$(fc-list ":charset=$letter" family)" ]; then
        echo "no installed font draws U+${letter^^}: the picture would show empty boxes." >&2
        echo "Install one, such as Debian's fonts-noto-cjk, and run this again." >&2
        exit 1
    fi
done
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
