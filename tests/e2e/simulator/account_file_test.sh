#!/usr/bin/env bash
# The stand-in steam_api.dll as a development tool: the demo host runs twice in
# a game folder with an account file; the second run starts from what the
# first one stored. A member the file cannot have, and a file that cannot be
# read, then make the start fail with one line naming why; a file that cannot
# be written is kept as it was; without a file the log says so.
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

echo '{"stats": {"KILL_ENEMY": 7}, "steamId": "76561197960287931"}' > steam_sim_account.json
third=$(demo)
grep -q 'QZSteam_Init answered 0' <<<"$third" || fail "a malformed account file let the start succeed"
[ "$(grep -c 'malformed' steam_sim.log)" = 1 ] || fail "not one clear log line for the malformed file"
grep -q 'member "steamId" must be an unsigned 64-bit integer, but is a string' steam_sim.log \
  || fail "the line does not name the member: $(grep malformed steam_sim.log)"

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
echo "1 passed, 0 failed"
