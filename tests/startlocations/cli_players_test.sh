#!/usr/bin/env bash
# pelorn-cli in players mode, run as a user runs it: startlocations and
# generate with --players, the batch of seeds, info --starts and --json, the
# weights file, exit codes and the files written.
#   tests/startlocations/cli_players_test.sh path/to/pelorn-cli
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_checks.sh"

starts_in() { tail -n +6 "$1" | tr -d '\r' | awk '$1 >= 50 && $1 <= 60' | wc -l; }
tiles_of() { tail -n +3 "$1"; }
# A field of info --json, read by python: json_of FILE EXPRESSION (on d) [INFO OPTIONS...].
json_of() { "$cli" info --json "$1" "${@:3}" | python3 -c "import json, sys; d = json.load(sys.stdin); print($2)"; }

check "world to start from" 0 "$cli" generate --seed 3 --quads 2x2 --name base
check "players mode" 0 "$cli" startlocations --map base.map --name six --players 6 --min-distance 30
expect "exactly six starts in the map" test "$(starts_in six.map)" -eq 6
expect "says what it placed" grep -qx 'placed 6 starts, home [0-9]*%, room [0-9]*%' out.txt
expect "every pair 30 steps apart" test "$(json_of six.map "min(s['nearest_rival'] for s in d['starts']['list'])")" -ge 30
check "with a seed given" 0 "$cli" startlocations --seed 99 --map base.map --name seeded --players 6 --min-distance 30
expect "no random numbers: the seed changes nothing" cmp -s <(tiles_of six.map) <(tiles_of seeded.map)
check "classic start locations first" 0 "$cli" startlocations --seed 1 --map base.map --name classic
check "players mode over them" 0 "$cli" startlocations --map classic.map --name over --players 6 --min-distance 30
expect "the old ones are cleared: the same six" cmp -s <(tiles_of six.map) <(tiles_of over.map)
check "generate --players" 0 "$cli" generate --seed 3 --quads 2x2 --name gen --players 6 --min-distance 30
expect "generate places as startlocations does" cmp -s <(tiles_of six.map) <(tiles_of gen.map)
check "generate --startlocations --players" 0 "$cli" generate --seed 3 --quads 2x2 --name gen2 --startlocations --players 6 --min-distance 30
expect "the same again" cmp -s <(tiles_of gen.map) <(tiles_of gen2.map)

# A table that weighs plains alone: at radius 0 a start is worth 7 on
# plains and nothing on anything else, so the fairest four stand on plains.
printf '# plains only\r\n2\t7   # CODE WEIGHT\r\n\r\n' >plains.txt
check "weights file" 0 "$cli" startlocations --map base.map --name plain --players 4 --radius 0 --weights plains.txt
expect "land values from the file" test "$(json_of plain.map "sorted(set(s['land_value'] for s in d['starts']['list']))" --radius 0 --weights plains.txt)" = "[7]"
check "info with the same table" 0 "$cli" info plain.map --starts --radius 0 --weights plains.txt
expect "info lists four starts worth 7" test "$(awk 'NF == 9 && $4 == 7' out.txt | wc -l)" -eq 4
expect "the weights are named" grep -q '^starts: 4 (land value within 0 steps, weights of plains.txt)$' out.txt

# The map holds fewer than asked: written, exit status 3, and said so.
check "fewer starts than asked" 3 "$cli" startlocations --map base.map --name crowded --players 40 --min-distance 60
expect "the map is written" test -e crowded.map
placed="$(sed -n 's/^placed \([0-9]*\) of 40 starts, home [0-9]*%, room [0-9]*%$/\1/p' out.txt)"
expect "says how many of 40" test -n "$placed"
expect "the map holds as many as it says (${placed:-?})" test "$(starts_in crowded.map)" -eq "${placed:-0}"
expect "the reason on stderr" grep -q 'the map holds only [0-9]* of the 40 start locations asked for, at least 60 steps apart' err.txt
check "generate with fewer starts" 3 "$cli" generate --seed 3 --quads 1x1 --name few --players 30 --min-distance 40

# Without --min-distance: the automatic spacing of the map's walkable tiles.
check "automatic spacing" 0 "$cli" startlocations --map base.map --name auto --players 6
expect "every pair the automatic spacing apart" python3 -c "
import json, math, subprocess, sys
d = json.loads(subprocess.run([sys.argv[1], 'info', '--json', 'auto.map'], capture_output=True, text=True).stdout)
walk = sum(t['count'] for t in d['terrain'] if 0 < t['code'] <= 38 and t['code'] not in (21, 22)) + d['start_locations']['count']
assert min(s['nearest_rival'] for s in d['starts']['list']) >= max(3, math.floor(0.6 * math.sqrt(walk / 6))), walk
" "$cli"
check "a spread above --max-spread" 3 "$cli" startlocations --map base.map --name uneven --players 12 --min-distance 3 --radius 0 --max-spread 0 --weights plains.txt
expect "written all the same" test -e uneven.map
expect "both spreads named" grep -qE 'home spread [0-9.]+% and room spread [0-9.]+%: above --max-spread 0%' err.txt
check "within --max-spread" 0 "$cli" startlocations --map base.map --name even --players 6 --max-spread 100
check "rooms of --room steps" 0 "$cli" startlocations --map base.map --name room4 --players 6 --room 4
said="$(sed -n 's/^placed 6 starts, home [0-9]*%, room \([0-9]*\)%$/\1/p' out.txt)"
expect "the room spread said is that of rooms within 4 steps" python3 -c "
import json, subprocess, sys
d = json.loads(subprocess.run([sys.argv[1], 'info', '--json', 'room4.map', '--room', '4'], capture_output=True, text=True).stdout)
s = d['starts']['room_spread']
h, l = s['highest'], s['lowest']
assert (200 * (h - l) + h) // (2 * h) == int(sys.argv[2]), (s, sys.argv[2])
" "$cli" "${said:-x}"
check "--room -1" 2 "$cli" startlocations --map base.map --name r --players 6 --room -1
check "--room without --players" 2 "$cli" startlocations --map base.map --name r --seed 1 --room 4

check "info --starts" 0 "$cli" info six.map --starts
expect "six rows of facts" test "$(awk 'NF == 9 && $1 ~ /^[0-9]+$/' out.txt | wc -l)" -eq 6
expect "the room spread" grep -qE '^room spread: [0-9]+\.[0-9]{2}% \([0-9]+ to [0-9]+, rooms within [0-9]+ walking steps\)$' out.txt
expect "rooms within --room steps" test "$(json_of six.map "d['starts']['room_radius']" --room 5)" = 5
expect "the land spread" grep -qE '^land value spread: [0-9]+\.[0-9]{2}% \([0-9]+ to [0-9]+\)$' out.txt
expect "the territory spread" grep -qE '^territory spread: [0-9]+\.[0-9]{2}% \([0-9]+ to [0-9]+\)$' out.txt
# Values wider than their columns still stand apart: a start on a quad of
# plains weighing 1000 each, its room and its landmass of 10,000,000.
python3 -c "import sys; sys.stdout.buffer.write(b'*MapInfo*\r\nheavy\r\n01\r\n01\r\n*MapTiles*\r\n51' + b'\r\n02' * 9999)" >heavy.map
printf '2 1000\n' >heavy.txt
check "info with wide values" 0 "$cli" info heavy.map --starts --weights heavy.txt --room 100
expect "nine fields in the start's row" test "$(awk '$1 == 0 && $2 == 0' out.txt | awk '{ print NF }')" = 9
expect "three in the landmass's row" grep -qE '^ *10000 +10000000 +1$' out.txt
check "info --room -1" 2 "$cli" info six.map --room -1
check "info --starts without starts" 0 "$cli" info base.map --starts
expect "none listed" grep -qx 'starts: 0 (land value within 3 steps)' out.txt
check "info --json" 0 "$cli" info --json classic.map
expect "valid JSON with every start" python3 -c "
import json, sys
d = json.load(open('out.txt'))
assert d['name'] == 'classic' and d['quads'] == {'x': 2, 'y': 2} and d['tiles'] == {'width': 200, 'height': 200}
assert d['start_locations']['count'] == len(d['starts']['list']) > 20
assert sum(t['count'] for t in d['terrain']) + d['start_locations']['count'] == 40000
assert d['read_in_full'] and d['damage'] is None
s = d['starts']
masses = [m['tiles'] for m in s['landmasses']]
assert 0 < len(masses) <= 32 and masses == sorted(masses, reverse=True) and s['room_radius'] >= 3
assert all(0 <= x['room_tiles'] <= x['landmass'] and x['landmass'] >= 1 and x['room'] >= 0 for x in s['list'])
assert sum(m['starts'] for m in s['landmasses']) <= len(s['list']) and 'percent' in s['room_spread']
"
# Untrusted names come out escaped: a single-byte letter in the name, and a
# quote and a control character in the file's name.
printf '*MapInfo*\r\ncaf\xe9\r\n01\r\n01\r\n*MapTiles*' >latin.map
check "info --json on a single-byte name" 0 "$cli" info --json latin.map
expect "the name read as Latin-1" python3 -c "import json; assert json.load(open('out.txt'))['name'] == 'caf\u00e9'"
printf '*MapInfo*\r\na"b\\\x01\r\n01\r\n01\r\n*MapTiles*' >$'q"\x7f.map'
check "info --json on a quoted name" 0 "$cli" info --json $'q"\x7f.map'
expect "the file name escaped" python3 -c "import json; d = json.load(open('out.txt')); assert d['file'] == 'q\"\x7f.map', d"
expect "the damage named" python3 -c "import json; d = json.load(open('out.txt')); assert not d['read_in_full'] and d['damage']"

# The batch: every seed's world, the fairest kept, a CSV of all.
check "batch" 0 "$cli" generate --seeds 7..18 --keep-best 3 --quads 1x1 --name b --players 3 --min-distance 20
expect "three worlds kept" test "$(ls b-*.map | wc -l)" -eq 3
expect "a CSV of twelve seeds" test "$(wc -l <b.csv)" -eq 13
expect "CSV header" test "$(head -n 1 b.csv)" = $'seed,spread,weakest,territory_spread,starts,room_spread,weakest_room\r'
expect "no progress line off a terminal" test ! -s err.txt
expect "CSV fairest first" python3 -c "
import csv
rows = list(csv.DictReader(open('b.csv', newline='')))
assert sorted(int(r['seed']) for r in rows) == list(range(7, 19))
key = [(-int(r['starts']), max(float(r['spread']), float(r['room_spread']))) for r in rows]
assert key == sorted(key), key
"
kept=()
while IFS=, read -r seed _; do kept+=("$seed"); done < <(sed -n '2,4p' b.csv)
for seed in "${kept[@]}"; do expect "kept world b-$seed.map" test -e "b-$seed.map"; done
expect "no other world kept" test "$(ls b-*.map | wc -l)" -eq 3
mkdir again && cd again || exit 1
for seed in "${kept[@]}"; do "$cli" generate --seed "$seed" --quads 1x1 --name "b-$seed" --players 3 --min-distance 20 >/dev/null; done
cd .. || exit 1
for seed in "${kept[@]}"; do
    expect "b-$seed.map is the world of --seed $seed" cmp -s "b-$seed.map" "again/b-$seed.map"
done
# Threads: one world per thread, the same files as one thread makes.
mkdir one && cd one || exit 1
"$cli" generate --seeds 7..18 --keep-best 3 --quads 1x1 --name b --players 3 --min-distance 20 --threads 1 >/dev/null
cd .. || exit 1
expect "the CSV of one thread" cmp -s b.csv one/b.csv
for seed in "${kept[@]}"; do expect "b-$seed.map of one thread" cmp -s "b-$seed.map" "one/b-$seed.map"; done
check "three threads" 0 "$cli" generate --seeds 7..18 --keep-best 3 --quads 1x1 --name b --players 3 --min-distance 20 --threads 3
expect "the CSV of three threads" cmp -s b.csv one/b.csv
check "a kept world above --max-spread" 3 "$cli" generate --seeds 7..9 --keep-best 1 --quads 1x1 --name over --players 3 --min-distance 20 --max-spread 0
expect "its spreads named" grep -qE '^pelorn-cli generate: seed [0-9]+: home spread [0-9.]+% and room spread [0-9.]+%: above --max-spread 0%$' err.txt
expect "kept all the same" test "$(ls over-*.map | wc -l)" -eq 1
check "only the kept worlds checked" 0 "$cli" generate --seeds 7..9 --keep-best 1 --quads 1x1 --name over --players 3 --min-distance 20 --max-spread 3
expect "a world left out was above it" python3 -c "
import csv
rows = list(csv.DictReader(open('over.csv', newline='')))
assert max(float(rows[0]['spread']), float(rows[0]['room_spread'])) <= 3 < max(float(r['room_spread']) for r in rows[1:])
"
check "--threads 0" 2 "$cli" generate --seeds 1..2 --keep-best 1 --quads 1x1 --name t --players 2 --threads 0
check "--threads without --seeds" 2 "$cli" generate --seed 1 --quads 1x1 --name t --threads 2
if command -v script >/dev/null; then
    script -qc "'$cli' generate --seeds 1..3 --keep-best 1 --quads 1x1 --name tty --players 2" /dev/null >tty.txt
    expect "a progress line on a terminal" grep -qE 'pelorn-cli generate: world 3 of 3 \(seed [1-3]\)' tty.txt
fi

# export --starts: the marks of the whole-map view, numbered in file order, and the rooms tinted.
check "export --starts" 0 "$cli" export six.map --png marked.png --starts
check "export without marks" 0 "$cli" export six.map --png plain.png
check "export --starts of a map without starts" 0 "$cli" export base.map --png none.png --starts
check "export of that map" 0 "$cli" export base.map --png base.png
check "import of the marked picture" 0 "$cli" import marked.png --name Unmarked
expect "the marked picture carries its map" cmp -s <(tail -n +3 six.map) <(tail -n +3 Unmarked.map)
check "--starts with --indexed" 2 "$cli" export six.map --png x.png --starts --indexed
check "--starts with --hex" 2 "$cli" export six.map --png x.png --starts --hex 1
"$cli" info --json six.map >six.json
expect "marks, numbers and tints where the starts are" python3 -c "
import json, struct, sys, zlib
def pixels(path):
    data = open(path, 'rb').read()
    at, idat, plte = 8, b'', b''
    while at < len(data):
        n, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + n]
        if kind == b'IHDR': w, h, depth, ctype = struct.unpack('>IIBB', body[:10])
        if kind == b'PLTE': plte = body
        if kind == b'IDAT': idat += body
        at += 12 + n
    raw, size = zlib.decompress(idat), 1 if ctype == 3 else 3
    rows = [raw[y * (w * size + 1) + 1:(y + 1) * (w * size + 1)] for y in range(h)]
    if ctype == 3: return [[tuple(plte[3 * i:3 * i + 3]) for i in r] for r in rows]
    return [[tuple(r[3 * x:3 * x + 3]) for x in range(w)] for r in rows]
marked, plain = pixels('marked.png'), pixels('plain.png')
assert pixels('none.png') == pixels('base.png'), 'a map without starts keeps its picture'
ink, paper = (0, 0, 0), (255, 255, 255)
starts = json.load(open('six.json'))['starts']['list']
for n, s in enumerate(starts, 1):
    x, y = s['x'], s['y']
    assert marked[y][x] == ink and marked[y][x - 3] == ink and marked[y][x - 2] == paper, (n, x, y)
    # the top row of its number's digit from x + 6 (3 pixels, 1 ink): a 1 has its stem in the middle, a 4 two strokes
    top = '010' if n == 1 else '101' if n == 4 else '111'
    assert ''.join('1' if marked[y - 2][x + 6 + i] == ink else '0' for i in range(3)) == top, n
    tinted = sum(marked[(y + dy) % 200][(x + dx) % 200] != plain[(y + dy) % 200][(x + dx) % 200]
                 for dx in range(-12, 13) for dy in range(-12, 13) if not (-3 <= dx <= 20 and -3 <= dy <= 4))
    assert tinted > 20, (n, tinted)
"
check "help of startlocations" 0 "$cli" startlocations --help
expect "names players mode" grep -q -- '--players N' out.txt
check "help of generate" 0 "$cli" generate --help
expect "names the batch" grep -q -- '--seeds A..B --keep-best K' out.txt
check "help of info" 0 "$cli" info --help
expect "names --json" grep -q -- '--json' out.txt
check "main help" 0 "$cli" --help
expect "main help names exit status 3" grep -q '3 fewer start locations' out.txt

# Refused: bad arguments exit 2, nothing written.
for args in "--players 0" "--players 1001" "--players -1" "--players x" "--players 4 --min-distance -1" \
            "--players 4 --max-spread 101" "--players 4 --max-spread -1" "--max-spread 5" \
            "--players 4 --min-distance 100001" "--players 4 --radius 21" "--players 4 --radius -1" \
            "--players 4 --tries 10" "--min-distance 5" "--radius 2" "--weights plains.txt" \
            "--players 4 --weights aux.txt" "--players 4 --players 5" "--players 4 --weights"; do
    # shellcheck disable=SC2086
    check "startlocations $args" 2 "$cli" startlocations --map base.map --name refused $args
done
check "generate --min-distance alone" 2 "$cli" generate --seed 1 --quads 1x1 --name refused --min-distance 3
check "info --radius 21" 2 "$cli" info base.map --radius 21
check "info --players" 2 "$cli" info base.map --players 3
check "info --weights without a value" 2 "$cli" info base.map --weights
batch=(generate --quads 1x1 --name refused --players 2)
for args in "--seeds 5..1" "--seeds 1..100001" "--seeds 0..4294967295" "--seeds 1-5" "--seeds ..5" "--seeds 1..x" \
            "--seeds 1..3" "--seeds 1..3 --keep-best 0" "--seeds 1..3 --keep-best 4" "--seeds 1..3000 --keep-best 1001" \
            "--seed 1 --keep-best 1" "--seed 1 --seeds 1..3 --keep-best 1" "--seeds 1..3 --keep-best 1 --write-settings s.dat"; do
    # shellcheck disable=SC2086
    check "${batch[*]} $args" 2 "$cli" "${batch[@]}" $args
done
check "batch without --players" 2 "$cli" generate --quads 1x1 --name refused --seeds 1..3 --keep-best 1
long="$(printf 'n%.0s' {1..60})"
check "batch names past 64 characters" 2 "$cli" generate --quads 1x1 --name "$long" --players 2 --seeds 1..1000 --keep-best 1
expect "the message names the longest name" grep -q -- "$long-1000" err.txt
check "batch names within 64 characters" 0 "$cli" generate --quads 1x1 --name "$long" --players 2 --seeds 1..9 --keep-best 1
expect "nothing written on bad arguments" test -z "$(ls refused* 2>/dev/null)"

# Weights files that cannot be read or hold no table: exit 1, nothing written.
printf '2 3\n2 4\n' >twice.txt
printf '# nothing\n' >empty.txt
printf '39 1\n' >code.txt
printf '2 1001\n' >heavy.txt
head -c 70000 /dev/zero | tr '\0' '#' >big.txt
mkfifo pipe.txt
for file in missing.txt twice.txt empty.txt code.txt heavy.txt big.txt pipe.txt /dev/zero .; do
    check "weights $file" 1 timeout 5 "$cli" startlocations --map base.map --name refused --players 2 --weights "$file"
    expect "the reason names $file" grep -q "cannot read '$file'" err.txt
done
expect "the line of a bad table" grep -q "'heavy.txt': line 1: weight must be a whole number from 0 to 1000" <("$cli" startlocations --map base.map --name refused --players 2 --weights heavy.txt 2>&1)
expect "nothing written for unreadable weights" test ! -e refused.map

finish cli-players
