#!/usr/bin/env python3
"""Measures Quicktock beside a minimal Qt program on a private X desktop and prints the figures.

Both programs (and with --before an earlier build of Quicktock) run with the clock shim preloaded
and without the right to set the clock:
- start to window mapped, and the processor time of the start (medians of several starts, the
  programs taking turns),
- resident memory after some idle seconds, processor time over an idle minute,
- clock minutes advanced per real minute while accelerating, in the 60-second and the 10-second
  variant, on an idle machine and while other processes keep every core busy.

With --counted-minutes it measures only this: the program accelerates for that many real
minutes while every core is busy; then ">" and ">>|" set the clock to the counted real time,
which the shim's log holds, and which is compared with the true time elapsed since start.

Not a test: it asserts nothing, it reports. Run it through scripts/measure-window.sh.
"""

import argparse
import calendar
import os
import re
import statistics
import subprocess
import sys
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import desktop as dt  # noqa: E402

ACCELERATE = (96 + 28, 48 + 10)
NORMAL = (96 + 28, 72 + 10)
GOTO_ESTIMATE = (96 + 28, 96 + 10)
TEN_SECONDS = (160 + 28, 48 + 10)
CLOCK_START = calendar.timegm((2026, 4, 1, 12, 34, 20, 0, 0, 0))
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


class MapWatcher:
    """Notes the moment the window manager maps a new top-level frame (xev on the root)."""

    def __init__(self, desktop):
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", "xev", "-root", "-event", "substructure"], env=desktop.env(),
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.maps = []
        self._lock = threading.Lock()
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()
        time.sleep(0.5)  # let xev select its events before anything is started

    def _read(self):
        for line in self.process.stdout:
            if line.startswith("MapNotify"):
                moment = time.monotonic()
                with self._lock:
                    self.maps.append(moment)

    def first_map_after(self, run, timeout=20):
        start = run.started

        def found():
            if run.process.poll() is not None:
                raise RuntimeError(f"the program ended early: {run.output_text()}")
            with self._lock:
                later = [moment for moment in self.maps if moment >= start]
            return later[0] if later else None
        return dt.wait_until(found, timeout, 0.01, "a window to be mapped")

    def close(self):
        self.process.terminate()
        self.process.wait()


def processor_seconds(pid):
    """Processor time of all the process's threads so far, in seconds (from the scheduler, to the
    nanosecond: the tick counts of /proc/PID/stat are too coarse for a start)."""
    return sum(int((task / "schedstat").read_text().split()[0])
               for task in Path(f"/proc/{pid}/task").iterdir()) / 1e9


def start_times(desktop, programs, shim, runs, workdir):
    """Medians, for each program, of the seconds from its start to its window being mapped and
    of its processor time until half a second after that (the first paint included)."""
    watcher = MapWatcher(desktop)
    times = {name: [] for name in programs}
    processor = {name: [] for name in programs}
    try:
        for run in range(runs + 1):  # the first round only warms the caches
            for name, program in programs.items():
                folder = workdir / f"start-{name}-{run}"
                copy = dt.prepare_program_folder(program, folder / "program", program.name)
                with dt.ProgramRun(desktop, copy, shim, folder,
                                   shim_start=CLOCK_START) as process:
                    mapped = watcher.first_map_after(process)
                    time.sleep(0.5)
                    if run > 0:
                        times[name].append(mapped - process.started)
                        processor[name].append(processor_seconds(process.process.pid))
                time.sleep(0.5)
    finally:
        watcher.close()
    return ({name: statistics.median(values) for name, values in times.items()},
            {name: statistics.median(values) for name, values in processor.items()})


def process_figures(pid):
    status = Path(f"/proc/{pid}/status").read_text()
    rss_kib = int(re.search(r"^VmRSS:\s*(\d+)", status, re.M).group(1))
    fields = Path(f"/proc/{pid}/stat").read_text().rpartition(")")[2].split()
    cpu_seconds = (int(fields[11]) + int(fields[12])) / CLOCK_TICKS  # utime + stime
    return rss_kib, cpu_seconds


def idle_figures(desktop, programs, shim, settle, idle, workdir):
    """Resident memory after `settle` seconds, processor time over the following `idle`."""
    runs = {}
    try:
        for name, program in programs.items():
            folder = workdir / f"idle-{name}"
            copy = dt.prepare_program_folder(program, folder / "program", program.name)
            runs[name] = dt.ProgramRun(desktop, copy, shim, folder, shim_start=CLOCK_START)
            runs[name].find_window()
        time.sleep(settle)
        first = {name: process_figures(run.process.pid) for name, run in runs.items()}
        time.sleep(idle)
        last = {name: process_figures(run.process.pid) for name, run in runs.items()}
    finally:
        for run in runs.values():
            run.kill()
    return {name: (first[name][0], last[name][1] - first[name][1]) for name in runs}


def busy_cores():
    """One endless process per core, each ending by itself at the latest after 15 minutes."""
    return [subprocess.Popen(["timeout", "900", "sh", "-c", "while :; do :; done"],
                             stdout=subprocess.DEVNULL, start_new_session=True)
            for _ in range(os.cpu_count() or 2)]


def virtual_seconds_advanced(sets, start_ns, end_ns):
    """How far the virtual clock moved between two monotonic instants, in seconds, or None.

    Between sets the virtual clock runs at real speed, so its reading at any instant follows from
    the last set before it; before the first set it is not known from the log.
    """
    def reading(at_ns):
        before = [s for s in sets if s[0] <= at_ns]
        if not before:
            return None
        monotonic, wall = before[-1]
        return wall + (at_ns - monotonic)

    start = reading(start_ns)
    end = reading(end_ns)
    if start is None or end is None:
        return None
    return (end - start) / 1e9


def clock_rate(desktop, program, shim, ten_seconds, busy, seconds, workdir):
    """Clock minutes advanced per real minute while accelerating, and the longest set gap."""
    folder = workdir / f"rate-{'10' if ten_seconds else '60'}-{'busy' if busy else 'idle'}"
    copy = dt.prepare_program_folder(program, folder / "program")
    load = busy_cores() if busy else []
    try:
        with dt.ProgramRun(desktop, copy, shim, folder, shim_start=CLOCK_START) as run:
            run.find_window()
            time.sleep(1)
            if ten_seconds:
                run.click(*TEN_SECONDS)
            run.click(*ACCELERATE)
            time.sleep(3)  # the first sets have happened: the log knows the clock from here
            start = time.monotonic_ns()
            time.sleep(seconds)
            end = time.monotonic_ns()
            sets = run.clock_sets()
    finally:
        for process in load:
            os.killpg(process.pid, 9)
            process.wait()
    advanced = virtual_seconds_advanced(sets, start, end)
    if advanced is None:
        return None, None
    inside = [s[0] for s in sets if start <= s[0] <= end]
    gaps = [b - a for a, b in zip(inside, inside[1:])]
    return advanced / ((end - start) / 1e9), (max(gaps) / 1e9 if gaps else None)


def counted_time(desktop, program, shim, seconds, workdir):
    """Accelerates for `seconds` with every core busy; returns the clock rate in minutes per
    real minute, the counted time's error against the true time (s) and the ticks' longest gap."""
    folder = workdir / "counted"
    copy = dt.prepare_program_folder(program, folder / "program")
    load = busy_cores()
    try:
        with dt.ProgramRun(desktop, copy, shim, folder, shim_start=CLOCK_START) as run:
            # The shim starts its clock at CLOCK_START when the process first reads the time,
            # right after the start; the program's start-up reading follows a moment later.
            origin = run.started * 1e9
            run.find_window()
            time.sleep(1)
            run.click(*ACCELERATE)
            time.sleep(3)
            start = time.monotonic_ns()
            time.sleep(seconds)
            end = time.monotonic_ns()
            run.click(*NORMAL)
            time.sleep(0.5)
            before_goto = len(run.clock_sets())
            run.click(*GOTO_ESTIMATE)
            dt.wait_until(lambda: len(run.clock_sets()) > before_goto, 10, 0.05, "the set of >>|")
            sets = run.clock_sets()
    finally:
        for process in load:
            os.killpg(process.pid, 9)
            process.wait()
    advanced = virtual_seconds_advanced(sets[:before_goto], start, end)
    rate = None if advanced is None else advanced / ((end - start) / 1e9)
    monotonic, wall = sets[-1]
    true_wall = CLOCK_START * 1e9 + (monotonic - origin)
    inside = [s[0] for s in sets[:before_goto] if start <= s[0] <= end]
    gaps = [b - a for a, b in zip(inside, inside[1:])]
    return rate, (wall - true_wall) / 1e9, (max(gaps) / 1e9 if gaps else None), (end - start) / 1e9


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--quicktock", type=Path, required=True)
    parser.add_argument("--minimal", type=Path, required=True)
    parser.add_argument("--before", type=Path,
                        help="an earlier build of Quicktock, measured beside the others")
    parser.add_argument("--shim", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--starts", type=int, default=5, help="starts per program (median)")
    parser.add_argument("--settle", type=float, default=10, help="idle seconds before memory")
    parser.add_argument("--idle", type=float, default=60, help="idle seconds for processor time")
    parser.add_argument("--rate-seconds", type=float, default=60,
                        help="real seconds per clock-rate measurement (at least 60 to report; "
                             "0: no clock rates)")
    parser.add_argument("--counted-minutes", type=float, default=None,
                        help="only measure the counted time over this many real minutes")
    args = parser.parse_args()
    for path in (args.quicktock, args.minimal, args.shim, args.before or args.shim):
        if not path.is_file():
            sys.exit(f"not built: {path}")
    args.work.mkdir(parents=True, exist_ok=True)
    programs = {"Quicktock": args.quicktock, "minimal Qt": args.minimal}
    if args.before:
        programs = {"before": args.before, **programs}

    if args.counted_minutes is not None:
        with dt.Desktop(args.work / "desktop") as desktop:
            print(f"accelerating {args.counted_minutes:g} real minutes with {os.cpu_count()} "
                  f"cores busy on display {desktop.display} ...", flush=True)
            rate, error, gap, real = counted_time(desktop, args.quicktock, args.shim,
                                                  args.counted_minutes * 60, args.work)
        print(f"real time measured:                  {real:.1f} s")
        print(f"clock minutes per real minute:       "
              f"{'n/a' if rate is None else f'{rate:.2f}'} (ideal 30)")
        # ">>|" sets the count of the last tick plus the second that the next tick counts.
        print(f"clock set by >>| minus true time:    {error:+.2f} s (0 to +1 s expected)")
        print(f"longest gap between two clock sets:  "
              f"{'n/a' if gap is None else f'{gap:.2f} s'}")
        return 0

    with dt.Desktop(args.work / "desktop") as desktop:
        print(f"measuring on display {desktop.display}, {os.cpu_count()} cores ...", flush=True)
        starts, start_processor = start_times(desktop, programs, args.shim, args.starts,
                                              args.work)
        idle = idle_figures(desktop, programs, args.shim, args.settle, args.idle, args.work)
        rates = {}
        for ten_seconds in (False, True) if args.rate_seconds > 0 else ():
            for busy in (False, True):
                print(f"  clock rate: {'10sec' if ten_seconds else '60-second'} variant, "
                      f"{'cores busy' if busy else 'idle'} ({args.rate_seconds:.0f} s) ...",
                      flush=True)
                rates[ten_seconds, busy] = clock_rate(desktop, args.quicktock, args.shim,
                                                      ten_seconds, busy, args.rate_seconds,
                                                      args.work)

    # Each program's figure, and the ratios of the Quicktock builds to the minimal program.
    m = "minimal Qt"
    builds = [name for name in programs if name != m]
    print()
    print(f"{'':36}" + "".join(f"{name:>12}" for name in programs) +
          "".join(f"{'ratio ' + name[:6]:>14}" for name in builds))

    def row(label, figures, unit, scale):
        print(f"{label:36}" + "".join(f"{figures[name] * scale:>8.1f} {unit:<3}"
                                      for name in programs) +
              "".join(f"{figures[name] / figures[m]:>14.2f}" for name in builds))
    row(f"start to window mapped (median of {args.starts})", starts, "ms", 1000)
    row("processor time of the start (median)", start_processor, "ms", 1000)
    row(f"resident memory after {args.settle:.0f} s idle",
        {name: figures[0] for name, figures in idle.items()}, "MiB", 1 / 1024)
    row(f"processor time over {args.idle:.0f} s idle",
        {name: figures[1] for name, figures in idle.items()}, "ms", 1000)
    if not rates:
        return 0
    print()
    print(f"{'clock minutes per real minute':36}{'idle':>12}{'cores busy':>12}{'ideal':>8}")
    for ten_seconds, ideal in ((False, 30), (True, 15)):
        cells = []
        for busy in (False, True):
            rate, gap = rates[ten_seconds, busy]
            cells.append("n/a" if rate is None else f"{rate:.2f}")
        name = "10sec variant" if ten_seconds else "60-second variant"
        print(f"{'  ' + name:36}{cells[0]:>12}{cells[1]:>12}{ideal:>8}")
    gaps = ", ".join(f"{'10sec' if t else '60-s'} {'busy' if b else 'idle'} {g:.2f} s"
                     for (t, b), (_, g) in rates.items() if g is not None)
    print(f"longest gap between two clock sets: {gaps}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
