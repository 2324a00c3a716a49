"""End-to-end test harness: the Windows programs under wine64 in a virtual X display.

One WineSession serves a whole run: a fresh WINEPREFIX in a temporary folder, an
Xvfb display, and a persistent wineserver. Tests start programs, list and drive
windows through wintool.exe, read the screen and the registry.
"""
import os
import re
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WINE = shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
SCREEN = (1024, 768)


def dist(path):
    return ROOT / "dist" / path


class Window(dict):
    """One line of `wintool list`, as a dict with int fields where they are numbers."""

    @property
    def handle(self):
        return self["hwnd"]


def parse_windows(text):
    windows = []
    for line in text.splitlines():
        m = re.match(r"(.*?) class=(.*?) text=(.*)$", line)
        if not m:
            continue
        w = Window()
        for field in m.group(1).split():
            key, value = field.split("=", 1)
            if key == "rect":
                w[key] = tuple(int(v) for v in value.split(","))
            elif key in ("style", "exstyle"):
                w[key] = int(value, 16)
            else:
                w[key] = int(value)
        w["class"] = m.group(2)
        w["text"] = m.group(3)
        windows.append(w)
    return windows


class WineSession:
    def __init__(self):
        self.tmp = Path(tempfile.mkdtemp(prefix="slideshow-e2e-"))
        self.prefix = self.tmp / "prefix"
        self.work = self.tmp / "work"
        self.work.mkdir()
        self.display = self._start_xvfb()
        self.env = dict(os.environ)
        self.env.update(
            WINEPREFIX=str(self.prefix),
            WINEDEBUG="-all",
            # No menu entries on the host for shortcuts that a program saves.
            WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
            DISPLAY=self.display,
            WINEARCH="win64",
        )
        self.env.pop("WAYLAND_DISPLAY", None)
        subprocess.run([WINE, "wineboot", "-i"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        self._start_wineserver()
        self.wintool_exe = self.work / "wintool.exe"
        shutil.copy(dist("e2e/wintool.exe"), self.wintool_exe)
        self.processes = []

    def _start_wineserver(self):
        """A persistent wine server, started before any program so none inherits our pipes.
        The server of the program before (wineboot's, or one just killed) is waited for
        first: while it is still ending, a new server gives up at once and the next program
        starts a server of its own that ends with it, taking Wine's system processes
        (desktop, services, devices) along, so that every program would start them anew.
        Started without -f, the server returns once it is ready."""
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=60)
        subprocess.run([WINESERVER, "-p"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run([WINE, "cmd", "/c", "exit"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120)

    def _start_xvfb(self):
        """Starts Xvfb on a display it chooses itself (-displayfd): it skips numbers
        that another server holds, even in another folder's /tmp, and clears stale
        lock files of servers that are gone."""
        log_path = self.tmp / "xvfb.log"
        read_end, write_end = os.pipe()
        with open(log_path, "wb") as log:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                 f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=log, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end, "rb") as reader:
            number = reader.readline().strip()
        if not number or self.xvfb.poll() is not None:
            self.xvfb.wait(timeout=30)
            raise RuntimeError("Xvfb did not start: " + log_path.read_text(errors="replace").strip())
        return ":" + number.decode()

    # Programs -------------------------------------------------------------

    def windows_path(self, path):
        """The Windows path of a Linux path (Wine maps / as drive Z:)."""
        return "Z:" + str(Path(path).resolve()).replace("/", "\\")

    def start(self, program, *args, env=None):
        """Starts a program; `env` adds environment variables for it alone."""
        proc = subprocess.Popen([WINE, str(program), *args], env=dict(self.env, **(env or {})),
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.processes.append(proc)
        return proc

    def run(self, program, *args, timeout=60):
        """Runs a program to its end. Output goes through files, not pipes: a wine
        server started by the program would hold a pipe open after it ends."""
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            proc = subprocess.run([WINE, str(program), *args], env=self.env, stdout=out, stderr=err,
                                  timeout=timeout)
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(proc.args, proc.returncode, out.read(), err.read())

    def wintool(self, *args, timeout=30):
        result = self.run(self.wintool_exe, *[str(a) for a in args], timeout=timeout)
        return result.stdout.decode("utf-8", "replace")

    def host_window(self, width=152, height=112, seconds=60):
        """A preview host; returns (process, handle of its client area)."""
        proc = self.start(self.wintool_exe, "host", str(width), str(height), str(seconds))
        line = proc.stdout.readline().decode().strip()
        return proc, int(line)

    def stop_all(self):
        for proc in self.processes:
            if proc.poll() is None:
                proc.kill()
        for proc in self.processes:
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                pass
        self.processes = []
        # Programs started through wine live on in the wine server: end them all.
        subprocess.run([WINESERVER, "-k"], env=self.env, timeout=60)
        self._start_wineserver()

    # Windows and the screen ----------------------------------------------

    def windows(self):
        return parse_windows(self.wintool("list"))

    def find(self, **match):
        return [w for w in self.windows() if all(w.get(k) == v for k, v in match.items())]

    def wait_for(self, predicate, timeout=30, interval=0.5):
        """Polls `predicate(windows)` until it returns something true; returns that value or None."""
        end = time.time() + timeout
        while time.time() < end:
            value = predicate(self.windows())
            if value:
                return value
            time.sleep(interval)
        return None

    def wait_window(self, timeout=30, **match):
        found = self.wait_for(lambda ws: [w for w in ws if all(w.get(k) == v for k, v in match.items())],
                              timeout=timeout)
        return found[0] if found else None

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)], check=True,
                       timeout=60)
        return path

    def pixel(self, x, y):
        """The screen colour at (x, y) as (r, g, b), read from an X screenshot."""
        out = subprocess.run(
            ["import", "-display", self.display, "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
             "txt:-"],
            capture_output=True, check=True, timeout=60).stdout.decode()
        m = re.search(r"#([0-9A-Fa-f]{6})", out)
        v = int(m.group(1), 16)
        return (v >> 16, (v >> 8) & 255, v & 255)

    def reg_query(self, key, view32=True):
        args = ["reg", "query", key] + (["/reg:32"] if view32 else [])
        result = self.run(*args)
        return result.returncode, result.stdout.decode("utf-8", "replace")

    def close(self):
        self.stop_all()
        subprocess.run([WINESERVER, "-k"], env=self.env, timeout=60)
        # SIGTERM lets the server remove its lock file; a killed one leaves it behind.
        self.xvfb.terminate()
        try:
            self.xvfb.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.xvfb.kill()
        shutil.rmtree(self.tmp, ignore_errors=True)


def build_show(manifest_text, name, folder, files=None, player=None):
    """Writes a manifest (and small files) into `folder` and builds NAME with showpack."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for rel, data in (files or {}).items():
        (folder / rel).parent.mkdir(parents=True, exist_ok=True)
        (folder / rel).write_bytes(data)
    manifest = folder / (Path(name).stem + ".toml")
    manifest.write_text(manifest_text)
    out = folder / name
    subprocess.run([str(dist("tools/showpack")), "build", str(manifest), "-o", str(out),
                    "--player", str(player or dist("win64/screensaver.scr"))],
                   check=True, capture_output=True)
    return out


SESSION = None


class E2ETest:
    """Mixin for unittest.TestCase: the shared session, every program ended after each test."""

    @property
    def wine(self):
        return SESSION

    def tearDown(self):
        SESSION.stop_all()

    def scratch(self, name):
        folder = SESSION.work / f"{type(self).__name__}-{name}"
        folder.mkdir(parents=True, exist_ok=True)
        return folder
