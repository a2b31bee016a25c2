#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the editor; arguments go to the editor.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLYRX_BUILD_TESTS=OFF -DLYRX_BUILD_BENCH=OFF >/dev/null
cmake --build build --target lyrandaxis
exec build/src/lyrandaxis "$@"
