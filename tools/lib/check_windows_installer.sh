#!/usr/bin/env bash
# The installer's test, under tools/vlan -- tools/wine-vlan --display: a silent
# install puts every file, the Start-menu entry, the uninstall entry and the
# firewall rule in place; the silent uninstall takes them all away.
#   check_windows_installer.sh SETUP.EXE NETSH-RECORDER.EXE GUI-DRIVER.EXE
set -euo pipefail
setup=$1 recorder=$2 driver=$3
wine=$LENSCOUT_WINE
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Lenscout"
link="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lenscout.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lenscout'
gone() { [[ ! -e "$1" ]]; }
source "$(dirname "$0")/vlan_desktop.sh"

# Wine has no firewall, nor access lists on its files: netsh and icacls are
# recorders of what they were asked.
cp "$recorder" "$c/windows/system32/netsh.exe"
cp "$recorder" "$c/windows/system32/icacls.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;netsh.exe=n;icacls.exe=n"

# While Lenscout uploads firmware (its event is up), the installer waits:
# it closes nothing, installs nothing, and ends with an error.
"$wine" "$driver" uploading 30000 >"$LENSCOUT_VLAN_DIR/holder.out" &
holder=$!
within 200 grep -qs '^holding' "$LENSCOUT_VLAN_DIR/holder.out" || fail "the upload's event was not made"
if "$wine" "$setup" /S; then fail "the installer ran during an upload"; fi
[[ ! -e "$dir/lenscout.exe" ]] || fail "files were installed during an upload"
# Shown, it says so in the user's language.
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$wine" "$setup" &
shown=$("$wine" "$driver" message 10000 | tr -d '\r')
kill $! 2>/dev/null || true
[[ "$shown" == "Lenscout spielt gerade neue Firmware auf eine Kamera."* ]] || fail "the German message was '$shown'"
kill "$holder" 2>/dev/null || true
wait "$holder" 2>/dev/null || true
"$wine" "$setup" /S || fail "the installer failed"
for f in lenscout.exe lenscout-cli.exe lenscout-scan.exe README.txt uninstall.exe; do
    [[ -s "$dir/$f" ]] || fail "$f was not installed"
done
cmp -s "$dir/lenscout.exe" "$(dirname "$setup")/../build-windows/win32/lenscout.exe" || fail "lenscout.exe differs"
[[ -s "$link" ]] || fail "no Start-menu entry"
"$wine" reg query "$key" /v UninstallString >/dev/null 2>&1 || fail "no uninstall entry"
# One rule for each program that listens for the cameras' replies.
for program in "Lenscout:lenscout.exe" "Lenscout command line:lenscout-cli.exe" "Lenscout scanner:lenscout-scan.exe"; do
    rule="advfirewall firewall add rule name=\"${program%%:*}\" dir=in program=\"C:\\Program Files\\Lenscout\\${program#*:}\" action=allow protocol=UDP localport=10000 profile=any"
    grep -qF "$rule" "$c/netsh.log" || fail "no firewall rule for ${program#*:}: $(cat "$c/netsh.log")"
done
"$wine" reg query 'HKLM\Software\Lenscout' /v InstallDir >/dev/null 2>&1 || fail "the folder is not remembered"
! grep -q 'icacls' "$c/netsh.log" || fail "Program Files had its access list changed"
# A reinstall to another folder takes the old folder and its rules away,
# and only administrators and the system may write in the new one.
"$wine" "$setup" /S '/D=C:\LenscoutElsewhere' || fail "the reinstall to another folder failed"
[[ -s "$c/LenscoutElsewhere/lenscout.exe" ]] || fail "nothing was installed in the other folder"
gone "$dir" || fail "the old folder stayed: $(ls "$dir")"
grep -qF 'advfirewall firewall delete rule name="Lenscout" dir=in program="C:\Program Files\Lenscout\lenscout.exe"' \
    "$c/netsh.log" || fail "the old folder's firewall rule stayed"
grep -qF '"C:\LenscoutElsewhere" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX' \
    "$c/netsh.log" || fail "the folder outside Program Files was left writable: $(cat "$c/netsh.log")"
dir="$c/LenscoutElsewhere"

# The uninstaller copies itself away and runs from there: wait for it.
"$wine" "$dir/uninstall.exe" /S || fail "the uninstaller failed"
within 200 gone "$dir" || fail "the program's folder stayed: $(ls "$dir")"
gone "$link" || fail "the Start-menu entry stayed"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry stayed"
grep -qF 'advfirewall firewall delete rule name="Lenscout" dir=in program="C:\LenscoutElsewhere\lenscout.exe"' \
    <(tail -1 "$c/netsh.log") || fail "the firewall rule was not removed"
grep -qF 'advfirewall firewall delete rule name="Lenscout scanner"' "$c/netsh.log" || fail "the scanner's rule stayed"
! "$wine" reg query 'HKLM\Software\Lenscout' >/dev/null 2>&1 || fail "the remembered folder stayed"
echo "installer: ok"
