#!/usr/bin/env python3
"""Smoke test of Quicktock.exe under Wine on a private X desktop, without the right to set the
clock (Wine refuses to move it in any case).

    windows_smoke.py Quicktock.exe win_probe.exe WORKDIR

The version information reads back as written; the window shows with its controls in Japanese,
the focus on Exit, which Space clicks and Enter and Escape do not; Exit writes the ten settings beside the
executable; a second start restores them (edited: English, widened, 10sec greyed), >> swaps the
enabled buttons, |<< shows the refusal to set the clock, and Exit writes them back unchanged. Screenshots of both
languages go to WORKDIR. Exit code 0 passed, 1 failed, 77 skipped.
"""

import os
import shutil
import signal
import subprocess
import time
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import desktop as dt  # noqa: E402

REPO = Path(__file__).resolve().parents[2]
WINE_RUN = REPO / "scripts" / "wine-run.sh"
KEYS = ["posX", "posY", "winW", "winH", "backH", "chk10", "chkLess", "chkUntilMin", "UntilMin",
        "chkLang"]
VERSION = {"Fixed": "1.0.0.0", "FileVersion": "1.00", "ProductVersion": "1.00",
           "ProductName": "Quicktock", "InternalName": "Quicktock",
           "Comments": "毎分0秒（および10秒）を過ぎたら 59秒（および 9秒）にシステム時計を進めます。"
                       "何に使うかはヒミツです。(^_^)"}
# Control ids: 100 + the control's index in creation order; client pixels at 96 dpi.
ACCEL, NORMAL, EXIT, LANGUAGE, TEN_SECONDS, PRESENT, PRESENT_TIME = 105, 106, 107, 103, 104, 115, 117
ACCEL_AT, EXIT_AT, PLAYBACK_AT = (124, 58), (188, 106), (60, 58)


class Smoke:
    def __init__(self, desktop, program, probe, env):
        self.desktop, self.program, self.probe, self.env = desktop, program, probe, env

    def start(self):
        self.process = subprocess.Popen(
            [str(dt.WITHOUT_CLOCK_RIGHT), str(WINE_RUN), str(self.program)], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.window = dt.wait_until(lambda: self.desktop.xdotool(
            "search", "--onlyvisible", "--name", "^Quicktock$", check=False).split(), 60,
            what="the window")[0]
        # Once the first tick has filled the clock's label.
        return dt.wait_until(lambda: (c := self.controls()).get(PRESENT_TIME, "")[3:] != ("",)
                             and c, 20, what="the controls and the first tick")

    def controls(self):
        """The main window's controls by id, and the texts of open messages under -1."""
        out = subprocess.run([str(WINE_RUN), str(self.probe)], env=self.env, capture_output=True,
                             text=True, timeout=60).stdout
        found = {}
        for line in out.splitlines():
            kind, number, class_name, enabled, check, text = (line.split("\t", 5) + [""] * 5)[:6]
            if kind == "client":
                self.origin = (int(number), int(class_name))
            elif kind == "control":
                found[int(number)] = (class_name, enabled == "1", int(check), text)
            elif kind == "message" and class_name.upper() == "STATIC":
                found.setdefault(-1, []).append(text)
        return found

    def click(self, point):
        self.controls()
        x, y = (o + p for o, p in zip(self.origin, point))
        self.desktop.xdotool("mousemove", "--sync", x, y, "click", "1")

    def screenshot(self, path):
        x, y, width, height = dt.ProgramRun.geometry(self)
        self.desktop.screenshot(path, (max(0, x - 8), max(0, y - 30), width + 16, height + 38))

    def exit(self):
        self.click(EXIT_AT)
        self.process.wait(30)

    def kill(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()


def settings(path):
    lines = path.read_bytes().decode("cp1252").splitlines()
    return lines[0], [line.split("=", 1) for line in lines[1:]]


def run(program, probe, workdir):
    folder = workdir / "program"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy(program, folder / "Quicktock.exe")
    ini = folder / "Quicktock.ini"
    with dt.Desktop(workdir / "desktop") as desktop:
        env = desktop.env({"WINEPREFIX": str(workdir.parent / "wineprefix")})
        smoke = Smoke(desktop, folder / "Quicktock.exe", probe, env)
        try:
            check_runs(smoke, ini, workdir)
        finally:
            smoke.kill()


def check_version(smoke):
    out = subprocess.run([str(WINE_RUN), str(smoke.probe), str(smoke.program)], env=smoke.env,
                         capture_output=True, text=True, timeout=60).stdout
    found = dict(line.split("\t")[1:] for line in out.splitlines() if line.count("\t") == 2)
    assert found == VERSION, found


def check_runs(smoke, ini, workdir):
    check_version(smoke)
    controls = smoke.start()
    assert len([c for c in controls.values() if c[0].upper() != "TOOLTIPS_CLASS32"]) >= 15
    assert controls[PRESENT][3] == "システム：", controls[PRESENT]
    assert controls[ACCEL][1] and not controls[NORMAL][1], "cmdNormal starts disabled"
    smoke.screenshot(workdir / "quicktock-japanese.png")
    # The focus starts on Exit; Enter and Escape click nothing, Space clicks Exit.
    smoke.desktop.xdotool("windowactivate", "--sync", smoke.window, "key", "Return", "Escape")
    time.sleep(1)
    assert smoke.process.poll() is None and not ini.exists(), "Enter or Escape clicked something"
    smoke.desktop.xdotool("key", "space")
    smoke.process.wait(30)
    header, entries = settings(ini)
    assert header == "[Data]" and [key for key, _ in entries] == KEYS, entries

    # English, wide enough for the options panel, and 10sec greyed so that accelerating never
    # sets the clock; everything else as saved.
    edited = dict(entries, winW="7200", chkLang="0", chk10="2")
    ini.write_bytes(("[Data]\r\n" + "".join(f"{key}={edited[key]}\r\n" for key in KEYS))
                    .encode("cp1252"))
    expected = settings(ini)
    controls = smoke.start()
    assert controls[PRESENT][3] == "System :" and controls[LANGUAGE][2] == 0, controls
    assert controls[TEN_SECONDS][2] == 2, controls[TEN_SECONDS]
    smoke.screenshot(workdir / "quicktock-english.png")
    smoke.click(ACCEL_AT)
    controls = smoke.controls()
    assert not controls[ACCEL][1] and controls[NORMAL][1], ">> swaps the enabled buttons"
    smoke.click(PLAYBACK_AT)
    messages = dt.wait_until(lambda: smoke.controls().get(-1), 20, what="the refusal message")
    assert any("administrator" in text for text in messages), messages
    time.sleep(2)  # Wine paints the new window a moment after it exists
    smoke.desktop.screenshot(workdir / "quicktock-refused.png", (0, 0, 560, 240))
    smoke.exit()
    assert settings(ini) == expected, (settings(ini), expected)


def main():
    program, probe, workdir = (Path(arg).resolve() for arg in sys.argv[1:4])
    if dt.missing_tools() or not shutil.which("wine"):
        print("skipped: needs Xvfb, openbox, xdotool and wine (scripts/install-deps.sh)")
        return dt.SKIP
    run(program, probe, workdir)
    print(f"passed; screenshots in {workdir}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
