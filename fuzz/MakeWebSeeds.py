"""Writes the variable-font and web-font seeds of fuzz/corpus/names/: a small font with a naming
table, a font header and an "fvar" table of two named instances, as sfnt, WOFF and WOFF 2, so the
fuzzer starts from inputs that reach the instances' names and both unpackers.

    /usr/bin/python3 fuzz/MakeWebSeeds.py FOLDER
"""
import struct
import sys

from fontTools.ttLib.sfnt import SFNTWriter


def name_table(records):
    storage = b""
    out = b""
    for name_id, text in records:
        data = text.encode("utf-16-be")
        out += struct.pack(">6H", 3, 1, 0x409, name_id, len(data), len(storage))
        storage += data
    return struct.pack(">3H", 0, len(records), 6 + 12 * len(records)) + out + storage


head = struct.pack(">HHiIIHHqqhhhhHHhhh", 1, 0, 1 << 16, 0, 0x5F0F3CF5, 0, 1000, 0, 0, 0, 0, 0,
                   0, 0, 8, 2, 0, 0)
# One weight axis and two instances of 8 bytes (no PostScript name IDs).
fvar = (struct.pack(">8H", 1, 0, 16, 2, 1, 20, 2, 8) + b"wght" +
        struct.pack(">iiiHH", 100 << 16, 400 << 16, 900 << 16, 0, 256) +
        struct.pack(">HHi", 257, 0, 100 << 16) + struct.pack(">HHi", 258, 0, 900 << 16))
tables = {
    "head": head,
    "name": name_table([(1, "Vary"), (4, "Vary Regular"), (16, "Vary Type"), (256, "Weight"),
                        (257, "Thin"), (258, "Black")]),
    "fvar": fvar,
}
for extension, flavor in (("ttf", None), ("woff", "woff"), ("woff2", "woff2")):
    with open(f"{sys.argv[1]}/variable-instances.{extension}", "wb") as file:
        writer = SFNTWriter(file, len(tables), sfntVersion=b"\0\1\0\0", flavor=flavor)
        for tag in sorted(tables):
            writer[tag] = tables[tag]
        writer.close()
