#!/usr/bin/env bash
# pelorn-cli export and import, run as a user runs them: a hundred generated
# worlds through a terrain-code PNG and back to the same map file bytes, the
# pictures checked against the bitmap by ImageMagick and by Python's zlib,
# foreign and broken images, and the exit codes.
#   tests/files/cli_png_test.sh path/to/pelorn-cli [WORLDS]     default 100
source "$(dirname "${BASH_SOURCE[0]}")/../support/cli_checks.sh"
worlds="${2:-100}"

# Worlds of small sizes, every third with start locations (codes 50 to 60).
sizes=(1x1 2x1 1x2 2x2 3x1)
same=0
for seed in $(seq 1 "$worlds"); do
    extra=()
    (( seed % 3 == 0 )) && extra=(--startlocations)
    "$cli" generate --seed "$seed" --quads "${sizes[seed % 5]}" --name "w$seed" "${extra[@]}" >/dev/null &&
        mv "w$seed.map" original.map &&
        "$cli" export original.map --png codes.png --indexed >/dev/null &&
        "$cli" import codes.png --name "w$seed" >out.txt &&
        grep -q 'by terrain code$' out.txt &&
        cmp -s original.map "w$seed.map" && same=$((same + 1))
    rm -f "w$seed.map"
done
expect "$worlds worlds read back byte for byte ($same)" test "$same" -eq "$worlds"

check "world" 0 "$cli" generate --seed 7 --quads 3x2 --name world --bmp --startlocations
check "picture" 0 "$cli" export world.map --png picture.png
expect "says what it wrote" grep -qx 'wrote picture.png' out.txt
check "terrain codes" 0 "$cli" export world.map --png codes.png --indexed
expect "ImageMagick reads the picture" bash -c "identify picture.png | grep -q 'PNG 300x200 300x200+0+0 8-bit'"
expect "ImageMagick reads the terrain codes" bash -c "identify codes.png | grep -q 'PNG 300x200 300x200+0+0 8-bit'"
# The picture's pixels are the bitmap's, by ImageMagick's decoder and by a
# plain chunk walk over zlib.
convert picture.png rgb:picture.rgb
expect "picture pixels are the bitmap's (ImageMagick)" python3 - <<'EOF'
import sys
bmp = open('world.bmp', 'rb').read()[54:]
rgb = bytearray(len(bmp))
rgb[0::3], rgb[1::3], rgb[2::3] = bmp[2::3], bmp[1::3], bmp[0::3]
sys.exit(0 if open('picture.rgb', 'rb').read() == bytes(rgb) else 1)
EOF
expect "picture pixels are the bitmap's, terrain codes are the map's (zlib)" python3 - <<'EOF'
import struct, sys, zlib
def chunks(path):
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    at, out = 8, {}
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 4:at + 8 + length]
        assert zlib.crc32(body) == struct.unpack('>I', data[at + 8 + length:at + 12 + length])[0]
        out[kind] = out.get(kind, b'') + body[4:]
        at += 12 + length
    return out
def pixels(path):
    c = chunks(path)
    width, height, depth, kind = struct.unpack('>IIBB', c[b'IHDR'][:10])
    assert (depth, kind) == (8, 3) and [k for k in c if k != b'plMp'] == [b'IHDR', b'PLTE', b'IDAT', b'IEND']
    assert (b'plMp' in c) == (path == 'picture.png')
    raw = zlib.decompress(c[b'IDAT'])
    assert len(raw) == height * (width + 1)
    rows = [raw[y * (width + 1):(y + 1) * (width + 1)] for y in range(height)]
    assert all(r[0] == 0 for r in rows)
    return width, height, c[b'PLTE'], [r[1:] for r in rows]
width, height, palette, rows = pixels('picture.png')
bmp = open('world.bmp', 'rb').read()[54:]
for y, row in enumerate(rows):
    for x, index in enumerate(row):
        r, g, b = palette[3 * index:3 * index + 3]
        at = 3 * (width * y + x)
        if (b, g, r) != tuple(bmp[at:at + 3]):
            sys.exit(1)
width, height, palette, rows = pixels('codes.png')
tiles = iter(open('world.map', 'rb').read().split(b'\r\n')[5:])  # in the map file's order
for qx in range(width // 100):
    for qy in range(height // 100):
        for i in range(100):
            for j in range(100):
                if rows[qy * 100 + j][qx * 100 + i] != int(next(tiles)):
                    sys.exit(1)
EOF

# Pelorn's pictures carry their map: back byte for byte, the hexagons too.
cp world.map world-before.map
check "picture read by its map" 0 "$cli" import picture.png --name world
expect "says so" grep -qx 'read picture.png: 300x200 pixels, 3x2 quads, by the map stored in the image' out.txt
"$cli" export world.map --png hex2.png --hex 2 >/dev/null
check "hexagons read by their map" 0 "$cli" import hex2.png --name world
expect "the map again, byte for byte" cmp -s world.map world-before.map
# Without its map (or with pixels changed since) a picture is read by colour.
python3 - <<'EOF'
import struct
data, at, out = open('picture.png', 'rb').read(), 8, b''
while at < len(data):
    length, kind = struct.unpack('>I4s', data[at:at + 8])
    if kind != b'plMp':
        out += data[at:at + 12 + length]
    at += 12 + length
open('plain.png', 'wb').write(data[:8] + out)
EOF
check "picture read by colour" 0 "$cli" import plain.png --name back
expect "no pixel without a terrain colour" grep -qx 'read plain.png: 300x200 pixels, 3x2 quads, by colour; pixels of no terrain colour: 0' out.txt
expect "shared colours counted" grep -q '^pixels of a colour several terrains share, read as the lowest of them: [1-9]' out.txt
expect "read by colour: start locations and forests are gone" bash -c \
    "$cli info back.map | grep -qx 'start locations: 0' && ! $cli info back.map | grep -q '^  14 '"

# Foreign images from ImageMagick: full colour, grey and with alpha.
convert -size 200x100 'xc:rgb(0,45,98)' PNG24:sea.png
check "foreign colour image" 0 "$cli" import sea.png --name sea
expect "all sea" bash -c "$cli info sea.map | grep -qx '  21 Sea: 20000'"
convert -size 100x100 'xc:rgb(0,45,99)' -fill 'rgb(255,255,255)' -draw 'point 5,5' PNG32:near.png
check "near colours" 0 "$cli" import near.png --name near
expect "near colours counted" grep -q 'pixels of no terrain colour: 9999$' out.txt
convert -size 100x100 xc:gray53 -depth 16 PNG48:grey.png
check "16-bit image" 0 "$cli" import grey.png --name grey
expect "16-bit grey 135 is Mount4 S" bash -c "$cli info grey.map | grep -qx '  32 Mount4 S: 10000'"

# Broken and wrong images: exit 1 with the reason, nothing written.
convert -size 99x100 xc:black PNG24:narrow.png
check "not a whole number of quads" 1 "$cli" import narrow.png --name bad
expect "size named" grep -q "cannot read 'narrow.png': the image is 99 by 100 pixels; a map image is a whole number of quads" err.txt
check "a map file is no image" 1 "$cli" import world.map --name bad
expect "not a PNG" grep -qx "pelorn-cli import: cannot read 'world.map': not a PNG image" err.txt
head -c 1000 codes.png >cut.png
check "truncated image" 1 "$cli" import cut.png --name bad
expect "truncated named" grep -q "cannot read 'cut.png': truncated" err.txt
python3 -c "
import struct, zlib
body = b'IHDR' + struct.pack('>IIBBBBB', 2000000000, 2000000000, 8, 6, 0, 0, 0)
open('huge.png', 'wb').write(b'\x89PNG\r\n\x1a\n' + struct.pack('>I', 13) + body + struct.pack('>I', zlib.crc32(body)))"
check "huge dimensions" 1 "$cli" import huge.png --name bad
expect "huge size named" grep -q "the image is 2000000000 by 2000000000 pixels" err.txt
check "missing image" 1 "$cli" import missing.png --name bad
expect "nothing written for bad images" test ! -e bad.map

# The map drawn as hexagons: 6 pixels a column and 4 a row, 2 more each way.
check "hexagons" 0 "$cli" export world.map --png hex1.png --hex 1
expect "says what it wrote" grep -qx 'wrote hex1.png' out.txt
expect "ImageMagick reads the hexagons" bash -c "identify hex1.png | grep -q 'PNG 1802x802 1802x802+0+0 8-bit'"
check "hexagons at scale 3" 0 "$cli" export world.map --png hex3.png --hex 3
expect "scale 3 is scale 1 with every pixel made 3 by 3" bash -c \
    "identify hex3.png | grep -q 'PNG 5406x2406' && convert hex1.png -scale 300% rgb:- | cmp -s - <(convert hex3.png rgb:-)"
convert hex1.png rgb:hex1.rgb
expect "every tile's hexagon in its terrain's colour" python3 - <<'EOF2'
import struct, sys, zlib
data = open('codes.png', 'rb').read()
at, chunks = 8, {}
while at < len(data):
    length, kind = struct.unpack('>I4s', data[at:at + 8])
    chunks[kind] = chunks.get(kind, b'') + data[at + 8:at + 8 + length]
    at += 12 + length
palette = chunks[b'PLTE']
raw = zlib.decompress(chunks[b'IDAT'])
width, height = 300, 200
codes = [raw[y * (width + 1) + 1:(y + 1) * (width + 1)] for y in range(height)]
rgb = open('hex1.rgb', 'rb').read()
stride = 3 * 1802
for x in range(width):
    for y in range(height):
        # the right end of the hexagon's upper middle row: no mark reaches it,
        # and the next column's hexagon starts a pixel further on
        px, py = 6 * x + 5, 4 * y + 1 + (2 if x % 2 else 0)
        code = codes[y][x]
        want = palette[3 * code:3 * code + 3]
        got = rgb[py * stride + 3 * px:py * stride + 3 * px + 3]
        if got != want:
            print('tile', x, y, 'code', code, 'shows', tuple(got), 'not', tuple(want))
            sys.exit(1)
# the corner between the hexagons is the window's white
sys.exit(0 if rgb[0:3] == b'\xff\xff\xff' else 1)
EOF2
# Larger than any viewer wants: refused before anything is drawn.
convert -size 1000x1000 'xc:rgb(0,45,98)' PNG24:big.png && "$cli" import big.png --name big >/dev/null
check "hexagons too large" 1 "$cli" export big.map --png bighex.png --hex 2
expect "the size named" grep -qx "pelorn-cli export: the picture of 'big.map' at --hex 2 would be 12004 by 8004 pixels; at most 32767 on a side and 33554432 in all (try a smaller scale)" err.txt
expect "no file for it" test ! -e bighex.png

printf '*MapInfo*\r\nodd\r\n01\r\n01\r\n*MapTiles*\r\n-5' >odd.map
check "code the terrain-code image cannot hold" 1 "$cli" export odd.map --png odd.png --indexed
expect "code named" grep -qx "pelorn-cli export: cannot write 'odd.png': tile x 0, y 0 holds code -5: a terrain-code image holds codes 0 to 255 only" err.txt
expect "no file for it" test ! -e odd.png
check "its picture" 0 "$cli" export odd.map --png odd.png
check "missing map" 1 "$cli" export missing.map --png m.png
check "unwritable image" 1 "$cli" export world.map --png no/such/dir.png

check "help" 0 "$cli" --help
expect "help lists export and import" bash -c "grep -q 'pelorn-cli export FILE.map --png' out.txt && grep -q 'pelorn-cli import IMAGE.png --name' out.txt"
check "export help" 0 "$cli" export --help
check "import help" 0 "$cli" import --help
check "export without arguments" 2 "$cli" export
check "export without --png" 2 "$cli" export world.map
check "export without map" 2 "$cli" export --png a.png
check "--png without value" 2 "$cli" export world.map --png
check "--png twice" 2 "$cli" export world.map --png a.png --png b.png
check "--indexed twice" 2 "$cli" export world.map --png a.png --indexed --indexed
check "two maps" 2 "$cli" export world.map world.map --png a.png
cp world.map world.kept
check "image over its own map" 2 "$cli" export world.map --png world.map
expect "map kept" cmp -s world.map world.kept
check "--hex without value" 2 "$cli" export world.map --png a.png --hex
check "export unknown option" 2 "$cli" export world.map --png a.png --fast
for scale in 0 17 -1 abc 1x '' 99999999999; do
  check "--hex '$scale'" 2 "$cli" export world.map --png a.png --hex "$scale"
done
expect "the scale's range named" grep -q -- "--hex must be a whole number from 1 to 16" err.txt
check "--hex twice" 2 "$cli" export world.map --png a.png --hex 1 --hex 2
check "--hex with --indexed" 2 "$cli" export world.map --png a.png --hex 1 --indexed
check "import without arguments" 2 "$cli" import
check "import without --name" 2 "$cli" import codes.png
# The name rule of every other command, and no device opened either way.
for name in 'C:x' '..' 'AUX' $'a\tb'; do
  check "import --name '$name'" 2 "$cli" import codes.png --name "$name"
done
check "export to a device" 2 "$cli" export world.map --png NUL.png
check "import from a device" 2 "$cli" import aux.png --name dev
check "import without image" 2 "$cli" import --name a
check "empty name" 2 "$cli" import codes.png --name ''
check "path as name" 2 "$cli" import codes.png --name sub/a
check "name twice" 2 "$cli" import codes.png --name a --name b
check "two images" 2 "$cli" import codes.png picture.png --name a
check "import unknown option" 2 "$cli" import codes.png --name a --fast
expect "nothing written for bad arguments" bash -c "test ! -e a.png && test ! -e a.map"

finish cli-png
