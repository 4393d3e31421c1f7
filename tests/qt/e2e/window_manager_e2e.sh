#!/usr/bin/env bash
# The real program under a window manager of the GNOME family (metacity)
# with a notification-area host, clicked as a user clicks it:
# - the main window is a normal window that the manager lets minimise (and
#   not maximise), and minimising hides it to the tray;
# - the real icon answers while a camera dialog is open: a left click brings
#   the unmapped window back, a right click opens the menu, and its Exit
#   ends the program with the dialog still up.
#   tools/vlan --hosts 1 -- window_manager_e2e.sh LENSCOUT CAMSIM
set -euo pipefail
lenscout=$1 camsim=$2
source "$(dirname "$0")/../../../tools/lib/vlan_desktop.sh"
enter_vlan_run
visible() { [[ "$(xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l)" == "$2" ]]; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

use_private_runtime
start_private_display 7 || fail "no display with a notification area"
metacity --replace --sm-disable >"$work/wm.out" 2>&1 &
within 50 wm_running || fail "the window manager did not start"
start_camsim "$camsim" 1 --delay 0 --camera "id=FAR,name=Elsewhere,ip=10.20.30.40" || fail "simulator"
LENSCOUT_LIST_LOG=$log "$lenscout" >"$work/lenscout.out" 2>&1 &
program=$!
within 50 grep -qs '^tick .* lines=1$' "$log" || fail "the camera was not listed"
within 50 has_icon || fail "no icon in the notification area"
window=$(xdotool search --onlyvisible --name '^Lenscout$' | head -1)
[[ -n "$window" ]] || fail "no visible main window"
# The manager has taken the window once it has put a frame around it.
managed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q ' = '; }
within 50 managed || fail "the window manager did not manage the window"

# A normal window, owned by nobody, that the manager offers to minimise.
xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q '= _NET_WM_WINDOW_TYPE_NORMAL$' ||
    fail "window type: $(xprop -id "$window" _NET_WM_WINDOW_TYPE)"
xprop -id "$window" WM_TRANSIENT_FOR | grep -q 'not found' || fail "the main window is transient for another"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q _NET_WM_ACTION_MINIMIZE <<<"$actions" || fail "no minimise: $actions"
grep -q _NET_WM_ACTION_MAXIMIZE <<<"$actions" && fail "maximise offered: $actions"

# Minimised through the manager, it goes to the tray; the icon brings it back.
xdotool windowminimize "$window"
within 30 visible '^Lenscout$' 0 || fail "minimising did not hide the window"
click_icon 1
within 30 visible '^Lenscout$' 1 || fail "a left click on the icon did not bring the window back"

# A double-click on the line opens Network Configuration; with it open and
# the main window unmapped, the icon still answers both buttons.
xdotool mousemove --window "$window" 60 22 click --repeat 2 --delay 80 1
within 30 visible 'Network Configuration$' 1 || fail "the double-click opened no Network Configuration"
xdotool windowunmap "$window"
within 30 visible '^Lenscout$' 0 || fail "could not unmap the window"
click_icon 1
within 30 visible '^Lenscout$' 1 || fail "with a dialog open, a left click on the icon did not show the window"
click_icon 3
sleep 0.5
xdotool key Up Return
within 50 program_ended || fail "with a dialog open, Exit from the icon's menu did not end the program"
wait "$program" || fail "the program exited with an error"

# At twice the scale the window would not fit the 1024x640 screen: it is
# shrunk to fit, title bar and all.
QT_SCALE_FACTOR=2 "$lenscout" >"$work/scaled.out" 2>&1 &
program=$!
within 50 visible '^Lenscout$' 1 || fail "no window at scale 2"
window=$(xdotool search --onlyvisible --name '^Lenscout$' | head -1)
sleep 0.5
read -r left top right bottom < <(xwininfo -frame -id "$window" |
    awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF}
         END {print x, y, x + w, y + h}')
((left >= 0 && top >= 0 && right <= 1024 && bottom <= 640)) || fail "at scale 2 the window spans $left,$top-$right,$bottom"
kill "$program"
echo "PASS: a normal window under metacity; minimise to the tray and back; the icon answered with a dialog open; at scale 2 inside the screen"
