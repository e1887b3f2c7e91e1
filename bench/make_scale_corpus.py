#!/usr/bin/python3
"""Makes a folder of N one-face families from DejaVu Sans (its Latin), named "Scale Family 00000" ...:
names that share a long prefix, so that every comparison of two of them runs to the digits.

    make_scale_corpus.py OUT_DIR COUNT [--source FILE]

The files are "scale00000.ttf", ...; one file is made with fontTools and the others are copies
with the digits of the names written in place (same lengths, so no offset moves). A folder that
already holds the files of that count is left alone."""

import argparse
import os
import shutil

from fontTools import subset
from fontTools.ttLib import TTFont

PLACEHOLDER = "99999"
PREFIX = "Scale Family"
NAME_IDS = (1, 3, 4, 6, 16)


def template(source, target):
    font = TTFont(source)
    # Latin and its punctuation are what the program draws of these families; the rest would
    # only make 20,000 copies take gigabytes.
    options = subset.Options()
    options.name_IDs = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=list(range(0x20, 0x250)) + list(range(0x2000, 0x2070)))
    subsetter.subset(font)
    names = font["name"]
    names.names = [r for r in names.names if r.nameID not in (16, 17, 21, 22)]
    for record in names.names:
        if record.nameID in (1, 3, 4):
            style = " Book" if record.nameID == 4 else ""
            record.string = f"{PREFIX} {PLACEHOLDER}{style}"
        elif record.nameID == 6:
            record.string = f"ScaleFamily{PLACEHOLDER}"
    font.save(target)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("count", type=int)
    parser.add_argument("--source", default="/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    existing = [f for f in os.listdir(args.out) if f.startswith("scale") and f.endswith(".ttf")]
    if len(existing) == args.count:
        return
    for name in existing:
        os.remove(os.path.join(args.out, name))
    first = os.path.join(args.out, "template.ttf.tmp")
    template(args.source, first)
    with open(first, "rb") as f:
        data = f.read()
    os.remove(first)
    # The name table's strings: ASCII in Macintosh records, UTF-16BE in Windows ones.
    marks = [PLACEHOLDER.encode("ascii"), PLACEHOLDER.encode("utf-16-be")]
    for i in range(args.count):
        digits = f"{i:05d}"
        copy = data
        for mark, encoding in zip(marks, ("ascii", "utf-16-be")):
            copy = copy.replace(mark, digits.encode(encoding))
        with open(os.path.join(args.out, f"scale{digits}.ttf"), "wb") as f:
            f.write(copy)


if __name__ == "__main__":
    main()
