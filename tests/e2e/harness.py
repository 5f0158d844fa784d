"""Drives the real pelorn.exe under Wine on a virtual X display.

One Xvfb and one throw-away Wine prefix serve a whole run; every test starts
the editor in a fresh temporary working folder. Everything started here is
ended by its process id (and the prefix's wineserver with -k) at the end.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 800
WINDOW_TITLE = "Pelorn"
FONTS_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "wine-fonts.sh")


class E2EFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise E2EFailure(message)


def wait_until(predicate, timeout, what, interval=0.05):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise E2EFailure("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class VirtualDisplay:
    """An Xvfb server on a display number it picks itself (-displayfd)."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (SCREEN_WIDTH, SCREEN_HEIGHT), "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.process.poll() is not None:
                os.close(read_end)
                self.stop()
                raise E2EFailure("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        self.name = ":" + number.decode().strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class WinePrefix:
    """A fresh prefix in a temporary folder, with a wineserver kept for the run."""

    def __init__(self, display):
        self.root = tempfile.mkdtemp(prefix="pelorn-e2e-wine-")
        self.env = dict(os.environ)
        self.env.update({
            "WINEPREFIX": os.path.join(self.root, "prefix"),
            "WINEDEBUG": "-all",
            # No .NET or HTML engine installs, and no desktop menu entries in $HOME.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "DISPLAY": display.name,
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        self._run(["wineboot", "-i"], timeout=180)
        # Marlett for the caption buttons Wine draws itself (scripts/wine-fonts.sh).
        subprocess.run(["bash", FONTS_SCRIPT, self.env["WINEPREFIX"]], check=True, timeout=60)
        # Without a window manager, a managed window makes Wine wait on every
        # hide and route keys by the pointer; unmanaged windows take focus themselves.
        self._run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"])
        # A crash must end the process, not wait on a dialog nobody answers.
        self._run(["wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                   "/t", "REG_DWORD", "/d", "0", "/f"])
        self._run(["wineserver", "-w"], timeout=60)
        # One persistent server for the run keeps every start of the editor quick.
        subprocess.run(["wineserver", "-p"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def _run(self, args, timeout=60):
        subprocess.run(args, env=self.env, check=True, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=30)
        except subprocess.TimeoutExpired:
            pass
        shutil.rmtree(self.root, ignore_errors=True)


class Screenshot:
    """The whole virtual screen as RGB, read from ImageMagick's PPM output."""

    def __init__(self, display_name):
        data = subprocess.run(["import", "-display", display_name, "-window", "root", "-depth", "8", "ppm:-"],
                              check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        fields = []
        pos = 0
        while len(fields) < 4:  # magic, width, height, maxval
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")
        self.width = int(fields[1])
        self.height = int(fields[2])
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])


BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


def _xdotool(display_name, *args, check_result=True):
    result = subprocess.run(["xdotool"] + [str(a) for a in args], env={**os.environ, "DISPLAY": display_name},
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    if check_result and result.returncode != 0:
        raise E2EFailure("xdotool %s failed" % " ".join(str(a) for a in args))
    return result.stdout


class Editor:
    """One run of pelorn.exe in its own working folder."""

    def __init__(self, exe, display, prefix, workdir, env=None):
        self.display = display
        self.prefix = prefix
        self.workdir = workdir
        self.origin = None
        self.exit_code = None
        self.last_busy = None
        self.process = subprocess.Popen(["wine", exe], cwd=workdir, env={**prefix.env, **(env or {})},
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        self.window = wait_until(lambda: self.find_window(WINDOW_TITLE), 30, "the main window")
        self.locate_client_area()

    # --- processes and windows -------------------------------------------------

    def running(self):
        return self.process.poll() is None

    def find_window(self, title):
        """The id of the visible top-level window with exactly this title, or None."""
        self._check_alive()
        out = _xdotool(self.display.name, "search", "--onlyvisible", "--name", "^%s$" % title,
                       check_result=False)
        ids = out.split()
        return ids[0] if ids else None

    def wait_window(self, title, timeout=15):
        return wait_until(lambda: self.find_window(title), timeout, "window %r" % title)

    def wait_window_gone(self, title, timeout=30):
        """Waits for a dialog to close, then makes sure the main window is active again."""
        wait_until(lambda: self.find_window(title) is None, timeout, "window %r to close" % title)
        self.ensure_active()

    # The caption bar of the main window, 31 pixels above the client area: grey
    # while the window is inactive, coloured while it is active.
    CAPTION_OFFSET = (400, -31)

    def caption_active(self, shot):
        colour = self.client_pixel(shot, *self.CAPTION_OFFSET)
        return colour is not None and not (colour[0] == colour[1] == colour[2])

    def ensure_active(self):
        """Without a window manager Wine does not always give the activation
        back to the main window when a dialog closes, and keys then reach no
        window; a click on the caption bar activates it, as a user would.
        Wine may still show the caption active for a moment after the dialog
        has gone and only then grey it, so it must stay active a little while."""
        if self.caption_active(self.screenshot()):
            time.sleep(0.25)
            if self.caption_active(self.screenshot()):
                return
        position = self.xdotool("getmouselocation", "--shell")
        self.move_to(*self.CAPTION_OFFSET)
        self.xdotool("click", 1)
        self.wait_for(self.caption_active, what="the main window to become active")
        values = dict(line.split("=", 1) for line in position.split() if "=" in line)
        self.xdotool("mousemove", values.get("X", 0), values.get("Y", 0))

    def _check_alive(self):
        if self.process.poll() is not None:
            raise E2EFailure("pelorn.exe ended unexpectedly with exit code %s" % self.process.returncode)

    def wait_exit(self, timeout=20):
        try:
            self.exit_code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EFailure("pelorn.exe did not end")
        return self.exit_code

    def cpu_seconds(self):
        """CPU time the editor's process has used so far, all its threads, from
        /proc (nanosecond counts; a thread that already ended is not counted)."""
        self._check_alive()
        total = 0
        task_dir = "/proc/%d/task" % self.process.pid
        try:
            tids = os.listdir(task_dir)
        except OSError:
            tids = []
        for tid in tids:
            try:
                with open(os.path.join(task_dir, tid, "schedstat")) as f:
                    total += int(f.read().split()[0])
            except (OSError, ValueError, IndexError):
                pass
        return total / 1e9

    def wait_quiet(self, quiet=0.4, timeout=30, what="the editor to go quiet"):
        """Waits until the editor has used no CPU for `quiet` seconds on end and
        returns the CPU seconds it used meanwhile. First asks the X server for a
        reply, so that the input sent before has reached it. A program that
        keeps painting or spinning never goes quiet and fails here."""
        self.xdotool("getmouselocation")
        started = self.cpu_seconds()
        last = started
        calm_since = time.monotonic()
        deadline = calm_since + timeout
        while True:
            time.sleep(0.05)
            now = self.cpu_seconds()
            if now - last > 0.0005:
                last = now
                calm_since = time.monotonic()
            elif time.monotonic() - calm_since >= quiet:
                # When it last used CPU (to within a poll): the end of its work.
                self.last_busy = calm_since
                return now - started
            if time.monotonic() > deadline:
                raise E2EFailure("%s: still busy after %.0f s" % (what, timeout))

    def kill(self):
        if self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait()

    # --- screen ----------------------------------------------------------------

    def screenshot(self):
        return Screenshot(self.display.name)

    def locate_client_area(self):
        """Finds the client area's top-left corner on the screen from what the
        detail view draws: the separator (client x 720, from client y 0 down)
        and the top rule (client y 30), black on the white background."""
        def find():
            shot = self.screenshot()
            for x in range(720, shot.width - 1):
                run_top = None
                run = 0
                lone = 0  # rows of the run with no black beside them
                for y in range(shot.height):
                    if shot.pixel(x, y) == BLACK:
                        if run == 0:
                            run_top = y
                        run += 1
                        if shot.pixel(x - 1, y) != BLACK and shot.pixel(x + 1, y) != BLACK:
                            lone += 1
                    elif run:
                        break
                if run >= 400 and lone >= run - 5:
                    ox, oy = x - 720, run_top
                    rule = all(shot.pixel(ox + cx, oy + 30) == BLACK for cx in range(0, 700, 7))
                    above = all(shot.pixel(ox + cx, oy + 29) == WHITE for cx in range(0, 700, 7))
                    if rule and above:
                        return (ox, oy)
            return None
        self.origin = wait_until(find, 15, "the detail view to be drawn", interval=0.2)

    def save_window_png(self, png):
        """Saves the main window, frame and menu bar included, as a PNG file."""
        out = self.xdotool("getwindowgeometry", self.window)
        x, y, width, height = 0, 0, 964, 590
        for line in out.splitlines():
            words = line.split()
            if words and words[0] == "Position:":
                x, y = (int(v) for v in words[1].split(","))
            elif words and words[0] == "Geometry:":
                width, height = (int(v) for v in words[1].split("x"))
        subprocess.run(["import", "-display", self.display.name, "-window", "root",
                        "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
                        "-define", "png:exclude-chunks=date,time", "-strip", png],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def client_pixel(self, shot, x, y):
        return shot.pixel(self.origin[0] + x, self.origin[1] + y)

    def wait_for_pixels(self, expectations, timeout=15, what="the window to show the expected pixels"):
        """expectations: {(client x, client y): rgb}. Returns the screenshot that has them all."""
        def test():
            shot = self.screenshot()
            return shot if all(self.client_pixel(shot, x, y) == rgb for (x, y), rgb in expectations.items()) else None
        return wait_until(test, timeout, what, interval=0.1)

    def wait_for(self, predicate, timeout=15, what="the window to change"):
        """Polls screenshots until predicate(shot) holds; returns that screenshot."""
        def test():
            shot = self.screenshot()
            return shot if predicate(shot) else None
        return wait_until(test, timeout, what, interval=0.1)

    # --- input -----------------------------------------------------------------

    def xdotool(self, *args):
        self._check_alive()
        return _xdotool(self.display.name, *args)

    def move_to(self, x, y):
        self.xdotool("mousemove", self.origin[0] + x, self.origin[1] + y)

    def click(self, x, y):
        """Moves to the client point and clicks. The editor reads the cursor
        position itself, so callers wait for the click's effect before moving on."""
        self.move_to(x, y)
        self.xdotool("click", 1)

    def key(self, *keys):
        self.xdotool("key", "--delay", 30, *keys)

    def ctrl_key(self, key, until=None, timeout=15, what=None):
        """Ctrl+key. The editor reads Ctrl with GetAsyncKeyState when it handles
        the key, and a busy editor may take the key and the release of Ctrl
        in one go; so Ctrl stays down until `until()` holds (the key's effect
        is seen), or for a moment when there is nothing to wait for."""
        self.xdotool("keydown", "ctrl")
        try:
            self.xdotool("key", key)
            if until is None:
                time.sleep(0.3)
                return None
            return wait_until(until, timeout, what or "the effect of Ctrl+%s" % key.upper(), interval=0.1)
        finally:
            self.xdotool("keyup", "ctrl")
            time.sleep(0.05)

    def ctrl_key_until_screen(self, key, predicate, timeout=15, what=None):
        """Ctrl+key, held until a screenshot satisfies predicate; returns it."""
        def test():
            shot = self.screenshot()
            return shot if predicate(shot) else None
        return self.ctrl_key(key, until=test, timeout=timeout, what=what)

    def type_text(self, text):
        self.xdotool("type", "--delay", 20, text)

    def menu(self, popup_index, item_index):
        """Chooses a menu item by keyboard: F10 selects "File", Right moves to
        the pop-up, Down opens it and walks to the item, Enter chooses it."""
        self.key("F10")
        time.sleep(0.15)
        for _ in range(popup_index):
            self.key("Right")
        self.key("Down")
        time.sleep(0.15)
        for _ in range(item_index):
            self.key("Down")
        self.key("Return")

    def close(self):
        """Closes the main window as a user would (Alt+F4), returns the exit code."""
        self.move_to(300, 300)
        self.key("alt+F4")
        return self.wait_exit()

    # --- files -----------------------------------------------------------------

    def path(self, name):
        return os.path.join(self.workdir, name)

    def wait_file(self, name, size=None, timeout=20):
        """Waits until the file exists (with this size, when given) and has stopped growing."""
        path = self.path(name)

        def ready():
            try:
                first = os.path.getsize(path)
                if size is not None and first != size:
                    return False
                time.sleep(0.1)
                return os.path.getsize(path) == first
            except OSError:
                return False
        wait_until(ready, timeout, "file %s%s" % (name, "" if size is None else " of %d bytes" % size))
        with open(path, "rb") as f:
            return f.read()
