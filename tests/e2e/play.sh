#!/usr/bin/env bash
# Plays the real game on a 1920 x 1080 screen: thousands of key presses, the
# console hidden and shown, a design of three rooms spawned from the designer
# and kept in the create bar, spawned again from there, notifications opened
# and dismissed by clicks, windows dragged past the left and top edges, and
# Escape at the end. Every step waits for its effect on screen; screenshots
# are kept in order.
#   play.sh GAME_BINARY SCREENSHOT_DIR
. "$(dirname "$0")/lib.sh" 1920x1080 "$2" "$@"
game=$(readlink -f "$1")

pixel() { convert "$3" -format "%[pixel:p{$1,$2}]" info:; }
pixel_is() { [ "$(pixel "$1" "$2" "$4")" = "$3" ]; }

# The splash takes 2.5 s and no input; then the empty console shows at
# (384, 240) over a black screen.
start play "$top" "$game"
console_up() { lit 300x200+484+300 "$1" && dark 300x200+900+800 "$1"; }
await start 30 console_up
# Title bar colours, for finding the console and the map after the drags.
console_title=$(pixel 600 245 "$last")
map_title=$(pixel 600 46 "$last")
xdotool windowfocus --sync "$wid" 2>/dev/null || true

# Thousands of keys: the console's text moves on after every batch.
text=500x280+390+250
for round in 1 2 3 4 5 6; do
  before=$last
  # shellcheck disable=SC2046
  xdotool key --delay 1 $(printf 'a %.0s' $(seq 500))
  await "keys-$((round * 500))" 30 changed "$before" "$text"
done
pass keys

# Space hides the console and shows it again. Hidden, letters and Return run
# no turn: shown again, the text, the status panel and the notifications
# are as they were.
console_hidden() { dark 400x120+450+360 "$1"; }
console_shown() { pixel_is 600 245 "$console_title" "$1" && lit 300x180+484+300 "$1"; }
xdotool key space
await console-hidden 120 console_hidden
xdotool key space
await console-shown 60 console_shown
shown=$last
xdotool key space
await console-hidden 60 console_hidden
xdotool key --delay 20 a b c Return F1 a space
await console-shown-again 60 console_shown
for region in "$text" 148x64+$((W - 148))+0 64x300+0+0; do
  changed "$shown" "$region" "$last" && fail "the screen changed while the console was hidden ($region)"
done
pass console-hidden-and-shown

# The designer: the create bar's "~new" button (at W - 64, 64) opens it at
# (404, 340). A base, a look and a rock room, in the row above where a
# game-over window may stand; the grid's cells are 8 x 14 pixels from
# (589, 364), the room kinds stand left of it, the buttons Inventory and
# Spawn below. Two spawns, each printing the design's name.
designer_open() { lit 100x60+1000+580 "$1"; }
click $((W - 32)) 76
await designer-open 30 designer_open
grid=370x250+589+364
before=$last
for room in "460 389 617" "460 438 713" "460 489 809"; do
  read -r cx cy gx <<<"$room"
  click "$cx" "$cy"
  sleep 0.2
  click "$gx" 385
  sleep 0.2
done
await designer-rooms 30 changed "$before" "$grid"
click 1056 634
sleep 0.3
click 1056 634
sleep 0.3
# Inventory keeps the design as a template button above a new "~new".
click 764 634
await designer-kept 30 lit 40x10+$((W - 52))+93 0.5 10
designer_open "$last" && fail "the designer is still open after Inventory"
pass designer
# The template button spawns a third object: a notification comes.
before=$last
click $((W - 32)) 76
await bar-spawn 30 changed "$before" 64x300+0+0
lit 40x10+$((W - 52))+93 0.5 10 "$last" && dark 40x10+$((W - 52))+116 0 10 "$last" ||
  fail "the create bar changed on a template click"
pass template-spawn

# Notifications stack from the top of the bar at the left edge; a note
# opens right of its button. A click on the note closes it, the bar as it
# was.
note=400x36+66+0
dark "$note" "$last" || fail "something already stands right of the bar"
bar=$last
click 32 12
await note-open 30 lit "$note"
click 84 10
await note-closed 30 dark "$note"
changed "$bar" 64x300+0+0 "$last" && fail "closing a note changed the bar"
# Open again, then click the button again: the note closes and the
# notification leaves the bar, in the same click.
click 32 12
await note-reopened 30 lit "$note"
click 32 12
await notification-dismissed 30 dark "$note"
changed "$bar" 64x300+0+0 "$last" || fail "the bar did not change after dismissing"
# A right click dismisses without closing an open note; the note still
# closes on a click.
click 32 12
await note-open-again 30 lit "$note"
bar=$last
click 32 12 3
await right-click-dismissed 30 changed "$bar" 64x300+0+0
lit "$note" "$last" || fail "a right click closed the open note"
click 84 10
await orphan-note-closed 30 dark "$note"
pass notes

# drag X Y X Y X Y: pulls a title bar from the first point through the rest.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.3
  xdotool mousemove "$3" "$4"
  sleep 0.3
  xdotool mousemove "$5" "$6"
  sleep 0.3
  xdotool mouseup 1
}
# Title bars are 16 pixels tall: a window whose title bar covers (20, 13)
# and (200, 0) stands within a few pixels of the corner. The frame that
# moved it past the edge is shown before the clamp, so look again later.
at_corner() { pixel_is 20 13 "$1" "$2" && pixel_is 200 0 "$1" "$2"; }
# The console, pulled past the left edge at y = 400, comes back to (0, 0),
# not to (0, 400 - grab).
drag 600 245 300 400 0 400
await console-dragged-left 60 at_corner "$console_title"
sleep 1
await console-stays 1 at_corner "$console_title"
pixel_is 540 13 "$console_title" "$last" && fail "the console is wider than it should be"
pixel_is 600 245 "$console_title" "$last" && fail "the console is still at its old place"
# The map's title bar (right of the console, which now covers the rest of
# it), pulled past the top edge.
drag 600 46 610 20 620 0
await map-dragged-up 60 at_corner "$map_title"
sleep 1
await map-stays 1 at_corner "$map_title"
pixel_is 600 46 "$map_title" "$last" && fail "the map is still at its old place"
pass drags

# Only the designer's spawns print: the design's kinds but the base, and a
# number 0..998.
quit play 2
while read -r name; do
  [[ $name =~ ^lR(0|[1-9][0-9]{0,2})$ ]] && [ "${BASH_REMATCH[1]}" -le 998 ] ||
    fail "spawned name \"$name\" is not lR followed by 0..998"
done <"$shots/play.out"
pass spawned-names
summary play "$n screenshots in $shots"
