# Work that tools/test runs in the background, and its waits: sourced.
# Each job writes its log and, once done, its exit status into one folder;
# await_background shows a failed job's log and fails. Every job runs in a
# process group of its own, ended by end_background.
background_dir=$(mktemp -d)
declare -A background_pid=()
export background_dir

# in_background NAME COMMAND...: runs the command only on a core that
# nothing else wants (SCHED_IDLE), so that the tests beside it keep their
# timing.
in_background() {
    local name=$1
    shift
    setsid chrt --idle 0 nice -n 19 bash -c '"$@" >"$background_dir/$0.log" 2>&1; echo $? >"$background_dir/$0.status"' \
        "$name" "$@" &
    background_pid[$name]=$!
}

# pause_background NAME / resume_background NAME: stops the job's whole
# process group for a while, and lets it go on.
pause_background() { kill -STOP -- "-${background_pid[$1]}" 2>/dev/null || true; }
resume_background() { kill -CONT -- "-${background_pid[$1]}" 2>/dev/null || true; }

# Ends what still runs in the background and drops its logs.
end_background() {
    local pid
    for pid in "${background_pid[@]}"; do
        kill -- "-$pid" 2>/dev/null || true
        kill -CONT -- "-$pid" 2>/dev/null || true  # a stopped group takes the signal once it goes on
    done
    rm -rf "$background_dir"
}

# await_background NAME: waits for the job, or for the step of
# tools/lib/later_builds marked NAME.
await_background() {
    local name=$1 status
    until [[ -e "$background_dir/$name.status" ]]; do sleep 1; done
    status=$(<"$background_dir/$name.status")
    [[ -e "$background_dir/$name.took" ]] && echo "($name done in the background in $(<"$background_dir/$name.took") s)"
    ((status == 0)) && return 0
    echo "== $name failed in the background:" >&2
    tail -n 60 "$background_dir/$name.log" >&2
    exit 1
}
