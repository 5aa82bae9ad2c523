# What every end-to-end script needs: its own X server, the game started and
# ended with its output kept, keys and clicks, screenshots and checks on them.
#   . lib.sh WIDTHxHEIGHT[xDEPTH] SCREENSHOT_DIR "$@"
# re-runs the calling script with its own arguments under an Xvfb of that
# size (24 bits deep unless given). -noreset: Xvfb would otherwise reset whenever its last client leaves
# (between two xdotool calls before the game connects) and refuse
# connections while it does.
set -euo pipefail
if [ -z "${VONDRELLEX_E2E_X:-}" ]; then
  screen=$1
  [[ $screen == *x*x* ]] || screen=${screen}x24
  VONDRELLEX_E2E_X=1 exec xvfb-run -a -s "-screen 0 $screen -noreset" bash "$0" "${@:3}"
fi
IFS=x read -r W H _ <<<"$1"
mkdir -p "$2"
shots=$(readlink -f "$2")
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# No sound card: OpenAL's null output keeps time (SFML 2; on SFML 3 the game
# finds no device and plays no music). A sanitised game never frees its
# objects, and Mesa leaks.
export ALSOFT_DRIVERS=null ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
pid= n=0 passed=0

# pass [NAME]: one more check held (and says so when named); summary NAME
# NOTE prints the count as the script's last line.
pass() {
  passed=$((passed + 1))
  [ -z "${1:-}" ] || echo "$1: passed"
}
summary() { echo "$1: $passed passed, 0 failed ($2)"; }

fail() {
  echo "FAIL: $*" >&2
  echo "screenshots in $shots" >&2
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

# start NAME DIR COMMAND...: runs the game in DIR, standard output and error
# in $shots/NAME.out and .err, and returns once its window exists ($wid).
# Polls quickly: the first logo stands for only a third of a second.
start() {
  local name=$1 dir=$2 end=$((SECONDS + 30))
  shift 2
  (cd "$dir" && exec "$@" >"$shots/$name.out" 2>"$shots/$name.err") &
  pid=$!
  while [ $SECONDS -lt $end ]; do
    wid=$(xdotool search --name Vondrellex 2>/dev/null | head -1) && [ -n "$wid" ] && return
    kill -0 "$pid" 2>/dev/null || fail "$name: the game ended before its window appeared"
    sleep 0.01
  done
  fail "$name: no window after 30 s"
}

# quit NAME [LINES]: Escape ends the game within 60 s with status 0, after
# LINES lines (none by default) on standard output and nothing on standard
# error but the driver's line about vertical sync.
quit() {
  local i status=0
  xdotool key Escape
  for i in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "$1: still running 60 s after Escape"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$1: exit status $status"
  [ "$(grep -c '' "$shots/$1.out")" -eq "${2:-0}" ] ||
    fail "$1: not ${2:-0} lines on standard output: $(head -3 "$shots/$1.out")"
  ! grep -v '^Setting vertical sync not supported$' "$shots/$1.err" || fail "$1: printed the lines above on standard error"
}

click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }
shot() { import -window root "$1"; }

# more A B: the number A is above B (numbers as ImageMagick prints them; no
# number, as when a picture failed to load, is a failure of the test).
more() {
  [[ "$1 $2" =~ ^[0-9.e+-]+\ [0-9.e+-]+$ ]] || fail "a picture could not be measured ('$1' > '$2')"
  awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'
}
# lit GEOM [FRACTION [GRAY%]] SHOT: more than FRACTION (default none) of the
# region is brighter than GRAY (default 2%, above black, below any window).
lit() {
  local pic=${*: -1}
  set -- "${@:1:$#-1}"
  more "$(convert "$pic" -crop "$1" +repage -colorspace gray -threshold "${3:-2}%" -format '%[fx:mean]' info:)" "${2:-0}"
}
dark() { ! lit "$@"; }
# differ CONVERT-ARGS...: how many pixels differ between the two pictures the
# arguments leave, e.g. differ A B -crop GEOM +repage (same region of both).
# ImageMagick up to 7.1.1 reports the count, later ones the fraction of the
# picture: one pixel changed in a hundred tells which this one does.
ae_fraction=$(convert -size 10x10 xc:black \( -size 10x10 xc:black -fill white -draw 'point 0,0' \) \
  -metric AE -compare -format '%[distortion]' info: | awk '{ print ($1 < 0.5) }')
differ() {
  convert "$@" -metric AE -compare -format '%[distortion] %w %h' info: |
    awk -v fraction="$ae_fraction" '{ print fraction ? $1 * $2 * $3 : $1 }'
}
# changed REFERENCE GEOM SHOT: the region differs from the reference's.
changed() { more "$(differ "$1" "$3" -crop "$2" +repage)" 0; }
# shows PICTURE SHOT: the centre of the screen shows the 256 x 256 picture,
# as the splash does (colours a little off are the same).
shows() { more 200 "$(differ "$2" -crop 256x256+$((W / 2 - 128))+$((H / 2 - 128)) +repage -fuzz 8% "$1")"; }

# await NAME SECONDS TEST ARGS...: takes screenshots until TEST ARGS SHOT
# holds; keeps them numbered in order, the last one in $last.
await() {
  local name=$1 end=$((SECONDS + $2))
  shift 2
  n=$((n + 1))
  last=$(printf '%s/%02d-%s.png' "$shots" "$n" "$name")
  while shot "$last" || fail "no screenshot"; ! "$@" "$last"; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended while waiting for: $name"
    [ $SECONDS -lt $end ] || fail "timed out waiting for: $name"
    sleep 0.2
  done
}
