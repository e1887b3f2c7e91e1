#!/usr/bin/python3
"""Makes a folder of N font files with N distinct families from the machine's TrueType fonts:
copies of real fonts, each with its family renamed, and the rest of the file left as it is.

    make_font_corpus.py OUT_DIR COUNT [--source DIR]...

The families are "GB00001 <family>", "GB00002 <family>", ... taken from the sources in turn; the
files are "gb00001.ttf", ... A folder that already holds the files of that count is left alone."""

import argparse
import os
import sys

from fontTools.ttLib import TTFont

# Name IDs that carry the family: family, full name, PostScript name, unique ID, typographic
# family, WWS family.
FAMILY_IDS = (1, 16, 21)
FULL_ID = 4
POSTSCRIPT_ID = 6
UNIQUE_ID = 3


def sources(folders):
    found = []
    for folder in folders:
        for root, _, files in os.walk(folder):
            found += [os.path.join(root, f) for f in files if f.lower().endswith(".ttf")]
    return sorted(found)


def rename(source, target, prefix):
    font = TTFont(source, lazy=True)
    names = font["name"]
    for record in names.names:
        if record.nameID in FAMILY_IDS or record.nameID in (FULL_ID, UNIQUE_ID):
            record.string = f"{prefix} {record.toUnicode()}"
        elif record.nameID == POSTSCRIPT_ID:
            record.string = f"{prefix}-{record.toUnicode()}"
    font.save(target, reorderTables=False)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("count", type=int)
    parser.add_argument("--source", action="append",
                        default=[], help="a folder of .ttf files (default: Debian's TrueType fonts)")
    args = parser.parse_args()
    folders = args.source or ["/usr/share/fonts/truetype"]
    files = sources(folders)
    if not files:
        sys.exit("no .ttf files under " + ", ".join(folders))
    os.makedirs(args.out, exist_ok=True)
    existing = [f for f in os.listdir(args.out) if f.startswith("gb") and f.endswith(".ttf")]
    if len(existing) == args.count:
        return
    for name in existing:
        os.remove(os.path.join(args.out, name))
    for i in range(args.count):
        prefix = f"GB{i + 1:05d}"
        rename(files[i % len(files)], os.path.join(args.out, f"gb{i + 1:05d}.ttf"), prefix)


if __name__ == "__main__":
    main()
