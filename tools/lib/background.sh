# Work that tools/test runs in the background, and its waits: sourced.
# Each job writes its log and, once done, its exit status into one folder;
# await_background shows a failed job's log and fails. Every job runs in a
# process group of its own, ended by end_background.
background_dir=$(mktemp -d)
background_pids=()
export background_dir

# in_background NAME COMMAND...: runs the command only on a core that
# nothing else wants (SCHED_IDLE), so that the tests beside it keep their
# timing.
in_background() {
    local name=$1
    shift
    setsid chrt --idle 0 nice -n 19 bash -c '"$@" >"$background_dir/$0.log" 2>&1; echo $? >"$background_dir/$0.status"' \
        "$name" "$@" &
    background_pids+=($!)
}

# Ends what still runs in the background and drops its logs.
end_background() {
    local pid
    for pid in "${background_pids[@]}"; do kill -- "-$pid" 2>/dev/null || true; done
    rm -rf "$background_dir"
}

# await_background NAME: waits for the job, or for the step of
# tools/lib/later_builds marked NAME.
await_background() {
    local name=$1 status
    until [[ -e "$background_dir/$name.status" ]]; do sleep 1; done
    status=$(<"$background_dir/$name.status")
    [[ -e "$background_dir/$name.took" ]] && echo "($name built in the background in $(<"$background_dir/$name.took") s)"
    ((status == 0)) && return 0
    echo "== $name failed in the background:" >&2
    tail -n 60 "$background_dir/$name.log" >&2
    exit 1
}
