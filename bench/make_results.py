#!/usr/bin/env python3
"""Writes bench/RESULTS.md (to stdout) from the JSON files that scripts/bench.sh
leaves in its results folder. Usage: make_results.py FOLDER COMMIT"""
import json
import re
import sys
from pathlib import Path

TICK_TARGET = 2.5     # worst tick / frame memcpy
FIT_TARGET = 1.2      # decode and fit / djpeg
LAUNCH_TARGET = 300   # ms
EXIT_TARGET = 100     # ms
SIZES = ("1920x1080", "3840x2160")


def load(folder, name):
    path = folder / name
    return json.loads(path.read_text()) if path.exists() else None


def benchmarks(doc):
    return doc["benchmarks"] if doc else []


def transitions(folder):
    """{number: {"name": ..., size: counters}} from the five family programs. Of
    several passes, each effect and size keeps the fastest median and worst
    tick and the fastest frame copy, and divides them anew: taking the pass
    with the lower ratio would favour a pass whose frame copy a burst of other
    work slowed down."""
    effects = {}
    for path in sorted(folder.glob("transitions*_bench*.json")):
        for b in benchmarks(json.loads(path.read_text())):
            m = re.match(r"(-?\d+) (.*) (\d+x\d+)(/.*)?$", b["name"])
            if not m:
                continue
            entry = effects.setdefault(int(m.group(1)), {"name": m.group(2)})
            kept = entry.setdefault(m.group(3), {"ticks": b["ticks"]})
            for key in ("median_ms", "worst_ms", "memcpy_ms"):
                kept[key] = min(kept.get(key, b[key]), b[key])
    for entry in effects.values():
        for size in SIZES:
            if size in entry:
                c = entry[size]
                c["median_x"] = c["median_ms"] / c["memcpy_ms"]
                c["worst_x"] = c["worst_ms"] / c["memcpy_ms"]
    return effects


def met(ok):
    return "yes" if ok else "**no**"


def main():
    folder, commit = Path(sys.argv[1]), sys.argv[2]
    machine = load(folder, "machine.json") or {}
    effects = transitions(folder)
    lines = ["# Benchmark results", "",
             f"Written by `scripts/bench.sh` at commit {commit} on {machine.get('cpu', '?')}, "
             f"{machine.get('cores', '?')} cores ({machine.get('system', '?')}). Load average "
             f"{machine.get('load_start', 0):.1f} when the run began and {machine.get('load_end', 0):.1f} when it "
             "ended: other work shared the machine, so absolute times are noisy; the ratios compare measurements "
             "of the same run under the same conditions.", ""]

    # Summary -----------------------------------------------------------
    lines += ["## Summary", "", "| Measure | Result | Target | Met |", "|---|---|---|---|"]
    for size in SIZES:
        rows = [(e[size]["worst_x"], n, e["name"]) for n, e in effects.items() if size in e]
        if not rows:
            continue
        worst, number, name = max(rows)
        over = sorted(n for x, n, _ in rows if x > TICK_TARGET)
        lines.append(f"| Worst tick / frame memcpy, {len(rows)} effects at {size} | highest {worst:.2f}x "
                     f"({number} \"{name}\"); above the target: {', '.join(map(str, over)) or 'none'} "
                     f"| <= {TICK_TARGET}x | {met(not over)} |")
    fit = next((b for b in benchmarks(load(folder, "imageformats_bench.json")) if b["name"].startswith("FitVsDjpeg")),
               None)
    if fit:
        lines.append(f"| Decode and fit of a 24 MP JPEG to 1920x1080 / `djpeg -scale 3/8` | {fit['fit_vs_djpeg']:.2f}x "
                     f"({fit['fit_ms']:.0f} ms against {fit['djpeg_ms']:.0f} ms; the decode alone "
                     f"{fit['decode_vs_djpeg']:.2f}x) | <= {FIT_TARGET}x | {met(fit['fit_vs_djpeg'] <= FIT_TARGET)} |")
    for b in benchmarks(load(folder, "frame_bench.json")):
        m = re.match(r"BM_PrepareItem24MP/(\d)/(\d)", b["name"])
        if m:
            screen = SIZES[int(m.group(1))]
            background = "gradient background" if m.group(2) == "2" else "plain background"
            lines.append(f"| `PrepareItem` of a 24 MP JPEG, {screen}, {background} | {b['cpu_time']:.0f} ms "
                         f"| - | - |")
    wine = load(folder, "wine.json")
    if wine:
        launch, exit_ms = wine["launch_median_ms"], wine["exit_median_ms"]
        lines.append(f"| Launch to first frame under Wine, {wine['pictures']} | median {launch:.0f} ms "
                     f"(runs: {', '.join(f'{v:.0f}' for v in wine['launch_ms'])}); Wine starts and ends a program "
                     f"that does nothing in {wine['empty_program_median_ms']:.0f} ms | <= {LAUNCH_TARGET} ms "
                     f"| {met(launch <= LAUNCH_TARGET)} |")
        lines.append(f"| Input (a right click) to process exit under Wine | median {exit_ms:.0f} ms "
                     f"(runs: {', '.join(f'{v:.0f}' for v in wine['exit_ms'])}) | <= {EXIT_TARGET} ms "
                     f"| {met(exit_ms <= EXIT_TARGET)} |")
        cpu, wake = max(wine["standing_cpu_ms_per_s"]), max(wine["standing_wakeups_per_s"])
        lines.append(f"| While a slide stands: processor time, wake-ups of the process | at most {cpu:.1f} ms/s, "
                     f"{wake:.1f} wake-ups/s | no timer faster than 1/s | see notes |")
    else:
        lines.append("| Launch to first frame, input to exit under Wine | not measured in this run | | |")
    memory = load(folder, "memory.json")
    if memory:
        peak, budget = max(memory["peaks"].values()), memory["budget"]
        lines.append(f"| Peak working set under Wine, 24 MP pictures at {memory['screen']} (bench/MEMORY.md) "
                     f"| {peak / 2**20:.1f} MiB | <= {budget / 2**20:.1f} MiB (three frames, one decoded picture, "
                     f"32 MiB) | {met(peak <= budget)} |")
    else:
        lines.append("| Peak working set under Wine, 24 MP pictures at 3840x2160 | not measured in this run | | |")

    # Notes -------------------------------------------------------------
    lines += ["", "## How it is measured", "",
              "- Transitions (`bench/transition_ticks.h`): each effect runs eight times from the same start "
              "(speed 25, same seed) on a full-screen picture. Every run first copies the picture into the show "
              "image with one `memcpy`, the frame copy the ticks are divided by, made on the very buffers the "
              "effect works on and timed after an identical copy, so that its time does not depend on what the "
              "effect before it left in the caches; then the show image is set to the back image, as the program starts a transition on the "
              "frame its composer has just drawn there. A tick's time, and the copy's, is its fastest over the eight runs (thread processor "
              "time), which keeps other processes out of the worst tick without hiding a tick that is slow every "
              "time. Median and worst are over all ticks of a run, the final one included. The effects are run in two "
              "passes a few minutes apart; each effect and size shows its fastest median and worst tick and its "
              "fastest frame copy of the two passes, divided anew. On this shared machine a burst of other work "
              "can make every tick of an effect, or its frame copy, take up to twice as long in one pass; the "
              "fastest of each keeps a burst from standing for the effect and, by slowing the copy, from hiding "
              "a slow effect.",
              "- Decode and fit (`bench/imageformats_jpeg_bench.cpp`): processor time of our decode with the "
              "1920x1080 hint (DCT scale 3/8) plus the area-averaging fit to 1620x1080, against the processor "
              "time of `djpeg -scale 3/8 -outfile /dev/null` (its start-up included) on the same 6000x4000 file. "
              "3/8 is the smallest DCT scale whose picture (2250x1500) covers the fitted size; djpeg cannot scale "
              "to 1620x1080 itself.",
              "- `PrepareItem` (`bench/frame_compose_bench.cpp`): the composer decoding, fitting and composing one "
              "slide from an embedded 6000x4000 JPEG with caption and description, processor time.",
              "- Wine (`bench/wine_timings.py`): the 64-bit screensaver in a warm Wine session: prefix made, "
              "wine server started and the show launched once untimed beforehand, which starts Wine's desktop and "
              "system services (Windows runs them before any screensaver starts; under Wine the first program "
              "with a window starts them). The timed runs follow one another in that session, with Wine's X11 driver "
              "set to unmanaged windows: without a window manager (Xvfb has none) Wine waits 2 s for one to "
              "confirm that the hidden show window is gone (\"wait_for_withdrawn_state ... wait timed out\" in "
              "Wine's trace), a wait no Windows system has. The screen is a "
              f"{wine['screen'] if wine else '1024x768'} Xvfb screen. Launch to first frame runs from starting "
              "the program with /s to the first picture's colour at the screen's centre, read from the X server "
              "every 2 ms; it includes Wine's start of a Windows process. Input to exit runs from a right click "
              "(the default settings end the show on it) sent through XTest to the end of the program's process "
              "as the host sees it, so it includes Wine tearing the process down. Wake-ups are the voluntary context switches of all the process's threads "
              "over three seconds while the first slide stands; they include Wine's own threads.",
              ""]

    # Per effect --------------------------------------------------------
    lines += ["## Transitions", "",
              "Ticks divided by the frame memcpy of the same size; **bold** is above the target "
              f"({TICK_TARGET}x).", "",
              "| No. | Name | ticks | median 1920x1080 | worst 1920x1080 | median 3840x2160 | worst 3840x2160 |",
              "|---:|---|---:|---:|---:|---:|---:|"]

    def cell(value):
        return f"**{value:.2f}**" if value > TICK_TARGET else f"{value:.2f}"

    for number in sorted(effects):
        e = effects[number]
        row = [str(number), e["name"], str(int(e.get(SIZES[0], e.get(SIZES[1], {})).get("ticks", 0)))]
        for size in SIZES:
            c = e.get(size)
            row += [f"{c['median_x']:.2f}", cell(c["worst_x"])] if c else ["-", "-"]
        lines.append("| " + " | ".join(row) + " |")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
