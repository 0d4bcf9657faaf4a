#!/usr/bin/env bash
# Makes the Windows installer from a cross build: installs the build into a staging folder, lists
# its files for the uninstaller (which removes what it installed and nothing else) and runs
# makensis. Usage: scripts/windows/make-installer.sh [build-folder]   (default: build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build-windows}")
stage="$build/stage"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "make-installer: no project version in $build/CMakeCache.txt" >&2; exit 1; }

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
# The debug information stays in the build; the installed programs and libraries go without it.
find "$stage" -type f \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# The uninstaller's list, deepest first so folders are empty when they are removed.
uninstall="$build/uninstall-files.nsh"
{
  (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g' | while read -r file; do
    printf 'Delete "$INSTDIR\\%s"\n' "$file"
  done
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g' | while read -r dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "$dir"
  done
} >"$uninstall"

out="$build/korvanta-setup-$version.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_LIST="$uninstall" \
         -DOUTFILE="$out" -DICON="$build/gui/icons/korvanta.ico" packaging/windows/korvanta.nsi
echo "$out"
