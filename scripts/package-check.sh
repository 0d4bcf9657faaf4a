#!/usr/bin/env bash
# Builds the Debian package from an existing build, unpacks it into a fresh folder as an
# installation would lay it out, and runs a measurement against the simulated kit from there.
# Usage: scripts/package-check.sh [build-folder]   (default: build)
set -euo pipefail

build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "$(basename "$deb")"

echo "== contents"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for wanted in ./usr/bin/korvanta ./usr/bin/korvanta-cli ./usr/bin/korvanta-sim ./usr/lib/liborvelink.so \
    ./usr/share/korvanta/mlist.fd ./usr/share/korvanta/filters.fd ./usr/share/korvanta/PresetFilters.fd \
    ./usr/share/applications/korvanta.desktop ./usr/share/mime/packages/korvanta-mime.xml \
    ./usr/share/icons/hicolor/scalable/apps/korvanta.svg ./usr/share/icons/hicolor/48x48/apps/korvanta.png; do
    grep -qx -- "$wanted" "$work/contents" || { echo "missing from the package: $wanted"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for wanted in libqt6widgets6 libserialport0 libsndfile1 libsoxr0 fonts-wine fonts-liberation2; do
    [[ ",$depends," == *" $wanted,"* || ",$depends," == *",$wanted,"* ]] || { echo "not in Depends: $wanted"; exit 1; }
done
echo "Depends: $depends"

echo "== installed run"
root="$work/root"
dpkg -x "$deb" "$root"
home="$work/home"
mkdir -p "$home"
# A fresh user: the program seeds its own data folder from the installed defaults.
(cd "$work" && env -u XDG_DATA_HOME HOME="$home" LD_LIBRARY_PATH="$root/usr/lib" \
    "$root/usr/bin/korvanta-cli" measure --port SIM --fast >"$work/measure.out") || {
    cat "$work/measure.out"; echo "the installed korvanta-cli failed"; exit 1; }
tail -n 5 "$work/measure.out"
[[ -f "$home/.local/share/Veltmark/Korvanta/mlist.fd" ]] || { echo "the user's data folder was not seeded"; exit 1; }
echo "package check passed"
