#!/usr/bin/env python3
"""Sound and video files for shows, made from numbers: a PCM WAV tone and an
uncompressed 32-bit AVI of solid coloured frames (the frame format that MCI
draws the same on every display depth).

    make_media.py FOLDER      writes FOLDER/tune.wav and FOLDER/clip.avi for the demo

The end-to-end tests import wav() and avi() to make their own files."""
import math
import struct
import sys
from pathlib import Path


def chunk(fourcc, data):
    """A RIFF chunk, padded to an even length."""
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def riff_list(kind, fourcc, data):
    return chunk(kind, fourcc + data)


def tone_samples(seconds, rate=22050, frequency=440.0, volume=0.3):
    """16-bit mono samples of a sine tone that fades in and out over 20 ms."""
    count = int(seconds * rate)
    fade = max(1, rate // 50)
    out = bytearray()
    for n in range(count):
        envelope = min(1.0, n / fade, (count - 1 - n) / fade)
        value = int(32767 * volume * envelope * math.sin(2 * math.pi * frequency * n / rate))
        out += struct.pack("<h", value)
    return bytes(out)


def wav(samples, rate=22050, channels=1, bits=16):
    """A PCM WAV file around raw little-endian samples."""
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    return riff_list(b"RIFF", b"WAVE", chunk(b"fmt ", fmt) + chunk(b"data", samples))


def avi(width, height, colours, fps=10, frames_per_colour=10):
    """An uncompressed 32-bit AVI: for each (r, g, b) colour, that many frames
    of the colour alone. Frames are stored bottom-up as BGRX."""
    frames = [bytes((b, g, r, 0)) * (width * height) for (r, g, b) in colours for _ in range(frames_per_colour)]
    frame_size = width * height * 4
    avih = struct.pack("<10I4I", 1000000 // fps, frame_size * fps, 0, 0x10, len(frames), 0, 1, frame_size,
                       width, height, 0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIIIhhhh", 0, 0, 0, 0, 1, fps, 0, len(frames), frame_size,
                                            0xFFFFFFFF, 0, 0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, frame_size, 0, 0, 0, 0)
    header = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                       riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi = b""
    index = b""
    for frame in frames:
        # Index offsets count from the 'movi' type code of the list.
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi), len(frame))
        movi += chunk(b"00db", frame)
    return riff_list(b"RIFF", b"AVI ", header + riff_list(b"LIST", b"movi", movi) + chunk(b"idx1", index))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    notes = [(523.25, 0.4), (659.25, 0.4), (783.99, 0.4), (1046.5, 0.8)]
    (folder / "tune.wav").write_bytes(wav(b"".join(tone_samples(s, frequency=f) for f, s in notes)))
    colours = [(0xE7, 0x4C, 0x3C), (0xF1, 0xC4, 0x0F), (0x2E, 0xCC, 0x71), (0x34, 0x98, 0xDB)]
    (folder / "clip.avi").write_bytes(avi(160, 120, colours, fps=10, frames_per_colour=8))


if __name__ == "__main__":
    main()
