#!/usr/bin/env bash
# The release folder's check of a team's steam_api.dll, run from the folder
# installed afresh and with a Wine prefix of its own, on files that are no
# usable steam_api.dll: a text file, a truncated DLL, a 64-bit DLL, and a
# 32-bit DLL that is no steam_api.dll (QZSteam.dll itself, which the library
# refuses through Wine). Each gets one clear line, and the check fails.
# Usage: check_tool_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "$build/release-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
cmake --install "$build" --prefix "$work/dist" >/dev/null

mkdir "$work/dlls"
echo "not a library" >"$work/dlls/text.dll"
head -c 1000 "$work/dist/QZSteam.dll" >"$work/dlls/truncated.dll"
wide=$(find /usr/lib/x86_64-linux-gnu/wine /usr/lib/wine -path '*x86_64-windows*' -name 'version.dll' 2>/dev/null | head -n 1)
[ -n "$wide" ] || fail "no 64-bit Windows DLL on this machine to check with"
cp "$wide" "$work/dlls/wide.dll"
cp "$work/dist/QZSteam.dll" "$work/dlls/plugin.dll"

status=0
output=$(QZ_CHECK_WINEPREFIX=$work/wineprefix "$work/dist/check/check-steam-api" "$work/dlls") || status=$?
echo "$output"
[ $status -ne 0 ] || fail "the check passed files that are no steam_api.dll"
grep -q '^text  *refused: not a Windows DLL (or a truncated one)$' <<<"$output" || fail "the text file"
grep -q '^truncated  *refused: not a Windows DLL (or a truncated one)$' <<<"$output" || fail "the truncated DLL"
grep -q '^wide  *refused: a 64-bit DLL: the game and QZSteam.dll are 32-bit$' <<<"$output" || fail "the 64-bit DLL"
grep -q '^plugin  *refused: QZSteam: steam_api.dll is a release the library cannot use: it lacks SteamAPI_Init$' \
  <<<"$output" || fail "the DLL that is no steam_api.dll"
echo "1 passed, 0 failed"
