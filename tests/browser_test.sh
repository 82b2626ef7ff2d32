#!/usr/bin/env bash
# Opens pages made by the tool in headless Chromium and checks the table the
# browser built from them (its DOM): one header row and one row per row
# start, 21 cells in each, the column and row labels, and the characters of
# printable cells. Usage: browser_test.sh TOOL. Exit 77 means skipped.
set -euo pipefail
tool=$(realpath "$1")
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "chromium is not installed: skipped"; exit 77; }
command -v python3 >/dev/null || { echo "python3 is not installed: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints the DOM that Chromium builds for the page of First $1 and Last $2.
dom_of() {
    local dir=$work/$1-$2
    mkdir "$dir"
    (cd "$dir" && "$tool" "$1" "$2")
    timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$(mktemp -d "$work/profile.XXXXXX")" --dump-dom "file://$dir/tavu.html" 2>/dev/null
}

check() {
    local first=$1 last=$2
    shift 2
    dom_of "$first" "$last" | python3 -c '
import sys
from html.parser import HTMLParser

first, last = int(sys.argv[1]), int(sys.argv[2])
expected_chars = {int(v): c for v, c in (pair.split("=", 1) for pair in sys.argv[3:])}

class Table(HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == "tr": self.rows.append([])
        elif tag == "td": self.cell = ""
    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data

table = Table()
table.feed(sys.stdin.read())
rows = table.rows
starts = list(range(first, last, 20))
problems = []
if len(rows) != 1 + len(starts):
    problems.append(f"{len(rows)} rows, expected {1 + len(starts)}")
for number, row in enumerate(rows):
    if len(row) != 21:
        problems.append(f"row {number} has {len(row)} cells")
if rows and [c.strip() for c in rows[0][1:]] != [f"{i:02d}" for i in range(20)]:
    problems.append(f"column labels {rows[0][1:]}")
for start, row in zip(starts, rows[1:]):
    if row and row[0].strip() != str(start):
        problems.append(f"row label {row[0]!r}, expected {start}")
for value, char in expected_chars.items():
    start = first + (value - first) // 20 * 20
    row = rows[1 + starts.index(start)]
    shown = row[1 + value - start]
    if shown != char:
        problems.append(f"cell {value} shows {shown!r}, expected {char!r}")
if problems:
    sys.exit(f"First {first}, Last {last}: " + "; ".join(problems))
print(f"First {first}, Last {last}: {len(rows)} rows of 21 cells, labels and characters as expected")
' "$first" "$last" "$@"
}

check 60 140 "60=<" "62=>" "65=A" "91=[" "97=a" "126=~"
check 12352 12460 "12354=あ" "12450=ア"
check 7 3
check 0 60 "0=�" "48=0" "57=9"
check 65530 65600 "65533=�" "65536=𐀀"
