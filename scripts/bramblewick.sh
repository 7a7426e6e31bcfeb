#!/usr/bin/env bash
# One entry point for players and CI:
#   bash scripts/bramblewick.sh run    install what is missing, build (Release) and start the game
#   bash scripts/bramblewick.sh test   install what is missing, build and run every test headless
# Both build out of tree in ./build and only rebuild what changed.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
what=${1:-}

case "$what" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

bash "$here/scripts/install-deps.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j"$(nproc)"

if [ "$what" = run ]; then
  # The profile is kept in ./.tarvikstate of the folder the game starts in.
  cd "$here"
  exec "$build/bramblewick-run"
fi

cd "$build"
exec xvfb-run -a -s "-screen 0 1280x720x24" ctest --output-on-failure -j"$(nproc)"
