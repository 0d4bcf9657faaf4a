#!/usr/bin/env bash
# The real program in a real X server, driven from the keyboard as a user would: under Xvfb,
# korvanta starts, Alt+I, C, S picks "SIM" from the port menu by the mnemonics, the
# initialisation succeeds (the title then names the port), Alt+F4 ends the program and its
# settings file holds "SIM". Every wait is for a window with a deadline, never a blind pause.
# Usage: RealWindowTest.sh path/to/korvanta
set -euo pipefail
program=$(realpath "$1")

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

"$program" &
pid=$!
frame=$(wait_window ' - Korvanta' 30) || fail "the main window did not appear"
[ -n "$frame" ] || fail "the main window did not appear"
echo "main window: $(xdotool getwindowname "$frame")"
xdotool windowfocus --sync "$frame" || true

# Settings menu, its port popup, the simulated kit.
xdotool key --delay 150 alt+i c s
wait_window 'Korvanta \[SIM\]' 40 >/dev/null || fail "the link did not come up on SIM"
echo "after initialisation: $(xdotool getwindowname "$frame")"

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
echo "PASS: SIM chosen by keyboard, link up, settings hold it"
