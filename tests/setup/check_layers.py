#!/usr/bin/env python3
"""Checks that the folders of src/ include only their own layer's folder and
the layers below, as the layer order in docs/architecture.md has them.

Usage: check_layers.py ROOT   (ROOT holds docs/architecture.md and src/)
Prints each include that runs upwards or sideways and exits 1 if there is one.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')


def layer_order(notes: str):
    """The ```layers block: the highest layer first, peers on one line."""
    block = re.search(r"```layers\n(.*?)```", notes, re.S)
    if not block:
        sys.exit("docs/architecture.md has no ```layers block")
    rank = {}
    lines = [line.split() for line in block.group(1).splitlines() if line.strip()]
    for height, folders in enumerate(reversed(lines)):
        for folder in folders:
            rank[folder] = height
    return rank


def main(root: pathlib.Path) -> int:
    rank = layer_order((root / "docs" / "architecture.md").read_text())
    faults = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(root / "src").parts[0]
        if folder not in rank:
            faults.append(f"{path.relative_to(root)}: the folder {folder} has no layer")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or match.group(1) not in rank or match.group(1) == folder:
                continue
            included = match.group(1)
            if rank[included] >= rank[folder]:
                where = "a peer" if rank[included] == rank[folder] else "a higher layer"
                faults.append(f"{path.relative_to(root)}:{number}: {folder} includes "
                              f"{included}, {where}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1])))
