#!/usr/bin/env bash
# The pages of the release folder describe the release folder: every path
# that its front page, its licences page or a page of docs/ or examples/
# names exists in it. A path is inline code with a slash or a page name
# ending in .md (`include/QZSteam.h`, `../statistics.json`, `simulator.md`),
# or a link's target, outside fenced code blocks and web addresses; it is
# looked for from the page's folder and from the folder's top.
# Usage: docs_paths_check.sh BUILD_DIR
set -euo pipefail
dist=$(mktemp -d "$1/release-docs.XXXXXX")
trap 'rm -rf "$dist"' EXIT
cmake --install "$1" --prefix "$dist" >/dev/null

missing=""
for page in "$dist"/README.md "$dist"/licenses/README.md "$dist"/docs/*.md "$dist"/examples/*.md; do
  folder=$(dirname "$page")
  names=$(awk -F'`' '/^```/ { fenced = !fenced; next } !fenced {
            for (i = 2; i <= NF; i += 2) print $i
            while (match($0, /\]\([^) ]+\)/)) { print substr($0, RSTART + 2, RLENGTH - 3); $0 = substr($0, RSTART + RLENGTH) }
          }' "$page" | sed 's/#.*//' | grep -E '^[^ ]*(/|\.md$)[^ ]*$' | grep -v '://' || true)
  for name in $names; do
    [ -e "$folder/$name" ] || [ -e "$dist/$name" ] || missing+="  ${page#"$dist"/}: $name"$'\n'
  done
done
[ -z "$missing" ] || { printf 'FAILED: pages name paths that the release folder lacks:\n%s' "$missing"; exit 1; }
echo "1 passed, 0 failed"
