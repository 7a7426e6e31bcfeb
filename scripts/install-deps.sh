#!/usr/bin/env bash
# Installs the Debian packages the game, its tests, benchmarks and tools need,
# or only the packages named on the command line (the asset generator's).
# Does nothing when everything is already there, so it is cheap to run every time.
set -euo pipefail

packages=(
  build-essential
  cmake
  googletest
  imagemagick
  libbenchmark-dev
  libgl-dev
  libgl1-mesa-dri
  libglfw3-dev
  libgtest-dev
  libopenal-dev
  libstb-dev
  libx11-dev
  pkg-config
  xauth
  xdotool
  xvfb
)

[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
