#!/usr/bin/env bash
# A release folder built for a game's own statistics table (scripts/dist
# --statistics): its docs and statistics.json are that table's, its DLL
# holds that table's names and none of the built-in ones, and its session
# scenario (check/) plays that table through the DLL against each of the
# folder's simulators, the account storing exactly what was earned.
# Usage: own_table_test.sh RELEASE_FOLDER TABLE WINE_PREFIX
set -euo pipefail
dist=$(realpath "$1") table=$(realpath "$2") prefix=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/own-table.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

names=$(grep -o '"name": "[A-Za-z0-9_]*"' "$table" | cut -d'"' -f4)
for name in $names; do
  grep -qF "\`$name\`" "$dist/docs/statistics.md" || fail "docs/statistics.md lacks $name"
  grep -qF "\"$name\"" "$dist/statistics.json" || fail "statistics.json lacks $name"
  grep -qaF "$name" "$dist/QZSteam.dll" || fail "QZSteam.dll lacks $name"
done
! grep -qaF KILL_ENEMY_10 "$dist/QZSteam.dll" || fail "QZSteam.dll still holds the built-in table"

passed=0
for stand_in in "$dist"/simulator/*/steam_api.dll; do
  kind=$(basename "$(dirname "$stand_in")")
  game=$work/$kind
  mkdir "$game"
  cp "$dist/check/qz_session_scenario.exe" "$dist/QZSteam.dll" "$dist/statistics.json" "$stand_in" "$game/"
  for case in session start-fails no-user ticket-fails; do
    output=$(cd "$game" && "$root/scripts/wine-run" --prefix "$prefix" --timeout 120 ./qz_session_scenario.exe "$case" \
               | tr -d '\r') || fail "$kind $case: $(grep -v '^ok' <<<"$output" | tr '\n' ' ')"
    passed=$((passed + 1))
  done
done
[ $passed -gt 0 ] || fail "no simulator in $dist/simulator"
echo "$passed passed, 0 failed"
