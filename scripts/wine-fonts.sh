#!/usr/bin/env bash
# Gives a Wine prefix the fonts Wine expects to find in it: Marlett, which Wine
# draws the caption buttons with wherever it draws window frames itself (no
# window manager: the virtual display of run.sh, the tests, the screenshot).
# Debian's Wine does not pick up the copy in its fonts-wine package by itself,
# and without it the buttons read "0 1 r". Only Marlett is added: the editor's
# own text keeps the fonts it is drawn with now.
#
#   scripts/wine-fonts.sh PREFIX
set -euo pipefail
prefix="${1:?usage: wine-fonts.sh PREFIX}"
[ -d "$prefix/drive_c/windows" ] || { echo "wine-fonts: $prefix is not a Wine prefix (run wineboot first)" >&2; exit 1; }

source=""
for candidate in /usr/share/wine/fonts/marlett.ttf /usr/lib/x86_64-linux-gnu/wine/fonts/marlett.ttf \
                 /usr/lib/wine/fonts/marlett.ttf /usr/share/fonts/truetype/wine/marlett.ttf; do
    if [ -f "$candidate" ]; then source="$candidate"; break; fi
done
if [ -z "$source" ] && command -v dpkg >/dev/null; then
    source=$(dpkg -L fonts-wine 2>/dev/null | grep '/marlett\.ttf$' | head -n1 || true)
fi
if [ -z "$source" ] || [ ! -f "$source" ]; then
    echo "wine-fonts: marlett.ttf not found; install Debian's fonts-wine (scripts/setup.sh does)" >&2
    exit 1
fi
mkdir -p "$prefix/drive_c/windows/Fonts"
cp "$source" "$prefix/drive_c/windows/Fonts/marlett.ttf"
