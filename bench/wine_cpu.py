#!/usr/bin/env python3
"""What the real pelorn.exe costs under Wine: the CPU time of its process
(from /proc) and the time until it goes quiet, for a click on the map of a
fresh 1x1 map, for switching to the overview of a generated 10x10-quad world
and scrolling in it, and for switching back to the detail view; and for the
whole-map view of a generated 32x32-quad world: switching to it, moving its
frame with the arrows, and switching back.

    bench/wine_cpu.py --exe build/windows/pelorn.exe [--cli build/windows/pelorn-cli.exe] [--clicks 20]

The time to quiet is measured to within 50 ms, in a window of 0.4 s of no CPU;
for a click it includes the gesture itself (about 0.1 s). Exits 1 when a click
costs more than 20 ms of CPU, or showing the whole 32x32 map or moving its
frame more than 30 ms (medians). Needs what tests/e2e needs.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import cases  # noqa: E402
import harness  # noqa: E402


CLICK_CPU_LIMIT = 0.020
WHOLE_MAP_CPU_LIMIT = 0.030


def measure(editor, action):
    """CPU seconds from just before action() until quiet, and seconds from the
    action to the last CPU the editor used."""
    editor.wait_quiet()
    before = editor.cpu_seconds()
    started = time.monotonic()
    action()
    editor.wait_quiet()
    return editor.cpu_seconds() - before, max(0.0, editor.last_busy - started)


def report(what, samples):
    """Prints the sample's figures; returns the median CPU seconds."""
    cpu = [c for c, _ in samples]
    busy = [b for _, b in samples]
    print("%-34s CPU ms: median %7.1f  mean %7.1f  max %7.1f   to quiet ms: median %6.0f  (%d runs)"
          % (what, 1000 * statistics.median(cpu), 1000 * statistics.mean(cpu), 1000 * max(cpu),
             1000 * statistics.median(busy), len(samples)), flush=True)
    return statistics.median(cpu)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--cli", help="pelorn-cli.exe (default: beside the editor)")
    parser.add_argument("--clicks", type=int, default=20)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--whole-map-quads", type=int, default=32, help="size of the whole-map view's world")
    options = parser.parse_args()
    exe = os.path.abspath(options.exe)
    cli = os.path.abspath(options.cli or os.path.join(os.path.dirname(exe), "pelorn-cli.exe"))

    display = harness.VirtualDisplay()
    prefix = None
    folders = []
    editors = []
    try:
        prefix = harness.WinePrefix(display)

        folder = tempfile.mkdtemp(prefix="pelorn-bench-")
        folders.append(folder)
        editor = harness.Editor(exe, display, prefix, folder)
        editors.append(editor)
        cases.choose_terrain(editor, 3)
        editor.move_to(690, 520)
        samples = []
        for i in range(options.clicks):
            point = cases.tile_click_point(5 + 4 * (i % 20), 20 + 10 * (i // 20))
            samples.append(measure(editor, lambda: cases.gesture(editor, *cases.click_steps(point))))
        click_cpu = report("click on the map (tile changes)", samples)
        samples = [measure(editor, lambda: cases.gesture(editor, *cases.click_steps(cases.tile_click_point(5, 20))))
                   for _ in range(max(3, options.clicks // 4))]
        report("click on the map (no change)", samples)
        samples = []
        for _ in range(3):
            samples.append(measure(editor, lambda: editor.ctrl_key("m")))
            samples.append(measure(editor, lambda: editor.ctrl_key("m")))
        report("Ctrl+M on a 1x1 map (either way)", samples)
        editor.kill()

        def editor_on_world(name, quads):
            """The editor started on a world of quads x quads made by pelorn-cli.exe."""
            folder = tempfile.mkdtemp(prefix="pelorn-bench-")
            folders.append(folder)
            subprocess.run(["wine", cli, "generate", "--seed", str(options.seed), "--quads", "%dx%d" % (quads, quads),
                            "--name", name], cwd=folder, env=prefix.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            with open(os.path.join(folder, "appdata.dat"), "wb") as f:
                f.write(cases.settings_text(name))
            started = harness.Editor(exe, display, prefix, folder)
            editors.append(started)
            started.move_to(690, 520)
            return started

        editor = editor_on_world("World", 10)
        overview, detail, scroll = [], [], []
        for _ in range(3):
            overview.append(measure(editor, lambda: editor.ctrl_key("m")))
            for key in ("Right", "Right", "Left", "Left"):
                scroll.append(measure(editor, lambda: editor.key(key)))
            detail.append(measure(editor, lambda: editor.ctrl_key("m")))
        report("Ctrl+M to the overview (10x10)", overview)
        report("arrow key in the overview", scroll)
        report("Ctrl+M back to the detail view", detail)
        editor.kill()

        quads = options.whole_map_quads
        editor = editor_on_world("Large", quads)
        whole, frame, back = [], [], []
        for _ in range(3):
            whole.append(measure(editor, lambda: editor.ctrl_key("w")))
            for key in ("Right", "Down", "Left", "Up"):
                frame.append(measure(editor, lambda: editor.key(key)))
            back.append(measure(editor, lambda: editor.ctrl_key("w")))
        whole_cpu = report("Ctrl+W to the whole map (%dx%d)" % (quads, quads), whole)
        frame_cpu = report("arrow key in the whole map", frame)
        report("Ctrl+W back to the detail view", back)
        failed = False
        if click_cpu > CLICK_CPU_LIMIT:
            print("a click costs %.1f ms of CPU, more than %.0f ms" % (1000 * click_cpu, 1000 * CLICK_CPU_LIMIT))
            failed = True
        for what, cpu in (("showing the whole map", whole_cpu), ("moving its frame", frame_cpu)):
            if cpu > WHOLE_MAP_CPU_LIMIT:
                print("%s costs %.1f ms of CPU, more than %.0f ms" % (what, 1000 * cpu, 1000 * WHOLE_MAP_CPU_LIMIT))
                failed = True
        return 1 if failed else 0
    finally:
        for editor in editors:
            editor.kill()
        for folder in folders:
            shutil.rmtree(folder, ignore_errors=True)
        if prefix:
            prefix.stop()
        display.stop()


if __name__ == "__main__":
    sys.exit(main())
