#!/usr/bin/env bash
# Start-up of the real program: exec -> first paint of the main window, with the default
# sound font and without one, median of 10 runs each (more: bench/startup.sh build 20), and
# the same for a bare Qt window with a menu bar, run in turns with it; the ratio of the real
# program's median to the bare window's is the figure that compares across machines.
# Under Xvfb when it is installed, else on the offscreen platform. After the runs: --rss for
# the resident size 4 s after start, and --exe OTHER-PROGRAM (again for more) to run other
# builds of the program in the same turns, to compare before and after a change on one load.
#   cmake --build build --target lyrx_startup_bench && bench/startup.sh [build-dir] [runs] [--rss]
#   bench/startup.sh build 10 --exe ../before/build/src/lyrandaxis
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-10}
runner="$build/bench/lyrx_startup_bench"
exe="$build/src/lyrandaxis"
bare="$build/bench/lyrx_bare_window"
if command -v Xvfb >/dev/null; then
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp 2>/dev/null & echo "pid $!")
  read -r _ xvfb <&3
  read -r display <&3 || true
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
  echo "Xvfb on $DISPLAY"
else
  export QT_QPA_PLATFORM=offscreen
  echo "offscreen platform"
fi
"$runner" --exe "$exe" --bare "$bare" --runs "$runs" "${@:3}"
