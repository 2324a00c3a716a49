"""Music and video in the running show: the music's samples reach the sound
device while the pictures run, a video item plays at the place its size mode
gives it and the show goes on after it, and files that cannot be played leave
the pictures running. Sound and video files are made here from numbers."""
import subprocess
import sys
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import bmp, colour_item, manifest, screen_area, screen_pixel, set_settings, watch_colours

sys.path.insert(0, str(harness.ROOT / "demo"))
import make_media  # noqa: E402

RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
MAGENTA, CYAN = (255, 0, 255), (0, 255, 255)
W, H = harness.SCREEN


def near(rgb, expected, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


def video_item(file_name, size_mode, background):
    """A video item on a plain background of its own colour, without texts."""
    r, g, b = background
    return {"File": file_name, "Kind": 2, "VideoSize": size_mode, "ShowCaption": False, "ShowText": False,
            "BackgroundKinds": "0;", "RandomBackgroundColor": False, "BackgroundColor": r | g << 8 | b << 16}


class MediaTest(E2ETest, unittest.TestCase):

    def build(self, name, items, files, **project):
        fields = {"ProjectName": name, "SlideSeconds": 1, "FitMode": 3, "RandomOrder": False,
                  "RandomPlacement": False}
        fields.update(project)
        files = dict(files)
        files.update({f"{n}.bmp": bmp(16, 12, rgb) for n, rgb in (("red", RED), ("green", GREEN), ("blue", BLUE))})
        program = harness.build_show(manifest(fields, items), name, self.scratch(name.replace(".", "_")), files)
        set_settings(self.wine, name)
        return program

    def start_with_sound(self, program):
        """Starts the show with ALSA's default device writing what it plays to a
        file (and nowhere else); returns the path of that file."""
        home = self.scratch("home-" + program.stem)
        capture = home / "played.raw"
        if capture.exists():
            capture.unlink()
        (home / ".asoundrc").write_text(
            'pcm.!default {\n  type file\n  slave.pcm "null"\n  file "%s"\n  format "raw"\n}\n' % capture)
        env = dict(self.wine.env, HOME=str(home))
        proc = subprocess.Popen([harness.WINE, str(program), "/s"], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        self.wine.processes.append(proc)
        return proc, capture

    def show_window(self):
        window = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(window, "the show window did not appear")
        return window

    def test_music_plays_its_samples_while_the_pictures_run(self):
        samples = make_media.tone_samples(8.0, frequency=660)
        program = self.build("Music.scr", [colour_item("red.bmp"), colour_item("green.bmp")],
                             {"tune.wav": make_media.wav(samples)},
                             MusicFiles=["tune.wav"], LoopMusic=False, RandomMusic=False, MusicPauseTicks=1)
        proc, capture = self.start_with_sound(program)
        # The position advances: what reaches the device grows while the file
        # plays. (A device without a clock takes the samples faster than they
        # would sound, but piece by piece as the player hands them over.)
        sizes = []
        end = time.time() + 20
        while time.time() < end and (not sizes or sizes[-1] < len(samples)):
            sizes.append(capture.stat().st_size if capture.exists() else 0)
            time.sleep(0.1)
        growing = sorted(set(s for s in sizes if 0 < s < len(samples)))
        self.assertGreaterEqual(len(growing), 3, f"the music did not play on: {sizes}")
        self.assertEqual(sizes, sorted(sizes), "the music went back")
        self.show_window()
        time.sleep(3)  # past the end of the file and its gap
        played = capture.read_bytes()
        self.assertTrue(samples in played, "the device got other samples than the file's")
        self.assertEqual(played.count(samples[:8000]), 1, "a list without loop plays once")
        # The pictures went on meanwhile.
        colours = {c for _, c in watch_colours(self.wine, 40, 40, 4)}
        self.assertGreaterEqual(colours & {"red", "green"}, {"red", "green"})
        self.assertIsNone(proc.poll())

    def test_video_plays_at_its_rectangle_and_the_show_moves_on_after_it(self):
        # 160 by 120 in size mode 3 on a 1024 pixel screen: 512 wide, round(384) - 1
        # high, centred: (256, 192) to (768, 575).
        left, top, right, bottom = 256, 192, 768, 575
        clip = make_media.avi(160, 120, [MAGENTA, CYAN], fps=10, frames_per_colour=20)
        program = self.build("Video.scr", [colour_item("red.bmp"), video_item("clip.avi", 3, GREEN),
                                           colour_item("blue.bmp")], {"clip.avi": clip})
        self.wine.start(program, "/s")
        self.show_window()
        started = None
        end = time.time() + 30
        while time.time() < end and started is None:
            if near(screen_pixel(self.wine, left + 4, top + 4), MAGENTA):
                started = time.time()
        self.assertIsNotNone(started, "the clip's first colour never appeared")
        panel = self.wine.find(**{"class": "TfRunDisplayPanel", "visible": 1})
        self.assertEqual([p["rect"] for p in panel], [(left, top, right, bottom)])

        # One picture of the whole screen: the clip fills its rectangle exactly,
        # the item's own background lies around it.
        pixels = screen_area(self.wine, (0, 0, W, H))

        def at(x, y):
            i = (y * W + x) * 3
            return tuple(pixels[i:i + 3])

        inside = [(left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1), (W // 2, H // 2)]
        outside = [(left - 1, H // 2), (right, H // 2), (W // 2, top - 1), (W // 2, bottom), (5, 5), (W - 5, H - 5)]
        self.assertEqual([near(at(x, y), MAGENTA) for x, y in inside], [True] * len(inside),
                         [at(x, y) for x, y in inside])
        self.assertEqual([near(at(x, y), GREEN) for x, y in outside], [True] * len(outside),
                         [at(x, y) for x, y in outside])

        # The clip plays on (its second colour), and after its four seconds the
        # next picture follows.
        seen_cyan = next_picture = None
        while time.time() < started + 15 and next_picture is None:
            rgb = screen_pixel(self.wine, W // 2, H // 2)
            if near(rgb, CYAN) and seen_cyan is None:
                seen_cyan = time.time()
            if near(rgb, BLUE):
                next_picture = time.time()
        self.assertIsNotNone(seen_cyan, "the clip did not play on")
        self.assertIsNotNone(next_picture, "the show did not go on after the clip")
        self.assertGreater(next_picture - started, 3.5, "the clip was cut short")
        self.assertLess(next_picture - started, 9.0)
        self.assertEqual(self.wine.find(**{"class": "TfRunDisplayPanel", "visible": 1}), [])

    def test_a_missing_music_file_leaves_the_pictures_running(self):
        items = [colour_item("red.bmp"), colour_item("green.bmp"), colour_item("blue.bmp")]
        program = self.build("NoMusic.scr", items, {}, MediaEmbedded=False, MusicFiles=["gone.wav"],
                             UiText44="Missing music: %s")
        proc = self.wine.start(program, "/s")
        self.show_window()
        box = self.wine.wait_for(lambda ws: [w for w in ws if w["text"].startswith("Missing music: ")])
        self.assertTrue(box, "no message about the missing file")
        self.assertTrue(box[0]["text"].endswith("gone.wav"), box[0]["text"])
        # The message waits for its answer while the pictures go on around it.
        colours = {c for _, c in watch_colours(self.wine, 40, 40, 7)}
        self.assertEqual(colours & {"red", "green", "blue"}, {"red", "green", "blue"})
        self.assertIsNone(proc.poll())

    def test_a_clip_that_cannot_be_played_is_reported_and_the_show_goes_on(self):
        program = self.build("Broken.scr", [colour_item("red.bmp"), video_item("clip.avi", 0, GREEN),
                                            colour_item("blue.bmp")], {"clip.avi": b"RIFF\x04\0\0\0AVI "})
        proc = self.wine.start(program, "/s")
        self.show_window()
        box = self.wine.wait_for(lambda ws: [w for w in ws if w["text"].startswith("Cannot play ")])
        self.assertTrue(box, "no message about the clip")
        self.assertGreater(len(box[0]["text"].split(": ", 1)[-1]), 5, "MCI's own words are missing")
        colours = {c for _, c in watch_colours(self.wine, 40, 40, 7)}
        self.assertIn("blue", colours, "the show stayed on the clip")
        self.assertIsNone(proc.poll())


if __name__ == "__main__":
    unittest.main()
