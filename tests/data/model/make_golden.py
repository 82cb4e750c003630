#!/usr/bin/env python3
"""Writes the golden files of the model tests, straight from the documented
byte layouts (independent of the program's own writers)."""
import struct, os

here = os.path.dirname(os.path.abspath(__file__))

def slot(b, tail=b""):
    raw = b + b"\0" + tail
    return raw + b"\0" * (255 - len(raw))

def project_record(name, tf, font, ints, lengths, positions):
    (fontcolor, style, size, back, head, headdark, headfont, box, cell, alt,
     showgrid, gridstyle, gridcolor, vis, wid, ha, va, rowh, rows, plus, minus, equal) = ints
    r = slot(*name) + bytes([tf]) + slot(font)
    r += struct.pack("<IBi7I", fontcolor, style, size, back, head, headdark, headfont, box, cell, alt)
    r += struct.pack("<BBI", showgrid, gridstyle, gridcolor)
    r += bytes(vis) + struct.pack("<5i", *wid) + bytes(ha) + bytes(va)
    r += struct.pack("<ii3I", rowh, rows, plus, minus, equal)
    r += struct.pack("<3i", *lengths) + struct.pack("<3i", *positions)
    assert len(r) == 633, len(r)
    return r

font = "ＭＳ ゴシック".encode("cp932")
texts1 = [b"A\r\nB\r\n", b"", b"1:23\r\n1:20\r\n"]
texts2 = [b"", b"", b""]
base = 4 + 633 * 2
ints1 = (0xFF000008, 1, 11, 0xFF000005, 0xFF00000F, 0xFF000006, 0x00123456, 0x00654321,
         0x00ABCDEF, 0xFF000018, 1, 3, 0x00010203, [0, 1, 1, 1, 1], [10, 20, 30, 40, 50],
         [0, 1, 2, 0, 1], [2, 1, 0, 2, 1], 22, 2, 0x000000FF, 0x00FF0000, 0x0055CC55)
ints2 = (0xFF000008, 0, 9, 0xFF000005, 0xFF00000F, 0xFF000006, 0xFF000008, 0xFF000008,
         0xFF000005, 0xFF000018, 0, 2, 0xFF000006, [1, 1, 1, 1, 1], [74] * 5,
         [1] * 5, [1] * 5, 22, 20, 0x000000FF, 0x00FF0000, 0x0055CC55)
pos1 = [base, base + 6, base + 6]
pos2 = [base + 18] * 3
data = struct.pack("<i", 2)
data += project_record((b"Course A", b"junk after the terminator"), 4, font, ints1,
                       [len(t) for t in texts1], pos1)
data += project_record(("区間".encode("cp932"),), 8, font, ints2, [0, 0, 0], pos2)
data += b"".join(texts1 + texts2)
open(os.path.join(here, "two_sheets.sgp"), "wb").write(data)

# Sheet settings file: stamp 100 and the aligned 632-byte image.
img = slot(b"Sheet X") + bytes([6]) + slot(font) + b"\0"
img += struct.pack("<I B 3x i 7I", 0x00112233, 2, 14, 1, 2, 3, 4, 5, 6, 7)
img += struct.pack("<BB2xI", 0, 4, 0x00445566)
img += bytes([1, 0, 1, 0, 1]) + b"\0" * 3 + struct.pack("<5i", 5, 6, 7, 8, 9)
img += bytes([2, 2, 2, 0, 0]) + bytes([0, 0, 2, 2, 1]) + b"\0" * 2
img += struct.pack("<ii3I", 30, 99, 0x0A0B0C, 0x0D0E0F, 0x101112) + b"\0" * 12
assert len(img) == 632, len(img)
open(os.path.join(here, "settings.dsf"), "wb").write(struct.pack("<i", 100) + img)
