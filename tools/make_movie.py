#!/usr/bin/env python3
"""Writes a small Flash movie: a background colour and, if asked, a square
that slides across the stage and a disc that grows, frame by frame. Used for
the demo show, the end-to-end tests and the fuzzing seeds.

  make_movie.py OUT.swf [--size 320x240] [--fps 12] [--frames 24]
                [--background RRGGBB] [--shapes] [--stop-at-end]
                [--compression F|C|Z]
"""
import argparse
import lzma
import math
import struct
import sys
import zlib


class Bits:
    """Bit fields, most significant bit first, and byte-aligned numbers."""

    def __init__(self):
        self.data = bytearray()
        self.used = 0

    def bits(self, value, count):
        for k in range(count - 1, -1, -1):
            if self.used == 0:
                self.data.append(0)
            if (value >> k) & 1:
                self.data[-1] |= 0x80 >> self.used
            self.used = (self.used + 1) % 8

    def signed(self, value, count):
        self.bits(value & ((1 << count) - 1), count)

    def align(self):
        self.used = 0

    def u8(self, value):
        self.align()
        self.data.append(value & 0xFF)

    def u16(self, value):
        self.align()
        self.data += struct.pack("<H", value)


def signed_bits(*values):
    bits = 1
    while any(not (-(1 << (bits - 1)) <= v < (1 << (bits - 1))) for v in values):
        bits += 1
    return bits


def rect(out, left, right, top, bottom):
    n = signed_bits(left, right, top, bottom)
    out.align()
    out.bits(n, 5)
    for v in (left, right, top, bottom):
        out.signed(v, n)
    out.align()


def tag(code, body=b""):
    body = bytes(body)
    if len(body) < 0x3F:
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 0x3F, len(body)) + body


def shape(shape_id, rgb, start, edges, stage):
    """DefineShape: one solid fill inside edges given as (dx, dy) lines or
    (cx, cy, ax, ay) quadratic curves, in twips from `start`."""
    out = Bits()
    out.u16(shape_id)
    rect(out, 0, stage[0], 0, stage[1])
    out.u8(1)
    out.u8(0)
    for c in rgb:
        out.u8(c)
    out.u8(0)
    out.align()
    out.bits(1, 4)
    out.bits(0, 4)
    out.bits(0, 1)
    out.bits(0b00101, 5)  # move to, fill style 1
    n = signed_bits(*start)
    out.bits(n, 5)
    out.signed(start[0], n)
    out.signed(start[1], n)
    out.bits(1, 1)
    for edge in edges:
        out.bits(1, 1)
        n = max(2, signed_bits(*edge))
        if len(edge) == 2:
            out.bits(1, 1)
            out.bits(n - 2, 4)
            out.bits(1, 1)
            out.signed(edge[0], n)
            out.signed(edge[1], n)
        else:
            out.bits(0, 1)
            out.bits(n - 2, 4)
            for v in edge:
                out.signed(v, n)
    out.bits(0, 6)
    return tag(2, out.data)


def disc(radius):
    """A circle of eight quadratic curves around the origin, from (radius, 0)."""
    points = []
    for k in range(8):
        mid, end = math.radians(45 * k + 22.5), math.radians(45 * (k + 1))
        reach = radius / math.cos(math.radians(22.5))
        points.append(((round(reach * math.cos(mid)), round(reach * math.sin(mid))),
                       (round(radius * math.cos(end)), round(radius * math.sin(end)))))
    edges, at = [], (radius, 0)
    for control, anchor in points:
        edges.append((control[0] - at[0], control[1] - at[1], anchor[0] - control[0], anchor[1] - control[1]))
        at = anchor
    return edges


def place(depth, shape_id, tx, ty, move=False, scale=None):
    out = Bits()
    out.u8(0x05 if move else 0x06)
    out.u16(depth)
    if not move:
        out.u16(shape_id)
    out.align()
    if scale is None:
        out.bits(0, 1)
    else:
        fixed = int(scale * 65536)
        n = signed_bits(fixed)
        out.bits(1, 1)
        out.bits(n, 5)
        out.signed(fixed, n)
        out.signed(fixed, n)
    out.bits(0, 1)
    n = signed_bits(tx, ty)
    out.bits(n, 5)
    out.signed(tx, n)
    out.signed(ty, n)
    return tag(26, out.data)


def movie(width, height, fps, frames, background=None, shapes=False, stop_at_end=False):
    """The uncompressed body after the 8-byte file header."""
    stage = (width * 20, height * 20)
    out = Bits()
    rect(out, 0, stage[0], 0, stage[1])
    out.u16(int(fps * 256))
    out.u16(frames)
    body = bytes(out.data)
    if background is not None:
        body += tag(9, background)
    side = min(stage) // 4
    if shapes:
        body += shape(1, (0xF4, 0xD0, 0x3F), (0, 0), [(side, 0), (0, side), (-side, 0), (0, -side)], stage)
        body += shape(2, (0xE8, 0x4A, 0x5F), (side // 2, 0), disc(side // 2), stage)
    for k in range(frames):
        if shapes:
            x = (stage[0] - side) * k // max(1, frames - 1)
            y = (stage[1] - side) // 2
            body += place(1, 1, x, y, move=k > 0)
            grow = 0.3 + 1.2 * k / max(1, frames - 1)
            body += place(2, 2, stage[0] // 2, stage[1] // 4, move=k > 0, scale=grow)
        if stop_at_end and k == frames - 1:
            body += tag(12, b"\x07\x00")
        body += tag(1)
    return body + tag(0)


def pack(body, compression="F", version=10):
    length = struct.pack("<I", len(body) + 8)
    if compression == "F":
        return b"FWS" + bytes([version]) + length + body
    if compression == "C":
        return b"CWS" + bytes([version]) + length + zlib.compress(body, 9)
    # ZWS: the length of the LZMA data, its five property bytes, the data.
    dictionary = 1 << 16
    data = lzma.compress(body, format=lzma.FORMAT_RAW,
                         filters=[{"id": lzma.FILTER_LZMA1, "dict_size": dictionary, "lc": 3, "lp": 0, "pb": 2}])
    properties = bytes([(2 * 5 + 0) * 9 + 3]) + struct.pack("<I", dictionary)
    return b"ZWS" + bytes([max(version, 13)]) + length + struct.pack("<I", len(data)) + properties + data


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--size", default="320x240")
    parser.add_argument("--fps", type=float, default=12)
    parser.add_argument("--frames", type=int, default=24)
    parser.add_argument("--background", help="RRGGBB")
    parser.add_argument("--shapes", action="store_true")
    parser.add_argument("--stop-at-end", action="store_true")
    parser.add_argument("--compression", choices="FCZ", default="F")
    args = parser.parse_args(argv)
    width, height = (int(v) for v in args.size.split("x"))
    background = bytes.fromhex(args.background) if args.background else None
    body = movie(width, height, args.fps, args.frames, background, args.shapes, args.stop_at_end)
    with open(args.out, "wb") as f:
        f.write(pack(body, args.compression))


if __name__ == "__main__":
    main(sys.argv[1:])
