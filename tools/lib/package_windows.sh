#!/usr/bin/env bash
# tools/package --windows [--check]: the Windows packages, from the MinGW
# build (build-windows/):
#   build/lenscout-<version>-windows-x64.zip  the three programs and a README
#   build/lenscout-<version>-setup.exe        an NSIS installer of the same,
#       with a Start-menu entry, an uninstaller and the firewall rule
# With --check, the installer runs silently under Wine in a prefix of its
# own, inside a virtual LAN of its own; every file must be in place, and the
# uninstaller must take them away again.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
check=0
[[ "${1:-}" == "--check" ]] && check=1

source tools/lib/packages.sh
need_packages windows-package

cmake --preset windows -DLENSCOUT_WERROR="${LENSCOUT_WERROR:-OFF}" >/dev/null
cmake --build --preset windows -j "$(nproc)" --target lenscout lenscout-cli lenscout-scan lenscout_netsh_recorder lenscout_gui_driver
# The version and the discovery ports, as CMake wrote them.
source build-windows/generated/lenscout_facts.sh
stage=build-windows/package/lenscout-$version
rm -rf build-windows/package
mkdir -p "$stage" build
cp build-windows/win32/lenscout.exe build-windows/cli/lenscout-cli.exe build-windows/cli/lenscout-scan.exe "$stage/"
sed 's/$/\r/' build-windows/win32/README.txt >"$stage/README.txt"
zip_file=build/lenscout-$version-windows-x64.zip
rm -f "$zip_file"
(cd build-windows/package && zip -q -r -X "../../$zip_file" "lenscout-$version")
echo "package: $zip_file"

cp res/lenscout.ico build-windows/package/
setup=build/lenscout-$version-setup.exe
makensis -INPUTCHARSET UTF8 -V2 -DVERSION="$version" -DDISCOVERY_PORTS="$ports" -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/$setup" \
    -DICON_DIR="$PWD/build-windows/package" res/windows/lenscout.nsi
echo "package: $setup"
((check)) || exit 0

echo "== the installer under Wine"
tools/vlan -- tools/wine-vlan --display tools/lib/check_windows_installer.sh "$PWD/$setup" \
    "$PWD/build-windows/tests/win32/lenscout_netsh_recorder.exe" "$PWD/build-windows/tests/win32/lenscout_gui_driver.exe"
echo "windows package checks passed"
