"""The show and its dialogs at a higher DPI (Wine's LogPixels, which a new wine
server reads): a caption is drawn at the monitor's DPI, so a 12-point caption
is 24 pixels high at 144 dpi instead of 16, while a picture keeps its pixel
size; the settings dialog with its picture, the about box and the password
prompt grow with their fonts, and nothing in them is clipped at 125 %, 150 %
and 200 %."""
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, manifest, screen_area, set_settings

CENTRE = (harness.SCREEN[0] // 2, harness.SCREEN[1] // 2)
PICTURE = (40, 30)
WM_COMMAND = 0x0111
IDM_ABOUT1 = 2023
IDC_IMGDLG = 2101
IDC_PCTL = 2102
VK_ESCAPE = 27
DIALOG_FONT = ("8", "MS Shell Dlg 2")  # the templates' font (DS_SHELLFONT)


def bright_box(rgb, width, threshold=128, colour=None):
    """(left, top, right, bottom) of the pixels brighter than `threshold` in
    every channel (or of exactly `colour`) in raw RGB bytes of `width` pixels a
    row; None when there are none."""
    box = None
    for i in range(0, len(rgb), 3):
        px = tuple(rgb[i:i + 3])
        if (px == colour) if colour else min(px) > threshold:
            x, y = (i // 3) % width, (i // 3) // width
            box = (x, y, x + 1, y + 1) if box is None else (
                min(box[0], x), min(box[1], y), max(box[2], x + 1), max(box[3], y + 1))
    return box


class DpiTest(E2ETest, unittest.TestCase):
    def set_dpi(self, dpi):
        self.wine.run("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                      "/d", str(dpi), "/f")
        self.wine.stop_all()  # the next wine server reads it

    def tearDown(self):
        super().tearDown()
        self.set_dpi(96)

    # The show ------------------------------------------------------------------

    def caption_and_picture(self, dpi):
        """The boxes of the white caption at the top left and of the red picture
        in the middle, as drawn at `dpi`."""
        self.set_dpi(dpi)
        name = f"Caption{dpi}.scr"
        item = {"File": "red.bmp", "Caption": "Twelve point caption", "CaptionPosition": 1,
                "CaptionFont": {"Name": "Arial", "Height": -16, "Color": "#FFFFFF"}, "ShowText": False,
                "BackgroundKinds": "0;", "RandomBackgroundColor": False, "BackgroundColor": 0,
                "Transitions": [], "RandomTransition": False}
        fields = {"ProjectName": name, "SlideSeconds": 30, "FitMode": 0, "RandomPlacement": False}
        program = harness.build_show(manifest(fields, [item]), name, self.scratch(str(dpi)),
                                     {"red.bmp": bmp(*PICTURE, (255, 0, 0))})
        set_settings(self.wine, name)
        self.wine.start(program, "/s")
        self.assertIsNotNone(self.wine.wait_window(**{"class": "TfRun", "visible": 1}), "no show window")
        time.sleep(2)
        top = screen_area(self.wine, (0, 0, 600, 100))
        middle = (CENTRE[0] - 60, CENTRE[1] - 60, CENTRE[0] + 60, CENTRE[1] + 60)
        picture = bright_box(screen_area(self.wine, middle), 120, colour=(255, 0, 0))
        self.wine.stop_all()
        return bright_box(top, 600), picture

    def test_captions_follow_the_dpi_and_pictures_keep_their_pixel_size(self):
        caption96, picture96 = self.caption_and_picture(96)
        caption144, picture144 = self.caption_and_picture(144)
        self.assertIsNotNone(caption96, "no caption at 96 dpi")
        self.assertIsNotNone(caption144, "no caption at 144 dpi")
        size = lambda box: (box[2] - box[0], box[3] - box[1])  # noqa: E731
        (w96, h96), (w144, h144) = size(caption96), size(caption144)
        # 12 points: 16 pixels a character at 96 dpi, 24 at 144; the ink of
        # "Twelve point caption" (cap height to descender) is a little less.
        self.assertTrue(13 <= h96 <= 17, f"the caption's ink at 96 dpi is {h96} pixels high")
        self.assertTrue(20 <= h144 <= 25, f"the caption's ink at 144 dpi is {h144} pixels high")
        self.assertAlmostEqual(w144 / w96, 1.5, delta=0.12, msg=f"widths {w96} and {w144}")
        self.assertEqual(size(picture96), PICTURE)
        self.assertEqual(size(picture144), PICTURE, "the picture was scaled with the text")

    # The dialogs ---------------------------------------------------------------

    maxDiff = None

    def assert_fits(self, window, what):
        problems = self.wine.wintool("fits", window["hwnd"], *DIALOG_FONT).strip()
        self.assertEqual(problems, "", f"{what}: controls clipped or outside their parent")

    def test_dialogs_grow_with_their_fonts_and_nothing_is_clipped(self):
        for dpi in (120, 144, 192):
            with self.subTest(dpi=dpi):
                self.set_dpi(dpi)
                self.check_settings_dialog(dpi)
                self.wine.stop_all()
                self.check_password_prompt(dpi)

    def check_settings_dialog(self, dpi):
        name = f"Dialog{dpi}.scr"
        fields = {"ProjectName": name, "ShowDialogImage": True, "DialogImage": "face.bmp", "ShowAuthorInfo": True,
                  "ShowAuthorWebSite": True, "AuthorName": "Ann Example", "AuthorWebSite": "http://example.org",
                  "ShowAuthorEmail": True, "AuthorEmail": "ann@example.org", "ShowDescription": True,
                  "Description": "Pictures of the sea", "ShowHelpMenu": True, "Version": "2.5",
                  "Copyright": "(c) Ann Example", "VersionLabelText": "Version", "MemoryLabelText":
                  "Memory Available to Windows:"}
        program = harness.build_show(manifest(fields, [{"File": "face.bmp"}]), name,
                                     self.scratch(f"dialog{dpi}"), {"face.bmp": bmp(8, 20, (0, 0, 255))})
        self.wine.start(program, "/c")
        dialog = self.wine.wait_window(text="Screensaver Setting", visible=1)
        self.assertIsNotNone(dialog, "the settings dialog did not open")
        time.sleep(1)
        left, top, right, bottom = dialog["rect"]
        # It grows with its font, which grows about as the DPI does.
        self.assertGreater(right - left, 0.9 * 450 * dpi / 96, "the dialog did not grow")
        self.assert_fits(dialog, f"settings dialog at {dpi} dpi")
        # The picture beside the pages (100 by 250 beside 321 by 221 at 96 dpi)
        # grows with the dialog and fills its frame.
        children = {w["id"]: w["rect"] for w in self.wine.windows() if w["parent"] == dialog["hwnd"]}
        l, t, r, b = children[IDC_IMGDLG]
        pl, pt, pr, pb = children[IDC_PCTL]
        self.assertAlmostEqual((r - l) / (pr - pl), 100 / 321, delta=0.01)
        self.assertAlmostEqual((b - t) / (pb - pt), 250 / 221, delta=0.02)
        inset = (r - l) // 20
        inside = screen_area(self.wine, (l + inset, t + inset, r - inset, b - inset))
        self.assertEqual(set(zip(inside[0::3], inside[1::3], inside[2::3])), {(0, 0, 255)})

        self.wine.wintool("post", dialog["hwnd"], WM_COMMAND, IDM_ABOUT1, 0)
        about = self.wine.wait_window(text=f"About {name}", visible=1)
        self.assertIsNotNone(about, "no about box")
        self.assertGreaterEqual(about["rect"][2] - about["rect"][0], 300 * dpi // 96)
        self.assert_fits(about, f"about box at {dpi} dpi")

    def check_password_prompt(self, dpi):
        name = f"Locked{dpi}.scr"
        fields = {"ProjectName": name, "SlideSeconds": 60}
        program = harness.build_show(manifest(fields, [{"File": "red.bmp"}]), name, self.scratch(f"locked{dpi}"),
                                     {"red.bmp": bmp(4, 4, (255, 0, 0))})
        set_settings(self.wine, name, {"Enabled password": 1, "Pwd": "secret"})
        self.wine.start(program, "/s")
        show = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(show, "no show window")
        time.sleep(1)
        self.wine.wintool("foreground", show["hwnd"])
        self.wine.wintool("key", VK_ESCAPE)
        prompt = self.wine.wait_window(text="Screensaver Password", visible=1)
        self.assertIsNotNone(prompt, "no password prompt")
        self.assertGreaterEqual(prompt["rect"][2] - prompt["rect"][0], 259 * dpi // 96)
        self.assert_fits(prompt, f"password prompt at {dpi} dpi")


if __name__ == "__main__":
    unittest.main()
