"""The settings dialog, its about box and the password prompt, driven as a user
would, with the settings read back from the registry."""
import time
import unittest

import harness
from harness import E2ETest
from show_fixtures import KEY_ROOT, bmp

CAPTION = "Screensaver Setting"
RED, BLUE = (255, 0, 0), (0, 0, 255)

# Control ids of the dialog templates.
IDC = {
    "Mouse Move": 2121, "Mouse Left Click": 2122, "Mouse Right Click": 2123, "Mouse Double Click": 2124,
    "Esc Key": 2125, "Enter Key": 2126, "A specify Key": 2127, "edtKeyValue": 2128,
    "tbMouseSensitivity": 2132, "Enabled Music": 2134, "Max Run Time check": 2135, "edtMaxruntime": 2137,
    "ckbtransitionused": 2150, "clbInEffect": 2151, "Radom transitions": 2154, "tbInSpeed": 2156,
    "pctl": 2102, "OK": 1, "Cancel": 2,
}
IDM_SAVE1 = 2020
IDM_ABOUT1 = 2023
WM_COMMAND = 0x0111
TBM_GETPOS = 0x0400
LVM_GETITEMCOUNT = 0x1004
LVM_GETITEMSTATE = 0x102C
LVIS_STATEIMAGEMASK = 0xF000
WS_EX_TOPMOST = 0x8
WS_EX_TOOLWINDOW = 0x80
VK_RETURN, VK_ESCAPE = 13, 27

VALUES = {
    "Enabled password": "REG_DWORD", "Pwd": "REG_SZ", "Mouse Sensitivity": "REG_DWORD",
    "Mouse Move": "REG_DWORD", "Mouse Left Click": "REG_DWORD", "Mouse Right Click": "REG_DWORD",
    "Mouse Double Click": "REG_DWORD", "Esc Key": "REG_DWORD", "Enter Key": "REG_DWORD",
    "Specified Key": "REG_DWORD", "Key Value": "REG_SZ", "Enabled Music": "REG_DWORD",
    "Use Max Run Time": "REG_DWORD", "Max Run Time": "REG_DWORD", "transition": "REG_SZ",
    "random transition": "REG_DWORD", "transition speed": "REG_DWORD", "newtransition": "REG_DWORD",
}

# A whole key as a fresh "OK" writes it, as reg add takes the data.
DEFAULTS = {
    "Enabled password": "0", "Pwd": "", "Mouse Sensitivity": "5", "Mouse Move": "1", "Mouse Left Click": "0",
    "Mouse Right Click": "1", "Mouse Double Click": "1", "Esc Key": "1", "Enter Key": "1", "Specified Key": "0",
    "Key Value": "A", "Enabled Music": "1", "Use Max Run Time": "0", "Max Run Time": "60",
    "transition": "".join(f"{i};" for i in range(161)), "random transition": "1", "transition speed": "25",
    "newtransition": "0",
}


def manifest(name, **fields):
    lines = ["[project]", f'ProjectName = "{name}"']
    for key, value in fields.items():
        if isinstance(value, bool):
            lines.append(f"{key} = {'true' if value else 'false'}")
        elif isinstance(value, int):
            lines.append(f"{key} = {value}")
        else:
            lines.append(f'{key} = "{value}"')
    lines += ["", "[[item]]", 'File = "slide.bmp"', ""]
    return "\n".join(lines)


def parse_values(text):
    """Value name -> (type, data) from the output of reg query."""
    values = {}
    for line in text.splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[1].startswith("REG_"):
            values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
    return values


class SettingsDialogTest(E2ETest, unittest.TestCase):
    # Each test uses its own project name, so each has its own registry key.

    def build(self, name, **fields):
        files = {"slide.bmp": bmp(4, 4, RED)}
        if fields.get("ShowDialogImage"):
            files["face.bmp"] = bmp(8, 20, BLUE)
            fields.setdefault("DialogImage", "face.bmp")
        folder = self.scratch(name.replace(".", "_"))
        return harness.build_show(manifest(name, **fields), name, folder, files)

    def open_dialog(self, name, **fields):
        program = self.build(name, **fields)
        self.wine.start(program, "/c")
        dialog = self.wine.wait_window(text=CAPTION, visible=1)
        self.assertIsNotNone(dialog, "the settings dialog did not open")
        time.sleep(0.5)
        return dialog

    def controls(self, dialog):
        """Id -> window of every control of the dialog's process."""
        return {w["id"]: w for w in self.wine.windows() if w["pid"] == dialog["pid"] and w["parent"] != 0}

    def send(self, window, message, wparam=0, lparam=0):
        return int(self.wine.wintool("send", window["hwnd"], message, wparam, lparam).strip() or 0)

    def registry(self, name):
        code, text = self.wine.reg_query(rf"{KEY_ROOT}\{name}")
        return parse_values(text) if code == 0 else None

    def close_with(self, dialog, button):
        # A click lands on an active window: the button's own focus change
        # must not have to activate the dialog in the middle of the click.
        self.wine.wintool("foreground", dialog["hwnd"])
        self.wine.wintool("clickbutton", self.controls(dialog)[IDC[button]]["hwnd"])
        gone = self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] == dialog["hwnd"]], timeout=20)
        self.assertTrue(gone, f"the dialog stayed open after {button}")

    def list_checks(self, controls, indices):
        box = controls[IDC["clbInEffect"]]
        return [(self.send(box, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK) >> 12) == 2 for i in indices]

    def test_opens_with_the_defaults_when_no_key_exists(self):
        self.assertIsNone(self.registry("Fresh"))
        dialog = self.open_dialog("Fresh.scr")
        self.assertTrue(dialog["exstyle"] & WS_EX_TOPMOST)
        # Owned by a hidden tool window: no task bar button.
        owner = [w for w in self.wine.windows() if w["hwnd"] == dialog["owner"]]
        self.assertEqual(len(owner), 1)
        self.assertTrue(owner[0]["exstyle"] & WS_EX_TOOLWINDOW)
        self.assertEqual(owner[0]["visible"], 0)

        c = self.controls(dialog)
        checked = {name: c[IDC[name]]["checked"] for name in (
            "Mouse Move", "Mouse Left Click", "Mouse Right Click", "Mouse Double Click", "Esc Key",
            "Enter Key", "A specify Key", "Enabled Music", "Max Run Time check", "Radom transitions",
            "ckbtransitionused")}
        self.assertEqual(checked, {
            "Mouse Move": 1, "Mouse Left Click": 0, "Mouse Right Click": 1, "Mouse Double Click": 1,
            "Esc Key": 1, "Enter Key": 1, "A specify Key": 0, "Enabled Music": 1, "Max Run Time check": 0,
            "Radom transitions": 1, "ckbtransitionused": 0})
        self.assertEqual(c[IDC["edtKeyValue"]]["text"], "A")
        self.assertEqual(c[IDC["edtMaxruntime"]]["text"], "60")
        self.assertEqual(self.send(c[IDC["tbMouseSensitivity"]], TBM_GETPOS), 15)
        self.assertEqual(self.send(c[IDC["tbInSpeed"]], TBM_GETPOS), 25)
        self.assertEqual(self.send(c[IDC["clbInEffect"]], LVM_GETITEMCOUNT), 161)
        self.assertEqual(self.list_checks(c, [0, 80, 160]), [True, True, True])
        # The transition choice is off, so the list and its companions are disabled.
        for name in ("clbInEffect", "Radom transitions", "tbInSpeed"):
            self.assertEqual(c[IDC[name]]["enabled"], 0, name)
        # Cancel writes nothing.
        self.close_with(dialog, "Cancel")
        self.assertIsNone(self.registry("Fresh"))

    def test_ok_creates_the_key_with_all_eighteen_values(self):
        dialog = self.open_dialog("Written.scr")
        self.close_with(dialog, "OK")
        values = self.registry("Written")
        self.assertIsNotNone(values, "no key after OK")
        self.assertEqual({name: kind for name, (kind, _) in values.items()}, VALUES)
        self.assertEqual(values["Mouse Sensitivity"][1], "0x5")
        self.assertEqual(values["Max Run Time"][1], "0x3c")
        self.assertEqual(values["transition speed"][1], "0x19")
        self.assertEqual(values["Key Value"][1], "A")
        self.assertTrue(values["transition"][1].startswith("0;1;2;"))
        self.assertTrue(values["transition"][1].endswith(";159;160;"))
        # Both builds share the 32-bit view; nothing lands in the 64-bit one.
        code, _ = self.wine.reg_query(rf"{KEY_ROOT}\Written", view32=False)
        self.assertNotEqual(code, 0)

    def test_right_click_menu_disables_mouse_move_and_right_click(self):
        dialog = self.open_dialog("Menu.scr", RightClickMenu=1)
        c = self.controls(dialog)
        for name in ("Mouse Move", "Mouse Right Click"):
            self.assertEqual((c[IDC[name]]["enabled"], c[IDC[name]]["checked"]), (0, 0), name)
        self.assertEqual((c[IDC["Mouse Double Click"]]["enabled"], c[IDC["Mouse Double Click"]]["checked"]), (1, 1))
        self.close_with(dialog, "OK")
        values = self.registry("Menu")
        self.assertEqual(values["Mouse Move"][1], "0x0")
        self.assertEqual(values["Mouse Right Click"][1], "0x0")
        self.assertEqual(values["Mouse Double Click"][1], "0x1")

    def test_save_then_cancel_keeps_what_save_wrote(self):
        dialog = self.open_dialog("Saved.scr")
        c = self.controls(dialog)
        self.wine.wintool("clickbutton", c[IDC["Esc Key"]]["hwnd"])
        time.sleep(0.5)
        self.wine.wintool("post", dialog["hwnd"], WM_COMMAND, IDM_SAVE1, 0)
        self.assertTrue(self.wine.wait_for(lambda ws: self.registry("Saved"), timeout=20), "Save wrote nothing")
        self.assertTrue(self.wine.find(hwnd=dialog["hwnd"], visible=1), "Save closed the dialog")
        # A change after Save is lost with Cancel.
        self.wine.wintool("clickbutton", c[IDC["Enter Key"]]["hwnd"])
        time.sleep(0.5)
        self.close_with(dialog, "Cancel")
        values = self.registry("Saved")
        self.assertEqual(values["Esc Key"][1], "0x0")
        self.assertEqual(values["Enter Key"][1], "0x1")

    def test_settings_are_read_back_into_the_dialog(self):
        dialog = self.open_dialog("Again.scr")
        c = self.controls(dialog)
        self.wine.wintool("clickbutton", c[IDC["Mouse Left Click"]]["hwnd"])
        self.wine.wintool("clickbutton", c[IDC["ckbtransitionused"]]["hwnd"])
        time.sleep(0.5)
        self.close_with(dialog, "OK")
        dialog = self.open_dialog("Again.scr")
        c = self.controls(dialog)
        self.assertEqual(c[IDC["Mouse Left Click"]]["checked"], 1)
        self.assertEqual(c[IDC["ckbtransitionused"]]["checked"], 1)
        self.assertEqual(c[IDC["clbInEffect"]]["enabled"], 1)
        self.close_with(dialog, "Cancel")

    def test_without_dialog_image_the_window_is_121_pixels_narrower(self):
        wide = self.open_dialog("Picture.scr", ShowDialogImage=True)
        wide_c = self.controls(wide)
        self.close_with(wide, "Cancel")
        narrow = self.open_dialog("NoPicture.scr", ShowDialogImage=False)
        narrow_c = self.controls(narrow)
        width = lambda w: w["rect"][2] - w["rect"][0]
        self.assertEqual(width(wide) - width(narrow), 121)
        # The pages start at the same small margin from the left edge in both.
        margin = lambda d, c: c[IDC["pctl"]]["rect"][0] - d["rect"][0]
        self.assertEqual(margin(wide, wide_c) - margin(narrow, narrow_c), 121)
        self.assertEqual(narrow_c[2101]["visible"], 0)
        self.assertEqual(wide_c[2101]["visible"], 1)

    def test_dialog_picture_is_drawn_from_the_container(self):
        dialog = self.open_dialog("Face.scr", ShowDialogImage=True)
        left, top, right, bottom = self.controls(dialog)[2101]["rect"]
        self.assertEqual((right - left, bottom - top), (100, 250))
        centre = self.wine.wintool("pixel", (left + right) // 2, (top + bottom) // 2).strip()
        self.assertEqual(centre, "0000FF")
        self.close_with(dialog, "Cancel")

    def test_key_missing_a_value_reports_it_and_keeps_what_was_read(self):
        key = rf"{KEY_ROOT}\Partial"
        self.wine.run("reg", "add", key, "/v", "Mouse Sensitivity", "/t", "REG_DWORD", "/d", "2", "/f", "/reg:32")
        self.wine.run("reg", "add", key, "/v", "Enabled password", "/t", "REG_DWORD", "/d", "0", "/f", "/reg:32")
        program = self.build("Partial.scr")
        self.wine.start(program, "/c")
        # "Mouse Move" is the first value missing: its message comes first.
        message = self.wine.wait_for(
            lambda ws: [w for w in ws if w["class"] == "Static" and "Failed to get data for 'Mouse Move'" in w["text"]])
        self.assertTrue(message, "no message about the missing value")
        self.wine.wintool("foreground", message[0]["parent"])
        self.wine.wintool("key", VK_RETURN)
        dialog = self.wine.wait_window(text=CAPTION, visible=1)
        self.assertIsNotNone(dialog, "the dialog did not open after the message")
        time.sleep(0.5)
        c = self.controls(dialog)
        self.assertEqual(self.send(c[IDC["tbMouseSensitivity"]], TBM_GETPOS), 18)
        self.assertEqual(c[IDC["Mouse Move"]]["checked"], 1)
        # OK writes a whole key again.
        self.close_with(dialog, "OK")
        values = self.registry("Partial")
        self.assertEqual(len(values), 18)
        self.assertEqual(values["Mouse Sensitivity"][1], "0x2")

    def test_about_box_shows_the_header_texts(self):
        dialog = self.open_dialog("About Me.scr", ShowHelpMenu=True, Version="2.5",
                                  Copyright="(c) Ann Example", VersionLabelText="Release:",
                                  MemoryLabelText="Memory:")
        self.wine.wintool("post", dialog["hwnd"], WM_COMMAND, IDM_ABOUT1, 0)
        about = self.wine.wait_window(text="About About Me.scr", visible=1)
        self.assertIsNotNone(about, "no about box")
        texts = {w["id"]: w["text"] for w in self.wine.windows() if w["parent"] == about["hwnd"]}
        self.assertEqual(texts[2301], "About Me.scr")
        self.assertEqual(texts[2302], "Release:")
        self.assertEqual(texts[2303], "2.5")
        self.assertEqual(texts[2304], "(c) Ann Example")
        self.assertEqual(texts[2306], "Memory:")
        self.assertRegex(texts[2307], r"^[1-9][0-9]* K$")
        self.wine.wintool("foreground", about["hwnd"])
        self.wine.wintool("key", VK_RETURN)
        self.assertTrue(self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] == about["hwnd"]],
                                           timeout=20))
        self.close_with(dialog, "Cancel")


class PasswordPromptTest(E2ETest, unittest.TestCase):
    """The prompt as a running show asks it: password protection on, then a key
    that ends the show."""

    def start_protected_show(self, name):
        folder = self.scratch(name.replace(".", "_"))
        program = harness.build_show(manifest(name, SlideSeconds=60), name, folder, {"slide.bmp": bmp(4, 4, RED)})
        key = rf"{KEY_ROOT}\{name.rsplit('.', 1)[0]}"
        data = dict(DEFAULTS, **{"Enabled password": "1", "Pwd": "secret"})
        for value, kind in VALUES.items():
            self.wine.run("reg", "add", key, "/v", value, "/t", kind, "/d", data[value], "/f", "/reg:32")
        self.wine.start(program, "/s")
        show = self.wine.wait_window(**{"class": "TfRun", "visible": 1})
        if show is None:
            self.skipTest("no run window in this build")
        time.sleep(1)
        self.wine.wintool("key", VK_ESCAPE)
        prompt = self.wine.wait_window(text="Screensaver Password", visible=1)
        self.assertIsNotNone(prompt, "Esc on a protected show asked no password")
        self.assertTrue(prompt["exstyle"] & WS_EX_TOPMOST)
        # Xvfb has no window manager to hand the keyboard to a new window.
        self.wine.wintool("foreground", prompt["hwnd"])
        return show, prompt

    def gone(self, window):
        return self.wine.wait_for(lambda ws: not [w for w in ws if w["hwnd"] == window["hwnd"]], timeout=20)

    def test_enter_confirms_the_typed_password(self):
        show, prompt = self.start_protected_show("Locked.scr")
        self.wine.wintool("char", "SeCrEt")
        self.wine.wintool("key", VK_RETURN)
        self.assertTrue(self.gone(prompt))
        self.assertTrue(self.gone(show), "the right password did not end the show")

    def test_escape_cancels_and_the_show_goes_on(self):
        show, prompt = self.start_protected_show("Kept.scr")
        self.wine.wintool("char", "secret")
        self.wine.wintool("key", VK_ESCAPE)
        self.assertTrue(self.gone(prompt))
        time.sleep(1)
        self.assertTrue(self.wine.find(hwnd=show["hwnd"]), "Esc in the prompt ended the show")


if __name__ == "__main__":
    unittest.main()
