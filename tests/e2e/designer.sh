#!/usr/bin/env bash
# Drives the real game through the object designer under its own Xvfb with
# synthetic keys and clicks: hides the console, opens the designer with key
# 1, places a base and two rooms (kinds chosen in the choice column), spawns,
# keeps the design with "Inventory", spawns again from the create bar's new
# template button, and quits with Escape. Checks the spawned name printed on
# standard output and what the screen shows at each step; keeps the
# screenshots for a person to look at.
#   designer.sh GAME_BINARY [SCREENSHOT_DIR]
# Run from the top of the source tree (the game reads its data from there).
# Exits 77 when the tools it needs are missing.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 GAME_BINARY [SCREENSHOT_DIR]" >&2; exit 2; }
game=$(readlink -f "$1")
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
shots=$(readlink -f "$shots")
export ALSOFT_DRIVERS=null
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
done

if [ -z "${VONDRELLEX_DESIGNER_E2E_DISPLAY:-}" ]; then
  VONDRELLEX_DESIGNER_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" bash "$0" "$game" "$shots"
fi

SCREEN_W=1280
SCREEN_H=720
# Colours of the theme's opaque fills, exact on a 24-bit screen.
CELL=#0b0f14      # designer grid cells and choice buttons ("available")
ROGUE=#2a2218     # designer title bar and command buttons ("rogue")
BAR=#1a2533       # create-bar and notification-bar buttons ("vbar")
# A spot where the pointer hovers over nothing, so no button is lit.
PARK_X=200
PARK_Y=700

pid=
fail() {
  echo "FAIL: $*" >&2
  echo "screenshots in $shots" >&2
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

shot() {
  xdotool mousemove "$PARK_X" "$PARK_Y"
  sleep "${1:-0.6}"
  import -window root "$shots/$2.png"
}

# Connected regions of exactly one colour inside a part of a screenshot, as
# "width height x y" in screen pixels, largest first.
#   regions FILE COLOUR MIN_AREA [CROP]
regions() {
  local file=$1 colour=$2 area=$3 crop=${4:-${SCREEN_W}x${SCREEN_H}+0+0}
  local ox oy
  ox=$(echo "$crop" | awk -F'[x+]' '{print $3}')
  oy=$(echo "$crop" | awk -F'[x+]' '{print $4}')
  convert "$file" -crop "$crop" +repage -fill white -opaque "$colour" -fill black +opaque white \
    -define connected-components:verbose=true -define connected-components:area-threshold="$area" \
    -connected-components 4 null: |
    awk -v ox="$ox" -v oy="$oy" '$1 != "0:" && $NF ~ /255,255,255|white|gray\(255\)/ {
        split($2, g, /[x+]/); print g[1], g[2], g[3] + ox, g[4] + oy, $4 }' |
    sort -k5,5nr | cut -d' ' -f1-4
}

# Bounding box "width height x y" of the bright pixels inside a part of a
# screenshot, or nothing when there are none.
bright_box() {
  local file=$1 crop=$2 ox oy box
  ox=$(echo "$crop" | awk -F'[x+]' '{print $3}')
  oy=$(echo "$crop" | awk -F'[x+]' '{print $4}')
  box=$(convert "$file" -crop "$crop" +repage -colorspace gray -threshold 25% -format "%@" info:)
  echo "$box" | awk -F'[x+]' -v ox="$ox" -v oy="$oy" '$1 > 0 && $2 > 0 && !($1 == 1 && $2 == 1) {
      print $1, $2, $3 + ox, $4 + oy }'
}

# Bounding box "width height x y" of every pixel of one colour inside a part
# of a screenshot, or nothing when there is none.
colour_box() {
  local file=$1 colour=$2 crop=$3 ox oy box
  ox=$(echo "$crop" | awk -F'[x+]' '{print $3}')
  oy=$(echo "$crop" | awk -F'[x+]' '{print $4}')
  box=$(convert "$file" -crop "$crop" +repage -fill white -opaque "$colour" -fill black +opaque white \
    -bordercolor black -border 1 -format "%@" info:)
  echo "$box" | awk -F'[x+]' -v ox="$ox" -v oy="$oy" '$1 > 1 && $2 > 1 { print $1, $2, $3 + ox - 1, $4 + oy - 1 }'
}

# The buttons of the create bar, top to bottom, as "width height x y".
bar_buttons() {
  regions "$1" "$BAR" 60 "64x$((SCREEN_H - 64))+$((SCREEN_W - 64))+64" | sort -k4,4n
}

# The notification buttons along the left edge.
notification_count() {
  regions "$1" "$BAR" 60 "64x${SCREEN_H}+0+0" | wc -l
}

click() { # x y button
  xdotool mousemove "$1" "$2" click "$3"
  sleep 0.25
}

centre_of() { # "w h x y" -> "cx cy"
  echo "$1" | awk '{ printf "%d %d\n", $3 + $1 / 2, $4 + $2 / 2 }'
}

# ---------------------------------------------------------------- start
cd "$(dirname "$0")/../.."
"$game" >"$shots/stdout.txt" 2>"$shots/stderr.txt" &
pid=$!
xdotool search --sync --name Vondrellex >/dev/null
# The splash ends and the desktop appears with the create bar's placeholder.
ready=0
for _ in $(seq 1 60); do
  shot 0.5 01-desktop
  if [ "$(bar_buttons "$shots/01-desktop.png" | wc -l)" -eq 1 ]; then ready=1; break; fi
  kill -0 "$pid" 2>/dev/null || fail "the game ended during start-up"
done
[ $ready -eq 1 ] || fail "the create bar's placeholder button never appeared"

# ------------------------------------------------- open the designer by key
xdotool key space
sleep 0.3
xdotool key 1
shot 0.8 02-designer-open
title=$(regions "$shots/02-designer-open.png" "$ROGUE" 2000 | awk '$1 >= 300 && $2 <= 40' | head -1)
[ -n "$title" ] || fail "the designer did not open (no title bar)"
read -r win_w _ win_x win_y <<<"$title"
echo "designer window at ($win_x, $win_y), $win_w wide"
[ "$win_x" -eq 404 ] && [ "$win_y" -eq 340 ] || echo "note: the designer is not at (404, 340)"

# The grid and the choice column are one dark block of cells (cell borders,
# when the theme draws them, are left out of the colour match but not out of
# the block's outline): the choice buttons share the left part of it, the
# 46 x 18 grid the rest. The choice letters are centred in their column,
# which tells where the grid begins.
dark=$(colour_box "$shots/02-designer-open.png" "$CELL" \
  "$((win_w - 2))x$((SCREEN_H - win_y - 2))+$((win_x + 1))+$((win_y + 1))")
[ -n "$dark" ] || fail "no grid in the designer"
read -r dark_w dark_h dark_x dark_y <<<"$dark"
letters=$(bright_box "$shots/02-designer-open.png" "${dark_w}x${dark_h}+${dark_x}+${dark_y}")
[ -n "$letters" ] || fail "the choice column shows no letters"
read -r let_w _ let_x _ <<<"$letters"
choice_w=$(( 2 * (let_x + let_w / 2 - dark_x) + 1 ))
grid_x=$(( dark_x + choice_w ))
grid_y=$dark_y
cell_w=$(awk -v w=$(( dark_x + dark_w - grid_x )) 'BEGIN { printf "%.3f", w / 46 }')
cell_h=$(awk -v h="$dark_h" 'BEGIN { printf "%.3f", h / 18 }')
echo "grid at ($grid_x, $grid_y), cells ${cell_w} x ${cell_h}, choice column $choice_w wide"
awk -v w="$cell_w" -v h="$cell_h" 'BEGIN { exit !(w >= 4 && w <= 30 && h >= 6 && h <= 40) }' ||
  fail "implausible cell size ${cell_w} x ${cell_h}"

cell_centre() { # column row -> "x y"
  awk -v c="$1" -v r="$2" -v gx="$grid_x" -v gy="$grid_y" -v w="$cell_w" -v h="$cell_h" \
    'BEGIN { printf "%d %d\n", gx + (c + 0.5) * w, gy + (r + 0.5) * h }'
}
# The five starting kinds stand in this order: @ l R p f.
choice_centre() { # index -> "x y"
  awk -v i="$1" -v x="$dark_x" -v y="$dark_y" -v w="$choice_w" -v h="$dark_h" \
    'BEGIN { printf "%d %d\n", x + w / 2, y + (i + 0.5) * h / 5 }'
}
place() { # choice-index column row
  click $(choice_centre "$1") 1
  click $(cell_centre "$2" "$3") 1
}

commands=$(regions "$shots/02-designer-open.png" "$ROGUE" 800 "${win_w}x$((SCREEN_H - win_y))+${win_x}+${win_y}" |
  awk '$2 >= 20 && $2 <= 80 && $1 >= 60' | sort -k3,3n)
[ "$(echo "$commands" | wc -l)" -eq 3 ] || fail "expected the three command buttons, found: $commands"
inventory=$(centre_of "$(echo "$commands" | sed -n 1p)")
spawn=$(centre_of "$(echo "$commands" | sed -n 3p)")

# ------------------------------------------------ a base and two rooms
place 0 3 2    # @ at columns 3..7, rows 2..6
place 1 20 5   # l at columns 20..24, rows 5..9
place 2 30 9   # R at columns 30..41, rows 9..15
shot 0.6 03-designer-rooms
# The rooms and their corridors are drawn inside the grid, spanning from the
# base's left wall to the R room's right wall and bottom.
drawn=$(bright_box "$shots/03-designer-rooms.png" \
  "$(( dark_x + dark_w - grid_x ))x${dark_h}+${grid_x}+${grid_y}")
[ -n "$drawn" ] || fail "nothing drawn on the grid after placing rooms"
read -r d_w d_h d_x d_y <<<"$drawn"
col_of() { awk -v p="$1" -v g="$grid_x" -v w="$cell_w" 'BEGIN { printf "%d\n", (p - g) / w }'; }
row_of() { awk -v p="$1" -v g="$grid_y" -v h="$cell_h" 'BEGIN { printf "%d\n", (p - g) / h }'; }
first_col=$(col_of "$d_x"); last_col=$(col_of $(( d_x + d_w - 1 )))
first_row=$(row_of "$d_y"); last_row=$(row_of $(( d_y + d_h - 1 )))
echo "drawn cells: columns $first_col..$last_col, rows $first_row..$last_row"
[ "$first_col" -eq 3 ] && [ "$last_col" -eq 41 ] && [ "$first_row" -eq 2 ] && [ "$last_row" -eq 15 ] ||
  fail "the rooms are not where they were clicked (columns $first_col..$last_col, rows $first_row..$last_row; want 3..41, 2..15)"

# ----------------------------------------------------------- spawn
notes_before=$(notification_count "$shots/03-designer-rooms.png")
click $spawn 1
shot 0.6 04-after-spawn
notes_after=$(notification_count "$shots/04-after-spawn.png")
[ "$notes_after" -gt "$notes_before" ] || fail "no notification after Spawn ($notes_before before, $notes_after after)"
[ -n "$(regions "$shots/04-after-spawn.png" "$ROGUE" 2000 | awk '$1 >= 300 && $2 <= 40')" ] ||
  fail "the designer closed on Spawn"

# ------------------------------------------------- keep it as a template
click $inventory 1
shot 0.6 05-after-inventory
[ -z "$(regions "$shots/05-after-inventory.png" "$ROGUE" 2000 | awk '$1 >= 300 && $2 <= 40')" ] ||
  fail "the designer is still open after Inventory"
buttons=$(bar_buttons "$shots/05-after-inventory.png")
[ "$(echo "$buttons" | wc -l)" -eq 2 ] || fail "the create bar should hold the template and a new placeholder: $buttons"

# ------------------------------------------- spawn from the template button
notes_before=$(notification_count "$shots/05-after-inventory.png")
click $(centre_of "$(echo "$buttons" | sed -n 1p)") 1
shot 0.6 06-after-bar-spawn
notes_after=$(notification_count "$shots/06-after-bar-spawn.png")
[ "$notes_after" -gt "$notes_before" ] || fail "no notification after the template's spawn ($notes_before before, $notes_after after)"
[ "$(bar_buttons "$shots/06-after-bar-spawn.png" | wc -l)" -eq 2 ] || fail "the create bar changed on a template click"

# ------------------------------------------------------------- quit
xdotool key Escape
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status"

# Only the designer prints: one line, the type string and a number 0..998.
lines=$(wc -l <"$shots/stdout.txt")
[ "$lines" -eq 1 ] || fail "expected one line on standard output, got $lines: $(head -5 "$shots/stdout.txt")"
name=$(cat "$shots/stdout.txt")
[[ "$name" =~ ^lR(0|[1-9][0-9]{0,2})$ ]] && [ "${BASH_REMATCH[1]}" -le 998 ] ||
  fail "spawned name \"$name\" is not lR followed by 0..998"

echo "designer: spawned \"$name\"; screenshots in $shots"
echo "1 passed, 0 failed"
