"""A long run of the show with its timers sped up: a show of many items with
captions, descriptions, every kind of background and all the transitions plays
on, and what the process holds (GDI and USER objects, working set) stays flat
from slide to slide. The program reports its counts itself after each slide
when the test asks for it (SLIDESHOW_TEST_SOAK, see soak_probe.h).

Short by default; SLIDESHOW_SOAK_SLIDES sets the number of slides
(scripts/soak.sh runs a day's worth)."""
import os
import re
import statistics
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, manifest, set_settings

VK_ESCAPE = 27
ITEMS = 12
DIVISOR = 50               # timers run this many times faster
WARM_UP = 3 * ITEMS        # caches and fonts settle during the first rounds
MEMORY_SLACK = 4 << 20     # growth of the working set allowed over the whole run
# A small primary monitor beside a black one: slides come quickly, and the
# cover window of the other monitor is part of the run.
MONITORS = "0,0,400,300*;400,0,1024,768"


def read_log(path):
    """[(slide, {field: number})] from the probe's lines."""
    if not path.exists():
        return []
    rows = []
    for line in path.read_text().splitlines():
        fields = dict(re.findall(r"(\w+)=(\d+)", line))
        if "slide" in fields:
            rows.append({key: int(value) for key, value in fields.items()})
    return rows


class SoakTest(E2ETest, unittest.TestCase):
    def build(self, name):
        files, items = {}, []
        for k in range(ITEMS):
            files[f"p{k}.bmp"] = bmp(40 + 23 * k, 30 + 17 * k, (20 * k, 255 - 20 * k, 90))
            items.append({
                "File": f"p{k}.bmp", "Caption": f"Slide {k}", "CaptionPosition": k % 10,
                "Text": f"Item {k}\nsecond line\nthird line", "TextPosition": (k + 4) % 10,
                "BackgroundKinds": "0;1;2;", "BackgroundSources": "0;1;", "GradientStyles": " 0; 4; 8; 10;",
                "Transparent": k % 4 == 3, "TransitionSpeed": 50 - 5 * (k % 4), "RandomTransition": True,
            })
        fields = {"ProjectName": name, "SlideSeconds": 1, "FitMode": 1, "RandomOrder": False,
                  "ComposeMode": 0}
        return harness.build_show(manifest(fields, items), name, self.scratch("soak"), files)

    def test_memory_and_object_counts_stay_flat_slide_after_slide(self):
        slides = int(os.environ.get("SLIDESHOW_SOAK_SLIDES", "240"))
        program = self.build("Soak.scr")
        set_settings(self.wine, "Soak.scr", {"newtransition": 0})
        log = self.scratch("soak") / "soak.log"
        proc = self.wine.start(program, "/s",
                               env={"SLIDESHOW_TEST_SOAK": f"{DIVISOR};{self.wine.windows_path(log)}",
                                    "SLIDESHOW_TEST_MONITORS": MONITORS})
        window = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(window, "the show window did not appear")
        start = time.monotonic()
        rows = []
        while len(rows) < slides + WARM_UP:
            self.assertIsNone(proc.poll(), f"the show ended after {len(rows)} slides")
            time.sleep(2)
            rows = read_log(log)
            # Several slides a second; a stalled show fails instead of waiting forever.
            self.assertLess(time.monotonic() - start, 120 + (slides + WARM_UP), f"only {len(rows)} slides")
        elapsed = time.monotonic() - start
        self.wine.wintool("foreground", window["hwnd"])
        self.wine.wintool("key", VK_ESCAPE)
        ended = self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] == window["hwnd"]], timeout=20)
        self.assertTrue(ended, "the show did not end on Esc after the long run")

        settled = rows[WARM_UP:]
        print(f"\nsoak: {len(rows)} slides in {elapsed:.0f} s; gdi {settled[0]['gdi']}..{settled[-1]['gdi']}, "
              f"user {settled[0]['user']}..{settled[-1]['user']}, working set "
              f"{settled[0]['ws'] >> 10} -> {settled[-1]['ws'] >> 10} KiB, peak {settled[-1]['peak'] >> 10} KiB")
        for key in ("gdi", "user"):
            counts = sorted({row[key] for row in settled})
            self.assertEqual(len(counts), 1, f"{key} objects changed between slides: {counts}")
        first = statistics.median_low(row["ws"] for row in settled[:10])
        last = statistics.median_low(row["ws"] for row in settled[-10:])
        self.assertLessEqual(last - first, MEMORY_SLACK,
                             f"the working set grew by {(last - first) >> 10} KiB over {len(settled)} slides")
        self.assertLessEqual(settled[-1]["peak"] - settled[0]["peak"], MEMORY_SLACK, "the peak kept rising")


if __name__ == "__main__":
    unittest.main()
