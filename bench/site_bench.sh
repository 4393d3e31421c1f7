#!/usr/bin/env bash
# Commissioning a site with lenscout-cli, against simulated cameras. Runs
# only inside tools/vlan (bench/run gives each case a LAN of its own):
#   bench/site_bench.sh BUILD_DIR provision JOBS   (--links 2 --hosts 2)
#       200 cameras, all at one factory address, 100 on each link, to 200
#       fixed addresses: the time to the last confirmation
#   bench/site_bench.sh BUILD_DIR inventory        (--links 4 --hosts 4)
#       1000 cameras, 250 on each link: time and peak memory
#   bench/site_bench.sh BUILD_DIR waves REBOOT_S   (--hosts 1)
#       16 cameras x 8 MiB in waves of 4 with --confirm, each camera
#       silent for REBOOT_S after its image: total time against the sum of
#       the reboot waits
set -euo pipefail
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "site_bench: run me through tools/vlan" >&2; exit 1; }
build=$(cd "$1" && pwd) mode=$2
dir=$LENSCOUT_VLAN_DIR
cli=$build/cli/lenscout-cli
export LENSCOUT_PASSWORD=pw LC_ALL=C.UTF-8

source "$(dirname "${BASH_SOURCE[0]}")/../tools/lib/vlan_desktop.sh"
# start_sim K ARGS...: the simulator on camera host K, waited for.
start_sim() { start_camsim "$build/tools/lenscout-camsim" "$@" || { echo "site_bench: simulator on host $1" >&2; exit 1; }; }
now_ms() { date +%s%3N; }
count() { { grep -o "$1" "$2" || true; } | wc -l; }

provision() {
    local jobs=$1 k i
    for k in 1 2; do
        start_sim "$k" --delay 0-5 --first $(((k - 1) * 100 + 1)) --count 100 \
            --set ip=192.168.1.64,mask=255.255.255.0,gateway=192.168.1.1,password=pw
    done
    {
        echo "id,ip,mask,gateway,dns"
        for i in $(seq 1 200); do
            local link=$((77 + (i - 1) / 100)) host=$((100 + (i - 1) % 100 + 1))
            printf 'CAM%06d,192.168.%d.%d,255.255.255.0,192.168.%d.1,192.168.%d.1\n' "$i" "$link" "$host" "$link" \
                "$link"
        done
    } >"$dir/plan.csv"
    local start
    start=$(now_ms)
    /usr/bin/time -f '%M %U %S' -o "$dir/usage" "$cli" provision "$dir/plan.csv" --jobs "$jobs" --search 2 \
        --no-journal --json >"$dir/out.json" 2>"$dir/err" || true
    local ms=$(($(now_ms) - start)) confirmed
    confirmed=$(count '"outcome":"confirmed"' "$dir/out.json")
    read -r peak user sys <"$dir/usage"
    # The search listens its whole 2 s: a plan is checked against every camera that answers.
    printf 'provision cameras=200 links=2 jobs=%d confirmed=%d total_ms=%d after_search_ms=%d peak_rss_kib=%d cpu_s=%.2f\n' \
        "$jobs" "$confirmed" "$ms" $((ms - 2000)) "$peak" "$(awk -v u="$user" -v s="$sys" 'BEGIN {print u + s}')"
    [[ $confirmed -eq 200 ]] || { tail -5 "$dir/err" >&2; exit 1; }
}

inventory() {
    local k
    for k in 1 2 3 4; do
        start_sim "$k" --delay 0-20 --first $(((k - 1) * 250 + 1)) --count 250 --set "ip=192.168.$((76 + k)).64"
    done
    local search
    for search in 1 3; do
        local start ms rows
        start=$(now_ms)
        /usr/bin/time -f '%M %U %S' -o "$dir/usage" "$cli" inventory --search "$search" >"$dir/inventory.csv"
        ms=$(($(now_ms) - start))
        rows=$(($(wc -l <"$dir/inventory.csv") - 1))
        read -r peak user sys <"$dir/usage"
        printf 'inventory cameras=1000 links=4 search_s=%d rows=%d total_ms=%d peak_rss_kib=%d cpu_s=%.2f csv_bytes=%d\n' \
            "$search" "$rows" "$ms" "$peak" "$(awk -v u="$user" -v s="$sys" 'BEGIN {print u + s}')" "$(stat -c %s "$dir/inventory.csv")"
        [[ $rows -eq 1000 ]] || exit 1
    done
}

waves() {
    local reboot=$1 i args=() ids=()
    for i in $(seq 1 16); do
        args+=(--camera "id=WAVE$i,ip=$LENSCOUT_HOST_ADDR_1,port=$((8100 + i)),password=pw,firmware=1.0.0.1,reboot=$reboot,next-version=1.0.0.2")
        ids+=(--id "WAVE$i")
    done
    start_sim 1 --delay 0-5 "${args[@]}"
    { printf 'BNEG'; head -c $((8 * 1024 * 1024 - 4)) /dev/urandom; } >"$dir/image.bin"
    local start ms done
    start=$(now_ms)
    /usr/bin/time -f '%M' -o "$dir/usage" "$cli" upload --kind system "$dir/image.bin" "${ids[@]}" --wave 4 \
        --confirm --reboot-wait 120 --expect-version 1.0.0.2 --no-journal --json >"$dir/out.json" 2>/dev/null || true
    ms=$(($(now_ms) - start))
    done=$(count '"outcome":"uploaded"' "$dir/out.json")
    printf 'waves cameras=16 image_mib=8 wave=4 reboot_s=%d confirmed=%d total_ms=%d sum_of_reboot_waits_ms=%d serial_reboot_waits_ms=%d peak_rss_kib=%d\n' \
        "$reboot" "$done" "$ms" $((16 * reboot * 1000)) $((4 * reboot * 1000)) "$(cat "$dir/usage")"
    [[ $done -eq 16 ]] || exit 1
}

case "$mode" in
    provision) provision "${3:-1}" ;;
    inventory) inventory ;;
    waves) waves "${3:-5}" ;;
    *) echo "usage: site_bench.sh BUILD_DIR provision JOBS | inventory | waves REBOOT_S" >&2; exit 2 ;;
esac
