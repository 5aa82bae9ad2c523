#!/usr/bin/env bash
# Plays the game as the package installs it, from an empty folder: the
# launcher runs the game in its data folder; the window carries the icon and
# the class the desktop entry names; the splash and the map picture show;
# typing fills the console from the installed sources; Escape ends the game
# with status 0 and nothing on standard output. The package's own test
# (debian/tests/play) runs this on the installed game, the package's build
# test on the unpacked one.
#   installed.sh ROOT SCREENSHOT_DIR    (ROOT: / when installed)
. "$(dirname "$0")/lib.sh" 1280x720 "$2" "$@"
root=${1%/}
data=$root/usr/share/games/vondrellex
desktop=$(grep -l -x 'Exec=vondrellex' "$root"/usr/share/applications/*.desktop)

# A desktop's window manager announces the icon property it reads, and
# SFML 3 only sets that property when it is announced.
xprop -root -format _NET_SUPPORTED 32a -set _NET_SUPPORTED _NET_WM_ICON
empty=$(mktemp -d)
start game "$empty" "$root/usr/games/vondrellex"
# The game's logo stands from 1.0 s to 2.5 s, centred.
await splash 10 shows "$data/logo.png"
[ "$(readlink "/proc/$pid/cwd")" = "$(readlink -f "$data")" ] || fail "the game does not run in its data folder"
pass

# A dock matches the window to its launcher by the window's class, and
# shows the window's own icon.
class=$(xprop -id "$wid" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[ -n "$class" ] && grep -qx "StartupWMClass=$class" "$desktop" || fail "window class '$class' is not the desktop entry's"
icon=$(xprop -id "$wid" -notype 32c _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON = 64, 64, "* ]] || fail "the window has no 64 x 64 icon: ${icon:0:60}"
pass

# The status panel comes after the splash. The map picture stands at
# (106, 58) with the theme; above the console it matches the installed
# picture but for a label or two.
await desktop 30 lit 148x64+$((W - 148))+0
more 2000 "$(differ "$last" -crop 528x180+106+58 +repage \( "$data/worldmap.png" -crop 528x180+0+0 +repage \) -fuzz 8%)" ||
  fail "the map picture does not show"
pass

# The console (at 384, 240) is empty, then fills with source text as we type.
text=500x240+388+262
lit $text 0.002 30 "$last" && fail "the console is not empty at the start"
# shellcheck disable=SC2046
xdotool key --delay 5 $(printf 'a %.0s' $(seq 300))
await typed 30 lit $text 0.02 30
quit game
pass
rm -r "$empty"
summary installed "screenshots in $shots"
