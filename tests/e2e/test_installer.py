"""The setup program and the uninstaller: packages written by showpack, the
wizard driven as a user would, and what lands on the disk and in the registry."""
import subprocess
import time
import unittest
from pathlib import Path

import harness
from harness import E2ETest
from show_fixtures import bmp, screen_area, screen_pixel, set_settings
from test_settings_dialog import parse_values

SETUP_CAPTION = "Screen saver Setup"
PAGE_CAPTION = "Setup Wizard"
IDC = {"Back": 1000, "Next": 1001, "Cancel": 1002, "Directory": 1006, "Browse": 1007, "Group": 1008,
       "Launch": 1009, "Status": 1010, "Percent": 1018}
IDOK, IDCANCEL, IDYES = 1, 2, 6
WM_SYSCOMMAND, SC_CLOSE, IDM_ABOUTBOX = 0x0112, 0xF060, 0x0010
WS_MAXIMIZE = 0x01000000
TVM_GETNEXTITEM, TVM_SELECTITEM, TVGN_PARENT, TVGN_CARET = 0x110A, 0x110B, 3, 9
TEAL = (0, 128, 128)
UNINSTALL_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
SHOW = '[project]\nProjectName = "Sunset.scr"\n\n[[item]]\nFile = "slide.bmp"\n'


class InstallerTest(E2ETest, unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = harness.SESSION.work / "installer-packages"
        cls.show = harness.build_show(SHOW, "Sunset.scr", folder, {"slide.bmp": bmp(8, 8, (200, 40, 40))})
        cls.packages = {}
        for kind, extra in (("screensaver", []), ("program", ["--program"])):
            out = folder / f"Setup-{kind}.exe"
            subprocess.run([str(harness.dist("tools/showpack")), "installer", str(cls.show), "-o", str(out), *extra],
                           check=True, capture_output=True)
            cls.packages[kind] = out

    # Driving the wizard ------------------------------------------------------

    def start_setup(self, kind):
        """Starts a package; returns (process, wizard page) once the start-up box
        has closed, with the percentages it showed in self.percentages."""
        proc = self.wine.start(self.packages[kind])
        self.percentages, self.prepare_texts = [], set()
        end = time.time() + 60
        page = None
        while time.time() < end and page is None:
            windows = self.wine.windows()
            box = [w["hwnd"] for w in windows if w["text"] == "Setup " and w["visible"]]
            self.prepare_texts |= {w["text"] for w in windows if w["parent"] in box}
            self.percentages += [w["text"] for w in windows if w["id"] == IDC["Percent"] and w["visible"]]
            page = next((w for w in windows if w["text"] == PAGE_CAPTION and w["visible"]), None)
        self.assertIsNotNone(page, "the wizard page did not open")
        return proc, page

    def controls(self, page):
        return {w["id"]: w for w in self.wine.windows() if w["parent"] == page["hwnd"]}

    def click(self, page, name):
        self.wine.wintool("clickbutton", self.controls(page)[IDC[name]]["hwnd"])

    def wait_page(self, page, predicate, timeout=60):
        """Waits until predicate(controls) holds for the visible page; returns the controls."""
        def check(windows):
            if not any(w["hwnd"] == page["hwnd"] and w["visible"] for w in windows):
                return None
            controls = {w["id"]: w for w in windows if w["parent"] == page["hwnd"]}
            return controls if predicate(controls) else None
        controls = self.wine.wait_for(check, timeout=timeout, interval=0.3)
        self.assertIsNotNone(controls, "the page did not come as expected")
        return controls

    def text_at(self, page, y):
        """Whether the page shows painted text on its line at y (x from 140): dark
        pixels in that band. The picture at (10, 10) gives the client origin."""
        picture = self.controls(page)[1011]["rect"]
        left, top = picture[0] - 10 + 140, picture[1] - 10 + y
        band = screen_area(self.wine, (left, top, left + 160, top + 13))
        return any(max(band[i:i + 3]) < 90 for i in range(0, len(band), 3))

    def finish_page(self, page):
        return self.wait_page(page, lambda c: c[IDC["Cancel"]]["text"] == "Finish")

    def wait_end(self, proc, timeout=30):
        try:
            proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.fail("the setup program did not end")

    # The machine -------------------------------------------------------------

    def drive_c(self, *parts):
        return self.wine.prefix / "drive_c" / Path(*parts)

    def entry(self, name="Sunset"):
        code, text = self.wine.reg_query(rf"{UNINSTALL_KEY}\{name}")
        return parse_values(text) if code == 0 else None

    def uninstall_entries(self):
        return {view: self.wine.reg_query(UNINSTALL_KEY, view32=view)[1] for view in (True, False)}

    def files(self):
        """Every file below the folders that setup and uninstall touch."""
        roots = [self.drive_c("windows"), self.drive_c("Program Files"), self.drive_c("Shows"),
                 self.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu")]
        return {str(p.relative_to(self.drive_c())) for root in roots if root.exists() for p in root.rglob("*")
                if "temp" not in p.relative_to(self.drive_c()).parts[:2]}

    def settings_keys(self):
        return [self.wine.reg_query(r"HKLM\Software\Halberline", view32=True)[1],
                self.wine.reg_query(r"HKCU\Software\Halberline", view32=True)[1]]

    def run_uninstaller(self, answer):
        """Runs the registered uninstall command as Windows does and answers its
        question; returns the text of its closing report."""
        command = self.entry()["UninstallString"][1]
        pid = int(self.wine.wintool("exec", command).strip())
        question = self.wine.wait_window(pid=pid, text="Remove Sunset and all of its components?")
        self.assertIsNotNone(question, "the uninstaller asked nothing")
        buttons = {w["id"]: w for w in self.wine.windows() if w["pid"] == pid and w["class"] == "Button"}
        self.wine.wintool("clickbutton", buttons[answer]["hwnd"])
        if answer != IDYES:
            return None
        report = self.wine.wait_for(lambda ws: [w for w in ws if w["pid"] == pid and w["class"] == "Static" and
                                                w["text"].startswith("Sunset has")], timeout=30)
        self.assertIsNotNone(report, "no report of what was removed")
        ok = [w for w in self.wine.windows() if w["pid"] == pid and w["class"] == "Button"]
        self.wine.wintool("clickbutton", ok[0]["hwnd"])
        return report[0]["text"]

    # Tests ---------------------------------------------------------------------

    def test_screensaver_package_installs_into_the_system_directory(self):
        proc, page = self.start_setup("screensaver")
        self.assertIn("Setup program is preparing the Setup Wizard which will guide you through the rest of the setup "
                      "process,Please wait.", self.prepare_texts)
        shown = [int(t.rstrip("%")) for t in self.percentages if t.endswith("%")]
        self.assertTrue(shown, "the start-up box showed no percentage")
        self.assertEqual(shown, sorted(shown), "the start-up percentage went down")

        main = self.wine.find(text=SETUP_CAPTION, visible=1)[0]
        self.assertTrue(main["style"] & WS_MAXIMIZE)
        self.assertEqual(screen_pixel(self.wine, 900, 700), TEAL)
        # The title: white letters with a black shadow below and to the right.
        # Below the caption bar: the client area starts some 25 pixels down.
        left, top = main["rect"][0], main["rect"][1]
        title = screen_area(self.wine, (max(left, 0) + 95, top + 30, max(left, 0) + 300, top + 110))
        pixels = {title[i:i + 3] for i in range(0, len(title), 3)}
        self.assertIn(b"\xff\xff\xff", pixels)
        self.assertIn(b"\x00\x00\x00", pixels)

        controls = self.controls(page)
        self.assertFalse(controls[IDC["Back"]]["enabled"])
        self.assertFalse(controls[IDC["Directory"]]["visible"])
        self.assertTrue(self.text_at(page, 20), "the welcome page shows no text")
        self.assertFalse(self.text_at(page, 200))
        self.click(page, "Next")
        seen_directory = False
        end = time.time() + 60
        while time.time() < end:
            controls = self.controls(page)
            seen_directory |= bool(controls[IDC["Directory"]]["visible"] and
                                   any(w["hwnd"] == page["hwnd"] and w["visible"] for w in self.wine.windows()))
            if controls[IDC["Cancel"]]["text"] == "Finish":
                break
        controls = self.finish_page(page)
        self.assertFalse(seen_directory, "a screensaver package showed the destination page")
        self.assertFalse(controls[IDC["Back"]]["enabled"])
        self.assertFalse(controls[IDC["Next"]]["enabled"])
        self.assertTrue(controls[IDC["Launch"]]["visible"])
        self.assertEqual(controls[IDC["Launch"]]["text"], "Yes,Launch the screen saver setting program file.")
        self.assertTrue(self.text_at(page, 200), "the finish page does not say how to complete Setup")
        # The progress window sat 40 pixels inside the main window's corner.
        progress = self.wine.find(text="Setup progress")[0]
        self.assertEqual(progress["rect"][2:], (main["rect"][2] - 40, main["rect"][3] - 40))
        self.assertEqual(self.controls(progress)[IDC["Status"]]["text"], "Create unstall information...")

        self.assertEqual(self.drive_c("windows", "system32", "Sunset.scr").read_bytes(), self.show.read_bytes())
        self.assertEqual(self.drive_c("windows", "svremove.exe").read_bytes(),
                         harness.dist("win64/svremove.exe").read_bytes())
        entry = self.entry()
        self.assertEqual(entry["DisplayName"], ("REG_SZ", "Sunset"))
        self.assertEqual(entry["UninstallString"], ("REG_SZ", r"C:\windows\svremove.exe #0@C:\windows\system32&Sunset"))
        self.assertEqual(entry["DisplayIcon"], ("REG_SZ", r"C:\windows\system32\Sunset.scr"))
        self.assertEqual(entry["NoModify"], ("REG_DWORD", "0x1"))
        self.assertNotIn("Publisher", entry)

        # After the installation the main window closes without asking.
        self.wine.wintool("post", main["hwnd"], WM_SYSCOMMAND, SC_CLOSE, 0)
        self.wait_end(proc)
        self.assertEqual(self.wine.find(text="Exit Setup"), [])
        self.run_uninstaller(IDYES)

    def test_program_package_goes_through_the_destination_page(self):
        proc, page = self.start_setup("program")
        self.click(page, "Next")
        controls = self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.assertTrue(controls[IDC["Back"]]["enabled"])
        self.assertTrue(controls[IDC["Browse"]]["visible"])
        self.assertFalse(controls[IDC["Launch"]]["visible"])
        self.assertEqual(controls[IDC["Directory"]]["text"], r"C:\Program Files\Sunset")
        # "Browse...": the folder picker opens at the typed folder, its status line
        # follows the selection, and the chosen folder replaces the text.
        self.wine.wintool("settext", controls[IDC["Directory"]]["hwnd"], r"C:\windows\system32")
        self.click(page, "Browse")
        picker = self.wine.wait_for(lambda ws: [w for w in ws if w["pid"] == page["pid"] and w["parent"] == 0 and
                                                w["visible"] and w["text"] not in (PAGE_CAPTION, SETUP_CAPTION)])
        self.assertIsNotNone(picker, "no folder picker")
        texts = lambda: [w["text"] for w in self.wine.windows() if w["parent"] == picker[0]["hwnd"]]
        self.assertIn("Select a directory", texts())
        self.assertIn(r"C:\windows\system32", texts())
        # Select the parent folder in the picker's tree, as a click on it would.
        tree = next(w for w in self.wine.windows() if w["parent"] == picker[0]["hwnd"] and w["class"] == "SysTreeView32")
        caret = self.wine.wintool("send", tree["hwnd"], TVM_GETNEXTITEM, TVGN_CARET, 0).strip()
        parent = self.wine.wintool("send", tree["hwnd"], TVM_GETNEXTITEM, TVGN_PARENT, caret).strip()
        self.wine.wintool("send", tree["hwnd"], TVM_SELECTITEM, TVGN_CARET, parent)
        self.assertTrue(self.wine.wait_for(lambda _: r"C:\windows" in texts(), timeout=10), "the status line stayed")
        self.wine.wintool("clickbutton", self.controls(picker[0])[IDOK]["hwnd"])
        controls = self.wait_page(page, lambda c: c[IDC["Directory"]]["text"] == r"C:\windows")
        self.wine.wintool("settext", controls[IDC["Directory"]]["hwnd"], r"C:\Shows\My Sunset")
        self.click(page, "Back")
        self.wait_page(page, lambda c: not c[IDC["Directory"]]["visible"] and not c[IDC["Back"]]["enabled"])
        self.click(page, "Next")
        controls = self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.assertEqual(controls[IDC["Directory"]]["text"], r"C:\Shows\My Sunset")
        self.click(page, "Next")
        controls = self.finish_page(page)
        self.assertEqual(controls[IDC["Launch"]]["text"], "Yes,Launch the program file.")
        self.assertTrue(controls[IDC["Launch"]]["checked"])

        self.assertEqual(self.drive_c("Shows", "My Sunset", "Sunset.exe").read_bytes(), self.show.read_bytes())
        self.assertEqual(self.entry()["UninstallString"][1], r"C:\windows\svremove.exe #1@C:\Shows\My Sunset&Sunset")
        # No Program Manager answers here: the group is a Start menu folder.
        self.assertTrue(self.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Sunset",
                                     "Sunset.lnk").exists())

        # Finish with the box checked starts the installed program: its show.
        self.click(page, "Cancel")
        self.wait_end(proc)
        show = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        self.assertIsNotNone(show, "the installed program did not start")
        self.wine.stop_all()
        self.run_uninstaller(IDYES)
        self.assertFalse(self.drive_c("Shows", "My Sunset").exists())
        self.assertFalse(self.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Sunset").exists())

    def test_exit_setup_installs_nothing_and_resume_returns(self):
        before = self.files()
        proc, page = self.start_setup("program")
        main = self.wine.find(text=SETUP_CAPTION, visible=1)[0]
        self.wine.wintool("post", main["hwnd"], WM_SYSCOMMAND, IDM_ABOUTBOX, 0)
        about = self.wine.wait_window(text="About Tarnwick Screen saver Setup", visible=1)
        self.assertIsNotNone(about, "the system menu's about entry opened nothing")
        self.assertIn("installer Version 1.0", [w["text"] for w in self.wine.windows() if w["parent"] == about["hwnd"]])
        self.wine.wintool("clickbutton", self.controls(about)[IDOK]["hwnd"])
        self.assertTrue(self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] == about["hwnd"]]))

        self.click(page, "Next")
        self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.click(page, "Cancel")
        confirm = self.wine.wait_window(text="Exit Setup", visible=1)
        self.assertIsNotNone(confirm, "no confirmation")
        texts = [w["text"] for w in self.wine.windows() if w["parent"] == confirm["hwnd"]]
        self.assertIn("Setup is not complete. If you quit the Setup program now,the program will not be installed.",
                      texts)
        buttons = {w["id"]: w for w in self.wine.windows() if w["parent"] == confirm["hwnd"]}
        self.assertEqual((buttons[IDOK]["text"], buttons[IDCANCEL]["text"]), ("Resume", "Exit Setup"))
        self.wine.wintool("clickbutton", buttons[IDOK]["hwnd"])
        controls = self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.assertTrue(controls[IDC["Back"]]["enabled"], "Resume did not return to the destination page")
        self.assertEqual(self.wine.find(text="Exit Setup", visible=1), [])

        # Closing the main window before the installation asks the same.
        self.wine.wintool("post", main["hwnd"], WM_SYSCOMMAND, SC_CLOSE, 0)
        confirm = self.wine.wait_window(text="Exit Setup", visible=1)
        self.assertIsNotNone(confirm, "closing the main window did not ask")
        buttons = {w["id"]: w for w in self.wine.windows() if w["parent"] == confirm["hwnd"]}
        self.wine.wintool("clickbutton", buttons[IDCANCEL]["hwnd"])
        self.wait_end(proc)
        self.assertIsNone(self.entry())
        self.assertEqual(self.files(), before)

    def test_program_manager_gets_the_group_and_its_item(self):
        log = self.scratch("dde") / "progman.log"
        self.wine.start(harness.dist("e2e/ddeserver.exe"), self.wine.windows_path(log), "300")
        self.assertTrue(self.wine.wait_for(lambda _: log.exists() and "ready" in log.read_text(), timeout=30))
        proc, page = self.start_setup("program")
        self.click(page, "Next")
        self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.click(page, "Next")
        self.finish_page(page)
        commands = [line[len("execute "):] for line in log.read_text().splitlines() if line.startswith("execute ")]
        self.assertEqual(commands, ["[CreateGroup(Sunset)]", r"[AddItem(C:\Program Files\Sunset\Sunset.exe)]"])
        self.assertFalse(self.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Sunset")
                         .exists())
        self.click(page, "Launch")
        self.wait_page(page, lambda c: not c[IDC["Launch"]]["checked"])
        self.click(page, "Cancel")
        self.wait_end(proc)
        self.assertEqual(self.wine.find(**{"class": "TfRun"}), [], "the program started unasked")

        self.run_uninstaller(IDYES)
        self.assertTrue(self.wine.wait_for(lambda _: "[DeleteGroup(Sunset)]" in log.read_text(), timeout=20))
        self.assertFalse(self.drive_c("Program Files", "Sunset").exists())

    def test_uninstaller_removes_everything_it_should_and_nothing_else(self):
        set_settings(self.wine, "Other.scr")  # another show's settings stay
        self.drive_c("windows", "svremove.exe").unlink(missing_ok=True)  # left by other tests until a restart
        files, entries, keys = self.files(), self.uninstall_entries(), self.settings_keys()
        proc, page = self.start_setup("screensaver")
        self.click(page, "Next")
        self.finish_page(page)
        self.click(page, "Launch")
        self.wait_page(page, lambda c: not c[IDC["Launch"]]["checked"])
        self.click(page, "Cancel")
        self.wait_end(proc)
        # The show's settings, as its settings dialog keeps them, in both layers.
        set_settings(self.wine, "Sunset.scr")
        self.wine.run("reg", "add", r"HKCU\Software\Halberline\Sunset", "/v", "Pwd", "/d", "x", "/f")

        # "No" changes nothing.
        self.run_uninstaller(7)
        self.assertIsNotNone(self.entry())
        self.assertTrue(self.drive_c("windows", "system32", "Sunset.scr").exists())

        report = self.run_uninstaller(IDYES)
        self.assertIn(r"C:\windows\system32\Sunset.scr", report)
        self.assertIn(r"HKEY_LOCAL_MACHINE\Software\Halberline\Sunset", report)
        self.assertIn(r"HKEY_CURRENT_USER\Software\Halberline\Sunset", report)
        self.assertTrue(self.wine.wait_for(lambda _: self.entry() is None, timeout=20))
        self.assertEqual(self.uninstall_entries(), entries)
        self.assertEqual(self.settings_keys(), keys)
        # svremove.exe cannot delete itself while it runs: it goes at the next restart.
        self.assertEqual(self.files() - files, {"windows/svremove.exe"})
        self.assertEqual(files - self.files(), set())
        code, session = self.wine.reg_query(r"HKLM\System\CurrentControlSet\Control\Session Manager", view32=False)
        self.assertIn(r"\??\C:\windows\svremove.exe", session)

    def test_failed_copy_is_reported_and_installs_nothing(self):
        proc, page = self.start_setup("program")
        self.click(page, "Next")
        controls = self.wait_page(page, lambda c: c[IDC["Directory"]]["visible"])
        self.wine.wintool("settext", controls[IDC["Directory"]]["hwnd"], r"Z:\proc\no such folder")
        self.click(page, "Next")
        message = self.wine.wait_for(lambda ws: [w for w in ws if w["pid"] == page["pid"] and w["class"] == "Static"
                                                 and w["text"].startswith("Setup could not copy the program")])
        self.assertIsNotNone(message, "the failed copy was not reported")
        box = [w for w in self.wine.windows() if w["hwnd"] == message[0]["parent"]][0]
        self.wine.wintool("clickbutton", [w for w in self.wine.windows() if w["parent"] == box["hwnd"] and
                                          w["class"] == "Button"][0]["hwnd"])
        controls = self.finish_page(page)
        self.assertFalse(controls[IDC["Launch"]]["visible"], "a failed installation offers to launch")
        self.assertTrue(self.text_at(page, 200))
        self.assertIsNone(self.entry())
        self.click(page, "Cancel")
        self.wait_end(proc)
        self.assertEqual(self.wine.find(**{"class": "TfRun"}), [])

    def test_damaged_package_ends_with_a_clear_message(self):
        damaged = self.scratch("damaged") / "Damaged.exe"
        index = "1900\x80" "2800\x80" "4Sunset\x80" "50\x80"  # offsets reversed
        damaged.write_bytes(harness.dist("win64/installer.exe").read_bytes() + b"x" * 1000 +
                            index.encode("latin-1") + str(len(index)).ljust(10).encode())
        proc = self.wine.start(damaged)
        message = self.wine.wait_for(lambda ws: [w for w in ws if w["class"] == "Static" and "is damaged" in w["text"]],
                                     timeout=60)
        self.assertIsNotNone(message, "a damaged package was not reported")
        self.assertIn("Damaged.exe is damaged: the program block starts at byte 900", message[0]["text"])
        self.assertEqual(self.wine.find(text=PAGE_CAPTION), [])
        box = [w for w in self.wine.windows() if w["hwnd"] == message[0]["parent"]][0]
        self.wine.wintool("clickbutton", [w for w in self.wine.windows() if w["parent"] == box["hwnd"] and
                                          w["class"] == "Button"][0]["hwnd"])
        self.wait_end(proc)

    def test_uninstaller_refuses_a_command_that_no_entry_names(self):
        command = r"C:\windows\svremove.exe #0@C:\windows&notepad"
        self.drive_c("windows", "svremove.exe").write_bytes(harness.dist("win64/svremove.exe").read_bytes())
        pid = int(self.wine.wintool("exec", command).strip())
        box = self.wine.wait_for(lambda ws: [w for w in ws if w["pid"] == pid and
                                            w["text"].startswith("No installed program is registered")], timeout=30)
        self.assertIsNotNone(box, "the uninstaller did not refuse")
        self.assertTrue(self.drive_c("windows", "notepad.exe").exists())
        self.drive_c("windows", "svremove.exe").unlink()


if __name__ == "__main__":
    unittest.main()
