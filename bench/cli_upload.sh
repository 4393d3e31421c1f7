#!/usr/bin/env bash
# lenscout-cli uploading one image to 8 cameras, with --jobs 1 and --jobs 4,
# against plain TCP transfers of the same bytes to the same hosts with the
# same parallelism. Runs only inside tools/vlan --hosts 8 (bench/run):
#   bench/cli_upload.sh BUILD_DIR [MIB]
set -euo pipefail
[[ "${LENSCOUT_VLAN:-}" == 1 ]] || { echo "cli_upload: run me through tools/vlan --hosts 8" >&2; exit 1; }
build=$1 mib=${2:-64}
dir=$LENSCOUT_VLAN_DIR
image=$dir/image.bin
{ printf 'BNEG'; head -c $((mib * 1024 * 1024 - 4)) /dev/urandom; } >"$image"

ids=()
for k in $(seq 1 8); do
    addr=$(eval echo "\$LENSCOUT_HOST_ADDR_$k")
    ip netns exec "cam$k" "$build/tools/lenscout-camsim" --delay 0 --sink-port 9000 --log "$dir/sim$k.log" \
        --camera "id=BENCH$k,ip=$addr,port=8080,password=pw" >"$dir/ready$k" &
    ids+=(--id "BENCH$k")
done
for k in $(seq 1 8); do
    until grep -q ready "$dir/ready$k" 2>/dev/null; do sleep 0.05; done
done

now_ms() { date +%s%3N; }
# The same bytes to each host's sink, N at a time.
plain() {
    local jobs=$1
    seq 1 8 | xargs -P "$jobs" -I{} bash -c 'cat "$1" >/dev/tcp/$(eval echo \$LENSCOUT_HOST_ADDR_$2)/9000' _ "$image" {}
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
rounds=${LENSCOUT_BENCH_ROUNDS:-5}
printf 'image_mib=%s cameras=8 rounds=%s (medians)\n' "$mib" "$rounds"
for jobs in 1 4; do
    : >"$dir/plain" >"$dir/total" >"$dir/camera" >"$dir/sum" >"$dir/peaks"
    for _ in $(seq 1 "$rounds"); do
        start=$(now_ms); plain "$jobs"; echo $(( $(now_ms) - start )) >>"$dir/plain"
        start=$(now_ms)
        LENSCOUT_PASSWORD=pw /usr/bin/time -f '%M' -o "$dir/peak" "$build/cli/lenscout-cli" upload --kind system \
            "$image" "${ids[@]}" --jobs "$jobs" --json >"$dir/out.json" 2>/dev/null
        echo $(( $(now_ms) - start )) >>"$dir/total"
        cat "$dir/peak" >>"$dir/peaks"
        [[ $(grep -o '"outcome":"uploaded"' "$dir/out.json" | wc -l) -eq 8 ]] || { echo "an upload failed" >&2; exit 1; }
        grep -o '"ms":[0-9]*' "$dir/out.json" | cut -d: -f2 | tee -a "$dir/camera" | awk '{s+=$1} END {print s}' >>"$dir/sum"
    done
    awk -v j="$jobs" -v c="$(median <"$dir/total")" -v p="$(median <"$dir/plain")" -v m="$(median <"$dir/camera")" \
        -v s="$(median <"$dir/sum")" -v k="$(sort -n "$dir/peaks" | tail -1)" -v b="$mib" 'BEGIN {
        printf "jobs=%d total_ms=%d per_camera_ms=%d sum_of_cameras_ms=%d mb_s=%.0f peak_rss_kib=%d plain_total_ms=%d ratio_to_plain=%.2f\n",
            j, c, m, s, 8 * b * 1.048576 / (c / 1000), k, p, p / c }'
done
