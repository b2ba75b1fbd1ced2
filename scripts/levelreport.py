#!/usr/bin/env python3
"""The level report: the autoplay bot plays every standard level with ten
seeds (one process per seed plays the levels one after the other, two
processes at a time, at low priority) and the results go to docs/levels.md
with a plot of the median moves by level, docs/levels-moves.png. The par of
each level played (the median moves, rounded up) and its time limit against
the clock (see time_limit) go to layouts/par.txt with the checksum of the
layout they were measured on; the lines of the levels not played are kept.

usage: levelreport.py GAME [--seeds N] [--levels FIRST-LAST] [--jobs N]
  GAME: the built game (build/game/gleamstrand), with its layouts/ beside it
"""
import argparse
import math
import os
import re
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DOCS = os.path.join(ROOT, "docs")
LINE = re.compile(r"^(\S+) (won|lost) moves=(\d+) reshuffles=(\d+) seconds=([\d.]+)"
                  r"(?: stars=\d)?$")
PARS = os.path.join(ROOT, "layouts", "par.txt")

TARGET_FIRST_MOVES = 12   # median, level 001
TARGET_LAST_TEN = 60      # average of the medians of the last ten levels
TARGET_SPEARMAN = 0.9
TARGET_SPIKE = 2.0        # a median against the median of its six nearest
TARGET_LUCK = 4.0         # the worst seed against the median
TARGET_MARBLE_SHARE = 1 / 3  # of the playing cells, on average over 041-080

# Against the clock: the bot reacts at once, a person looks before each move.
LIMIT_FACTOR = 3          # times the bot's median playing seconds
LIMIT_STEP = 5            # rounded up to whole steps of this many seconds
LIMIT_FLOOR = 60          # and never below this


def time_limit(median_seconds):
    """A level's time limit against the clock, in seconds."""
    steps = math.ceil(LIMIT_FACTOR * median_seconds / LIMIT_STEP)
    return max(LIMIT_FLOOR, steps * LIMIT_STEP)


def layout_counts(path):
    """Playing, marble, chained and create cells of a layout file."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    block = lambda b: lines[2 + b * 13: 2 + b * 13 + 12]
    contents, chain, create = block(0), block(1), block(2)
    playing = marble = chains = creates = 0
    for y in range(12):
        for x in range(16):
            kind = contents[y][x]
            if kind == "0":
                continue
            playing += 1
            marble += kind == "2"
            chains += chain[y][x] == "1"
            creates += create[y][x] == "1"
    return playing, marble, chains, creates


def checksum(path):
    """32-bit FNV-1a of a file's bytes, as the game's tests compute it."""
    h = 2166136261
    with open(path, "rb") as f:
        for byte in f.read():
            h = ((h ^ byte) * 16777619) & 0xFFFFFFFF
    return h


def write_pars(levels, source_layouts):
    """Par = the median moves rounded up; a level lost on any seed keeps
    the 500 its lost games count, which no player is held to: it gets none.
    The time limit follows the median seconds of the games won."""
    pars = {}
    if os.path.exists(PARS):
        with open(PARS) as f:
            for line in f:
                words = line.split()
                if len(words) in (3, 4) and not line.startswith("#"):
                    pars[words[0]] = line.strip()
    for l in levels:
        if l["wins"] == 0:
            pars.pop(l["name"], None)
            continue
        path = os.path.join(source_layouts, l["name"] + ".layout")
        pars[l["name"]] = "%s %d %08x %d" % (l["name"], math.ceil(l["median_moves"]),
                                             checksum(path), l["limit"])
    with open(PARS, "w") as f:
        f.write("# NNN PAR CHECKSUM LIMIT for each standard level: the par is the median\n"
                "# moves of the autoplay bot over seeds 1-10, rounded up; the checksum the\n"
                "# FNV-1a of the layout it was measured on; the limit against the clock, in\n"
                "# seconds, %d times the bot's median playing seconds rounded up to %d s,\n"
                "# at least %d s. Written by scripts/levelreport.sh; do not edit by hand.\n"
                % (LIMIT_FACTOR, LIMIT_STEP, LIMIT_FLOOR))
        for name in sorted(pars):
            f.write(pars[name] + "\n")


def neighbours(values, i, n=3):
    """The n values before i and the n after it; at either end the 2n
    nearest."""
    lo, hi = i - n, i + n + 1
    if lo < 0:
        lo, hi = 0, min(len(values), 2 * n + 1)
    if hi > len(values):
        lo, hi = max(0, len(values) - 2 * n - 1), len(values)
    return [v for j, v in enumerate(values[lo:hi], lo) if j != i]


def spearman(xs, ys):
    def ranks(v):
        order = sorted(range(len(v)), key=lambda i: v[i])
        r = [0.0] * len(v)
        i = 0
        while i < len(v):
            j = i
            while j + 1 < len(v) and v[order[j + 1]] == v[order[i]]:
                j += 1
            for k in range(i, j + 1):
                r[order[k]] = (i + j) / 2 + 1
            i = j + 1
        return r
    rx, ry = ranks(xs), ranks(ys)
    mx, my = statistics.mean(rx), statistics.mean(ry)
    num = sum((a - mx) * (b - my) for a, b in zip(rx, ry))
    den = (sum((a - mx) ** 2 for a in rx) * sum((b - my) ** 2 for b in ry)) ** 0.5
    return num / den if den else 0.0


# ---------------------------------------------------------------- the plot

# A 3 x 5 pixel font for the few characters the plot writes.
GLYPHS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001010010010", "8": "111101111101111",
    "9": "111101111001111", " ": "000000000000000", "-": "000000111000000",
    "l": "110010010010111", "e": "000111111100111", "v": "000000101101010",
    "m": "000000111111101", "o": "000000111101111", "s": "000111100011111",
    "d": "001001111101111", "i": "010000010010010", "a": "000111001111111",
    "n": "000000111101101", "b": "100100111101111", "y": "101101111001111",
    "w": "000000101111111", "r": "000000111100100", "t": "010111010010011",
    "h": "100100111101101", "f": "011010111010010", ",": "000000000010100",
    ":": "000010000010000",
}


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [list(colour) * w for _ in range(h)]

    def rect(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.h, y + h)):
            row = self.px[yy]
            for xx in range(max(0, x), min(self.w, x + w)):
                row[xx * 3:xx * 3 + 3] = colour

    def text(self, x, y, s, colour, scale=2):
        for ch in s:
            g = GLYPHS.get(ch, GLYPHS[" "])
            for i, bit in enumerate(g):
                if bit == "1":
                    self.rect(x + (i % 3) * scale, y + (i // 3) * scale, scale, scale, colour)
            x += 4 * scale

    def png(self):
        raw = b"".join(b"\x00" + bytes(row) for row in self.px)
        chunk = lambda tag, data: (struct.pack(">I", len(data)) + tag + data +
                                   struct.pack(">I", zlib.crc32(tag + data) & 0xffffffff))
        return (b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def plot(levels, path, need_wins):
    left, top, bar, gap, height = 60, 30, 9, 2, 300
    w = left + len(levels) * (bar + gap) + 30
    c = Canvas(w, top + height + 60, (24, 23, 32))
    top_value = int(max(50, max(l["median_moves"] for l in levels)))
    top_value = (top_value + 49) // 50 * 50
    scale = height / top_value
    for v in range(0, top_value + 1, 50):
        y = top + height - int(v * scale)
        c.rect(left - 4, y, w - left - 26, 1, (60, 60, 76))
        c.text(left - 12 - 8 * len(str(v)), y - 5, str(v), (200, 200, 210))
    for i, l in enumerate(levels):
        x = left + i * (bar + gap)
        h = max(1, int(l["median_moves"] * scale))
        colour = (236, 190, 92) if l["wins"] >= need_wins else (230, 80, 70)
        c.rect(x, top + height - h, bar, h, colour)
        if (i + 1) % 10 == 0 or i == 0:
            c.text(x - 4, top + height + 8, "%d" % (i + 1), (200, 200, 210))
    c.text(left, top + height + 32, "level", (240, 226, 166))
    c.text(left, 8, "median moves by level", (240, 226, 166))
    with open(path, "wb") as f:
        f.write(c.png())


# ---------------------------------------------------------------- the report

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("game")
    ap.add_argument("--seeds", type=int, default=10)
    ap.add_argument("--levels", default="001-080")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--raw", default="", help="also write every run's line to this file")
    a = ap.parse_args()
    game = os.path.abspath(a.game)
    first, last = (int(v) for v in a.levels.split("-"))
    need_wins = a.seeds
    names = ["%03d" % n for n in range(first, last + 1)]
    layouts = os.path.join(os.path.dirname(game), "layouts")

    # One process per seed plays the whole range, each next level started from
    # the end panel as a player would; after a lost level the seed goes on in
    # a new process from the level after it.
    results = {}
    raw = open(a.raw, "w") if a.raw else None

    def run_seed(seed):
        got = {}
        start = first
        while start <= last:
            span = "%03d-%03d" % (start, last) if start < last else "%03d" % start
            with tempfile.TemporaryDirectory(prefix="levelreport-") as home:
                env = dict(os.environ, HOME=home, XDG_DATA_HOME=home,
                           SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
                proc = subprocess.Popen(["nice", "-n", "10", game, "--headless", "--seed",
                                         str(seed), "--autoplay", span], env=env, cwd=home,
                                        stdout=subprocess.PIPE, text=True)
                then = time.monotonic()
                for line in proc.stdout:
                    now = time.monotonic()
                    m = LINE.match(line.strip())
                    if m:
                        got[m.group(1)] = (m, now - then)
                        if raw:
                            raw.write("%s\t%d\t%s\t%.2f\n" % (m.group(1), seed, m.group(0),
                                                                now - then))
                            raw.flush()
                    then = now
                proc.wait()
            played = [int(n) for n in got if first <= int(n) <= last]
            start = max(played) + 1 if played else start + 1
        print("seed %d done" % seed, file=sys.stderr)
        return seed, got

    with ThreadPoolExecutor(max_workers=a.jobs) as pool:
        for seed, got in pool.map(run_seed, range(1, a.seeds + 1)):
            for name in names:
                results[(name, seed)] = got.get(name, (None, 0.0))

    sequence_wall = [results[(n, 1)][1] for n in names if results[(n, 1)][0]]
    sequence_status = 0 if all(results[(n, 1)][0] and results[(n, 1)][0].group(2) == "won"
                               for n in names) else 3

    levels = []
    for name in names:
        runs = [results[(name, s)] for s in range(1, a.seeds + 1)]
        won = [m for m, _ in runs if m and m.group(2) == "won"]
        moves = [int(m.group(3)) if m else 500 for m, _ in runs]
        resh = [int(m.group(4)) for m, _ in runs if m]
        seconds = [float(m.group(5)) for m in won]
        median_seconds = statistics.median(seconds) if seconds else 0
        playing, marble, chains, creates = layout_counts(os.path.join(layouts, name + ".layout"))
        levels.append(dict(name=name, playing=playing, marble=marble, chains=chains,
                           creates=creates, wins=len(won), median_moves=statistics.median(moves),
                           median_resh=statistics.median(resh) if resh else 0,
                           median_seconds=median_seconds, limit=time_limit(median_seconds),
                           max_moves=max(moves)))

    numbers = [int(l["name"]) for l in levels]
    medians = [l["median_moves"] for l in levels]
    rho = spearman(numbers, medians)
    first = levels[0]["median_moves"]
    last_ten = statistics.mean(medians[-10:])
    spikes = [l["median_moves"] / max(1, statistics.median(near))
              for l, near in ((levels[i], neighbours(medians, i)) for i in range(len(levels)))]
    worst_spike = max(range(len(levels)), key=lambda i: spikes[i])
    luck = [l["max_moves"] / max(1, l["median_moves"]) for l in levels]
    worst_luck = max(range(len(levels)), key=lambda i: luck[i])
    late = [l for l in levels if int(l["name"]) >= 41]
    share = statistics.mean(l["marble"] / l["playing"] for l in late) if late else 0
    checks = [
        ("every level won on every seed", all(l["wins"] == a.seeds for l in levels),
         "fewest wins: %d of %d" % (min(l["wins"] for l in levels), a.seeds)),
        ("level %s at most %d median moves" % (levels[0]["name"], TARGET_FIRST_MOVES),
         first <= TARGET_FIRST_MOVES, "%g" % first),
        ("the last ten levels at least %d median moves on average" % TARGET_LAST_TEN,
         last_ten >= TARGET_LAST_TEN, "%.1f" % last_ten),
        ("Spearman rank correlation of level number and median moves at least %.1f"
         % TARGET_SPEARMAN, rho >= TARGET_SPEARMAN, "%.3f" % rho),
        ("no spike: no median above %g times the median of the six nearest levels'"
         % TARGET_SPIKE, spikes[worst_spike] <= TARGET_SPIKE,
         "worst: %.2f (level %s)" % (spikes[worst_spike], levels[worst_spike]["name"])),
        ("luck decides no level: no worst seed above %g times the median" % TARGET_LUCK,
         luck[worst_luck] <= TARGET_LUCK,
         "worst: %.2f (level %s)" % (luck[worst_luck], levels[worst_luck]["name"])),
        ("marble cells at least a third of the playing cells on average over 041-080",
         share >= TARGET_MARBLE_SHARE, "%.1f%%" % (100 * share)),
    ]
    seq_median = statistics.median(sequence_wall) if sequence_wall else 0

    write_pars(levels, os.path.join(ROOT, "layouts"))
    os.makedirs(DOCS, exist_ok=True)
    plot(levels, os.path.join(DOCS, "levels-moves.png"), need_wins)
    out = []
    out.append("# The standard levels\n")
    out.append("Made by `scripts/levelreport.sh` (see the README): the autoplay bot "
               "(`gleamstrand --headless --seed N --autoplay 001-080`) played each level "
               "with seeds 1 to %d. Moves are the moves as the game counts them (exchanges that "
               "made a line); a lost game counts as 500 moves. Par (the median, rounded up) is "
               "written to `layouts/par.txt`, where the game reads it for its stars, with the "
               "level's time limit against the clock: %d times the bot's median playing "
               "seconds, rounded up to %d s, at least %d s. The drawings of the levels are in `layouts/levels.txt`, and "
               "`scripts/levelsheet.sh` draws all of them into one picture.\n"
               % (a.seeds, LIMIT_FACTOR, LIMIT_STEP, LIMIT_FLOOR))
    out.append("## Targets\n")
    out.append("| target | met | figure |\n|---|---|---|")
    for text, ok, figure in checks:
        out.append("| %s | %s | %s |" % (text, "yes" if ok else "**no**", figure))
    out.append("")
    out.append("Each seed was one process playing %s one level after the other (a lost "
               "level ends a process; the next one goes on from the level after it), two "
               "processes at a time at low priority on this machine's %d cores, shared "
               "with other work. Wall time per level with seed 1: median %.1f s, longest "
               "%.1f s, %.0f s in all (all won: %s).\n"
               % (a.levels, os.cpu_count() or 0, seq_median,
                  max(sequence_wall) if sequence_wall else 0, sum(sequence_wall),
                  "yes" if sequence_status == 0 else "no"))
    out.append("![median moves by level](levels-moves.png)\n")
    out.append("Bars in red: levels lost on some seed.\n")
    out.append("## Levels\n")
    out.append("| level | playing | marble | chained | create | wins | median moves | par | "
               "most moves | median reshuffles | median seconds | time limit |")
    out.append("|---|---|---|---|---|---|---|---|---|---|---|---|")
    for l in levels:
        out.append("| %s | %d | %d (%d%%) | %d | %d | %d/%d | %g | %d | %d | %g | %.1f | %d s |" % (
            l["name"], l["playing"], l["marble"], round(100 * l["marble"] / l["playing"]),
            l["chains"], l["creates"], l["wins"], a.seeds, l["median_moves"],
            math.ceil(l["median_moves"]), l["max_moves"], l["median_resh"],
            l["median_seconds"], l["limit"]))
    out.append("")
    with open(os.path.join(DOCS, "levels.md"), "w") as f:
        f.write("\n".join(out))
    for text, ok, figure in checks:
        print("%-4s %s (%s)" % ("ok" if ok else "NO", text, figure))
    print("median wall time per level, seed 1: %.1f s" % seq_median)
    return 0 if all(ok for _, ok, _ in checks) else 3


if __name__ == "__main__":
    sys.exit(main())
