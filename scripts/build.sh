#!/usr/bin/env bash
# Configures and builds the default (release with debug information) tree in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build build -j "$(nproc)"
