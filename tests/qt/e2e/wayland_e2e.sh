#!/usr/bin/env bash
# The real program in a Wayland session, as a GNOME or KDE user on Wayland
# starts it: headless weston, a session bus of its own, and a panel's
# notification area (a stand-in) that comes only 5 s after the program.
# - the list fills, and the window reports the program's reverse-DNS app_id;
# - the icon appears once the area does, goes when it goes, comes back;
# - the panel reads the icon's menu over D-Bus, with its marks, and a
#   language and then Exit chosen through it take effect.
# - first, the window tests that need the compositor (WINDOW_TESTS).
#   tools/vlan --hosts 1 -- wayland_e2e.sh LENSCOUT CAMSIM SNI_HOST WINDOW_TESTS
set -euo pipefail
lenscout=$1 camsim=$2 sni=$3 window_tests=$4
source "$(dirname "$0")/../../../tools/lib/vlan_desktop.sh"
enter_vlan_run
fail() { echo "FAIL: $*" >&2; tail -5 "$work/lenscout.out" >&2 || true; exit 1; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
item() { sed -n 's/^item //p' "$work/host.out" | tail -1; }
item_registered() { [[ $(grep -c '^item ' "$work/host.out" 2>/dev/null) -ge $1 ]]; }
menu_line() { "$sni" menu "$(item)" | sed -n "$1p"; }
menu_line_is() { [[ "$(menu_line "$1")" == "$2" ]]; }
entry_checked() { "$sni" menu "$(item)" | grep -qx "$1	radio	1"; }

use_private_runtime
start_wayland_session lenscout-wl || fail "no Wayland session"
"$sni" watcher 0 >"$work/host.out" &
host=$!
LENSCOUT_SNI_HOST=$sni "$window_tests" >"$work/window-tests.out" 2>&1 ||
    { cat "$work/window-tests.out" >&2; fail "the window tests on Wayland"; }
kill "$host"
wait "$host" 2>/dev/null || true
start_camsim "$camsim" 1 --delay 0 --camera "id=WL1,name=Hall,ip=192.168.77.101" \
    --camera "id=WL2,name=Yard,ip=192.168.77.102,port=8080" || fail "simulator"

# The client side of the protocol shows the app_id the window announces.
WAYLAND_DEBUG=client LENSCOUT_LIST_LOG=$log "$lenscout" >"$work/lenscout.out" 2>"$work/wayland.log" &
program=$!
started=$(date +%s%N)
within 50 grep -qs '^tick .* lines=2$' "$log" || fail "the cameras were not listed on Wayland"
grep -q 'xdg_toplevel@[0-9]*\.set_app_id("org.example.Lenscout")' "$work/wayland.log" ||
    fail "app_id: $(grep -o 'set_app_id([^)]*)' "$work/wayland.log" | head -1)"

# The area comes 5 s after the program: the icon follows.
"$sni" watcher 5 >"$work/host.out" &
host=$!
within 100 item_registered 1 || fail "no icon once the notification area came"
echo "icon after $((($(date +%s%N) - started) / 1000000)) ms"

# The panel's view of the menu: the five languages as radio items with the
# setting marked, a separator, the three search periods as radio items with
# the default marked, a separator, Exit.
# The panel may ask before the program has exported the menu behind the icon.
within 50 menu_line_is 1 "Autodetect Language	radio	1" || fail "menu line 1: $(menu_line 1)"
[[ "$(menu_line 2)" == "English	radio	0" ]] || fail "menu line 2: $(menu_line 2)"
[[ "$(menu_line 5)" == "Deutsch	radio	0" ]] || fail "menu line 5: $(menu_line 5)"
[[ "$(menu_line 6)" == "-	-	-1" ]] || fail "menu line 6: $(menu_line 6)"
[[ "$(menu_line 7)" == "Search every second	radio	0" ]] || fail "menu line 7: $(menu_line 7)"
[[ "$(menu_line 8)" == "Search every 3 seconds	radio	1" ]] || fail "menu line 8: $(menu_line 8)"
[[ "$(menu_line 10)" == "-	-	-1" ]] || fail "menu line 10: $(menu_line 10)"
[[ "$(menu_line 11)" == "Exit	-	-1" ]] || fail "menu line 11: $(menu_line 11)"
"$sni" click "$(item)" "Search every 10 seconds" || fail "could not pick a search period"
within 30 grep -qsx 'search_period=10' "$XDG_CONFIG_HOME/lenscout/lenscout.cfg" ||
    fail "the period chosen from the panel was not written"
within 30 entry_checked "Search every 10 seconds" || fail "the panel's menu does not mark the new period"
"$sni" click "$(item)" "繁體中文" || fail "could not pick a language"
within 30 grep -qsx 'lang=3' "$XDG_CONFIG_HOME/lenscout/lenscout.cfg" || fail "the language chosen from the panel was not written"
within 30 entry_checked "繁體中文" || fail "the panel's menu does not mark the new language"
"$sni" click "$(item)" "Deutsch" || fail "could not pick German"
within 30 grep -qsx 'lang=4' "$XDG_CONFIG_HOME/lenscout/lenscout.cfg" || fail "German chosen from the panel was not written"
within 30 entry_checked "Deutsch" || fail "the panel's menu does not mark German"
"$sni" activate "$(item)" || fail "the icon did not take a left click"

# The area goes and comes back: the icon returns with it.
kill "$host"
wait "$host" 2>/dev/null || true
"$sni" watcher 0 >"$work/host.out" &
within 100 item_registered 1 || fail "the icon did not come back with the notification area"
kill -0 "$program" || fail "the program ended"

# Exit, in the language now chosen.
"$sni" click "$(item)" "Beenden" || fail "could not pick Exit"
within 50 program_ended || fail "Exit from the panel's menu did not end the program"
wait "$program" || fail "the program exited with an error"
echo "PASS: listed on Wayland as org.example.Lenscout; the icon came with a late area and came back; the panel's menu worked"
