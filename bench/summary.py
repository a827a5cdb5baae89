#!/usr/bin/env python3
"""The one table of a scripts/bench run: every figure, Movaril's value, the floor's and their ratio, or the
absolute figure where the floor is nothing.

The rows come from the scripts' results file (bench/common.py: record), from the table movaril_tick.exe
printed, and from the sizes of the executables, which are read here.
"""

import argparse
import json
from pathlib import Path

TICKS = ("sampling", "magnifier", "follow")


def tick_rows(output):
    """The rows of movaril_tick.exe's table: tick, Movaril's and the bare microseconds, the ratio."""
    rows = []
    for line in output.splitlines():
        fields = line.split()
        if len(fields) == 4 and fields[0] in TICKS:
            name, ours, bare, ratio = fields
            rows.append({"figure": f"tick: {name}, per tick", "movaril": f"{float(ours):.0f} us",
                         "floor": f"{float(bare):.0f} us", "result": ratio})
    missing = set(TICKS) - {row["figure"].split()[1].rstrip(",") for row in rows}
    if missing:
        raise SystemExit(f"summary: no tick figure for {', '.join(sorted(missing))} in the tick output")
    return rows


def size_row(label, movaril, minimal):
    ours, floor = movaril.stat().st_size, minimal.stat().st_size
    return {"figure": f"Movaril.exe size, {label}", "movaril": f"{ours / 1024:.0f} KiB",
            "floor": f"{floor / 1024:.0f} KiB", "result": f"{ours / floor:.2f}"}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--results", type=Path, required=True, help="the rows the scripts recorded")
    parser.add_argument("--tick", type=Path, required=True, help="what movaril_tick.exe printed")
    parser.add_argument("--size", nargs=3, action="append", default=[], metavar=("LABEL", "EXE", "MINIMAL"),
                        help="a build's Movaril.exe and minimal program")
    parser.add_argument("--machine", required=True, help="the line that names the machine and Wine")
    args = parser.parse_args()

    rows = [json.loads(line) for line in args.results.read_text(encoding="utf-8").splitlines() if line]
    rows += tick_rows(args.tick.read_text(encoding="utf-8", errors="replace"))
    rows += [size_row(label, Path(exe), Path(minimal)) for label, exe, minimal in args.size]
    # The order of the list of figures, whichever script ran first.
    order = ("start-up", "resident", "  growth", "drag picks", "tick", "CPU", "floating", "Movaril.exe size")
    rows.sort(key=lambda row: next(i for i, start in enumerate(order) if row["figure"].startswith(start)))

    load = Path("/proc/loadavg").read_text().split()[:3]
    print(f"summary: {args.machine}; load average at the end {' '.join(load)}")
    print("floor: the minimal Win32 program (or, for ticks, the same Win32 calls made bare) in the same run")
    header = ("figure", "Movaril", "floor", "ratio / absolute")
    widths = (max(len(header[0]), *(len(row["figure"]) for row in rows)) + 2, 12, 12, 4)
    line = "{:<{}}{:>{}}{:>{}}   {:<{}}"
    print(line.format(*(x for pair in zip(header, widths) for x in pair)).rstrip())
    for row in rows:
        cells = (row["figure"], row["movaril"], row["floor"], row["result"])
        print(line.format(*(x for pair in zip(cells, widths) for x in pair)).rstrip())


if __name__ == "__main__":
    main()
