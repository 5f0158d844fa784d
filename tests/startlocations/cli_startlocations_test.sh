#!/usr/bin/env bash
# pelorn-cli startlocations and generate --startlocations, run as a user runs
# them: exit codes, the files written, and repeatability.
#   tests/startlocations/cli_startlocations_test.sh path/to/pelorn-cli
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_checks.sh"

check "world to start from" 0 "$cli" generate --seed 3 --quads 2x1 --name base
check "default tries" 0 "$cli" startlocations --seed 11 --map base.map --name placed
expect "name line is the new name" grep -q $'^placed\r$' placed.map
expect "reports what it placed" grep -q '^placed [1-9][0-9]* start locations$' out.txt
check "info on the result" 0 "$cli" info placed.map
expect "start locations in the map" grep -q '^start locations: [1-9]' out.txt
check "same seed again" 0 "$cli" startlocations --seed 11 --map base.map --name again
expect "same seed, same tiles" cmp -s <(tail -n +3 placed.map) <(tail -n +3 again.map)
check "other seed" 0 "$cli" startlocations --seed 12 --map base.map --name other
differ() { ! cmp -s "$1" "$2"; }
expect "other seed, other tiles" differ <(tail -n +3 placed.map) <(tail -n +3 other.map)
check "zero tries" 0 "$cli" startlocations --seed 11 --map placed.map --name cleared --tries 0
expect "zero tries clears back to the world" cmp -s <(tail -n +3 cleared.map) <(tail -n +3 base.map)
check "negative tries" 0 "$cli" startlocations --seed 11 --map placed.map --name negative --tries -2147483648
expect "negative tries clears too" cmp -s <(tail -n +3 negative.map) <(tail -n +3 base.map)
check "generate --startlocations" 0 "$cli" generate --seed 3 --quads 2x1 --name both --startlocations
check "info on it" 0 "$cli" info both.map
expect "generate placed start locations" grep -q '^start locations: [1-9]' out.txt

check "help" 0 "$cli" startlocations --help
expect "help shows the usage" grep -q 'pelorn-cli startlocations --seed N --map FILE --name NAME' out.txt
check "main help" 0 "$cli" --help
expect "main help lists the command" grep -q '^  startlocations' out.txt
check "generate help" 0 "$cli" generate --help
expect "generate help names --startlocations" grep -q -- '--startlocations' out.txt

check "no arguments" 2 "$cli" startlocations
check "no seed" 2 "$cli" startlocations --map base.map --name x
check "no map" 2 "$cli" startlocations --seed 1 --name x
check "no name" 2 "$cli" startlocations --seed 1 --map base.map
check "negative seed" 2 "$cli" startlocations --seed -1 --map base.map --name x
check "seed too large" 2 "$cli" startlocations --seed 4294967296 --map base.map --name x
check "seed not a number" 2 "$cli" startlocations --seed 12abc --map base.map --name x
check "tries too large" 2 "$cli" startlocations --seed 1 --map base.map --name x --tries 2147483648
check "tries not a number" 2 "$cli" startlocations --seed 1 --map base.map --name x --tries many
check "tries given twice" 2 "$cli" startlocations --seed 1 --map base.map --name x --tries 1 --tries 2
check "missing value" 2 "$cli" startlocations --seed 1 --map base.map --name
check "unknown option" 2 "$cli" startlocations --seed 1 --map base.map --name x --fast
check "name with a path" 2 "$cli" startlocations --seed 1 --map base.map --name sub/x
check "empty name" 2 "$cli" startlocations --seed 1 --map base.map --name ""
for name in 'C:x' '..' 'AUX' $'a\tb' 'lpt1.map' 'x.'; do
    check "unsafe name $(printf %q "$name")" 2 "$cli" startlocations --seed 1 --map base.map --name "$name"
    expect "the message names the rule" grep -q -- '--name refused: a name' err.txt
done
check "map file named like a device" 2 "$cli" startlocations --seed 1 --map con.map --name x
expect "nothing written on bad arguments" test ! -e x.map

# A map that is not read in full is not placed on, and above all not saved
# over itself emptied or cut.
printf '*MapInfo*\r\nbad\r\n0\r\n01\r\n*MapTiles*\r\n05' >bad.map
cp bad.map bad.copy
check "refused quad count" 1 "$cli" startlocations --seed 1 --map bad.map --name bad
expect "the map with the refused count is left as it was" cmp -s bad.map bad.copy
expect "the reason names the count" grep -q "cannot read 'bad.map': a quad count is missing or not from 1 to 100" err.txt
printf '*MapInfo*\r\nbig\r\n40\r\n40\r\n*MapTiles*' >big.map
check "more than 1024 quads" 1 "$cli" startlocations --seed 1 --map big.map --name big
expect "the reason names the quad limit" grep -q 'more than 1024 quads' err.txt
head -c 20000 base.map >cut.map
cp cut.map cut.copy
check "tiles cut short" 1 "$cli" startlocations --seed 1 --map cut.map --name cut
expect "the cut map is left as it was" cmp -s cut.map cut.copy
expect "the reason names the tiles" grep -q 'the tiles end early' err.txt
printf '*MapInfo*\r\nhead\r\n01\r\n01' >head.map
check "no tiles at all" 1 "$cli" startlocations --seed 1 --map head.map --name notread
expect "nothing written for a map not read" test ! -e notread.map

check "missing map file" 1 "$cli" startlocations --seed 1 --map nowhere.map --name x
mkdir blocked.map
check "output cannot be written" 1 "$cli" startlocations --seed 1 --map base.map --name blocked

finish cli-startlocations
