"""A private X desktop for running Quicktock end to end, and the program's runs on it: each
without the right to set the clock and with the clock shim loaded, or stopped at once."""

import os
import re
import shutil
import signal
import subprocess
import time
from pathlib import Path

WITHOUT_CLOCK_RIGHT = Path(__file__).resolve().parents[2] / "scripts" / "without-clock-right.sh"
# The real ImageMagick: /usr/local/bin may hold a stand-in of the same name.
CONVERT = "/usr/bin/convert" if Path("/usr/bin/convert").exists() else "convert"
CAP_SYS_TIME = 25
NOBODY = 65534  # an unprivileged user for the runs that need one

NEEDED_TOOLS = ("Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "xwd", "setpriv")
KEYS = "posX posY winW winH backH chk10 chkLess chkUntilMin UntilMin chkLang".split()


class Skip(Exception):
    """The machine lacks something the end-to-end run needs; not a fault of the program."""


def wait_until(condition, timeout, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)
    return value


class Desktop:
    """Xvfb at 1280 x 1024, 96 dpi, on a free display (Xvfb picks it itself) with openbox as
    the window manager."""

    def __init__(self, workdir):
        self.workdir = Path(workdir)
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.display = None
        self._processes = []

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        missing = [tool for tool in NEEDED_TOOLS if shutil.which(tool) is None]
        if missing:
            raise Skip("missing tools: " + ", ".join(missing) + " (scripts/install-deps.sh)")
        read_end, write_end = os.pipe()
        self._processes.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(self.workdir / "xvfb.log", "wb")))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        if self.display == ":":
            raise RuntimeError("Xvfb did not start; see " + str(self.workdir / "xvfb.log"))
        self._processes.append(subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.env(), stdout=subprocess.DEVNULL,
            stderr=open(self.workdir / "openbox.log", "wb")))
        wait_until(lambda: "window id" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env(), capture_output=True,
            text=True).stdout, 15, what="openbox")

    def env(self, extra=None):
        env = {key: value for key, value in os.environ.items() if not key.startswith(
            ("QT_", "LD_PRELOAD", "QUICKTOCK_SHIM", "WAYLAND_DISPLAY"))}
        return dict(env, DISPLAY=self.display or "", QT_QPA_PLATFORM="xcb", **(extra or {}))

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env(),
                                capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout

    def screenshot(self, path, crop):
        """Saves the rectangle crop = (x, y, width, height) of the screen as a PNG."""
        raw = self.workdir / "screen.xwd"
        subprocess.run(["xwd", "-root", "-silent", "-out", str(raw)], env=self.env(),
                       check=True, timeout=20)
        subprocess.run([CONVERT, f"xwd:{raw}", "-crop", "{2}x{3}+{0}+{1}".format(*crop),
                        "+repage", str(path)], check=True, timeout=60)

    def close(self):
        for process in reversed(self._processes):
            process.terminate()  # nothing, once it has ended and been waited for
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self._processes.clear()


def read_settings(path):
    """The settings file's values, after checking the section, the keys and the CRLF ends."""
    data = path.read_bytes()
    lines = data.decode("latin-1").split("\r\n")
    if not (lines[0] == "[Data]" and lines[-1] == "" and b"\n" not in data.replace(b"\r\n", b"")
            and [line.partition("=")[0] for line in lines[1:-1]] == KEYS):
        raise AssertionError(f"{path} is not [Data] and the keys {KEYS} in CRLF lines: {data!r}")
    return dict(line.split("=", 1) for line in lines[1:-1])


def write_settings(path, values):
    path.write_bytes(("[Data]\r\n" + "".join(f"{k}={values[k]}\r\n" for k in KEYS)).encode())


def prepare_program_folder(program, folder, name="quicktock"):
    """Copies the program into its own folder, where it keeps its settings file."""
    Path(folder).mkdir(parents=True, exist_ok=True)
    # No copy of file capabilities: the copy has no right of its own.
    return Path(shutil.copy(program, Path(folder) / name))


class ProgramRun:
    """One run of a program on a desktop without the clock right: with the shim preloaded unless
    shim is None (a run that never sets the clock), as another user (user=uid) if asked."""

    def __init__(self, desktop, program, shim, workdir, shim_start=None, extra_env=None,
                 user=None, args=()):
        self.desktop = desktop
        self.program = Path(program).resolve()  # it runs from another working folder
        self.workdir = Path(workdir).resolve()
        self.workdir.mkdir(parents=True, exist_ok=True)
        self.clock_log = self.workdir / "clock-sets.log"
        self.output = self.workdir / "program-output.log"
        self.shim = shim and Path(shim).resolve()
        start = "" if shim_start is None else int(shim_start)  # empty: the real time
        preload = ["env", f"LD_PRELOAD={self.shim}", f"QUICKTOCK_SHIM_LOG={self.clock_log}",
                   f"QUICKTOCK_SHIM_START={start}"] if self.shim else []
        as_user = [] if user is None else ["setpriv", f"--reuid={user}", f"--regid={user}",
                                           "--clear-groups"]
        env = desktop.env({"HOME": str(self.workdir / "home"), "TZ": "UTC", "LANG": "C.UTF-8",
                           "XDG_RUNTIME_DIR": str(self.workdir / "runtime"), "LC_ALL": "C.UTF-8"})
        env.update(extra_env or {})
        for folder in (env["HOME"], env["XDG_RUNTIME_DIR"]):
            Path(folder).mkdir(mode=0o700, exist_ok=True)
            os.chown(folder, *(2 * [os.getuid() if user is None else user]))
        # The working folder is not the program's folder: the settings must land beside the
        # executable whatever folder it was started from.
        self.started = time.monotonic()  # the benchmarks time the start from here
        self.process = subprocess.Popen(
            [str(WITHOUT_CLOCK_RIGHT), *as_user, *preload, str(self.program), *args], env=env,
            cwd=self.workdir, stdin=subprocess.DEVNULL,
            stdout=open(self.output, "wb"), stderr=subprocess.STDOUT, start_new_session=True)
        self.window = None
        self._check_clock_is_virtual()

    def _proc(self, name):
        """The process's file /proc/PID/name ("exe": where it links), or "" once it has gone."""
        try:
            path = Path(f"/proc/{self.process.pid}/{name}")
            return os.readlink(path) if name == "exe" else path.read_text()
        except OSError:
            return ""

    def _check_clock_is_virtual(self):
        # setpriv replaces itself with the program; once the program runs, the right must be gone.
        wait_until(lambda: self._proc("exe") == str(self.program) or
                   self.process.poll() is not None, 10, 0.005, "the program to start")
        status = self._proc("status")
        if status and any(int(re.search(rf"^{field}:\s*(\w+)", status, re.M).group(1), 16) &
                          (1 << CAP_SYS_TIME) for field in ("CapBnd", "CapEff")):
            self.kill()
            raise RuntimeError("the program ran with the right to set the clock; stopped it")
        if not self.shim or self.process.poll() is not None:
            return
        # The dynamic loader maps the shim right after the exec, before the program's own code.
        try:
            wait_until(lambda: str(self.shim) in self._proc("maps"), 5, 0.005,
                       "the clock shim to be loaded")
        except TimeoutError:
            self.kill()
            raise RuntimeError(f"the clock shim was not loaded into the program; output: "
                               f"{self.output_text()}") from None

    def find_window(self):
        """The program's visible top-level window (its client area, inside the frame)."""
        def search():
            if self.process.poll() is not None:
                raise RuntimeError(f"the program ended early with {self.process.returncode}; "
                                   f"output: {self.output_text()}")
            found = self.desktop.xdotool("search", "--onlyvisible", "--pid", self.process.pid,
                                         check=False).split()
            return found[0] if found else None
        self.window = wait_until(search, 20, what="the program's window")
        return self.window

    def frame_rectangle(self):
        """The window's outer frame on the screen, in pixels (x, y, width, height)."""
        # xwininfo, not xdotool: xdotool adds the offset inside the frame to the position.
        out = subprocess.run(["xwininfo", "-id", self.window], env=self.desktop.env(),
                             capture_output=True, text=True, check=True).stdout
        values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
        x, y, width, height = (int(values[field]) for field in (
            "Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
        extents = subprocess.run(["xprop", "-id", self.window, "_NET_FRAME_EXTENTS"],
                                 env=self.desktop.env(), capture_output=True, text=True).stdout
        numbers = [int(n) for n in re.findall(r"\d+", extents.partition("=")[2])]
        left, right, top, bottom = numbers if len(numbers) == 4 else (0, 0, 0, 0)
        return x - left, y - top, width + left + right, height + top + bottom

    def click(self, x, y):
        """Clicks at a point of the client area, in pixels."""
        self.desktop.xdotool("mousemove", "--window", self.window, x, y, "click", "1")

    def key(self, *keys):
        self.desktop.xdotool("windowactivate", "--sync", self.window, "key", *keys)

    def clock_sets(self):
        """Each set of the virtual clock so far: (monotonic ns, wall-clock ns)."""
        text = self.clock_log.read_text() if self.clock_log.exists() else ""
        return [tuple(map(int, line.split())) for line in text.splitlines()]

    def output_text(self):
        return self.output.read_text(errors="replace")[-2000:] if self.output.exists() else ""

    def kill(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()
