#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the editor; arguments go to the editor.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# build/ is shared with ./run-tests.sh: its options are left as they are, so that either command
# can follow the other; only the editor is built here.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target lyrandaxis
exec build/src/lyrandaxis "$@"
