"""Transitions on the real screen: a red slide followed by a green one brought
in by one effect of each family. The screen must pass through frames that show
both colours, and end wholly green."""
import subprocess
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, colour_item, manifest, set_settings

# One effect of each family, with a speed that makes it last about a second.
EFFECTS = {
    "Band down large": (0, 10),
    "Circle(Center)": (36, 5),
    "Move left": (69, 10),
    "Roll down": (100, 5),
    "Block from center": (20, 25),
    "Stretch from center": (123, 1),
}
RED, GREEN = (255, 0, 0), (0, 255, 0)
SAMPLE = (64, 48)


def share_of(frame, rgb):
    """The share of the frame's pixels within a small distance of `rgb`."""
    pixels = len(frame) // 3
    hits = sum(1 for i in range(0, len(frame), 3)
               if all(abs(frame[i + c] - rgb[c]) < 40 for c in range(3)))
    return hits / pixels


class TransitionsTest(E2ETest, unittest.TestCase):

    def screen_sample(self):
        """The whole screen shrunk to a few thousand pixels, as RGB bytes."""
        return subprocess.run(
            ["import", "-display", self.wine.display, "-window", "root", "-depth", "8", "-resize",
             f"{SAMPLE[0]}x{SAMPLE[1]}!", "rgb:-"], capture_output=True, check=True, timeout=60).stdout

    def test_each_family_brings_the_next_picture_in_steps(self):
        for name, (number, speed) in EFFECTS.items():
            with self.subTest(effect=name):
                project = f"Effect{number}.scr"
                red = colour_item("red.bmp")
                green = dict(colour_item("green.bmp"), Transitions=[number], TransitionSpeed=speed)
                text = manifest({"ProjectName": project, "SlideSeconds": 1, "FitMode": 3, "RandomOrder": False,
                                 "RandomPlacement": False}, [red, green])
                program = harness.build_show(text, project, self.scratch(f"effect{number}"),
                                             {"red.bmp": bmp(16, 12, RED), "green.bmp": bmp(16, 12, GREEN)})
                set_settings(self.wine, project)
                self.wine.start(program, "/s")
                try:
                    self.assertIsNotNone(self.wine.wait_window(**{"class": "TfRun", "visible": 1}))
                    # Red holds for two seconds; the green slide's transition follows.
                    mixed = green_whole = False
                    end = time.time() + 12
                    while time.time() < end and not green_whole:
                        frame = self.screen_sample()
                        red_share, green_share = share_of(frame, RED), share_of(frame, GREEN)
                        mixed = mixed or (red_share > 0.05 and green_share > 0.05)
                        green_whole = green_share > 0.99
                    self.assertTrue(mixed, "no frame showed the old and the new picture together")
                    self.assertTrue(green_whole, "the new picture was never shown whole")
                finally:  # a show left running would answer the next effect's start
                    self.wine.stop_all()


if __name__ == "__main__":
    unittest.main()
