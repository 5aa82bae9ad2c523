#!/usr/bin/env bash
# The real game where its surroundings are unkind, on a 16-bit screen (still
# the default of some VNC servers): started without any display; with its
# standard output a pipe that nobody reads while a spawn writes its line;
# with a theme and a console source file far bigger than any real one. Each
# time it either says plainly why it cannot start or plays on: keys run
# turns, Escape ends it with status 0.
#   hostile.sh GAME_BINARY SCREENSHOT_DIR
. "$(dirname "$0")/lib.sh" 1280x720x16 "$2" "$@"
game=$(readlink -f "$1")
stat=148x64+$((W - 148))+0
# play NAME: the desktop shows and keys run turns (the status panel changes).
play() {
  await "$1-desktop" 60 lit "$stat"
  local before=$last
  xdotool key a b c d e
  await "$1-turns" 30 changed "$before" "$stat"
}

# No display: one line that says what is missing, status 1, at once.
status=0
env -u DISPLAY "$game" >"$shots/no-display.out" 2>"$shots/no-display.err" || status=$?
[ "$status" -eq 1 ] || fail "no-display: exit status $status"
[ "$(grep -c '' "$shots/no-display.err")" -eq 1 ] && grep -q "needs a graphical display" "$shots/no-display.err" ||
  fail "no-display: not one line saying what it needs: $(head -3 "$shots/no-display.err")"
[ ! -s "$shots/no-display.out" ] || fail "no-display: printed on standard output"
pass no-display

# Standard output a pipe whose reader is gone. A base room, then Spawn: the
# spawn's line finds no reader, its notification comes all the same, and
# the game plays on. The designer opens from the create bar's "~new".
start broken-pipe "$top" bash -c 'set -o pipefail; "$0" | true' "$game"
play broken-pipe
xdotool key space
sleep 0.3
xdotool key 1
await designer 30 lit 130x36+992+617
bar=$last
click 498 389
sleep 0.2
click 620 400
sleep 0.2
click 1056 635
await spawned 30 changed "$bar" 64x300+0+0
xdotool key space
play broken-pipe-after
quit broken-pipe
pass broken-pipe

# A theme and a console source of 16 GB (sparse files) are damaged data:
# skipped at once, like any other.
huge=$shots/huge
rm -rf "$huge" && mkdir -p "$huge/src" "$huge/Themes"
for f in Vondrellex.ogg logo1.png logo.png worldmap.png icons; do ln -s "$top/$f" "$huge/$f"; done
for f in "$top"/src/*; do ln -s "$f" "$huge/src/"; done
rm "$huge/src/World.cpp"
truncate -s 16G "$huge/Themes/Vondrellex.theme" "$huge/src/World.cpp"
start huge "$huge" "$game"
play huge
# shellcheck disable=SC2046
xdotool key --delay 5 $(printf 'a %.0s' $(seq 100))
await huge-typed 30 lit 500x240+388+262 0.01 30
quit huge
pass huge
summary hostile "screenshots in $shots"
