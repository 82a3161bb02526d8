#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the package's palette bitmap (TQuire.bmp) and icon (QuirePack.ico).

Both are 16-colour, uncompressed pictures drawn here as character maps: an
inspector grid with a sunken frame, a name column, a divider, a value column, an
expandable row and a selected row with its drop-down button. Run it after changing
a map; the outputs are checked in.
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette (red, green, blue) and the letters used in the maps.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
LETTERS = {'K': 0, 'R': 1, 'N': 4, 'T': 6, '.': 7, 'G': 8, 'B': 12, 'W': 15}

def framed(rows, name_width, value_width):
    """Interior rows given as (name, value) pairs, a None row being a separator
    line, joined by the divider."""
    lines = []
    for row in rows:
        name, value = row if row else ("." * name_width, "." * value_width)
        lines.append(name + "G" + value)
    return lines


def palette_image():
    rows = [
        ("WWWWWWW", "WWWWWWWWWW"),
        ("WKKKKWW", "WWWWWWWWWW"),
        ("WWWWWWW", "WNNNNNNWWW"),
        ("WWWWWWW", "WWWWWWWWWW"),
        None,
        ("WWKWWWW", "WWWWWWWWWW"),
        ("WKKKWKK", "WBBBBWWWWW"),
        ("WWKWWWW", "WWWWWWWWWW"),
        ("WWWWWWW", "WWWWWWWWWW"),
        None,
        ("NNNNNNN", "WWWWW....."),
        ("NWWWWNN", "WKKKK.KKK."),
        ("NNNNNNN", "WWWWW..K.."),
        ("NNNNNNN", "WWWWW....."),
        None,
        ("WKKKWWW", "WTTTTTTTWW"),
        ("WWWWWWW", "WWWWWWWWWW"),
        ("WWWWWWW", "WWWWWWWWWW"),
    ]
    interior = framed(rows, 7, 10)
    return (["." * 24, "." + "G" * 22 + ".", ".G" + "K" * 20 + "W."]
            + [".GK" + line + ".W." for line in interior]
            + [".GK" + "." * 19 + "W.", ".G" + "W" * 21 + ".", "." * 24])


def icon_image_map():
    rows = [
        ("WWWWW", "WWWWWW"),
        ("WKKKW", "WNNNNW"),
        None,
        ("WWKWW", "WWWWWW"),
        ("WKKKW", "WBBBWW"),
        ("WWKWW", "WWWWWW"),
        None,
        ("NNNNN", "WWW..."),
        ("NWWWN", "WKWKKK"),
        ("NNNNN", "WWW.K."),
        None,
        ("WKKWW", "WTTTTW"),
    ]
    interior = framed(rows, 5, 6)
    return (["G" * 15 + "W", "G" + "K" * 14 + "W"]
            + ["GK" + line + ".W" for line in interior]
            + ["GK" + "." * 13 + "W", "G" + "W" * 15])


PALETTE_IMAGE = palette_image()
ICON_IMAGE = icon_image_map()


def indices(picture):
    width = len(picture[0])
    for row in picture:
        if len(row) != width:
            sys.exit(f"row {row!r} is {len(row)} wide, not {width}")
    return [[LETTERS[c] for c in row] for row in picture]


def packed_rows(pixels, bits):
    """Rows bottom-up, each padded to four bytes."""
    out = b""
    for row in reversed(pixels):
        line = bytearray()
        if bits == 4:
            for x in range(0, len(row), 2):
                right = row[x + 1] if x + 1 < len(row) else 0
                line.append((row[x] << 4) | right)
        else:  # the one-bit mask
            for x in range(0, len(row), 8):
                byte = 0
                for bit, value in enumerate(row[x:x + 8]):
                    byte |= value << (7 - bit)
                line.append(byte)
        while len(line) % 4:
            line.append(0)
        out += bytes(line)
    return out


def info_header(width, height, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_bytes, 2835, 2835, 16, 0)


def colour_table():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def bmp(picture):
    pixels = indices(picture)
    bits = packed_rows(pixels, 4)
    header = info_header(len(pixels[0]), len(pixels), len(bits)) + colour_table()
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + bits


def scaled(pixels, factor):
    return [[value for value in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def icon_image(pixels):
    size = len(pixels)
    xor = packed_rows(pixels, 4)
    mask = packed_rows([[0] * size for _ in range(size)], 1)
    return info_header(size, size * 2, len(xor) + len(mask)) + colour_table() + xor + mask


def ico(picture):
    small = indices(picture)
    images = [scaled(small, 2), small]
    blobs = [icon_image(pixels) for pixels in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return directory + b"".join(blobs)


if __name__ == "__main__":
    here = Path(__file__).resolve().parent
    (here / "TQuire.bmp").write_bytes(bmp(PALETTE_IMAGE))
    (here / "QuirePack.ico").write_bytes(ico(ICON_IMAGE))
