#!/usr/bin/env python3
"""Writes the standard levels layouts/NNN.layout from the drawings in
layouts/levels.txt, exactly as the game's layout saver writes them, and checks
each drawing on the way (size, goal cells, create cells, every cell reachable
by falling jewels). The levels' names and tips go into the game text of every
language (keys "Level Name NNN" and "Level Tip NNN", replaced as a whole).

A drawing is 12 rows of 16 characters, one per playing position:
  .  no playing cell (wall)
  o  normal cell          M  marble cell
  e  normal, starts empty m  marble, starts empty
  x  normal, chained      X  marble, chained
  c  normal, create cell  C  marble, create cell
  k  normal, create cell that starts empty
Each drawing follows a line "level NNN Name of the level", then a line
"name CODE Name" for each translation (every code of frame/Languages.def); a level that brings
something new also has "tip CODE One line" for English (en) and each
translation, shown in its opening help box. "#" starts a comment line.

Each new thing (chained jewels, create cells below the top of the board,
cells that start empty, cells only fed diagonally, compartments) comes alone
on the first level that has it, and that level has a tip.

usage: makelayouts.py [--check] [SOURCE OUTDIR]
  --check: report only, write nothing
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "layouts", "levels.txt")
OUT = os.path.join(ROOT, "layouts")
TEXTS = os.path.join(ROOT, "tools", "datagen", "text")
LANGUAGES_TABLE = os.path.join(ROOT, "frame", "Languages.def")


def read_languages():
    """The language codes of the game's table, in order."""
    with open(LANGUAGES_TABLE, encoding="utf-8") as table:
        return re.findall(r'^GS_LANGUAGE\(\s*\d+,\s*"([^"]+)"', table.read(), re.M)


LANGUAGES = read_languages()
GENERATED_KEYS = ("Level Name ", "Level Tip ")

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
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("level "):
                parts = line.split(None, 2)
                current = {"id": parts[1], "names": {"en": parts[2] if len(parts) > 2 else ""},
                           "tips": {}, "rows": [], "line": number}
                levels.append(current)
                continue
            if current is None:
                raise SystemExit(f"{path}:{number}: drawing before any level line")
            words = line.split(None, 2)
            if words[0] in ("name", "tip") and len(words) == 3:
                current["names" if words[0] == "name" else "tips"][words[1]] = words[2]
                continue
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


def features_of(rows):
    """The things a player meets on this board that plain boards lack."""
    cell = lambda x, y: CELLS[rows[y][x]] if 0 <= x < 16 and 0 <= y < 12 else (0, 0, 0, 0)
    playing = lambda x, y: cell(x, y)[0] != 0
    cells = [(x, y) for y in range(12) for x in range(16) if playing(x, y)]
    found = set()
    if any(cell(x, y)[1] for x, y in cells):
        found.add("chained jewels")
    if any(not cell(x, y)[3] for x, y in cells):
        found.add("cells that start empty")
    top = min(y for _, y in cells)
    if any(cell(x, y)[2] and y > top for x, y in cells):
        found.add("create cells below the top")
    if any(not cell(x, y)[2] and not playing(x, y - 1) for x, y in cells):
        found.add("cells fed diagonally")
    seen, regions = set(), 0
    for start in cells:
        if start in seen:
            continue
        regions += 1
        todo = [start]
        seen.add(start)
        while todo:
            x, y = todo.pop()
            for q in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if q not in seen and playing(*q):
                    seen.add(q)
                    todo.append(q)
    if regions > 1:
        found.add("compartments")
    return found


def text_problems(levels):
    """Names in every language, tips where something new comes (and only
    there), and each new thing alone on its first level."""
    out = []
    met = set()
    for lv in levels:
        where = f"level {lv['id']} (line {lv['line']})"
        for code in LANGUAGES:
            if not lv["names"].get(code):
                out.append(f"{where}: no {code} name")
        if len(lv["rows"]) != 12:
            continue
        new = features_of([r for _, r in lv["rows"]]) - met
        if len(new) > 1:
            out.append(f"{where}: brings {', '.join(sorted(new))} at once")
        if new and sorted(lv["tips"]) != sorted(LANGUAGES):
            out.append(f"{where}: brings {', '.join(sorted(new))} without a tip in every language")
        if not new and lv["tips"]:
            out.append(f"{where}: a tip, but nothing new")
        met |= new
    return out


def game_text_blocks(levels, code):
    blocks = []
    for lv in levels:
        blocks.append((f"Level Name {lv['id']}", lv["names"].get(code, "")))
        if lv["tips"]:
            blocks.append((f"Level Tip {lv['id']}", lv["tips"].get(code, "")))
    return blocks


def write_game_texts(levels, folder):
    """Replaces the level texts in every language's game text."""
    for code in LANGUAGES:
        path = os.path.join(folder, "gametext.txt" if code == "en" else f"gametext.{code}.txt")
        with open(path, encoding="utf-8") as f:
            text = f.read()
        kept = []
        for block in text.split("[TEXT]\n")[1:]:
            if not block.startswith(GENERATED_KEYS):
                kept.append(block)
        body = "".join("[TEXT]\n" + b for b in kept)
        if not body.endswith("\n"):
            body += "\n"
        body += "".join(f"[TEXT]\n{key}\n{value}\n" for key, value in game_text_blocks(levels, code))
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(body)


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
    for p in text_problems(levels):
        print(p)
        failed = True
    if not failed and not check_only and len(args) != 2:
        write_game_texts(levels, TEXTS)
    print(f"{len(levels)} levels{'' if failed else ', all sound'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
