#!/usr/bin/env bash
# Installs what building, running and testing need, on Debian, when something is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev libfluidsynth-dev
          qt6-translations-l10n fluid-soundfont-gm timgm6mb-soundfont fonts-liberation libgtest-dev libgmock-dev
          libbenchmark-dev python3 python3-mido clang libclang-rt-14-dev xvfb openbox libx11-dev)
if [ "${LYRX_SMALL_SOUNDFONT:-}" = 1 ]; then
  # CI makes do with the small General MIDI SoundFont.
  packages=("${packages[@]/fluid-soundfont-gm}")
fi
missing=()
for p in "${packages[@]}"; do
  [ -n "$p" ] || continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
