#!/usr/bin/env python3
"""Smoke test of Quicktock.exe under Wine on a private X desktop, without the right to set the
clock, as the zip file delivers it: checked against SHA256SUMS and unzipped into a fresh folder.
Usage: windows_smoke.py ZIP PROBE WORKDIR; screenshots go to WORKDIR. Exit code 0 passed,
1 failed, 77 skipped.
"""

import hashlib
import os
import shutil
import signal
import subprocess
import sys
import zipfile
from pathlib import Path
from types import SimpleNamespace

sys.path.insert(0, str(Path(__file__).resolve().parent))
import desktop as dt  # noqa: E402

WINE_RUN = Path(__file__).resolve().parents[2] / "scripts" / "wine-run.sh"
VERSION = dict(Fixed="1.0.0.0", FileVersion="1.00", ProductVersion="1.00", ProductName="Quicktock",
               InternalName="Quicktock", Comments="毎分0秒（および10秒）を過ぎたら 59秒（および 9秒）に"
               "システム時計を進めます。何に使うかはヒミツです。(^_^)")
# Control ids: 100 + the index in creation order; a message's OK is 1.
LANGUAGE, TEN_SECONDS, ACCEL, NORMAL, EXIT, PLAYBACK, PRESENT, PRESENT_TIME = (
    103, 104, 105, 106, 107, 108, 115, 117)
OK = 1


class Smoke:
    def __init__(self, desktop, program, probe, env):
        self.desktop, self.program, self.probe, self.env = desktop, program, probe, env
        self.process = None

    def wine(self, *args):
        return subprocess.run([str(WINE_RUN), *map(str, args)], env=self.env,
                              capture_output=True, text=True, timeout=60).stdout.splitlines()

    def start(self):
        self.process = subprocess.Popen(
            [str(dt.WITHOUT_CLOCK_RIGHT), str(WINE_RUN), str(self.program)], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.window = dt.wait_until(lambda: self.desktop.xdotool(
            "search", "--onlyvisible", "--name", "^Quicktock$", check=False).split(), 60,
            what="the window")[0]
        return self.until(lambda s: s.controls.get(PRESENT_TIME, "  ")[2], "the first tick")

    def state(self):
        """Quicktock's windows as the probe reads them: the focus control's id, the main window's
        controls by id as (enabled, check, text), the messages' texts."""
        s = SimpleNamespace(focus=None, controls={}, messages=[])
        for kind, *fields in (line.split("\t") for line in self.wine(self.probe)):
            if kind == "focus":
                s.focus = int(fields[0])
                continue
            number, window_class, enabled, check, text = fields
            if kind == "control":
                s.controls[int(number)] = (enabled == "1", int(check), text)
            elif window_class.upper() == "STATIC":
                s.messages.append(text)
        return s

    def until(self, condition, what):
        return dt.wait_until(lambda: s if condition(s := self.state()) else None, 20, what=what)

    def click(self, control):
        """Clicks a control by its id, wherever it is and whatever covers it."""
        assert not self.wine(self.probe, "click", control), f"no control {control} to click"


# The version information reads back as written. The window shows its controls in Japanese with
# the focus on Exit: Space writes the ten settings and ends it. A second start restores them,
# edited (English, widened, 10sec greyed so that no tick sets the clock); |<< shows the refusal,
# and Exit writes the settings back unchanged. The keys, the focus and the messages are the
# window's in-process test's concern.
def check_runs(smoke, ini, work):
    version = dict(line.split("\t")[1:] for line in smoke.wine(smoke.probe, "version",
                                                               smoke.program))
    assert version == VERSION, version
    state = smoke.start()
    assert state.controls[PRESENT][2] == "システム：", state.controls[PRESENT]
    assert state.controls[ACCEL][0] and not state.controls[NORMAL][0], "cmdNormal starts disabled"
    assert state.focus == EXIT, state.focus
    smoke.desktop.screenshot(work / "quicktock-japanese.png", (0, 0, 500, 180))
    smoke.desktop.xdotool("windowactivate", "--sync", smoke.window, "key", "space")
    smoke.process.wait(30)

    edited = dict(dt.read_settings(ini), winW="7200", chkLang="0", chk10="2")  # ten keys in order
    dt.write_settings(ini, edited)
    state = smoke.start()
    assert state.controls[PRESENT][2] == "System :" and state.controls[LANGUAGE][1] == 0, state
    assert state.controls[TEN_SECONDS][1] == 2, state.controls[TEN_SECONDS]
    smoke.desktop.screenshot(work / "quicktock-english.png", (0, 0, 500, 180))
    smoke.click(PLAYBACK)
    state = smoke.until(lambda s: s.messages, "the refusal")
    assert any("administrator" in text for text in state.messages), state.messages
    smoke.click(OK)
    smoke.until(lambda s: not s.messages, "the refusal to close")
    smoke.click(EXIT)
    smoke.process.wait(30)
    assert dt.read_settings(ini) == edited, (dt.read_settings(ini), edited)


def main():
    package, probe, work = (Path(arg).resolve() for arg in sys.argv[1:4])
    digest = hashlib.sha256(package.read_bytes()).hexdigest()
    assert f"{digest}  {package.name}\n" in (package.parent / "SHA256SUMS").read_text()
    if not shutil.which("wine"):
        raise dt.Skip("needs wine (scripts/install-deps.sh)")
    shutil.rmtree(work / "program", ignore_errors=True)
    with zipfile.ZipFile(package) as archive:
        names = sorted(archive.namelist())
        assert names == ["LICENSE.txt", "Quicktock.exe", "README.txt"], names
        archive.extractall(work / "program")
    with dt.Desktop(work / "desktop") as desktop:
        env = desktop.env({"WINEPREFIX": str(work.parent / "wineprefix")})
        # Windows only in a session begun with a display: let one begun by tests without end.
        subprocess.run(["wineserver", "-w"], env=env)
        smoke = Smoke(desktop, work / "program" / "Quicktock.exe", probe, env)
        try:
            check_runs(smoke, work / "program" / "Quicktock.ini", work)
        finally:
            if smoke.process and smoke.process.poll() is None:
                os.killpg(smoke.process.pid, signal.SIGKILL)
    print(f"passed; screenshots in {work}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except dt.Skip as reason:
        sys.exit(print(f"skipped: {reason}") or 77)  # what CTest reads as "skipped"
