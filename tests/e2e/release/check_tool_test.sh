#!/usr/bin/env bash
# The release folder's check of a team's steam_api.dll, run from the folder
# installed afresh and with a Wine prefix of its own, on what a careless team
# hands it: every argument, whatever its name or however it is reached, gets
# exactly one line with its path as given, and nothing else reaches the
# terminal. Files that are no usable steam_api.dll are refused before Wine
# runs where the headers tell (a header claiming 65,535 sections within a
# time limit, the simulator's stand-ins, a program); the rest through Wine (QZSteam.dll
# itself, which the library refuses; a DLL whose own dependency is missing).
# The check fails. Its usage speaks of the layout it runs from, and two
# checks at once on one prefix take turns.
# Usage: check_tool_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d "$build/release-check.XXXXXX")
# The checks started here, then the prefix's Wine server, end before the
# folder goes: the server writes the prefix's registry as it ends.
cleanup() {
  wait
  [ ! -d "$work/wineprefix" ] || WINEPREFIX=$work/wineprefix timeout 60 wineserver -w 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
cmake --install "$build" --prefix "$work/dist" >/dev/null
check=$work/dist/check/check-steam-api
export QZ_CHECK_WINEPREFIX=$work/wineprefix
cd "$work"

mkdir dlls real empty
echo "not a library" >dlls/text.dll
head -c 1000 dist/QZSteam.dll >dlls/truncated.dll
cp dist/QZSteam.dll dlls/plugin.dll
echo "not a library" >"dlls/new"$'\n'"line.dll"
echo "not a library" >-dash.dll
wide=$(find /usr/lib/x86_64-linux-gnu/wine /usr/lib/wine -path '*x86_64-windows*' -name 'version.dll' 2>/dev/null | head -n 1)
[ -n "$wide" ] || fail "no 64-bit Windows DLL on this machine to check with"
cp "$wide" real/wide.dll
ln -s real linked
ln -s dist/simulator/1.60/steam_api.dll sim.dll
# A DLL that imports from another one, which is then taken away.
echo 'int qz_gone(void) { return 1; }' >gone.c
echo '__declspec(dllimport) int qz_gone(void); __declspec(dllexport) int needs(void) { return qz_gone(); }' >needs.c
i686-w64-mingw32-gcc -shared gone.c -o qz_gone.dll -Wl,--out-implib,libqz_gone.a
i686-w64-mingw32-gcc -shared needs.c -o needs-gone.dll -L. -lqz_gone
rm qz_gone.dll

# The PE headers of QZSteam.dll with 65,535 empty sections, the last of which
# claims data past the end of the file.
offset=$(od -An -t u4 -j 60 -N 4 dist/QZSteam.dll | tr -d ' ')
table=$((offset + 24 + $(od -An -t u2 -j $((offset + 20)) -N 2 dist/QZSteam.dll | tr -d ' ')))
{ head -c "$table" dist/QZSteam.dll; head -c $((40 * 65535)) /dev/zero; } >sections.dll
printf '\377\377' | dd of=sections.dll bs=1 seek=$((offset + 6)) conv=notrunc status=none
printf '\377\377\377\177' | dd of=sections.dll bs=1 seek=$((table + 40 * 65534 + 16)) conv=notrunc status=none

truncated="refused: not a Windows DLL (or a truncated one)"
row() { printf '%-12s %s\n' "$1" "$2"; }
expected=$(row DLL verdict
  row -dash.dll "$truncated"
  row 'dlls/new\nline.dll' "$truncated"
  row dlls/plugin.dll "refused: QZSteam: steam_api.dll is a release the library cannot use: it lacks SteamAPI_Init"
  row dlls/text.dll "$truncated"
  row dlls/truncated.dll "$truncated"
  row linked/wide.dll "refused: a 64-bit DLL: the game and QZSteam.dll are 32-bit"
  row empty "refused: a folder without a DLL in it"
  row absent.dll "refused: no such file"
  row sim.dll "refused: the simulator's stand-in steam_api.dll, a development tool (it exports the QZSim_ controls): never ship it"
  row dist/check/steamclient.dll "refused: the simulator's stand-in Steam client, a development tool (it exports the QZSim_ controls), no steam_api.dll"
  row dist/check/qz_session_scenario.exe "refused: a Windows program, not a DLL"
  row needs-gone.dll "refused: steam_api.dll could not be loaded: qz_gone.dll, which it needs, is missing (system error 126)")
status=0
"$check" -dash.dll dlls linked empty absent.dll sim.dll dist/check/steamclient.dll dist/check/qz_session_scenario.exe \
  needs-gone.dll >out.txt 2>err.txt || status=$?
cat out.txt err.txt
[ $status -eq 1 ] || fail "the check answered $status for files that are no steam_api.dll"
[ "$(cat out.txt)" = "$expected" ] || fail "the lines differ: $(diff <(echo "$expected") out.txt | tr '\n' ' ')"
[ ! -s err.txt ] || fail "the check wrote more than its lines"

status=0
start=$SECONDS
timeout 30 "$check" sections.dll >out.txt 2>&1 || status=$?
[ $status -ne 124 ] || fail "no verdict within 30 seconds for a header of 65,535 sections"
[ "$(cat out.txt)" = "$(row DLL verdict; row sections.dll "$truncated")" ] || fail "65,535 sections: $(cat out.txt)"
echo "65,535 sections: $((SECONDS - start)) s"

"$check" >/dev/null 2>out.txt && fail "the check without a DLL passed"
grep -q '^Usage: check/check-steam-api ' out.txt && grep -q 'under \$TMPDIR' out.txt && grep -q 'cache folder' out.txt &&
  ! grep -q 'build/windows' out.txt || fail "the release folder's usage: $(cat out.txt)"
"$root/scripts/check-steam-api" --help >out.txt
grep -q '^Usage: scripts/check-steam-api ' out.txt && grep -q 'build/windows/wineprefix' out.txt &&
  ! grep -q 'TMPDIR' out.txt || fail "the repository's usage: $(cat out.txt)"
# Two checks at once on one prefix, each naming the stand-in client in its
# registry: both see every Valve DLL work (without taking turns, about one
# run in two failed).
valve=${QZ_STEAM_API_DLLS:-$root/../shared/steam-sdk/dll}
if [ -f "$valve/1.48.dll" ] && [ -f "$valve/1.61.dll" ]; then
  "$check" "$valve/1.48.dll" "$valve/1.61.dll" >first.txt 2>&1 &
  first=$!
  "$check" "$valve/1.61.dll" "$valve/1.48.dll" >second.txt 2>&1 || fail "the second of two checks at once: $(cat second.txt)"
  wait $first || fail "the first of two checks at once: $(cat first.txt)"
else
  echo "two checks at once: not run: no Valve steam_api.dll 1.48 and 1.61 in $valve (set QZ_STEAM_API_DLLS)"
fi
echo "1 passed, 0 failed"
