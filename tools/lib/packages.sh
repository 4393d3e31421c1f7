# The Debian packages each part of the work needs, in one place, and their
# installation: sourced by tools/setup, tools/demo, tools/test-windows,
# tools/package and tools/test. `need_packages GROUP...` installs what is
# missing of the groups, with one apt-get run.
declare -A lenscout_packages=(
    # The demo: the desktop program and the simulator built, the virtual LAN,
    # and a face for the Chinese camera name; headless, a display of its own
    # with a tray, and the screenshot.
    [demo]="build-essential cmake libcli11-dev nlohmann-json3-dev qt6-base-dev qt6-base-dev-tools
            iproute2 util-linux fonts-wqy-microhei"
    [demo-headless]="xvfb trayer xdotool"
    [demo-wayland]="qt6-wayland"
    # Everything the normal build and its tests need.
    [build]="build-essential cmake pkg-config libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev clang-format iproute2 util-linux
             qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland fonts-noto-cjk
             libwayland-dev wayland-protocols"
    [desktop-tests]="xvfb xauth trayer xdotool x11-utils metacity weston dbus-daemon sway"
    [fuzz]="clang-14 libclang-rt-14-dev"
    [windows]="g++-mingw-w64-x86-64-posix wine64 wine googletest libcli11-dev nlohmann-json3-dev xvfb fonts-noto-cjk"
    [package]="build-essential cmake dpkg-dev qt6-base-dev qt6-base-dev-tools libcli11-dev nlohmann-json3-dev"
    [package-checks]="lintian desktop-file-utils appstream"
    [windows-package]="cmake g++-mingw-w64-x86-64-posix libcli11-dev nlohmann-json3-dev googletest nsis zip wine64 wine"
)

need_packages() {
    local group p missing=()
    for group in "$@"; do
        for p in ${lenscout_packages[$group]}; do
            dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
        done
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    # The manual pages' index is rebuilt after every install otherwise,
    # which takes longer than many of the installs themselves.
    echo 'man-db man-db/auto-update boolean false' | "${sudo[@]}" debconf-set-selections 2>/dev/null || true
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The configuration of build/: Debian's hardening flags where dpkg-dev has
# them, so that the build the tests run is the build the package ships.
# Arguments after it go to cmake as they are.
configure_default_build() {
    local cxx="" ld=""
    if command -v dpkg-buildflags >/dev/null; then
        export DEB_BUILD_MAINT_OPTIONS=hardening=+all
        cxx="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
        ld="$(dpkg-buildflags --get LDFLAGS)"
    fi
    cmake --preset default -DLENSCOUT_WERROR="${LENSCOUT_WERROR:-OFF}" -DCMAKE_CXX_FLAGS="$cxx" \
        -DCMAKE_EXE_LINKER_FLAGS="$ld" -DLENSCOUT_BUILD_TESTS=ON -DLENSCOUT_BUILD_BENCH=ON "$@" >/dev/null
}
