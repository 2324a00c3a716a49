#!/usr/bin/env python3
"""Times the 64-bit screensaver under wine64 and Xvfb, as the user sees it:

- launch to first frame: from starting the program with "/s" to the screen
  showing the first of 20 embedded 1920 x 1080 JPEG pictures (read from the X
  server every 2 ms, one pixel at the centre of the screen);
- input to exit: from a right click sent through the X server (XTest), which
  the default settings take as the end of the show, to the end of the
  program's process;
- a standing slide: the processor time and wake-ups of the program's process
  over three seconds while a slide stands between two transitions.

Each measurement runs five times in one warm Wine session: its prefix made, its
server started, and the show launched once untimed beforehand, which starts
Wine's desktop and system services (on Windows they run before any screensaver
starts; under Wine the first program with a window starts them, about 250 ms).
The timed runs follow one another in that session, each program ending on its
right click, so none of them starts those processes again. Wine runs with
Wine's X11 driver set to unmanaged windows: without a window manager (Xvfb has
none) Wine waits two seconds for one to confirm that a hidden window is gone,
a wait that no Windows system has. The time Wine takes to start and end a
program that does nothing ("cmd /c exit") is measured alongside. The results
go to a JSON file. Usage: wine_timings.py OUT.json
"""
import ctypes
import json
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import harness  # noqa: E402
from show_fixtures import manifest, set_settings  # noqa: E402

RUNS = 5
PICTURES = 20
FIRST = (200, 30, 30)  # the first picture's colour
SLIDE_SECONDS = 8


class XImageFuncs(ctypes.Structure):
    _fields_ = [(name, ctypes.c_void_p) for name in
                ("create_image", "destroy_image", "get_pixel", "put_pixel", "sub_image", "add_pixel")]


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("f", XImageFuncs)]


class XScreen:
    """Reads screen pixels and moves the pointer through Xlib and XTest."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XGetPixel.restype = ctypes.c_ulong
        self.x11.XGetPixel.argtypes = [ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError(f"cannot open display {display}")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def pixel(self, x, y):
        image = self.x11.XGetImage(self.display, self.root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        value = self.x11.XGetPixel(image, 0, 0)
        # XDestroyImage is a macro for the image's own destroy function.
        ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(XImage))(image.contents.f.destroy_image)(image)
        return ((value >> 16) & 255, (value >> 8) & 255, value & 255)

    def move_pointer(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.x11.XFlush(self.display)

    def right_click(self):
        for pressed in (True, False):
            self.xtst.XTestFakeButtonEvent(self.display, 3, pressed, 0)
        self.x11.XFlush(self.display)


def near(rgb, want, tolerance=40):
    return all(abs(a - b) < tolerance for a, b in zip(rgb, want))


def make_show(session):
    folder = session.work / "bench-show"
    folder.mkdir(parents=True, exist_ok=True)
    items = []
    for k in range(PICTURES):
        name = f"p{k:02d}.jpg"
        fill = "xc:#%02x%02x%02x" % FIRST if k == 0 else f"plasma:fractal"
        subprocess.run(["/usr/bin/convert", "-size", "1920x1080", "-seed", str(k), fill, "-quality", "90",
                        str(folder / name)], check=True, timeout=120)
        items.append({"File": name, "ShowCaption": False, "ShowText": False, "BackgroundKinds": "0;",
                      "BackgroundColor": 0, "Transitions": [104], "TransitionSpeed": 25,
                      "RandomTransition": False})
    items[0]["Transitions"] = []  # the first picture comes whole, in the first tick
    project = "BenchShow.scr"
    text = manifest({"ProjectName": project, "SlideSeconds": SLIDE_SECONDS, "RandomOrder": False,
                     "RandomPlacement": False}, items)
    program = harness.build_show(text, project, folder)
    set_settings(session, project)
    return program


def process_load(pid):
    """(processor seconds, voluntary context switches) of all threads of `pid`."""
    ticks = os.sysconf("SC_CLK_TCK")
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / ticks
    switches = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        for line in (task / "status").read_text().splitlines():
            if line.startswith("voluntary_ctxt_switches:"):
                switches += int(line.split()[1])
    return cpu, switches


def main():
    out_path = Path(sys.argv[1])
    session = harness.WineSession()
    try:
        screen = XScreen(session.display)
        session.run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        program = make_show(session)
        empty = []
        for _ in range(RUNS):
            start = time.monotonic()
            session.run("cmd", "/c", "exit")
            empty.append(1000 * (time.monotonic() - start))
        centre = (harness.SCREEN[0] // 2, harness.SCREEN[1] // 2)
        launch, exit_ms, cpu_per_s, wakeups_per_s = [], [], [], []
        screen.move_pointer(*centre)

        def launch_show():
            start = time.monotonic()
            proc = session.start(program, "/s")
            while not near(screen.pixel(*centre), FIRST):
                if time.monotonic() - start > 60 or proc.poll() is not None:
                    raise RuntimeError("the first picture never showed")
                time.sleep(0.002)
            return proc, 1000 * (time.monotonic() - start)

        proc, _ = launch_show()  # untimed: starts Wine's desktop and services
        screen.right_click()
        proc.wait(timeout=60)
        for _ in range(RUNS):
            proc, ms = launch_show()
            launch.append(ms)
            # The first slide stands for SlideSeconds + 1 s: watch the process idle.
            time.sleep(1.5)
            cpu0, sw0 = process_load(proc.pid)
            time.sleep(3.0)
            cpu1, sw1 = process_load(proc.pid)
            cpu_per_s.append(1000 * (cpu1 - cpu0) / 3.0)
            wakeups_per_s.append((sw1 - sw0) / 3.0)
            clicked = time.monotonic()
            screen.right_click()
            proc.wait(timeout=60)
            exit_ms.append(1000 * (time.monotonic() - clicked))
        session.stop_all()
        result = {
            "screen": f"{harness.SCREEN[0]}x{harness.SCREEN[1]}",
            "pictures": f"{PICTURES} JPEG pictures of 1920 x 1080, embedded",
            "launch_ms": launch, "exit_ms": exit_ms, "empty_program_ms": empty,
            "standing_cpu_ms_per_s": cpu_per_s, "standing_wakeups_per_s": wakeups_per_s,
            "launch_median_ms": statistics.median(launch), "exit_median_ms": statistics.median(exit_ms),
            "empty_program_median_ms": statistics.median(empty),
        }
        out_path.write_text(json.dumps(result, indent=2) + "\n")
        print(json.dumps(result, indent=2))
    finally:
        session.close()


if __name__ == "__main__":
    main()
