#!/usr/bin/env bash
# The real program in a real X server, driven from the keyboard as a user would: under Xvfb,
# korvanta starts on a measurement file that holds the pipe, Alt+I, C, S picks "SIM" from the
# port menu by the mnemonics, the initialisation succeeds (the title then names the port), a
# double press of the space bar on START starts one measurement that goes on (the second press
# came while the stations were asked to start), it measures the simulated kit's leak until blocks
# have arrived and stops; START again asks about the unsaved result (Escape cancels and nothing
# starts); Ctrl+S asks for a name (a new measurement is a new file) and saves, and korvanta-cli
# finds the leak in the saved file where the kit has it. Alt+F4 ends the program and its settings
# file holds "SIM". Every wait is for a window or a file with a deadline, never a blind pause.
# Usage: RealWindowTest.sh path/to/korvanta path/to/korvanta-cli
set -euo pipefail
program=$(realpath "$1")
cli=$(realpath "$2")

if [ -z "${KORVANTA_IN_XVFB:-}" ]; then
    for tool in xvfb-run xdotool; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)"; exit 1; }
    done
    export KORVANTA_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
cd "$work"

fail() {
    echo "FAIL: $*"
    echo "windows:"; xdotool search --name '.' getwindowname %@ 2>/dev/null | sed 's/^/  /' || true
    exit 1
}
# Waits (at most $2 seconds) for a window whose title matches $1 and prints its id.
wait_window() {
    timeout "$2" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# The pipe of the kit's default scenario (120 m of PVC, the leak 43.5 m from red), in a file.
mkdir "$work/cli"
(cd "$work/cli" && "$cli" measure --port SIM --fast --pairs 1 --section 120:363:110:PVC --out "$work/leak.kvd") \
    >/dev/null || fail "korvanta-cli could not make the pipe's file"

# Waits (at most $3 seconds) until the comms log holds $2 lines naming $1.
wait_log() {
    for _ in $(seq 1 $(($3 * 10))); do
        [ "$(grep -c "$1" DebugFile.txt 2>/dev/null || true)" -ge "$2" ] && return 0
        sleep 0.1
    done
    return 1
}
# Waits (at most $2 seconds) until the comms log holds $1 data-block requests.
wait_blocks() { wait_log GET_DATA_BLOCK "$1" "$2"; }

"$program" "$work/leak.kvd" &
pid=$!
frame=$(wait_window ' - Korvanta' 30) || fail "the main window did not appear"
[ -n "$frame" ] || fail "the main window did not appear"
echo "main window: $(xdotool getwindowname "$frame")"
xdotool windowfocus --sync "$frame" || true

# Settings menu, its port popup, the simulated kit.
xdotool key --delay 150 alt+i c s
wait_window 'Korvanta \[SIM\]' 40 >/dev/null || fail "the link did not come up on SIM"
echo "after initialisation: $(xdotool getwindowname "$frame")"

# START has the focus: measure until eight blocks have come (the ninth is asked for), stop, save.
# The view gives START the focus at its next status poll after the link came up (every 2 s), which
# on a loaded machine can come after the title changed: as a user would, press again when the
# stations were not asked to start.
xdotool windowfocus --sync "$frame" || true
started=
for _ in 1 2 3 4 5; do
    xdotool key --delay 80 space space
    if wait_log START_SAMPLING 1 5; then started=1; break; fi
done
[ -n "$started" ] || fail "START did not ask the stations to sample"
wait_blocks 9 60 || fail "no blocks arrived after START"
grep -q STOP_CORRELATING DebugFile.txt && fail "the second press of a double press stopped the measurement"
xdotool key space
wait_log STOP_CORRELATING 1 10 || fail "STOP did not stop the measurement"

# START with a result nobody saved asks first; Escape (Annuller) starts nothing.
starts=$(grep -c START_SAMPLING DebugFile.txt)
xdotool key space
question=$(wait_window '^Korvanta$' 10) || fail "START did not ask about the unsaved measurement"
[ -n "$question" ] || fail "START did not ask about the unsaved measurement"
xdotool key Escape
sleep 1
[ "$(grep -c START_SAMPLING DebugFile.txt)" = "$starts" ] || fail "a cancelled question still started"

# The measurement has no file of its own yet: Gem asks for a name.
xdotool windowfocus --sync "$frame" || true
xdotool key ctrl+s
dialog=$(wait_window 'Save|Gem' 10) || fail "Gem did not ask for a name"
[ -n "$dialog" ] || fail "Gem did not ask for a name"
xdotool type --delay 20 "$work/new.kvd"
xdotool key Return
for _ in $(seq 1 100); do
    [ -f "$work/new.kvd" ] && break
    sleep 0.1
done
shown=$("$cli" show "$work/new.kvd") || fail "korvanta-cli cannot read the saved file"
echo "saved: $shown"
python3 - "$shown" <<'CHECK' || fail "the saved measurement does not locate the leak"
import json, sys
shown = json.loads(sys.argv[1])
assert shown["pairs"] >= 4, shown["pairs"]
assert abs(shown["from_start"] - 43.5) <= 1.0, shown["from_start"]
CHECK

xdotool windowfocus --sync "$frame" || true
xdotool key alt+F4
for _ in $(seq 1 300); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Alt+F4 did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=

# Qt writes the key "COM Port" as COM%20Port in its settings file.
settings="$XDG_CONFIG_HOME/Veltmark/Korvanta.conf"
[ -f "$settings" ] || fail "no settings file at $settings"
grep -Eqx 'COM(%20| )Port=SIM' "$settings" || { cat "$settings"; fail "the settings do not hold SIM"; }
echo "PASS: SIM chosen by keyboard, link up, a measurement saved that finds the leak, settings hold SIM"
