"""The shipped Windows programs under dist/: stripped of debugging information,
with their symbols beside them in .debug/NAME.debug, named by a debug link
whose checksum matches, so that a crash report can still be read."""
import struct
import unittest
import zlib
from pathlib import Path

DIST = Path(__file__).resolve().parents[2] / "dist"
PROGRAMS = ["screensaver.scr", "installer.exe", "svremove.exe"]


def pe_sections(data):
    """(name, bytes) of every section of a PE file; long names (/N) are read
    from the COFF string table, as objcopy writes them."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    count, = struct.unpack_from("<H", data, pe + 6)
    symbols, nsymbols = struct.unpack_from("<II", data, pe + 12)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    strings = symbols + 18 * nsymbols
    table = pe + 24 + optional_size
    for i in range(count):
        raw_name, _, _, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
        name = raw_name.rstrip(b"\0").decode()
        if name.startswith("/") and symbols:
            start = strings + int(name[1:])
            name = data[start:data.index(b"\0", start)].decode()
        yield name, data[raw_offset:raw_offset + raw_size]


class ReleaseProgramsTest(unittest.TestCase):
    def test_programs_are_stripped_and_linked_to_their_symbols(self):
        found = [p for target in ("win32", "win64") for p in (DIST / target / n for n in PROGRAMS) if p.exists()]
        self.assertTrue(any(p.name == "screensaver.scr" for p in found), "no screensaver under dist/")
        for program in found:
            with self.subTest(program=str(program.relative_to(DIST))):
                sections = dict(pe_sections(program.read_bytes()))
                self.assertEqual([n for n in sections if n.startswith(".debug")], [])
                self.assertIn(".gnu_debuglink", sections)
                link = sections[".gnu_debuglink"]
                name = link[:link.index(b"\0")].decode()
                self.assertEqual(name, program.name + ".debug")
                crc_at = (len(name) + 1 + 3) // 4 * 4
                crc, = struct.unpack_from("<I", link, crc_at)
                symbols = program.parent / ".debug" / name
                self.assertTrue(symbols.exists(), f"{symbols} missing")
                self.assertEqual(zlib.crc32(symbols.read_bytes()), crc)
                debug_sections = dict(pe_sections(symbols.read_bytes()))
                self.assertIn(".debug_info", debug_sections)


if __name__ == "__main__":
    unittest.main()
