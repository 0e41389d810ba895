#!/bin/sh
# Plays computer-only games headless, EASY against COMPUTER against HARD, and
# prints each strength's share of the rounds survived. The seats are rotated
# over three games so that no strength keeps a seat.
#   scripts/tournament.sh BULWARK DATA_DIR ROUNDS_PER_GAME [JOBS]
set -eu
bulwark=$1
data=$2
rounds=${3:-100}
jobs=${4:-2}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

play() {
  SDL_AUDIODRIVER=dummy "$bulwark" --headless --no-music --data-dir "$data" --autoplay 3 --levels "$1" \
    --rounds "$rounds" --state-out "$out/$2.json" >"$out/$2.log" 2>&1
}

running=0
n=0
for seats in easy,normal,hard normal,hard,easy hard,easy,normal; do
  n=$((n + 1))
  echo "$seats" >"$out/$n.seats"
  play "$seats" "$n" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait
    running=0
  fi
done
wait

python3 - "$out" <<'PY'
import json, sys, glob, os
out = sys.argv[1]
survived, rounds, won = {}, 0, 0
names = {0: "normal", 1: "hard", 2: "easy"}
for path in sorted(glob.glob(os.path.join(out, "*.json"))):
    state = json.load(open(path))
    rounds += state["game_rounds"]
    won += sum(1 for r in state["round_log"] if r["ended"] == "won")
    for p in state["players"]:
        level = names[p["strength"]]
        survived[level] = survived.get(level, 0) + p["rounds_survived"]
print(f"tournament: {rounds} rounds ({won} won, {rounds - won} out of time)")
for level in ("easy", "normal", "hard"):
    s = survived.get(level, 0)
    print(f"  {level:6s} survived {s:4d} rounds: {100.0 * s / max(rounds, 1):5.1f} %")
PY
