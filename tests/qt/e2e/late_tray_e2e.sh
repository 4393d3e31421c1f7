#!/usr/bin/env bash
# The real program on a desktop whose notification area comes late: it runs
# without an icon, its window stays reachable, and the icon appears once a
# tray host starts.
#   tools/vlan --hosts 1 -- late_tray_e2e.sh LENSCOUT CAMSIM
set -euo pipefail
lenscout=$1 camsim=$2
source "$(dirname "$0")/../../../tools/lib/vlan_desktop.sh"
enter_vlan_run
# The icon is a window of the program embedded deep in the tray host's panel.
listed() { grep -q '^tick .* lines=2$' "$log"; }

use_private_runtime
start_private_display 6 --no-tray || fail "no display"
start_camsim "$camsim" 1 --delay 0 --count 2 || fail "simulator"
LENSCOUT_LIST_LOG=$log "$lenscout" >"$work/lenscout.out" 2>&1 &
program=$!
within 50 listed || fail "the cameras were not listed without a notification area"
window=$(xdotool search --onlyvisible --name '^Lenscout$' | head -1)
[[ -n "$window" ]] || fail "no visible window without a notification area"
has_icon && fail "an icon without a notification area"

start_tray_host || fail "no tray host"
within 80 has_icon || fail "the icon did not appear once the notification area came"
kill -0 "$program" || fail "the program ended"
# Escape leaves it running; Exit from the icon's menu ends it.
xdotool windowfocus --sync "$window" key Escape
sleep 1
kill -0 "$program" || fail "Escape ended the program"
click_icon 3
sleep 0.5
xdotool key Up Return
within 30 bash -c "! kill -0 $program 2>/dev/null" || fail "Exit from the icon's menu did not end the program"
# The simulators saw the program keep to the wire layout throughout.
! grep -h ' violation=' "$LENSCOUT_VLAN_DIR"/camsim*.log || fail "the simulator saw the wire layout broken"
echo "PASS: listed without a notification area; the icon came with the tray host"
