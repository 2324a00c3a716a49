#!/usr/bin/env python3
"""Peak working set of the screensaver showing 24-megapixel pictures on a
3840 x 2160 screen, under wine64 and Xvfb, against the budget of three screen
frames, one decoded picture and 32 MB. Writes bench/MEMORY.md.

The program reports its own working set and peak (GetProcessMemoryInfo, which
Wine takes from the kernel's account of the process) through its test-only soak
probe after every slide; the run lasts until every picture has been shown.
Wine's own share is measured beside it: the same program and screen with a
show of tiny pictures (frames, code and Wine, but no large picture), and a
program that only opens a window (Wine alone)."""
import argparse
import json
import re
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
import harness  # noqa: E402
from show_fixtures import bmp, manifest, set_settings  # noqa: E402

SCREEN = (3840, 2160)
PICTURE = (6000, 4000)  # 24 megapixels
MIB = 1 << 20
FRAME = SCREEN[0] * SCREEN[1] * 4       # one screen frame, 32 bits a pixel
DECODED = PICTURE[0] * PICTURE[1] * 4   # one decoded picture
BUDGET = 3 * FRAME + DECODED + 32 * MIB


def make_pictures(folder, count):
    """Photographs stand-ins: a noisy gradient per picture (libjpeg's work and
    buffers depend on the size, not on what the picture shows)."""
    names = []
    for k in range(count):
        name = f"photo{k}.jpg"
        colours = ["#203060-#e0c080", "#604020-#80e0c0", "#306020-#c080e0"][k % 3]
        subprocess.run(["/usr/bin/convert", "-size", f"{PICTURE[0]}x{PICTURE[1]}", f"gradient:{colours}",
                        "-attenuate", "0.4", "+noise", "Gaussian", "-quality", "90", str(folder / name)],
                       check=True)
        names.append(name)
    return names


def show_manifest(name, files, compose_mode):
    items = [{"File": f, "Caption": f"Picture {k}", "Text": "A 24-megapixel photograph\nfitted to the screen",
              "BackgroundKinds": "2;", "Transitions": [104, 36, 47, 58][k % 4:k % 4 + 1], "TransitionSpeed": 40}
             for k, f in enumerate(files)]
    return manifest({"ProjectName": name, "SlideSeconds": 1, "FitMode": 1, "ComposeMode": compose_mode,
                     "RandomOrder": False}, items)


def peak_of_show(session, program, slides):
    """(peak, last working set) in bytes after `slides` slides, from the probe's log."""
    log = program.with_suffix(".log")
    proc = session.start(program, "/s", env={"SLIDESHOW_TEST_SOAK": f"1;{session.windows_path(log)}"})
    end = time.monotonic() + 60 + 60 * slides
    rows = []
    while time.monotonic() < end and len(rows) < slides and proc.poll() is None:
        time.sleep(1)
        rows = [dict(re.findall(r"(\w+)=(\d+)", line)) for line in log.read_text().splitlines()] \
            if log.exists() else []
    session.stop_all()
    if len(rows) < slides:
        raise RuntimeError(f"{program.name}: only {len(rows)} of {slides} slides were shown")
    return int(rows[-1]["peak"]), int(rows[-1]["ws"])


def wine_floor(session):
    """Peak resident size of a Wine program with one window and nothing else."""
    proc, _ = session.host_window(seconds=30)
    time.sleep(3)
    status = Path(f"/proc/{proc.pid}/status").read_text()
    session.stop_all()
    return int(re.search(r"VmHWM:\s+(\d+) kB", status).group(1)) * 1024


def fit_inside(picture, area):
    """The fit-inside rule: a picture larger than the area shrinks to fit, keeping its proportions."""
    w, h = picture
    if w > area[0]:
        w, h = area[0], round(picture[1] / picture[0] * area[0])
        if h > area[1]:
            w, h = round(picture[0] / picture[1] * area[1]), area[1]
    elif h > area[1]:
        w, h = round(picture[0] / picture[1] * area[1]), area[1]
        if w > area[0]:
            w, h = area[0], round(picture[1] / picture[0] * area[0])
    return w, h


def mib(n):
    return f"{n / MIB:.1f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--pictures", type=int, default=3)
    parser.add_argument("--out", default=str(ROOT / "bench" / "MEMORY.md"))
    parser.add_argument("--json", help="also write the peaks and the budget here, for bench/RESULTS.md")
    args = parser.parse_args()

    harness.SCREEN = SCREEN
    session = harness.WineSession()
    try:
        folder = session.work / "memory"
        folder.mkdir()
        files = make_pictures(folder, args.pictures)
        small = {f: bmp(16, 12, (40 * k, 90, 200)) for k, f in enumerate(f"tiny{k}.bmp" for k in range(args.pictures))}
        results = {}
        for mode in (0, 1):
            name = f"Memory{mode}.scr"
            program = harness.build_show(show_manifest(name, files, mode), name, folder / name.replace(".", "_"),
                                         {f: (folder / f).read_bytes() for f in files})
            set_settings(session, name)
            tiny_name = f"Tiny{mode}.scr"
            tiny = harness.build_show(show_manifest(tiny_name, list(small), mode), tiny_name,
                                      folder / tiny_name.replace(".", "_"), small)
            set_settings(session, tiny_name)
            # One slide more than pictures: the peak of the last one is in the log.
            results[mode] = (peak_of_show(session, program, args.pictures + 1),
                             peak_of_show(session, tiny, args.pictures + 1))
        floor = wine_floor(session)
        lines = report(args, results, floor, folder, files)
    finally:
        session.close()
    Path(args.out).write_text("\n".join(lines))
    if args.json:
        Path(args.json).write_text(json.dumps({"screen": f"{SCREEN[0]}x{SCREEN[1]}", "budget": BUDGET,
                                               "peaks": {str(m): results[m][0][0] for m in results}}))
    print("\n".join(lines))
    return 0 if all(results[m][0][0] <= BUDGET for m in results) else 1


def report(args, results, floor, folder, files):
    lines = [
        "# Memory",
        "",
        "Written by `scripts/bench_memory.sh` (bench/memory_bench.py): the 64-bit screensaver under wine64 on a",
        f"{SCREEN[0]} x {SCREEN[1]} Xvfb screen, showing {args.pictures} JPEG photographs of {PICTURE[0]} x {PICTURE[1]}",
        "pixels (24 MP) fitted to the screen, with captions, gradients and transitions, until each has been shown.",
        "Peak working set as the program reads it (GetProcessMemoryInfo; under Wine the kernel's resident",
        "high-water mark of the process, Wine's own libraries included).",
        "",
        f"Budget: three screen frames ({mib(FRAME)} MiB each) + one decoded picture ({mib(DECODED)} MiB) + 32 MiB"
        f" = **{mib(BUDGET)} MiB**.",
        "",
        "| show | peak working set | same show, 16 x 12 pictures | large pictures' share | within budget |",
        "|---|---|---|---|---|",
    ]
    for mode, label in ((0, "pictures over the frame (ComposeMode 0)"), (1, "composed screen (ComposeMode 1)")):
        (peak, _), (tiny_peak, _) = results[mode]
        lines.append(f"| {label} | {mib(peak)} MiB | {mib(tiny_peak)} MiB | {mib(peak - tiny_peak)} MiB | "
                     f"{'yes' if peak <= BUDGET else 'NO'} |")
    # What the large pictures add, as the program is built: the JPEG's bytes,
    # the picture decoded at the smallest DCT scale (n/8) that covers its fitted
    # size, and the fitted picture.
    fit_w, fit_h = fit_inside(PICTURE, SCREEN)
    eighths = next(n for n in range(1, 9) if PICTURE[0] * n // 8 >= fit_w and PICTURE[1] * n // 8 >= fit_h)
    decoded = (-(-PICTURE[0] * eighths // 8)) * (-(-PICTURE[1] * eighths // 8)) * 4
    encoded = max(len((folder / f).read_bytes()) for f in files)
    lines += [
        "",
        f"The large pictures' share is what they add to the same show of tiny pictures: the JPEG's bytes"
        f" ({mib(encoded)} MiB), the picture decoded at {eighths}/8 scale, the smallest that covers its fitted size"
        f" ({mib(decoded)} MiB), and the fitted picture, {fit_w} x {fit_h} ({mib(fit_w * fit_h * 4)} MiB), together"
        f" {mib(encoded + decoded + fit_w * fit_h * 4)} MiB. In composite mode the composed screen of the last slide"
        " is let go while the next picture is decoded.",
        "",
        f"Wine alone (a program with one window): {mib(floor)} MiB peak resident, counted in every figure above,"
        " as is the copy of the show window's pixels that Wine's X11 driver keeps in the process (one screen"
        " frame; on Windows the desktop compositor holds it).",
        "",
    ]
    return lines


if __name__ == "__main__":
    sys.exit(main())
