#!/usr/bin/env bash
# pelorn-cli generate and info, run as a user runs them: exit codes, the
# files written, repeatability, and the settings it reads and writes.
#   tests/generator/cli_generate_test.sh path/to/pelorn-cli
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_checks.sh"

check "one quad" 0 "$cli" generate --seed 1 --quads 1x1 --name w
expect "map of 32 header bytes and 4 per tile" test "$(wc -c <w.map)" -eq 40032
expect "name line" grep -q $'^w\r$' w.map
check "same seed" 0 "$cli" generate --seed 1 --quads 1x1 --name w2
expect "same seed, same tiles" cmp -s <(tail -n +3 w.map) <(tail -n +3 w2.map)
check "other seed" 0 "$cli" generate --seed 2 --quads 1x1 --name w3
expect "other seed, other tiles" bash -c '! cmp -s <(tail -n +3 w.map) <(tail -n +3 w3.map)'
check "wide map with bitmap" 0 "$cli" generate --seed 4 --quads 3x2 --name wide --bmp
expect "quad counts 03 and 02" bash -c "sed -n '3p;4p' wide.map | tr -d '\r' | paste -sd, | grep -qx '03,02'"
expect "bitmap of 300 x 200 pixels" test "$(wc -c <wide.bmp)" -eq $((54 + 300 * 200 * 3))

printf '#LastOpen# elsewhere\r\n#desertFactor# 10\r\n#levelcorrectionGlacial# 7\r\n#genRiverTries# 0' >in.dat
check "settings in and out" 0 "$cli" generate --seed 5 --quads 2x1 --name set --settings in.dat --write-settings out.dat
expect "LastOpen of the file ignored" grep -q $'^set\r$' set.map
expect "settings written under the map's name" grep -q $'^#LastOpen# set\r$' out.dat
expect "desert factor corrected" grep -q $'^#desertFactor# 9.9\r$' out.dat
expect "glacier depth corrected, last line without a break" test "$(tail -c 27 out.dat)" = $'\n#levelcorrectionGlacial# 5'
expect "31 lines" test "$(wc -l <out.dat)" -eq 30
expect "no river with no tries" bash -c "! tail -n +6 set.map | tr -d '\r' | grep -qxE '19|20'"

# Symmetric worlds: the relation read back from the file, tile by tile. The
# tiles follow the five header lines: quads column by column, each quad's
# tiles column by column, each column from top to bottom.
tiles_of() { tail -n +6 "$1" | tr -d '\r'; }
symmetric() {  # symmetric FILE RELATION QX QY: every tile equals its image
    tiles_of "$1" | awk -v rel="$2" -v QX="$3" -v QY="$4" '
        {
            i = NR - 1; q = int(i / 10000); j = i % 10000
            x = int(q / QY) * 100 + int(j / 100); y = (q % QY) * 100 + j % 100
            t[x, y] = $1
        }
        END {
            W = QX * 100; H = QY * 100
            if (NR != W * H) exit 1
            for (x = 0; x < W; x++) for (y = 0; y < H; y++) {
                if (rel == "rotate2") { ix = W - 1 - x; iy = H - 1 - y }
                else if (rel == "copies2") { ix = (x + W / 2) % W; iy = y }
                else { ix = (x + W / 4) % W; iy = y }
                if (t[x, y] != t[ix, iy]) exit 1
            }
        }'
}
check "rotate2" 0 "$cli" generate --seed 3 --quads 2x1 --name r2 --symmetry rotate2
expect "rotate2: tile (x, y) equals (W-1-x, H-1-y)" symmetric r2.map rotate2 2 1
check "copies2" 0 "$cli" generate --seed 3 --quads 1x2 --name c2 --symmetry copies2
expect "copies2: two equal strips" symmetric c2.map copies2 1 2
check "copies4" 0 "$cli" generate --seed 3 --quads 2x2 --name c4 --symmetry copies4
expect "copies4: four equal strips" symmetric c4.map copies4 2 2
not_symmetric() { ! symmetric "$@"; }
expect "the relation is checked: a copies4 world is no rotate2 one" not_symmetric c4.map rotate2 2 2
check "players on a symmetric world" 0 "$cli" generate --seed 5 --quads 2x1 --name sp --symmetry copies2 --players 4 --min-distance 20
expect "four starts, homes and rooms even" grep -qxE 'placed 4 starts, home [0-5]%, room [0-9]%' out.txt
expect "the starts in symmetric sets: the map, starts and all, is two equal strips" symmetric sp.map copies2 2 1
check "symmetry none" 0 "$cli" generate --seed 4 --quads 3x2 --name none --symmetry none
expect "none: the classic world" cmp -s <(tiles_of wide.map) <(tiles_of none.map)
check "copies4 on an odd width" 2 "$cli" generate --seed 1 --quads 3x1 --name a --symmetry copies4
expect "the reason for copies4" grep -q 'copies4 needs an even number of quads across' err.txt
check "unknown symmetry" 2 "$cli" generate --seed 1 --quads 2x1 --name a --symmetry mirror
check "symmetry given twice" 2 "$cli" generate --seed 1 --quads 2x1 --name a --symmetry none --symmetry rotate2
check "help names the symmetries" 0 "$cli" generate --help
expect "help lists --symmetry" grep -q -- '--symmetry none|rotate2|copies2|copies4' out.txt

check "info" 0 "$cli" info wide.map
expect "info name" grep -qx 'name: wide' out.txt
expect "info size" grep -qx 'size: 3x2 quads (300x200 tiles)' out.txt
expect "info counts every tile" test "$(grep -E '^  [0-9]+ [^:]+: [0-9]+$' out.txt | grep -v ' on ' | awk -F': ' '{s += $2} END {print s}')" -eq 60000
expect "info start locations" grep -qx 'start locations: 0' out.txt

check "help" 0 "$cli" --help
expect "help lists generate and info" bash -c "grep -q 'pelorn-cli generate' out.txt && grep -q 'pelorn-cli info' out.txt"
check "command help" 0 "$cli" generate --help

check "no command" 2 "$cli"
check "unknown command" 2 "$cli" frobnicate
check "missing seed" 2 "$cli" generate --quads 1x1 --name a
check "missing quads" 2 "$cli" generate --seed 1 --name a
check "missing name" 2 "$cli" generate --seed 1 --quads 1x1
check "seed too large" 2 "$cli" generate --seed 4294967296 --quads 1x1 --name a
check "negative seed" 2 "$cli" generate --seed -1 --quads 1x1 --name a
check "seed not a number" 2 "$cli" generate --seed 12ab --quads 1x1 --name a
check "quads without x" 2 "$cli" generate --seed 1 --quads 11 --name a
check "zero quads" 2 "$cli" generate --seed 1 --quads 0x1 --name a
check "side beyond 100" 2 "$cli" generate --seed 1 --quads 101x1 --name a
check "more than 1024 quads" 2 "$cli" generate --seed 1 --quads 33x32 --name a
check "option given twice" 2 "$cli" generate --seed 1 --seed 2 --quads 1x1 --name a
check "option without value" 2 "$cli" generate --seed 1 --quads 1x1 --name
check "unknown option" 2 "$cli" generate --seed 1 --quads 1x1 --name a --fast
check "empty name" 2 "$cli" generate --seed 1 --quads 1x1 --name ''
check "path as name" 2 "$cli" generate --seed 1 --quads 1x1 --name sub/a
check "info without file" 2 "$cli" info
check "info with two files" 2 "$cli" info w.map w2.map
expect "nothing written for bad arguments" test ! -e a.map

# The grid fits in 120 MB of address space, the generator's working fields
# (three more of its size) do not: a failure, and no empty world is written.
# AddressSanitizer needs far more address space than that to start at all.
if ! grep -q __asan_init "$cli"; then
    check "no memory for the generator" 1 bash -c 'ulimit -v 120000 && exec "$0" generate --seed 1 --quads 32x32 --name big' "$cli"
    expect "no map without a world" test ! -e big.map
    expect "the reason on stderr" grep -q 'not enough memory for a map of 32x32 quads' err.txt
fi

# Names that would leave the folder, name a device or hide a control
# character: refused with the rule named, and nothing written anywhere.
outside="$work-outside"
mkdir "$outside"
trap 'rm -rf "$work" "$outside"' EXIT
before="$(ls -A)"
for name in 'C:x' '..' '.' 'AUX' 'aux.map' 'COM1' $'a\tb' $'a\x01b' 'x.' 'x ' "../${outside##*/}/victim" \
            "..\\${outside##*/}\\victim" "Z:$outside/victim" "$outside/victim" 'a:b' 'a*b' 'a|b' \
            "$(printf 'n%.0s' {1..65})"; do
    check "unsafe name $(printf %q "$name")" 2 "$cli" generate --seed 1 --quads 1x1 --name "$name"
    expect "the message names the rule for $(printf %q "$name")" grep -q 'refused: a name' err.txt
done
check "64 characters are allowed" 0 "$cli" generate --seed 1 --quads 1x1 --name "$(printf 'n%.0s' {1..64})"
rm -f "$(printf 'n%.0s' {1..64}).map"
check "settings written elsewhere" 2 "$cli" generate --seed 1 --quads 1x1 --name s --write-settings "../${outside##*/}/x.dat"
check "settings as a device" 2 "$cli" generate --seed 1 --quads 1x1 --name s --write-settings NUL
check "settings read from a device" 2 "$cli" generate --seed 1 --quads 1x1 --name s --settings aux.dat
expect "nothing written for unsafe names" test "$(ls -A)" = "$before"
expect "nothing written outside" test -z "$(ls -A "$outside")"

# A shared map naming a path on line 2: info shows the file's own name.
printf '*MapInfo*\r\n..\\..\\victim\r\n01\r\n01\r\n*MapTiles*' >shared.map
check "info on a map naming a path" 0 "$cli" info shared.map
expect "the file's own name stands in" grep -qx 'name: shared' out.txt
printf '*MapInfo*\r\nAUX\r\n01\r\n01\r\n*MapTiles*' >AUX.map
check "info on a device name" 2 "$cli" info AUX.map
expect "the message names the device rule" grep -q 'device name' err.txt
check "info on a device name in a folder" 2 "$cli" info ./sub/com1.map
# The endless zero device ends at once, in little memory.
/usr/bin/time -f '%e %M' -o usage.txt "$cli" info /dev/zero >out.txt 2>err.txt
status=$?
expect "info on the zero device fails as unreadable" test "$status" -eq 1
read -r seconds kilobytes < <(tail -n 1 usage.txt)
expect "info on the zero device ends within a second ($seconds s)" awk -v s="$seconds" 'BEGIN { exit !(s < 1) }'
expect "info on the zero device stays under 100 MB ($kilobytes kB)" test "$kilobytes" -lt 102400
mkfifo pipe.map
check "info on a pipe ends without a writer" 1 timeout 5 "$cli" info pipe.map
rm -f usage.txt pipe.map shared.map AUX.map

check "missing settings file" 1 "$cli" generate --seed 1 --quads 1x1 --name b --settings missing.dat
expect "no map after unreadable settings" test ! -e b.map
mkdir taken.dat
check "settings that cannot be written" 1 "$cli" generate --seed 1 --quads 1x1 --name c --write-settings taken.dat
check "info on a missing file" 1 "$cli" info missing.map

finish cli-generate
