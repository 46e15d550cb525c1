#!/usr/bin/env python3
"""Fails when a source file includes a header from a higher floor than its own.

The floors are read from the table under "## Floors" in docs/architecture.md, so the written
order is the checked order. Every file under src/ must belong to a floor (the longest listed
folder that holds it); an include of a file that is not under src/ is not checked.

usage: include_floors.py <architecture.md> <src folder>
"""
import os
import re
import sys

ROW = re.compile(r"^\|\s*(\d+)\s*\|(.*)\|")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCE_ENDINGS = (".h", ".cpp", ".inl")


def read_floors(architecture_path):
    floors = {}
    in_section = False
    with open(architecture_path, encoding="utf-8") as document:
        for line in document:
            if line.startswith("## "):
                in_section = line.strip() == "## Floors"
                continue
            match = ROW.match(line) if in_section else None
            if not match:
                continue
            for place in re.findall(r"`([^`]+)`", match.group(2)):
                floors[place.rstrip("/")] = int(match.group(1))
    return floors


def floor_of(path, floors):
    """The floor of the longest listed folder (or file) that holds `path`, else None."""
    best, best_length = None, -1
    for place, floor in floors.items():
        if (path == place or path.startswith(place + "/")) and len(place) > best_length:
            best, best_length = floor, len(place)
    return best


def check(floors, src_root):
    problems = []
    for folder, _, names in os.walk(src_root):
        for name in sorted(names):
            if not name.endswith(SOURCE_ENDINGS):
                continue
            full = os.path.join(folder, name)
            path = os.path.relpath(full, src_root).replace(os.sep, "/")
            own = floor_of(path, floors)
            if own is None:
                problems.append(f"{path}: its folder is on no floor")
                continue
            with open(full, encoding="utf-8", errors="replace") as source:
                text = source.read()
            for included in INCLUDE.findall(text):
                if not os.path.isfile(os.path.join(src_root, included)):
                    continue
                target = floor_of(included, floors)
                if target is None:
                    problems.append(f'{path}: "{included}" is on no floor')
                elif target > own:
                    problems.append(f'{path} (floor {own}) includes "{included}" (floor {target})')
    return problems


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    floors = read_floors(argv[1])
    if not floors:
        print(f"{argv[1]}: no floors table under '## Floors'", file=sys.stderr)
        return 2
    problems = check(floors, argv[2])
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the floor order", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
