#!/usr/bin/env bash
# Starts the real game from folders of good, missing and damaged data files.
# With the data: both logos show, centred, then the splash makes way for the
# desktop. Every time: the window appears, the desktop is drawn, keys run
# turns (the status panel changes), Escape ends the game with status 0 and
# neither output stream holds a word (but the driver's line about vertical
# sync). Without the theme, the designer's three buttons lie inside the
# 1280 x 720 screen.
#   startup.sh GAME_BINARY SCREENSHOT_DIR
. "$(dirname "$0")/lib.sh" 1280x720 "$2" "$@"
game=$(readlink -f "$1")
stat=148x64+$((W - 148))+0

# The splash: a burst of screenshots while it lasts, one after it.
splash() {
  local i seen1=0 seen2=0
  for i in $(seq -w 25); do shot "$shots/splash-$i.png"; done
  sleep 3
  shot "$shots/after-splash.png"
  for i in "$shots"/splash-*.png; do
    shows "$top/logo1.png" "$i" && seen1=1
    shows "$top/logo.png" "$i" && seen2=1
  done
  # Loading both textures counts towards the first logo's 0.33 s: a slow
  # (sanitised, loaded) machine may never show it.
  [ $seen1 -eq 1 ] || echo "note: no screenshot caught the first logo's 0.33 s"
  [ $seen2 -eq 1 ] || fail "the game's logo never showed"
  shows "$top/logo.png" "$shots/after-splash.png" && fail "the splash was still showing after it should have ended"
  lit "${W}x$H+0+0" 0.05 8 "$shots/after-splash.png" || fail "the desktop looks empty after the splash"
}

# The designer (console hidden, key 1) shows its three 138 x 40 command
# buttons, in the built-in look's button colour, wholly on screen.
three_buttons() {
  convert "$1" -fill white -opaque '#555752' -fill black +opaque white \
      -define connected-components:verbose=true -define connected-components:area-threshold=2000 \
      -connected-components 4 null: |
    awk '$NF ~ /255,255,255|white|gray\(255\)/ { split($2, g, /[x+]/)
      if (g[1] >= 130 && g[1] <= 140 && g[2] >= 36 && g[2] <= 40) n++ } END { exit n != 3 }'
}
designer() {
  xdotool key space
  sleep 0.3
  xdotool key 1
  await "$name-designer" 10 three_buttons
}

# run NAME FOLDER [EARLY [LATE]]: one game from the folder; the check EARLY
# as soon as the window appears, LATE after the turns.
run() {
  local name=$1
  start "$1" "$2" "$game"
  [ -z "${3:-}" ] || "$3"
  await "$1-desktop" 60 lit "$stat"
  lit "${W}x$H+0+0" 0.02 8 "$last" || fail "$1: no windows drawn"
  local desktop=$last
  xdotool key a b c d e
  await "$1-turns" 30 changed "$desktop" "$stat"
  [ -z "${4:-}" ] || "$4"
  quit "$1"
  pass "$1"
}

# Damaged data: each maker puts something at path $1 in place of data file $2.
real() { ln -s "$top/$2" "$1"; }
directory() { mkdir "$1"; }
music_directory() { if [ "$2" = Vondrellex.ogg ]; then mkdir "$1"; else real "$@"; fi; }
made=0
fifo_or_device() { made=$((made + 1)); if [ $((made % 2)) = 1 ]; then mkfifo "$1"; else ln -s /dev/zero "$1"; fi; }
empty() { : >"$1"; }
random_bytes() { head -c $((RANDOM % 8192 + 1)) /dev/urandom >"$1"; }
no_sources() { [[ $2 == src/* ]] || real "$@"; }
# folder NAME MAKER: a folder holding every file the game reads, so made.
folder() {
  local file
  rm -rf "${shots:?}/$1"
  mkdir -p "$shots/$1/src" "$shots/$1/Themes" "$shots/$1/icons"
  for file in Vondrellex.ogg logo1.png logo.png worldmap.png Themes/Vondrellex.theme icons/vondrellex-64.png \
    $(cd "$top" && ls src/*.h src/*.cpp); do "$2" "$shots/$1/$file" "$file"; done
  rmdir --ignore-fail-on-non-empty "$shots/$1/src"
}

run with-data "$top" splash
mkdir -p "$shots/without-data"
run without-data "$shots/without-data" "" designer
for maker in directory music_directory fifo_or_device empty random_bytes no_sources; do
  folder "$maker" "$maker"
  run "$maker" "$shots/$maker" "" "$([ $maker = directory ] && echo designer)"
done
summary startup "screenshots and data folders in $shots"
