#!/usr/bin/env bash
# The batch of seeds as users run it: 200 seeds, 4 x 4 quads, 8 players at
# the automatic spacing, the 5 fairest kept, on two threads (the target is
# at most 60 s on two cores). Prints the wall time and the fairest worlds'
# spreads; fails when it takes longer than the target.
#
#   bench/players_batch.sh [pelorn-cli] [threads]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build/linux/pelorn-cli}"
threads="${2:-2}"
[[ -x "$cli" ]] || { echo "no pelorn-cli at $cli" >&2; exit 2; }
cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

start=$(date +%s%N)
"$cli" generate --seeds 1..200 --keep-best 5 --quads 4x4 --name bench --players 8 --threads "$threads" >/dev/null
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "200 seeds, 4x4, 8 players, keep-best 5, $threads threads: ${elapsed_ms} ms"
sed -n '1,6p' bench.csv | tr -d '\r'
((elapsed_ms <= 60000)) || { echo "slower than 60 s" >&2; exit 1; }
