#!/usr/bin/env bash
# Rebuilds every file under data/ and the contact sheets under docs/sheets/
# from the generator in this folder. Installs the Debian packages it needs when
# they are missing (nothing else), builds it out of tree and runs it. The output
# is the same byte for byte on every run.
#   bash tools/assetgen/generate.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ASSETGEN_BUILD:-"$root/build-assetgen"}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

bash "$root/scripts/install-deps.sh" build-essential cmake fonts-dejavu-core libstb-dev libvorbis-dev \
  pkg-config zlib1g-dev

cmake -S "$root/tools/assetgen" -B "$build" -DBRAMBLEWICK_ASSETGEN=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2

# Start from empty folders so no file from an older run lingers.
rm -rf "$root/data" "$root/docs/sheets"
mkdir -p "$root/data" "$root/docs/sheets"
"$build/assetgen" "$root/data" "$root/docs/sheets" "$font"
cp /usr/share/doc/fonts-dejavu-core/copyright "$root/data/LICENSE-DejaVu.txt"
echo "data/ is $(du -sh "$root/data" | cut -f1)"
