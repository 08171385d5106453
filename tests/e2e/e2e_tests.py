#!/usr/bin/env python3
"""End-to-end tests of Quicktock: the real program on a private X desktop, its wall clock
virtualised by the preloaded clock shim, without the right to set the machine's clock.

    e2e_tests.py --program build/default/app/quicktock --shim .../libquicktock_clock_shim.so \
                 --work WORKDIR [--hostile .../libquicktock_hostile_plugin.so] [--screenshots DIR] CASE

Exit code 0 passed, 1 failed, 77 skipped.
"""

import argparse
import calendar
import os
import shutil
import stat
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import desktop as dt  # noqa: E402

# Client-area rectangles at 96 dpi, in pixels (x, y, width, height).
PLAYBACK = (32, 48, 57, 20)
ACCELERATE = (96, 48, 57, 20)
NORMAL = (96, 72, 57, 20)
TEN_SECONDS = (160, 48, 57, 20)
CLIENT_SIZE = (226, 120)

KEYS = ["posX", "posY", "winW", "winH", "backH", "chk10", "chkLess", "chkUntilMin", "UntilMin",
        "chkLang"]
TWIPS_PER_PIXEL = 15

# A fixed start for the virtual clock, so runs and screenshots do not depend on the real date.
CLOCK_START = calendar.timegm((2026, 4, 1, 12, 34, 20, 0, 0, 0))


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wall_second(wall_ns):
    return (wall_ns // 1_000_000_000) % 60


def wall_minute(wall_ns):
    return wall_ns // 60_000_000_000


# ---------------------------------------------------------------------------------------------
# Acceleration


def check_sets_follow_rule(sets, seconds, what):
    """Each set lands on a whole second of the variant, and sets walk minute by minute."""
    for monotonic, wall in sets:
        check(wall % 1_000_000_000 == 0, f"{what}: a set with a fraction of a second: {wall}")
        check(wall_second(wall) in seconds,
              f"{what}: set to second {wall_second(wall)}, expected one of {sorted(seconds)}")
    for (_, before), (_, after) in zip(sets, sets[1:]):
        check(after > before, f"{what}: the clock went backwards ({before} -> {after})")
        step = (after - before) // 1_000_000_000
        # 60-second variant: from :59 to :59 of the next minute. 10-second variant: from :09 to
        # :59 of the same minute, or from :59 to :09 of the next.
        check(step in (60,) if seconds == {59} else step in (50, 10),
              f"{what}: one set jumped {step} s after the previous; a minute was skipped or "
              f"repeated")


def case_accelerate(args):
    with dt.Desktop(args.work / "desktop") as desktop:
        folder = args.work / "program"
        program = dt.prepare_program_folder(args.program, folder)
        with dt.ProgramRun(desktop, program, args.shim, args.work / "run",
                           shim_start=CLOCK_START) as run:
            run.find_window()
            time.sleep(2.5)
            check(run.clock_sets() == [], "the clock was set before >> was pressed")

            # The 60-second variant: two ticks per clock minute.
            run.click_centre(ACCELERATE)
            clicked = time.monotonic_ns()
            time.sleep(10.5)
            sets = run.clock_sets()
            check(len(sets) >= 4, f"only {len(sets)} clock sets in 10.5 s after >>: {sets}; "
                  f"output: {run.output_text()}")
            check(sets[0][0] - clicked < 3_000_000_000, "the first set came more than 3 s after >>")
            check_sets_follow_rule(sets, {59}, "60-second variant")
            minutes = wall_minute(sets[-1][1]) - wall_minute(sets[0][1])
            check(minutes >= 3, f"the clock passed only {minutes} minutes in 10.5 s")
            print(f"60-second variant: {len(sets)} sets, {minutes} clock minutes in 10.5 s")

            # Normal stops the acceleration: after a tick that may already be under way, no set.
            run.click_centre(NORMAL)
            time.sleep(1.5)
            count = len(run.clock_sets())
            time.sleep(3.5)
            check(len(run.clock_sets()) == count, "the clock was still being set after >")

            # The 10-second variant: four ticks per clock minute.
            run.click_centre(TEN_SECONDS)
            run.click_centre(ACCELERATE)
            time.sleep(14.5)
            sets = run.clock_sets()[count:]
            check(len(sets) >= 5, f"only {len(sets)} clock sets in 14.5 s of the 10-second "
                  f"variant: {sets}")
            check_sets_follow_rule(sets, {9, 59}, "10-second variant")
            minutes = (sets[-1][1] - sets[0][1]) / 60e9
            check(minutes >= 2, f"the 10-second variant passed only {minutes:.1f} clock minutes "
                  f"in 14.5 s")
            print(f"10-second variant: {len(sets)} sets, {minutes:.1f} clock minutes in 14.5 s")


# ---------------------------------------------------------------------------------------------
# Settings file


def read_settings(path):
    """The settings file's lines, after checking the section and the CRLF line ends."""
    data = path.read_bytes()
    check(data.startswith(b"[Data]\r\n"), f"{path.name} does not start with [Data] and CRLF: "
          f"{data[:40]!r}")
    check(data.endswith(b"\r\n"), f"{path.name} does not end with CRLF")
    check(b"\n" not in data.replace(b"\r\n", b""), f"{path.name} has a line end other than CRLF")
    lines = data.decode("latin-1").split("\r\n")[1:-1]
    keys = [line.partition("=")[0] for line in lines]
    check(keys == KEYS, f"{path.name} holds the keys {keys}, expected {KEYS}")
    return dict(line.split("=", 1) for line in lines)


def write_settings(path, values):
    text = "[Data]\r\n" + "".join(f"{key}={values[key]}\r\n" for key in KEYS)
    path.write_bytes(text.encode("latin-1"))


def signed(number):
    """A number as the program writes it: a blank or a minus sign first."""
    return f" {number}" if number >= 0 else str(number)


def twips(text):
    check(text[:1] in (" ", "-"), f"a number without its sign place: {text!r}")
    return float(text)


def start_and_exit(desktop, program, shim, workdir, before_exit=None, **options):
    """Starts the program, lets a check look at it, presses space (Exit has the focus)."""
    with dt.ProgramRun(desktop, program, shim, workdir, shim_start=CLOCK_START, **options) as run:
        run.find_window()
        time.sleep(1.5)  # let the first tick pass, as a person would
        observed = before_exit(run) if before_exit else None
        run.key("space")
        code = run.wait_exit()
        check(code == 0, f"Exit ended the program with {code}; output: {run.output_text()}")
        return observed


def outer_frame_twips(run):
    return tuple(TWIPS_PER_PIXEL * v for v in run.frame_rectangle())


def case_settings(args):
    folder = args.work / "program"
    program = dt.prepare_program_folder(args.program, folder)
    settings = folder / "quicktock.ini"
    with dt.Desktop(args.work / "desktop") as desktop:
        # First start: no settings file. Exit writes the laid-out values beside the executable,
        # named as it was at start-up although a rebuild replaced the file meanwhile.
        def measure_and_replace(run):
            shutil.copy(args.program, folder / "rebuilt")
            os.replace(folder / "rebuilt", program)
            return outer_frame_twips(run)
        frame = start_and_exit(desktop, program, args.shim, args.work / "first", measure_and_replace)
        check(settings.exists(), f"Exit wrote no {settings}")
        check(not list((args.work / "first").glob("*.ini")),
              "a settings file appeared in the working folder instead of beside the executable")
        first = read_settings(settings)
        for key in ["posX", "posY", "winW", "winH", "chk10", "chkLess", "chkUntilMin", "chkLang"]:
            twips(first[key])
        check(first["backH"] == "12" and first["UntilMin"] == "240",
              f"the number boxes were saved as {first['backH']!r} and {first['UntilMin']!r}")
        check([first[k] for k in ("chk10", "chkLess", "chkUntilMin", "chkLang")] ==
              [" 0", " 0", " 0", " 1"], f"the check boxes were saved as {first}")
        saved_frame = tuple(twips(first[k]) for k in ("posX", "posY", "winW", "winH"))
        check(saved_frame[2:] == frame[2:], f"saved outer size {saved_frame[2:]} twips, the "
              f"window's outer frame measured {frame[2:]}")
        check(all(abs(a - b) <= 2 * TWIPS_PER_PIXEL for a, b in zip(saved_frame[:2], frame[:2])),
              f"saved position {saved_frame[:2]} twips, the frame was at {frame[:2]}")

        # Second start from an edited file: wider (options panel in view), English, minute
        # limit on, the hidden catch-up stop on. Everything must come back at the next Exit.
        edited = dict(first)
        edited.update({
            "posX": signed(300 * TWIPS_PER_PIXEL), "posY": signed(200 * TWIPS_PER_PIXEL),
            "winW": signed(int(twips(first["winW"])) + 200 * TWIPS_PER_PIXEL),
            "winH": signed(int(twips(first["winH"])) + 10 * TWIPS_PER_PIXEL),
            "backH": "7", "chk10": " 1", "chkLess": " 1", "chkUntilMin": " 1",
            "UntilMin": "100", "chkLang": " 0"})
        write_settings(settings, edited)
        frame = start_and_exit(desktop, program, args.shim, args.work / "second", outer_frame_twips)
        check(frame[2:] == (twips(edited["winW"]), twips(edited["winH"])),
              f"the window opened with outer size {frame[2:]} twips, saved was "
              f"{edited['winW']}, {edited['winH']}")
        second = read_settings(settings)
        for key in KEYS[2:]:
            check(second[key] == edited[key],
                  f"{key} came back as {second[key]!r}, it was saved as {edited[key]!r}")
        tolerance = 30 * TWIPS_PER_PIXEL  # the window manager may shift a frame into place
        for key in ("posX", "posY"):
            check(abs(twips(second[key]) - twips(edited[key])) <= tolerance,
                  f"{key} came back as {second[key]!r}, it was saved as {edited[key]!r}")

        # Closing the window any other way writes nothing.
        before = settings.read_bytes()
        with dt.ProgramRun(desktop, program, args.shim, args.work / "third",
                           shim_start=CLOCK_START) as run:
            run.find_window()
            time.sleep(1.5)
            run.key("alt+F4")  # openbox closes the active window
            code = run.wait_exit()
            check(code == 0, f"closing the window ended the program with {code}")
        check(settings.read_bytes() == before, "closing the window changed the settings file")
        print("settings: written, restored, and left alone on close")


# ---------------------------------------------------------------------------------------------
# Screenshots, for a person to look at


def take_screenshot(desktop, program, shim, workdir, path, settings=None):
    ini = program.parent / "quicktock.ini"
    ini.unlink(missing_ok=True)
    if settings:
        write_settings(ini, settings)
    with dt.ProgramRun(desktop, program, shim, workdir, shim_start=CLOCK_START) as run:
        run.find_window()
        time.sleep(2.5)  # after the first tick the labels show the clock
        size = run.geometry()[2:]
        desktop.screenshot(path, run.frame_rectangle(margin=6))
        return size


def case_screenshots(args):
    out = args.screenshots
    out.mkdir(parents=True, exist_ok=True)
    program = dt.prepare_program_folder(args.program, args.work / "program")
    wide = {"posX": signed(1500), "posY": signed(1500), "winW": signed(460 * TWIPS_PER_PIXEL),
            "winH": signed(160 * TWIPS_PER_PIXEL), "backH": "12", "chk10": " 0",
            "chkLess": " 0", "chkUntilMin": " 0", "UntilMin": "240"}
    shots = [("quicktock-ja.png", None),
             ("quicktock-ja-wide.png", dict(wide, chkLang=" 1")),
             ("quicktock-en-wide.png", dict(wide, chkLang=" 0"))]
    with dt.Desktop(args.work / "desktop") as desktop:
        for name, settings in shots:
            path = out / name
            size = take_screenshot(desktop, program, args.shim, args.work / name, path, settings)
            if settings is None:
                check(size == CLIENT_SIZE, f"the laid-out client area is {size} px at 96 dpi, "
                      f"expected {CLIENT_SIZE}")
            print(f"screenshot: {path}")


# ---------------------------------------------------------------------------------------------
# Privileged and installed starts, by an unprivileged user


def need_root(what):
    if os.geteuid() != 0:
        raise dt.Skip(f"{what} needs root, to run the program as another user")


def case_secure(args):
    """Granted a capability, the program loads no plug-in from a folder its user names."""
    need_root("a privileged start")
    hostile = args.work / "hostile"
    for folder in (hostile, hostile / "platformthemes"):  # as a platform folder, as a plug-in folder
        folder.mkdir(parents=True, mode=0o777)
        folder.chmod(0o777)  # the plug-in leaves its marker as the unprivileged user
        shutil.copy(args.hostile, folder / "libhostile.so")
    # The environment alone, and the command line alone, would each have it loaded.
    options = dict(user=dt.NOBODY, args=["-platformpluginpath", hostile, "-platformtheme", "hostile"],
                   extra_env={"QT_PLUGIN_PATH": str(hostile), "QT_QPA_PLATFORM_PLUGIN_PATH": str(hostile),
                              "QT_QPA_PLATFORMTHEME": "hostile"})
    program = dt.prepare_program_folder(args.program, args.work / "program")
    loaded = lambda: list(hostile.rglob("*.loaded"))  # noqa: E731
    with dt.Desktop(args.work / "desktop") as desktop:
        # Without the capability Qt does load it, or this test would prove nothing.
        with dt.ProgramRun(desktop, program, None, args.work / "plain", **options):
            dt.wait_until(loaded, 20, what="the plain program to load the planted plug-in")
        for marker in loaded():
            marker.unlink()
        if subprocess.run(["setcap", "cap_net_bind_service+ep", str(program)]).returncode != 0:
            raise dt.Skip("setcap could not give the program's copy a capability")
        with dt.ProgramRun(desktop, program, None, args.work / "privileged", **options) as run:
            run.find_window()
            status = Path(f"/proc/{run.process.pid}/status").read_text()
            if not int(status.split("CapPrm:")[1].split()[0], 16):
                raise dt.Skip("the copy ran without its capability (a file system without them?)")
        check(not loaded(), f"the privileged program loaded a plug-in its user named: {loaded()}")
    print("secure: the privileged start ignored the plug-in folders from its user")


def case_installed(args):
    """Installed where its user cannot write, the program keeps its settings in ~/.config."""
    need_root("installing into a folder of root's")
    prefix = args.work / "prefix"
    subprocess.run(["cmake", f"-DCMAKE_INSTALL_PREFIX={prefix}", "-P",
                    str(args.program.parent / "cmake_install.cmake")], check=True, stdout=subprocess.DEVNULL)
    program = prefix / "bin" / "quicktock"
    home = args.work / "home"
    settings = home / ".config" / "quicktock" / "quicktock.ini"
    options = dict(user=dt.NOBODY, extra_env={"HOME": str(home)})
    with dt.Desktop(args.work / "desktop") as desktop:
        start_and_exit(desktop, program, args.shim, args.work / "first", **options)
        check(settings.exists(), f"Exit wrote no {settings}; output in {args.work / 'first'}")
        check(stat.S_IMODE(settings.parent.stat().st_mode) == 0o700,
              f"{settings.parent} can be read by other users")
        write_settings(settings, dict(read_settings(settings), backH="7"))
        start_and_exit(desktop, program, args.shim, args.work / "second", **options)
        check(read_settings(settings)["backH"] == "7", "the second start did not restore backH")
    print(f"installed: settings kept in {settings}")


CASES = {"accelerate": case_accelerate, "settings": case_settings,
         "screenshots": case_screenshots, "secure": case_secure, "installed": case_installed}


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--shim", type=Path, required=True)
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--hostile", type=Path)
    parser.add_argument("--screenshots", type=Path)
    args = parser.parse_args()
    args.screenshots = args.screenshots or args.work / "screenshots"
    if not args.program.is_file():
        print(f"SKIPPED: the program {args.program} is not built")
        return dt.SKIP
    shutil.rmtree(args.work, ignore_errors=True)
    args.work.mkdir(parents=True)
    try:
        CASES[args.case](args)
    except dt.Skip as reason:
        print(f"SKIPPED: {reason}")
        return dt.SKIP
    except (Failure, TimeoutError) as failure:
        print(f"FAILED: {failure}\n(work folder: {args.work})")
        return 1
    except Exception:
        traceback.print_exc()
        print(f"(work folder: {args.work})")
        return 1
    print(f"passed: {args.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
