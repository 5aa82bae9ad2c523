#!/usr/bin/env bash
# Plays the real game binary under its own virtual X display: thousands of
# key presses, the console hidden and shown, objects spawned from the
# designer, notifications opened and dismissed by clicks, windows dragged past
# the left and top edges, and Escape at the end. Checks what it can see on
# screen between the steps and keeps the screenshots.
#
#   tests/e2e/play.sh GAME_BINARY [SCREENSHOT_DIR]
#
# Runs from the top of the source tree, where the game finds its data files.
# Needs xvfb-run, xdotool and ImageMagick.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 GAME_BINARY [SCREENSHOT_DIR]" >&2
  exit 2
fi

# Our own X server, as large as a common desktop, whatever DISPLAY says.
# Without -noreset it would reset whenever its last client leaves (between
# two xdotool calls before the game connects) and refuse connections while
# it does.
if [ -z "${VONDRELLEX_E2E_INNER:-}" ]; then
  export VONDRELLEX_E2E_INNER=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$0" "$@"
fi

game=$(realpath "$1")
shots=${2:-$(mktemp -d /tmp/vondrellex-e2e-XXXXXX)}
mkdir -p "$shots"
shots=$(realpath "$shots")
rm -f "$shots"/*.png "$shots"/.*.png
cd "$(dirname "$0")/../.."

export ALSOFT_DRIVERS=null
# A sanitizer build: the game never frees its objects, and Mesa leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

W=1920
shot_no=0
last_shot=""
pid=""

log() { printf '[e2e] %s\n' "$*"; }

fail() {
  log "FAIL: $*"
  log "screenshots in $shots"
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
  fi
  exit 1
}

alive() {
  kill -0 "$pid" 2>/dev/null || fail "the game is gone ($1)"
}

grab() { import -window root "$1" 2>/dev/null || fail "screenshot failed"; }

# keep NAME FILE: files a screenshot under the next number; sets last_shot.
keep() {
  shot_no=$((shot_no + 1))
  last_shot=$(printf '%s/%02d-%s.png' "$shots" "$shot_no" "$1")
  mv "$2" "$last_shot"
}

# crop FILE W H X Y OUT
crop() { convert "$1" -crop "$2x$3+$4+$5" +repage "$6"; }

# Mean brightness (0..1) of a region: FILE W H X Y.
mean() { convert "$1" -crop "$2x$3+$4+$5" +repage -format '%[fx:mean]' info:; }

# The colour of one pixel as "r,g,b" (0..255): FILE X Y.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Number of differing pixels between two images of the same size.
differ() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
is_zero() { awk -v n="$1" 'BEGIN { exit !(n + 0 == 0) }'; }
is_dark() { awk -v m="$1" 'BEGIN { exit !(m + 0 < 0.002) }'; }

# until_shot NAME SECONDS TEST...: screenshots until TEST (run with the
# screenshot's path appended) succeeds; keeps the one that passed.
until_shot() {
  local name=$1 deadline=$((SECONDS + $2))
  shift 2
  while :; do
    alive "$name"
    grab "$shots/.u.png"
    if "$@" "$shots/.u.png"; then
      keep "$name" "$shots/.u.png"
      return 0
    fi
    [ $SECONDS -lt $deadline ] || { keep "$name" "$shots/.u.png"; fail "timed out waiting for: $name"; }
    sleep 0.3
  done
}

# Conditions on a screenshot (path last).
region_dark() { is_dark "$(mean "$5" "$1" "$2" "$3" "$4")"; }
region_lit() { ! is_dark "$(mean "$5" "$1" "$2" "$3" "$4")"; }
pixel_is() { [ "$(pixel "$4" "$1" "$2")" = "$3" ]; }
console_up() { region_lit 300 200 484 300 "$1" && region_dark 300 200 900 800 "$1"; }
region_changed() {
  crop "$6" "$2" "$3" "$4" "$5" "$shots/.c.png"
  ! is_zero "$(differ "$1" "$shots/.c.png")"
}

click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

# Forgets the last screenshot (a step not worth keeping).
drop_last() {
  rm -f "$last_shot"
  shot_no=$((shot_no - 1))
}

# --- start ------------------------------------------------------------------
log "game: $game; screenshots: $shots"
"$game" >"$shots/stdout.txt" 2>"$shots/stderr.txt" &
pid=$!
wid=$(timeout 30 xdotool search --sync --name Vondrellex | head -n 1) || fail "no window named Vondrellex"
log "window $wid"

# The splash takes 2.5 s and takes no input; then the empty console shows at
# (384, 240) over a black screen.
until_shot start 30 console_up
start_shot=$last_shot
# Title bar colours, for finding the console and the map after the drags.
console_title=$(pixel "$start_shot" 600 245)
map_title=$(pixel "$start_shot" 600 46)
xdotool windowfocus --sync "$wid" 2>/dev/null || true

# --- thousands of key presses -----------------------------------------------
# The console's text region; it changes with every turn.
text_region="500 280 390 250"
batch=$(printf 'a %.0s' $(seq 1 500))
for round in 1 2 3 4 5 6; do
  # shellcheck disable=SC2086
  crop "$last_shot" $text_region "$shots/.text.png"
  t0=$SECONDS
  # shellcheck disable=SC2086
  xdotool key --delay 1 $batch
  # The game took the keys: the text moved on.
  # shellcheck disable=SC2086
  until_shot "keys-$((round * 500))" 30 region_changed "$shots/.text.png" $text_region
  log "$((round * 500)) key presses: game alive, text moving ($((SECONDS - t0)) s)"
done
xdotool search --name Vondrellex 2>/dev/null | grep -qx "$wid" || fail "the window is gone"

# --- Space hides the console and shows it again, text unchanged --------------
# Every check waits for the effect of an input; events are handled in order,
# so once an effect shows, everything sent before it has been handled.
console_hidden() { region_dark 400 120 450 360 "$1"; }
console_shown() { pixel_is 600 245 "$console_title" "$1" && region_lit 300 180 484 300 "$1"; }
xdotool key space
until_shot console-hidden 120 console_hidden
drop_last
xdotool key space
until_shot console-shown 60 console_shown
shown=$last_shot
xdotool key space
until_shot console-hidden 60 console_hidden
# With the console hidden, letters and Return run no turn; Space shows it
# again with the same text, and nothing else on screen changed either.
xdotool key --delay 20 a b c Return F1 a space
until_shot console-shown-again 60 console_shown
for region in "$text_region" "148 64 1772 0" "64 300 0 0"; do
  # shellcheck disable=SC2086
  crop "$shown" $region "$shots/.r.png"
  # shellcheck disable=SC2086
  region_changed "$shots/.r.png" $region "$last_shot" && fail "the screen changed while the console was hidden ($region)"
done

# --- the designer: one room, three spawns ------------------------------------
# The create bar stands at (W - 64, 64); its first button is "~new". The
# designer opens at (404, 340): the room kinds, the grid, then the buttons
# Inventory, Delete and Spawn below. (It is checked at its Spawn button: a
# game-over window may cover its middle.)
designer_open() { region_lit 100 60 1000 580 "$1"; }
designer_closed() { region_dark 100 60 1000 580 "$1"; }
click $((W - 32)) 76
until_shot designer-open 30 designer_open
grid="300 100 600 370"
# shellcheck disable=SC2086
crop "$last_shot" $grid "$shots/.grid.png"
click 700 420
# shellcheck disable=SC2086
until_shot designer-room 30 region_changed "$shots/.grid.png" $grid
for _ in 1 2 3; do
  click 1056 634
  sleep 0.3
done
deadline=$((SECONDS + 60))
while [ "$(wc -l <"$shots/stdout.txt")" -lt 3 ] && [ $SECONDS -lt $deadline ]; do sleep 0.3; done
spawned=$(wc -l <"$shots/stdout.txt")
[ "$spawned" -eq 3 ] || fail "expected 3 spawned objects on standard output, got $spawned"
log "spawned from the designer: $(tr '\n' ' ' <"$shots/stdout.txt")"
click 910 634
until_shot designer-closed 60 designer_closed

# --- notifications: the bar at the left edge ---------------------------------
# Buttons stack from the top of the 64-pixel-wide bar; a note opens right of
# it, level with its button.
bar=$last_shot
region_dark 40 14 12 6 "$bar" && fail "no notification in the bar after spawning"
note="400 36 66 0"
# shellcheck disable=SC2086
region_dark $note "$bar" || fail "something already stands right of the bar"
crop "$bar" 64 300 0 0 "$shots/.bar.png"

# Open the first notification: a note appears beside it.
click 32 12
# shellcheck disable=SC2086
until_shot note-open 30 region_lit $note
# A click on the note closes it; the bar is as it was.
click 84 10
# shellcheck disable=SC2086
until_shot note-closed 30 region_dark $note
region_changed "$shots/.bar.png" 64 300 0 0 "$last_shot" && fail "closing a note changed the bar"

# Open again (a new note), then click the button again: the note closes and
# the notification leaves the bar, in the same click.
click 32 12
# shellcheck disable=SC2086
until_shot note-reopened 30 region_lit $note
click 32 12
# shellcheck disable=SC2086
until_shot notification-dismissed 30 region_dark $note
region_changed "$shots/.bar.png" 64 300 0 0 "$last_shot" || fail "the bar did not change after dismissing"

# A right click dismisses without closing an open note; the note still
# closes on a click.
click 32 12
# shellcheck disable=SC2086
until_shot note-open-again 30 region_lit $note
crop "$last_shot" 64 300 0 0 "$shots/.bar.png"
click 32 12 3
until_shot right-click-dismissed 30 region_changed "$shots/.bar.png" 64 300 0 0
# shellcheck disable=SC2086
region_lit $note "$last_shot" || fail "a right click closed the open note"
click 84 10
# shellcheck disable=SC2086
until_shot orphan-note-closed 30 region_dark $note

# --- windows dragged past the left and top edges come back to (0, 0) ---------
# Grab the console's title bar and pull it past the left edge at y = 400:
# it comes back to (0, 0), not to (0, 400 - grab).
xdotool mousemove 600 245 mousedown 1
sleep 0.3
xdotool mousemove 300 400
sleep 0.3
xdotool mousemove 0 400
sleep 0.3
xdotool mouseup 1
# Title bars are 16 pixels tall: a window whose title bar covers (20, 13)
# and (200, 0) stands within a few pixels of the corner. The frame that
# moved it past the edge is shown before the clamp, so wait for the next.
at_corner() { pixel_is 20 13 "$1" "$2" && pixel_is 200 0 "$1" "$2"; }
until_shot console-dragged-left 60 at_corner "$console_title"
sleep 1
grab "$shots/.s.png"
at_corner "$console_title" "$shots/.s.png" || fail "the console did not stay at the top-left corner"
pixel_is 540 13 "$console_title" "$last_shot" && fail "the console is wider than it should be"
pixel_is 600 245 "$console_title" "$last_shot" && fail "the console is still at its old place"

# The map's title bar (right of the console, which now covers the rest of
# it), pulled past the top edge.
xdotool mousemove 600 46 mousedown 1
sleep 0.3
xdotool mousemove 610 20
sleep 0.3
xdotool mousemove 620 0
sleep 0.3
xdotool mouseup 1
until_shot map-dragged-up 60 at_corner "$map_title"
sleep 1
grab "$shots/.s.png"
at_corner "$map_title" "$shots/.s.png" || fail "the map did not stay at the top-left corner"
pixel_is 600 46 "$map_title" "$last_shot" && fail "the map is still at its old place"
alive "drags"

# --- Escape ends the game with status 0 ---------------------------------------
xdotool key Escape
for _ in $(seq 1 120); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the game did not exit after Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game exited with status $status"
errbytes=$(wc -c <"$shots/stderr.txt")
[ "$errbytes" -lt 65536 ] || fail "the game wrote $errbytes bytes to standard error"
rm -f "$shots"/.*.png
log "PASS ($shot_no screenshots in $shots)"
