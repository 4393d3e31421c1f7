#!/usr/bin/env bash
# A second start on Wayland brings the running window forward: under a
# headless sway (whose xdg-activation weston 10 lacks), the program's
# window is covered by another program's, and a second start is given a
# launcher's activation token; the running window then has the focus.
# sway will not run as root: it runs as nobody, with a runtime folder of
# its own.
#   tools/vlan --hosts 1 -- wayland_activation_e2e.sh LENSCOUT CAMSIM ACTIVATION_TOKEN
set -euo pipefail
lenscout=$1 camsim=$2 token_tool=$3
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "refusing to run outside the virtual LAN (tools/vlan)" >&2; exit 1; }
work=$LENSCOUT_VLAN_DIR
cd "$work"

source "$(dirname "$0")/../../../tools/lib/vlan_desktop.sh"
fail() { echo "FAIL: $*" >&2; tail -5 "$work/sway.out" >&2 || true; exit 1; }
# The title of the focused window: in sway's tree a window's "focused"
# comes before its "name", with no other node between.
focused_window() {
    swaymsg -t get_tree | awk -F'"' '/"focused":/ {f = ($0 ~ /true/)} /"name":/ {if (f) print $4}'
}
is_focused() { [[ "$(focused_window)" == "$1" ]]; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
# The session's user: sway's, and the program's.
as_user() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$XDG_RUNTIME_DIR" \
        XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" "$@"
}

# Playing a second account needs the machine's root, not a namespace's.
setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null || { echo "SKIP: needs root for sway's user"; exit 77; }
# The run's folder must be passable for nobody to reach its own.
chmod 711 "$work"
export XDG_RUNTIME_DIR=$work/sway-runtime SWAYSOCK=$work/sway-runtime/sway.sock
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
chown 65534:65534 "$XDG_RUNTIME_DIR"
# Activation focuses the window, as GNOME and KDE do with a valid token.
printf 'focus_on_window_activation focus\n' >"$work/sway.conf"
chmod 644 "$work/sway.conf"
as_user SWAYSOCK="$SWAYSOCK" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf" >"$work/sway.out" 2>&1 &
within 50 swaymsg -t get_version >/dev/null 2>&1 || fail "sway did not start"
display=$(cd "$XDG_RUNTIME_DIR" && ls wayland-? | head -1)
export WAYLAND_DISPLAY=$display
unset DISPLAY
# run_program [VAR=VALUE...] [COMMAND ARGS...]: the program, as the session's user.
run_program() { as_user WAYLAND_DISPLAY="$WAYLAND_DISPLAY" QT_QPA_PLATFORM=wayland "$@" "$lenscout"; }
start_camsim "$camsim" 1 --delay 0 --count 1 || fail "simulator"

run_program >"$work/lenscout.out" 2>&1 &
program=$!
within 50 is_focused Lenscout || fail "the window never had the focus"
# Another program's window takes the focus and covers it.
as_user WAYLAND_DISPLAY="$WAYLAND_DISPLAY" weston-flower >/dev/null 2>&1 &
within 50 is_focused Flower || fail "the other window did not take the focus: $(focused_window)"

# Without a token the compositor keeps the focus where it is...
run_program timeout 10 || fail "the second start did not end cleanly"
sleep 1
is_focused Flower || fail "a start without a token took the focus"
# ...with the launcher's token the running window gets it.
token=$("$token_tool" org.example.Lenscout) || fail "no activation token"
run_program XDG_ACTIVATION_TOKEN="$token" timeout 10 || fail "the second start with a token did not end cleanly"
within 50 is_focused Lenscout || fail "the token did not bring the window forward: $(focused_window)"
kill -0 "$program" || fail "the first instance ended"
kill "$program"
within 30 program_ended || fail "the program did not end"
echo "PASS: a second start with a launcher's token focused the running window under sway"
