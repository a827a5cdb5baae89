#!/usr/bin/env python3
"""Quick mode: how far behind the pointer the floating window is, and the CPU Movaril uses while it runs.

Movaril and the minimal Win32 program run side by side under the same Wine, with the fixture window open to
hold the focus. First the CPU time of each process is read from /proc over a period with the pointer at
rest and quick mode off. Then F4 starts quick mode and the pointer is moved the way xdotool moves it (an
XTest motion event) to many places in turn; for each, the time from the move to the X server moving the
floating window to pointer + (15, 15) is taken from the window's ConfigureNotify event, so no poll period
is added and no polling process competes with Wine for the CPU. Then the CPU time is read again over the
same period with quick mode on, first with the pointer at rest, then with it moving a few pixels every
20 ms over the fixture window; the minimal program runs all along, idle.

Run by scripts/bench, which provides the X server, the wineserver and the environment.
"""

import argparse
import ctypes
import ctypes.util
import math
import random
import select
import statistics
import time
from pathlib import Path

from common import cpu_seconds, h, record, share, side_by_side, wineserver_pid

CONFIGURE_NOTIFY = 22
STRUCTURE_NOTIFY_MASK = 1 << 17
# Where the pointer goes, over the other windows and between them, clear of the screen's edges.
AREA = ((100, 1000), (100, 800))
# The fixture, right of that area; with the pointer moving over it, the floating window stays on the screen.
FIXTURE_AT = (1000, 700)
# The pointer's circle while it moves: over the fixture's stripes, a move of about 2.5 pixels every 20 ms.
CIRCLE_CENTRE, CIRCLE_RADIUS, CIRCLE_STEPS, MOVE_PERIOD = (1060, 740), 20, 50, 0.02
# A move the window has not followed within this long counts as missed.
MISSED = 2.0


class XConfigureEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("above", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xconfigure", XConfigureEvent), ("pad", ctypes.c_long * 24)]


class Follow:
    """Moves the pointer and reports when the X server has put one window where it should be."""

    def __init__(self, window):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xtest = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                    ctypes.c_ulong]
        self.display = self.x.XOpenDisplay(None)
        self.window = window
        # The pointer's moves round the circle, and the window's moves meanwhile.
        self.circle_moves = self.circled = 0
        self.x.XSelectInput(self.display, window, STRUCTURE_NOTIFY_MASK)
        self.x.XSync(self.display, 0)
        self.fd = self.x.XConnectionNumber(self.display)
        self.drain()

    def drain(self):
        """The window's places the X server reported since the last call."""
        places = []
        event = XEvent()
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, ctypes.byref(event))
            if event.type == CONFIGURE_NOTIFY and event.xconfigure.window == self.window:
                places.append((event.xconfigure.x, event.xconfigure.y))
        return places

    def move(self, x, y):
        """Moves the pointer to x, y as xdotool does; the seconds until the window is at x + 15, y + 15, or
        None if it does not get there within MISSED."""
        self.drain()
        wanted = (x + h.FLOATING_OFFSET, y + h.FLOATING_OFFSET)
        moved = time.monotonic()
        self.xtest.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.x.XFlush(self.display)
        while wanted not in self.drain():
            left = moved + MISSED - time.monotonic()
            if left <= 0:
                return None
            select.select([self.fd], [], [], left)
        return time.monotonic() - moved

    def circle(self, step):
        """Moves the pointer to the step-th place of the circle over the fixture."""
        angle = 2 * math.pi * step / CIRCLE_STEPS
        x = CIRCLE_CENTRE[0] + round(CIRCLE_RADIUS * math.cos(angle))
        y = CIRCLE_CENTRE[1] + round(CIRCLE_RADIUS * math.sin(angle))
        self.xtest.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.x.XFlush(self.display)
        self.circle_moves += 1
        # Counted, to show that the window followed; read, they do not pile up in the X server either.
        self.circled += len(self.drain())


def floating_window(pid):
    """The floating window: the mapped, untitled 172 x 86 window of the process."""
    def find():
        found = h.run("xdotool", "search", "--onlyvisible", "--pid", pid, check=False).stdout.split()
        return [w for w in map(int, found)
                if h.window_name(w) == "" and h.geometry(w)[2:] == h.FLOATING_SIZE]
    [window] = h.wait_until(find, h.REACT, "the floating window")
    return window


def cpu_shares(pids, seconds, meanwhile=None):
    """CPU time each process uses over `seconds`, as a share of one core. `meanwhile(step)` is called every
    MOVE_PERIOD seconds during the period, if given; otherwise nothing moves the pointer or presses a key."""
    started = {name: cpu_seconds(pid) for name, pid in pids.items()}
    began = time.monotonic()
    if meanwhile:
        step = 0
        while time.monotonic() < began + seconds:
            meanwhile(step)
            step += 1
            time.sleep(max(0.0, began + step * MOVE_PERIOD - time.monotonic()))
    else:
        time.sleep(seconds)
    elapsed = time.monotonic() - began
    return {name: (cpu_seconds(pid) - started[name]) / elapsed for name, pid in pids.items()}


def moves(count):
    """count + 1 places, the same every run, each away from the last, so that every move moves the window."""
    rng = random.Random(4)
    places = [(AREA[0][0], AREA[1][0])]
    while len(places) <= count:
        place = (rng.randrange(*AREA[0]), rng.randrange(*AREA[1]))
        if max(abs(a - b) for a, b in zip(place, places[-1])) >= 20:
            places.append(place)
    return places


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--movaril", type=Path, required=True)
    parser.add_argument("--minimal", type=Path, required=True)
    parser.add_argument("--fixture", type=Path, required=True, help="the window that holds the focus")
    parser.add_argument("--moves", type=int, default=200)
    parser.add_argument("--seconds", type=float, default=30.0, help="how long each CPU figure is measured")
    parser.add_argument("--xserver", type=int, help="the X server's pid, whose CPU is shown too")
    parser.add_argument("--results", type=Path, help="where to add the summary's rows")
    args = parser.parse_args()

    with side_by_side(args.movaril, args.minimal, args.fixture, FIXTURE_AT) as pids:
        if server := wineserver_pid():
            pids["wineserver"] = server
        if args.xserver:
            pids["X server"] = args.xserver
        # The first place is where the pointer rests before quick mode, the second one warms up.
        places = moves(args.moves + 1)
        h.xdotool("mousemove", *places[0])
        idle = cpu_shares(pids, args.seconds)

        h.focus(h.windows("Movaril fixture")[0])
        h.key("F4")
        follow = Follow(floating_window(pids["Movaril.exe"]))
        follow.move(*places[1])
        lags = [follow.move(*place) for place in places[2:]]
        followed = [lag for lag in lags if lag is not None]
        if not followed:
            raise SystemExit("the floating window did not follow the pointer")
        quick = cpu_shares(pids, args.seconds)
        moving = cpu_shares(pids, args.seconds, follow.circle)

    median, worst = statistics.median(followed) * 1000, max(followed) * 1000
    print(f"quick mode: the floating window in place after a pointer move, {args.moves} moves")
    print(f"{'median':<14}{median:>8.1f}ms")
    print(f"{'95th pct':<14}{statistics.quantiles(followed, n=20)[-1] * 1000:>8.1f}ms")
    print(f"{'worst':<14}{worst:>8.1f}ms")
    if len(followed) < len(lags):
        print(f"{'missed':<14}{len(lags) - len(followed):>10}  (not in place after {MISSED:.0f} s)")
    print(f"CPU over {args.seconds:.0f} s each, as a share of one core: quick mode off, then on with the "
          "pointer at rest, then moving")
    print(f"{'process':<14}{'idle':>10}{'at rest':>10}{'moving':>10}")
    for name in pids:
        print(f"{name:<14}{share(idle[name]):>10}{share(quick[name]):>10}{share(moving[name]):>10}")
    print(f"while moving, the pointer made {follow.circle_moves} moves, the floating window {follow.circled}")

    periods = ((f"CPU, idle {args.seconds:.0f} s", idle), ("CPU, quick mode, pointer at rest", quick),
               ("CPU, quick mode, pointer moving", moving))
    for figure, shares in periods:
        ours, floor = shares["Movaril.exe"], shares["minimal"]
        record(args.results, figure, share(ours), share(floor), f"{(ours - floor) * 100:+.2f}% of a core")
    missed = f", {len(lags) - len(followed)} missed" if len(followed) < len(lags) else ""
    record(args.results, f"floating window lag, median of {len(lags)}", f"{median:.1f} ms", "-",
           f"{median:.1f} ms{missed}")
    record(args.results, "floating window lag, worst", f"{worst:.1f} ms", "-", f"{worst:.1f} ms")


if __name__ == "__main__":
    main()
