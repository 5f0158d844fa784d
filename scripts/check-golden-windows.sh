#!/usr/bin/env bash
# The golden check against the Windows build: runs scripts/check-golden.sh
# with build/windows/pelorn-cli.exe under Wine, in a throw-away Wine prefix.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="${1:-$root/build/windows/pelorn-cli.exe}"

prefix="$(mktemp -d "${TMPDIR:-/tmp}/pelorn-golden-wine.XXXXXX")"
export WINEPREFIX="$prefix/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$prefix"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
"$root/scripts/wine-fonts.sh" "$WINEPREFIX"
"$root/scripts/check-golden.sh" wine "$exe"
