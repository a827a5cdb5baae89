#!/usr/bin/env python3
"""Memory: what Movaril holds resident at idle and after many drag picks, against the minimal Win32 program.

Movaril, the minimal program and the fixture's stripes run side by side under the same Wine. Once both
programs' windows are up and their memory has settled, VmRSS and the private resident pages of each are
read from /proc. Then xdotool makes the drag picks, as a user makes them: press on the eyedropper box, move
onto a stripe, hold there longer than one 100 ms sampling tick, release; many picks to one xdotool command,
alternating between two stripes. The Hex field is read back after each batch, where it must show the stripe
the batch's last pick ended on. Once the memory has settled again, both programs are measured again.

Run by scripts/bench, which provides the X server, the wineserver and the environment.
"""

import argparse
import time
from pathlib import Path

from common import h, memory_kb, record, side_by_side

# The end-to-end test's stripes, their colours and texts, and how it finds the eyedropper box.
import test_drag_pick as drag

TITLE = "Movaril"
# The two stripes the picks end on, in turn; each batch's last pick alternates between them.
COLOURS = (drag.DEEP_BLUE, drag.PALE_BLUE)
HEX = {colour: drag.TEXTS[colour][3] for colour in COLOURS}
# Memory counts as settled when neither program's VmRSS has changed for this long.
QUIET = 1.0
SETTLE = 20.0


def settle(pids):
    """Waits until every process's resident memory has stayed put for QUIET seconds (at most SETTLE), then
    returns {name: (resident, private)} in kB."""
    last, since = None, time.monotonic()
    deadline = since + SETTLE
    while True:
        now = {name: memory_kb(pid) for name, pid in pids.items()}
        resident = {name: kb[0] for name, kb in now.items()}
        if resident != last:
            last, since = resident, time.monotonic()
        elif time.monotonic() - since >= QUIET or time.monotonic() > deadline:
            return now
        time.sleep(h.POLL)


def eyedropper_box():
    """The screen centre of the main window's eyedropper box, found by its one-pixel outline."""
    [main] = h.wait_until(lambda: h.windows(TITLE), h.START, "the main window")
    left, top, width, height = h.geometry(main)

    def box():
        return drag.find_outline(h.Shot(left, top, width, height), left, top, width, height, drag.BOX[2:])
    x, y = h.wait_until(box, h.REACT, "the eyedropper box to be drawn")
    return x + drag.BOX[2] // 2, y + drag.BOX[3] // 2


def hex_field():
    texts = [text for kind, text in h.window_texts(TITLE) or [] if kind.lower() == "edit"]
    return texts[3] if len(texts) == 6 else None


def pick_batch(box, colours, hold):
    """One xdotool command making a drag pick to each stripe of `colours` in turn."""
    command = []
    for colour in colours:
        command += ["mousemove", *box, "mousedown", 1, "mousemove", *h.stripe_centre(drag.STRIPES_AT, colour),
                    "sleep", hold, "mouseup", 1]
    h.xdotool(*command)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--movaril", type=Path, required=True)
    parser.add_argument("--minimal", type=Path, required=True)
    parser.add_argument("--fixture", type=Path, required=True, help="the stripes the picks end on")
    parser.add_argument("--picks", type=int, default=1000)
    parser.add_argument("--batch", type=int, default=50, help="picks to one xdotool command")
    parser.add_argument("--hold", type=float, default=0.25, help="seconds on the stripe before the release")
    parser.add_argument("--results", type=Path, help="where to add the summary's rows")
    args = parser.parse_args()

    with side_by_side(args.movaril, args.minimal, args.fixture, drag.STRIPES_AT) as pids:
        box = eyedropper_box()
        idle = settle(pids)

        began = time.monotonic()
        made, checked, wrong = 0, 0, []
        for batch, first in enumerate(range(0, args.picks, args.batch)):
            size = min(args.batch, args.picks - first)
            # The last pick of the batch ends on COLOURS[batch % 2], the one before it on the other stripe.
            colours = [COLOURS[(batch + size - 1 - i) % 2] for i in range(size)]
            pick_batch(box, colours, args.hold)
            made += size
            wanted = HEX[colours[-1]]
            try:
                h.wait_until(lambda: hex_field() == wanted, h.REACT, f"the Hex field to show {wanted}")
                checked += 1
            except AssertionError:
                wrong.append(f"batch {batch + 1}: {hex_field()!r} for {wanted}")
        picking = time.monotonic() - began
        after = settle(pids)

    batches = checked + len(wrong)
    print(f"memory: idle, then after {made} drag picks ({picking:.0f} s), in kB")
    print(f"{'process':<14}{'VmRSS idle':>12}{'after':>10}{'growth':>10}"
          f"{'private':>10}{'after':>10}{'growth':>10}")
    for name in pids:
        (rss0, private0), (rss1, private1) = idle[name], after[name]
        print(f"{name:<14}{rss0:>12}{rss1:>10}{rss1 - rss0:>+10}{private0:>10}{private1:>10}"
              f"{private1 - private0:>+10}")
    print(f"picks: {made} made, the Hex field right after {checked} of {batches} batches")
    for line in wrong:
        print(f"  wrong: {line}")

    (m0, mp0), (m1, mp1) = idle["Movaril.exe"], after["Movaril.exe"]
    (f0, fp0), (f1, fp1) = idle["minimal"], after["minimal"]
    record(args.results, "resident memory (VmRSS), idle", f"{m0} kB", f"{f0} kB", f"{m0 / f0:.2f}")
    record(args.results, f"resident memory (VmRSS), after {made} picks", f"{m1} kB", f"{f1} kB",
           f"{m1 / f1:.2f}")
    record(args.results, "  growth over the picks, VmRSS", f"{m1 - m0:+} kB", f"{f1 - f0:+} kB",
           f"{m1 - m0:+} kB")
    record(args.results, "  growth over the picks, private", f"{mp1 - mp0:+} kB", f"{fp1 - fp0:+} kB",
           f"{mp1 - mp0:+} kB")
    record(args.results, "drag picks made (Hex field read back)", f"{made}", "-",
           f"{checked} of {batches} batches right")


if __name__ == "__main__":
    main()
