#!/usr/bin/env bash
# A 1025 x 1025 fractal plasma picture from ImageMagick against a generated
# 10 x 10-quad world (five 1025 x 1025 diamond-square fields, classification,
# sea, rivers, and a 4 MB map file). Best wall time of several alternating
# runs each; fails when the world is not the faster of the two.
#
#   bench/plasma_vs_generate.sh [pelorn-cli] [runs]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build/linux/pelorn-cli}"
runs="${2:-5}"
[[ -x "$cli" ]] || { echo "no pelorn-cli at $cli" >&2; exit 2; }
cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

now() { date +%s%N; }
best_plasma=""
best_world=""
for ((i = 0; i < runs; i++)); do
  start=$(now)
  convert -seed 1 -size 1025x1025 plasma:fractal plasma.bmp
  plasma=$(($(now) - start))
  start=$(now)
  "$cli" generate --seed 1 --quads 10x10 --name bench >/dev/null
  world=$(($(now) - start))
  if [[ -z "$best_plasma" || $plasma -lt $best_plasma ]]; then best_plasma=$plasma; fi
  if [[ -z "$best_world" || $world -lt $best_world ]]; then best_world=$world; fi
done

awk -v p="$best_plasma" -v w="$best_world" -v n="$runs" 'BEGIN {
  printf "convert plasma:fractal 1025x1025        %8.1f ms\n", p / 1e6
  printf "pelorn-cli generate 10x10 quads        %8.1f ms\n", w / 1e6
  printf "ratio plasma / generate                %8.2f   (best of %d runs each)\n", p / w, n
}'
if [[ $best_world -ge $best_plasma ]]; then
  echo "generation is not faster than the plasma picture" >&2
  exit 1
fi
