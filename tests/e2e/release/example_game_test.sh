#!/usr/bin/env bash
# The example game as a game team meets it: the release folder installed
# afresh, the example built there with the MinGW line of examples/README.md
# (and linked once more against an import library made from lib/QZSteam.def),
# then run under Wine with the folder's simulator and the example's account
# file. Its output must be what the README shows; the account file must hold
# what the game stored, and the simulator's log must end with the exit
# sequence. The DLL's version resource names the library's version.
# Usage: example_game_test.sh BUILD_DIR WINE_PREFIX VERSION
set -euo pipefail
build=$1 prefix=$2 version=$3
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d "$build/release-example.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
cmake --install "$build" --prefix "$work/dist" >/dev/null

cd "$work/dist/examples"
! grep -qE 'QZSim_|windows\.h|GetProcAddress' example_game.c || fail "the example reaches past include/QZSteam.h"
line=$(sed -n 's/^    \(i686-w64-mingw32-gcc .*\)$/\1/p' README.md)
[ -n "$line" ] || fail "no MinGW build line in examples/README.md"
eval "$line" || fail "the README's MinGW build line failed: $line"
i686-w64-mingw32-dlltool -d ../lib/QZSteam.def -l "$work/from-def.lib"
i686-w64-mingw32-gcc -std=c99 -I../include example_game.c "$work/from-def.lib" -o "$work/from-def.exe" \
  || fail "an import library made from lib/QZSteam.def does not link the example"

# The resource's texts are UTF-16, each name followed by its value.
texts=$(iconv -c -f UTF-16LE -t UTF-8 ../QZSteam.dll 2>/dev/null | tr -d '\0' || true)
grep -aqF "ProductVersion$version" <<<"$texts" || fail "the DLL's version resource does not name version $version"

mkdir "$work/game"
cp example_game.exe steam_sim_account.json ../QZSteam.dll ../simulator/1.60/steam_api.dll "$work/game/"
# The process id and the folder differ from run to run.
same() { sed -E 's/"Id": [0-9]+/"Id": N/; s/"[^"]*\\example_game\.exe"/"FOLDER\\example_game.exe"/'; }
expected=$(sed -n '/^```$/,/^```$/{/^```$/d;p}' README.md | same)
cd "$work/game"
output=$("$root/scripts/wine-run" --prefix "$prefix" --timeout 120 example_game.exe | tr -d '\r' | same)
[ "$output" = "$expected" ] || fail "output differs from the README's: $(diff <(echo "$expected") <(echo "$output") | tr '\n' ' ')"

for stored in '"KILL_ENEMY": 13,' '"RUN": 1250.5,' '"WIN_MATCH": 1,' '"SHOOT_BULLETS": 120,' \
              '"KILL_ENEMY_10": true' '"WIN_MATCH_1": true'; do
  grep -qF "$stored" steam_sim_account.json || fail "not stored: $stored in $(tr -d ' \n' <steam_sim_account.json)"
done
for call in 'SteamAPI_ISteamUserStats_SetAchievement(KILL_ENEMY_10)' 'SteamAPI_ISteamUser_GetAuthSessionTicket(' \
            'SteamAPI_ISteamFriends_ActivateGameOverlay(achievements)'; do
  grep -qF "$call" steam_sim.log || fail "the simulator saw no $call"
done
exit_sequence=$(tr -d '\r' <steam_sim.log | grep -vE '_v[0-9]+\(\)$' | tail -n 4 | tr '\n' ' ')
[ "$exit_sequence" = "SteamAPI_ISteamUserStats_StoreStats() account file written: the store is kept \
SteamAPI_ISteamUser_EndAuthSession(76561197960287931) SteamAPI_Shutdown() " ] \
  || fail "the log does not end with the exit sequence: $exit_sequence"
echo "1 passed, 0 failed"
