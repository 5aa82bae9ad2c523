#!/usr/bin/env bash
# Starts the real game under Xvfb from folders of damaged data: a directory
# in place of every data file, the music alone as a directory, FIFOs and
# devices, empty files, random bytes, and no src/ at all. Each time the
# window must appear, keys must run turns (the risk on the status panel
# changes), Escape must end the game with status 0, and neither output
# stream may hold a word (but the driver's line about vertical sync). Without
# the theme, the designer's three buttons must lie inside the 1280 x 720
# screen.
#   baddata.sh GAME_BINARY [SCREENSHOT_DIR]
set -euo pipefail

game=$(readlink -f "$1")
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
shots=$(readlink -f "$shots")
top=$(cd "$(dirname "$0")/../.." && pwd)
export ALSOFT_DRIVERS=null
# A sanitizer build: the game never frees its objects, and Mesa leaks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

if [ -z "${VONDRELLEX_IN_XVFB:-}" ]; then
  VONDRELLEX_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$0" "$game" "$shots"
fi

pid=
fail() {
  echo "FAIL: $*" >&2
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

# Every file the game reads: music, logos, map, theme, the console's sources.
data_files() {
  printf '%s\n' Vondrellex.ogg logo1.png logo.png worldmap.png Themes/Vondrellex.theme
  (cd "$top" && ls src/*.h src/*.cpp)
}

# Makers: each puts something at path $1 in place of the data file $2.
real() { ln -s "$top/$2" "$1"; }
as_directory() { mkdir "$1"; }
music_as_directory() { if [ "$2" = Vondrellex.ogg ]; then mkdir "$1"; else real "$@"; fi; }
made=0
fifo_or_device() { made=$((made + 1)); if [ $((made % 2)) -eq 1 ]; then mkfifo "$1"; else ln -s /dev/zero "$1"; fi; }
empty() { : >"$1"; }
random_bytes() { head -c $((RANDOM % 8192 + 1)) /dev/urandom >"$1"; }

# A folder named $1 holding every data file as maker $2 makes it.
make_folder() {
  local dir="$shots/$1" file
  rm -rf "$dir"
  mkdir -p "$dir/src" "$dir/Themes"
  for file in $(data_files); do "$2" "$dir/$file" "$file"; done
}

# Mean brightness (0..1) of the status panel, top right, in a screenshot.
stat_shot() { import -window root -crop 148x64+1132+0 +repage "$1"; }
lit() { awk -v m="$(convert "$1" -format '%[fx:mean]' info:)" 'BEGIN { exit !(m > 0.02) }'; }

# Opens the designer (console hidden, key 1) and finds its three 138 x 40
# command buttons, in the built-in look's button colour, wholly on screen.
designer_fits() {
  local name=$1 found=0 i
  xdotool key space
  sleep 0.3
  xdotool key 1
  for i in $(seq 1 10); do
    sleep 0.5
    import -window root "$shots/$name-designer.png"
    found=$(convert "$shots/$name-designer.png" -fill white -opaque '#555752' -fill black +opaque white \
        -define connected-components:verbose=true -define connected-components:area-threshold=2000 \
        -connected-components 4 null: |
      awk '$NF ~ /255,255,255|white|gray\(255\)/ { split($2, g, /[x+]/)
             if (g[1] >= 130 && g[1] <= 140 && g[2] >= 36 && g[2] <= 40) n++ } END { print n + 0 }')
    [ "$found" -ne 3 ] || return 0
  done
  fail "$name: $found of the designer's three buttons lie inside the screen"
}

# Runs the game from folder $1 and checks the window, turns, exit and silence.
run() {
  local name=$1 i status=0
  (cd "$shots/$name" && exec "$game" >"$shots/$name.out" 2>"$shots/$name.err") &
  pid=$!
  for i in $(seq 1 300); do
    xdotool search --name Vondrellex >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || fail "$name: the game ended before its window appeared"
    [ "$i" -lt 300 ] || fail "$name: no window after 30 s"
    sleep 0.1
  done
  for i in $(seq 1 120); do
    stat_shot "$shots/$name-before.png"
    lit "$shots/$name-before.png" && break
    [ "$i" -lt 120 ] || fail "$name: the status panel never appeared"
    sleep 0.5
  done
  xdotool key a b c d e
  sleep 1
  stat_shot "$shots/$name-after.png"
  [ "$(compare -metric AE "$shots/$name-before.png" "$shots/$name-after.png" null: 2>&1 || true)" != 0 ] ||
    fail "$name: the status panel did not change after five keys"
  [ "${2:-}" != designer ] || designer_fits "$name"
  xdotool key Escape
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    [ "$i" -lt 100 ] || fail "$name: still running 10 s after Escape"
    sleep 0.1
  done
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$name: exit status $status"
  [ ! -s "$shots/$name.out" ] || fail "$name: printed on standard output: $(head -3 "$shots/$name.out")"
  ! grep -v '^Setting vertical sync not supported$' "$shots/$name.err" ||
    fail "$name: printed the lines above on standard error"
  echo "$name: passed"
}

make_folder directories as_directory
run directories designer
make_folder music-directory music_as_directory
run music-directory
make_folder fifos-and-devices fifo_or_device
run fifos-and-devices
make_folder empty-files empty
run empty-files
make_folder random-bytes random_bytes
run random-bytes
make_folder no-sources real
rm -r "$shots/no-sources/src"
run no-sources

echo "baddata: 6 passed, 0 failed (screenshots and data folders in $shots)"
