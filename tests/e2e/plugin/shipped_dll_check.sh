#!/usr/bin/env bash
# What the loader sees of QZSteam.dll, read with binutils' objdump: an i386
# image whose export table is exactly plugin/QZSteam.def's names, undecorated,
# importing nothing but Windows' own DLLs (the MinGW runtime is linked in;
# steam_api.dll is loaded at run time, never imported).
# Usage: shipped_dll_check.sh QZSteam.dll QZSteam.def
set -euo pipefail
headers=$(i686-w64-mingw32-objdump -p "$1")
fail() { echo "FAILED: $*"; exit 1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 image"
expected=$(sed -n 's/^    \([A-Za-z_][A-Za-z0-9_]*\).*/\1/p' "$2" | sort)
# The name table of the export directory: "[   0] A6_DLLAPI".
actual=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' <<<"$headers" | sort)
[ "$actual" = "$expected" ] || fail "exports differ from the list: $(diff <(echo "$expected") <(echo "$actual") | tr '\n' ' ')"

imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z')
[ -n "$imports" ] || fail "no import table"
for dll in $imports; do
  case "$dll" in
    kernel32.dll | msvcrt.dll | wintrust.dll | psapi.dll | user32.dll | advapi32.dll) ;;
    *) fail "imports $dll" ;;
  esac
done
echo "1 passed, 0 failed"
