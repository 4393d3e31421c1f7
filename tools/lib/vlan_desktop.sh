# Shell helpers for runs inside tools/vlan that start simulated cameras and
# a display of their own. Source it; it needs LENSCOUT_VLAN_DIR.

# The start of every end-to-end script: it runs inside the virtual LAN only,
# in the run's directory, with its list log there ($work, $log), and fails
# with a line that says why.
enter_vlan_run() {
    [[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "refusing to run outside the virtual LAN (tools/vlan)" >&2; exit 1; }
    work=$LENSCOUT_VLAN_DIR
    log=$work/list.log
    cd "$work"
}
fail() { echo "FAIL: $*" >&2; exit 1; }

# Local sockets and runtime files of the run stay in the run's directory.
use_private_runtime() {
    # The settings too: a run never reads or writes the user's own.
    export TMPDIR=$LENSCOUT_VLAN_DIR XDG_RUNTIME_DIR=$LENSCOUT_VLAN_DIR/runtime XDG_CONFIG_HOME=$LENSCOUT_VLAN_DIR/config
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
}

# Waits up to $1 tenths of a second for the command after it to succeed.
within() {
    local tenths=$1 i
    shift
    for ((i = 0; i < tenths; i++)); do "$@" && return 0; sleep 0.1; done
    return 1
}

# start_camsim CAMSIM HOST ARGS...: the simulator on camera host HOST, with
# its log in $LENSCOUT_VLAN_DIR/camsimHOST.log; returns once it is ready and
# leaves its process id in CAMSIM_PID.
start_camsim() {
    local camsim=$1 host=$2
    shift 2
    local netns_var="LENSCOUT_NETNS_$host" out="$LENSCOUT_VLAN_DIR/camsim$host.out"
    nsenter --net="${!netns_var}" "$camsim" --log "$LENSCOUT_VLAN_DIR/camsim$host.log" "$@" >"$out" &
    CAMSIM_PID=$!
    within 50 grep -qs "^ready$" "$out"
}

# start_private_display NUMBER [--no-tray]: Xvfb on a display that only this
# run sees (its socket directory is the run's own, and it takes no lock file
# of the machine's), with a notification-area host unless --no-tray;
# exports DISPLAY. On failure it says which part did not come up; the
# output of both is kept in the run's directory.
start_private_display() {
    local number=$1
    mkdir -p /tmp/.X11-unix
    mount -t tmpfs lenscout-x11 /tmp/.X11-unix
    Xvfb ":$number" -nolock -screen 0 1024x640x24 -nolisten tcp >"$LENSCOUT_VLAN_DIR/xvfb.out" 2>&1 &
    # A loaded machine may take seconds to start the server: wait long.
    within 200 test -S "/tmp/.X11-unix/X$number" || {
        echo "Xvfb did not start: $(tail -3 "$LENSCOUT_VLAN_DIR/xvfb.out")" >&2
        return 1
    }
    export DISPLAY=":$number"
    [[ "${2:-}" == --no-tray ]] || start_tray_host
}

# A notification-area host on the display; leaves its process id in TRAY_PID.
# A host that ends before its window shows is started once more.
start_tray_host() {
    local try
    for try in 1 2; do
        trayer --edge top --align right --widthtype request --height 24 --transparent false \
            >>"$LENSCOUT_VLAN_DIR/trayer.out" 2>&1 &
        TRAY_PID=$!
        within 200 tray_host_settled && tray_host_shown && return 0
    done
    echo "the notification-area host did not start: $(tail -3 "$LENSCOUT_VLAN_DIR/trayer.out")" >&2
    return 1
}
tray_host_shown() { xdotool search --classname trayer >/dev/null; }
# Shown, or ended: either way there is no more to wait for.
tray_host_settled() { tray_host_shown || ! kill -0 "$TRAY_PID" 2>/dev/null; }

# The cameras a newcomer sees: every status of the list, on camera host 1.
DEMO_CAMERAS=(
    --camera "id=WEB80,name=Front door,ip=192.168.77.101"
    --camera "id=WEB8080,name=Yard,ip=192.168.77.102,port=8080"
    --camera "id=NOWEB,name=Garage,ip=192.168.77.103,webui=0"
    --camera "id=FAR,name=Elsewhere,ip=10.20.30.40"
    --camera "id=NONAME,name=,ip=192.168.77.105"
    --camera "id=ZH,name-hex=c7b0c3c5c9e3cff1cdb7,ip=192.168.77.106"
)

# start_wayland_session NAME: a session bus of the run's own and a headless
# weston (software rendering) with the socket NAME; exports
# DBUS_SESSION_BUS_ADDRESS and WAYLAND_DISPLAY, and sets Qt on Wayland.
start_wayland_session() {
    local name=$1
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile >/dev/null 2>&1 &
    within 50 test -S "$XDG_RUNTIME_DIR/bus" || return 1
    weston --backend=headless-backend.so --use-pixman --socket="$name" --idle-time=0 --width=1024 --height=640 \
        >"$LENSCOUT_VLAN_DIR/weston.out" 2>&1 &
    within 50 test -S "$XDG_RUNTIME_DIR/$name" || return 1
    unset DISPLAY
    export WAYLAND_DISPLAY=$name QT_QPA_PLATFORM=wayland
}

# The program's icon in an X tray host, and a click in its middle with
# button $1 (1 shows the window, 3 opens the menu).
icon_line() { xwininfo -root -tree | grep -E '^ {9,}0x[0-9a-f]+ "Lenscout": \("lenscout"' | head -1; }
has_icon() { [[ -n "$(icon_line)" ]]; }
click_icon() {
    local x y
    read -r x y < <(icon_line | sed -E 's/.* ([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+)$/\3 \4 \1 \2/' |
        awk '{print $1 + int($3 / 2), $2 + int($4 / 2)}')
    xdotool mousemove "$x" "$y" click "$1"
}
