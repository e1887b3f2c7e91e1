#!/usr/bin/python3
"""Checks the layer rule where the build cannot see it.

Each layer is compiled with an include folder that holds only the folders it may use, so an
upward include fails to compile, with two exceptions:

- a quoted include is looked up beside the including file first, so "../app/TfrmMain.h" reaches
  any folder whatever the include folder holds;
- a header is only compiled through the sources that include it, with their include folder: a
  widgets header that includes an app header compiles as long as only app includes it.

This reads every source and header of the layers, the order of the layers from
docs/ARCHITECTURE.md, and what each layer's CMakeLists.txt lets it use, and fails on an include
that climbs out of its folder or names a layer above the file's own. A subfolder of a layer
folder (platform/text/) belongs to that layer; platform/'s service folders have an order of their
own, drawn in the same page, and one may include only those at or before it.

Usage: check-layers.py SOURCE_ROOT
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
CHAIN = re.compile(r"^\s+(\w+(?:\s+<-\s+\w+)+)\s*$", re.MULTILINE)
PLATFORM_CHAIN = re.compile(r"^\s+platform/:\s+(\w+(?:\s+<-\s+\w+)+)\s*$", re.MULTILINE)
LAYER_CALL = re.compile(r"glyphera_layer\(\s*(\w+)(.*?)\)", re.DOTALL)


def chain(root, pattern, what):
    """The names of a chain drawn in docs/ARCHITECTURE.md ("a <- b <- c"), lowest first."""
    text = (root / "docs" / "ARCHITECTURE.md").read_text(encoding="utf-8")
    match = pattern.search(text)
    if not match:
        sys.exit(f"docs/ARCHITECTURE.md draws no chain of {what}")
    return [name.strip() for name in match.group(1).split("<-")]


def build_uses(root, layer):
    """The folders the build lets LAYER include, from the USES of its glyphera_layer() call."""
    text = (root / layer / "CMakeLists.txt").read_text(encoding="utf-8")
    match = LAYER_CALL.search(text)
    if not match or match.group(1) != layer:
        sys.exit(f"{layer}/CMakeLists.txt does not build the layer {layer} with glyphera_layer()")
    words = match.group(2).split()
    if "USES" not in words:
        return []
    uses = []
    for word in words[words.index("USES") + 1:]:
        if word in ("LINKS", "SOURCES"):
            break
        uses.append(word)
    return uses


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = pathlib.Path(sys.argv[1]).resolve()
    order = chain(root, CHAIN, "the layers (platform <- widgets <- ...)")
    rank = {layer: i for i, layer in enumerate(order)}
    services = {folder: i for i, folder in
                enumerate(chain(root, PLATFORM_CHAIN, "platform/'s folders (platform/: text <- ...)"))}
    faults = []
    for folder in sorted(p.name for p in (root / "platform").iterdir() if p.is_dir()):
        if folder not in services:
            faults.append(f"platform/{folder}/ is in no place of the platform/ chain")

    # The build and the page must agree: no layer may be let use a layer at or above itself.
    for layer in order:
        for used in build_uses(root, layer):
            if used not in rank or rank[used] >= rank[layer]:
                faults.append(f"{layer}/CMakeLists.txt: USES {used}, which is not a layer below {layer}")

    checked = 0
    for layer in order:
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp") or not path.is_file():
                continue
            checked += 1
            name = path.relative_to(root)
            text = path.read_text(encoding="utf-8", errors="replace")
            for match in INCLUDE.finditer(text):
                target = match.group(2)
                line = text.count("\n", 0, match.start()) + 1
                close = ">" if match.group(1) == "<" else '"'
                where = f"{name}:{line}: #include {match.group(1)}{target}{close}"
                parts = pathlib.PurePosixPath(target).parts
                if ".." in parts:
                    faults.append(f"{where}: climbs out of its folder; name the layer folder instead")
                elif len(parts) > 1 and parts[0] in rank and rank[parts[0]] > rank[layer]:
                    faults.append(f"{where}: {parts[0]} is above {layer}")
                elif (layer == "platform" and len(name.parts) > 2 and len(parts) > 2 and
                      parts[0] == "platform" and parts[1] in services and
                      services[parts[1]] > services.get(name.parts[1], len(services))):
                    faults.append(f"{where}: platform/{parts[1]} is above platform/{name.parts[1]}")

    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"{len(faults)} fault(s) against the layer rule "
              f"({' <- '.join(order)})", file=sys.stderr)
        return 1
    if checked == 0:
        sys.exit("no sources found under the layer folders")
    print(f"{checked} files of {len(order)} layers include nothing above their layer")
    return 0


if __name__ == "__main__":
    sys.exit(main())
