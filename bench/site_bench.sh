#!/usr/bin/env bash
# Commissioning a site with lenscout-cli, against simulated cameras. Runs
# only inside tools/vlan (bench/run gives each case a LAN of its own):
#   bench/site_bench.sh BUILD_DIR provision LINKS CAMERAS [JOBS]
#       (--links LINKS --hosts LINKS) CAMERAS cameras, all at one factory
#       address, spread over the links, to fixed addresses of their own,
#       each taking its setting 2 s after it accepted it, as real ones do:
#       the time to the last confirmation, with the default options unless
#       JOBS is given
#   bench/site_bench.sh BUILD_DIR inventory        (--links 4 --hosts 4)
#       1000 cameras, 250 on each link: time and peak memory
#   bench/site_bench.sh BUILD_DIR wrong-password CAMERAS   (--links 1 --hosts 1)
#       CAMERAS cameras at one factory address that take 2 s to apply a
#       setting and 1.5 s to refuse a password: how many cameras a wrong
#       password reaches, then the time the right one takes
#   bench/site_bench.sh BUILD_DIR flood            (--hosts 2)
#       10 cameras beside a flood of made-up IDs as fast as the link takes
#       them: inventory --search 20, its peak memory and the real cameras
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
# The kernel's count of UDP datagrams dropped for a full receive buffer, in
# this namespace: a run that loses replies would look cheaper than it is.
rcvbuf_errors() { awk '/^Udp:/ { if (!h) { for (i = 1; i <= NF; i++) if ($i == "RcvbufErrors") c = i; h = 1 } else print $c }' /proc/net/snmp; }

# plan CAMERAS PER: the plan that gives each camera an address of its own,
# 172.(16 + link).0.0/16 for the cameras of each link.
write_plan() {
    local cameras=$1 per=$2 i
    {
        echo "id,ip,mask,gateway,dns"
        for i in $(seq 1 "$cameras"); do
            local net=$((16 + (i - 1) / per)) n=$(((i - 1) % per))
            printf 'CAM%06d,172.%d.%d.%d,255.255.0.0,172.%d.255.254,172.%d.255.254\n' "$i" "$net" $((n / 200)) \
                $((n % 200 + 1)) "$net" "$net"
        done
    } >"$dir/plan.csv"
}

provision() {
    local links=$1 cameras=$2 jobs=${3:-} k
    local per=$((cameras / links))
    for k in $(seq 1 "$links"); do
        start_sim "$k" --delay 0-20 --first $(((k - 1) * per + 1)) --count "$per" \
            --set ip=192.168.1.64,mask=255.255.255.0,gateway=192.168.1.1,password=pw,settle=2000
    done
    write_plan "$cameras" "$per"
    local start drops_before jobs_args=()
    [[ -n $jobs ]] && jobs_args=(--jobs "$jobs")
    drops_before=$(rcvbuf_errors)
    start=$(now_ms)
    /usr/bin/time -f '%M %U %S' -o "$dir/usage" "$cli" provision "$dir/plan.csv" "${jobs_args[@]}" --search 4 \
        --no-journal --json >"$dir/out.json" 2>"$dir/err" || true
    local ms=$(($(now_ms) - start)) confirmed
    confirmed=$(count '"outcome":"confirmed"' "$dir/out.json")
    read -r peak user sys <"$dir/usage"
    printf 'provision cameras=%d links=%d jobs=%s settle_ms=2000 confirmed=%d total_ms=%d peak_rss_kib=%d cpu_s=%.2f rcvbuf_errors=%d\n' \
        "$cameras" "$links" "${jobs:-default}" "$confirmed" "$ms" "$peak" \
        "$(awk -v u="$user" -v s="$sys" 'BEGIN {print u + s}')" $(($(rcvbuf_errors) - drops_before))
    [[ $confirmed -eq $cameras ]] || { tail -5 "$dir/err" >&2; exit 1; }
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

wrong_password() {
    local cameras=$1
    start_sim 1 --delay 0-20 --count "$cameras" \
        --set ip=192.168.1.64,mask=255.255.255.0,gateway=192.168.1.1,password=pw,settle=2000,result-delay=1500
    write_plan "$cameras" "$cameras"
    local start ms asked refused
    start=$(now_ms)
    LENSCOUT_PASSWORD=wrong "$cli" provision "$dir/plan.csv" --search 4 --no-journal --json >"$dir/wrong.json" \
        2>"$dir/err" || true
    ms=$(($(now_ms) - start))
    asked=$(count ' cmd=2 ' "$LENSCOUT_VLAN_DIR/camsim1.log")
    refused=$(count '"outcome":"refused"' "$dir/wrong.json")
    printf 'wrong-password cameras=%d settle_ms=2000 refuse_ms=1500 cameras_reached=%d refused=%d total_ms=%d\n' \
        "$cameras" "$asked" "$refused" "$ms"
    [[ $asked -le 1 ]] || exit 1
    start=$(now_ms)
    "$cli" provision "$dir/plan.csv" --search 4 --no-journal --json >"$dir/right.json" 2>"$dir/err" || true
    ms=$(($(now_ms) - start))
    local confirmed
    confirmed=$(count '"outcome":"confirmed"' "$dir/right.json")
    printf 'right-password cameras=%d confirmed=%d total_ms=%d\n' "$cameras" "$confirmed" "$ms"
    [[ $confirmed -eq $cameras ]] || exit 1
}

flood() {
    start_sim 1 --delay 0-20 --count 10
    local flood_pid rows real peak start ms
    nsenter --net="$LENSCOUT_NETNS_2" "$build/tools/lenscout-flood" --kind new-ids --rate 1000000 --seconds 24 \
        >/dev/null 2>&1 &
    flood_pid=$!
    sleep 1
    start=$(now_ms)
    /usr/bin/time -f '%M' -o "$dir/usage" "$cli" inventory --search 20 >"$dir/flood.csv" 2>"$dir/err" || true
    ms=$(($(now_ms) - start))
    kill "$flood_pid" 2>/dev/null || true
    wait "$flood_pid" 2>/dev/null || true
    rows=$(($(wc -l <"$dir/flood.csv") - 1))
    real=$(count '^CAM0000[01][0-9],' "$dir/flood.csv")
    peak=$(cat "$dir/usage")
    printf 'flood inventory search_s=20 rows=%d real_cameras=%d peak_rss_kib=%d total_ms=%d said="%s"\n' \
        "$rows" "$real" "$peak" "$ms" "$(head -1 "$dir/err")"
    [[ $real -eq 10 && $peak -lt 65536 ]] || exit 1
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
    provision) provision "${3:-1}" "${4:-200}" "${5:-}" ;;
    inventory) inventory ;;
    waves) waves "${3:-5}" ;;
    wrong-password) wrong_password "${3:-200}" ;;
    flood) flood ;;
    *) echo "usage: site_bench.sh BUILD_DIR provision LINKS CAMERAS [JOBS] | inventory | waves REBOOT_S" >&2; exit 2 ;;
esac
