#!/usr/bin/env bash
# Runs every command of tests/generator/golden_hashes.txt with a given
# pelorn-cli and compares the SHA-256 of each map it writes with the
# reference. The native and the Windows build must both match.
#
#   scripts/check-golden.sh build/linux/pelorn-cli
#   WINEDEBUG=-all scripts/check-golden.sh wine build/windows/pelorn-cli.exe
#   scripts/check-golden.sh --update build/linux/pelorn-cli   (rewrite the references)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
list="$root/tests/generator/golden_hashes.txt"

update=0
if [[ "${1:-}" == "--update" ]]; then
  update=1
  shift
fi
if [[ $# -eq 0 ]]; then
  echo "usage: $0 [--update] <pelorn-cli command...>" >&2
  exit 2
fi

# The runner's words; those naming existing files become absolute paths,
# since the commands run in a scratch folder.
runner=()
for word in "$@"; do
  if [[ -f "$word" ]]; then
    runner+=("$(cd "$(dirname "$word")" && pwd)/$(basename "$word")")
  else
    runner+=("$word")
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/golden"
cp "$root"/tests/generator/golden/*.dat "$work/golden/"

failures=0
checked=0
updated=()
while IFS= read -r line || [[ -n "$line" ]]; do
  line="${line%$'\r'}"
  if [[ -z "$line" || "$line" == \#* ]]; then
    updated+=("$line")
    continue
  fi
  expected="${line%% *}"
  command="${line#* }"
  command="${command#"${command%%[! ]*}"}"
  read -r -a words <<<"$command"
  if [[ "${words[0]}" != "pelorn-cli" ]]; then
    echo "malformed line: $line" >&2
    exit 2
  fi
  name=""
  for ((i = 1; i < ${#words[@]}; i++)); do
    if [[ "${words[$i]}" == "--name" ]]; then name="${words[$((i + 1))]}"; fi
  done
  rm -f "$work/$name.map"
  if ! (cd "$work" && "${runner[@]}" "${words[@]:1}" >/dev/null); then
    echo "FAILED TO RUN: $command" >&2
    failures=$((failures + 1))
    updated+=("$line")
    continue
  fi
  actual="$(sha256sum "$work/$name.map" | cut -d' ' -f1)"
  checked=$((checked + 1))
  updated+=("$actual  $command")
  if [[ "$actual" == "$expected" ]]; then
    echo "ok    $command"
  else
    echo "DIFF  $command"
    echo "      expected $expected"
    echo "      got      $actual"
    failures=$((failures + 1))
  fi
done <"$list"

if [[ $update -eq 1 ]]; then
  printf '%s\n' "${updated[@]}" >"$list"
  echo "rewrote $list ($checked entries)"
  exit 0
fi
echo "$checked checked, $failures failed"
[[ $failures -eq 0 ]]
