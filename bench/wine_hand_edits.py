#!/usr/bin/env python3
"""What the hand edits cost the real pelorn.exe under Wine, on a 10x10-quad
map (1,000 x 1,000 tiles): a click that puts down a stamp of the whole map
(1,000,000 tiles), a move of that stamp under the pointer, and Replace
Terrain over the whole map. CPU time of the process until it goes quiet,
paint included.

    bench/wine_hand_edits.py --exe build/windows/pelorn.exe [--runs 5]

Exits 1 when a paste click costs more than 50 ms of CPU, a move of the stamp
more than 10 ms, or Replace Terrain more than 30 ms (medians). Needs what
tests/e2e needs.
"""

import argparse
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import cases  # noqa: E402
import harness  # noqa: E402
from wine_cpu import measure, report  # noqa: E402

LIMITS = {"paste click": 0.050, "stamp move": 0.010, "replace": 0.030}


def striped_map():
    """Untitled.map of 10x10 quads in stripes of sea and plains."""
    tiles = {(x, y): 21 if (x // 7 + y // 5) % 3 == 0 else 2 for x in range(1000) for y in range(1000)}
    return cases.map_file_bytes("Untitled", 10, 10, tiles)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    display = harness.VirtualDisplay()
    prefix = None
    folder = tempfile.mkdtemp(prefix="pelorn-bench-")
    editor = None
    failed = False
    try:
        prefix = harness.WinePrefix(display)
        with open(os.path.join(folder, "Untitled.map"), "wb") as f:
            f.write(striped_map())
        editor = harness.Editor(os.path.abspath(options.exe), display, prefix, folder)
        editor.move_to(690, 520)
        editor.ctrl_key("a")
        editor.ctrl_key("Insert")
        editor.ctrl_key("v")
        pastes, moves = [], []
        for i in range(options.runs):
            point = cases.tile_click_point(10 + 6 * i, 40)
            moves.append(measure(editor, lambda: editor.move_to(*point)))
            pastes.append(measure(editor, lambda: cases.gesture(editor, *cases.click_steps(point))))
        failed |= report("stamp move (1,000 x 1,000)", moves) > LIMITS["stamp move"]
        failed |= report("paste click (1,000 x 1,000)", pastes) > LIMITS["paste click"]
        editor.key("Escape")
        editor.key("Escape")  # the selection too: Replace Terrain over the whole map
        replaces = []
        for i in range(options.runs):
            words = ("sea", "lake") if i % 2 == 0 else ("lake", "sea")

            def replace():
                editor.ctrl_key("h", until=lambda: editor.find_window("Replace Terrain"))
                editor.type_text(words[0])
                editor.key("Tab")
                editor.type_text(words[1])
                editor.key("Return")
                editor.wait_window_gone("Replace Terrain")
            replaces.append(measure(editor, replace))
        failed |= report("Replace Terrain dialog and replace", replaces) > LIMITS["replace"]
    finally:
        if editor:
            editor.kill()
        if prefix:
            prefix.stop()
        display.stop()
        shutil.rmtree(folder, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
