#!/usr/bin/env bash
# The desktop program's start-up, memory and idle cost, on the virtual LAN
# with a private display. Run by bench/run inside tools/vlan:
#   desktop_bench.sh BUILD-DIR [IDLE-SECONDS]
set -euo pipefail
build=$1 idle=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/lib/vlan_desktop.sh"
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "run me through tools/vlan" >&2; exit 1; }
cd "$LENSCOUT_VLAN_DIR"
use_private_runtime
start_private_display 6

mono_of() { sed 's/.*mono_ms=\([0-9]*\).*/\1/'; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
listed() { grep -q "^found .* lines=$1\$" list.log 2>/dev/null; }

# run CAMERAS: starts the program against that many cameras and waits until
# all are listed; leaves PROGRAM, LAUNCH, FIRST_SEARCH and LISTED set.
run() {
    local cameras=$1
    rm -f list.log camsim1.log
    start_camsim "$build/tools/lenscout-camsim" 1 --count "$cameras" --delay 0-20
    SIM=$CAMSIM_PID
    LENSCOUT_LIST_LOG=$PWD/list.log "$build/bench/launch_timed" "$build/qt/lenscout" >launch.out 2>/dev/null &
    PROGRAM=$!
    within 100 listed "$cameras" || { echo "only $(grep -c . list.log) log lines" >&2; exit 1; }
    LAUNCH=$(mono_of <launch.out)
    FIRST_SEARCH=$(grep -m1 ' cmd=0 ' camsim1.log | mono_of)
    LISTED=$(grep -m1 "^found .* lines=$cameras\$" list.log | mono_of)
}
finish() {
    kill "$PROGRAM" "$SIM"
    wait "$PROGRAM" "$SIM" 2>/dev/null || true
}

for i in 1 2 3 4 5; do
    run 10
    echo "start_to_first_search_ms=$((FIRST_SEARCH - LAUNCH)) start_to_10_lines_ms=$((LISTED - LAUNCH))"
    if ((i == 5)); then
        sleep 1
        echo "rss_10_cameras_kib=$(rss_kib "$PROGRAM")"
        before=$(cpu_ticks "$PROGRAM")
        sleep "$idle"
        after=$(cpu_ticks "$PROGRAM")
        hz=$(getconf CLK_TCK)
        echo "idle_cpu_over_${idle}s_percent=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$idle" 'BEGIN {printf "%.2f", 100 * t / hz / s}')"
    fi
    finish
done

run 1000
sleep 4  # a few sweeps over the full list
echo "start_to_1000_lines_ms=$((LISTED - LAUNCH)) rss_1000_cameras_kib=$(rss_kib "$PROGRAM")"
finish
