#!/usr/bin/env bash
# Checks that the tests catch the faults listed in tests/mutants.txt. Each
# fault is planted alone in a scratch copy of the tree (the working tree as it
# stands, uncommitted changes included); the one target named for it is
# rebuilt with the sanitizers and its tests run until the first failure.
# Prints a row per fault with the test that caught it, or SURVIVED, and at
# the end each surviving fault with what goes wrong when it is planted; exits
# 1 if a fault survives, does not compile or its line is no longer found (after
# moving code, update the fault's lines in the list).
#   tests/mutants.sh [ID...]        scratch folder: $MUTANTS_DIR
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$0" "$@"
fi
scratch=${MUTANTS_DIR:-/tmp/vondrellex-mutants}
tree=$scratch/tree build=$scratch/build
export ALSOFT_DRIVERS=null

# The copy keeps the files' times, so the scratch build stays incremental.
rm -rf "$tree" && mkdir -p "$tree"
tar -C "$top" --exclude=./build --exclude=./.git -cf - . | tar -C "$tree" -xf -
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVONDRELLEX_SANITIZE=ON \
  -DVONDRELLEX_BENCHMARKS=OFF >/dev/null
# Everything once, so that no test is "not run" for want of its executable.
cmake --build "$build" -j"$(nproc)" >"$scratch/build.log" 2>&1 || { tail "$scratch/build.log"; exit 1; }

# plant FILE OLD NEW: replaces the one occurrence of OLD in FILE by NEW.
plant() {
  OLD=$2 NEW=$3 perl -0pi -e 'my $n = () = /\Q$ENV{OLD}\E/g;
    die "found $n times\n" if $n != 1; s/\Q$ENV{OLD}\E/$ENV{NEW}/' "$1"
}

status=0
survivors=()
printf '%-22s %-34s %s\n' FAULT WHERE "CAUGHT BY"
run() { # ID FILE TARGET REGEX DESCRIPTION OLD NEW
  local id=$1 file=$2 target=$3 regex=$4 caught
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " == *" $id "* ]]; then return; fi
  cp "$tree/$file" "$scratch/original"
  if ! plant "$tree/$file" "$6" "$7" 2>"$scratch/plant.log"; then
    caught="LINE NOT FOUND ($(cat "$scratch/plant.log"))"
  elif ! cmake --build "$build" --target "$target" -j"$(nproc)" >"$scratch/$id.build.log" 2>&1; then
    caught="DOES NOT COMPILE"
  else
    ctest --test-dir "$build" -R "$regex" --stop-on-failure --timeout 600 >"$scratch/$id.test.log" 2>&1 || true
    caught=$(grep -m1 -E '\*\*\*|Timeout|Not Run' "$scratch/$id.test.log" |
      sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*/\1/') || true
    grep -q 'No tests were found' "$scratch/$id.test.log" && caught="NO TESTS MATCH $regex"
  fi
  # Put the line back and rebuild, so that no later fault meets this one in a
  # binary its own target does not rebuild.
  cp -p "$scratch/original" "$tree/$file" && touch "$tree/$file"
  cmake --build "$build" --target "$target" -j"$(nproc)" >/dev/null 2>&1 || true
  [ -n "$caught" ] || caught=SURVIVED
  [ "$caught" != SURVIVED ] || survivors+=("$id ($file): $5")
  case $caught in SURVIVED | "LINE NOT FOUND"* | "DOES NOT"* | "NO TESTS"*) status=1 ;; esac
  printf '%-22s %-34s %s\n' "$id" "$file" "$caught"
}

trim() { local s=${1#"${1%%[![:space:]]*}"}; printf '%s' "${s%"${s##*[![:space:]]}"}"; }
wanted=("$@")
# The list: "@ ID | FILE | TARGET | CTEST REGEX | DESCRIPTION", then "- OLD"
# and "+ NEW" (leading blanks of OLD and NEW are not part of them).
while IFS= read -r line; do
  case $line in
    "@ "*) IFS='|' read -r id file target regex desc <<<"${line#@ }"
      id=$(trim "$id") file=$(trim "$file") target=$(trim "$target") regex=$(trim "$regex")
      desc=$(trim "$desc") ;;
    "- "*) old=${line#- } ;;
    "+ "*) run "$id" "$file" "$target" "$regex" "$desc" "$old" "${line#+ }" ;;
  esac
done <"$top/tests/mutants.txt"
if [ ${#survivors[@]} -gt 0 ]; then
  echo
  echo "Survived, so no test sees:"
  printf '  %s\n' "${survivors[@]}"
fi
exit $status
