"""What the benchmark scripts share: the process behind a `wine` command, its CPU time and memory, and the
rows each script adds to the summary that scripts/bench prints at the end."""

import contextlib
import json
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness as h  # noqa: E402,F401  (re-exported: the scripts import it from here)


def program_pid(process):
    """The pid of the process running process's .exe. `wine x.exe` becomes that process by exec, so it
    should be the pid the command was started with. Once the .exe runs, Wine drops its own name from the
    process's arguments, and the first one is the .exe; before that it is the shell script or Wine's
    loader, with the .exe only as an argument. Raises if it never is, rather than measure a launcher."""
    pid = process.popen.pid
    exe = process.name.lower()

    def runs_exe():
        try:
            first = Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
        except OSError:
            return False
        return first.replace("\\", "/").rsplit("/", 1)[-1].lower() == exe
    h.wait_until(runs_exe, h.START, f"process {pid} to run {process.name}")
    return pid


@contextlib.contextmanager
def side_by_side(movaril, minimal, fixture, fixture_at):
    """Starts the fixture's stripes at fixture_at, then Movaril and the minimal program, and yields the pids
    of the two programs by name once both windows are up; ends all three however the block ends."""
    # An instance still ending would make this start a second one, which only shows a box and ends.
    h.wait_until(lambda: not h.windows("Movaril", visible=False), h.REACT, "earlier instances to go")
    processes = []
    try:
        stripes = h.WineProcess(fixture, "--at", *fixture_at)
        processes.append(stripes)
        stripes.wait_for_line("ready", h.START)
        programs = {"Movaril.exe": h.WineProcess(movaril), "minimal": h.WineProcess(minimal)}
        processes += programs.values()
        h.wait_until(lambda: h.windows("Movaril") and h.windows("Movaril minimal"), h.START, "both programs")
        yield {name: program_pid(process) for name, process in programs.items()}
    finally:
        for process in processes:
            process.kill()


def cpu_seconds(pid):
    """User and system CPU time of a process so far, in seconds."""
    # The name in field 2 may hold spaces; the fields after its closing bracket do not.
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def memory_kb(pid):
    """(resident, private resident) memory of a process in kB: VmRSS, the working set, and the pages that
    are its own alone (Private_Clean + Private_Dirty), what Windows would count as private bytes in use."""
    status = dict(line.split(":", 1) for line in Path(f"/proc/{pid}/status").read_text().splitlines())
    rollup = dict(line.split(":", 1) for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines()[1:])

    def kb(table, key):
        return int(table[key].split()[0])
    return kb(status, "VmRSS"), kb(rollup, "Private_Clean") + kb(rollup, "Private_Dirty")


def wineserver_pid():
    """The wineserver of this prefix, or None: its CPU is shared by all Wine processes."""
    prefix = f"WINEPREFIX={os.environ['WINEPREFIX']}".encode()
    for entry in Path("/proc").iterdir():
        try:
            if (entry / "comm").read_text().startswith("wineserver") and \
                    prefix in (entry / "environ").read_bytes().split(b"\0"):
                return int(entry.name)
        except (OSError, ValueError):
            continue
    return None


def record(results, figure, movaril, floor, result):
    """Adds a row to the summary: the figure's name, Movaril's value, the floor's value (the minimal program
    or the bare calls) and the ratio or absolute figure, each already written out. No file, no row."""
    if results:
        with open(results, "a", encoding="utf-8") as out:
            out.write(json.dumps({"figure": figure, "movaril": movaril, "floor": floor, "result": result},
                                 ensure_ascii=False) + "\n")


def share(value):
    """A share of one core, as a percentage."""
    return f"{value * 100:.2f}%"
