#!/usr/bin/env bash
# Installs the Debian package the way a user does, on a clean Debian 12 made for the purpose:
# `dpkg -i` (which stops on the missing dependencies), `apt-get -f install`, a measurement with
# the simulated kit, and the desktop integration (file type of a .kvd, the program that opens it,
# and a double-click that opens the file in the program's window under Xvfb).
#
# NOT run by .ci/run: it needs root, network access to Debian's package mirror and a few minutes
# (debootstrap, then some 150 MB of packages). docs/packaging.md tells what it checks and what a
# run printed.
#
# Usage (as root): scripts/package-install-check.sh [build-folder | korvanta_VERSION_ARCH.deb]
#   default build-folder: build. KORVANTA_DEBIAN_MIRROR overrides the mirror, which is otherwise
#   the first Debian mirror in this machine's apt sources. KORVANTA_KEEP_ROOT=1 keeps the clean
#   system afterwards (its path is printed).
set -euo pipefail

[[ $(id -u) -eq 0 ]] || { echo "run as root (debootstrap and chroot need it)"; exit 2; }
source_arg=${1:-build}

mirror=${KORVANTA_DEBIAN_MIRROR:-}
if [[ -z $mirror ]]; then
    mirror=$(grep -rhoE 'https?://[^ ]*debian\.org/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d 2>/dev/null |
        head -n 1 | tr -d ' ' || true)
    mirror=${mirror:-http://deb.debian.org/debian}
fi

work=$(mktemp -d /var/tmp/korvanta-install-check.XXXXXX)
root="$work/root"
mounted=()
cleanup() {
    local status=$?
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[i]}" 2>/dev/null || true
    done
    if [[ ${KORVANTA_KEEP_ROOT:-0} == 1 ]]; then
        echo "clean system kept in $root"
    else
        rm -rf --one-file-system "$work"
    fi
    exit $status
}
trap cleanup EXIT

step() { printf '\n== %s\n' "$*"; }
fail() { echo "FAILED: $*"; exit 1; }
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }
as_user() {
    local ids
    ids=$(awk -F: '$1 == "tester" {print $3 ":" $4}' "$root/etc/passwd")
    chroot --userspec="$ids" "$root" env -i PATH=/usr/bin:/bin HOME=/home/tester USER=tester LANG=C.UTF-8 "$@" |
        sed 's/^/    /'
}

step "package"
build=
if [[ -f $source_arg ]]; then
    deb=$(realpath "$source_arg")
else
    build=$(realpath "$source_arg")
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
        cat "$work/cpack.log"; fail "cpack"; }
    deb=$(ls "$work"/out/*.deb)
fi
echo "$(basename "$deb"), Depends: $(dpkg-deb -f "$deb" Depends)"

step "clean Debian 12 (debootstrap --variant=minbase bookworm, $mirror)"
command -v debootstrap >/dev/null || { apt-get install -y debootstrap >/dev/null || fail "no debootstrap"; }
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log"; fail "debootstrap could not make the clean system"; }
tail -n 1 "$work/debootstrap.log"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
for fs in proc dev dev/pts; do
    case $fs in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --bind "/$fs" "$root/$fs" ;;
    esac
    mounted+=("$root/$fs")
done
in_root useradd -m -s /bin/bash tester
cp "$deb" "$root/tmp/"
deb_in_root="/tmp/$(basename "$deb")"

step "dpkg -i $(basename "$deb")   (a bare system lacks the dependencies: this is expected to fail)"
set +e
in_root dpkg -i "$deb_in_root" 2>&1 | sed 's/^/    /'
dpkg_status=${PIPESTATUS[0]}
set -e
echo "    (dpkg exit status $dpkg_status)"

step "apt-get -f install"
in_root apt-get update -qq
in_root apt-get -f install -y -q >"$work/apt-fix.log" 2>&1 || { tail -n 20 "$work/apt-fix.log"; fail "apt-get -f install"; }
grep -E '^([0-9]+ upgraded|Setting up (korvanta|shared-mime-info|libqt6printsupport6|qt6-qpa-plugins)|Processing triggers)' \
    "$work/apt-fix.log" | sed 's/^/    /'
# shellcheck disable=SC2016 # dpkg-query's own field syntax
status=$(in_root dpkg-query -W -f='${Status}' korvanta)
echo "    korvanta: $status"
[[ $status == "install ok installed" ]] || fail "korvanta is not installed after apt-get -f install"

# No maintainer script of ours: the caches come from the triggers of the packages that own them.
grep -q '^[0-9]*:application/x-korvanta-measurement:\*\.kvd' "$root/usr/share/mime/globs2" ||
    fail "the file types are missing from the MIME database"
echo "    /usr/share/mime/globs2 knows *.kvd, *.kv3, *.kvr (built by shared-mime-info)"

step "korvanta-cli measure --port SIM   (as a fresh user)"
as_user sh -c 'cd && korvanta-cli measure --port SIM --out some.kvd' | cut -c1-150 || fail "the measurement failed"
[[ -s $root/home/tester/some.kvd ]] || fail "no measurement file was written"
[[ -f $root/home/tester/.local/share/Veltmark/Korvanta/mlist.fd ]] ||
    fail "the user's data folder was not seeded from /usr/share/korvanta"
echo "    wrote ~/some.kvd; the user's data folder was seeded from the installed defaults"

step "desktop tools a user's desktop brings (xdg-utils, Xvfb, xdotool; not korvanta's dependencies)"
in_root apt-get install -y -q desktop-file-utils xdg-utils xvfb xauth xdotool x11-apps >"$work/desktop-tools.log" 2>&1 || {
    tail -n 20 "$work/desktop-tools.log"; fail "the desktop tools did not install"; }
grep -E '^Setting up (xdg-utils|shared-mime-info|desktop-file-utils|libfile-mimeinfo-perl)' "$work/desktop-tools.log" |
    sed 's/^/    /' || true

grep -q 'application/x-korvanta-measurement=korvanta.desktop' "$root/usr/share/applications/mimeinfo.cache" ||
    fail "the menu entry is missing from the desktop database"
echo "    /usr/share/applications/mimeinfo.cache names korvanta.desktop (built by desktop-file-utils)"

step "file type and default program"
mime=$(as_user xdg-mime query filetype /home/tester/some.kvd | tr -d ' ')
echo "    xdg-mime query filetype some.kvd: $mime"
[[ $mime == application/x-korvanta-measurement ]] || fail "a .kvd is not known as a Korvanta measurement"
default=$(as_user xdg-mime query default "$mime" | tr -d ' ')
echo "    xdg-mime query default $mime: $default"
[[ $default == korvanta.desktop ]] || fail "korvanta is not the program that opens a .kvd"
echo "    $(grep '^Exec=' "$root/usr/share/applications/korvanta.desktop")"

step "double-click: xdg-open some.kvd under Xvfb"
# xdg-open runs the menu entry's Exec line with the file, as a file manager does.
cat >"$root/tmp/open-kvd.sh" <<'EOF'
#!/bin/sh
cd /home/tester
xdg-open /home/tester/some.kvd 2>/tmp/korvanta.err &
for i in $(seq 1 60); do
    window=$(xdotool search --name 'some\.kvd' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 1
done
[ -n "$window" ] || { echo "no window names some.kvd"; cat /tmp/korvanta.err; exit 1; }
echo "window title: $(xdotool getwindowname "$window")"
sleep 2
xwd -root -silent >/tmp/opened.xwd
xdotool windowkill "$window"
EOF
chmod 755 "$root/tmp/open-kvd.sh"
as_user xvfb-run -a -s '-screen 0 1280x900x24' /tmp/open-kvd.sh || fail "the file did not open in korvanta"
shot="${build:-$PWD}/package-install-opened.png"
if command -v convert >/dev/null && convert "xwd:$root/tmp/opened.xwd" "$shot" 2>/dev/null; then
    echo "    screenshot of the opened file: $shot"
fi

step "package install check passed"
