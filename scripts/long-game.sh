#!/usr/bin/env bash
# Plays a long game of the real game on a 1920 x 1080 Xvfb screen, typing
# only (so the human side loses early and every later turn adds a game-over
# window), and measures it at the given numbers of turns: key to screen
# (median and 95th percentile), the main thread's CPU time per idle frame,
# frames per second and resident memory. Then compares the last row with
# the first: the goal is a key-to-screen and idle-frame ratio of at most 2
# and at most 40 MB more memory after 20,000 turns.
#   scripts/long-game.sh [--game BINARY] [--dir DATA_DIR] [--samples N]
#                        [--profile PERF_DATA] [TURNS...]
# Defaults: build/release/vondrellex, run from the top of the tree, 200
# samples, rows at 0 and 20000 turns. With --profile, `perf record -g` then
# watches one more row (idle frames and the sampled keys) after the last. Needs build/release/tools/probe
# (built when libxtst-dev and libxdamage-dev are installed) and xdotool.
# It takes minutes: a maintainer's tool, not a CI test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${VONDRELLEX_LONG_X:-}" ]; then
  VONDRELLEX_LONG_X=1 exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$0" "$@"
fi
game=$top/build/release/vondrellex dir=$top samples=200 rows=() profile=
probe=$top/build/release/tools/probe/vondrellex-probe
while [ $# -gt 0 ]; do
  case $1 in
    --game) game=$(readlink -f "$2"); shift 2 ;;
    --dir) dir=$(readlink -f "$2"); shift 2 ;;
    --samples) samples=$2; shift 2 ;;
    --profile) profile=$(readlink -f "$(dirname "$2")")/$(basename "$2"); shift 2 ;;
    *) rows+=("$1"); shift ;;
  esac
done
[ ${#rows[@]} -gt 0 ] || rows=(0 20000)
[ -x "$probe" ] || { echo "no $probe: install libxtst-dev and libxdamage-dev, then build" >&2; exit 1; }
export ALSOFT_DRIVERS=null
out=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$out"' EXIT
(cd "$dir" && exec "$game" >"$out/game.out" 2>"$out/game.err") &
pid=$!
wid=
for _ in $(seq 300); do
  wid=$(xdotool search --name Vondrellex 2>/dev/null | head -1) && [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "the game's window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 4 # the splash
"$probe" "$pid" "$wid" --samples "$samples" "${rows[@]}" | tee "$out/table"
awk 'NR == 2 { k = $2; f = $5; r = $7 } NR > 2 { lk = $2; lf = $5; lr = $7 }
  END { if (lk != "") printf "last/first: key to screen %.2fx, idle frame %.2fx, memory %+.1f MB\n", lk / k, lf / f, lr - r }' "$out/table"
if [ -n "$profile" ]; then
  perf record -g -o "$profile" -p "$pid" 2>"$out/perf.err" &
  perf_pid=$!
  sleep 1
  "$probe" "$pid" "$wid" --samples "$samples" 0 | tail -1
  kill -INT "$perf_pid"
  wait "$perf_pid" || true
fi
xdotool key Escape
for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
