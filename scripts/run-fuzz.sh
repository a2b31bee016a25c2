#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a while on its seed corpus, several at once.
# A crash, a sanitizer report, a broken limit, a hang or a runaway allocation fails the run and
# prints the input that caused it (path and base64).
#
#   scripts/run-fuzz.sh [build folder] [seconds per target] [targets at once]
#   defaults: build-fuzz, 20, all of them (each stops after its time, so running them all at
#   once bounds the wall time whatever the number of processors)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --une-cible ]; then
  cible=$2 build=$3 secondes=$4
  travail="$build/fuzz-runs/$cible"
  rm -rf "$travail"
  mkdir -p "$travail/corpus" "$travail/tmp"
  seeds="tests/fuzz/corpus/$cible"
  [ -d "$seeds" ] || { echo "$cible: no seed corpus in $seeds" >&2; exit 1; }
  # New inputs go to a scratch corpus; the checked-in seeds are only read.
  # The hang limit is wall time and leaves room for a loaded machine: the largest legitimate
  # input (a MIDI file that fills all 1000 measures) takes a second or two of processor time
  # with the sanitizers, and ten times that when the machine is shared.
  if TMPDIR="$(realpath "$travail/tmp")" ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
     "$build/fuzz/$cible" -max_total_time="$secondes" -timeout=60 -rss_limit_mb=2560 \
       -artifact_prefix="$travail/" -print_final_stats=1 "$travail/corpus" "$seeds" \
       >"$travail/log" 2>&1; then
    echo "$cible: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$travail/log" | grep -o '[0-9]*$') inputs, no finding"
    exit 0
  fi
  {
    echo "==== $cible FAILED; its log ($travail/log) ends with:"
    tail -n 60 "$travail/log"
    for entree in "$travail"/crash-* "$travail"/timeout-* "$travail"/oom-* "$travail"/leak-* \
                  "$travail"/slow-unit-*; do
      [ -e "$entree" ] || continue
      echo "==== input $entree ($(stat -c %s "$entree") bytes), base64:"
      base64 "$entree"
    done
  } >&2
  exit 1
fi

build=${1:-build-fuzz}
secondes=${2:-20}
cibles=$(cd "$build/fuzz" && ls)
[ -n "$cibles" ] || { echo "no fuzz targets in $build/fuzz" >&2; exit 1; }
paralleles=${3:-$(echo "$cibles" | wc -l)}
echo "$cibles" | xargs -P "$paralleles" -I{} "$0" --une-cible {} "$build" "$secondes"
