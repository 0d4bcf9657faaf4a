#!/usr/bin/env bash
# Tests the Windows build (scripts/windows-build.sh) under Wine, in a private Wine prefix:
#  1. every test program of core, the link library, the comms, the kit and the end-to-end suite;
#  2. the real serial path: the Linux kit serves a pseudo-terminal, the prefix's COM5 points at it,
#     and korvanta-cli.exe locates the kit's leak through Windows' serial API;
#  3. the window: korvanta.exe under Xvfb opens a kvd with Danish letters and spaces in its name
#     from the command line, measures on SIM started and stopped with keys, and a screenshot is kept
#     in build-windows/screenshots/;
#  4. the installer: installed silently, its files and file-type keys found, a kvd opened through
#     its file type, uninstalled silently leaving the user's measurement alone.
# Usage: scripts/windows-check.sh [build-folder]   (default: build-windows; the Linux build/ must
# hold korvanta-sim and korvanta-cli, which scripts/windows-build.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath "${1:-build-windows}")
bin=$build/bin
shots=$build/screenshots

if [ -z "${KORVANTA_IN_XVFB:-}" ]; then
    export KORVANTA_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

scripts/build.sh korvanta-sim korvanta-cli >/dev/null

work=$(mktemp -d)
sim_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { echo; echo "== $*"; }
winpath() { winepath -w "$1" 2>/dev/null; }
# Waits (at most $2 seconds) for a window whose title matches $1 and prints its id.
wait_window() { timeout "$2" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
screenshot() {
    mkdir -p "$shots"
    xwd -root -silent | convert xwd:- "$shots/$1.png" && echo "screenshot: $shots/$1.png"
}

step "Wine prefix"
# Made without a display, so no desktop process stays behind to keep the server up.
DISPLAY= wineboot -i >/dev/null 2>&1
wineserver -w
echo "$WINEPREFIX ($(wine --version))"

step "test programs under Wine"
tests_summary=$work/ctest.txt
(cd "$build" && WINEPREFIX=$WINEPREFIX ctest -j 2 --output-on-failure --timeout 600 -L 'core|link|comms|sim|e2e|windows') \
    | tee "$tests_summary" | grep -E "tests passed|Failed|\*\*\*" || true
grep -q "tests passed" "$tests_summary" || fail "ctest did not run"
grep -q ", 0 tests failed" "$tests_summary" || fail "tests failed under Wine"

step "serial path: korvanta-cli.exe on COM5, the Linux kit behind it"
port=$work/ttyKORV
"$root/build/bin/korvanta-sim" --link "$port" --scenario "$root/docs/scenarios/default.json" >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 1 100); do [ -L "$port" ] && break; sleep 0.1; done
[ -L "$port" ] || fail "the kit did not publish its port"
ln -sf "$(readlink -f "$port")" "$WINEPREFIX/dosdevices/com5"
measured=$work/com5.json
if (cd "$work" && timeout 300 wine "$bin/korvanta-cli.exe" measure --port COM5 --pairs 4 \
        --section 120:363:110:PVC --out "$(winpath "$work/com5 måling.kvd")" >"$measured" 2>"$work/com5.err"); then
    python3 - "$measured" <<'CHECK' || fail "the leak was not located through COM5"
import json, sys
result = json.load(open(sys.argv[1], encoding="utf-8"))
assert abs(result["from_start"] - 43.5) <= 1.5, result["from_start"]
print(f"COM5: leak {result['from_start']:.1f} m from red, {result['pairs']} pairs")
CHECK
    [ -f "$work/com5 måling.kvd" ] || fail "the measurement with a Danish name was not saved"
else
    cat "$work/com5.err"; fail "korvanta-cli.exe measure --port COM5 failed"
fi
kill "$sim_pid" 2>/dev/null || true
wait "$sim_pid" 2>/dev/null || true
sim_pid=

step "the window: a kvd with Danish letters opened from the command line, a measurement on SIM"
kvd="$work/Måling ved Ærøvej.kvd"
cp "$work/com5 måling.kvd" "$kvd" 2>/dev/null || fail "no measurement to open"
mkdir -p "$work/run"
(cd "$work/run" && exec wine "$bin/korvanta.exe" "$(winpath "$kvd")") >"$work/app.log" 2>&1 &
app_pid=$!
frame=$(wait_window 'Måling ved Ærøvej.* - Korvanta' 90) || true
if [ -z "$frame" ]; then
    screenshot window-missing
    fail "the window did not open the kvd named with Danish letters"
else
    echo "window: $(xdotool getwindowname "$frame")"
    xdotool windowactivate --sync "$frame" 2>/dev/null || true
    sleep 2
    screenshot window-opened
    xdotool key --delay 200 alt+i c s
    if wait_window 'Korvanta \[SIM\]' 60 >/dev/null; then
        sleep 3
        xdotool windowactivate --sync "$frame" 2>/dev/null || true
        started=
        for _ in 1 2 3 4 5; do
            xdotool key space
            for _ in $(seq 1 50); do
                grep -q START_SAMPLING "$work/run/DebugFile.txt" 2>/dev/null && { started=1; break; }
                sleep 0.1
            done
            [ -n "$started" ] && break
        done
        [ -n "$started" ] || fail "START did not start a measurement"
        for _ in $(seq 1 600); do
            [ "$(grep -c GET_DATA_BLOCK "$work/run/DebugFile.txt" 2>/dev/null || true)" -ge 6 ] && break
            sleep 0.1
        done
        xdotool key space
        stopped=
        for _ in $(seq 1 100); do
            grep -q STOP_CORRELATING "$work/run/DebugFile.txt" 2>/dev/null && { stopped=1; break; }
            sleep 0.1
        done
        [ -n "$stopped" ] || fail "STOP did not stop the measurement"
        sleep 2
        screenshot window-measured
    else
        screenshot window-no-sim
        fail "the link did not come up on SIM"
    fi
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
    wineserver -k 2>/dev/null || true
fi

step "installer"
setup=$(ls "$build"/korvanta-setup-*.exe 2>/dev/null | head -n 1)
if [ -z "$setup" ]; then
    fail "no installer in $build"
else
    wine "$setup" /S
    installed="$WINEPREFIX/drive_c/Program Files/Korvanta"
    for file in korvanta.exe korvanta-cli.exe korvanta-sim.exe Qt6Core.dll Qt6Widgets.dll qt.conf \
                plugins/platforms/qwindows.dll translations/qtbase_da.qm mlist.fd uninstall.exe; do
        [ -f "$installed/$file" ] || fail "not installed: $file"
    done
    ls "$installed" | grep -qi "tests" && fail "test programs were installed"
    for ext in kvd kv3 kvr; do
        wine reg query "HKLM\\Software\\Classes\\.$ext" 2>/dev/null | grep -q "Korvanta\." \
            || fail "the file type .$ext is not registered"
    done
    wine reg query 'HKLM\Software\Classes\Korvanta.Maaling\shell\open\command' 2>/dev/null | tr -d '\r' \
        | grep -q 'korvanta.exe" "%1"' || fail "the kvd open command is not registered"
    echo "installed: $(ls "$installed" | wc -l) entries; file types kvd, kv3, kvr registered"

    # A double-click: the shell opens the file by its type.
    mkdir -p "$work/user"
    opened="$work/user/Åbnet måling.kvd"
    cp "$kvd" "$opened"
    (cd "$work/user" && wine start /unix "$opened") >/dev/null 2>&1 &
    frame=$(wait_window 'Åbnet måling.* - Korvanta' 90) || true
    if [ -z "$frame" ]; then
        screenshot filetype-missing
        fail "the kvd did not open through its file type"
    else
        echo "opened by file type: $(xdotool getwindowname "$frame")"
        screenshot filetype-opened
    fi
    wineserver -k 2>/dev/null || true

    # The uninstaller runs a copy of itself from the temporary folder and returns at once.
    wine "$installed/uninstall.exe" /S
    for _ in $(seq 1 100); do [ -e "$installed/korvanta.exe" ] || break; sleep 0.2; done
    [ -e "$installed/korvanta.exe" ] && fail "the uninstaller left the program"
    [ -e "$installed" ] && { echo "left in $installed:"; ls -R "$installed"; fail "the uninstaller left files"; }
    wine reg query 'HKLM\Software\Classes\.kvd' >/dev/null 2>&1 && fail "the uninstaller left the kvd type"
    [ -f "$opened" ] || fail "the uninstaller removed the user's measurement"
    echo "uninstalled; the user's measurement is still there"
fi

echo
if [ "$failures" -eq 0 ]; then
    echo "windows-check: all passed"
else
    echo "windows-check: $failures failure(s)"
    exit 1
fi
