#!/usr/bin/env python3
"""Measures Quicktock.exe beside a minimal Win32 program (and an earlier Quicktock.exe, --before)
under Wine on a private X desktop and prints the figures: size on disk stripped, start to window shown (median of several starts taken
in turns, the first round only warms the caches), and resident memory of the program's process after
ten seconds. Not a test: it asserts nothing, it reports. Run it through scripts/measure-windows.sh.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(REPO / "tests" / "e2e"))
import desktop as dt  # noqa: E402

WINE_RUN = REPO / "scripts" / "wine-run.sh"


def process_of(program):
    """The Wine process running the executable: its first argument is the program's path."""
    for entry in Path("/proc").iterdir():
        try:
            if entry.name.isdigit() and (entry / "cmdline").read_bytes().split(b"\0")[0] == bytes(
                    program):
                return entry
        except OSError:
            continue
    return None


def resident_kib(entry):
    for line in (entry / "status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def run_once(desktop, env, program, title, settle):
    started = time.monotonic()
    process = subprocess.Popen([str(dt.WITHOUT_CLOCK_RIGHT), str(WINE_RUN), str(program)],
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        dt.wait_until(lambda: desktop.xdotool("search", "--onlyvisible", "--name", f"^{title}$",
                                              check=False).split(), 60, 0.01, "the window")
        shown = time.monotonic() - started
        memory = None
        if settle:
            time.sleep(settle)
            entry = process_of(program)
            memory = resident_kib(entry) if entry else None
        return shown, memory
    finally:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        time.sleep(0.5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--quicktock", required=True)
    parser.add_argument("--minimal", required=True)
    parser.add_argument("--before", help="another Quicktock.exe (an earlier commit's), in turns")
    parser.add_argument("--prefix", help="the Wine prefix (default: wineprefix of the build)")
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    work = Path(args.work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    programs = {}
    for name, path, title in (("Quicktock.exe", args.quicktock, "Quicktock"),
                              ("MinimalWin32Window.exe", args.minimal, "Minimal"),
                              ("before/Quicktock.exe", args.before, "Quicktock")):
        if path:
            folder = work / name.replace("/", "-").split(".")[0]
            folder.mkdir(parents=True)
            stripped = folder / Path(name).name
            subprocess.run(["x86_64-w64-mingw32-strip", "-o", str(stripped), path], check=True)
            programs[name] = (stripped, title)
    prefix = args.prefix or Path(args.quicktock).resolve().parents[1] / "wineprefix"
    with dt.Desktop(work / "desktop") as desktop:
        env = desktop.env({"WINEPREFIX": str(Path(prefix).resolve())})
        # The programs take turns, so that a change in the machine's load touches all alike.
        times = {name: [] for name in programs}
        for _ in range(args.runs + 1):
            for name, (program, title) in programs.items():
                times[name].append(run_once(desktop, env, program, title, 0)[0])
        rows = []
        for name, (program, title) in programs.items():
            memory = run_once(desktop, env, program, title, 10)[1]
            rows.append((name, program.stat().st_size, statistics.median(times[name][1:]), memory))
    print(f"{'program':<24}{'stripped bytes':>16}{'start to window s':>20}{'RSS after 10 s KiB':>20}")
    for name, size, start, memory in rows:
        print(f"{name:<24}{size:>16}{start:>20.3f}{memory or 0:>20}")
    _, m_size, m_start, m_memory = rows[1]
    for name, size, start, memory in rows[:1] + rows[2:]:
        print(f"{name.replace('Quicktock.exe', 'ratio'):<24}{size / m_size:>16.2f}"
              f"{start / m_start:>20.2f}{(memory or 0) / (m_memory or 1):>20.2f}")

if __name__ == "__main__":
    sys.exit(main())
