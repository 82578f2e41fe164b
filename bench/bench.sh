#!/usr/bin/env bash
# Times the Release game on walkthroughs played through a pipe, beside `cat`
# of the game's own transcript of the same walk, and reports peak resident
# memory. Run by hand: bench/bench.sh [runs]
# Needs hyperfine (Debian: apt-get install hyperfine) and /usr/bin/time.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-300}
cmake --preset release >/dev/null
cmake --build --preset release --target kreivold >/dev/null
game=./build/release/kreivold
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

routes=(return-captain return-stay-then-captain return-found-in-car deaths-all-then-through)
printf '%-26s %10s %10s %7s %12s %10s\n' route "game ms" "cat ms" ratio "game KiB" "cat KiB"
for route in "${routes[@]}"; do
  input=fuzz/corpus/$route.txt
  "$game" <"$input" >"$work/$route.out"
  # hyperfine measures the shell that does the redirections and subtracts it.
  hyperfine --runs "$runs" --warmup 20 --export-json "$work/game.json" \
    "$game <$input >/dev/null" >/dev/null 2>&1
  hyperfine --runs "$runs" --warmup 20 --export-json "$work/cat.json" \
    "cat $work/$route.out >/dev/null" >/dev/null 2>&1
  game_ms=$(python3 -c "import json;print('%.3f'%(json.load(open('$work/game.json'))['results'][0]['median']*1000))")
  cat_ms=$(python3 -c "import json;print('%.3f'%(json.load(open('$work/cat.json'))['results'][0]['median']*1000))")
  ratio=$(python3 -c "print('%.2f'%($game_ms/$cat_ms))")
  game_kib=$( { /usr/bin/time -f %M "$game" <"$input" >/dev/null; } 2>&1 )
  cat_kib=$( { /usr/bin/time -f %M cat "$work/$route.out" >/dev/null; } 2>&1 )
  printf '%-26s %10s %10s %7s %12s %10s\n' "$route" "$game_ms" "$cat_ms" "$ratio" "$game_kib" "$cat_kib"
done
