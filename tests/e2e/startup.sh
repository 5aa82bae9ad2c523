#!/usr/bin/env bash
# Starts the real game under Xvfb, once from the source tree with its data
# files and once from an empty folder, watches the splash and the desktop on
# screenshots, quits with Escape and expects exit status 0.
#   startup.sh GAME_BINARY [SCREENSHOT_DIR]
set -euo pipefail

game=$(readlink -f "$1")
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
top=$(cd "$(dirname "$0")/../.." && pwd)
export ALSOFT_DRIVERS=null

if [ -z "${VONDRELLEX_IN_XVFB:-}" ]; then
  VONDRELLEX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$0" "$game" "$shots"
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

# Differing pixels between the splash area of a screenshot and a logo.
splash_diff() {
  convert "$1" -crop 256x256+512+232 +repage png:- |
    compare -metric AE -fuzz 8% - "$2" null: 2>&1 || true
}

# Runs one game from folder $1; screenshots get prefix $2.
run_game() {
  local dir=$1 name=$2
  (cd "$dir" && exec "$game" >"$shots/$name.out" 2>"$shots/$name.err") &
  local pid=$!
  # Poll quickly (search --sync waits half a second between looks): the
  # first logo stands for only a third of a second.
  local i
  for i in $(seq 1 500); do
    xdotool search --name Vondrellex >/dev/null 2>&1 && break
    sleep 0.01
  done
  for i in $(seq -w 1 25); do
    import -window root "$shots/$name-splash-$i.png"
  done
  sleep 3
  import -window root "$shots/$name-desktop.png"
  xdotool key Escape
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$name: exit status $status"
  [ ! -s "$shots/$name.out" ] || fail "$name: printed on standard output: $(head -3 "$shots/$name.out")"
}

# With the data files: both logos appear, centred, then the desktop.
run_game "$top" with-data
seen1=0; seen2=0
for shot in "$shots"/with-data-splash-??.png; do
  d1=$(splash_diff "$shot" "$top/logo1.png")
  d2=$(splash_diff "$shot" "$top/logo.png")
  [ "${d1%%.*}" -lt 200 ] 2>/dev/null && seen1=1
  [ "${d2%%.*}" -lt 200 ] 2>/dev/null && seen2=1
done
# The first logo stands for only 0.33 s, and loading both textures counts
# towards that time: a slow (sanitised, loaded) machine may never show it.
[ $seen1 -eq 1 ] || echo "note: no screenshot caught the first logo's 0.33 s"
[ $seen2 -eq 1 ] || fail "the game's logo never showed"
d=$(splash_diff "$shots/with-data-desktop.png" "$top/logo.png")
[ "${d%%.*}" -gt 5000 ] || fail "the splash was still showing after it should have ended"
# The console stands at (384, 240) with a theme, and the map at (104, 40):
# after the splash the screen is far from black.
lit=$(convert "$shots/with-data-desktop.png" -colorspace gray -threshold 8% -format "%[fx:mean]" info:)
awk -v m="$lit" 'BEGIN { exit !(m > 0.05) }' || fail "the desktop looks empty after the splash (lit fraction $lit)"

# Without any data file: no splash, the built-in look, still a clean run.
empty=$(mktemp -d)
run_game "$empty" without-data
lit=$(convert "$shots/without-data-desktop.png" -colorspace gray -threshold 8% -format "%[fx:mean]" info:)
awk -v m="$lit" 'BEGIN { exit !(m > 0.02) }' || fail "no windows drawn without data files (lit fraction $lit)"
rmdir "$empty"

echo "startup: 2 passed, 0 failed (screenshots in $shots)"
