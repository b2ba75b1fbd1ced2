#!/usr/bin/env python3
"""Writes the standard levels layouts/NNN.layout from the drawings in
layouts/levels.txt, exactly as the game's layout saver writes them, and checks
each drawing on the way (size, goal cells, create cells, every cell reachable
by falling jewels).

A drawing is 12 rows of 16 characters, one per playing position:
  .  no playing cell (wall)
  o  normal cell          M  marble cell
  e  normal, starts empty m  marble, starts empty
  x  normal, chained      X  marble, chained
  c  normal, create cell  C  marble, create cell
  k  normal, create cell that starts empty
Each drawing follows a line "level NNN Name of the level"; "#" starts a
comment line.

usage: makelayouts.py [--check] [SOURCE OUTDIR]
  --check: report only, write nothing
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "layouts", "levels.txt")
OUT = os.path.join(ROOT, "layouts")

# character -> (contents, chain, create, fill)
CELLS = {
    ".": (0, 0, 0, 0),
    "o": (1, 0, 0, 1), "M": (2, 0, 0, 1),
    "e": (1, 0, 0, 0), "m": (2, 0, 0, 0),
    "x": (1, 1, 0, 1), "X": (2, 1, 0, 1),
    "c": (1, 0, 1, 1), "C": (2, 0, 1, 1),
    "k": (1, 0, 1, 0),
}


def read_levels(path):
    levels, current = [], None
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("level "):
                parts = line.split(None, 2)
                current = {"id": parts[1], "name": parts[2] if len(parts) > 2 else "",
                           "rows": [], "line": number}
                levels.append(current)
                continue
            if current is None:
                raise SystemExit(f"{path}:{number}: drawing before any level line")
            current["rows"].append((number, line))
    return levels


def problems_of(level):
    rows = [r for _, r in level["rows"]]
    out = []
    if len(rows) != 12:
        return [f"{len(rows)} rows, not 12"]
    for i, r in enumerate(rows):
        if len(r) != 16:
            out.append(f"row {i + 1} has {len(r)} characters")
        bad = set(r) - set(CELLS)
        if bad:
            out.append(f"row {i + 1}: unknown {''.join(sorted(bad))}")
    if out:
        return out
    cell = lambda x, y: CELLS[rows[y][x]] if 0 <= x < 16 and 0 <= y < 12 else (0, 0, 0, 0)
    playing = lambda x, y: cell(x, y)[0] != 0
    if not any(cell(x, y)[0] == 2 for x in range(16) for y in range(12)):
        out.append("no marble cell")
    # Jewels come from create cells under a wall and travel down, straight
    # or diagonally; a cell no jewel can reach would stay empty for good.
    fed = [[False] * 16 for _ in range(12)]
    for y in range(12):
        for x in range(16):
            c = cell(x, y)
            if not c[0]:
                continue
            if c[2] and not playing(x, y - 1):
                fed[y][x] = True
            elif y > 0 and any(0 <= x + d < 16 and playing(x + d, y - 1) and fed[y - 1][x + d]
                               for d in (0, -1, 1)):
                fed[y][x] = True
            if c[2] and playing(x, y - 1):
                out.append(f"create cell at {x + 1},{y + 1} under a playing cell never creates")
    starved = [(x + 1, y + 1) for y in range(12) for x in range(16) if playing(x, y) and not fed[y][x]]
    if starved:
        out.append("never refilled: " + " ".join(f"{x},{y}" for x, y in starved))
    # The editor's last test, in short: some three fill cells (not create
    # cells) in a straight line.
    filled = lambda x, y: cell(x, y)[3] and not cell(x, y)[2] and cell(x, y)[0]
    if not any(all(filled(x + i * dx, y + i * dy) for i in range(3))
               for x in range(16) for y in range(12) for dx, dy in ((1, 0), (0, 1))):
        out.append("no three fill cells in a line")
    return out


def layout_text(rows):
    lines = ["Gleamstrand Layout"]
    for field in range(4):
        lines.append("-")
        for r in rows:
            lines.append("".join(str(CELLS[ch][field]) for ch in r))
    return "".join(line + "\r\n" for line in lines)


def main():
    args = [a for a in sys.argv[1:] if a != "--check"]
    check_only = len(args) != len(sys.argv) - 1
    source, out = (args[0], args[1]) if len(args) == 2 else (SOURCE, OUT)
    levels = read_levels(source)
    failed = False
    seen = {}
    for lv in levels:
        rows = [r for _, r in lv["rows"]]
        probs = problems_of(lv)
        key = tuple(rows)
        if key in seen:
            probs.append(f"same cells as level {seen[key]}")
        seen[key] = lv["id"]
        for p in probs:
            print(f"level {lv['id']} (line {lv['line']}): {p}")
            failed = True
        if not probs and not check_only:
            with open(os.path.join(out, lv["id"] + ".layout"), "w", newline="", encoding="latin-1") as f:
                f.write(layout_text(rows))
    print(f"{len(levels)} levels{'' if failed else ', all sound'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
