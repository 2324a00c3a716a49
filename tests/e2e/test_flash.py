"""Flash movie items on the real screen. Wine has no Flash control, so the
show's own stand-in player plays the movies: a movie covers the screen in its
background colour, ends by its rule and the show goes on to the next picture;
Esc during a movie ends the show when the settings say so; closing the movie
window lets the show go on; a file that is not a movie gets one message, and
the show goes on."""
import sys
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, colour_item, manifest, screen_pixel, set_settings

sys.path.insert(0, str(harness.ROOT / "tools"))
import make_movie  # noqa: E402

VK_RETURN, VK_ESCAPE, VK_MENU, VK_F4 = 13, 27, 18, 115
MOVIE_RGB = (0x20, 0x80, 0xC0)
RED = (255, 0, 0)
POINTS = [(harness.SCREEN[0] // 2, harness.SCREEN[1] // 2), (3, 3), (harness.SCREEN[0] - 4, harness.SCREEN[1] - 4),
          (harness.SCREEN[0] - 4, 5), (6, harness.SCREEN[1] - 4)]
CENTRE = POINTS[0]


def close_to(rgb, expected, tolerance=3):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def movie_bytes(frames=24, compression="C"):
    """A 320 x 240 movie whose background tag is MOVIE_RGB."""
    body = make_movie.movie(320, 240, 12, frames, background=bytes(MOVIE_RGB))
    return make_movie.pack(body, compression)


class FlashTest(E2ETest, unittest.TestCase):
    # Every test has its own project name, and so its own settings key.

    def start_show(self, name, flash, settings=None, media_embedded=True):
        """A Flash item (the movie's background colour also set on the record),
        then a red picture that stays; returns (process, program folder)."""
        folder = self.scratch(name.replace(".", "_"))
        item = {"File": "movie.swf", "Kind": 1, "FlashBackgroundColor": "#%02X%02X%02X" % MOVIE_RGB,
                "ShowCaption": False, "ShowText": False, "BackgroundKinds": "0;", "BackgroundColor": 0}
        item.update(flash)
        fields = {"ProjectName": name, "SlideSeconds": 30, "FitMode": 3, "RandomOrder": False,
                  "RandomPlacement": False, "MediaEmbedded": media_embedded}
        files = {"movie.swf": movie_bytes(), "red.bmp": bmp(16, 12, RED)}
        program = harness.build_show(manifest(fields, [item, colour_item("red.bmp")]), name, folder, files)
        set_settings(self.wine, name, settings)
        return program, folder

    def wait_flash_window(self):
        window = self.wine.wait_window(**{"class": "TfFlashform", "visible": 1})
        self.assertIsNotNone(window, "the Flash window did not appear")
        return window

    def wait_colour(self, expected, timeout):
        """Seconds until the centre shows `expected`, or None."""
        start = time.monotonic()
        while time.monotonic() - start < timeout:
            if close_to(screen_pixel(self.wine, *CENTRE), expected):
                return time.monotonic() - start
            time.sleep(0.1)
        return None

    def assert_ended(self, proc, timeout=20):
        end = time.time() + timeout
        while proc.poll() is None and time.time() < end:
            time.sleep(0.2)
        self.assertIsNotNone(proc.poll(), "the show went on")

    def test_movie_covers_the_screen_ends_by_its_rule_and_the_show_goes_on(self):
        # End mode 1 with 2 seconds: the end comes at the third tick after
        # opening; the next item follows 1 s later (the timer's first interval).
        program, _ = self.start_show("FlashTimed.scr", {"FlashStopMode": 1, "FlashStopTicks": 2})
        proc = self.wine.start(program, "/s")
        window = self.wait_flash_window()
        opened = time.monotonic()
        self.assertEqual(window["rect"], (0, 0) + harness.SCREEN)
        self.assertEqual(window["text"], "FlashPanel")
        time.sleep(0.5)
        for point in POINTS:
            self.assertTrue(close_to(screen_pixel(self.wine, *point), MOVIE_RGB),
                            f"not the movie's colour at {point}: {screen_pixel(self.wine, *point)}")
        waited = self.wait_colour(RED, timeout=15)
        self.assertIsNotNone(waited, "the show did not go on to the picture")
        after = time.monotonic() - opened
        self.assertGreater(after, 2.5, "the movie ended before its two seconds were up")
        self.assertLess(after, 8.0, "the movie outlasted its rule")
        self.assertEqual(self.wine.find(**{"class": "TfFlashform"}), [], "the Flash window stayed")
        self.assertIsNone(proc.poll(), "the show ended")

    def test_esc_during_the_movie_ends_the_show_when_the_settings_say_so(self):
        program, _ = self.start_show("FlashEsc.scr", {"FlashStopMode": 1, "FlashStopTicks": 120})
        proc = self.wine.start(program, "/s")
        window = self.wait_flash_window()
        time.sleep(0.5)
        self.wine.wintool("foreground", window["hwnd"])
        self.wine.wintool("key", VK_ESCAPE)
        self.assert_ended(proc)

    def test_esc_off_leaves_the_movie_playing_and_enter_ends_the_show(self):
        program, _ = self.start_show("FlashEscOff.scr", {"FlashStopMode": 1, "FlashStopTicks": 120},
                                     {"Esc Key": 0})
        proc = self.wine.start(program, "/s")
        window = self.wait_flash_window()
        time.sleep(0.5)
        self.wine.wintool("foreground", window["hwnd"])
        self.wine.wintool("key", VK_ESCAPE)
        time.sleep(2.0)
        self.assertIsNone(proc.poll(), "Esc ended the show")
        self.assertTrue(self.wine.find(hwnd=window["hwnd"], visible=1), "the Flash window went away")
        self.wine.wintool("foreground", window["hwnd"])
        self.wine.wintool("key", VK_RETURN)
        self.assert_ended(proc)

    def test_closing_the_movie_window_lets_the_show_go_on(self):
        # Alt+F4 is not blocked on the Flash window: it closes, tells the run
        # window, and the next item comes.
        program, _ = self.start_show("FlashAltF4.scr", {"FlashStopMode": 1, "FlashStopTicks": 120})
        proc = self.wine.start(program, "/s")
        window = self.wait_flash_window()
        time.sleep(0.5)
        self.wine.wintool("foreground", window["hwnd"])
        self.wine.wintool("combo", VK_MENU, VK_F4)
        self.assertIsNotNone(self.wait_colour(RED, timeout=15), "the show did not go on to the picture")
        self.assertEqual(self.wine.find(**{"class": "TfFlashform"}), [], "the Flash window stayed")
        self.assertIsNone(proc.poll(), "the show ended")

    def test_a_file_that_is_not_a_movie_gets_one_message_and_the_show_goes_on(self):
        # The movie lies beside the program and is damaged after the build.
        program, folder = self.start_show("FlashDamaged.scr", {"FlashStopMode": 1, "FlashStopTicks": 2},
                                          media_embedded=False)
        self.assertTrue((folder / "movie.swf").exists(), "showpack did not put the movie beside the program")
        good = (folder / "movie.swf").read_bytes()
        (folder / "movie.swf").write_bytes(good[:8] + bytes(32))  # a body that does not inflate
        proc = self.wine.start(program, "/s")
        message = self.wine.wait_window(**{"class": "#32770", "visible": 1}, timeout=30)
        self.assertIsNotNone(message, "no message about the damaged movie")
        self.assertEqual(message["text"], "Screensaver")
        texts = [w["text"] for w in self.wine.find(parent=message["hwnd"])]
        self.assertTrue([t for t in texts if "movie.swf cannot be played: the compressed movie does not inflate" in t],
                        f"the message does not say why: {texts}")
        self.assertEqual(self.wine.find(**{"class": "TfFlashform", "visible": 1}), [], "a window opened for it")
        self.wine.wintool("foreground", message["hwnd"])
        self.wine.wintool("key", VK_RETURN)
        self.assertIsNotNone(self.wait_colour(RED, timeout=15), "the show did not go on to the picture")
        time.sleep(1.0)
        self.assertEqual(self.wine.find(**{"class": "#32770", "visible": 1}), [], "a second message")
        self.assertIsNone(proc.poll(), "the show ended")


if __name__ == "__main__":
    unittest.main()
