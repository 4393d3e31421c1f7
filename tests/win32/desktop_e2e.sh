#!/usr/bin/env bash
# The Windows program end to end: lenscout.exe under Wine, on a display of
# the run's own, on the virtual LAN with simulated cameras on two links and
# no default route. A second Windows program drives it as a user would.
#   tools/vlan --links 2 --hosts 3 -- tools/wine-vlan --display \
#       desktop_e2e.sh LENSCOUT.EXE DRIVER.EXE CAMSIM ARTEFACT-DIR
set -euo pipefail
lenscout=$(realpath "$1") driver=$(realpath "$2") camsim=$(realpath "$3") artefacts=$(realpath -m "$4")
here=$(cd "$(dirname "$0")" && pwd)
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "refusing to run outside the virtual LAN (tools/vlan)" >&2; exit 1; }
mkdir -p "$artefacts"
work=$LENSCOUT_VLAN_DIR
cd "$work"
source "$here/../../tools/lib/vlan_desktop.sh"

drive() { "$LENSCOUT_WINE" "$driver" "$@"; }
lines() { drive lines Lenscout | tr -d '\r'; }
count_is() { [[ "$(drive count Lenscout | tr -d '\r')" == "$1" ]]; }
has_line() { lines | grep -q -- "$1"; }
lacks_line() { ! has_line "$1"; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
fail() {
    echo "FAIL: $*" >&2
    echo "--- lines" >&2
    lines >&2 || true
    echo "--- windows" >&2
    drive windows >&2 || true
    exit 1
}
# Chooses the tray menu's entry N (1 Autodetect .. 4 Traditional, 6 Exit).
tray_choose() {
    drive tray Lenscout 516
    local keys=() i
    for ((i = 0; i < $1; i++)); do keys+=(down); done
    [[ $1 == 6 ]] && keys=(up)
    drive menu-keys "${keys[@]}" enter
}

mkdir -p images stored
start_camsim "$camsim" 1 --delay 0-20 --upload-dir "$work/stored" \
    --camera "id=WEB80,name=Front door,ip=192.168.77.101" \
    --camera "id=WEB8080,name=Yard,ip=192.168.77.102,port=8080" \
    --camera "id=FAR,name=Elsewhere,ip=10.20.30.40" \
    --camera "id=ZH,name-hex=c7b0c3c5c9e3cff1cdb7,ip=192.168.77.106" \
    --camera "id=GARAGE,name=Garage,ip=192.168.77.11,port=8081,webui=0" \
    --camera "id=SHED,name=Shed,ip=192.168.77.11,port=8082,webui=0,upload=reset-mid" \
    || fail "simulator on host 1"
start_camsim "$camsim" 2 --delay 0-20 --camera "id=L2,name=Second link,ip=192.168.78.101" || fail "simulator on host 2"
start_camsim "$camsim" 3 --delay 0-20 --camera "id=LEAVING,name=Leaving soon,ip=192.168.77.120" \
    || fail "simulator on host 3"
leaving=$CAMSIM_PID

# Another program's window titled "Lenscout" (Explorer showing the install
# folder) takes nothing from the start; two starts 5 ms apart give one
# instance.
drive decoy Lenscout &
decoy=$!
"$LENSCOUT_WINE" "$lenscout" >"$work/lenscout.out" 2>&1 &
program=$!
sleep 0.005
"$LENSCOUT_WINE" "$lenscout" >"$work/twin.out" 2>&1 &
twin=$!

# Every camera on both links, each with the line of its status.
within 300 count_is 8 || fail "the eight cameras were not listed"
# Whichever of the two came first runs on; the other ends.
one_ended() { ! kill -0 "$program" 2>/dev/null || ! kill -0 "$twin" 2>/dev/null; }
within 300 one_ended || fail "both of two quick starts run"
kill -0 "$program" 2>/dev/null || program=$twin
kill -0 "$program" 2>/dev/null || fail "neither start runs: another window's title took them"
[[ "$(drive instances | tr -d '\r')" == 1 ]] || fail "two quick starts left $(drive instances) windows"
kill "$decoy"
has_line '^Front door  *Http://192.168.77.101$' || fail "port 80 line"
has_line '^Yard  *Http://192.168.77.102:8080$' || fail "port 8080 line"
has_line "^Elsewhere  *Subnet doesn't match, dbclick to change !$" || fail "other-subnet line"
has_line '^Garage  *Web UI doest not exist, dbclick to upgrade !$' || fail "no-web-UI line"
has_line '^前门摄像头  *Http://192.168.77.106$' || fail "Chinese name line"
has_line '^Second link  *Http://192.168.78.101$' || fail "second link's camera"

# The other languages, from the tray menu, and back.
tray_choose 3
within 100 has_line "^Elsewhere  *子网不匹配, 双击改变设置 !$" || fail "Simplified Chinese lines"
# The setting goes to the user's own folder, not the working directory.
appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -1)
[[ "$(cat "$appdata/Lenscout/lenscout.cfg")" == "lang=2" ]] || fail "the setting was not written to %APPDATA%"
[[ ! -e lenscout.cfg ]] || fail "a settings file in the working directory"
tray_choose 4
within 100 has_line "^Garage  *應用固件不存在, 雙擊升級 !$" || fail "Traditional Chinese lines"
tray_choose 5
within 100 has_line "^Elsewhere  *Anderes Subnetz, Doppelklick zum Ändern!$" || fail "German lines"
has_line '^前门摄像头  *Http://192.168.77.106$' || fail "the Chinese name in German"
if [[ -x "${LENSCOUT_SCREENSHOT:-}" ]]; then
    "$LENSCOUT_SCREENSHOT" "$artefacts/lenscout-wine-de.png" || fail "screenshot in German"
fi
tray_choose 2
within 100 has_line "^Elsewhere  *Subnet doesn't match" || fail "English lines again"

if [[ -x "${LENSCOUT_SCREENSHOT:-}" ]]; then
    "$LENSCOUT_SCREENSHOT" "$artefacts/lenscout-wine.png" || fail "screenshot"
fi

# The Menu key (or Shift+F10) opens the line's context menu.
drive select Lenscout 0
drive menu-key Lenscout
drive menu-keys escape || fail "no context menu from the keyboard"

# A camera that stops answering is gone at the next ticks.
kill "$leaving"
within 100 count_is 7 || fail "the silent camera stayed"

# Both cables pulled: the list empties and the program runs on; put back,
# every camera returns.
"$LENSCOUT_VLAN_LINK" pull 1 && "$LENSCOUT_VLAN_LINK" pull 2 || fail "could not pull the links"
within 120 count_is 0 || fail "the list kept cameras of pulled links"
kill -0 "$program" || fail "the program ended when the cables were pulled"
"$LENSCOUT_VLAN_LINK" plug 1 && "$LENSCOUT_VLAN_LINK" plug 2 || fail "could not put the links back"
within 120 count_is 7 || fail "the cameras did not come back"

# A second start brings the hidden window back and ends.
# The minimise box, clicked, and the taskbar's minimise command hide the
# window to the tray; the icon's left button brings it back, not minimised.
hidden() { ! drive visible Lenscout; }
for minimise in minimise shell-minimise; do
    drive "$minimise" Lenscout || fail "$minimise"
    within 50 hidden || fail "$minimise left the window on the screen"
    drive iconic Lenscout && fail "$minimise left the window minimised on the taskbar"
    drive tray Lenscout 513
    within 50 drive visible Lenscout || fail "the tray icon did not bring the window back after $minimise"
    drive iconic Lenscout && fail "the window came back minimised after $minimise"
done

drive hide Lenscout
drive visible Lenscout && fail "could not hide the window"
timeout 30 "$LENSCOUT_WINE" "$lenscout" >"$work/second.out" 2>&1 || fail "the second start did not end"
within 50 drive visible Lenscout || fail "the first window did not come back"

# Network configuration through the dialog, by a double-click on the camera
# of the other subnet: the request goes out as the wire layout says.
line=$(lines | grep -n '^Elsewhere' | cut -d: -f1)
drive dblclick Lenscout $((line - 1))
drive wait-window "Elsewhere Network Configuration" || fail "no Network Configuration dialog"
drive address "Elsewhere Network Configuration" 1005 192.168.77.130
drive address "Elsewhere Network Configuration" 1007 255.255.255.0
drive address "Elsewhere Network Configuration" 1006 192.168.77.1
drive address "Elsewhere Network Configuration" 1008 192.168.77.1
drive text "Elsewhere Network Configuration" 1009 80
drive click "Elsewhere Network Configuration" 1
drive gone "Elsewhere Network Configuration" || fail "the dialog did not close"
request="hex=4d4f5f49""0200""00""0000000000000000""3d000000""3d000000""00000001"
request+="464152""00000000000000000000"                # "FAR"
request+="61646d696e""0000000000000000"              # "admin"
request+="00000000000000000000000000"                # no password
request+="c0a84d82""ffffff00""c0a84d01""c0a84d01""0050"
within 50 grep -q " cmd=2 .*$request" "$LENSCOUT_CAMSIM_LOG_1" || fail "no set-network request with the dialog's settings"
within 100 has_line '^Elsewhere  *Http://192.168.77.130$' || fail "the camera's new address was not listed"

# An upload through the dialog stores the very image.
head -c 1500000 /dev/urandom | { printf 'BNEG'; cat; } >images/firmware.bin
upload_through_dialog() {  # NAME
    line=$(lines | grep -n "^$1 " | cut -d: -f1)
    drive dblclick Lenscout $((line - 1))
    drive wait-window "$1 Upgrade Firmware" || fail "no upload dialog for $1"
    drive click "$1 Upgrade Firmware" 1012
    drive wait-window Open || drive wait-window "打开" || fail "no file dialog"
    drive open-file Open "Z:$(echo "$work/images/firmware.bin" | tr / '\\')"
}
upload_through_dialog Garage
drive gone "Garage Upgrade Firmware" 30000 || fail "the upload dialog did not close"
cmp -s images/firmware.bin stored/GARAGE-firmware.bin || fail "the stored image differs"

# A camera that resets mid-transfer: its text, then the dialog again.
head -c 3000000 /dev/zero | { printf 'BNEG'; cat; } >images/firmware.bin
upload_through_dialog Shed
shown=$(drive message 30000 | tr -d '\r')
[[ "$shown" == "Socket Error !" || "$shown" == "The camera broke off the upload !" ]] ||
    fail "after the reset the message was '$shown'"
within 50 drive shown "Shed Upgrade Firmware" 1017 || fail "the user field did not come back"
drive click "Shed Upgrade Firmware" 2
drive gone "Shed Upgrade Firmware" || fail "the upload dialog did not close"

# Exit from the tray menu ends the program and takes its icon away.
drive tray-shown || fail "no tray icon"
# A new taskbar gets the icon back, and minimise hides to it after.
drive taskbar-created Lenscout
sleep 0.3
within 50 drive tray-shown || fail "no tray icon after a new taskbar"
drive minimise Lenscout || fail "minimise after a new taskbar"
within 50 hidden || fail "minimise did not hide after a new taskbar"
drive tray Lenscout 513
within 50 drive visible Lenscout || fail "the icon did not bring the window back after a new taskbar"
# Exit while a camera dialog's file picker is up closes both and ends.
line=$(lines | grep -n "^Garage " | cut -d: -f1)
drive dblclick Lenscout $((line - 1))
drive wait-window "Garage Upgrade Firmware" || fail "no upload dialog for Exit"
drive click "Garage Upgrade Firmware" 1012
drive wait-window Open || fail "no file dialog for Exit"
tray_choose 6
within 100 program_ended || fail "Exit did not end the program"
wait "$program" || true
drive running Lenscout && fail "the window stayed"
within 50 eval '! drive tray-shown' || fail "the tray icon stayed"
echo "desktop under Wine: ok"
