#!/usr/bin/env bash
# Renders the man page with groff and fails on any warning. Exit 77 means skipped.
set -euo pipefail
command -v groff >/dev/null || { echo "groff is missing: skipped"; exit 77; }
warnings=$(groff -man -ww -z "$1" 2>&1)
[ -z "$warnings" ] || { echo "$warnings" >&2; exit 1; }
echo "man page renders without warnings"
