"""The program entry: the mode from the command line and the file name, the
single running copy, the preview inside its host, and a damaged show's message."""
import shutil
import time
import unittest

import harness
from harness import E2ETest

SETTINGS_CAPTION = "Screensaver Setting"
MANIFEST = """
[project]
ProjectName = "Entry.scr"
SlideSeconds = 1

[[item]]
File = "red.bmp"
Caption = "Red"
"""


def bmp_2x2():
    """A 2x2 24-bit bitmap, all red."""
    header = bytearray(b"BM") + (70).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    info = (40).to_bytes(4, "little") + (2).to_bytes(4, "little") + (2).to_bytes(4, "little") + \
        (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(24)
    row = bytes([0, 0, 255, 0, 0, 255, 0, 0])
    return bytes(header) + info + row + row


class ProgramEntryTest(E2ETest, unittest.TestCase):
    def show(self, name):
        folder = self.scratch(name.replace(".", "_"))
        return harness.build_show(MANIFEST, name, folder, {"red.bmp": bmp_2x2()})

    def run_windows(self, proc):
        return [w for w in self.wine.windows() if w["class"] == "TfRun"]

    def test_scr_without_arguments_opens_the_settings(self):
        program = self.show("Entry.scr")
        self.wine.start(program)
        self.assertIsNotNone(self.wine.wait_window(text=SETTINGS_CAPTION))
        self.assertEqual(self.wine.find(**{"class": "TfRun"}), [])

    def test_same_file_named_exe_runs_the_show(self):
        program = self.show("Entry.scr")
        exe = program.with_name("Entry.exe")
        shutil.copy(program, exe)
        self.wine.start(exe)
        window = self.wine.wait_window(**{"class": "TfRun"})
        self.assertIsNotNone(window)
        self.assertEqual(window["parent"], 0)
        left, top, right, bottom = window["rect"]
        self.assertEqual((right - left, bottom - top), harness.SCREEN)
        self.assertEqual(self.wine.find(text=SETTINGS_CAPTION), [])

    def test_configure_switch_with_window_number(self):
        program = self.show("Entry.scr")
        self.wine.start(program, "/c:1234")
        self.assertIsNotNone(self.wine.wait_window(text=SETTINGS_CAPTION))

    def test_preview_lives_inside_its_host(self):
        program = self.show("Entry.scr")
        _, host = self.wine.host_window(152, 112)
        self.wine.start(program, "/p", str(host))
        window = self.wine.wait_window(**{"class": "TfRun"})
        self.assertIsNotNone(window)
        self.assertEqual(window["parent"], host)
        left, top, right, bottom = window["rect"]
        self.assertEqual((right - left, bottom - top), (152, 112))

    def test_preview_without_usable_handle_ends_quietly(self):
        program = self.show("Entry.scr")
        for args in (["/p"], ["/p", "12345678"], ["/a"]):
            result = self.wine.run(program, *args, timeout=60)
            self.assertEqual(result.returncode, 0, args)
        self.assertEqual(self.wine.find(**{"class": "TfRun"}), [])

    def test_second_copy_ends_at_once(self):
        program = self.show("Entry.scr")
        self.wine.start(program, "/s")
        self.assertIsNotNone(self.wine.wait_window(**{"class": "TfRun"}))
        started = time.time()
        result = self.wine.run(program, "/c", timeout=60)
        self.assertEqual(result.returncode, 0)
        self.assertLess(time.time() - started, 20)
        self.assertEqual(self.wine.find(text=SETTINGS_CAPTION), [])
        self.assertEqual(len(self.wine.find(**{"class": "TfRun"})), 1)

    def test_bare_program_says_it_holds_no_show(self):
        folder = self.scratch("bare")
        bare = folder / "Bare.exe"
        shutil.copy(harness.dist("win64/screensaver.scr"), bare)
        self.wine.start(bare, "/s")
        box = self.wine.wait_for(lambda ws: [w for w in ws if "holds no show" in w["text"]])
        self.assertTrue(box, "a message saying the program holds no show")
        self.assertEqual(self.wine.find(**{"class": "TfRun"}), [])

    def test_damaged_index_is_reported(self):
        program = self.show("Entry.scr")
        data = bytearray(program.read_bytes())
        data[-10:] = b"999999    "
        damaged = program.with_name("Damaged.exe")
        damaged.write_bytes(bytes(data))
        self.wine.start(damaged, "/s")
        box = self.wine.wait_for(lambda ws: [w for w in ws if "index is damaged" in w["text"]])
        self.assertTrue(box)


if __name__ == "__main__":
    unittest.main()
