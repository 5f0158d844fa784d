#!/usr/bin/env python3
"""Starts pelorn.exe once on a virtual display, saves a screenshot of its
window and closes it again: what scripts/run.sh does on a machine without a
display.

    tests/e2e/show.py --exe build/windows/pelorn.exe --workdir maps --screenshot maps/screenshot.png
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--workdir", required=True)
    parser.add_argument("--screenshot", required=True)
    options = parser.parse_args()

    display = harness.VirtualDisplay()
    prefix = editor = None
    try:
        prefix = harness.WinePrefix(display)
        editor = harness.Editor(os.path.abspath(options.exe), display, prefix, os.path.abspath(options.workdir))
        editor.save_window_png(options.screenshot)
        code = editor.close()
        if code != 0:
            print("show: pelorn.exe ended with exit code %s" % code)
            return 1
        return 0
    except harness.E2EFailure as error:
        print("show: %s" % error)
        return 1
    finally:
        if editor:
            editor.kill()
        if prefix:
            prefix.stop()
        display.stop()


if __name__ == "__main__":
    sys.exit(main())
