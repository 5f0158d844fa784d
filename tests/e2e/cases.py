"""The end-to-end tests. Each takes a run.Session and raises on failure.

Client coordinates below are those the editor draws at: the detail view's
quad starts at (46, 76), legend labels at (740, 40 + 20k) and (850, ...).
"""

import glob
import re
import os
import struct
import subprocess
import time
import zipfile
import zlib

from harness import BLACK, WHITE, E2EFailure, check, wait_until

RED = (255, 0, 0)

# Display colours of the terrain codes.
PALETTE = {
    0: (0, 0, 0), 1: (122, 193, 67), 2: (108, 179, 63), 3: (98, 163, 57), 4: (105, 137, 49),
    5: (179, 151, 51), 6: (176, 127, 35), 7: (162, 99, 18), 8: (145, 88, 14), 9: (120, 162, 47),
    10: (157, 179, 34), 11: (201, 199, 32), 12: (205, 124, 36), 13: (186, 94, 33), 14: (108, 179, 63),
    15: (98, 163, 57), 16: (105, 137, 49), 17: (68, 149, 52), 18: (60, 133, 47), 19: (0, 80, 175),
    20: (0, 128, 102), 21: (0, 45, 98), 22: (0, 65, 142), 23: (175, 232, 139), 24: (230, 255, 230),
    25: (188, 215, 170), 26: (207, 230, 207), 27: (182, 201, 170), 28: (195, 215, 195),
    29: (195, 195, 195), 30: (175, 175, 175), 31: (155, 155, 155), 32: (135, 135, 135),
    33: (175, 232, 139), 34: (188, 215, 170), 35: (182, 201, 170), 36: (255, 255, 255),
    37: (53, 116, 41), 38: (137, 179, 47),
}
BLACK_LABELS = {23, 24, 25, 26, 27, 28, 33, 34, 35, 36}

DEFAULT_SETTINGS = [
    ("genStartLocTries", "1000"), ("roughnessFactor", "1.2"), ("randomnessLength", "17"),
    ("randomnessLengthForest", "5"), ("randomnessLengthDesert", "33"), ("randomnessLengthJungle", "33"),
    ("randomnessLengthPolar", "17"), ("randomnessLengthSteppes", "33"), ("genRiverTries", "50"),
    ("genSeaTiles", "5000"), ("seedHorizontalSea", "0"), ("seedVerticalSea", "0"), ("forestFactor", "4"),
    ("desertFactor", "4"), ("jungleFactor", "4"), ("polarFactor", "8"), ("steppesFactor", "2"),
    ("equatorFactor", "3"), ("northPoleFactor", "3"), ("southPoleFactor", "3"), ("levelSea", "5"),
    ("levelPlains", "6.7"), ("levelFertilePlains", "6.9"), ("levelHills", "7.9"), ("levelHighHills", "8.9"),
    ("levelMountain1", "9.3"), ("levelMountain2", "9.6"), ("levelMountain3", "9.8"), ("levelMountain4", "10"),
    ("levelcorrectionGlacial", "0.7"),
]


def settings_text(map_name="Untitled", changes=None):
    values = dict(DEFAULT_SETTINGS)
    values.update(changes or {})
    lines = ["#LastOpen# " + map_name] + ["#%s# %s" % (key, values[key]) for key, _ in DEFAULT_SETTINGS]
    return "\r\n".join(lines).encode("ascii")


def settings_values(data):
    tokens = data.decode("ascii").split()
    return {tokens[i].strip("#"): tokens[i + 1] for i in range(0, len(tokens) - 1, 2)}


def label_colour(code):
    if code in BLACK_LABELS:
        return BLACK
    if code == 11:
        return PALETTE[1]
    return PALETTE[code]


def label_origin(code):
    return (740, 40 + 20 * code) if code <= 21 else (850, 40 + 20 * (code - 22))


def tile_pixel(column, row):
    """A client pixel inside the middle rows of the hexagon of quad tile (column, row)."""
    return 46 + 6 * column + 3, 76 + 4 * row + 1 - (2 if column % 2 == 0 else 0)


def tile_click_point(column, row):
    """A client point that the editing tools map to quad tile (column, row)."""
    return 47 + 6 * column + 2, 76 + 4 * row + 1


def count_colour(editor, shot, left, top, right, bottom, colour):
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if editor.client_pixel(shot, x, y) == colour)


class MapFile:
    """A map file as the editor writes it: name, size in quads, tile codes."""

    def __init__(self, data):
        check(b"\n" not in data.replace(b"\r\n", b""), "map file has a line break other than CR LF")
        check(not data.endswith(b"\r\n"), "map file ends with a line break")
        lines = data.split(b"\r\n")
        check(lines[0] == b"*MapInfo*" and lines[4] == b"*MapTiles*", "map file header: %r" % lines[:5])
        self.name = lines[1].decode()
        self.quads_x = int(lines[2])
        self.quads_y = int(lines[3])
        self.raw_lines = lines[5:]
        check(len(self.raw_lines) == self.quads_x * self.quads_y * 10000,
              "map file holds %d tiles for %dx%d quads" % (len(self.raw_lines), self.quads_x, self.quads_y))
        self.codes = [int(t) for t in self.raw_lines]

    def index(self, x, y):
        qx, i = divmod(x, 100)
        qy, j = divmod(y, 100)
        return (qx * self.quads_y + qy) * 10000 + i * 100 + j

    def tile(self, x, y):
        return self.codes[self.index(x, y)]

    def tiles_not(self, code):
        """{(x, y): code} of every tile whose code is not the given one."""
        width, height = self.quads_x * 100, self.quads_y * 100
        return {(x, y): self.tile(x, y) for x in range(width) for y in range(height) if self.tile(x, y) != code}


def map_file_bytes(name, quads_x, quads_y, tiles=None):
    """The bytes the editor writes for a map of Void tiles plus {(x, y): code}."""
    grid = dict(tiles or {})
    lines = [b"*MapInfo*", name.encode(), b"%02d" % quads_x, b"%02d" % quads_y, b"*MapTiles*"]
    for qx in range(quads_x):
        for qy in range(quads_y):
            for i in range(100):
                for j in range(100):
                    lines.append(b"%02d" % grid.get((qx * 100 + i, qy * 100 + j), 0))
    return b"\r\n".join(lines)


def choose_terrain(editor, code):
    """A legend click; waits for the marker to stand at the chosen row."""
    x, y = label_origin(code)
    editor.click(x + 10, y + 8)
    marker_x = 730 if code <= 21 else 840
    editor.wait_for_pixels({(marker_x, y + 7): RED}, what="the legend marker at code %d" % code)


def paint_tile(editor, column, row, code):
    """A click on quad tile (column, row); waits until the tile shows the code's colour."""
    editor.click(*tile_click_point(column, row))
    editor.wait_for_pixels({tile_pixel(column, row): PALETTE[code]},
                           what="tile (%d, %d) painted in code %d" % (column, row, code))
    editor.move_to(690, 520)  # away from the map, so that no later message paints


def save_and_read(editor, name="Untitled", quads=(1, 1)):
    """Ctrl+S, then the map file as written."""
    path = editor.path(name + ".map")
    if os.path.exists(path):
        os.remove(path)
    size = 39 - len("Untitled") + len(name) + quads[0] * quads[1] * 40000
    editor.ctrl_key("s", until=lambda: os.path.exists(path), what="%s.map after Ctrl+S" % name)
    return MapFile(editor.wait_file(name + ".map", size=size))


def toggle_status(editor, key, region, colour, expect_present):
    """Ctrl+key, held until the status field shows (or hides) text in colour."""
    left, top, right, bottom = region
    editor.ctrl_key_until_screen(
        key, lambda s: (count_colour(editor, s, left, top, right, bottom, colour) > 0) == expect_present,
        what="the status after Ctrl+%s" % key.upper())


def check_detail_frame(editor, shot):
    """Top rule, separator and the status line of a fresh start."""
    for x in list(range(0, 720, 10)) + list(range(721, 950, 10)):
        check(editor.client_pixel(shot, x, 30) == BLACK, "top rule missing at client (%d, 30)" % x)
    for y in range(0, 540, 10):
        check(editor.client_pixel(shot, 720, y) == BLACK, "separator missing at client (720, %d)" % y)
    check(editor.client_pixel(shot, 719, 300) == WHITE and editor.client_pixel(shot, 721, 300) == WHITE,
          "separator is wider than one pixel")


def check_void_quad(editor, shot):
    for column in range(0, 100, 9):
        for row in range(0, 100, 11):
            x, y = tile_pixel(column, row)
            check(editor.client_pixel(shot, x, y) == BLACK, "tile (%d, %d) is not black" % (column, row))
    # The hexagon of tile (0, 0): 4 pixels in its top row (48..51 at y 74), 8 below.
    check([editor.client_pixel(shot, x, 74) for x in range(46, 54)] ==
          [WHITE, WHITE, BLACK, BLACK, BLACK, BLACK, WHITE, WHITE], "tile (0, 0) top row is not x 48..51")
    check(all(editor.client_pixel(shot, x, 75) == BLACK for x in range(46, 54)), "tile (0, 0) middle row")
    # One quad each way: no edge tiles of neighbours, white around the quad.
    for x, y in ((27, 200), (33, 200), (659, 200), (665, 200), (300, 59), (300, 62), (300, 486), (300, 489)):
        check(editor.client_pixel(shot, x, y) == WHITE, "unexpected drawing at client (%d, %d)" % (x, y))


def case_window_shows_detail_view(session):
    editor = session.start()
    shot = editor.wait_for(lambda s: editor.client_pixel(s, 730, 47) == RED, what="the legend marker")
    check_detail_frame(editor, shot)
    check_void_quad(editor, shot)
    # Caption "Untitled.map", position "0, 0" and "Brush: Normal": black text.
    check(count_colour(editor, shot, 10, 8, 100, 24, BLACK) > 40, "no caption text at (10, 8)")
    check(count_colour(editor, shot, 740, 8, 775, 24, BLACK) > 8, "no position text at (740, 8)")
    check(count_colour(editor, shot, 790, 8, 880, 24, BLACK) > 40, "no brush status at (790, 8)")
    check(count_colour(editor, shot, 580, 8, 710, 24, (200, 0, 0)) == 0, "tool status shown with no tool")
    check(count_colour(editor, shot, 900, 8, 950, 24, RED) == 0, "SL shown while off")
    # Every legend label in its colour, at its place.
    for code in range(39):
        x, y = label_origin(code)
        found = count_colour(editor, shot, x, y, x + 70, y + 16, label_colour(code))
        check(found >= 5, "label of code %d: %d pixels of %s near (%d, %d)" % (code, found, label_colour(code), x, y))
    # The marker of "Void": a thick red blot from (728, 47) to (732, 47).
    check(count_colour(editor, shot, 722, 40, 738, 56, RED) >= 40, "marker of Void missing")
    check(count_colour(editor, shot, 832, 40, 848, 56, RED) == 0, "marker in the second column")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_ctrl_m_switches_to_overview_and_back(session):
    editor = session.start()
    editor.move_to(300, 300)
    shot = editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == WHITE, what="the overview")
    # One quad at one pixel per tile: client columns -1..98, rows 35..134.
    for x, y in ((0, 35), (98, 35), (0, 134), (98, 134), (50, 80)):
        check(editor.client_pixel(shot, x, y) == BLACK, "overview pixel (%d, %d) not black" % (x, y))
    for x, y in ((99, 80), (50, 34), (50, 135), (300, 300)):
        check(editor.client_pixel(shot, x, y) == WHITE, "overview drew outside its quad at (%d, %d)" % (x, y))
    check(count_colour(editor, shot, 722, 8, 960, 29, BLACK) == 0, "status line drawn in the overview")
    check(count_colour(editor, shot, 722, 31, 960, 470, BLACK) == 0, "legend drawn in the overview")
    check(count_colour(editor, shot, 10, 8, 100, 24, BLACK) > 40, "caption missing in the overview")
    check(editor.client_pixel(shot, 400, 30) == BLACK, "top rule missing in the overview")
    shot = editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == BLACK,
                                        what="the detail view again")
    check_void_quad(editor, shot)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_close_writes_default_settings(session):
    editor = session.start()
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    data = editor.wait_file("appdata.dat")
    check(data == settings_text(), "appdata.dat differs from the 31 default lines: %r" % data[:120])
    check(data.count(b"\r\n") == 30 and not data.endswith(b"\r\n"), "line breaks of appdata.dat")


def case_about_opens_on_alt_slash_and_alt_question(session):
    editor = session.start()
    editor.move_to(300, 300)
    editor.key("alt+slash")
    editor.wait_window("About Pelorn")
    editor.key("Escape")
    editor.wait_window_gone("About Pelorn")
    editor.key("alt+question")
    editor.wait_window("About Pelorn")
    editor.key("Return")  # OK is the default button
    editor.wait_window_gone("About Pelorn")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


TOOL_STATUS = (580, 8, 710, 24)
TOOL_RED = (200, 0, 0)
BRUSH_NORMAL_TAIL = (862, 8, 900, 24)  # where "Brush: Normal" reaches past "Brush: Bold"


def case_paint_one_tile_and_save(session):
    editor = session.start()
    choose_terrain(editor, 1)  # "F Plains"
    paint_tile(editor, 5, 10, 1)
    saved = save_and_read(editor)
    check(saved.name == "Untitled" and (saved.quads_x, saved.quads_y) == (1, 1), "map header")
    check(saved.tiles_not(0) == {(5, 10): 1}, "tiles after one stroke: %s" % saved.tiles_not(0))
    check(saved.raw_lines[5 * 100 + 10] == b"01", "tile line of (5, 10)")
    with open(editor.path("Untitled.map"), "rb") as f:
        check(f.read() == map_file_bytes("Untitled", 1, 1, {(5, 10): 1}), "Untitled.map bytes")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_bold_brush_paints_seven_tiles(session):
    editor = session.start()
    editor.move_to(690, 520)
    toggle_status(editor, "b", BRUSH_NORMAL_TAIL, BLACK, False)
    choose_terrain(editor, 3)  # "Hills"
    paint_tile(editor, 20, 30, 3)
    # The outermost column of the quad takes no bold stroke at all.
    editor.click(*tile_click_point(0, 50))
    time.sleep(0.5)
    editor.move_to(690, 520)
    saved = save_and_read(editor)
    expected = {(20, 30): 3, (20, 29): 3, (20, 31): 3, (19, 29): 3, (19, 31): 3, (21, 29): 3, (21, 31): 3}
    check(saved.tiles_not(0) == expected, "bold stroke tiles: %s" % sorted(saved.tiles_not(0)))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_bucket_fills_connected_area(session):
    editor = session.start()
    choose_terrain(editor, 22)  # "Lake"
    # A ring of lake around tile (50, 50): its six neighbours.
    ring = [(50, 49), (51, 49), (51, 50), (50, 51), (49, 50), (49, 49)]
    for column, row in ring:
        paint_tile(editor, column, row, 22)
    toggle_status(editor, "u", TOOL_STATUS, TOOL_RED, True)
    choose_terrain(editor, 21)  # "Sea"
    editor.click(*tile_click_point(10, 10))
    editor.wait_for_pixels({tile_pixel(10, 10): PALETTE[21], tile_pixel(90, 90): PALETTE[21]},
                           what="the bucket fill")
    editor.move_to(690, 520)
    saved = save_and_read(editor)
    # Everything but the ring and the enclosed tile became sea; the brush did not follow the click.
    expected = {tile: 22 for tile in ring}
    expected[(50, 50)] = 0
    check(saved.tiles_not(21) == expected, "tiles that are not sea: %s" % saved.tiles_not(21))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_fill_tool_and_enter_fill_whole_map(session):
    editor = session.start()
    choose_terrain(editor, 11)  # "Desert"
    editor.move_to(690, 520)
    toggle_status(editor, "f", TOOL_STATUS, TOOL_RED, True)
    editor.key("Return")
    shot = editor.wait_for_pixels({tile_pixel(0, 0): PALETTE[11], tile_pixel(99, 99): PALETTE[11]},
                                  what="the whole-map fill")
    check(count_colour(editor, shot, *TOOL_STATUS, TOOL_RED) == 0, "fill tool still shown after the fill")
    saved = save_and_read(editor)
    check(set(saved.codes) == {11}, "codes after the fill: %s" % set(saved.codes))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def new_map(editor, name, quads_x, quads_y):
    """File > New, fields typed over their selected initial texts, Enter."""
    editor.move_to(690, 520)
    editor.menu(0, 0)
    editor.wait_window("New Map")
    editor.type_text(name)
    editor.key("Tab")
    editor.type_text(str(quads_x))
    editor.key("Tab")
    editor.type_text(str(quads_y))
    editor.key("Return")
    editor.wait_window_gone("New Map")


def case_new_map_and_scrolling(session):
    editor = session.start()
    new_map(editor, "Big", 3, 2)
    # Three quads wide, two high, viewed from quad (0, 0): the right and bottom
    # edges of the neighbours show, the left and top ones do not.
    editor.wait_for_pixels({(665, 200): BLACK, (300, 489): BLACK, (27, 200): WHITE, (300, 59): WHITE},
                           what="the edges of a 3x2 map at quad (0, 0)")
    choose_terrain(editor, 19)  # "River"
    paint_tile(editor, 99, 99, 19)
    editor.key("Right")
    editor.wait_for_pixels({(27, 200): BLACK, tile_pixel(99, 99): BLACK}, what="the view at quad (1, 0)")
    # The tile painted in quad (0, 0) now shows among the left edge columns.
    editor.wait_for_pixels({(33, 76 + 4 * 99 + 1): PALETTE[19]}, what="tile (99, 99) in the left edge")
    paint_tile(editor, 0, 0, 19)
    editor.key("Down")
    editor.wait_for_pixels({(300, 59): BLACK, (300, 489): WHITE, tile_pixel(0, 0): BLACK},
                           what="the view at quad (1, 1)")
    paint_tile(editor, 10, 20, 19)
    editor.key("Down")  # the bottom quad row: nothing changes
    editor.key("Up")
    editor.wait_for_pixels({tile_pixel(0, 0): PALETTE[19], tile_pixel(10, 20): BLACK}, what="the view at quad (1, 0)")
    saved = save_and_read(editor, "Big", (3, 2))
    check(saved.name == "Big" and (saved.quads_x, saved.quads_y) == (3, 2), "header of Big.map")
    check(saved.tiles_not(0) == {(99, 99): 19, (100, 0): 19, (110, 120): 19},
          "tiles of Big.map: %s" % saved.tiles_not(0))
    check(saved.index(100, 0) == 20000, "tile order")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(settings_values(editor.wait_file("appdata.dat"))["LastOpen"] == "Big", "last open map")


def case_save_as_and_open_round_trip(session):
    editor = session.start()
    choose_terrain(editor, 23)  # "Plains L"
    paint_tile(editor, 40, 41, 23)
    editor.move_to(690, 520)
    editor.menu(0, 3)  # File > Save As
    editor.wait_window("Save As Map")
    editor.type_text("Round")
    editor.key("Return")
    editor.wait_window_gone("Save As Map")
    data = editor.wait_file("Round.map", size=40036)
    check(data == map_file_bytes("Round", 1, 1, {(40, 41): 23}), "Round.map bytes")
    paint_tile(editor, 60, 61, 23)  # not saved
    editor.menu(0, 1)  # File > Open
    editor.wait_window("Open Map")
    editor.type_text("Round")
    editor.key("Return")
    editor.wait_window_gone("Open Map")
    editor.wait_for_pixels({tile_pixel(60, 61): BLACK, tile_pixel(40, 41): PALETTE[23]}, what="Round.map reopened")
    # The name stays "Round": Ctrl+S writes Round.map, and no Untitled.map appears.
    saved = save_and_read(editor, "Round")
    check(saved.tiles_not(0) == {(40, 41): 23}, "tiles after reopening: %s" % saved.tiles_not(0))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(not os.path.exists(editor.path("Untitled.map")), "Untitled.map was written")


def case_save_bitmap(session):
    editor = session.start()
    choose_terrain(editor, 1)  # "F Plains"
    paint_tile(editor, 5, 10, 1)
    paint_tile(editor, 99, 10, 1)  # on the quad's ring: drawn darker
    editor.menu(0, 4)  # File > Save Bitmap
    data = editor.wait_file("Untitled.bmp", size=30054)
    check(data[:38] == bytes.fromhex("424d66750000000000003600000028000000640000009cffffff0100180000000000307500 00"
                                     .replace(" ", "")), "bitmap headers: %s" % data[:38].hex())
    check(data[38:54] == bytes(16), "bitmap header tail")

    def pixel(x, y):
        offset = 54 + 300 * y + 3 * x
        return tuple(data[offset:offset + 3])
    check(pixel(5, 10) == (67, 193, 122), "tile (5, 10) in the bitmap: %s" % (pixel(5, 10),))
    check(pixel(99, 10) == (48, 138, 88), "tile (99, 10) on the ring: %s" % (pixel(99, 10),))
    check(pixel(6, 10) == (0, 0, 0) and pixel(0, 0) == (0, 0, 0), "void tiles in the bitmap")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def type_steps(editor, steps):
    """Key steps in a dialog: "key:K1 K2 ..." presses keys, anything else is typed."""
    for step in steps:
        if step.startswith("key:"):
            editor.key(*step[4:].split())
        else:
            editor.type_text(step)


# In "Generate Start Locations", Tab goes from the number of tries past OK
# and CANCEL to "Players"; the seed is the last stop, shift+Tab from the first.
TRIES_TO_PLAYERS = ("Tab", "Tab", "Tab")


def start_locations(editor, tries, steps=()):
    """Generate > Generate Start Locations; the tries typed over the first
    field, then the key steps (type_steps), then Enter."""
    editor.move_to(690, 520)
    editor.menu(2, 1)  # Generate > Generate Start Locations
    editor.wait_window("Generate Start Locations")
    if tries is not None:
        editor.type_text(str(tries))
    type_steps(editor, steps)
    editor.key("Return")
    editor.wait_window_gone("Generate Start Locations", timeout=60)


def case_map_name_and_parameter_survive_restart(session):
    editor = session.start()
    new_map(editor, "Kept", 1, 1)
    choose_terrain(editor, 38)  # "APlains"
    paint_tile(editor, 30, 31, 38)
    save_and_read(editor, "Kept")
    start_locations(editor, 77)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    values = settings_values(editor.wait_file("appdata.dat"))
    check(values["LastOpen"] == "Kept" and values["genStartLocTries"] == "77", "appdata.dat after the first run")
    # The second run reads appdata.dat, opens Kept.map, and writes both back.
    editor = session.start(workdir=editor.workdir)
    editor.wait_for_pixels({tile_pixel(30, 31): PALETTE[38]}, what="Kept.map opened at start-up")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat") == settings_text("Kept", {"genStartLocTries": "77"}),
          "appdata.dat after the second run")


GENERATOR_CODES = set(range(1, 39))


def generate_terrain(editor, edits=(), timeout=120):
    """Generate > Generate Random Map; edits: key sequences typed after the
    first field has the focus (Tab between fields), then Enter."""
    editor.move_to(690, 520)
    editor.menu(2, 0)
    editor.wait_window("Generate Terrain")
    type_steps(editor, edits)
    editor.key("Return")
    editor.wait_window_gone("Generate Terrain", timeout=timeout)


def case_generate_random_map_dialog(session):
    editor = session.start()
    editor.move_to(690, 520)
    # A click on "Seed Vertical Sea" (space on the focused box), then CANCEL: the flag stays changed.
    editor.menu(2, 0)
    editor.wait_window("Generate Terrain")
    editor.key(*(["Tab"] * 10), "space", "Escape")
    editor.wait_window_gone("Generate Terrain")
    editor.wait_for_pixels({tile_pixel(5, 5): BLACK, tile_pixel(50, 50): BLACK, tile_pixel(95, 95): BLACK},
                           what="the Void map repainted unchanged after CANCEL")
    # Rivers off, a smaller sea, horizontal sea seeding on, then OK.
    generate_terrain(editor, ["key:" + " ".join(["Tab"] * 7), "0", "key:Tab", "1000", "key:Tab", "key:space"])
    editor.wait_for(lambda s: len({editor.client_pixel(s, *tile_pixel(c, r))
                                   for c in range(0, 100, 7) for r in range(0, 100, 7)}) >= 3,
                    what="a generated world")
    saved = save_and_read(editor)
    codes = set(saved.codes)
    check(codes <= GENERATOR_CODES and len(codes) >= 3, "codes of the generated map: %s" % sorted(codes))
    check(not codes & {19, 20}, "rivers drawn with Generate River Tries 0: %s" % sorted(codes))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    values = settings_values(editor.wait_file("appdata.dat"))
    changed = {"genRiverTries": "0", "genSeaTiles": "1000", "seedHorizontalSea": "1", "seedVerticalSea": "1"}
    for key, value in dict(DEFAULT_SETTINGS, **changed).items():
        check(values[key] == value, "appdata.dat %s is %s, not %s" % (key, values[key], value))


def hex_within_two(x, y):
    """The 18 tiles within two steps of (x, y)."""
    even = x % 2 == 0
    near = [(x, y - 2), (x, y - 1), (x, y + 1), (x, y + 2)]
    rows = range(y - 2, y + 2) if even else range(y - 1, y + 3)
    near += [(x - 1, r) for r in rows] + [(x + 1, r) for r in rows]
    near += [(x + dx, y + dy) for dx in (-2, 2) for dy in (-1, 0, 1)]
    return near


def hex_neighbours(x, y):
    e = 1 if x % 2 == 0 else 0
    return [(x, y - 1), (x + 1, y - e), (x + 1, y - e + 1), (x, y + 1), (x - 1, y - e + 1), (x - 1, y - e)]


START_CODE = {1: 50, 2: 51, 3: 52, 4: 53, 9: 54, 14: 55, 15: 56, 16: 57, 23: 58, 25: 59, 27: 60}


def case_generate_start_locations(session):
    editor = session.start()
    generate_terrain(editor)
    editor.wait_for(lambda s: editor.client_pixel(s, *tile_pixel(50, 50)) != BLACK, what="a generated world")
    world = save_and_read(editor)
    start_locations(editor, None)  # the default, 1000 tries
    placed = save_and_read(editor)
    changed = {(x, y): placed.tile(x, y) for x in range(100) for y in range(100)
               if placed.tile(x, y) != world.tile(x, y)}
    check(len(changed) > 0, "no start location placed")
    for (x, y), code in changed.items():
        check(START_CODE.get(world.tile(x, y)) == code, "tile (%d, %d): %d became %d" % (x, y, world.tile(x, y), code))
        check(2 <= x <= 97 and 2 <= y <= 97, "start location (%d, %d) near the quad's edge" % (x, y))
        check(not all(19 <= world.tile(*n) <= 22 for n in hex_neighbours(x, y)),
              "start location (%d, %d) surrounded by water" % (x, y))
        close = [t for t in hex_within_two(x, y) if t in changed]
        check(not close, "start locations (%d, %d) and %s closer than three steps" % (x, y, close))
    # OK with 0 tries takes every start location away again.
    start_locations(editor, 0)
    cleared = save_and_read(editor)
    check(cleared.codes == world.codes, "the map after 0 tries differs from the world without start locations")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(settings_values(editor.wait_file("appdata.dat"))["genStartLocTries"] == "0", "genStartLocTries")


# What the last players-mode run placed, after the map's name in the status line.
PLAYERS_STATUS = (170, 8, 329, 28)


def status_columns(editor, shot, left, right):
    """The black pixels of the status line's text rows, one tuple per pixel column."""
    return [tuple(editor.client_pixel(shot, x, y) == BLACK for y in range(8, 28)) for x in range(left, right)]


def caption_after_save_as(editor, name):
    """File > Save As under `name`; the caption then shows NAME.map, drawn
    in the status line's font: the columns of its text."""
    before = status_columns(editor, editor.screenshot(), 10, 226)
    name_dialog(editor, 3, "Save As Map", name)
    editor.wait_file(name + ".map")
    editor.move_to(690, 520)
    editor.wait_for(lambda s: status_columns(editor, s, 10, 226) != before, what="the caption of %s.map" % name)
    editor.wait_quiet()
    return status_columns(editor, editor.screenshot(), 10, 226)


def status_reads(status, first, second):
    """Whether the status columns show the text of `first` (the caption
    columns of FIRST.map), a space, then that of `second`: some width of
    `first` matches the start of the status, blank columns follow, and the
    rest of the status is the start of `second`."""
    blank = tuple([False] * 20)
    used = [i for i, column in enumerate(status) if column != blank]
    if not used:
        return False
    end = used[-1] + 1
    for width in range(1, end):
        if status[:width] != first[:width]:
            return False
        for gap in range(1, 12):
            if status[width + gap - 1] != blank:
                break
            rest = status[width + gap:end]
            if rest and rest == second[:len(rest)]:
                return True
    return False


def status_reads_parts(status, parts):
    """Whether the status columns show the texts of `parts` (caption columns
    of PART.map each) one after another with blank columns between; the last
    may be cut where the status field ends."""
    blank = tuple([False] * 20)
    used = [i for i, column in enumerate(status) if column != blank]
    if not used:
        return False
    end = used[-1] + 1

    def reads(start, k):
        if k == len(parts) - 1:
            rest = status[start:end]
            return bool(rest) and rest == parts[k][:len(rest)]
        for width in range(1, end - start):
            if status[start:start + width] != parts[k][:width]:
                return False
            for gap in range(1, 12):
                if start + width + gap - 1 >= end or status[start + width + gap - 1] != blank:
                    break
                if reads(start + width + gap, k + 1):
                    return True
        return False

    return reads(0, 0)


def case_start_locations_players_mode(session):
    """The dialog's players fields place exactly N starts, the same as
    pelorn-cli's players mode on the same world, and the status line says
    what pelorn-cli says; a refused field keeps the dialog open, and the
    random tries take the status text away."""
    folder, world = generated_world_folder(session, "World", 5, (2, 2))
    result = subprocess.run(["wine", companion_cli(session), "startlocations", "--map", "World.map", "--name",
                             "Expected", "--players", "6", "--min-distance", "30"],
                            cwd=folder, env=session.prefix.env, timeout=300, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    check(result.returncode == 0, "pelorn-cli players mode: exit %d" % result.returncode)
    said = result.stdout.decode().replace("\r", "").splitlines()[0]
    check(said.startswith("placed 6 starts, home "), "pelorn-cli said %r" % said)
    status_text = said[len("placed "):]
    with open(os.path.join(folder, "Expected.map"), "rb") as f:
        expected = MapFile(f.read())

    editor = session.start(workdir=folder)
    editor.move_to(690, 520)
    shot = editor.wait_for(lambda s: editor.client_pixel(s, *tile_pixel(50, 50)) != BLACK, what="World.map opened")
    check(count_colour(editor, shot, *PLAYERS_STATUS, BLACK) == 0, "players status shown before any run")
    # The players fields follow OK and CANCEL: 6 players, Tab, 30 steps, Enter.
    editor.menu(2, 1)
    editor.wait_window("Generate Start Locations")
    editor.key(*TRIES_TO_PLAYERS)
    editor.type_text("6")
    editor.key("Tab")
    editor.type_text("30")
    editor.key("Return")
    editor.wait_window_gone("Generate Start Locations", timeout=60)
    editor.wait_for(lambda s: count_colour(editor, s, *PLAYERS_STATUS, BLACK) > 0, what="the players status")
    editor.wait_quiet()
    status = status_columns(editor, editor.screenshot(), PLAYERS_STATUS[0], PLAYERS_STATUS[2])
    placed = save_and_read(editor, "World", (2, 2))
    starts = [i for i, code in enumerate(placed.codes) if 50 <= code <= 60]
    check(len(starts) == 6, "%d start locations in the saved map, not 6" % len(starts))
    check(placed.codes == expected.codes, "the editor's starts differ from pelorn-cli's")
    check(all(placed.codes[i] == START_CODE.get(world.codes[i]) for i in starts), "start codes over their land")

    # The status text, drawn glyph for glyph as the caption draws the same
    # words: "6 starts,", "home 1%," and "room 3%" (a name holds 15 characters).
    words = status_text.split(" ")
    parts = [" ".join(words[i:i + 2]) for i in range(0, len(words), 2)]
    columns = [caption_after_save_as(editor, part) for part in parts]
    check(status_reads_parts(status, columns), "the status line does not read %r" % status_text)
    check(not status_reads_parts(status, columns[1:] + columns[:1]), "the status check tells texts apart")

    # 1001 players are refused: the dialog stays with the field selected, and
    # typing over it with 0 runs the random tries (300 a quad, typed over the
    # number before it), which put the seed they started from in its place.
    editor.move_to(690, 520)
    editor.menu(2, 1)
    editor.wait_window("Generate Start Locations")
    editor.key(*TRIES_TO_PLAYERS)
    editor.type_text("1001")
    editor.key("Return")
    time.sleep(1.0)
    check(editor.find_window("Generate Start Locations"), "the dialog closed on 1001 players")
    editor.type_text("0")
    editor.key(*("shift+Tab",) * len(TRIES_TO_PLAYERS))
    editor.type_text("300")
    editor.key("Return")
    editor.wait_window_gone("Generate Start Locations", timeout=60)
    editor.wait_for(lambda s: count_colour(editor, s, *PLAYERS_STATUS, BLACK) > 0
                    and status_columns(editor, s, PLAYERS_STATUS[0], PLAYERS_STATUS[2]) != status,
                    what="the players status replaced by the seed of the random tries")
    classic = save_and_read(editor, parts[-1], (2, 2))
    check(sum(50 <= code <= 60 for code in classic.codes) > 6, "the random tries placed no more than 6 starts")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    # The map's name holds a blank, so the file is searched, not split into pairs.
    check(b"\r\n#genStartLocTries# 300\r\n" in editor.wait_file("appdata.dat"), "appdata.dat: the number of tries")


def case_stroke_follows_cursor_and_ends_outside_window(session):
    editor = session.start()
    choose_terrain(editor, 19)  # "River"
    editor.move_to(*tile_click_point(30, 30))
    editor.xdotool("mousedown", 1)
    try:
        editor.wait_for_pixels({tile_pixel(30, 30): PALETTE[19]}, what="the stroke's first tile")
        for row in (35, 40):
            editor.move_to(*tile_click_point(30, row))
            editor.wait_for_pixels({tile_pixel(30, row): PALETTE[19]}, what="the stroke at row %d" % row)
        # Released far outside the window: the window holds the mouse, so the stroke ends.
        editor.xdotool("mousemove", 1270, 790)
        time.sleep(0.3)
    finally:
        editor.xdotool("mouseup", 1)
    time.sleep(0.3)
    for column, row in ((60, 60), (70, 70)):
        editor.move_to(*tile_click_point(column, row))
        time.sleep(0.4)
    editor.move_to(690, 520)
    saved = save_and_read(editor)
    check(saved.tiles_not(0) == {(30, 30): 19, (30, 35): 19, (30, 40): 19},
          "tiles after the stroke: %s" % saved.tiles_not(0))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def gesture(editor, *steps):
    """Plays a gesture in one xdotool run, so that its pace is a steady hand's
    and nothing waits for the editor: ("move", (x, y)) in client pixels,
    ("down",), ("up",), ("pause", seconds)."""
    args = []
    for step in steps:
        if step[0] == "move":
            args += ["mousemove", editor.origin[0] + step[1][0], editor.origin[1] + step[1][1]]
        elif step[0] == "down":
            args += ["mousedown", 1]
        elif step[0] == "up":
            args += ["mouseup", 1]
        else:
            args += ["sleep", step[1]]
    editor.xdotool(*args)


def glide(points, pause=0.03):
    """Gesture steps through client points, a short pause at each."""
    steps = []
    for point in points:
        steps += [("move", point), ("pause", pause)]
    return steps


def click_steps(point, hold=0.06):
    """Gesture steps of a quick click."""
    return [("move", point), ("pause", 0.03), ("down",), ("pause", hold), ("up",)]


def drag(editor, points, pause=0.03):
    """Button down at the first point, through the others at a steady pace, up at the last."""
    gesture(editor, ("move", points[0]), ("pause", 0.03), ("down",), *glide(points[1:], pause), ("up",))


def bold_tiles(column, row):
    return [(column, row), (column, row - 1), (column, row + 1), (column - 1, row - 1), (column - 1, row + 1),
            (column + 1, row - 1), (column + 1, row + 1)]


def check_tiles(saved, expected, what):
    """The saved map holds exactly the expected non-Void tiles; says which differ."""
    found = saved.tiles_not(0)
    extra = sorted(set(found) - set(expected))
    missing = sorted(set(expected) - set(found))
    wrong = sorted(t for t in set(found) & set(expected) if found[t] != expected[t])
    check(not extra and not missing and not wrong,
          "%s: %d tiles painted that should not be %s, %d missing %s, %d of a wrong code %s"
          % (what, len(extra), extra[:12], len(missing), missing[:12], len(wrong), wrong[:12]))


def case_click_then_moving_paints_nothing_more(session):
    editor = session.start()
    choose_terrain(editor, 3)  # "Hills"
    expected = {}
    # Quick clicks, each followed at once by a glide across the map with the button up.
    for column in (10, 30, 50, 70):
        gesture(editor, *click_steps(tile_click_point(column, 15)),
                *glide(tile_click_point(column + 2 * k, 15 + 3 * k) for k in range(1, 12)))
        expected[(column, 15)] = 3
    editor.move_to(690, 520)
    editor.wait_quiet()
    toggle_status(editor, "b", BRUSH_NORMAL_TAIL, BLACK, False)
    for column in (10, 30, 50, 70):
        gesture(editor, *click_steps(tile_click_point(column, 60)),
                *glide(tile_click_point(column + 2 * k, 60 + 3 * k) for k in range(1, 12)))
        expected.update({tile: 3 for tile in bold_tiles(column, 60)})
    editor.move_to(690, 520)
    editor.wait_quiet()
    check_tiles(save_and_read(editor), expected, "after clicks followed by moves with the button up")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_stroke_then_moving_to_the_legend_paints_nothing_on_the_way(session):
    editor = session.start()
    choose_terrain(editor, 19)  # "River"
    expected = {}
    for row in (30, 60):
        # A short stroke along the row, then up and away over the map to a
        # legend label, as a user going for another terrain.
        gesture(editor, ("move", tile_click_point(20, row)), ("pause", 0.03), ("down",),
                *glide(tile_click_point(column, row) for column in range(21, 36)), ("up",),
                *glide([tile_click_point(36 + 8 * k, row - 2 * k) for k in range(1, 8)] + [(700, 300), (760, 245)]))
        expected.update({(column, row): 19 for column in range(20, 36)})
    editor.wait_quiet()
    editor.move_to(690, 520)
    check_tiles(save_and_read(editor), expected, "after strokes followed by a move to the legend")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_steady_drag_leaves_no_gap(session):
    editor = session.start()
    choose_terrain(editor, 21)  # "Sea"
    # Down one tile row every 30 ms.
    drag(editor, [tile_click_point(40, row) for row in range(10, 71)])
    editor.move_to(690, 520)
    expected = {(40, row): 21 for row in range(10, 71)}
    editor.wait_quiet()
    toggle_status(editor, "b", BRUSH_NORMAL_TAIL, BLACK, False)
    drag(editor, [tile_click_point(70, row) for row in range(10, 71)])
    editor.move_to(690, 520)
    for row in range(10, 71):
        expected.update({tile: 21 for tile in bold_tiles(70, row)})
    editor.wait_quiet()
    check_tiles(save_and_read(editor), expected, "after a steady drag down the map")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


POSITION_TEXT = (740, 8, 790, 28)


def client_region(editor, shot, region):
    left, top, right, bottom = region
    return [editor.client_pixel(shot, x, y) for y in range(top, bottom) for x in range(left, right)]


def case_scrolling_refreshes_the_position_text(session):
    editor = session.start()
    new_map(editor, "Wide", 3, 2)
    shot = editor.wait_for_pixels({(665, 200): BLACK, (27, 200): WHITE}, what="the view at quad (0, 0)")
    at_origin = client_region(editor, shot, POSITION_TEXT)
    for key, edge in (("Right", (27, 200)), ("Down", (300, 59))):
        editor.move_to(690, 520)
        editor.key(key)
        editor.wait_for_pixels({edge: BLACK}, what="the view after %s" % key)
        editor.wait_quiet()
        scrolled = client_region(editor, editor.screenshot(), POSITION_TEXT)
        # A full repaint (overview and back) shows what the position text must say.
        editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == WHITE, what="the overview")
        fresh = editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == BLACK,
                                             what="the detail view again")
        check(scrolled == client_region(editor, fresh, POSITION_TEXT),
              "the position text after %s differs from the one a full repaint draws" % key)
        check(scrolled != at_origin, "the position text after %s still reads as at quad (0, 0)" % key)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def companion_cli(session):
    """pelorn-cli.exe, built beside pelorn.exe."""
    cli = os.path.join(os.path.dirname(session.exe), "pelorn-cli.exe")
    check(os.path.isfile(cli), "%s not found; build the windows preset" % cli)
    return cli


def generated_world_folder(session, name, seed, quads):
    """A new working folder holding NAME.map, a world made by pelorn-cli.exe
    under Wine, and an appdata.dat that opens it."""
    folder = session.new_folder()
    subprocess.run(["wine", companion_cli(session), "generate", "--seed", str(seed),
                    "--quads", "%dx%d" % quads, "--name", name],
                   cwd=folder, env=session.prefix.env, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "appdata.dat"), "wb") as f:
        f.write(settings_text(name))
    with open(os.path.join(folder, name + ".map"), "rb") as f:
        return folder, MapFile(f.read())


def overview_mismatches(editor, shot, world, quad_x, quad_y):
    """Pixels of the overview that are not the colour of their tile: tile
    column i of the leftmost quad at pixel column i - 1, row j at 35 + j."""
    across = min(5, world.quads_x - quad_x) * 100
    down = min(5, world.quads_y - quad_y) * 100
    wrong = []
    for px in range(0, across - 1):
        x = quad_x * 100 + px + 1
        for py in range(35, 35 + down):
            colour = PALETTE[world.tile(x, quad_y * 100 + py - 35)]
            if editor.client_pixel(shot, px, py) != colour:
                wrong.append((px, py))
    return wrong


def case_overview_of_a_generated_world(session):
    folder, world = generated_world_folder(session, "World", 7, (10, 10))
    check(set(world.codes) <= set(PALETTE), "codes of the generated world")
    editor = session.start(workdir=folder)
    editor.move_to(690, 520)
    editor.wait_quiet()
    steps = [("Ctrl+M", lambda: editor.ctrl_key("m"), 0, 0), ("Right", lambda: editor.key("Right"), 1, 0),
             ("Down", lambda: editor.key("Down"), 1, 1)]
    for what, press, quad_x, quad_y in steps:
        cpu_before = editor.cpu_seconds()
        started = time.monotonic()
        press()
        editor.wait_quiet()
        # For the record, not a pass mark: Ctrl is held a while, so only the arrows time the paint.
        if what != "Ctrl+M":
            print("     overview after %s: quiet %.0f ms after the key, %.1f ms of the editor's CPU"
                  % (what, 1000 * max(0.0, editor.last_busy - started), 1000 * (editor.cpu_seconds() - cpu_before)),
                  flush=True)
        shot = editor.screenshot()
        wrong = overview_mismatches(editor, shot, world, quad_x, quad_y)
        check(not wrong, "overview at quad (%d, %d): %d pixels not their tile's colour, first %s"
              % (quad_x, quad_y, len(wrong), wrong[:5]))
        check(count_colour(editor, shot, 499, 31, 720, 540, WHITE) == 221 * 509,
              "drawing right of the overview at quad (%d, %d)" % (quad_x, quad_y))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


# --- The whole-map view ---------------------------------------------------

BASE_OF_START = {code: base for base, code in START_CODE.items()}
WHOLE_MAP_AREA = (11, 40, 709, 508)  # where the picture may stand, right and bottom exclusive
FRAME_RED = (255, 0, 0)


class WholeMapPicture:
    """The whole-map view's picture of a map of tiles_x by tiles_y tiles: as
    large as the area allows with tiles 6 units wide for every 4 high, each
    pixel the tile under its centre."""

    def __init__(self, tiles_x, tiles_y):
        left, top, right, bottom = WHOLE_MAP_AREA
        area_w, area_h = right - left, bottom - top
        natural_w, natural_h = 6 * tiles_x, 4 * tiles_y
        if area_w * natural_h <= area_h * natural_w:
            self.width, self.height = area_w, max(1, area_w * natural_h // natural_w)
        else:
            self.width, self.height = max(1, area_h * natural_w // natural_h), area_h
        self.left, self.top = left, top
        self.tiles_x, self.tiles_y = tiles_x, tiles_y

    def tile(self, px, py):
        return ((2 * px + 1) * self.tiles_x // (2 * self.width), (2 * py + 1) * self.tiles_y // (2 * self.height))

    def _first(self, tile, n, tiles):
        numerator = 2 * n * tile - tiles
        return 0 if numerator <= 0 else min(n, -(-numerator // (2 * tiles)))

    def quad_rect(self, qx, qy):
        """Client pixels of a quad: left, top, right, bottom (exclusive)."""
        return (self.left + self._first(100 * qx, self.width, self.tiles_x),
                self.top + self._first(100 * qy, self.height, self.tiles_y),
                self.left + self._first(100 * (qx + 1), self.width, self.tiles_x),
                self.top + self._first(100 * (qy + 1), self.height, self.tiles_y))

    def frame_pixels(self, qx, qy):
        left, top, right, bottom = self.quad_rect(qx, qy)
        left, top = left - 1, top - 1
        return ({(x, y) for x in range(left, right + 1) for y in (top, bottom)} |
                {(x, y) for y in range(top, bottom + 1) for x in (left, right)})


def png_palette_codes(data):
    """The width, height, palette and rows of indices of an 8-bit palette PNG
    whose rows all use filter 0, as pelorn-cli export writes them."""
    check(data[:8] == b"\x89PNG\r\n\x1a\n", "no PNG signature")
    at, chunks = 8, {}
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + length]
        at += 12 + length
    width, height, depth, colour_type = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    check((depth, colour_type) == (8, 3), "not an 8-bit palette PNG")
    raw = zlib.decompress(chunks[b"IDAT"])
    rows = [raw[y * (width + 1):(y + 1) * (width + 1)] for y in range(height)]
    check(all(row[0] == 0 for row in rows), "a row filter other than 0")
    return width, height, chunks[b"PLTE"], [row[1:] for row in rows]


def whole_map_mismatches(editor, shot, picture, colour_of, frame):
    """Pixels of the picture that are neither their tile's colour nor, on the
    frame, red; and frame pixels that are not red."""
    wrong = []
    for px in range(picture.width):
        for py in range(picture.height):
            x, y = picture.left + px, picture.top + py
            want = FRAME_RED if (x, y) in frame else colour_of(*picture.tile(px, py))
            if editor.client_pixel(shot, x, y) != want:
                wrong.append((x, y))
    wrong += [p for p in frame if editor.client_pixel(shot, *p) != FRAME_RED and p not in wrong]
    return wrong


def tile_colour_pixel(column, row):
    """A client pixel of quad tile (column, row) that always shows its
    terrain's colour: the right end of the hexagon's upper middle row, which
    no mark or dot reaches and the next column's hexagon does not cover."""
    return 46 + 6 * column + 5, 76 + 4 * row + 1 - (2 if column % 2 == 0 else 0)


def case_whole_map_view_of_a_generated_world(session):
    folder, world = generated_world_folder(session, "World", 11, (10, 10))
    # The one-pixel-per-tile export of the same map, as pelorn-cli.exe writes it.
    subprocess.run(["wine", companion_cli(session), "export", "World.map", "--png", "codes.png", "--indexed"],
                   cwd=folder, env=session.prefix.env, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(os.path.join(folder, "codes.png"), "rb") as f:
        width, height, palette, rows = png_palette_codes(f.read())
    check((width, height) == (1000, 1000), "export of a 10x10 world is %dx%d" % (width, height))
    check(all(rows[y][x] == world.tile(x, y) for x in range(0, 1000, 7) for y in range(0, 1000, 3)),
          "the export's codes are not the map's")

    def export_colour(x, y):
        code = rows[y][x]
        return tuple(palette[3 * code:3 * code + 3])

    editor = session.start(workdir=folder)
    editor.move_to(690, 520)
    editor.wait_quiet()
    picture = WholeMapPicture(1000, 1000)
    check((picture.width, picture.height) == (698, 465), "picture size %dx%d" % (picture.width, picture.height))
    editor.menu(1, 7)  # Tools > Whole Map View (CTRL-W)
    frame = picture.frame_pixels(0, 0)
    shot = editor.wait_for(lambda s: editor.client_pixel(s, 720, 300) == WHITE and
                           all(editor.client_pixel(s, *p) == FRAME_RED for p in frame),
                           what="the whole map framing quad (0, 0)")
    editor.wait_quiet()
    shot = editor.screenshot()
    wrong = whole_map_mismatches(editor, shot, picture, export_colour, frame)
    check(not wrong, "whole map: %d pixels differ from the export scaled, first %s" % (len(wrong), wrong[:5]))
    # Nothing beside it: no legend, separator or status line but the position.
    check(count_colour(editor, shot, 722, 31, 960, 500, BLACK) == 0, "legend drawn in the whole-map view")
    check(count_colour(editor, shot, 0, 31, 9, 530, WHITE) == 9 * 499, "drawing left of the picture")
    check(count_colour(editor, shot, 740, 8, 775, 24, BLACK) > 8, "no position text in the whole-map view")

    # A click opens the detail view of the quad under it.
    left, top, right, bottom = picture.quad_rect(3, 2)
    editor.click((left + right) // 2, (top + bottom) // 2)
    expected = {tile_colour_pixel(c, r): PALETTE[world.tile(300 + c, 200 + r) if world.tile(300 + c, 200 + r) < 50
                                                 else BASE_OF_START[world.tile(300 + c, 200 + r)]]
                for c in range(0, 100, 9) for r in range(0, 100, 7)}
    expected[(720, 300)] = BLACK
    shot = editor.wait_for_pixels(expected, what="the detail view of quad (3, 2) after the click")
    editor.move_to(690, 520)
    editor.wait_quiet()
    # The same quad as the arrows reach it, position text included.
    editor.ctrl_key_until_screen("w", lambda s: editor.client_pixel(s, 720, 300) == WHITE, what="the whole map")
    frame = picture.frame_pixels(3, 2)
    editor.wait_for(lambda s: all(editor.client_pixel(s, *p) == FRAME_RED for p in frame),
                    what="the frame around quad (3, 2)")
    position = client_region(editor, editor.screenshot(), POSITION_TEXT)
    # The arrows move the frame; Ctrl+M goes back to the detail view.
    editor.key("Left")
    frame = picture.frame_pixels(2, 2)
    editor.wait_for(lambda s: all(editor.client_pixel(s, *p) == FRAME_RED for p in frame),
                    what="the frame around quad (2, 2) after Left")
    editor.key("Right")
    editor.wait_quiet()
    shot = editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == BLACK,
                                        what="the detail view after Ctrl+M")
    editor.wait_for_pixels(expected, what="the detail view of quad (3, 2) again")
    editor.wait_quiet()
    check(client_region(editor, editor.screenshot(), POSITION_TEXT) == position,
          "the position text of the detail view differs from the whole map's")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_whole_map_click_and_drag_at_once_paints_nothing(session):
    """Ctrl+W, then at once a press on the whole map that drags on over the
    detail view it opens: the quad opens, and the held button paints nothing."""
    editor = session.start()
    new_map(editor, "Wide", 4, 3)
    choose_terrain(editor, 21)  # "Sea"
    editor.move_to(690, 520)
    editor.wait_quiet()
    picture = WholeMapPicture(400, 300)
    left, top, right, bottom = picture.quad_rect(2, 1)
    # Ctrl stays down through the gesture: the editor reads it when it takes
    # the key, however late that is.
    editor.xdotool("keydown", "ctrl", "key", "w")
    try:
        gesture(editor, ("move", ((left + right) // 2, (top + bottom) // 2)), ("pause", 0.03), ("down",),
                *glide([tile_click_point(10 + 5 * k, 20 + 3 * k) for k in range(12)]), ("up",),
                ("move", (690, 520)))
    finally:
        editor.xdotool("keyup", "ctrl")
    # The detail view of quad (2, 1): its left and top neighbours' edges show.
    editor.wait_for_pixels({(720, 300): BLACK, (27, 200): BLACK, (300, 59): BLACK}, what="the detail view of quad (2, 1)")
    editor.wait_quiet()
    saved = save_and_read(editor, "Wide", (4, 3))
    check(saved.tiles_not(0) == {}, "tiles painted by the click on the whole map: %s" % sorted(saved.tiles_not(0))[:12])
    # The same gesture again, now from the detail view, does paint: the stroke
    # was held back by the whole map, not lost.
    drag(editor, [tile_click_point(10 + 5 * k, 20 + 3 * k) for k in range(3)])
    editor.move_to(690, 520)
    editor.wait_quiet()
    check(len(save_and_read(editor, "Wide", (4, 3)).tiles_not(0)) >= 3, "no stroke in the detail view afterwards")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


# --- Where am I ---------------------------------------------------------------

CURSOR_TEXT = (330, 8, 575, 28)
CAPTION = (10, 8, 320, 28)


def text_columns(editor, shot, region, colour):
    """The columns of a text line, left to right, blank ones at both ends cut
    off: each column the rows of the region, 2 for a pixel of exactly the
    text's colour, 1 for any other ink (the font's smoothed edges), 0 for white."""
    left, top, right, bottom = region
    columns = []
    for x in range(left, right):
        column = []
        for y in range(top, bottom):
            pixel = editor.client_pixel(shot, x, y)
            column.append(2 if pixel == colour else 0 if pixel == WHITE else 1)
        columns.append(tuple(column))
    while columns and not any(columns[0]):
        columns.pop(0)
    while columns and not any(columns[-1]):
        columns.pop()
    return columns


def solid(columns):
    """Only the pixels of the text's own colour: the same for every colour."""
    return [tuple(1 if v == 2 else 0 for v in column) for column in columns]


def case_cursor_text_names_the_tile_and_its_terrain(session):
    editor = session.start()
    # "Untitled.map" before the first edit, which adds the mark of unsaved edits.
    untitled = text_columns(editor, editor.wait_for(lambda s: text_columns(editor, s, CAPTION, BLACK)), CAPTION, BLACK)
    choose_terrain(editor, 1)  # "F Plains"
    paint_tile(editor, 5, 10, 1)
    editor.wait_for(lambda s: not text_columns(editor, s, CURSOR_TEXT, BLACK), what="no cursor text off the map")
    # The map takes the text's first part as its name, so that the caption
    # shows how "x 5, y 10" looks in the window's font.
    name_dialog(editor, 3, "Save As Map", "x 5, y 10")
    editor.wait_file("x 5, y 10.map")
    editor.wait_for(lambda s: text_columns(editor, s, CAPTION, BLACK) != untitled, what="the new caption")
    editor.wait_quiet()
    caption = text_columns(editor, editor.screenshot(), CAPTION, BLACK)
    # Both captions end in ".map": what precedes it is "x 5, y 10".
    same = 0
    while same < min(len(caption), len(untitled)) and caption[-1 - same] == untitled[-1 - same]:
        same += 1
    name = len(caption) - same
    check(10 < name < len(caption) - 10, "no \".map\" found at the end of the caption")
    # The pointer on the tile, at the far corner of its click cell.
    x, y = tile_click_point(5, 10)
    editor.move_to(x + 3, y + 2)
    editor.wait_for(lambda s: text_columns(editor, s, CURSOR_TEXT, BLACK), what="the cursor text")
    editor.wait_quiet()
    shot = editor.screenshot()
    text = text_columns(editor, shot, CURSOR_TEXT, BLACK)
    check(text[:name] == caption[:name], "the cursor text does not begin with \"x 5, y 10\"")
    # It ends with the terrain's name as the legend writes it.
    label = text_columns(editor, shot, (740, 60, 820, 80), PALETTE[1])
    check(solid(text[len(text) - len(label):]) == solid(label), "the cursor text does not end with \"F Plains\"")
    # Between the two, a colon and nothing else: a digit more would not fit.
    between = sum(v > 0 for column in text[name:len(text) - len(label)] for v in column)
    check(0 < between < 20, "%d pixels of ink between the tile and its terrain, not a colon's" % between)
    # The neighbour below is Void, and off the map the text goes.
    editor.move_to(*tile_click_point(5, 11))
    editor.wait_for(lambda s: text_columns(editor, s, CURSOR_TEXT, BLACK)[-5:] != text[-5:],
                    what="the cursor text of tile (5, 11)")
    editor.move_to(690, 520)
    editor.wait_for(lambda s: not text_columns(editor, s, CURSOR_TEXT, BLACK), what="the cursor text to clear")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_save_png_writes_what_the_companion_exports(session):
    editor = session.start()
    new_map(editor, "Shared", 2, 1)
    choose_terrain(editor, 21)  # "Sea"
    paint_tile(editor, 5, 10, 21)
    paint_tile(editor, 99, 50, 21)  # on the quad's ring: darker in the picture
    editor.menu(0, 6)  # File > Save PNG
    png = editor.wait_file("Shared.png")
    save_and_read(editor, "Shared", (2, 1))
    cli = subprocess.run(["wine", companion_cli(session), "export", "Shared.map", "--png", "cli.png"],
                         cwd=editor.workdir, env=session.prefix.env, timeout=120,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    check(cli.returncode == 0, "pelorn-cli export: exit %d" % cli.returncode)
    with open(editor.path("cli.png"), "rb") as f:
        check(f.read() == png, "Shared.png differs from pelorn-cli export's picture")
    width, height, palette, rows = png_palette_codes(png)
    check((width, height) == (200, 100), "Shared.png is %dx%d" % (width, height))
    colour = lambda x, y: tuple(palette[3 * rows[y][x]:3 * rows[y][x] + 3])
    check(colour(5, 10) == PALETTE[21] and colour(99, 50) == (0, 33, 70) and colour(6, 10) == BLACK,
          "pixels of Shared.png: %s %s %s" % (colour(5, 10), colour(99, 50), colour(6, 10)))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def glyph_groups(editor, shot, left, top, right, bottom):
    """The black pixels of a region, in groups that stand apart by more than
    three pixel columns, left to right: the symbols on a row of buttons."""
    pixels = [(x, y) for x in range(left, right) for y in range(top, bottom)
              if editor.client_pixel(shot, x, y) == BLACK]
    groups = []
    for x, y in sorted(pixels):
        if groups and x - groups[-1][-1][0] <= 3:
            groups[-1].append((x, y))
        else:
            groups.append([(x, y)])
    return [set(g) for g in groups]


def mirrored(group, horizontal):
    xs = [x for x, _ in group]
    ys = [y for _, y in group]
    if horizontal:
        return {(min(xs) + max(xs) - x, y) for x, y in group}
    return {(x, min(ys) + max(ys) - y) for x, y in group}


def case_caption_buttons_show_their_symbols(session):
    editor = session.start()
    editor.move_to(690, 520)
    editor.wait_quiet()
    # The caption bar's buttons: right of the menu bar's texts, above the
    # client area, left of the window's edge (the client area is 958 wide).
    groups = glyph_groups(editor, editor.screenshot(), 860, -48, 956, -18)
    check(len(groups) >= 2, "no button symbols found on the caption bar: %d groups" % len(groups))
    close, minimise = groups[-1], groups[0]
    # The close box's cross: symmetric both ways, through the corners of its
    # box (without the symbol font the box shows the letter "r").
    xs = [x for x, _ in close]
    ys = [y for _, y in close]
    corners = {(min(xs), min(ys)), (max(xs), min(ys)), (min(xs), max(ys)), (max(xs), max(ys))}
    check(max(xs) - min(xs) >= 4 and max(ys) - min(ys) >= 4 and corners <= close and
          mirrored(close, True) == close and mirrored(close, False) == close,
          "the close box does not show a cross: %s" % sorted(close))
    # The minimise box's bar is one row (not the digit "0").
    check(len({y for _, y in minimise}) == 1 and len(minimise) >= 4,
          "the minimise box does not show a bar: %s" % sorted(minimise))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_package_unpacks_and_runs(session):
    """The ZIP for Windows users, unpacked into an empty folder: the editor
    starts from there and keeps its files there, and the companion runs."""
    build = os.path.dirname(session.exe)
    packages = sorted(glob.glob(os.path.join(build, "pelorn-*-win64.zip")), key=os.path.getmtime)
    check(packages, "no pelorn-*-win64.zip beside %s; build the windows preset's package target" % session.exe)
    package = packages[-1]
    top = os.path.basename(package)[:-len(".zip")]
    version = top[len("pelorn-"):-len("-win64")]
    folder = session.new_folder()
    with zipfile.ZipFile(package) as archive:
        names = sorted(archive.namelist())
        check(names == [top + "/pelorn-cli.exe", top + "/pelorn.exe", top + "/user-guide.txt"],
              "files in %s: %s" % (os.path.basename(package), names))
        archive.extractall(folder)
    here = os.path.join(folder, top)
    with open(session.exe, "rb") as built, open(os.path.join(here, "pelorn.exe"), "rb") as packed:
        check(built.read() == packed.read(), "the package holds another pelorn.exe than the one built")
    with open(os.path.join(here, "user-guide.txt"), "rb") as f:
        guide = f.read()
    check(guide.startswith(b"Pelorn %s - user guide\r\n" % version.encode()), "user guide title: %r" % guide[:40])
    check(b"\n" not in guide.replace(b"\r\n", b""), "user guide has line breaks other than CR LF")
    for topic in (b"Ctrl+M", b"Ctrl+Z", b"File ", b"Generate ", b"appdata.dat", b"pelorn-cli generate",
                  b"File > Recover..."):
        check(topic in guide, "user guide says nothing of %r" % topic)

    editor = session.start(workdir=here, exe=os.path.join(here, "pelorn.exe"))
    choose_terrain(editor, 9)  # "Steppes"
    paint_tile(editor, 12, 34, 9)
    saved = save_and_read(editor)
    check(saved.tiles_not(0) == {(12, 34): 9}, "tiles saved from the unpacked editor: %s" % saved.tiles_not(0))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat") == settings_text(), "appdata.dat in the unpacked folder")
    info = subprocess.run(["wine", os.path.join(here, "pelorn-cli.exe"), "info", "Untitled.map"], cwd=here,
                          env=session.prefix.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=120)
    check(info.returncode == 0 and b"name: Untitled" in info.stdout and b"9 Steppes: 1" in info.stdout,
          "pelorn-cli info from the package: %d %r" % (info.returncode, info.stdout[:200]))


def case_menu_commands_work_in_overview_and_exit(session):
    editor = session.start()
    editor.move_to(690, 520)
    editor.ctrl_key_until_screen("m", lambda s: editor.client_pixel(s, 720, 300) == WHITE, what="the overview")
    editor.ctrl_key("b")  # no tool keys in the overview
    editor.menu(1, 2)  # Tools > Toggle Fill (CTRL-F): menu commands work in both views
    editor.menu(1, 0)  # Tools > Change Map View
    shot = editor.wait_for(lambda s: editor.client_pixel(s, 720, 300) == BLACK, what="the detail view")
    shot = editor.wait_for(lambda s: count_colour(editor, s, *TOOL_STATUS, TOOL_RED) > 0, what="the fill tool on")
    check(count_colour(editor, shot, *BRUSH_NORMAL_TAIL, BLACK) > 0, "Ctrl+B acted in the overview")
    editor.menu(0, 5)  # File > Exit
    check(editor.wait_exit() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat") == settings_text(), "appdata.dat after Exit")


def case_screenshot_of_generated_world(session):
    editor = session.start()
    generate_terrain(editor)
    choose_terrain(editor, 2)
    editor.move_to(690, 520)
    editor.wait_for(lambda s: editor.client_pixel(s, *tile_pixel(50, 50)) != BLACK, what="a generated world")
    if session.options.update_screenshot:
        editor.save_window_png(session.options.update_screenshot)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_undo_and_redo(session):
    editor = session.start()
    choose_terrain(editor, 3)  # "Hills"
    paint_tile(editor, 10, 10, 3)
    toggle_status(editor, "u", TOOL_STATUS, TOOL_RED, True)
    choose_terrain(editor, 21)  # "Sea"
    editor.click(*tile_click_point(50, 50))
    editor.wait_for_pixels({tile_pixel(50, 50): PALETTE[21], tile_pixel(10, 10): PALETTE[3]}, what="the bucket fill")
    editor.move_to(690, 520)
    editor.ctrl_key_until_screen(  # takes back the bucket fill
        "z", lambda s: editor.client_pixel(s, *tile_pixel(50, 50)) == BLACK, what="the fill undone")
    editor.wait_for_pixels({tile_pixel(50, 50): BLACK, tile_pixel(10, 10): PALETTE[3]}, what="the fill undone")
    editor.menu(1, 5)  # Tools > Undo (CTRL-Z): takes back the brush stroke
    editor.wait_for_pixels({tile_pixel(10, 10): BLACK}, what="the stroke undone")
    editor.ctrl_key_until_screen(  # brings the stroke back, not the fill
        "y", lambda s: editor.client_pixel(s, *tile_pixel(10, 10)) == PALETTE[3], what="the stroke redone")
    editor.wait_for_pixels({tile_pixel(10, 10): PALETTE[3], tile_pixel(50, 50): BLACK}, what="the stroke redone")
    saved = save_and_read(editor)
    check(saved.tiles_not(0) == {(10, 10): 3}, "tiles after undo, undo, redo: %s" % saved.tiles_not(0))
    editor.menu(1, 6)  # Tools > Redo (CTRL-Y): the fill again
    editor.wait_for_pixels({tile_pixel(50, 50): PALETTE[21]}, what="the fill redone")
    saved = save_and_read(editor)
    check(saved.tiles_not(21) == {(10, 10): 3}, "tiles after the second redo: %s" % saved.tiles_not(21))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_start_location_mode_paints_start_locations(session):
    editor = session.start()
    editor.move_to(690, 520)
    toggle_status(editor, "c", (900, 8, 950, 24), RED, True)  # "SL"
    x, y = label_origin(2)  # "Plains" carries start location 51
    editor.click(x + 10, y + 8)
    # A thin red dash left of "Plains" instead of the thick blot.
    editor.wait_for(lambda s: editor.client_pixel(s, 730, 87) == RED and editor.client_pixel(s, 730, 47) != RED
                    and editor.client_pixel(s, 730, 91) != RED, what="the start-location marker at Plains")
    editor.click(*tile_click_point(40, 40))
    tx, ty = tile_pixel(40, 40)
    # The tile in its base colour with a red dot in its middle.
    editor.wait_for_pixels({(tx - 2, ty): PALETTE[2], (tx, ty): RED}, what="a start location painted")
    editor.move_to(690, 520)
    saved = save_and_read(editor)
    check(saved.tiles_not(0) == {(40, 40): 51}, "tiles: %s" % saved.tiles_not(0))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


# The seed of the last run, between the caption and the tile under the pointer.
SEED_STATUS = (220, 8, 325, 28)


def seed_status_shown(editor, shot):
    return count_colour(editor, shot, *SEED_STATUS, BLACK) > 0


def seed_edits(seed_text=None, symmetry_downs=0):
    """Key steps for generate_terrain: from field 601, Shift+Tab reaches
    "Quads Y" (the last tab stop), "Quads X", the symmetry choice and then the
    seed field before it; Tab four times goes back to 601. An empty
    seed_text empties the field."""
    steps = ["key:shift+Tab shift+Tab shift+Tab"] + (["key:" + " ".join(["Down"] * symmetry_downs)] if symmetry_downs else [])
    steps.append("key:shift+Tab")
    if seed_text == "":
        steps.append("key:BackSpace")
    elif seed_text is not None:
        steps.append(seed_text)
    steps.append("key:Tab Tab Tab Tab")
    return steps


def run_cli(session, workdir, *args):
    """The Windows pelorn-cli.exe beside pelorn.exe, under the same Wine prefix."""
    result = subprocess.run(["wine", companion_cli(session)] + [str(a) for a in args], cwd=workdir, env=session.prefix.env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=180)
    check(result.returncode == 0, "pelorn-cli %s: exit %d, %s" % (" ".join(map(str, args)), result.returncode,
                                                                  result.stderr.decode(errors="replace")))


def generated(editor, before):
    """Waits until the quad shows something other than `before` (pixels of the last map)."""
    points = [tile_pixel(c, r) for c in range(0, 100, 7) for r in range(0, 100, 7)]
    return editor.wait_for(lambda s: [editor.client_pixel(s, *p) for p in points] != before,
                           what="a newly generated world")


def quad_pixels(editor, shot):
    return [editor.client_pixel(shot, *tile_pixel(c, r)) for c in range(0, 100, 7) for r in range(0, 100, 7)]


def case_seed_gives_the_worlds_of_pelorn_cli(session):
    """The same seed, size and settings make byte-identical maps in the editor
    and in pelorn-cli: one quad with an edited parameter, then two quads
    across as four equal strips; and the start locations of a seed."""
    editor = session.start()
    editor.move_to(690, 520)
    shot = editor.screenshot()
    check(not seed_status_shown(editor, shot), "a seed shown before any run")
    # Seed 123456789 and "Generate River Tries" 80 (field 608: seven tabs from 601).
    generate_terrain(editor, seed_edits("123456789") + ["key:" + " ".join(["Tab"] * 7), "80"])
    shot = generated(editor, quad_pixels(editor, shot))
    editor.wait_for(lambda s: seed_status_shown(editor, s), what="the seed in the status line")
    one_quad = save_and_read(editor)
    one_quad_bytes = editor.wait_file("Untitled.map")
    # Start locations from seed 99: the seed field is the last tab stop of that dialog.
    start_locations(editor, None, ["key:shift+Tab", "99"])
    placed = save_and_read(editor)
    check(placed.codes != one_quad.codes, "no start location placed")
    placed_bytes = editor.wait_file("Untitled.map")

    new_map(editor, "Twin", 2, 1)
    editor.wait_for(lambda s: not seed_status_shown(editor, s), what="the seed gone with the new map")
    generate_terrain(editor, seed_edits("4000000000", symmetry_downs=3))  # copies4
    generated(editor, [BLACK] * len(quad_pixels(editor, editor.screenshot())))
    twin = save_and_read(editor, "Twin", (2, 1))
    for x in range(0, 200, 3):
        for y in range(0, 100, 3):
            check(twin.tile(x, y) == twin.tile((x + 50) % 200, y), "Twin.map is no copies4 world at (%d, %d)" % (x, y))
    twin_bytes = editor.wait_file("Twin.map")
    # Players mode on the copies4 world: 8 players (Tab from the tries to
    # "Players", then "Min. distance") come in sets of four equal starts.
    start_locations(editor, None, ["key:" + " ".join(TRIES_TO_PLAYERS), "8", "key:Tab", "15"])
    players = save_and_read(editor, "Twin", (2, 1))
    starts = [(x, y) for x in range(200) for y in range(100) if players.tile(x, y) >= 50]
    check(len(starts) == 8, "players mode placed %d starts, not 8" % len(starts))
    for x, y in starts:
        check(players.tile((x + 50) % 200, y) >= 50, "start (%d, %d) without its image in the next strip" % (x, y))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    settings = editor.wait_file("appdata.dat")
    check(settings_values(settings)["genRiverTries"] == "80", "genRiverTries in appdata.dat")

    folder = session.new_folder()
    with open(os.path.join(folder, "appdata.dat"), "wb") as f:
        f.write(settings)
    with open(os.path.join(folder, "world.map"), "wb") as f:
        f.write(one_quad_bytes)
    run_cli(session, folder, "generate", "--seed", 123456789, "--quads", "1x1", "--name", "Untitled",
            "--settings", "appdata.dat")
    run_cli(session, folder, "generate", "--seed", 4000000000, "--quads", "2x1", "--name", "Twin",
            "--settings", "appdata.dat", "--symmetry", "copies4")
    run_cli(session, folder, "startlocations", "--seed", 99, "--map", "world.map", "--name", "Placed")
    run_cli(session, folder, "generate", "--seed", 4000000000, "--quads", "2x1", "--name", "TwinPlayers",
            "--settings", "appdata.dat", "--symmetry", "copies4", "--players", 8, "--min-distance", 15)
    with open(os.path.join(folder, "Untitled.map"), "rb") as f:
        check(f.read() == one_quad_bytes, "Untitled.map of the editor and of pelorn-cli differ")
    with open(os.path.join(folder, "Twin.map"), "rb") as f:
        check(f.read() == twin_bytes, "Twin.map of the editor and of pelorn-cli differ")
    with open(os.path.join(folder, "TwinPlayers.map"), "rb") as f:
        check(MapFile(f.read()).codes == players.codes, "players' starts differ between the editor and pelorn-cli")
    with open(os.path.join(folder, "Placed.map"), "rb") as f:
        check(MapFile(f.read()).codes == MapFile(placed_bytes).codes,
              "start locations of seed 99 differ between the editor and pelorn-cli")


def generate_and_read(editor, edits, before):
    generate_terrain(editor, edits)
    shot = generated(editor, before)
    return save_and_read(editor).codes, quad_pixels(editor, shot)


def case_seed_field_without_a_seed_leaves_the_state(session):
    """An emptied seed field runs on from the generator's state as a field
    left alone does (text that is no seed keeps the dialog open, below)."""
    runs = {}
    for label, texts in (("left alone", [None, None]), ("emptied", ["", ""])):
        editor = session.start()
        editor.move_to(690, 520)
        pixels = quad_pixels(editor, editor.screenshot())
        worlds = []
        for text in ["1234"] + texts:
            codes, pixels = generate_and_read(editor, seed_edits(text), pixels)
            worlds.append(codes)
        check(editor.close() == 0, "exit code %s after %s" % (editor.exit_code, label))
        runs[label] = worlds
    check(runs["left alone"][0] != runs["left alone"][1], "the second run made the first world again")
    for i in range(3):
        check(runs["emptied"][i] == runs["left alone"][i], "world %d differs from the world of the field left alone" % i)


def case_symmetry_the_map_cannot_have_is_refused(session):
    """copies4 on a map one quad wide: a message says why, the dialog stays,
    and the map is left as it was."""
    editor = session.start()
    editor.move_to(690, 520)
    editor.menu(2, 0)
    editor.wait_window("Generate Terrain")
    editor.key("shift+Tab", "shift+Tab", "shift+Tab", "Down", "Down", "Down", "Return")
    editor.wait_window("Symmetry")
    editor.key("Return")
    wait_until(lambda: editor.find_window("Symmetry") is None, 15, "the message to close")
    check(editor.find_window("Generate Terrain"), "the dialog closed with the message")
    editor.key("Escape")
    editor.wait_window_gone("Generate Terrain")
    saved = save_and_read(editor)
    check(set(saved.codes) == {0}, "the map changed: %s" % sorted(set(saved.codes)))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_close_box_ends_like_exit(session):
    editor = session.start()
    new_map(editor, "Gone", 2, 1)
    # The close box at the right end of the caption bar, above the client area.
    editor.click(947, -30)
    check(editor.wait_exit() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat") == settings_text("Gone"), "appdata.dat after the close box")
    check(not os.path.exists(editor.path("Gone.map")), "the map was saved at exit")


# --- hostile names ----------------------------------------------------------

def name_dialog(editor, item, title, name, closes=True):
    """File > item (New, Open or Save As): types the name over the selected
    initial text and presses Enter; waits for the dialog to close, or, when
    it must not, makes sure it is still open a moment later."""
    editor.move_to(690, 520)
    editor.menu(0, item)
    editor.wait_window(title)
    editor.type_text(name)
    editor.key("Return")
    if closes:
        editor.wait_window_gone(title)
    else:
        time.sleep(1.0)
        check(editor.find_window(title), "dialog %r closed on the name %r" % (title, name))


def wine_path(path):
    """A Unix path as Wine's drive Z: shows it."""
    return "Z:" + path.replace("/", "\\")


def folder_listing(folder):
    return sorted(os.listdir(folder))


def case_shared_map_naming_a_path_writes_only_in_its_folder(session):
    outside = session.new_folder()
    workdir = session.new_folder()
    sibling = os.path.basename(outside)
    drive_c = os.path.join(session.prefix.env["WINEPREFIX"], "drive_c")
    # Line 2 of each map names a place outside the working folder; the tile at
    # (5, 5) tells the maps apart on the screen.
    maps = [
        ("Evil", "..\\%s\\victim" % sibling, 19),
        ("Drive", wine_path(outside) + "\\victim", 3),
        ("Zero", "plain.txt\0tail", 11),
        ("Abs", outside + "/victim", 21),
        ("CDrive", "C:victim", 1),
    ]
    files = {name + ".map": map_file_bytes(line2, 1, 1, {(5, 5): code}) for name, line2, code in maps}
    files["appdata.dat"] = settings_text("Evil")  # the first one opens at start-up
    editor = session.start(workdir=workdir, files=files)
    for index, (name, line2, code) in enumerate(maps):
        if index > 0:
            name_dialog(editor, 1, "Open Map", name)
        editor.wait_for_pixels({tile_pixel(5, 5): PALETTE[code]}, what="%s.map opened" % name)
        saved = save_and_read(editor, name)
        check(saved.name == name, "%s.map saved under the name %r" % (name, saved.name))
        check(saved.tiles_not(0) == {(5, 5): code}, "tiles of %s.map: %s" % (name, saved.tiles_not(0)))
        if index in (0, 2):
            editor.menu(0, 4)  # File > Save Bitmap
            editor.wait_file(name + ".bmp", size=30054)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(settings_values(editor.wait_file("appdata.dat"))["LastOpen"] == "CDrive", "last open map")
    expected = sorted(["appdata.dat", "Evil.bmp", "Zero.bmp"] + [name + ".map" for name, _, _ in maps])
    check(folder_listing(workdir) == expected, "working folder holds %s" % folder_listing(workdir))
    check(folder_listing(outside) == [], "written outside the working folder: %s" % folder_listing(outside))
    strays = [f for f in os.listdir(drive_c) if f.lower().startswith("victim")]
    check(not strays, "written on drive C: %s" % strays)


def case_unsafe_names_keep_the_name_dialogs_open(session):
    editor = session.start()
    choose_terrain(editor, 19)  # "River"
    paint_tile(editor, 7, 7, 19)
    # Save As with a path: the dialog stays, the name selected; typing
    # replaces it, and the corrected name saves.
    name_dialog(editor, 3, "Save As Map", "..\\qz9victim", closes=False)
    editor.type_text("Fixed")
    editor.key("Return")
    editor.wait_window_gone("Save As Map")
    data = editor.wait_file("Fixed.map", size=40036)
    check(data == map_file_bytes("Fixed", 1, 1, {(7, 7): 19}), "Fixed.map bytes")
    # Open Map with a device name, New Map with a drive: nothing happens, CANCEL leaves.
    for item, title, name in ((1, "Open Map", "AUX"), (0, "New Map", "C:x"), (3, "Save As Map", "nul.map")):
        name_dialog(editor, item, title, name, closes=False)
        editor.key("Escape")
        editor.wait_window_gone(title)
    editor.wait_for_pixels({tile_pixel(7, 7): PALETTE[19]}, what="the map unchanged")
    saved = save_and_read(editor, "Fixed")
    check(saved.tiles_not(0) == {(7, 7): 19}, "tiles after the refused names: %s" % saved.tiles_not(0))
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(folder_listing(editor.workdir) == ["Fixed.map", "appdata.dat"],
          "working folder holds %s" % folder_listing(editor.workdir))
    parent = os.path.dirname(editor.workdir)
    check(not [f for f in os.listdir(parent) if f.startswith("qz9victim")], "Save As wrote outside the folder")
    check(settings_values(editor.wait_file("appdata.dat"))["LastOpen"] == "Fixed", "last open map")


def case_last_open_device_name_starts_normally(session):
    files = {"appdata.dat": settings_text("AUX"),
             "Dev.map": map_file_bytes("AUX", 1, 1, {(5, 5): 3})}
    editor = session.start(files=files)  # a device name here once blocked the start for good
    shot = editor.wait_for(lambda s: editor.client_pixel(s, 730, 47) == RED, what="the legend marker")
    check_void_quad(editor, shot)
    name_dialog(editor, 1, "Open Map", "Dev")
    editor.wait_for_pixels({tile_pixel(5, 5): PALETTE[3]}, what="Dev.map opened")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat") == settings_text("Dev"), "appdata.dat names the file, not its line 2")
    editor = session.start(workdir=editor.workdir)
    editor.wait_for_pixels({tile_pixel(5, 5): PALETTE[3]}, what="Dev.map opened at start-up")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_save_keeps_a_protected_file_and_clears_stale_temporaries(session):
    old = map_file_bytes("Untitled", 1, 1, {(1, 1): 21})
    stale = "Untitled.map.~999999-1.tmp"
    kept = ["Untitled.map.~junk.tmp", "Other.map.~999999-1.tmp", "Untitled.bmp.~999999-1.tmp"]
    files = {"Untitled.map": old, stale: b"x" * 100000}
    files.update({name: b"keep" for name in kept})
    workdir = session.new_folder()
    for name, data in files.items():
        with open(os.path.join(workdir, name), "wb") as f:
            f.write(data)
    path = os.path.join(workdir, "Untitled.map")
    os.chmod(path, 0o444)
    editor = session.start(workdir=workdir)
    editor.wait_for_pixels({tile_pixel(1, 1): PALETTE[21]}, what="Untitled.map opened")
    choose_terrain(editor, 1)  # "F Plains"
    paint_tile(editor, 5, 10, 1)
    editor.ctrl_key("s")
    time.sleep(1.5)
    with open(path, "rb") as f:
        check(f.read() == old, "a read-only Untitled.map was replaced")
    check(folder_listing(workdir) == sorted(list(files) + ["appdata.dat"]),
          "a refused save changed the folder: %s" % folder_listing(workdir))
    os.chmod(path, 0o644)
    new = map_file_bytes("Untitled", 1, 1, {(1, 1): 21, (5, 10): 1})

    def saved():
        with open(path, "rb") as f:
            return f.read() == new
    editor.ctrl_key("s", until=saved, what="Untitled.map saved once writable")
    listing = folder_listing(workdir)
    check(stale not in listing, "the stale temporary of Untitled.map is still there")
    check(all(name in listing for name in kept), "temporaries of other names were removed: %s" % listing)
    check(not [f for f in listing if f.endswith(".tmp") and f not in kept], "a new temporary was left: %s" % listing)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


# --- unsaved work -----------------------------------------------------------

def caption_right_edge(editor, shot):
    """The rightmost client column of the caption that is not white."""
    left, top, right, bottom = CAPTION
    for x in range(right - 1, left - 1, -1):
        if any(editor.client_pixel(shot, x, y) != WHITE for y in range(top, bottom)):
            return x
    return -1


def caption_failed(editor, shot):
    """The caption in the colour of a failed save, and nothing of it black."""
    return (count_colour(editor, shot, *CAPTION, TOOL_RED) > 40 and
            count_colour(editor, shot, *CAPTION, BLACK) == 0)


def clean_caption_edge(editor):
    shot = editor.wait_for(lambda s: editor.client_pixel(s, 730, 47) == RED, what="the detail view")
    edge = caption_right_edge(editor, shot)
    check(edge > 40 and count_colour(editor, shot, *CAPTION, TOOL_RED) == 0, "caption of a fresh start")
    return edge


def wait_marked(editor, clean_edge, marked=True):
    """Waits for the caption to show the mark of unsaved edits (" *" after the
    name), or, with marked False, to show the name alone again."""
    if marked:
        test = lambda s: caption_right_edge(editor, s) > clean_edge + 4 and not caption_failed(editor, s)
    else:
        test = lambda s: caption_right_edge(editor, s) == clean_edge
    return editor.wait_for(test, what="the caption %s the mark of unsaved edits" % ("with" if marked else "without"))


def paint_tiles(editor, tiles, code):
    choose_terrain(editor, code)
    for column, row in tiles:
        paint_tile(editor, column, row, code)
    return {tile: code for tile in tiles}


def wait_map_file(editor, name, predicate, what, timeout=20):
    """Waits until NAME.map exists whole and its MapFile satisfies predicate."""
    def test():
        try:
            with open(editor.path(name + ".map"), "rb") as f:
                data = f.read()
            parsed = MapFile(data)
        except (OSError, E2EFailure, ValueError, IndexError):
            return None
        return parsed if predicate(parsed) else None
    return wait_until(test, timeout, what)


def file_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def case_new_map_keeps_painted_tiles_in_a_recovery_copy(session):
    editor = session.start()
    clean_edge = clean_caption_edge(editor)
    painted = paint_tiles(editor, [(5, 5), (60, 70), (99, 0), (0, 99)], 19)  # "River"
    wait_marked(editor, clean_edge)
    new_map(editor, "Next", 1, 1)
    name = wait_copy_tiles(editor, painted, "the copy of the painted tiles")
    check(MapFile(dict(recovery_copies(editor.workdir))[name]).name == "Untitled", "line 2 of the copy")
    editor.wait_for_pixels({tile_pixel(5, 5): BLACK, tile_pixel(60, 70): BLACK}, what="the new map")
    # File > Recover... opens it under the map's own name, still unsaved.
    recover(editor, 0)
    editor.wait_for_pixels({tile_pixel(c, r): PALETTE[19] for c, r in painted}, what="the copy opened")
    wait_marked(editor, clean_edge)
    saved = save_and_read(editor, "Untitled")
    check(saved.tiles_not(0) == painted, "tiles saved from the copy: %s" % saved.tiles_not(0))
    wait_marked(editor, clean_edge, marked=False)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(folder_listing(editor.workdir) == ["Recovery", "Untitled.map", "appdata.dat"],
          "working folder holds %s" % folder_listing(editor.workdir))
    check(len(recovery_copies(editor.workdir)) == 1, "copies: %s" % recovery_copies(editor.workdir))


def case_closing_keeps_unsaved_edits_and_never_the_users_file(session):
    mine = map_file_bytes("Untitled", 1, 1, {(1, 1): 21})
    editor = session.start(files={"Untitled.map": mine})
    editor.wait_for_pixels({tile_pixel(1, 1): PALETTE[21]}, what="Untitled.map opened")
    painted = paint_tiles(editor, [(5, 10), (50, 50)], 1)  # "F Plains"
    painted[(1, 1)] = 21
    editor.click(947, -30)  # the close box: a copy is written, and nothing asked
    check(editor.wait_exit() == 0, "exit code %s" % editor.exit_code)
    copy = MapFile(recovery_copies(editor.workdir)[0][1])
    check(copy.name == "Untitled" and copy.tiles_not(0) == painted, "the copy at exit: %s" % copy.tiles_not(0))
    check(file_bytes(editor.path("Untitled.map")) == mine, "Untitled.map was written")
    # After a restart the saved map opens, and the copy from the Recover dialog.
    editor = session.start(workdir=editor.workdir)
    editor.wait_for_pixels({tile_pixel(1, 1): PALETTE[21], tile_pixel(50, 50): BLACK}, what="Untitled.map at start")
    recover(editor, 0)
    editor.wait_for_pixels({tile_pixel(c, r): PALETTE[code] for (c, r), code in painted.items()},
                           what="the copy opened after a restart")
    # Opened and left without an edit, the copy is not written again.
    editor.move_to(690, 520)
    editor.menu(0, 5)
    check(editor.wait_exit() == 0, "exit code %s" % editor.exit_code)
    check(folder_listing(editor.workdir) == ["Recovery", "Untitled.map", "appdata.dat"],
          "working folder holds %s" % folder_listing(editor.workdir))
    copies = recovery_copies(editor.workdir)
    check(len(copies) == 1 and MapFile(copies[0][1]).tiles_not(0) == painted, "copies: %s" % [n for n, _ in copies])
    check(file_bytes(editor.path("Untitled.map")) == mine, "Untitled.map was written")


AUTOSAVE = {"PELORN_TEST_AUTOSAVE_MS": "800"}


def case_autosave_keeps_edits_through_a_kill(session):
    mine = map_file_bytes("Untitled", 1, 1, {(2, 2): 3})
    editor = session.start(files={"Untitled.map": mine}, env=AUTOSAVE)
    clean_edge = clean_caption_edge(editor)
    # Nothing unsaved, nothing written: not at first, and not once an edit is
    # undone (while it stood, the autosave may have caught it).
    time.sleep(2.5)
    check(folder_listing(editor.workdir) == ["Untitled.map", "appdata.dat"],
          "written without unsaved edits: %s" % folder_listing(editor.workdir))
    paint_tiles(editor, [(20, 20)], 22)  # "Lake"
    editor.ctrl_key_until_screen("z", lambda s: editor.client_pixel(s, *tile_pixel(20, 20)) == BLACK,
                                 what="the stroke undone")
    wait_marked(editor, clean_edge, marked=False)
    before = recovery_copies(editor.workdir)
    time.sleep(2.5)
    check(recovery_copies(editor.workdir) == before, "written after the edit was undone")
    painted = paint_tiles(editor, [(30, 30), (31, 30), (32, 31)], 22)
    painted[(2, 2)] = 3
    wait_copy_tiles(editor, painted, "the autosave of three tiles")
    # Later edits refresh the same copy.
    painted.update(paint_tiles(editor, [(70, 80)], 21))
    name = wait_copy_tiles(editor, painted, "the autosave of a fourth tile")
    editor.kill()
    check(MapFile(dict(recovery_copies(editor.workdir))[name]).tiles_not(0) == painted, "the copy after the kill")
    check(file_bytes(editor.path("Untitled.map")) == mine, "Untitled.map was written")


def case_failed_save_shows_in_the_caption_until_a_save_succeeds(session):
    mine = map_file_bytes("Untitled", 1, 1)
    workdir = session.new_folder()
    path = os.path.join(workdir, "Untitled.map")
    with open(path, "wb") as f:
        f.write(mine)
    os.chmod(path, 0o444)  # protected: the safe writer refuses it, as a read-only folder would
    editor = session.start(workdir=workdir)
    clean_edge = clean_caption_edge(editor)
    painted = paint_tiles(editor, [(8, 9)], 3)  # "Hills"
    wait_marked(editor, clean_edge)
    editor.ctrl_key_until_screen("s", lambda s: caption_failed(editor, s), what="the failed save in the caption")
    check(file_bytes(path) == mine, "a protected Untitled.map was replaced")
    # Menu File > Save fails the same way; the failure stays while the map is edited.
    editor.menu(0, 2)
    painted.update(paint_tiles(editor, [(9, 9)], 3))
    editor.wait_for(lambda s: caption_failed(editor, s) and caption_right_edge(editor, s) > clean_edge + 40,
                    what="the failure still shown after another edit")
    check(editor.find_window("Pelorn"), "the window title changed")
    os.chmod(path, 0o644)
    editor.ctrl_key("s", until=lambda: file_bytes(path) == map_file_bytes("Untitled", 1, 1, painted),
                    what="Untitled.map saved once writable")
    shot = wait_marked(editor, clean_edge, marked=False)
    check(count_colour(editor, shot, *CAPTION, TOOL_RED) == 0, "the failure still shown after a save")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(folder_listing(workdir) == ["Untitled.map", "appdata.dat"], "working folder holds %s" % folder_listing(workdir))


def case_two_words_round_trip(session):
    editor = session.start()
    painted = paint_tiles(editor, [(12, 34)], 3)  # "Hills"
    name_dialog(editor, 3, "Save As Map", "Two Words")
    saved = MapFile(editor.wait_file("Two Words.map", size=40040))
    check(saved.name == "Two Words" and saved.tiles_not(0) == painted, "Two Words.map as saved")
    new_map(editor, "Other", 1, 1)
    editor.wait_for_pixels({tile_pixel(12, 34): BLACK}, what="the new map")
    name_dialog(editor, 1, "Open Map", "Two Words")
    editor.wait_for_pixels({tile_pixel(12, 34): PALETTE[3]}, what="Two Words.map opened")
    saved = save_and_read(editor, "Two Words")
    check(saved.name == "Two Words" and saved.tiles_not(0) == painted, "Two Words.map saved again")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(editor.wait_file("appdata.dat").startswith(b"#LastOpen# Two Words\r\n"), "appdata.dat holds the name")
    # Started again, the map of both words opens.
    editor = session.start(workdir=editor.workdir)
    editor.wait_for_pixels({tile_pixel(12, 34): PALETTE[3]}, what="Two Words.map opened at start-up")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(folder_listing(editor.workdir) == ["Two Words.map", "appdata.dat"],
          "working folder holds %s" % folder_listing(editor.workdir))


ALL = [
    case_window_shows_detail_view,
    case_ctrl_m_switches_to_overview_and_back,
    case_close_writes_default_settings,
    case_close_box_ends_like_exit,
    case_about_opens_on_alt_slash_and_alt_question,
    case_paint_one_tile_and_save,
    case_bold_brush_paints_seven_tiles,
    case_bucket_fills_connected_area,
    case_fill_tool_and_enter_fill_whole_map,
    case_new_map_and_scrolling,
    case_save_as_and_open_round_trip,
    case_save_bitmap,
    case_map_name_and_parameter_survive_restart,
    case_generate_random_map_dialog,
    case_generate_start_locations,
    case_start_locations_players_mode,
    case_stroke_follows_cursor_and_ends_outside_window,
    case_click_then_moving_paints_nothing_more,
    case_stroke_then_moving_to_the_legend_paints_nothing_on_the_way,
    case_steady_drag_leaves_no_gap,
    case_scrolling_refreshes_the_position_text,
    case_overview_of_a_generated_world,
    case_caption_buttons_show_their_symbols,
    case_package_unpacks_and_runs,
    case_menu_commands_work_in_overview_and_exit,
    case_undo_and_redo,
    case_start_location_mode_paints_start_locations,
    case_screenshot_of_generated_world,
    case_shared_map_naming_a_path_writes_only_in_its_folder,
    case_unsafe_names_keep_the_name_dialogs_open,
    case_last_open_device_name_starts_normally,
    case_save_keeps_a_protected_file_and_clears_stale_temporaries,
    case_whole_map_view_of_a_generated_world,
    case_whole_map_click_and_drag_at_once_paints_nothing,
    case_cursor_text_names_the_tile_and_its_terrain,
    case_save_png_writes_what_the_companion_exports,
    case_new_map_keeps_painted_tiles_in_a_recovery_copy,
    case_closing_keeps_unsaved_edits_and_never_the_users_file,
    case_autosave_keeps_edits_through_a_kill,
    case_failed_save_shows_in_the_caption_until_a_save_succeeds,
    case_two_words_round_trip,
    case_seed_gives_the_worlds_of_pelorn_cli,
    case_seed_field_without_a_seed_leaves_the_state,
    case_symmetry_the_map_cannot_have_is_refused,
]


# --- never losing work: recovery copies apart from the maps, Recover, the close question ---

COPY_NAME = re.compile(r"^([0-9a-f]{1,16}-[0-9a-f]{1,16})-([0-9]{1,16})\.map$")


def recovery_copies(workdir):
    """The recovery copies as the Recover dialog lists them, newest first:
    [(file name, bytes)]; files being written are left out."""
    folder = os.path.join(workdir, "Recovery")
    if not os.path.isdir(folder):
        return []
    keyed = []
    for name in os.listdir(folder):
        match = COPY_NAME.match(name)
        if match:
            path = os.path.join(folder, name)
            keyed.append(((int(os.stat(path).st_mtime), match.group(1), int(match.group(2))), name, file_bytes(path)))
    return [(name, data) for _, name, data in sorted(keyed, reverse=True)]


def wait_copy_tiles(editor, tiles, what, timeout=20):
    """Waits for a copy holding exactly these tiles; returns its file name."""
    def test():
        for name, data in recovery_copies(editor.workdir):
            try:
                if MapFile(data).tiles_not(0) == tiles:
                    return name
            except (E2EFailure, ValueError, IndexError):
                pass
        return None
    return wait_until(test, timeout, what)


def recover(editor, row):
    """File > Recover..., row `row` of the list (0: the newest), Enter (Open)."""
    editor.move_to(690, 520)
    editor.menu(0, 7)
    editor.wait_window("Recover")
    time.sleep(0.3)
    for _ in range(row):
        editor.key("Down")
    time.sleep(0.2)
    editor.key("Return")
    editor.wait_window_gone("Recover")


def case_browsing_five_copies_by_the_recover_dialog_loses_none(session):
    editor = session.start()
    marks = {}
    for k in range(1, 6):
        marks[k] = paint_tiles(editor, [(10 * k, 10)], 19 if k % 2 else 21)
        new_map(editor, "Untitled", 1, 1)
        wait_copy_tiles(editor, marks[k], "copy %d" % k)
    before = recovery_copies(editor.workdir)
    # Oldest first: each Open shows the copy chosen, and writes no new one.
    for row in range(4, -1, -1):
        k = 5 - row
        recover(editor, row)
        expected = {tile_pixel(10 * j, 10): (PALETTE[19 if j % 2 else 21] if j == k else BLACK) for j in marks}
        editor.wait_for_pixels(expected, what="copy %d opened from row %d" % (k, row))
        check(recovery_copies(editor.workdir) == before, "the copies changed on opening row %d" % row)
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(recovery_copies(editor.workdir) == before, "the copies changed at exit")


def case_users_maps_of_recovery_names_survive_new_maps_and_save_as(session):
    lower = map_file_bytes("recovery-1", 1, 1, {(3, 3): 3})
    upper = map_file_bytes("RECOVERY-2", 1, 1, {(4, 4): 21})
    editor = session.start(files={"recovery-1.map": lower, "RECOVERY-2.map": upper})
    for i in range(7):
        tiles = paint_tiles(editor, [(i, 0)], 19)
        new_map(editor, "Untitled", 1, 1)
        wait_copy_tiles(editor, tiles, "copy %d" % i)
    check(file_bytes(editor.path("recovery-1.map")) == lower, "recovery-1.map changed")
    check(file_bytes(editor.path("RECOVERY-2.map")) == upper, "RECOVERY-2.map changed")
    # Save As onto another map's file asks first; No (the default) keeps it.
    paint_tiles(editor, [(9, 9)], 19)
    editor.move_to(690, 520)
    editor.menu(0, 3)
    editor.wait_window("Save As Map")
    editor.type_text("recovery-1")
    editor.key("Return")
    editor.wait_window("Replace Map")
    editor.key("Return")
    wait_until(lambda: editor.find_window("Replace Map") is None, 10, "the question to go")
    check(editor.find_window("Save As Map"), "Save As closed after No")
    # The field refuses a 16th character: what is seen is what is used.
    editor.type_text("ABCDEFGHIJKLMNOP")
    editor.key("Return")
    editor.wait_window_gone("Save As Map")
    editor.wait_file("ABCDEFGHIJKLMNO.map")
    check(file_bytes(editor.path("recovery-1.map")) == lower, "recovery-1.map replaced")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)
    check(len(recovery_copies(editor.workdir)) == 7, "copies: %d" % len(recovery_copies(editor.workdir)))
    check(folder_listing(editor.workdir) == ["ABCDEFGHIJKLMNO.map", "RECOVERY-2.map", "Recovery", "appdata.dat",
                                             "recovery-1.map"], "working folder holds %s" % folder_listing(editor.workdir))


def case_two_editors_in_one_folder_lose_no_edit(session):
    first = session.start(env=AUTOSAVE)
    first_tiles = paint_tiles(first, [(5, 5)], 19)
    wait_copy_tiles(first, first_tiles, "the first editor's autosave")
    # The second opens over the first, in the same folder.
    second = session.start(workdir=first.workdir, env=AUTOSAVE)
    second.ensure_active()
    second_tiles = paint_tiles(second, [(6, 6), (7, 7)], 21)
    wait_copy_tiles(second, second_tiles, "the second editor's autosave")
    check(second.close() == 0, "exit code %s" % second.exit_code)
    # Back in the first: more edits, an autosave, and the end.
    first.ensure_active()
    first_tiles.update(paint_tiles(first, [(8, 8)], 19))
    wait_copy_tiles(first, first_tiles, "the first editor's second autosave")
    check(first.close() == 0, "exit code %s" % first.exit_code)
    held = [MapFile(data).tiles_not(0) for _, data in recovery_copies(first.workdir)]
    check(first_tiles in held and second_tiles in held, "the copies hold %s" % held)


def case_a_folder_without_copies_says_so_and_asks_before_closing(session):
    workdir = session.new_folder()
    locked = subprocess.run(["chattr", "+i", workdir], stderr=subprocess.DEVNULL).returncode == 0
    if not locked:  # no immutable folders here: a file stands where the copies' folder would be
        with open(os.path.join(workdir, "Recovery"), "wb") as f:
            f.write(b"in the way")
    try:
        editor = session.start(workdir=workdir, env=AUTOSAVE)
        clean_caption_edge(editor)
        paint_tiles(editor, [(12, 12)], 19)
        # The autosave fails at once: the caption and the status line in red.
        editor.wait_for(lambda s: caption_failed(editor, s) and
                        count_colour(editor, s, 170, 8, 575, 28, TOOL_RED) > 100, what="the red status line")
        editor.move_to(300, 300)
        editor.key("alt+F4")
        editor.wait_window("Close Pelorn")
        editor.key("Return")  # No, the default: the editor stays
        wait_until(lambda: editor.find_window("Close Pelorn") is None, 10, "the question to go")
        time.sleep(0.5)
        check(editor.running(), "the editor closed after No")
        editor.ensure_active()
        editor.move_to(690, 520)
        editor.menu(0, 5)  # File > Exit asks too; Yes closes
        editor.wait_window("Close Pelorn")
        editor.key("y")
        check(editor.wait_exit() == 0, "exit code %s" % editor.exit_code)
    finally:
        if locked:
            subprocess.run(["chattr", "-i", workdir])


NOTICE = (170, 8, 575, 28)  # the status line's notice, over the seed and the tile under the pointer


def case_dialogs_refuse_what_they_cannot_use_and_open_says_what_it_could_not_read(session):
    editor = session.start()
    editor.move_to(690, 520)
    # Ctrl+A selects the whole name again; a name that cannot be read says so in red.
    editor.menu(0, 1)
    editor.wait_window("Open Map")
    editor.key("End")
    editor.ctrl_key("a")
    editor.type_text("Nowhere")
    editor.key("Return")
    editor.wait_window_gone("Open Map")
    editor.wait_for(lambda s: count_colour(editor, s, *NOTICE, TOOL_RED) > 100, what="the red notice")
    # Generate Terrain at 2 x 1 quads: a seed that is none keeps it open with
    # the field selected; seed 7 then makes pelorn-cli's world.
    before = quad_pixels(editor, editor.screenshot())
    editor.menu(2, 0)
    editor.wait_window("Generate Terrain")
    type_steps(editor, ["key:shift+Tab shift+Tab", "2", "key:Tab", "1", "key:shift+Tab shift+Tab shift+Tab", "12a",
                        "key:Return"])
    time.sleep(1.0)
    check(editor.find_window("Generate Terrain"), "Generate Terrain closed on the seed 12a")
    type_steps(editor, ["7", "key:Return"])
    editor.wait_window_gone("Generate Terrain", timeout=120)
    generated(editor, before)
    folder = session.new_folder()
    run_cli(session, folder, "generate", "--seed", 7, "--quads", "2x1", "--name", "Untitled")
    check(save_and_read(editor, "Untitled", (2, 1)).codes == MapFile(file_bytes(os.path.join(folder, "Untitled.map"))).codes,
          "the world of Quads 2 x 1 and seed 7 is not pelorn-cli's")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


# --- Shaping a world by hand: selection, clipboard, stamp, lines, brushes, starts ---

CYAN = (0, 255, 255)  # the selection's frame
HAND_MAP = lambda tiles: {"Untitled.map": map_file_bytes("Untitled", 1, 1, tiles)}  # noqa: E731
SELECTION_STATUS = (10, 512, 189, 530)  # "Selection 3 x 2", "Stamp 3 x 2", under the map


def shown(editor, tiles):
    """Waits until the detail view shows each {(x, y): code} tile in its colour."""
    return editor.wait_for_pixels({tile_pixel(x, y): PALETTE[c] for (x, y), c in tiles.items()},
                                  what="tiles %s shown" % sorted(tiles.items())[:6])


def stamped(tiles, dx, dy):
    return {(x + dx, y + dy): c for (x, y), c in tiles.items()}


def shift_held(editor, key, until, what):  # Shift held until the key's effect shows
    editor.xdotool("keydown", "shift")
    try:
        editor.xdotool("key", key)
        wait_until(until, 15, what, interval=0.1)
    finally:
        editor.xdotool("keyup", "shift")


def select_tiles(editor, first, last):  # Ctrl+R, then a drag from tile to tile
    editor.move_to(690, 520)
    toggle_status(editor, "r", TOOL_STATUS, TOOL_RED, True)
    middle = ((first[0] + last[0]) // 2, (first[1] + last[1]) // 2)
    drag(editor, [tile_click_point(*first), tile_click_point(*middle), tile_click_point(*last)])


def case_hand_select_copy_paste_mirrored_and_undo(session):
    shape = {(10, 20): 1, (11, 20): 19, (12, 21): 22}
    editor = session.start(files=HAND_MAP(shape))
    shown(editor, shape)
    select_tiles(editor, (10, 20), (12, 21))
    # The frame runs one pixel outside the tiles' boxes: x 105 at the left.
    editor.wait_for_pixels({(105, 158): CYAN, (126, 158): CYAN}, what="the selection frame")
    editor.ctrl_key("Insert")
    editor.ctrl_key("v")
    # The stamp floats under the pointer: over column 41 it starts on 40, keeping its even start.
    editor.move_to(*tile_click_point(41, 60))
    shown(editor, stamped(shape, 30, 40))
    gesture(editor, *click_steps(tile_click_point(41, 60)))
    editor.key("x")  # east-west: columns reversed, rows kept
    editor.move_to(*tile_click_point(70, 60))
    shown(editor, {(70, 61): 22, (71, 60): 19, (72, 60): 1})
    gesture(editor, *click_steps(tile_click_point(70, 60)))
    editor.key("Escape")
    editor.move_to(690, 520)
    first, mirror = stamped(shape, 30, 40), {(70, 61): 22, (71, 60): 19, (72, 60): 1}
    check_tiles(save_and_read(editor), {**shape, **first, **mirror}, "after two pastes")
    editor.ctrl_key_until_screen("z", lambda s: editor.client_pixel(s, *tile_pixel(72, 60)) == BLACK,
                                 what="the mirrored paste undone")
    check_tiles(save_and_read(editor), {**shape, **first}, "after one Ctrl+Z")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_hand_cut_then_paste_in_a_second_window(session):
    shape = {(20, 30): 9, (20, 31): 11, (21, 30): 36}
    first = session.start(files=HAND_MAP(shape))
    shown(first, shape)
    select_tiles(first, (20, 30), (21, 31))
    shift_held(first, "Delete", lambda: first.client_pixel(first.screenshot(), *tile_pixel(20, 30)) == BLACK,
               "the cut tiles gone")
    second = session.start()
    second.move_to(690, 520)
    # The second window, drawn whole over the first (whose selection's size shows under its map), takes the keys.
    second.wait_for(lambda s: count_colour(second, s, *SELECTION_STATUS, BLACK) == 0, what="the second window")
    second.ensure_active()
    # Shift+Insert: "Stamp 2 x 2" appears under the map.
    shift_held(second, "Insert", lambda: count_colour(second, second.screenshot(), *SELECTION_STATUS, BLACK) > 0,
               "the stamp's size under the map")
    second.move_to(*tile_click_point(50, 40))
    shown(second, stamped(shape, 30, 10))
    gesture(second, *click_steps(tile_click_point(50, 40)))
    second.key("Escape")
    second.move_to(690, 520)
    check_tiles(save_and_read(second), stamped(shape, 30, 10), "pasted from the other window")
    check(second.close() == 0, "exit code %s" % second.exit_code)
    check(first.close() == 0, "exit code %s" % first.exit_code)


def case_hand_line_and_brush_sizes(session):
    editor = session.start()
    choose_terrain(editor, 19)  # "River"
    paint_tile(editor, 10, 10, 19)
    x, y = tile_click_point(14, 12)
    editor.xdotool("keydown", "shift", "mousemove", editor.origin[0] + x, editor.origin[1] + y,
                   "click", 1, "keyup", "shift")
    line = {(10, 10): 19, (11, 10): 19, (12, 11): 19, (13, 11): 19, (14, 12): 19}
    shown(editor, line)
    editor.move_to(690, 520)
    choose_terrain(editor, 3)  # "Hills"
    for _ in range(3):  # Bold, Size 2, Size 3
        editor.key("bracketright")
    editor.click(*tile_click_point(50, 50))
    disc = {t: 3 for n in hex_within_two(50, 50) for t in hex_neighbours(*n) + [n]}  # within three steps
    check(len(disc) == 37, "a disc of three steps holds %d tiles" % len(disc))
    shown(editor, disc)
    editor.move_to(690, 520)
    check_tiles(save_and_read(editor), {**line, **disc}, "the line and the Size 3 brush")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


def case_hand_replace_terrain_in_selection_and_move_a_start(session):
    tiles = {(x, y): 11 for x in range(10, 20) for y in range(10, 14)}  # "Desert"
    tiles.update({(60, 60): 11, (30, 30): 51, (35, 30): 3, (40, 30): 21})
    editor = session.start(files=HAND_MAP(tiles))
    shown(editor, {(10, 10): 11, (60, 60): 11, (35, 30): 3})
    select_tiles(editor, (12, 10), (15, 12))
    editor.ctrl_key("h", until=lambda: editor.find_window("Replace Terrain"), what="Replace Terrain")
    editor.type_text("DESERT")
    editor.key("Tab")
    editor.type_text("steppes")
    editor.key("Return")  # "Only in the selection" is checked while there is one
    editor.wait_window_gone("Replace Terrain")
    shown(editor, {(12, 10): 9, (15, 12): 9, (16, 12): 11, (12, 13): 11})
    toggle_status(editor, "r", TOOL_STATUS, TOOL_RED, False)
    toggle_status(editor, "c", (900, 8, 950, 24), RED, True)  # "SL"
    drag(editor, [tile_click_point(30, 30), tile_click_point(32, 30), tile_click_point(35, 30)])
    editor.wait_for_pixels({tile_pixel(35, 30): RED, tile_pixel(30, 30): PALETTE[2]}, what="the start moved")
    # The sea carries no start: the start stays where it is.
    drag(editor, [tile_click_point(35, 30), tile_click_point(38, 30), tile_click_point(40, 30)])
    editor.move_to(690, 520)
    tiles.update({(x, y): 9 for x in range(12, 16) for y in range(10, 13)})
    tiles.update({(30, 30): 2, (35, 30): 52})
    check_tiles(save_and_read(editor), tiles, "after Replace Terrain and the moves")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


ALL += [
    case_browsing_five_copies_by_the_recover_dialog_loses_none,
    case_users_maps_of_recovery_names_survive_new_maps_and_save_as,
    case_two_editors_in_one_folder_lose_no_edit,
    case_a_folder_without_copies_says_so_and_asks_before_closing,
    case_dialogs_refuse_what_they_cannot_use_and_open_says_what_it_could_not_read,
    case_hand_select_copy_paste_mirrored_and_undo,
    case_hand_cut_then_paste_in_a_second_window,
    case_hand_line_and_brush_sizes,
    case_hand_replace_terrain_in_selection_and_move_a_start,
]


# --- Players mode: rooms, automatic spacing, marks on the whole map -----------

def whole_map_pixel(picture, tile, across):
    """The picture pixel the whole-map view marks a tile's start on: the middle
    of the pixels showing the tile (the next one when none does)."""
    n, tiles = (picture.width, picture.tiles_x) if across else (picture.height, picture.tiles_y)
    first, after = picture._first(tile, n, tiles), picture._first(tile + 1, n, tiles)
    pixel = (first + after - 1) // 2 if after > first else first
    return (picture.left if across else picture.top) + min(max(pixel, 0), n - 1)


def case_players_mode_fields_empty_marks_on_the_whole_map(session):
    """On a 10x10 world, players mode with every field empty but "Players"
    writes the very bytes pelorn-cli writes without --min-distance; in the
    whole-map view each start then gets its black-and-white mark, and no
    other pixel of the picture changes."""
    folder, world = generated_world_folder(session, "World", 3, (10, 10))
    result = subprocess.run(["wine", companion_cli(session), "startlocations", "--map", "World.map", "--name",
                             "Expected", "--players", "12"],
                            cwd=folder, env=session.prefix.env, timeout=300, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    check(result.returncode == 0, "pelorn-cli players mode: exit %d" % result.returncode)
    with open(os.path.join(folder, "Expected.map"), "rb") as f:
        expected_bytes = f.read()
    expected = MapFile(expected_bytes)
    starts = [(x, y) for x in range(1000) for y in range(1000) if expected.tile(x, y) >= 50]
    check(len(starts) == 12, "pelorn-cli placed %d starts, not 12" % len(starts))

    editor = session.start(workdir=folder)
    editor.move_to(690, 520)
    editor.wait_quiet()
    picture = WholeMapPicture(1000, 1000)
    editor.menu(1, 7)  # Tools > Whole Map View (CTRL-W)
    editor.wait_for(lambda s: editor.client_pixel(s, 720, 300) == WHITE, what="the whole map")
    editor.wait_quiet()
    before = editor.screenshot()
    # "Players" 12; "Min. distance" opens empty; "Radius" emptied too.
    start_locations(editor, None, ["key:" + " ".join(TRIES_TO_PLAYERS), "12", "key:Tab", "key:Delete", "key:Tab",
                                   "key:Delete"])
    marks = [(whole_map_pixel(picture, x, True), whole_map_pixel(picture, y, False)) for x, y in starts]
    editor.move_to(690, 520)
    editor.wait_for(lambda s: all(editor.client_pixel(s, cx, cy) == BLACK for cx, cy in marks), timeout=60,
                    what="a mark on every start")
    editor.wait_quiet()
    after = editor.screenshot()
    for cx, cy in marks:
        box = [(x, y) for x in range(cx - 3, cx + 4) for y in range(cy - 3, cy + 4)]
        changed = [editor.client_pixel(after, x, y) for x, y in box
                   if editor.client_pixel(after, x, y) != editor.client_pixel(before, x, y)]
        check(editor.client_pixel(after, cx, cy) == BLACK, "no ink at the middle of the mark at (%d, %d)" % (cx, cy))
        check(len(changed) >= 15 and all(c in (BLACK, WHITE) for c in changed),
              "the mark at (%d, %d): %d pixels changed" % (cx, cy, len(changed)))
    # The marks and their numbers are all that changed on the picture.
    near = lambda x, y: any(cx - 3 <= x <= cx + 14 and cy - 3 <= y <= cy + 4 for cx, cy in marks)
    stray = [(x, y) for x in range(picture.left, picture.left + picture.width, 2)
             for y in range(picture.top, picture.top + picture.height, 2)
             if not near(x, y) and editor.client_pixel(after, x, y) != editor.client_pixel(before, x, y)]
    check(not stray, "%d pixels away from the marks changed, first %s" % (len(stray), stray[:5]))
    # Ctrl+T tints the rooms round the starts; again, and the picture is as it was.
    cx, cy = marks[0]
    around = [(x, y) for x in range(cx - 12, cx + 13) for y in range(cy + 5, cy + 13)]
    tinted = lambda s: sum(editor.client_pixel(s, x, y) != editor.client_pixel(after, x, y) for x, y in around)
    editor.ctrl_key_until_screen("t", lambda s: tinted(s) > 10, what="the rooms tinted after Ctrl+T")
    editor.ctrl_key_until_screen("t", lambda s: tinted(s) == 0, what="the tints gone after Ctrl+T again")
    # The same file as pelorn-cli's, byte for byte.
    os.remove(os.path.join(folder, "Expected.map"))
    name_dialog(editor, 3, "Save As Map", "Expected")
    check(editor.wait_file("Expected.map", size=len(expected_bytes)) == expected_bytes,
          "the editor's players mode differs from pelorn-cli's")
    check(editor.close() == 0, "exit code %s" % editor.exit_code)


ALL.append(case_players_mode_fields_empty_marks_on_the_whole_map)
