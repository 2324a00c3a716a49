"""A composed slide on the real screen: where the caption and the lines of the
description land, where a fitted picture lands, and the gradient background.

Every show here has one picture item, no transition (the slide appears at
once) and a long display time, so that one screenshot sees the finished frame.
The screen is read whole and examined in Python."""
import struct
import tempfile
import time
import unittest
from pathlib import Path

import harness
from harness import E2ETest
from show_fixtures import bmp, screen_area, set_settings, toml_value

W, H = harness.SCREEN
BLACK = (0, 0, 0)
WHITE = "#FFFFFF"
RIGHT_MARGIN = 20


class Shot:
    """One screenshot of the whole screen, as rows of RGB bytes."""

    def __init__(self, data, width=W, height=H):
        if len(data) != width * height * 3:
            raise ValueError(f"screenshot of {len(data)} bytes, expected {width * height * 3}")
        self.data, self.width, self.height = data, width, height

    def rgb(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def row(self, y):
        return self.data[y * self.width * 3:(y + 1) * self.width * 3]

    def lit(self, exclude=None, floor=64):
        """Every pixel, outside the rectangle `exclude`, with a channel at or above
        `floor`, as a list of (x, y). Text anti-aliasing makes greys at the glyph
        edges; the floor keeps the faint ones out."""
        points = []
        for y in range(self.height):
            row = self.row(y)
            if max(row) < floor:
                continue
            for x in range(self.width):
                if max(row[3 * x:3 * x + 3]) >= floor and not inside(exclude, x, y):
                    points.append((x, y))
        return points


def inside(rect, x, y):
    return rect is not None and rect[0] <= x < rect[2] and rect[1] <= y < rect[3]


def bounds(points):
    """(left, top, right, bottom) of the points, right and bottom inclusive."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def row_bands(points):
    """The runs of consecutive rows that hold points, as [(first row, last row)]."""
    bands = []
    for y in sorted({p[1] for p in points}):
        if bands and bands[-1][1] == y - 1:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return [tuple(b) for b in bands]


def close(rgb, expected, tolerance=2):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def font(height=-40, bold=True):
    table = {"Name": "Arial", "Height": height, "Color": WHITE}
    if bold:
        table["Style"] = "1"
    return table


def bmp_bands(width, bands):
    """An uncompressed 24-bit bitmap of horizontal bands, [(rows, rgb)] from
    the top down: the bands' pixel rows (stored bottom-up) under the header of
    a bitmap of their total height."""
    pixels = b"".join(bmp(width, count, rgb)[54:] for count, rgb in reversed(bands))
    return bmp(width, sum(count for count, _ in bands), BLACK)[:54] + pixels


def manifest(project, items):
    """A showpack manifest; a value that is a dict (a font) is written as an
    inline table."""
    def value(v):
        if isinstance(v, dict):
            return "{ " + ", ".join(f"{k} = {value(x)}" for k, x in v.items()) + " }"
        # A line break inside a quoted TOML string is written as \n.
        return toml_value(v).replace("\n", "\\n")

    lines = ["[project]"] + [f"{key} = {value(v)}" for key, v in project.items()]
    for item in items:
        lines += ["", "[[item]]"] + [f"{key} = {value(v)}" for key, v in item.items()]
    return "\n".join(lines) + "\n"


def plain_item(file_name, **fields):
    """A picture on black, no texts, no transition; `fields` laid over."""
    item = {"File": file_name, "ShowCaption": False, "ShowText": False, "BackgroundKinds": "0;",
            "RandomBackgroundColor": False, "BackgroundColor": 0, "Transitions": [],
            "RandomTransition": False, "Transparent": False}
    item.update(fields)
    return item


def gradient_row(y, start, end, span):
    """The colour of row y of a top-to-bottom gradient: per channel
    start + round(y * step), the step held in single precision."""
    def single(v):
        return struct.unpack("f", struct.pack("f", v))[0]

    return tuple(s + round(y * single((e - s) / span)) for s, e in zip(start, end))


class FrameCompositionTest(E2ETest, unittest.TestCase):
    # Each test builds its own project, and so has its own settings key.

    def show(self, name, picture, item, fit_mode=0, compose_mode=1, wait_for=None):
        """Builds and starts a show of one item; returns the screenshot taken
        once the pixel `wait_for` = ((x, y), rgb) has the colour (the slide is
        up), or after a fixed pause without it."""
        project = {"ProjectName": name, "SlideSeconds": 60, "FitMode": fit_mode, "RandomOrder": False,
                   "RandomPlacement": False, "ComposeMode": compose_mode}
        folder = self.scratch(name.replace(".", "_"))
        program = harness.build_show(manifest(project, [item]), name, folder, {item["File"]: picture})
        set_settings(self.wine, name)
        self.wine.start(program, "/s")
        window = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(window, "the show window did not appear")
        self.assertEqual(window["rect"], (0, 0, W, H))
        end = time.time() + 20
        while True:
            time.sleep(1.0)
            shot = Shot(screen_area(self.wine, (0, 0, W, H)))
            if wait_for is None or close(shot.rgb(*wait_for[0]), wait_for[1]) or time.time() > end:
                break
        # One more look: the first may have caught the slide half drawn.
        time.sleep(0.5)
        shot = Shot(screen_area(self.wine, (0, 0, W, H)))
        self.last_shot = shot
        return shot

    def tearDown(self):
        # Keep the screen of a failed test for a look afterwards.
        result = getattr(getattr(self, "_outcome", None), "result", None)
        failed = result is not None and any(test is self for test, _ in result.failures + result.errors)
        if failed and getattr(self, "last_shot", None) is not None:
            folder = Path(tempfile.gettempdir()) / "slideshow-e2e-screens"
            folder.mkdir(exist_ok=True)
            self.save_ppm(self.last_shot, folder / f"{self._testMethodName}.ppm")
        super().tearDown()

    @staticmethod
    def save_ppm(shot, path):
        path.write_bytes(f"P6 {shot.width} {shot.height} 255\n".encode() + shot.data)
        print(f"\nscreen saved in {path}")

    def assert_area(self, shot, rect, rgb, what, tolerance=2):
        """Every pixel of `rect` (left, top, right, bottom; right and bottom
        exclusive) has the colour `rgb`."""
        left, top, right, bottom = rect
        for y in range(top, bottom):
            row = shot.row(y)
            for x in range(left, right):
                pixel = tuple(row[3 * x:3 * x + 3])
                if not close(pixel, rgb, tolerance):
                    self.fail(f"{what}: pixel ({x}, {y}) is {pixel}, expected {rgb}")

    # Caption -------------------------------------------------------------------

    def caption_show(self, name, position):
        """A 200 by 100 dark blue picture in the middle of a black screen, in
        actual size, with a white bold caption at `position`."""
        blue = (0, 0, 128)
        item = plain_item("blue.bmp", ShowCaption=True, Caption="CAPTION", CaptionFont=font(),
                          CaptionPosition=position)
        picture_rect = ((W - 200) // 2, (H - 100) // 2, (W - 200) // 2 + 200, (H - 100) // 2 + 100)
        shot = self.show(name, bmp(200, 100, blue), item, fit_mode=0, compose_mode=1,
                         wait_for=(((W // 2), (H // 2)), blue))
        # The picture, untouched by the caption, at the centre.
        self.assert_area(shot, picture_rect, blue, "the picture")
        lit = shot.lit(exclude=picture_rect)
        self.assertTrue(lit, "no caption on the screen")
        white = [p for p in lit if min(shot.rgb(*p)) >= 200]
        self.assertGreater(len(white), 200, "the caption has hardly any white pixels")
        return bounds(lit)

    def test_caption_top_right_ends_twenty_pixels_before_the_right_edge(self):
        left, top, right, bottom = self.caption_show("CaptionTopRight.scr", 2)
        # One line at the top: a 40 pixel font makes a line under 60 pixels high.
        self.assertLessEqual(top, 12, "the caption does not start at the top")
        self.assertLess(bottom, 60, "lit pixels below the caption's line")
        # Right-aligned: the last glyph's right side bearing lies within the
        # last few pixels before the margin.
        self.assertGreaterEqual(W - 1 - right, RIGHT_MARGIN, "the caption reaches into the right margin")
        self.assertLessEqual(W - 1 - right, RIGHT_MARGIN + 10, "the caption is not against the right margin")
        # Seven bold capitals of 40 pixels are wide, but well under half the screen.
        self.assertGreater(left, W // 2, "lit pixels in the left half")
        self.assertGreater(right - left, 120, "the caption is too narrow to be the whole word")

    def test_caption_bottom_centre_sits_on_the_bottom_edge_centred(self):
        left, top, right, bottom = self.caption_show("CaptionBottom.scr", 3)
        # The line's box ends at the bottom edge; capitals have no descent, so
        # the lit rows end a few pixels above it.
        self.assertGreater(top, H - 60, "lit pixels above the caption's line")
        self.assertLess(bottom, H - 1, "the caption's box was cut at the bottom")
        self.assertGreater(bottom, H - 20, "the caption is not at the bottom")
        self.assertLessEqual(abs((left + right) / 2 - W / 2), 4, f"not centred: columns {left}..{right}")

    def test_caption_middle_left_starts_at_the_left_edge(self):
        left, top, right, bottom = self.caption_show("CaptionMiddleLeft.scr", 7)
        self.assertLessEqual(left, 4, "the caption does not start at the left edge")
        self.assertLess(right, (W - 200) // 2, "the caption reaches the picture")
        # Vertically centred: the capitals' rows lie around the middle, a little
        # above it since the line's box holds the descent below them.
        self.assertLess(top, H // 2)
        self.assertGreater(bottom, H // 2 - 10)
        self.assertLessEqual(abs((top + bottom) / 2 - H / 2), 12, f"not centred: rows {top}..{bottom}")

    # Texts and picture: in composite mode the texts are drawn over the
    # picture; otherwise they go onto the background, under it. The caption is
    # wider than the narrow picture, so its ends show on both sides either way.
    def caption_across_a_narrow_picture(self, name, compose_mode):
        blue = (0, 0, 128)
        picture_rect = ((W - 100) // 2, (H - 200) // 2, (W - 100) // 2 + 100, (H - 200) // 2 + 200)
        item = plain_item("tall_blue.bmp", ShowCaption=True, Caption="CAPTION", CaptionFont=font(),
                          CaptionPosition=6)
        shot = self.show(name, bmp(100, 200, blue), item, fit_mode=0, compose_mode=compose_mode,
                         wait_for=((picture_rect[0] + 5, picture_rect[1] + 5), blue))
        outside = shot.lit(exclude=picture_rect)
        self.assertTrue([p for p in outside if p[0] < picture_rect[0]], "no caption left of the picture")
        self.assertTrue([p for p in outside if p[0] >= picture_rect[2]], "no caption right of the picture")
        left, top, right, bottom = bounds(outside)
        self.assertLessEqual(abs((left + right) / 2 - W / 2), 4, f"the caption is not centred: {left}..{right}")
        self.assertLessEqual(abs((top + bottom) / 2 - H / 2), 12, f"the caption is not centred: {top}..{bottom}")
        return shot, picture_rect, blue, (top, bottom)

    def test_composite_mode_draws_the_caption_over_the_picture(self):
        shot, picture_rect, blue, (top, bottom) = self.caption_across_a_narrow_picture("OverPicture.scr", 1)
        over = [p for p in shot.lit() if inside(picture_rect, *p) and min(shot.rgb(*p)) >= 200]
        self.assertGreater(len(over), 100, "no white caption on the picture")
        self.assertTrue(all(top <= y <= bottom for _, y in over), "white on the picture off the caption's rows")
        # Above and below the caption's rows the picture is untouched.
        self.assert_area(shot, (picture_rect[0], picture_rect[1], picture_rect[2], top - 2), blue, "the picture")
        self.assert_area(shot, (picture_rect[0], bottom + 2, picture_rect[2], picture_rect[3]), blue, "the picture")

    def test_plain_mode_hides_the_caption_under_the_picture(self):
        shot, picture_rect, blue, _ = self.caption_across_a_narrow_picture("UnderPicture.scr", 0)
        self.assert_area(shot, picture_rect, blue, "the picture over the caption")

    # Description ---------------------------------------------------------------

    def test_description_lines_stack_one_line_height_apart_at_the_bottom(self):
        # "Afjh" has the tallest and the lowest glyphs, so the lit rows of a line
        # span its box but for a few pixels; the second line holds the same
        # glyphs twice, so both lines have the same lit rows within their boxes.
        # The caption "Afjh" at the top left, in the same font, shows where in a
        # box the lit rows are.
        blue = (0, 0, 128)
        item = plain_item("blue.bmp", ShowCaption=True, Caption="Afjh", CaptionFont=font(bold=False),
                          CaptionPosition=1, ShowText=True, Text="Afjh\nAfjh Afjh",
                          TextFont=font(bold=False), TextPosition=3)
        picture_rect = ((W - 200) // 2, (H - 100) // 2, (W - 200) // 2 + 200, (H - 100) // 2 + 100)
        shot = self.show("Description.scr", bmp(200, 100, blue), item, wait_for=(((W // 2), (H // 2)), blue))
        self.assert_area(shot, picture_rect, blue, "the picture")
        lit = shot.lit(exclude=picture_rect)
        caption = [p for p in lit if p[1] < H // 2]
        lines = [p for p in lit if p[1] >= H // 2]
        self.assertTrue(caption, "no caption")
        c_left, c_top, c_right, c_bottom = bounds(caption)
        self.assertEqual(row_bands(caption), [(c_top, c_bottom)], "the caption is not one line")
        self.assertLessEqual(c_left, 4)

        bands = row_bands(lines)
        self.assertEqual(len(bands), 2, f"expected two lines of description, lit rows {bands}")
        (t1, b1), (t2, b2) = bands
        self.assertEqual((b1 - t1, b2 - t2), (c_bottom - c_top,) * 2, "a line differs in height from the caption")
        # The second line's box ends at the bottom edge: from where its glyphs
        # start, the line height is what is left of it below.
        line_height = H - (t2 - c_top)
        self.assertGreater(line_height, c_bottom, "the second line's box was cut at the bottom")
        self.assertLess(line_height, 70)
        self.assertEqual(t2 - t1, line_height, "the lines are not one line height apart")
        # The lines start at one left edge; the block, as wide as its wider
        # line, is centred.
        first = bounds([p for p in lines if p[1] <= b1])
        second = bounds([p for p in lines if p[1] >= t2])
        self.assertEqual(first[0], second[0], "the lines start at different columns")
        self.assertGreater(second[2] - second[0], 1.8 * (first[2] - first[0]), "the second line is not the wider")
        self.assertLessEqual(abs((second[0] + second[2]) / 2 - W / 2), 4, "the block is not centred")

    # Picture placement ----------------------------------------------------------

    def test_fit_inside_shrinks_a_wide_picture_to_the_screen_width_centred(self):
        # 2000 by 1000 becomes 1024 by 512 at (0, 128).
        orange = (200, 120, 40)
        item = plain_item("wide.bmp")
        shot = self.show("FitWide.scr", bmp(2000, 1000, orange), item, fit_mode=1, compose_mode=0,
                         wait_for=((W // 2, H // 2), orange))
        for corner in ((0, 128), (W - 1, 128), (0, 639), (W - 1, 639)):
            self.assertTrue(close(shot.rgb(*corner), orange), f"picture corner {corner} is {shot.rgb(*corner)}")
        self.assert_area(shot, (0, 0, W, 128), BLACK, "above the picture")
        self.assert_area(shot, (0, 128, W, 640), orange, "the picture")
        self.assert_area(shot, (0, 640, W, H), BLACK, "below the picture")

    def test_fit_inside_keeps_a_picture_that_fits(self):
        # 800 by 600 stays as it is, at (112, 84).
        green = (30, 160, 60)
        item = plain_item("small.bmp")
        shot = self.show("FitSmall.scr", bmp(800, 600, green), item, fit_mode=1, compose_mode=1,
                         wait_for=((W // 2, H // 2), green))
        self.assert_area(shot, (112, 84, 912, 684), green, "the picture")
        for rect in ((0, 0, W, 84), (0, 684, W, H), (0, 84, 112, 684), (912, 84, W, 684)):
            self.assert_area(shot, rect, BLACK, f"outside the picture {rect}")

    def test_fill_cuts_the_top_of_a_square_picture_to_the_screen_proportions(self):
        # 1000 by 1000: the top-left 1000 by 750 part fills the screen; the
        # 250 rows below it, in another colour, are not shown.
        teal, red = (20, 140, 150), (230, 20, 20)
        item = plain_item("square.bmp")
        shot = self.show("Fill.scr", bmp_bands(1000, [(750, teal), (250, red)]), item, fit_mode=2,
                         compose_mode=0, wait_for=((W // 2, H // 2), teal))
        self.assert_area(shot, (0, 0, W, H), teal, "the filled screen")

    # Background ------------------------------------------------------------------

    def test_empty_background_kind_list_gives_the_colour_background(self):
        slate = (0x33, 0x66, 0x99)
        grey = (128, 128, 128)
        item = plain_item("grey.bmp", BackgroundKinds="", BackgroundColor="#336699")
        shot = self.show("NoKinds.scr", bmp(200, 100, grey), item, wait_for=((W // 2, H // 2), grey))
        for rect in ((0, 0, W, 334), (0, 434, W, H), (0, 334, 412, 434), (612, 334, W, 434)):
            self.assert_area(shot, rect, slate, f"the background {rect}")

    def test_gradient_background_runs_from_red_at_the_top_to_blue_at_the_bottom(self):
        grey = (128, 128, 128)
        item = plain_item("grey.bmp", BackgroundKinds="2;", RandomGradientColors=False,
                          GradientColor1="#FF0000", GradientColor2="#0000FF", GradientStyles=" 0;")
        shot = self.show("Gradient.scr", bmp(200, 100, grey), item, fit_mode=0,
                         wait_for=((W // 2, H // 2), grey))
        column = [shot.rgb(100, y) for y in range(H)]
        self.assertTrue(close(column[0], (255, 0, 0)), f"top row is {column[0]}")
        self.assertTrue(close(column[-1], (0, 0, 255), 3), f"bottom row is {column[-1]}")
        for y in range(1, H):
            r0, g0, b0 = column[y - 1]
            r1, g1, b1 = column[y]
            self.assertTrue(r1 <= r0 and b1 >= b0 and g1 == 0, f"not monotonic at row {y}: {column[y - 1]} {column[y]}")
        for y in range(0, H, 37):
            expected = gradient_row(y, (255, 0, 0), (0, 0, 255), H)
            self.assertTrue(close(column[y], expected, 1), f"row {y} is {column[y]}, expected {expected}")
        # Each row has one colour across the screen, beside the picture too.
        for y in (0, 200, 333, 434, 600, H - 1):
            for x in (0, W // 2, W - 1):
                self.assertEqual(shot.rgb(x, y), column[y], f"pixel ({x}, {y}) differs from its row")


if __name__ == "__main__":
    unittest.main()
