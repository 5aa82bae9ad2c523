#!/usr/bin/env bash
# Takes the README's screenshot, docs/screenshot.png: plays the real game
# under a virtual 1280 x 720 display with synthetic clicks and keys until the
# map shows enemies, then opens a note and leaves the designer open with a few
# rooms over the typing console.
#   scripts/screenshot.sh [OUTPUT.png]
# The game seeds its dice with the clock, so every run differs: look at the
# picture before committing it (an unlucky run may end the game first).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}

if [ -z "${VONDRELLEX_IN_XVFB:-}" ]; then
  bash scripts/install-deps.sh
  cmake -S . -B build/release >/dev/null
  cmake --build build/release --target vondrellex -j"$(nproc)" >/dev/null
  mkdir -p "$(dirname "$out")"
  VONDRELLEX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$0" "$out"
fi
export ALSOFT_DRIVERS=null

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
typed() { xdotool key --delay 5 $(printf 'a %.0s' $(seq 1 "$1")); }
# Number of buttons in the notification bar (opaque fills of its colour).
notifications() {
  import -window root /tmp/vondrellex-shot.$$.png
  convert /tmp/vondrellex-shot.$$.png -crop 64x720+0+0 +repage -fill white -opaque '#1a2533' \
    -fill black +opaque white -define connected-components:verbose=true \
    -define connected-components:area-threshold=60 -connected-components 4 null: |
    grep -c 'gray(255)\|white\|255,255,255' || true
}

# The designer's room kinds stand in a column, the grid beside them; its
# buttons below (Inventory, Delete, Spawn). The create bar's first button is
# at (1248, 76); notifications stack from (32, 12), 23 pixels apart.
BASE="498 389"; LOOK="498 438"; ROCK="498 489"; PING="498 539"
INVENTORY="764 635"

./build/release/vondrellex >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -f /tmp/vondrellex-shot.$$.png' EXIT
xdotool search --sync --name Vondrellex >/dev/null
sleep 4

# A scout of three rooms (base, look, ping), kept in the create bar and
# spawned four times.
click 1248 76
for step in "$BASE" "620 400" "$LOOK" "700 450" "$PING" "800 520" "$INVENTORY"; do
  # shellcheck disable=SC2086
  click $step
done
for _ in 1 2 3 4; do click 1248 76; done
xdotool mousemove 640 700

# Type until the scouts have reported a few enemies.
for _ in $(seq 1 20); do
  typed 100
  [ "$(notifications)" -lt 10 ] || break
done

# Open the first news after the four spawn messages, then a new design.
click 32 104
click 1248 99
for step in "$BASE" "640 420" "$LOOK" "720 400" "$ROCK" "760 480" "$PING" "860 440"; do
  # shellcheck disable=SC2086
  click $step
done
xdotool mousemove 1000 700
typed 12
sleep 0.5
import -window root "$out"
xdotool key Escape
wait "$pid" || true
echo "wrote $out"
