#!/usr/bin/env bash
# The real program end to end: under Xvfb with a notification-area host, on
# the virtual LAN, against simulated cameras of every status.
#   tools/vlan --hosts 2 -- desktop_e2e.sh LENSCOUT CAMSIM SCREENSHOT ARTEFACT-DIR
set -euo pipefail
lenscout=$1 camsim=$2 screenshot=$3 artefacts=$4
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "refusing to run outside the virtual LAN (tools/vlan)" >&2; exit 1; }
mkdir -p "$artefacts"
work=$LENSCOUT_VLAN_DIR
cd "$work"
log=$work/list.log

source "$(dirname "$0")/../../../tools/lib/vlan_desktop.sh"
fail() { echo "FAIL: $*" >&2; echo "--- list log (tail)" >&2; tail -40 "$log" >&2 || true; exit 1; }
visible_windows() { xdotool search --onlyvisible --name '^Lenscout$' 2>/dev/null | wc -l; }
ticks() { grep -c '^tick ' "$log" || true; }
last_tick_lines() { grep '^tick ' "$log" | tail -1 | sed 's/.*lines=//'; }
# Conditions for `within`, read anew at every try.
lines_after_tick() { [[ "$(last_tick_lines)" == "$1" ]]; }
windows_visible() { [[ "$(visible_windows)" == "$1" ]]; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }

use_private_runtime
start_private_display 5 || fail "no display with a notification area"
start_camsim "$camsim" 1 --delay 0-20 "${DEMO_CAMERAS[@]}" || fail "simulator on host 1"
start_camsim "$camsim" 2 --delay 0-20 --camera "id=LEAVING,name=Leaving soon,ip=192.168.77.120" || fail "simulator on host 2"
leaving=$CAMSIM_PID

LENSCOUT_LIST_LOG=$log "$lenscout" >"$work/lenscout.out" 2>&1 &
program=$!

# Every camera listed within one search period of the first search.
within 40 grep -q '^found .* lines=7$' "$log" || fail "the seven cameras were not listed"
first=$(grep -m1 '^tick ' "$log" | sed 's/.*mono_ms=\([0-9]*\).*/\1/')
seven=$(grep -m1 '^found .* lines=7$' "$log" | sed 's/.*mono_ms=\([0-9]*\).*/\1/')
(( seven - first < 3000 )) || fail "listing took $((seven - first)) ms"
grep -q 'Front door  *Http://192.168.77.[0-9]*$' "$log" || fail "port 80 line"
grep -q 'Yard  *Http://.*:8080$' "$log" || fail "port 8080 line"
grep -q 'Garage  *Web UI doest not exist' "$log" || fail "no-web-UI line"
grep -q "Elsewhere  *Subnet doesn't match" "$log" || fail "other-subnet line"
grep -q '^  Anonymous  ' "$log" || fail "empty name line"
grep -q '前门摄像头  *Http' "$log" || fail "Chinese name line"

window=$(xdotool search --onlyvisible --name '^Lenscout$' | head -1)
[[ -n "$window" ]] || fail "no visible main window"
"$screenshot" "$artefacts/lenscout-window.png" "$window" || fail "window screenshot"
"$screenshot" "$artefacts/lenscout-screen.png" || fail "screen screenshot"

# A camera that stops answering is gone at the second tick after its last reply.
kill "$leaving"
ticks_at_kill=$(ticks)
within 100 lines_after_tick 6 || fail "the silent camera stayed"
gone_after=$(( $(ticks) - ticks_at_kill ))
(( gone_after <= 2 )) || fail "the silent camera went only $gone_after ticks later"

# The cable is pulled and put back: the program keeps running, the list
# empties through its sweep, and the cameras are back within a period.
"$LENSCOUT_VLAN_LINK" pull 1 || fail "could not pull the link"
within 120 lines_after_tick 0 || fail "the list kept cameras of a pulled link"
kill -0 "$program" || fail "the program ended when the cable was pulled"
"$LENSCOUT_VLAN_LINK" plug 1 || fail "could not put the link back"
plugged_at=$(ticks)
within 80 lines_after_tick 6 || fail "the cameras did not come back"
(( $(ticks) - plugged_at <= 2 )) || fail "the cameras came back only $(( $(ticks) - plugged_at )) ticks later"
kill -0 "$program" || fail "the program ended"

# A second start shows the hidden first window and ends, writing nothing.
settings=$XDG_CONFIG_HOME/lenscout/lenscout.cfg
mkdir -p "${settings%/*}"
echo "lang=0" >"$settings"
before=$(md5sum "$settings")
xdotool windowunmap "$window"
within 20 windows_visible 0 || fail "could not hide the window"
timeout 10 "$lenscout" >"$work/second.out" 2>&1 || fail "the second start did not end cleanly: $(cat "$work/second.out")"
within 20 windows_visible 1 || fail "the first window did not come back"
[[ "$(md5sum "$settings")" == "$before" ]] || fail "the second start wrote the settings file"
kill -0 "$program" || fail "the first instance ended"

# Neither Escape nor Enter ends the program; the tray's Exit does: the
# worker stops and the process exits.
xdotool windowfocus --sync "$window" key Escape Return
sleep 1
kill -0 "$program" || fail "Escape or Enter ended the program"
click_icon 3
sleep 0.5
xdotool key Up Return
within 30 program_ended || fail "Exit from the icon's menu did not end the program"
wait "$program" || fail "the program exited with an error"
# The simulators saw the program keep to the wire layout throughout.
! grep -h ' violation=' "$LENSCOUT_VLAN_DIR"/camsim*.log || fail "the simulator saw the wire layout broken"
echo "PASS: listed in $((seven - first)) ms; silent camera gone after $gone_after tick(s); a pulled cable survived; screenshots in $artefacts"
