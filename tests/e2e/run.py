#!/usr/bin/env python3
"""Runs the end-to-end tests of pelorn.exe under Wine on a virtual display.

    tests/e2e/run.py --exe build/windows/pelorn.exe [-k NAME] [--update-screenshot PNG]

Needs: wine, Xvfb, xdotool, ImageMagick's import, Python 3 (standard library).
Prints one line per test and ends with "N passed, N failed"; exits non-zero
when a test failed.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cases  # noqa: E402
import harness  # noqa: E402


class Session:
    """What a test gets: a way to start the editor in a fresh working folder."""

    def __init__(self, exe, display, prefix, options):
        self.exe = exe
        self.display = display
        self.prefix = prefix
        self.options = options
        self.editors = []
        self.folders = []

    def new_folder(self):
        folder = tempfile.mkdtemp(prefix="pelorn-e2e-work-")
        self.folders.append(folder)
        return folder

    def start(self, workdir=None, files=None, exe=None):
        """Starts pelorn.exe (or another copy of it) in workdir (a new empty
        folder when None), after writing files ({name: bytes}) there."""
        workdir = workdir or self.new_folder()
        for name, data in (files or {}).items():
            with open(os.path.join(workdir, name), "wb") as f:
                f.write(data)
        editor = harness.Editor(exe or self.exe, self.display, self.prefix, workdir)
        self.editors.append(editor)
        return editor

    def finish(self):
        for editor in self.editors:
            editor.kill()
        for folder in self.folders:
            shutil.rmtree(folder, ignore_errors=True)
        self.editors = []
        self.folders = []


def save_failure_screenshot(display, folder, name):
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name + ".png")
    try:
        subprocess.run(["import", "-display", display.name, "-window", "root", path],
                       check=True, timeout=30, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        print("     screen at the failure: %s" % path)
    except (subprocess.SubprocessError, OSError):
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True, help="path of pelorn.exe")
    parser.add_argument("-k", dest="only", action="append", default=[], help="run only tests whose name holds this")
    parser.add_argument("--update-screenshot", metavar="PNG", help="also save a screenshot of the window there")
    parser.add_argument("--list", action="store_true", help="list the tests and stop")
    parser.add_argument("--artifacts", metavar="DIR", help="save a screenshot there when a test fails")
    parser.add_argument("--repeat", type=int, default=1, help="run each selected test this many times")
    options = parser.parse_args()

    selected = [c for c in cases.ALL if not options.only or any(k in c.__name__ for k in options.only)]
    selected = [c for c in selected for _ in range(max(1, options.repeat))]
    if options.list:
        for case in selected:
            print(case.__name__)
        return 0
    exe = os.path.abspath(options.exe)
    if not os.path.isfile(exe):
        print("e2e: %s not found; build the windows preset first" % exe)
        return 2
    for tool in ("wine", "wineserver", "wineboot", "Xvfb", "xdotool", "import"):
        if not shutil.which(tool):
            print("e2e: %s is missing (scripts/setup.sh installs it)" % tool)
            return 2

    started = time.monotonic()
    display = harness.VirtualDisplay()
    prefix = None
    passed = failed = 0
    try:
        prefix = harness.WinePrefix(display)
        print("e2e: display %s, Wine prefix ready in %.1f s" % (display.name, time.monotonic() - started),
              flush=True)
        for case in selected:
            session = Session(exe, display, prefix, options)
            t0 = time.monotonic()
            try:
                case(session)
                passed += 1
                print("PASS %-40s %5.1f s" % (case.__name__, time.monotonic() - t0), flush=True)
            except Exception as error:  # one failing test must not stop the others
                failed += 1
                print("FAIL %-40s %5.1f s: %s" % (case.__name__, time.monotonic() - t0, error), flush=True)
                if not isinstance(error, harness.E2EFailure):
                    traceback.print_exc()
                if options.artifacts:
                    save_failure_screenshot(display, options.artifacts, case.__name__)
            finally:
                session.finish()
    finally:
        if prefix:
            prefix.stop()
        display.stop()
    print("e2e: %d tests in %.1f s" % (passed + failed, time.monotonic() - started))
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
