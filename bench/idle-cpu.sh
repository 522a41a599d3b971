#!/bin/sh
# The program's CPU use while it sits idle with the start-menu window open (Task Manager tab,
# refreshed every 2 s), on the offscreen platform. Target: under 1 % of one core, also with
# 2 000 rows.
#
#   bench/idle-cpu.sh [path/to/Tavrin.app/Contents/MacOS/Tavrin] [seconds, default 20] [sleepers, default 0]
#
# With sleepers, that many copies of `sleep` run under a name that a desktop entry of the
# program's XDG_DATA_HOME names, so each is a row of the Task Manager; they are killed by pid.
# The program runs in a home of its own (nothing of the user's is read or written); its CPU
# ticks (user + system, from /proc/<pid>/stat) are read after it has settled and again after
# the sampling time.
set -eu

program=${1:-build/bench/Tavrin.app/Contents/MacOS/Tavrin}
seconds=${2:-20}
sleepers=${3:-0}
settle=3

if [ ! -x "$program" ]; then
    echo "no program at $program" >&2
    exit 1
fi

home=$(mktemp -d)
pid=
sleeper_pids=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    for sleeper_pid in $sleeper_pids; do
        kill -9 "$sleeper_pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT INT TERM
mkdir -m 700 "$home/run"

if [ "$sleepers" -gt 0 ]; then
    mkdir -p "$home/bin" "$home/data/applications"
    cp "$(command -v sleep)" "$home/bin/tavrin-idle-sleeper"
    printf '[Desktop Entry]\nType=Application\nName=Idle Sleeper\nExec=%s 3600\n' "$home/bin/tavrin-idle-sleeper" \
        >"$home/data/applications/tavrin-idle-sleeper.desktop"
    i=0
    while [ "$i" -lt "$sleepers" ]; do
        "$home/bin/tavrin-idle-sleeper" 3600 &
        sleeper_pids="$sleeper_pids $!"
        i=$((i + 1))
    done
fi

env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/run" TMPDIR="$home" TAVRIN_ROOT="$home/root" QT_QPA_PLATFORM=offscreen \
    "$program" >"$home/output.txt" 2>&1 &
pid=$!

# utime + stime: fields 14 and 15, counted after the command name, which may hold blanks.
ticks() {
    sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'
}
alive() {
    kill -0 "$pid" 2>/dev/null
}

sleep "$settle"
if ! alive; then
    echo "the program ended during start-up:" >&2
    cat "$home/output.txt" >&2
    exit 1
fi
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
if ! alive; then
    echo "the program ended while sampled" >&2
    exit 1
fi
after=$(ticks)
end=$(date +%s.%N)
hz=$(getconf CLK_TCK)

awk -v t0="$before" -v t1="$after" -v s0="$start" -v s1="$end" -v hz="$hz" 'BEGIN {
    cpu = (t1 - t0) / hz
    wall = s1 - s0
    printf "idle CPU: %.3f s of CPU in %.1f s = %.2f %% of one core (target < 1 %%)\n", cpu, wall, 100 * cpu / wall
}'
