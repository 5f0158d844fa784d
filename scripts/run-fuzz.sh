#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs each on a
# copy of its seed corpus for a fixed time: the map and settings readers
# and the map name rule.
#   scripts/run-fuzz.sh [seconds per target]     default 30
# FUZZ_BUILD_DIR overrides the build folder (default build/fuzz).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-${FUZZ_SECONDS:-30}}"
build="${FUZZ_BUILD_DIR:-$root/build/fuzz}"

cmake --preset fuzz -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target fuzz_map_reader fuzz_settings_reader fuzz_map_name fuzz_png_reader

work="$(mktemp -d "${TMPDIR:-/tmp}/pelorn-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT

status=0
for target in map_reader settings_reader map_name png_reader; do
  corpus="$work/$target"
  mkdir -p "$corpus"
  cp "$root/tests/fuzz/corpus/${target%_reader}/"* "$corpus/"
  echo "== fuzz_${target} for ${seconds}s"
  # Crash files go to the work folder's artifacts, which are printed on failure.
  if ! (cd "$work" && "$build/tests/fuzz/fuzz_${target}" -max_total_time="$seconds" \
        -max_len=200000 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>"$work/$target.log"); then
    status=1
    tail -n 60 "$work/$target.log"
    mkdir -p "$root/build/fuzz-artifacts"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$root/build/fuzz-artifacts/" 2>/dev/null || true
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$work/$target.log" || true
  fi
done
exit $status
