#!/usr/bin/env bash
# The signature check and the reports in a player's code pages. The signed
# copy of code_page_probe.exe, with QZSteam.dll next to it, runs under Wine
# from folders named in Russian under code page 1251 and in Japanese under
# 932, from a folder whose name the code page cannot spell, and from a folder
# of about 300 units. Wine takes the ANSI code page from the Unix locale, and
# opens a folder of non-ASCII name only under a UTF-8 one (scripts/setup
# generates both locales).
# Usage: code_pages_test.sh BUILD_DIR WINE_PREFIX
set -euo pipefail
build=$1 prefix=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d "$build/code-pages.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Units of a path segment: the Unix side takes at most 255 bytes a name.
repeat() { local s="" i; for ((i = 0; i < $2; ++i)); do s+=$1; done; printf %s "$s"; }
ru_long="$(repeat 'Проверка ' 11)/$(repeat 'Проверка ' 11)/$(repeat 'Проверка ' 11)"  # 299 units
ja_segment=$(repeat '署名の確認' 16)
ja_long="$ja_segment/$ja_segment/$ja_segment/$ja_segment"  # 323 units

passed=0 failed=0
# run LOCALE CODE_PAGE FOLDER
run() {
  local folder="$work/$3"
  mkdir -p "$folder"
  cp "$build/code-page-probe/signed.exe" "$folder/code_page_probe.exe"
  cp "$build/bin/QZSteam.dll" "$folder/"
  if output=$(LANG=$1 LC_ALL=$1 "$root/scripts/wine-run" --prefix "$prefix" --timeout 120 \
                "$folder/code_page_probe.exe" "$2" 2>&1); then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED under $1 in ${3:0:40}...: $output"
  fi
}
run ru_RU.UTF-8 1251 'Проверка подписи'
run ru_RU.UTF-8 1251 '署名の確認'  # 1251 lacks Japanese
run ru_RU.UTF-8 1251 "$ru_long"
run ja_JP.UTF-8 932 '署名の確認'
run ja_JP.UTF-8 932 '서명 확인'  # 932 lacks Hangul
run ja_JP.UTF-8 932 "$ja_long"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
