#!/usr/bin/env bash
# Takes the README's screenshots: starts the game on a virtual X screen (Xvfb),
# plays it with xdotool key presses and saves PNGs of the window with
# ImageMagick's `import`:
#   menu.png     the main page once the title has dropped in
#   courses.png  the course page with its curtains open
#   summer.png, winter.png, autumn.png
#                the first hole of courses 1, 4 and 3, the ball in the air
#                a moment after a medium thwack
#
# Usage (from anywhere, after building the game):
#   bash tools/screenshots/take_screenshots.sh [build folder] [output folder]
# The build folder defaults to ./build, the output folder to docs/screenshots.
# Each course is played by a fresh game in an empty temporary folder, so the
# player's own profile is neither read nor changed.
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
mkdir -p "${2:-$here/docs/screenshots}"
out=$(cd "${2:-$here/docs/screenshots}" && pwd)
game="$build/bramblewick-run"

if [ ! -x "$game" ] || [ ! -d "$build/data" ]; then
  echo "No game in $build: build it first (cmake --build $build)" >&2
  exit 1
fi

# Everything below needs the virtual screen: run this script again inside it.
if [ "${3:-}" != "--inside-xvfb" ]; then
  exec xvfb-run -a -s "-screen 0 1280x720x24" bash "$0" "$build" "$out" --inside-xvfb
fi

work=$(mktemp -d)
pid=""
finish() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap finish EXIT

# The game acts on keys held during an update (60 a second), so every press
# is held for a few updates and followed by a pause before the next one.
press() {
  xdotool keydown "$1"
  sleep "${2:-0.12}"
  xdotool keyup "$1"
  sleep 0.25
}

# Saved with a 256-colour palette: the pictures stay small enough for the
# repository and look the same.
shot() {
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -strip +dither -colors 256 "PNG8:$out/$1.png"
  echo "saved $out/$1.png"
}

start_game() {
  cd "$work"
  rm -f .tarvikstate
  ALSOFT_DRIVERS=null "$game" >"$work/game.log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Bramblewick Run$" | head -n 1)
  xdotool windowfocus --sync "$window"
  sleep 4  # the loading screen takes about a second; then the title drops in
}

quit_game() {
  press F4
  wait "$pid" || true
  pid=""
}

# From the main page into course number $1 (1..9): Start Game, then down
# the wrapping list, then choose.
enter_course() {
  press Return
  local n
  for ((n = 1; n < $1; ++n)); do press Down; done
  sleep 0.6  # the curtains part
}

# The golfer starts two cells up and left of the ball: walk down-right into
# the aiming zone, start the power meter, let it run for a while and strike;
# the picture catches the golfer's follow-through and the ball in flight.
thwack() {
  sleep 1.5  # the camera settles on the first hole
  xdotool keydown Right keydown Down
  sleep 0.25
  xdotool keyup Right keyup Down
  sleep 0.5
  press space
  sleep 0.3
  xdotool keydown space
  sleep 0.1
  xdotool keyup space
  sleep 0.05
}

start_game
shot menu
enter_course 1
shot courses
quit_game

for course in 1:summer 4:winter 3:autumn; do
  start_game
  enter_course "${course%%:*}"
  press Return
  thwack
  shot "${course#*:}"
  quit_game
done
