#!/usr/bin/env bash
# Resident memory of the real program with a song open, as a user's process holds it:
#   (a) the empty new song, (b) 1000 measures of one 32-note track, (c) the largest song
#   (1000 measures x 8 tracks x 64 beats x 6 notes with techniques),
# each with the default SoundFont and without one. The program starts offscreen with no
# starting music, opens the song named on its command line, and VmRSS is read after a delay.
#
#   bench/memory.sh [BUILD_DIR]          (default: build; needs lyrandaxis and
#                                         lyrx_generer_partition built there)
#   LYRX_BENCH_DELAI=4                   seconds between start and the reading
#   LYRX_BENCH_SOUNDFONT=path            the SoundFont of the "with" column
#                                         (default: the program's own choice)
#
# Targets with the default SoundFont: (a) <= 80 MB, (b) <= 120 MB, (c) <= 200 MB.
set -euo pipefail

cd "$(dirname "$0")/.."
build=${1:-build}
delai=${LYRX_BENCH_DELAI:-4}
programme="$build/src/lyrandaxis"
generateur="$build/bench/lyrx_generer_partition"
for f in "$programme" "$generateur"; do
    [[ -x $f ]] || { echo "missing $f: build it first (cmake --build $build)" >&2; exit 1; }
done

dossier=$(mktemp -d "${TMPDIR:-/tmp}/lyrx-memoire.XXXXXX")
pid=""
nettoyer() {
    if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    rm -rf "$dossier"
}
trap nettoyer EXIT

"$generateur" une-piste "$dossier/une-piste.lrx"
"$generateur" dense "$dossier/dense.lrx"

# A settings file of our own: English known (no language question), no starting music.
mesurer() { # $1 soundfont ("" = the program's default), $2.. the program's arguments
    local sf=$1; shift
    local windows="$dossier/windows"
    rm -rf "$windows"; mkdir -p "$windows"
    printf '[Config]\r\nPatcheLangue=English\r\nStartingMusic=3\r\n' >"$windows/Lyrx220.ini"
    (
        export QT_QPA_PLATFORM=offscreen LYRX_WINDOWS_DIR="$windows" \
               LYRX_AUDIO_DRIVER=file LYRX_AUDIO_FILE="$windows/lyrx.wav"
        if [[ -n $sf ]]; then export LYRX_SOUNDFONT="$sf"; fi
        exec "$programme" "$@"
    ) >"$dossier/sortie.txt" 2>&1 &
    pid=$!
    sleep "$delai"
    local rss
    rss=$(awk '/^VmRSS:/ { printf "%.0f", $2 / 1024 }' "/proc/$pid/status" 2>/dev/null || true)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
    echo "${rss:-?}"
}

avec=${LYRX_BENCH_SOUNDFONT:-}
sans="$dossier/no-soundfont.sf2"   # a path that does not exist: no SoundFont is loaded

printf '%-46s %14s %14s %8s\n' "song open (VmRSS after ${delai} s, MB)" "with SoundFont" "without" "target"
for cas in "vide|(a) empty new song||80" \
           "une-piste|(b) 1000 measures, one 32-note track|$dossier/une-piste.lrx|120" \
           "dense|(c) 1000 x 8 tracks x 64 beats x 6 notes|$dossier/dense.lrx|200"; do
    IFS='|' read -r _ titre fichier cible <<<"$cas"
    args=()
    [[ -n $fichier ]] && args=("$fichier")
    a=$(mesurer "$avec" "${args[@]+"${args[@]}"}")
    s=$(mesurer "$sans" "${args[@]+"${args[@]}"}")
    printf '%-46s %14s %14s %8s\n' "$titre" "$a" "$s" "$cible"
done
