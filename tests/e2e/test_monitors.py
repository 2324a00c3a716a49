"""A full-screen show on a machine with more than one monitor: the slides play
on the primary monitor at its size, every other monitor is black, and a mouse
moved or clicked there ends the show like one over the slides; the keyboard
stays with the show. Xvfb gives Wine a single monitor, so the program is told
its monitors (SLIDESHOW_TEST_MONITORS, read only for tests): here the primary
is the right part of the screen and another monitor the left part, left of the
primary's origin, where the show's own coordinates are negative."""
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, colour_item, manifest, screen_area, screen_pixel, set_settings

OTHER = (0, 0, 384, 768)
PRIMARY = (384, 0, 1024, 768)
MONITORS = "0,0,384,768;384,0,1024,768*"
VK_ESCAPE = 27
WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE = 0x8, 0x80, 0x08000000
RED = (255, 0, 0)


class MonitorsTest(E2ETest, unittest.TestCase):
    def start_show(self, name, settings=None):
        fields = {"ProjectName": name, "SlideSeconds": 30, "FitMode": 3}
        program = harness.build_show(manifest(fields, [colour_item("red.bmp")]), name,
                                     self.scratch(name.replace(".", "_")), {"red.bmp": bmp(16, 12, RED)})
        set_settings(self.wine, name, settings)
        proc = self.wine.start(program, "/s", env={"SLIDESHOW_TEST_MONITORS": MONITORS})
        show = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(show, "the show window did not appear")
        time.sleep(1.5)
        covers = self.wine.find(**{"class": "TfRunCover"})
        return proc, show, covers

    def assert_all_gone(self, proc, *windows):
        handles = {w["hwnd"] for w in windows}
        gone = self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] in handles], timeout=20)
        self.assertTrue(gone, "a window of the show stayed")
        end = time.time() + 20
        while proc.poll() is None and time.time() < end:
            time.sleep(0.2)
        self.assertIsNotNone(proc.poll(), "the show process went on")

    def test_slides_on_the_primary_and_black_on_the_other_monitor(self):
        proc, show, covers = self.start_show("TwoScreens.scr")
        self.assertEqual(show["rect"], PRIMARY, "the show is the primary monitor's size and place")
        self.assertEqual(len(covers), 1)
        cover = covers[0]
        self.assertEqual(cover["rect"], OTHER)
        self.assertEqual(cover["visible"], 1)
        self.assertEqual(cover["owner"], show["hwnd"], "the cover belongs to the show and ends with it")
        for flag in (WS_EX_TOPMOST, WS_EX_TOOLWINDOW, WS_EX_NOACTIVATE):
            self.assertTrue(cover["exstyle"] & flag, hex(flag))
        # The picture, stretched over W x H, fills the primary and stops at its edge.
        left = screen_area(self.wine, OTHER)
        self.assertEqual(set(left), {0}, "the other monitor is not all black")
        self.assertEqual(screen_pixel(self.wine, PRIMARY[0], 0), RED)
        self.assertEqual(screen_pixel(self.wine, PRIMARY[2] - 1, PRIMARY[3] - 1), RED)

    def test_a_mouse_moved_on_the_other_monitor_ends_the_show(self):
        proc, show, covers = self.start_show("MoveThere.scr", {"Mouse Sensitivity": 0})
        self.wine.wintool("move", 100, 300)
        time.sleep(0.5)
        self.assertIsNone(proc.poll(), "the first position alone ended the show")
        self.wine.wintool("move", 140, 300)  # 40 pixels: beyond the threshold of 10
        self.assert_all_gone(proc, show, *covers)

    def test_a_click_there_ends_the_show_and_the_keyboard_stays_with_it(self):
        proc, show, covers = self.start_show("ClickThere.scr", {"Mouse Left Click": 1, "Mouse Move": 0})
        self.wine.wintool("click", 200, 400)
        self.assert_all_gone(proc, show, *covers)

        proc, show, covers = self.start_show("KeysStay.scr", {"Mouse Move": 0, "Mouse Right Click": 0,
                                                              "Mouse Double Click": 0})
        self.wine.wintool("foreground", show["hwnd"])
        self.wine.wintool("click", 200, 400)  # no effect: clicks do not end this show
        time.sleep(1)
        self.assertIsNone(proc.poll(), "a click ended a show whose clicks are off")
        self.wine.wintool("key", VK_ESCAPE)
        self.assert_all_gone(proc, show, *covers)


if __name__ == "__main__":
    unittest.main()
