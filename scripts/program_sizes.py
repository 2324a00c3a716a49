#!/usr/bin/env python3
"""Size table of the Windows programs: file size per target and what the
loaded image is made of, from the link maps that the builds keep beside the
programs (NAME.map).

    scripts/program_sizes.py [BUILD_ROOT]     (default: build)

Prints a Markdown table. Each input section that goes into a loaded output
section (code, read-only data, data, unwind tables, imports, resources) is
counted for the archive or object it came from, and each of those is put
into one group by its path.
"""
import os
import re
import sys

PROGRAMS = [  # (program, path below build/<target>)
    ("screensaver.scr", "src/player/win32/screensaver.scr"),
    ("installer.exe", "src/installer/win32/installer.exe"),
    ("svremove.exe", "src/installer/win32/svremove.exe"),
]
TARGETS = ["win32", "win64"]

# Groups, first match wins; a path that matches none is the C/C++ runtime or
# the Windows import libraries of the compiler's own folders.
PICTURE_LIBRARIES = re.compile(r"lib(jpeg|png16|gif|z|tiff|lzma|turbojpeg)\.a\(")
CPP_RUNTIME = re.compile(r"lib(stdc\+\+|supc\+\+|gcc|gcc_eh|winpthread|pthread)\.a\(|/crtbegin\.o|/crtend\.o")
C_RUNTIME = re.compile(r"lib(mingw32|mingwex|msvcrt|moldname|ucrt\w*)\.a\(|/crt2\.o|/dllcrt2\.o|/crt1\.o")
GROUPS = ["our code", "picture libraries", "C++ runtime", "C runtime", "Windows imports", "resources"]

OUTPUT_SECTION = re.compile(r"^(\.[\w$.]+)\s*(?:0x[0-9a-f]+\s+0x([0-9a-f]+))?")
INPUT_SECTION = re.compile(r"^ (\.[^\s]+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
LOADED = re.compile(r"^\.(text|rdata|data|eh_frame|pdata|xdata|idata|CRT|tls|rsrc)$")


def group_of(origin, section):
    if section == ".rsrc":
        return "resources"
    if PICTURE_LIBRARIES.search(origin):
        return "picture libraries"
    if CPP_RUNTIME.search(origin):
        return "C++ runtime"
    if C_RUNTIME.search(origin):
        return "C runtime"
    if origin.startswith("/usr/"):
        return "Windows imports"
    return "our code"


def parts_of(map_path):
    sizes = dict.fromkeys(GROUPS, 0)
    output = None
    pending = None  # an input section name whose address is on the next line
    with open(map_path, errors="replace") as text:
        for line in text:
            line = line.rstrip("\n")
            head = OUTPUT_SECTION.match(line)
            if head:
                output = head.group(1)
                continue
            if output is None or not LOADED.match(output):
                continue
            if re.match(r"^ \.[^\s]+$", line):
                pending = line.strip()
                continue
            entry = INPUT_SECTION.match(line)
            if not entry or (entry.group(1) is None and pending is None):
                pending = None
                continue
            size = int(entry.group(3), 16)
            origin = entry.group(4)
            if size and not origin.startswith("0x"):
                sizes[group_of(origin, output)] += size
            pending = None
    return sizes


def kib(n):
    return f"{n / 1024:,.0f} KiB"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "build"
    rows = []
    for target in TARGETS:
        for name, path in PROGRAMS:
            program = os.path.join(root, target, path)
            if not os.path.exists(program) or not os.path.exists(program + ".map"):
                continue
            parts = parts_of(program + ".map")
            rows.append([name, target, kib(os.path.getsize(program))] + [kib(parts[g]) for g in GROUPS])
    if not rows:
        sys.exit(f"no programs with link maps below {root}/win32 or {root}/win64: run scripts/build.sh first")
    header = ["program", "target", "file (stripped)"] + GROUPS
    print("| " + " | ".join(header) + " |")
    print("|" + "|".join("---" for _ in header) + "|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
