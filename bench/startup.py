#!/usr/bin/env python3
"""Start-up time: from starting the process to its main window being mapped on the X server.

Movaril.exe and the minimal Win32 program are started in turn, with a persistent wineserver and one other
Wine window (the test fixture) open, so that both find Wine's desktop process running, as a user's second
program does. Each program is ended before the next start. Prints the medians and their ratio.

Run by scripts/bench, which provides the X server, the wineserver and the environment.
"""

import argparse
import ctypes
import ctypes.util
import select
import statistics
import time
from pathlib import Path

from common import h, record

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


class MapWatch:
    """Reports windows as the X server maps them, the moment it does: polling would cost start-up CPU and
    add its period to every figure."""

    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        self.x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        # A window can be gone by the time its name is asked for; Xlib's default handler would end Python.
        self.ignore_errors = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
        self.x.XSetErrorHandler(self.ignore_errors)
        self.display = self.x.XOpenDisplay(None)
        self.x.XSelectInput(self.display, self.x.XDefaultRootWindow(self.display), SUBSTRUCTURE_NOTIFY_MASK)
        self.fd = self.x.XConnectionNumber(self.display)
        self.drain()

    def name(self, window):
        name = ctypes.c_char_p()
        if not self.x.XFetchName(self.display, window, ctypes.byref(name)) or not name.value:
            return None
        value = name.value.decode("latin-1")
        self.x.XFree(name)
        return value

    def drain(self):
        """The titles of the windows mapped since the last call."""
        mapped = []
        event = XEvent()
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, ctypes.byref(event))
            if event.type == MAP_NOTIFY:
                mapped.append(self.name(event.xmap.window))
        return mapped

    def wait_for(self, title, timeout):
        deadline = time.monotonic() + timeout
        while title not in self.drain():
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"no window titled {title!r} was mapped within {timeout} s")
            select.select([self.fd], [], [], left)
        return time.monotonic()


def start_up(watch, exe, title):
    watch.drain()
    started = time.monotonic()
    process = h.WineProcess(exe)
    try:
        return watch.wait_for(title, h.START) - started
    finally:
        process.kill()
        h.wait_until(lambda: not h.windows(title, visible=False), h.REACT, f"the windows of {exe.name} to go")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--movaril", type=Path, required=True)
    parser.add_argument("--minimal", type=Path, required=True)
    parser.add_argument("--keepalive", type=Path, required=True, help="the fixture, as the other Wine window")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--results", type=Path, help="where to add the summary's rows")
    args = parser.parse_args()

    programs = [("Movaril.exe", args.movaril, "Movaril"), ("minimal", args.minimal, "Movaril minimal")]
    keepalive = h.WineProcess(args.keepalive, "--at", 1000, 900)
    try:
        keepalive.wait_for_line("ready", h.START)
        watch = MapWatch()
        times = {name: [] for name, _, _ in programs}
        # One start each to fill the page cache first; then alternate, swapping the order every round so
        # that neither program always follows the other.
        for _, exe, title in programs:
            start_up(watch, exe, title)
        for run in range(args.runs):
            for name, exe, title in programs[::1 if run % 2 == 0 else -1]:
                times[name].append(start_up(watch, exe, title))
    finally:
        keepalive.kill()

    medians = {name: statistics.median(t) for name, t in times.items()}
    print(f"start-up to a mapped window, {args.runs} runs each")
    print(f"{'program':<14}{'median':>10}{'min':>10}{'max':>10}")
    for name, t in times.items():
        print(f"{name:<14}{medians[name] * 1000:>8.0f}ms{min(t) * 1000:>8.0f}ms{max(t) * 1000:>8.0f}ms")
    ratio = medians["Movaril.exe"] / medians["minimal"]
    print(f"{'ratio':<14}{ratio:>10.2f}")
    record(args.results, f"start-up to a mapped window, median of {args.runs}",
           f"{medians['Movaril.exe'] * 1000:.0f} ms", f"{medians['minimal'] * 1000:.0f} ms", f"{ratio:.2f}")


if __name__ == "__main__":
    main()
