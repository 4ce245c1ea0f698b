#!/usr/bin/env python3
"""Draws the pictures of the resource libraries into PNG files.

The committed PNG files under px4images/ and shell32/ are what the build
embeds; run this script again (Python 3, no extra modules) after changing a
drawing:

    python3 resources/draw_pictures.py            # rewrites the PNG files
    python3 resources/draw_pictures.py --sheet x  # also writes an 8x preview sheet

Every picture is drawn on a grid of 16 units; a 32-pixel picture draws the same
units at twice the scale. Shapes are filled by pixel centres and get a
one-pixel outline, so both sizes stay crisp.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Colours (red, green, blue, alpha).
CLEAR = (0, 0, 0, 0)
INK = (48, 48, 48, 255)
GREY = (128, 128, 128, 255)
SILVER = (196, 196, 200, 255)
LIGHT = (228, 228, 232, 255)
WHITE = (255, 255, 255, 255)
PAPER_EDGE = (96, 96, 104, 255)
FOLD = (208, 208, 214, 255)
FOLDER = (244, 200, 80, 255)
FOLDER_LIGHT = (255, 228, 140, 255)
FOLDER_DARK = (206, 150, 40, 255)
FOLDER_EDGE = (150, 100, 20, 255)
BLUE = (48, 96, 184, 255)
BLUE_LIGHT = (120, 170, 235, 255)
BLUE_DARK = (28, 56, 120, 255)
GREEN = (56, 168, 72, 255)
GREEN_DARK = (24, 100, 40, 255)
BOARD = (40, 128, 64, 255)
RED = (204, 48, 40, 255)
RED_DARK = (130, 24, 20, 255)
GOLD = (220, 176, 56, 255)
BROWN = (176, 124, 64, 255)
BROWN_DARK = (110, 70, 30, 255)
GLASS = (214, 236, 255, 255)


class Canvas:
    """An RGBA picture drawn in coordinates of 16 units across; square unless
    given a height of its own (in pixels, at the same scale)."""

    def __init__(self, size, height=None):
        self.size = size
        self.height = height or size
        self.s = size / 16.0
        self.px = [[CLEAR] * size for _ in range(self.height)]

    # Masks: sets of (x, y) pixels.
    def _cells(self):
        for y in range(self.height):
            for x in range(self.size):
                yield x, y, (x + 0.5) / self.s, (y + 0.5) / self.s

    def rect(self, x0, y0, x1, y1):
        return {(x, y) for x, y, u, v in self._cells() if x0 <= u < x1 and y0 <= v < y1}

    def disc(self, cx, cy, r):
        return {(x, y) for x, y, u, v in self._cells() if (u - cx) ** 2 + (v - cy) ** 2 <= r * r}

    def poly(self, pts):
        def inside(u, v):
            hit = False
            n = len(pts)
            for i in range(n):
                (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
                if (ay > v) != (by > v) and u < ax + (v - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit

        return {(x, y) for x, y, u, v in self._cells() if inside(u, v)}

    def line(self, x0, y0, x1, y1, width=1.0):
        """Pixels within half a width (in units) of the segment."""
        r = width / 2.0
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9
        out = set()
        for x, y, u, v in self._cells():
            t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / length2))
            if math.hypot(u - (x0 + t * dx), v - (y0 + t * dy)) <= r + 1e-9:
                out.add((x, y))
        return out

    def arc(self, cx, cy, r0, r1, a0, a1):
        """A ring between radii r0 and r1, angles a0..a1 in degrees (0 = right, clockwise)."""
        out = set()
        for x, y, u, v in self._cells():
            d = math.hypot(u - cx, v - cy)
            a = math.degrees(math.atan2(v - cy, u - cx)) % 360
            if r0 <= d <= r1 and (a0 <= a <= a1 if a0 <= a1 else (a >= a0 or a <= a1)):
                out.add((x, y))
        return out

    def glyph(self, x0, y0, rows):
        """A small pixel glyph: one unit per character, '#' set."""
        out = set()
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == "#":
                    out |= self.rect(x0 + i, y0 + j, x0 + i + 1, y0 + j + 1)
        return out

    # Painting.
    def paint(self, mask, colour):
        for x, y in mask:
            self.px[y][x] = colour

    def shape(self, mask, fill, edge=None):
        """Fills a mask; with an edge colour its border pixels become a one-pixel outline."""
        if edge is None:
            self.paint(mask, fill)
            return
        for x, y in mask:
            border = any((x + dx, y + dy) not in mask for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            self.px[y][x] = edge if border else fill

    def png(self):
        raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.size, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


# Building blocks, in 16-unit coordinates.


def folder(c, open_=False):
    c.shape(c.rect(1, 3, 7, 6), FOLDER_DARK, FOLDER_EDGE)  # tab
    if not open_:
        c.shape(c.rect(1, 5, 15, 14), FOLDER, FOLDER_EDGE)
        c.paint(c.rect(2, 6, 14, 7) - c.rect(1, 5, 15, 6), FOLDER_LIGHT)
        return
    c.shape(c.rect(1, 5, 14, 14), FOLDER_DARK, FOLDER_EDGE)  # back
    c.shape(c.poly([(3.5, 8), (16, 8), (13.5, 14), (1, 14)]), FOLDER_LIGHT, FOLDER_EDGE)  # front flap


def page(c, x0=3, y0=1, x1=13, y1=15, fold=3):
    c.shape(c.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]), WHITE, PAPER_EDGE)
    c.shape(c.poly([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)]), FOLD, PAPER_EDGE)


def text_lines(c, x0, y0, x1, rows, colour=GREY, gap=2):
    for i in range(rows):
        end = x1 if i % 3 != 2 else x0 + (x1 - x0) * 0.6
        c.paint(c.rect(x0, y0 + i * gap, end, y0 + i * gap + 1), colour)


def drive(c, y0=5, body=SILVER):
    c.shape(c.rect(1, y0, 15, y0 + 6), body, INK)
    c.paint(c.rect(2, y0 + 1, 14, y0 + 2), LIGHT)
    c.paint(c.rect(3, y0 + 3, 9, y0 + 4), GREY)  # slot
    c.paint(c.rect(12, y0 + 3, 13.5, y0 + 4), GREEN)  # light


def window(c, x0=1, y0=2, x1=15, y1=14):
    c.shape(c.rect(x0, y0, x1, y1), WHITE, INK)
    c.shape(c.rect(x0, y0, x1, y0 + 3), BLUE, INK)


def gear(c, cx, cy, colour, hole=WHITE):
    teeth = set()
    for k in range(8):
        a = math.radians(k * 45)
        teeth |= c.disc(cx + 3.0 * math.cos(a), cy + 3.0 * math.sin(a), 0.9)
    c.shape(c.disc(cx, cy, 2.6) | teeth, colour, INK)
    c.paint(c.disc(cx, cy, 1.0), hole)


QUESTION = [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."]
LETTER_A = [".###.", "#...#", "#...#", "#####", "#...#", "#...#"]
LETTERS_TT = ["###.###", ".#...#.", ".#...#.", ".#...#.", ".#...#."]
PROMPT = ["#....", ".#...", "..#..", ".#...", "#.###"]

# The pictures.


def sort_up(c):
    c.shape(c.poly([(4, 11), (12, 11), (8, 5)]), GREY)


def sort_down(c):
    c.shape(c.poly([(4, 5), (12, 5), (8, 11)]), GREY)


def computer(c):
    c.shape(c.rect(1, 1, 15, 11), SILVER, INK)
    c.shape(c.rect(3, 3, 13, 9), BLUE, BLUE_DARK)
    c.paint(c.rect(4, 4, 7, 5), BLUE_LIGHT)
    c.shape(c.rect(6, 11, 10, 13), GREY, INK)
    c.shape(c.rect(3, 13, 13, 15), SILVER, INK)


def drive_unknown(c):
    drive(c, 8, LIGHT)
    c.paint(c.glyph(6, 0, QUESTION), BLUE)


def drive_removable(c):  # a floppy disk
    c.shape(c.rect(2, 2, 14, 14), BLUE, BLUE_DARK)
    c.shape(c.rect(5, 2, 11, 7), SILVER, INK)
    c.paint(c.rect(8, 3, 9.5, 6), GREY)
    c.shape(c.rect(4, 9, 12, 14), WHITE, BLUE_DARK)


def drive_fixed(c):
    drive(c)


def drive_network(c):
    drive(c, 2)
    c.paint(c.line(8, 8, 8, 12.5, 1), INK)
    c.paint(c.rect(1, 12, 15, 13), INK)
    c.shape(c.rect(6.5, 11, 9.5, 14), GREEN, GREEN_DARK)


def drive_cdrom(c):
    c.shape(c.disc(8, 8, 6.6), LIGHT, GREY)
    c.paint(c.arc(8, 8, 3.0, 5.5, 200, 250), BLUE_LIGHT)
    c.paint(c.arc(8, 8, 3.0, 5.5, 20, 70), GOLD)
    c.shape(c.disc(8, 8, 2.2), SILVER, GREY)
    c.paint(c.disc(8, 8, 1.0), CLEAR)


def drive_ram(c):
    c.shape(c.rect(1, 4, 15, 11), BOARD, GREEN_DARK)
    for x in (2, 5, 8, 11):
        c.paint(c.rect(x, 5, x + 2.5, 9), INK)
    for x in range(2, 14, 2):
        c.paint(c.rect(x, 11, x + 1, 12.5), GOLD)


def folder_closed(c):
    folder(c)


def folder_open(c):
    folder(c, True)


def tool_up(c):
    c.shape(c.rect(1, 6, 7, 9), FOLDER_DARK, FOLDER_EDGE)
    c.shape(c.rect(1, 8, 15, 15), FOLDER, FOLDER_EDGE)
    c.shape(c.poly([(8, 1), (13, 6), (10, 6), (10, 12), (6, 12), (6, 6), (3, 6)]), GREEN, GREEN_DARK)


def tool_move(c):  # scissors
    c.paint(c.line(5.5, 10, 11, 1.5, 1.2), GREY)
    c.paint(c.line(10.5, 10, 5, 1.5, 1.2), INK)
    for cx in (5, 11):
        c.shape(c.disc(cx, 12, 2.8), RED, RED_DARK)
        c.paint(c.disc(cx, 12, 1.3), CLEAR)


def tool_copy(c):
    page(c, 1, 1, 10, 12, 2)
    text_lines(c, 2.5, 4, 8, 3)
    page(c, 6, 4, 15, 15, 2)
    text_lines(c, 7.5, 7, 13.5, 4)


def tool_paste(c):
    c.shape(c.rect(2, 2, 12, 15), BROWN, BROWN_DARK)
    c.shape(c.rect(5, 1, 9, 4), SILVER, INK)
    page(c, 6, 6, 15, 15, 2)
    text_lines(c, 7.5, 9, 13.5, 3)


def tool_view(c):
    page(c, 1, 1, 11, 15, 3)
    text_lines(c, 2.5, 4, 8.5, 5)
    c.paint(c.line(11.5, 11.5, 14.8, 14.8, 2), BROWN_DARK)
    c.shape(c.disc(9.5, 9.5, 3.6), GLASS, INK)
    c.paint(c.rect(8, 8, 9, 9), WHITE)


def tool_delete(c):  # a waste bin
    c.shape(c.rect(6, 1, 10, 3), SILVER, INK)
    c.shape(c.rect(2, 2.5, 14, 5), SILVER, INK)
    c.shape(c.poly([(3.5, 5), (12.5, 5), (11.5, 15), (4.5, 15)]), LIGHT, INK)
    for x in (6, 8, 10):
        c.paint(c.rect(x, 6.5, x + 1, 13.5), GREY)


def tool_refresh(c):
    c.shape(c.arc(8, 8, 3.6, 6.2, 300, 240), GREEN, GREEN_DARK)
    c.shape(c.poly([(7.2, 0.5), (13, 1.5), (10.5, 6.5)]), GREEN, GREEN_DARK)


def tool_run(c):
    window(c)
    c.shape(c.poly([(6, 6.5), (6, 13.5), (12, 10)]), GREEN, GREEN_DARK)


def program_icon(c):  # two panes: a folder tree and a file list
    c.shape(c.rect(0.5, 1, 15.5, 15), WHITE, INK)
    c.shape(c.rect(0.5, 1, 15.5, 4), BLUE, INK)
    c.paint(c.rect(6, 4, 6.5 if c.size > 16 else 7, 14.5), INK)
    for i, y in enumerate((5.5, 8, 10.5)):
        c.paint(c.rect(1.5 + (i > 0), y, 4.5 + (i > 0), y + 1.5), FOLDER_DARK)
    for y in (5.5, 7.5, 9.5, 11.5):
        c.paint(c.rect(7.5, y, 14.5, y + 1), BLUE_LIGHT if y == 7.5 else GREY)


def about_picture(c):  # the about box: the two-pane window above an open folder
    # The window: title bar, folder tree on the left, file list on the right.
    c.shape(c.rect(0.5, 0.5, 15.5, 14), WHITE, INK)
    c.shape(c.rect(0.5, 0.5, 15.5, 2.5), BLUE, INK)
    c.paint(c.rect(12.5, 1, 14.5, 2), WHITE)
    c.paint(c.rect(6, 2.5, 6.5, 13.5), INK)
    for i, y in enumerate((3.5, 5.5, 7.5, 9.5, 11.5)):
        x = 1.5 + (1 if 0 < i < 4 else 0) + (1 if i == 2 else 0)
        c.shape(c.rect(x, y, x + 2.5, y + 1.5), FOLDER, FOLDER_EDGE)
    for y in (3.5, 5, 6.5, 8, 9.5, 11, 12.5):
        c.paint(c.rect(7.5, y, 14.5 if y != 6.5 else 12, y + 0.75), BLUE_LIGHT if y == 6.5 else GREY)
    # Below it, an open folder with a page standing in it.
    c.shape(c.rect(1.5, 18, 7, 20), FOLDER_DARK, FOLDER_EDGE)
    c.shape(c.rect(1.5, 19.5, 14, 31), FOLDER_DARK, FOLDER_EDGE)
    page(c, 4, 16.5, 12.5, 28, 2.5)
    text_lines(c, 5.5, 20, 11, 4, BLUE)
    c.shape(c.poly([(4, 23.5), (15.5, 23.5), (14, 31), (1.5, 31)]), FOLDER_LIGHT, FOLDER_EDGE)


def doc_plain(c):
    page(c)


def doc_lines(c):
    page(c)
    text_lines(c, 5, 6, 11, 4, BLUE)


def doc_text(c):
    page(c)
    text_lines(c, 5, 5, 11, 5, INK)


def doc_settings(c):
    page(c)
    text_lines(c, 5, 4, 9.5, 2, GREY)
    gear(c, 8.5, 10.5, GREY)


def doc_script(c):
    page(c)
    c.shape(c.rect(4.5, 5, 11.5, 13), INK)
    c.paint(c.glyph(5.5, 6.5, PROMPT), GREEN)


def doc_system(c):
    page(c)
    gear(c, 8, 9.5, BLUE_LIGHT)


def doc_font(c):
    page(c)
    c.paint(c.glyph(5.5, 6.5, LETTER_A), RED)


def doc_truetype(c):
    page(c)
    c.paint(c.glyph(4.5, 7, LETTERS_TT), BLUE_DARK)


def application(c):
    window(c)
    c.paint(c.rect(2, 6, 14, 7), LIGHT)


# name -> (size, drawing) of PX4Images.dll.
PX4IMAGES = {
    "SM_SDIR1": (16, sort_up),
    "SM_SDIR2": (16, sort_down),
    "LG_FOLDER1": (32, folder_closed),
    "LG_FOLDER2": (32, folder_open),
    "SM_COMPUTER": (16, computer),
    "SM_DRIVE0": (16, drive_unknown),
    "SM_DRIVE1": (16, drive_removable),
    "SM_DRIVE2": (16, drive_fixed),
    "SM_DRIVE3": (16, drive_network),
    "SM_DRIVE4": (16, drive_cdrom),
    "SM_DRIVE5": (16, drive_ram),
    "SM_FOLDER1": (16, folder_closed),
    "SM_FOLDER2": (16, folder_open),
    "STD_UP": (16, tool_up),
    "STD_MOVE": (16, tool_move),
    "STD_COPY": (16, tool_copy),
    "STD_PASTE": (16, tool_paste),
    "STD_VIEW": (16, tool_view),
    "STD_DELETE": (16, tool_delete),
    "STD_REFRESH": (16, tool_refresh),
    "STD_RUN": (16, tool_run),
    "PELLIX": (32, program_icon),
    "PELLIX16": (16, program_icon),
    "ABOUT": ((65, 133), about_picture),
}

# icon position -> drawing of SHELL32.DLL; every stock icon is 32 x 32.
SHELL32 = {
    0: doc_plain,
    1: doc_lines,
    2: application,
    3: folder_closed,
    4: folder_open,
    6: drive_removable,
    7: drive_unknown,
    8: drive_fixed,
    9: drive_network,
    11: drive_cdrom,
    12: drive_ram,
    15: computer,
    66: doc_settings,
    67: doc_text,
    68: doc_script,
    69: doc_system,
    70: doc_font,
    71: doc_truetype,
}


def render(size, draw):
    """A picture of one size (square) or of a width and a height."""
    c = Canvas(*size) if isinstance(size, tuple) else Canvas(size)
    draw(c)
    return c


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def sheet(canvases, path, zoom=8):
    """A preview of all pictures side by side, enlarged, on a light grey ground."""
    cell = max(c.size for c in canvases) * zoom + 8
    cols = 8
    rows = (len(canvases) + cols - 1) // cols
    cell_height = max(c.height for c in canvases) * zoom + 8
    big = Canvas(1)
    big.size = cols * cell
    height = rows * cell_height
    big.px = [[(235, 235, 235, 255)] * big.size for _ in range(height)]
    for n, c in enumerate(canvases):
        ox, oy = (n % cols) * cell + 4, (n // cols) * cell_height + 4
        for y in range(c.height * zoom):
            for x in range(c.size * zoom):
                p = c.px[y // zoom][x // zoom]
                if p[3]:
                    big.px[oy + y][ox + x] = p
    # A non-square PNG: patch the header after the fact.
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in big.px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", big.size, height, 8, 6, 0, 0, 0)
    write(path, b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) +
          chunk(b"IEND", b""))


def main(argv):
    drawn = []
    os.makedirs(os.path.join(HERE, "px4images"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "shell32"), exist_ok=True)
    for name, (size, draw) in PX4IMAGES.items():
        c = render(size, draw)
        drawn.append(c)
        write(os.path.join(HERE, "px4images", name + ".png"), c.png())
    for index, draw in SHELL32.items():
        c = render(32, draw)
        drawn.append(c)
        write(os.path.join(HERE, "shell32", "%03d.png" % index), c.png())
    if len(argv) > 2 and argv[1] == "--sheet":
        sheet(drawn, argv[2])


if __name__ == "__main__":
    main(sys.argv)
