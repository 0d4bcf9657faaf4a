#!/usr/bin/env bash
# Configures and builds the default (release with debug information) tree in build/. With
# target names it builds only those (and what they need); without, everything, tests included.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
targets=()
for target in "$@"; do
  targets+=(--target "$target")
done
cmake --build build -j "$(nproc)" "${targets[@]}"
