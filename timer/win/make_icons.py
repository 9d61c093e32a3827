#!/usr/bin/env python3
"""Writes MBTimer's two tray icons (32 x 32, 16 colours) beside this script:
enabled.ico, a yellow clock with blue hands, and disabled.ico, the same clock in
grey under a red "no" bar. Run it again after changing the drawing."""
import math
import os
import struct

# The 16 standard colours, as (red, green, blue).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, SILVER, GREY, RED, YELLOW, BLUE, WHITE = 0, 4, 7, 8, 9, 11, 12, 15
SIZE = 32
CENTRE = 15.5


def on_segment(x, y, x1, y1, x2, y2, width):
    dx, dy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width


def draw(enabled):
    """Rows top to bottom of (colour index or None for transparent)."""
    face, rim, hands = (YELLOW, BLACK, BLUE) if enabled else (SILVER, GREY, GREY)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            r = math.hypot(x - CENTRE, y - CENTRE)
            colour = None
            if r <= 15.2:
                colour = rim if r > 13.2 else face
                # hour marks at 12, 3, 6 and 9
                for a in range(4):
                    ang = a * math.pi / 2
                    mx, my = CENTRE + 11 * math.sin(ang), CENTRE - 11 * math.cos(ang)
                    if math.hypot(x - mx, y - my) <= 1.0:
                        colour = rim
                # hands: ten past ten
                if on_segment(x, y, CENTRE, CENTRE, CENTRE - 6, CENTRE - 3.5, 1.2) or \
                        on_segment(x, y, CENTRE, CENTRE, CENTRE + 6.5, CENTRE - 7.5, 0.9):
                    colour = hands
            if not enabled and colour is not None:
                # the "no" sign: a red ring and a bar from top left to bottom right
                if 12.5 < r <= 15.2 or on_segment(x, y, 6, 6, 25, 25, 1.8):
                    colour = RED
            row.append(colour)
        rows.append(row)
    return rows


def ico(rows):
    xor = b''
    mask = b''
    for row in reversed(rows):  # bitmaps are stored bottom-up
        nibbles = [c if c is not None else 0 for c in row]
        xor += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is None else 0)
        mask += bits.to_bytes(4, 'big')
    palette = b''.join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


here = os.path.dirname(os.path.abspath(__file__))
for name, enabled in (('enabled.ico', True), ('disabled.ico', False)):
    with open(os.path.join(here, name), 'wb') as f:
        f.write(ico(draw(enabled)))
