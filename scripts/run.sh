#!/usr/bin/env bash
# Builds the editor and starts it under Wine, working in ./maps (its map files,
# bitmaps and appdata.dat live there). The first run (no maps/appdata.dat
# yet) makes a demo world with pelorn-cli, Demo.map, and the editor opens it.
# Without a display it runs once on a virtual one, saves a screenshot to
# maps/screenshot.png and closes again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target pelorn

exe="$root/build/windows/pelorn.exe"
mkdir -p maps

# A newcomer sees a world, not one black quad: the companion makes one, and
# its settings file names it as the map to open.
if [ ! -f maps/appdata.dat ]; then
    cmake --preset linux >/dev/null
    cmake --build --preset linux --target pelorn-cli
    (cd maps && "$root/build/linux/pelorn-cli" generate --seed 2026 --quads 3x2 --name Demo \
        --write-settings appdata.dat >/dev/null)
    echo "run: first run: made a demo world, maps/Demo.map (pelorn-cli generate --seed 2026 --quads 3x2)"
fi

if [ -z "${DISPLAY:-}" ]; then
    echo "run: no DISPLAY; starting Pelorn once on a virtual display (Xvfb)"
    python3 tests/e2e/show.py --exe "$exe" --workdir "$root/maps" --screenshot "$root/maps/screenshot.png"
    echo "run: Pelorn started and closed again; its window is in maps/screenshot.png"
    echo "run: set DISPLAY (a desktop session) to use the editor interactively"
    exit 0
fi

# A prefix of the project's own, so that a user's ~/.wine stays untouched.
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run: preparing a Wine prefix in build/wineprefix (first run only)"
    wineboot -i >/dev/null 2>&1
fi
# Also for a prefix an older run.sh made without it.
[ -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] || scripts/wine-fonts.sh "$WINEPREFIX"
echo "run: starting Pelorn in ./maps"
cd maps
exec wine "$exe"
