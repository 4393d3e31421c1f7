#!/usr/bin/env bash
# lenscout-scan.exe and lenscout-cli.exe under Wine, on two links without a
# default route (tests/wine/CMakeLists.txt): S1 on link 1, S2 on link 2.
# Link 1 is pulled and put back while the scanner runs.
#   scan_links.sh LENSCOUT-SCAN.EXE LENSCOUT-CLI.EXE
set -euo pipefail
scan=$1 cli=$2
out=$LENSCOUT_VLAN_DIR/scan.out
fail() { echo "FAIL: $*" >&2; echo "--- scanner output" >&2; cat "$out" >&2; exit 1; }

"$LENSCOUT_WINE" "$scan" --seconds 14 --ticks >"$out" 2>&1 &
scanner=$!
sleep 4.5
$LENSCOUT_VLAN_LINK pull 1
sleep 4.5
$LENSCOUT_VLAN_LINK plug 1
wait "$scanner" || fail "the scanner ended with status $?"

# The periods, each the cameras listed after its tick.
periods=$(awk '/event=tick/ {n++; next} /event=camera/ {match($0, /id="[^"]*"/); print n, substr($0, RSTART + 4, RLENGTH - 5)}' "$out" | sort -u)
ticks=$(grep -c 'event=tick' "$out")
((ticks >= 4)) || fail "only $ticks searches in 14 s"
grep -q 'event=error' "$out" && fail "an error was reported"
for p in $(seq 1 "$ticks"); do
    grep -qx "$p S2" <<<"$periods" || fail "S2 (link 2) missing in period $p"
done
grep -qx "1 S1" <<<"$periods" || fail "S1 (link 1) missing in the first period"
# Pulled at 4.5 s: the period from 6 s to 9 s has no link 1.
grep -qx "3 S1" <<<"$periods" && fail "S1 listed while its link was out"
grep -qx "$ticks S1" <<<"$periods" || fail "S1 not back in period $ticks after the plug"

# The companion: one search as JSON, and a camera not there.
json=$("$LENSCOUT_WINE" "$cli" scan --once --seconds 2 --json)
grep -q '"id":"S1"' <<<"$json" && grep -q '"id":"S2"' <<<"$json" || fail "scan --once: $json"
status=0
LENSCOUT_PASSWORD=x "$LENSCOUT_WINE" "$cli" set-network --id NONE --dhcp --search 1 2>/dev/null || status=$?
((status == 4)) || fail "set-network of an absent camera ended with $status, not 4"
echo "scanner under Wine: $ticks searches, both links listed, link 1 back after its plug"
