#!/usr/bin/env bash
# Measures how many injected faults the test suite catches. Each line of the
# mutant list (scripts/mutants.txt) names one fault: a source file found by
# the end of its path under src/ or tools/, a text that must occur in it
# exactly once, and what to put there instead. One at a time, the fault is applied, the
# build is brought up to date and the unit tests, then the end-to-end tests,
# run until the first failure; the file is restored after each.
#
#   scripts/mutants.sh [BUILD_DIR] [NAME_FILTER]
#
# Prints "caught", "missed" or "skipped" (the text was not found once, or the
# mutant does not build) per fault and the totals. BUILD_DIR defaults to
# build-mutants (a Release build of its own); NAME_FILTER is a regular
# expression on the mutants' names.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-mutants}
filter=${2:-.}
list=scripts/mutants.txt
mkdir -p "$build"
log=$(cd "$build" && pwd)/mutants.log

if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBULWARK_BENCH=OFF ${CMAKE_FLAGS:-} >/dev/null || exit 1
fi
cmake --build "$build" -j "${JOBS:-2}" >/dev/null || { echo "mutants: the unmutated tree does not build"; exit 1; }
: >"$log"

# Replaces the one occurrence of $2 in file $1 by $3; fails when $2 does not
# occur exactly once.
apply() {
  python3 - "$@" <<'EOF'
import sys
path, old, new = sys.argv[1], sys.argv[2], sys.argv[3]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
EOF
}

# The tests stop at the first failure; a hang counts as a failure.
run_tests() {
  (cd "$build" && timeout 300 ./bulwark_tests --gtest_fail_fast --gtest_brief=1 >>"$log" 2>&1) || return 1
  (cd "$build" && BULWARK_SOAK_ROUNDS=2 timeout 600 ./bulwark_e2e --gtest_fail_fast --gtest_brief=1 >>"$log" 2>&1) || return 1
  return 0
}

caught=0 missed=0 skipped=0
while IFS=$'\t' read -r name file old new; do
  [[ -z $name || $name == \#* ]] && continue
  [[ $name =~ $filter ]] || continue
  mapfile -t paths < <(find src tools -path "*/$file" -type f)
  if ((${#paths[@]} != 1)); then
    echo "skipped $name: $file found ${#paths[@]} times"
    skipped=$((skipped + 1))
    continue
  fi
  path=${paths[0]}
  cp "$path" "$build/mutant.orig"
  # The list writes a tab as \t and a newline as \n.
  old=$(printf '%b' "$old") new=$(printf '%b' "$new")
  if ! apply "$path" "$old" "$new"; then
    echo "skipped $name: the text does not occur once in $path"
    skipped=$((skipped + 1))
    continue
  fi
  echo "== $name" >>"$log"
  if ! cmake --build "$build" -j "${JOBS:-2}" >>"$log" 2>&1; then
    echo "skipped $name: does not build"
    skipped=$((skipped + 1))
  elif run_tests; then
    echo "missed  $name"
    missed=$((missed + 1))
  else
    echo "caught  $name"
    caught=$((caught + 1))
  fi
  cp "$build/mutant.orig" "$path"
done <"$list"

cmake --build "$build" -j "${JOBS:-2}" >/dev/null
echo "mutants: $caught caught, $missed missed, $skipped skipped ($((caught + missed)) applied)"
