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
# Package names alone, without their version bounds.
names=",$(sed -E 's/ *\([^)]*\)//g; s/ //g' <<<"$depends"),"
for wanted in libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libserialport0 libsndfile1 libsoxr0 \
    fonts-wine fonts-liberation2; do
    [[ $names == *",$wanted,"* ]] || { echo "not in Depends: $wanted"; exit 1; }
done
echo "Depends: $depends"

echo "== every linked library comes from a package in Depends"
# The package that installed a library, under the path ldd found or the one it links to; /lib and
# /usr/lib are one folder, but dpkg knows each file under the name its package gave it.
owner_of() {
    local candidate resolved
    resolved=$(realpath "$1")
    for candidate in "$1" "$resolved" "${resolved#/usr}"; do
        dpkg -S "$candidate" 2>/dev/null | head -n 1 | cut -d: -f1 | grep . && return 0
    done
    return 1
}
unpacked="$work/unpacked"
dpkg -x "$deb" "$unpacked"
while IFS= read -r elf; do
    resolved=$(LD_LIBRARY_PATH="$unpacked/usr/lib" ldd "$elf")
    # Only what the file links itself; what those libraries need is their packages' business.
    for lib in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        # "lib => /path (address)", or "/path (address)" for the dynamic loader.
        path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" {print $3}
            $1 ~ /^\// && substr($1, length($1) - length(lib)) == "/" lib {print $1}' <<<"$resolved")
        [[ $path == "$unpacked"/* ]] && continue  # the package's own link library
        [[ -n $path && $path != "not" ]] || { echo "$elf: $lib is not found on this machine"; exit 1; }
        owner=$(owner_of "$path") || { echo "$elf: no package owns $path"; exit 1; }
        [[ $names == *",$owner,"* ]] || { echo "$elf needs $lib from $owner, which is not in Depends"; exit 1; }
    done
done < <(find "$unpacked/usr" -type f \( -perm -u+x -o -name '*.so*' \) -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print)
echo "all found"

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
