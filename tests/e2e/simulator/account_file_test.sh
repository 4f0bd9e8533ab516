#!/usr/bin/env bash
# The stand-in steam_api.dll as a development tool: the demo host runs twice in
# a game folder with an account file; the second run starts from what the
# first one stored. Files the stand-in cannot take (a table of rows) and a
# file that cannot be read then make the start fail with one line naming why;
# a file that cannot be written is kept as it was; a link to a shared file is
# written through; a folder of more than MAX_PATH units is read whole; without
# a file the log says so.
# Usage: account_file_test.sh BIN_FOLDER WINE_PREFIX
set -euo pipefail
bin=$1 prefix=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
game=$(mktemp -d "$bin/../account-test.XXXXXX")
trap 'rm -rf "$game"' EXIT
cp "$bin/QZSteam.dll" "$bin/steam_api.dll" "$bin/qzsteam_demo.exe" "$game/"
cd "$game"
demo() { "$root/scripts/wine-run" --prefix "$prefix" --timeout 120 qzsteam_demo.exe | tr -d '\r'; }
fail() { echo "FAILED: $*"; exit 1; }

printf '{"appId": 480, "steamId": 76561197960287931, "stats": {"VERSION": 1, "KILL_ENEMY": 7, "RUN": 2.5}}\n' \
  > steam_sim_account.json
first=$(demo)
grep -q '"KILL_ENEMY": 11' steam_sim_account.json || fail "first run's store not kept: $(cat steam_sim_account.json)"
grep -q '"KILL_ENEMY_10": true' steam_sim_account.json || fail "first run's unlock not kept"
grep -q '"RUN": 2.5' steam_sim_account.json || fail "a statistic the game did not change was lost"
[ ! -e steam_sim_account.json.new ] || fail "the new file was left behind"
grep -q 'account id 22203' <<<"$first" || fail "the user id of the account file was not used"

second=$(demo)
grep -q 'on the account KILL_ENEMY is 11, KILL_ENEMY_10 unlocked' <<<"$second" \
  || fail "second run did not start from the first run's store: $(grep received <<<"$second")"
grep -q 'SteamAPI_ISteamUserStats_StoreStats()' steam_sim.log || fail "no log line of the store"
grep -q '^event 1101 delivered' steam_sim.log || fail "no log line of the statistics event"

# Refused files: the file, then the line the log must carry.
echo '{"statistics": [{"name": "KILL_ENEMY", "type": "int"}, {"name": "RUN", "type": "float"}],
  "achievements": [{"name": "KILL_ENEMY_10", "statistic": "KILL_ENEMY", "threshold": 10}]}' > app.json
while IFS='|' read -r file line; do
  echo "$file" > steam_sim_account.json
  rm -f steam_sim.log
  grep -q 'QZSteam_Init answered 0' <<<"$(demo)" || fail "the start succeeded with $file"
  [ "$(grep -c 'malformed\|could not be read' steam_sim.log)" = 1 ] || fail "not one clear log line for $file"
  grep -qF "$line" steam_sim.log || fail "for $file the log does not say $line: $(grep malformed steam_sim.log)"
done <<'ROWS'
{"stats": {"KILL_ENEMY": 7}, "steamId": "76561197960287931"}|member "steamId" must be an unsigned 64-bit integer, but is a string
{"stats": {"KILL_ENEMY": 18446744073709551615}}|member "stats"."KILL_ENEMY" must be a 32-bit integer or a float, but is the number 18446744073709551615
{"ticketResult": 18446744071562067968}|member "ticketResult" must be a result number (1 is OK), but is the number 18446744071562067968
{"stats": {"KILL_ENEMY": 7, "KILL_ENEMY": 8}}|member "stats"."KILL_ENEMY" must be given once, but is given twice
{"events": [{"frame": 2, "overlay": true, "microTxn": {"orderId": 1}}]}|member "events"[0] must be one event: "overlay" or "microTxn", not both
{"definitions": "missing.json"}|missing.json (the app's definitions) could not be read
{"definitions": "app.json", "stats": {"KILL_ENEMY": 7, "RUN": 2.5, "SHOOT_BULLETS": 1}}|member "stats"."SHOOT_BULLETS" must be a statistic the app defines
{"definitions": "app.json", "stats": {"KILL_ENEMY": 2.5}}|member "stats"."KILL_ENEMY" must be a 32-bit integer (an int statistic)
ROWS

# The app's definitions: a name it lacks is refused as the platform refuses it.
echo '{"definitions": "app.json", "stats": {"VERSION": 1, "KILL_ENEMY": 7, "RUN": 2.5}}' > steam_sim_account.json
grep -q 'QZSteam_Init answered 1' <<<"$(demo)" || fail "a file with the app's definitions did not start"
grep -q '^refused: SHOOT_BULLETS is not defined by the app' steam_sim.log || fail "a name the app lacks was accepted"
grep -q '"KILL_ENEMY": 11' steam_sim_account.json || fail "a store of defined names not kept"
! grep -q 'SHOOT_BULLETS' steam_sim_account.json || fail "a name the app lacks reached the account"

# A link to a shared file, a whole number for the float RUN, a name that is
# not UTF-8 (U+10FFE9 stands for the byte E9): written through to the shared
# file, RUN as the float it spells, the name back as it was.
mkdir shared
printf '{"stats": {"VERSION": 1, "KILL_ENEMY": 7, "RUN": 1000, "caf\\udbff\\udfe9": 3}}\n' > shared/account.json
rm -f steam_sim_account.json && ln -s "$game/shared/account.json" steam_sim_account.json
# Twice: the second run reads back what the first wrote.
for run in 1 2; do
  grep -q 'QZSteam_Init answered 1' <<<"$(demo)" || fail "run $run did not start from the shared file"
done
[ -L steam_sim_account.json ] || fail "the link to the shared account file was replaced"
for kept in '"RUN": 1000.0' "$(printf '"caf\xf4\x8f\xbf\xa9": 3')" '"KILL_ENEMY": 17'; do
  grep -qF "$kept" shared/account.json || fail "the shared file lacks $kept: $(cat shared/account.json)"
done
rm -f steam_sim_account.json shared/account.json

# The new file cannot be made (a folder stands in its place).
printf '{"stats": {"VERSION": 1, "KILL_ENEMY": 7}}\n' > steam_sim_account.json
mkdir steam_sim_account.json.new
demo >/dev/null
rmdir steam_sim_account.json.new
grep -q 'account file not written' steam_sim.log || fail "no line for the file that could not be written"
grep -q '"KILL_ENEMY": 7}' steam_sim_account.json || fail "a file that could not be written changed"

rm -f steam_sim_account.json steam_sim.log
mkdir steam_sim_account.json
grep -q 'QZSteam_Init answered 0' <<<"$(demo)" || fail "an unreadable account file let the start succeed"
grep -q 'steam_sim_account.json could not be read' steam_sim.log || fail "no line for the unreadable file"
rmdir steam_sim_account.json
rm -f steam_sim.log
demo >/dev/null
[ "$(head -n 1 steam_sim.log | tr -d '\r')" = "account: the default player (no steam_sim_account.json beside the stand-in)" ] \
  || fail "without an account file the log does not say so: $(head -n 1 steam_sim.log)"

# A folder of more than MAX_PATH units: its own account file, its own log.
long="$game/$(printf 'a%.0s' {1..150})/$(printf 'b%.0s' {1..150})"
mkdir -p "$long" && cp QZSteam.dll steam_api.dll qzsteam_demo.exe "$long/" && cd "$long"
printf '{"steamId": 76561197960287931, "stats": {"VERSION": 1}}\n' > steam_sim_account.json
grep -q 'account id 22203' <<<"$(demo 2>/dev/null)" || fail "from a long folder the account file was not used"
[ "$(head -n 1 steam_sim.log | tr -d '\r')" = "account: steam_sim_account.json" ] || fail "no log in the long folder"
echo "1 passed, 0 failed"
