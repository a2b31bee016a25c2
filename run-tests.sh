#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in Release, once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every file reader under libFuzzer
# for a while (clang; only the headless readers are built for it).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# The options are given every time: build/ is shared with ./run.sh, and a cache made without
# the tests would otherwise keep them out of this pass. A pass that finds no test fails.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DLYRX_BUILD_TESTS=ON -DLYRX_BUILD_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure --no-tests=error -j "$jobs"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLYRX_SANITIZE=ON -DLYRX_BUILD_TESTS=ON \
  -DLYRX_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure --no-tests=error -j "$jobs"
cmake -S . -B build-fuzz -G Ninja -DLYRX_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"
scripts/run-fuzz.sh build-fuzz "${LYRX_FUZZ_SECONDS:-20}"
