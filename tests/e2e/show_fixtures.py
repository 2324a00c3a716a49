"""Helpers for tests of a running show: solid-colour pictures, a manifest writer,
the user's settings in the registry, and watching the screen's colour."""
import re
import subprocess
import tempfile
import time
from pathlib import Path

KEY_ROOT = r"HKLM\Software\Halberline"

# Every value the show reads, with its registry type and the value a fresh
# settings dialog writes. The show reads all eighteen and stops at a missing
# number, so a test always stores a whole key.
DEFAULT_SETTINGS = {
    "Enabled password": 0, "Pwd": "", "Mouse Sensitivity": 5, "Mouse Move": 1, "Mouse Left Click": 0,
    "Mouse Right Click": 1, "Mouse Double Click": 1, "Esc Key": 1, "Enter Key": 1, "Specified Key": 0,
    "Key Value": "A", "Enabled Music": 1, "Use Max Run Time": 0, "Max Run Time": 60,
    "transition": "".join(f"{i};" for i in range(161)), "random transition": 1, "transition speed": 25,
    "newtransition": 0,
}


def bmp(width, height, rgb):
    """An uncompressed 24-bit bitmap of one colour."""
    r, g, b = rgb
    row = bytes((b, g, r)) * width
    row += bytes((4 - len(row) % 4) % 4)
    pixels = row * height
    header = b"BM" + (54 + len(pixels)).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    info = (40).to_bytes(4, "little") + width.to_bytes(4, "little") + height.to_bytes(4, "little") + \
        (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(24)
    return header + info + pixels


def toml_value(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, (list, tuple)):
        return "[" + ", ".join(toml_value(v) for v in value) + "]"
    if isinstance(value, dict):
        return "{ " + ", ".join(f"{key} = {toml_value(v)}" for key, v in value.items()) + " }"
    return '"' + str(value).replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def manifest(project, items):
    """A showpack manifest from the header fields and a list of item tables."""
    lines = ["[project]"] + [f"{key} = {toml_value(value)}" for key, value in project.items()]
    for item in items:
        lines += ["", "[[item]]"] + [f"{key} = {toml_value(value)}" for key, value in item.items()]
    return "\n".join(lines) + "\n"


def colour_item(file_name):
    """A picture item that fills the screen with its picture alone: a plain
    black background, no texts, no transition."""
    return {"File": file_name, "ShowCaption": False, "ShowText": False, "BackgroundKinds": "0;",
            "BackgroundColor": 0, "Transitions": [], "RandomTransition": False}


def set_settings(session, project, values=None):
    """Stores a whole settings key for `project` (the project name, with or
    without its extension): the defaults with `values` laid over them. One
    registry import in the 32-bit view, where the show looks."""
    settings = dict(DEFAULT_SETTINGS)
    unknown = set(values or {}) - set(settings)
    if unknown:
        raise KeyError(f"not a settings value: {sorted(unknown)}")
    settings.update(values or {})
    stem = project.rsplit(".", 1)[0] if "." in project else project
    lines = ["Windows Registry Editor Version 5.00", "",
             rf"[HKEY_LOCAL_MACHINE\Software\Halberline\{stem}]"]
    for name, value in settings.items():
        if isinstance(value, str):
            text = value.replace("\\", "\\\\").replace('"', '\\"')
            lines.append(f'"{name}"="{text}"')
        else:
            lines.append(f'"{name}"=dword:{int(value) & 0xFFFFFFFF:08x}')
    with tempfile.NamedTemporaryFile("w", suffix=".reg", dir=session.work, delete=False,
                                     encoding="utf-16") as f:
        f.write("\r\n".join(lines) + "\r\n")
        path = Path(f.name)
    result = session.run("reg", "import", session.windows_path(path), "/reg:32")
    path.unlink()
    if result.returncode != 0:
        raise RuntimeError(f"reg import failed: {result.stderr.decode('utf-8', 'replace')}")


def screen_pixel(session, x, y):
    """The screen colour at (x, y) as (r, g, b). Asks for 8 bits a channel: the
    X screenshot's text form otherwise writes 16-bit channels (#RRRRGGGGBBBB)."""
    out = subprocess.run(
        ["import", "-display", session.display, "-window", "root", "-depth", "8", "-crop", f"1x1+{x}+{y}",
         "txt:-"], capture_output=True, check=True, timeout=60).stdout.decode()
    m = re.search(r"#([0-9A-Fa-f]{6})\b", out)
    v = int(m.group(1), 16)
    return (v >> 16, (v >> 8) & 255, v & 255)


def dominant(rgb, floor=128):
    """'red', 'green', 'blue', 'black' or 'other' for a screen colour."""
    r, g, b = rgb
    if max(rgb) < 40:
        return "black"
    for name, (own, others) in (("red", (r, (g, b))), ("green", (g, (r, b))), ("blue", (b, (r, g)))):
        if own >= floor and max(others) < 80:
            return name
    return "other"


def watch_colours(session, x, y, seconds):
    """Samples the pixel at (x, y) for `seconds`; returns [(time, colour name)]
    with times from the start of the watch."""
    start = time.monotonic()
    samples = []
    while time.monotonic() - start < seconds:
        samples.append((time.monotonic() - start, dominant(screen_pixel(session, x, y))))
    return samples


def runs(samples):
    """Collapses samples into [(colour, first time, last time)] runs."""
    out = []
    for t, colour in samples:
        if out and out[-1][0] == colour:
            out[-1][2] = t
        else:
            out.append([colour, t, t])
    return [tuple(r) for r in out]


def screen_area(session, rect):
    """The raw RGB bytes of a screen rectangle (left, top, right, bottom)."""
    left, top, right, bottom = rect
    return subprocess.run(
        ["import", "-display", session.display, "-window", "root", "-depth", "8", "-crop",
         f"{right - left}x{bottom - top}+{left}+{top}", "rgb:-"], capture_output=True, check=True,
        timeout=60).stdout
