#!/usr/bin/env bash
# Measures how long korvanta takes from its start until its main window is on the screen
# (viewable in an X server, polled every 10 ms), five times under Xvfb, and prints the median.
# Run after a build: scripts/measure-startup.sh [path/to/korvanta]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/bin/korvanta}")
if [ -z "${KORVANTA_IN_XVFB:-}" ]; then
    export KORVANTA_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work" QT_QPA_PLATFORM=xcb
cd "$work"
times=()
for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$program" &
    pid=$!
    for _ in $(seq 1 3000); do
        xwininfo -name 'en unavngivet fil - Korvanta' 2>/dev/null | grep -q IsViewable && break
        sleep 0.01
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start to window on screen: median ${median} ms (runs: ${times[*]} ms)"
