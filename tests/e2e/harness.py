"""Helpers for Movaril's end-to-end tests: Wine processes, X windows, pixels, the clipboard and input.

The tests run under scripts/test, which provides the X server, the wineserver and the environment. To run
one alone, after scripts/build: `source scripts/wine-env.sh; ensure_prefix; start_xvfb; start_wineserver`,
then `python3 tests/e2e/test_startup.py`; `cleanup` ends that X server and wineserver.
"""

import atexit
import os
import subprocess
import time
import unittest
from pathlib import Path

SOURCE_DIR = Path(os.environ.get("MOVARIL_SOURCE_DIR") or Path(__file__).resolve().parents[2])
BUILD_DIR = Path(os.environ.get("MOVARIL_BUILD") or SOURCE_DIR / "build" / "mingw")
MOVARIL_EXE = Path(os.environ.get("MOVARIL_EXE") or BUILD_DIR / "Movaril.exe")
FIXTURE_EXE = Path(os.environ.get("MOVARIL_FIXTURE") or BUILD_DIR / "tests/fixture/movaril_fixture.exe")

# The prefix's screen DPI (scripts/in-prefix); Movaril scales its layouts by DPI / 96.
DPI = int(os.environ.get("MOVARIL_DPI") or 96)

POLL = 0.015
# Generous deadlines: a start under Wine takes 0.1-0.6 s here, much longer on a loaded CI machine.
START = 20.0
REACT = 5.0

for name in ("WINEPREFIX", "DISPLAY"):
    if not os.environ.get(name):
        raise RuntimeError(f"{name} is not set: use scripts/test, or see the top of {__file__}")


def scaled(*layout):
    """Layout pixels at the prefix's DPI, rounded as Windows' MulDiv rounds: halves away from zero."""
    values = tuple((v * DPI + 48) // 96 for v in layout)
    return values[0] if len(values) == 1 else values


# The fixture's stripes (--at X Y), 40 x 80 pixels each, left to right from X, Y.
STRIPES = [(10, 5, 200), (171, 205, 239), (0, 0, 0), (255, 255, 255), (255, 0, 0)]


def stripe_centre(at, colour):
    """The screen centre of the stripe of this colour, with the stripes placed at `at`."""
    left, top = at
    return left + 40 * STRIPES.index(colour) + 20, top + 40


# Quick mode's floating window: its size at the screen's DPI, and how far right of and below the pointer
# its corner stays.
FLOATING_SIZE = scaled(172, 86)
FLOATING_OFFSET = 15


def wait_until(condition, timeout, what):
    """Calls condition every POLL seconds until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"gave up after {timeout} s waiting for {what}")
        time.sleep(POLL)


def run(*command, check=True):
    result = subprocess.run([str(c) for c in command], capture_output=True, timeout=30)
    if check and result.returncode != 0:
        error = result.stderr.decode(errors="replace")
        raise AssertionError(f"{command} failed with exit code {result.returncode}: {error}")
    return result


def xdotool(*args, check=True):
    return run("xdotool", *args, check=check).stdout.decode()


class WineProcess:
    """A Windows program started under Wine, as a user starts it."""

    live = set()

    def __init__(self, exe, *args):
        self.name = Path(exe).name
        # Wine's own messages come with the output. Programs that Wine starts on the side (services, the
        # desktop) inherit these handles and outlive the test: they must not hold CTest's pipes open.
        self.popen = subprocess.Popen(["wine", str(exe), *map(str, args)], stdin=subprocess.DEVNULL,
                                      stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        os.set_blocking(self.popen.stdout.fileno(), False)
        self.output = b""
        WineProcess.live.add(self)

    def running(self):
        return self.popen.poll() is None

    def wait_until(self, condition, timeout, what):
        try:
            return wait_until(condition, timeout, f"{what} from {self.name}")
        except AssertionError as e:
            raise AssertionError(f"{e}; it printed {self.read()!r}") from None

    def exit_code(self, timeout):
        self.wait_until(lambda: not self.running(), timeout, "the end")
        return self.popen.returncode

    def read(self):
        """Everything the program has printed so far."""
        try:
            while chunk := os.read(self.popen.stdout.fileno(), 65536):
                self.output += chunk
        except BlockingIOError:
            pass
        return self.output.decode(errors="replace")

    def wait_for_line(self, line, timeout):
        self.wait_until(lambda: line in self.read().splitlines(), timeout, f'"{line}"')

    def kill(self):
        if self.running():
            self.popen.kill()
        self.popen.wait()
        self.popen.stdout.close()
        WineProcess.live.discard(self)


atexit.register(lambda: [p.kill() for p in list(WineProcess.live)])


class WineTestCase(unittest.TestCase):
    """Ends every process a test started, whether the test passed or not."""

    def start(self, exe, *args):
        process = WineProcess(exe, *args)
        self.addCleanup(process.kill)
        return process

    def start_fixture(self, *args):
        """The fixture program in one of its lasting modes, once it says it is ready (tests/fixture)."""
        process = self.start(FIXTURE_EXE, *args)
        process.wait_for_line("ready", START)
        return process

    def own_clipboard(self, text):
        """Puts text on the X clipboard from outside Wine, held by an xclip process until someone takes it."""
        holder = subprocess.Popen(["xclip", "-quiet", "-i", "-selection", "clipboard"], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (holder.kill(), holder.wait()))
        holder.stdin.write(text.encode())
        holder.stdin.close()
        wait_until(lambda: clipboard() == text.encode(), REACT, "xclip to own the clipboard")


def _ere(text):
    return "".join("\\" + c if c in "\\.[]()*+?{}|^$" else c for c in text)


def windows(title, visible=True):
    """X windows titled exactly title; only mapped ones unless visible is False."""
    while True:
        only_mapped = ["--onlyvisible"] if visible else []
        search = run("xdotool", "search", *only_mapped, "--name", f"^{_ere(title)}$", check=False)
        # A window destroyed while xdotool looks at it ends the search with an X error: look again.
        if b"X Error" not in search.stderr:
            break
    found = search.stdout.decode()
    # xdotool matches without regard to case.
    return [w for w in map(int, found.split()) if window_name(w) == title]


def window_name(window):
    return run("xdotool", "getwindowname", window, check=False).stdout.decode().rstrip("\n")


def geometry(window):
    """(left, top, width, height) of the window's outer frame on the screen."""
    values = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).split())
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def screen_size():
    return tuple(map(int, xdotool("getdisplaygeometry").split()))


def focus(window):
    """Makes window Wine's foreground window, the one that gets the keys, and gives it the X focus, which
    Wine needs for hotkeys. Without a window manager Wine does not follow the X focus, and a Wine process
    whose foreground window loses the X focus to another process hands the foreground to the desktop. So
    the window is activated from inside Wine, by the fixture, before the X focus moves to it."""
    title = window_name(window)

    def focused():
        if (foreground() or ("", ""))[1] != title:
            _fixture_report("--activate", title)
            return False
        if int(xdotool("getwindowfocus", "-f")) != window:
            xdotool("windowfocus", window)
            return False
        return True
    wait_until(focused, REACT, f"the focus on {title!r}")


def key(*names):
    xdotool("key", *names)


def click(x, y, button=1):
    xdotool("mousemove", x, y, "click", button)


def pixel(x, y):
    """The colour of one pixel of the screen."""
    return Shot(x, y, 1, 1).pixel(x, y)


class Shot:
    """A screenshot of part of the screen; pixels are read in screen coordinates."""

    def __init__(self, left, top, width, height):
        self.left, self.top, self.width = left, top, width
        self.rgb = run("import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}", "-depth", "8",
                       "rgb:-").stdout
        if len(self.rgb) != width * height * 3:
            raise AssertionError(f"screenshot of {width}x{height}+{left}+{top} is not all on the screen")

    def pixel(self, x, y):
        i = ((y - self.top) * self.width + x - self.left) * 3
        return tuple(self.rgb[i:i + 3])


def close_box(window):
    """Screen coordinates of the centre of the close box Wine draws in the window's caption.

    Without a window manager Wine draws the frame itself; the close box is the rightmost caption button,
    its glyph the only black in the top right corner.
    """
    left, top, width, _ = geometry(window)
    shot = Shot(left + width - 24, top, 24, 24)
    black = [(x, y) for y in range(top, top + 24) for x in range(left + width - 24, left + width)
             if max(shot.pixel(x, y)) < 60]
    if not black:
        raise AssertionError(f"no close box in the caption of window {window}")
    xs, ys = [x for x, _ in black], [y for _, y in black]
    return (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2


def clipboard():
    """The X clipboard's text as bytes, or None when it holds no text."""
    result = run("xclip", "-o", "-selection", "clipboard", check=False)
    return result.stdout if result.returncode == 0 else None


def _fixture_report(*args):
    """Runs the fixture to look at windows from inside Wine: its exit code and its lines as (class, text)."""
    fixture = WineProcess(FIXTURE_EXE, *args)
    try:
        code = fixture.exit_code(START)
        output = fixture.read()
    finally:
        fixture.kill()
    unescape = {"\\": "\\", "t": "\t", "r": "\r", "n": "\n"}

    def decode(field):
        out, chars = [], iter(field)
        for c in chars:
            out.append(unescape[next(chars)] if c == "\\" else c)
        return "".join(out)

    return code, [tuple(decode(f) for f in line.split("\t", 1)) for line in output.splitlines()]


def window_texts(title):
    """[(class, text), ...] of the visible top-level window titled title and of its children; None if there
    is no such window."""
    code, lines = _fixture_report("--texts", title)
    if code not in (0, 2):
        raise AssertionError(f"the fixture failed to read the texts of {title!r}: exit code {code}")
    return lines if code == 0 else None


def foreground():
    """(class, title) of Wine's foreground window, the one its keyboard input goes to."""
    code, lines = _fixture_report("--foreground")
    if code != 0:
        raise AssertionError(f"the fixture failed to find the foreground window: exit code {code}")
    return lines[0] if lines and len(lines[0]) == 2 else None


def control(text):
    """(left, top, width, height, check) of the main window's control with this text, from inside Wine;
    None while there is none."""
    fixture = WineProcess(FIXTURE_EXE, "--control", "Movaril", text)
    try:
        code = fixture.exit_code(START)
        output = fixture.read().split()
    finally:
        fixture.kill()
    if code not in (0, 2):
        raise AssertionError(f"the fixture failed to find the control {text!r}: exit code {code}")
    return tuple(map(int, output)) if code == 0 else None


def centre(place):
    left, top, width, height = place[:4]
    return left + width // 2, top + height // 2


def click_control(text):
    click(*centre(wait_until(lambda: control(text), REACT, f'the control "{text}"')))
