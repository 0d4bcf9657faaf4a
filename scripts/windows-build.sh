#!/usr/bin/env bash
# Builds Korvanta for 64-bit Windows on a Debian 12 machine: installs what is missing, builds the
# third-party libraries once from Debian's sources into a cache outside the clone
# (~/.cache/korvanta-windows, or KORVANTA_WINDOWS_CACHE), cross-builds the project with the CMake
# preset "windows" into build-windows/ (programs, tests, data, Qt's libraries and plugins, the
# mingw runtime, all in build-windows/bin) and makes the installer
# build-windows/korvanta-setup-VERSION.exe. scripts/windows-check.sh tests the result under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/install-deps.sh
scripts/windows/install-deps.sh

# The build host renders the artwork (the Windows Qt here has no SVG module).
echo "== the build host's artwork tool"
scripts/build.sh korvanta-render-icon >/dev/null
render_icon=$PWD/build/bin/korvanta-render-icon

echo "== third-party libraries for Windows"
prefix=$(scripts/windows/build-deps.sh | tail -n 1)
export KORVANTA_WINDOWS_PREFIX=$prefix
echo "in $prefix"

echo "== Korvanta for Windows"
cmake --preset windows -DKORVANTA_HOST_RENDER_ICON="$render_icon" -DKORVANTA_WERROR="${KORVANTA_WERROR:-OFF}" >/dev/null
cmake --build --preset windows -j "$(nproc)"

echo "== installer"
scripts/windows/make-installer.sh build-windows
echo "windows-build: done in $((SECONDS - started)) s"
