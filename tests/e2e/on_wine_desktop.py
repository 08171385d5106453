#!/usr/bin/env python3
"""Runs a Windows program under Wine on a private X desktop and ends with its exit status (77:
skipped, the machine lacks the desktop's tools). Usage: on_wine_desktop.py WORKDIR PROGRAM [ARGS]
Run it alone (RUN_SERIAL): Wine gives a program windows only in a session begun with a display,
so it first waits for the end of the prefix's session that programs without one may have begun.
"""

import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import desktop as dt  # noqa: E402

WINE_RUN = Path(__file__).resolve().parents[2] / "scripts" / "wine-run.sh"

if __name__ == "__main__":
    try:
        with dt.Desktop(sys.argv[1]) as desktop:
            subprocess.run(["wineserver", "-w"], env=desktop.env())
            sys.exit(subprocess.run([str(WINE_RUN), *sys.argv[2:]], env=desktop.env()).returncode)
    except dt.Skip as reason:
        sys.exit(print(f"skipped: {reason}") or 77)
