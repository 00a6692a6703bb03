#!/usr/bin/env python3
"""Checks every #include "<folder>/..." of the sources against the tables of docs/layers.md.

Usage: check_layers.py SOURCE_DIR. Prints one line per include that no table allows, and per
back edge of the table that the code no longer has, and fails when there is any.
"""
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".def", ".inc")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([A-Za-z0-9_]+)/')


def table_rows(text):
    """The cells of every table row, header and rule rows left out."""
    for line in text.splitlines():
        if not line.startswith("|") or set(line) <= set("|- "):
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if cells[0] not in ("folder", "file"):
            yield cells


def names(cell):
    return {n.strip() for n in cell.split(",") if n.strip()}


def read_tables(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    allowed, back_edges = {}, {}
    for cells in table_rows(text):
        if len(cells) == 2:
            allowed[cells[0]] = names(cells[1])
        elif len(cells) == 3:
            back_edges[cells[0]] = names(cells[1])
    return allowed, back_edges


def sources(root, folder):
    for base, dirs, files in os.walk(os.path.join(root, folder)):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.relpath(os.path.join(base, name), root)


def check(root):
    allowed, back_edges = read_tables(os.path.join(root, "docs", "layers.md"))
    top_dirs = {d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d))}
    faults, used = [], set()
    for folder in sorted(allowed):
        for rel in sources(root, folder):
            with open(os.path.join(root, rel), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    match = INCLUDE.match(line)
                    target = match.group(1) if match else None
                    if not target or target == folder or target not in top_dirs | set(allowed):
                        continue
                    if target in allowed[folder]:
                        continue
                    if target in back_edges.get(rel, ()):
                        used.add((rel, target))
                        continue
                    if target not in allowed:
                        faults.append(f"{rel}:{number}: folder {target}/ has no row in the table")
                    else:
                        faults.append(f"{rel}:{number}: {folder} may not include {target}/"
                                      f" ({line.strip()})")
    for rel, targets in sorted(back_edges.items()):
        for target in sorted(targets - {t for r, t in used if r == rel}):
            faults.append(f"{rel}: the back edge to {target}/ is listed but not included")
    return faults


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_layers.py SOURCE_DIR")
    faults = check(sys.argv[1])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
