"""Every picture type code on the real screen: a show with one picture of each
code (1 to 15, written by ImageMagick where it writes the format and byte by
byte here where it does not) plays every one; and a photo stored sideways
with EXIF orientation 6 appears upright."""
import struct
import subprocess
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import screen_area, screen_pixel, set_settings
from test_frame_composition import Shot, close, manifest, plain_item

W, H = harness.SCREEN
SIZE = (64, 48)

# One colour per type code, far apart, each kept by its format: the CUT
# picture is embedded, so it shows grey levels; Photo CD keeps white exactly.
COLOURS = {
    1: ("a.bmp", (255, 0, 0)), 2: ("a.jpg", (0, 255, 0)), 3: ("a.sgi", (0, 0, 255)),
    4: ("a.cel", (255, 255, 0)), 5: ("a.tif", (0, 255, 255)), 6: ("a.tga", (255, 0, 255)),
    7: ("logo.scr", (255, 128, 0)), 8: ("a.pcd", (255, 255, 255)), 9: ("a.ppm", (128, 0, 255)),
    10: ("a.cut", (60, 60, 60)), 11: ("a.gif", (0, 128, 255)), 12: ("a.rla", (128, 255, 0)),
    13: ("a.psd", (255, 0, 128)), 14: ("a.psp", (0, 128, 128)), 15: ("a.png", (128, 128, 0)),
}
IMAGEMAGICK = {1: "BMP3", 2: "JPEG", 3: "SGI", 5: "TIFF", 6: "TGA", 7: "PCX", 8: "PCD", 9: "PPM", 11: "GIF",
               13: "PSD", 15: "PNG"}


def convert(fmt, rgb, size=SIZE):
    """A picture of one colour written by ImageMagick."""
    r, g, b = rgb
    return subprocess.run(["/usr/bin/convert", "-size", f"{size[0]}x{size[1]}", f"xc:rgb({r},{g},{b})",
                           f"{fmt}:-"], check=True, capture_output=True).stdout


def cel(rgb):
    """Animator CEL: one colour of 6-bit levels."""
    w, h = SIZE
    palette = bytes(v * 63 // 255 for v in rgb) + bytes(765)
    return struct.pack("<HHHHHBBI", 0x9119, w, h, 0, 0, 8, 0, w * h) + bytes(16) + palette + bytes(w * h)


def cut(index):
    """Dr. Halo CUT: every row one run of `index` (64 pixels: runs of 63 and 1)."""
    row = bytes((0x80 | 63, index, 0x80 | 1, index, 0))
    return struct.pack("<HHH", SIZE[0], SIZE[1], 0) + (struct.pack("<H", len(row)) + row) * SIZE[1]


def rla(rgb):
    """Wavefront RLA: each line's three channels one run of 64 (two of 32)."""
    w, h = SIZE
    header = struct.pack(">8h", 0, w - 1, 0, h - 1, 0, w - 1, 0, h - 1) + struct.pack(">6h", 0, 0, 3, 0, 0, 0)
    header += bytes(16 + 96 + 4 + 128 + 128 + 64 + 32 + 32 + 20 + 24 + 8) + b"rgb".ljust(32, b"\0")
    header += bytes(2 + 12 + 32) + struct.pack(">5h", 8, 0, 8, 0, 0) + bytes(32 + 36 + 4)
    line = b"".join(struct.pack(">H", 4) + bytes((31, v, 31, v)) for v in rgb)
    offsets = b"".join(struct.pack(">i", len(header) + 4 * h + y * len(line)) for y in range(h))
    return header + offsets + line * h


def psp(rgb):
    """Paint Shop Pro, file format 5: one raster layer, uncompressed channels."""
    w, h = SIZE

    def block(kind, body):
        return b"~BK\0" + struct.pack("<HI", kind, len(body)) + body

    def chunk(fields):
        return struct.pack("<I", len(fields) + 4) + fields

    attributes = chunk(struct.pack("<II", w, h) + bytes(9) + struct.pack("<HHHIBIIH", 0, 24, 1, 0, 0, 0, 0, 1))
    info = chunk(struct.pack("<H", 5) + b"Layer" + b"\1" + struct.pack("<8i", 0, 0, w, h, 0, 0, w, h) +
                 bytes(5 + 32 + 2 + 43))
    counts = chunk(struct.pack("<HH", 1, 3))
    channels = b"".join(block(5, chunk(struct.pack("<IIHH", w * h, w * h, 0, c + 1)) + bytes((v,)) * (w * h))
                        for c, v in enumerate(rgb))
    layer = block(4, info + counts + channels)
    return b"Paint Shop Pro Image File\n\x1a" + bytes(5) + struct.pack("<HH", 5, 0) + \
        block(0, attributes) + block(3, layer)


def exif_orientation(value):
    """An APP1 segment with a big-endian TIFF header and IFD0 holding only the
    orientation tag."""
    tiff = b"MM" + struct.pack(">HI", 42, 8) + struct.pack(">HHHIHHI", 1, 0x0112, 3, 1, value, 0, 0)
    payload = b"Exif\0\0" + tiff
    return b"\xFF\xE1" + struct.pack(">H", len(payload) + 2) + payload


def nearest(rgb):
    """The type code whose colour is nearest to a screen colour, and the distance."""
    def distance(code):
        return max(abs(a - b) for a, b in zip(rgb, COLOURS[code][1]))
    code = min(COLOURS, key=distance)
    return code, distance(code)


class PictureFormatsTest(E2ETest, unittest.TestCase):

    def start_show(self, name, items, files, fit_mode=1, slide_seconds=60):
        project = {"ProjectName": name, "SlideSeconds": slide_seconds, "FitMode": fit_mode, "RandomOrder": False,
                   "RandomPlacement": False, "ComposeMode": 1}
        program = harness.build_show(manifest(project, items), name, self.scratch(name.replace(".", "_")), files)
        set_settings(self.wine, name)
        self.wine.start(program, "/s")
        window = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(window, "the show window did not appear")

    def test_a_show_with_one_picture_of_each_type_code_plays_every_one(self):
        files = {}
        for code, (name, rgb) in COLOURS.items():
            if code in IMAGEMAGICK:
                # Photo CD pictures are 768 x 512; a smaller one is put on white.
                files[name] = convert(IMAGEMAGICK[code], rgb, (768, 512) if code == 8 else SIZE)
        files.update({"a.cel": cel(COLOURS[4][1]), "a.cut": cut(COLOURS[10][1][0]), "a.rla": rla(COLOURS[12][1]),
                      "a.psp": psp(COLOURS[14][1])})
        items = [plain_item(COLOURS[code][0]) for code in sorted(COLOURS)]
        self.start_show("EveryType.scr", items, files, slide_seconds=1)
        # Each slide stays two seconds; watch the centre until every code has
        # been seen in turn (the list starts over after the last one).
        seen = []
        end = time.time() + 90
        while time.time() < end and len(seen) < len(COLOURS):
            code, distance = nearest(screen_pixel(self.wine, W // 2, H // 2))
            if distance <= 24 and (not seen or seen[-1] != code):
                seen.append(code)
                if len(seen) == 1 and code != 1:
                    seen = []  # joined in the middle: wait for the first picture
        self.assertEqual(seen, sorted(COLOURS), "the type codes shown, in order")

    def test_a_slide_of_an_orientation_six_photo_appears_upright(self):
        # Upright: 300 x 400, red top left, green top right, blue bottom left,
        # white bottom right. Stored a quarter turn anticlockwise (400 x 300),
        # with orientation 6 saying to turn it clockwise.
        quarters = ("-fill red -draw 'rectangle 0,0 149,199' -fill green -draw 'rectangle 150,0 299,199' "
                    "-fill blue -draw 'rectangle 0,200 149,399' -fill white -draw 'rectangle 150,200 299,399'")
        stored = subprocess.run(f"/usr/bin/convert -size 300x400 xc:black {quarters} -rotate -90 -quality 95 JPEG:-",
                                shell=True, check=True, capture_output=True).stdout
        self.assertEqual(stored[:2], b"\xFF\xD8")
        photo = stored[:2] + exif_orientation(6) + stored[2:]
        self.start_show("Upright.scr", [plain_item("photo.jpg")], {"photo.jpg": photo})
        left, top = (W - 300) // 2, (H - 400) // 2
        expected = {(left + 75, top + 100): (255, 0, 0), (left + 225, top + 100): (0, 128, 0),
                    (left + 75, top + 300): (0, 0, 255), (left + 225, top + 300): (255, 255, 255)}
        end = time.time() + 20
        while True:
            shot = Shot(screen_area(self.wine, (0, 0, W, H)))
            wrong = {p: shot.rgb(*p) for p, rgb in expected.items() if not close(shot.rgb(*p), rgb, 24)}
            if not wrong or time.time() > end:
                break
            time.sleep(1.0)
        self.assertEqual(wrong, {}, "quarters not where the upright photo has them")
        # Nothing of the photo beyond its upright outline: 400 wide would reach here.
        self.assertTrue(close(shot.rgb(left - 20, H // 2), (0, 0, 0), 8), "the photo is wider than upright")


if __name__ == "__main__":
    unittest.main()
