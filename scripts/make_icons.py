#!/usr/bin/env python3
"""Draws the four tray icons of Tolvane into resources/ as .ico files.

Each icon holds a 16x16 and a 32x32 image, 32-bit with alpha (and the AND
mask older shells read). The picture is a telephone handset on a disc whose
colour gives the state; a slash across the handset means no handset:

  tolvane_active.ico      green   handset present, Skype usable
  tolvane_no_skype.ico    orange  handset present, Skype not usable
  tolvane_no_handset.ico  blue    Skype usable, no handset (slashed)
  tolvane_no_any.ico      grey    neither (slashed)

Run from anywhere: python3 scripts/make_icons.py
"""
import math
import os
import struct

SIZES = (16, 32)
SAMPLES = 4  # per axis, for smooth edges

ICONS = {
    "tolvane_active.ico": ((46, 158, 68), False),
    "tolvane_no_skype.ico": ((224, 138, 30), False),
    "tolvane_no_handset.ico": ((47, 111, 181), True),
    "tolvane_no_any.ico": ((122, 122, 122), True),
}

WHITE = (255, 255, 255)


def in_disc(x, y):
    return (x - 0.5) ** 2 + (y - 0.5) ** 2 <= 0.47 ** 2


def distance_to_segment(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def in_handset(x, y):
    # An arc around the upper right, bulging to the lower left, with a thick
    # cap at each end: earpiece (upper left) and mouthpiece (lower right).
    cx, cy, radius = 0.72, 0.28, 0.36
    r = math.hypot(x - cx, y - cy)
    angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
    if 90 <= angle <= 180 and abs(r - radius) <= 0.07:
        return True
    for end in (90, 180):
        ex = cx + radius * math.cos(math.radians(end))
        ey = cy + radius * math.sin(math.radians(end))
        # The cap reaches from the arc's end towards the arc's centre.
        if distance_to_segment(x, y, ex, ey, ex + (cx - ex) * 0.25, ey + (cy - ey) * 0.25) <= 0.11:
            return True
    return False


def in_slash(x, y, width):
    return distance_to_segment(x, y, 0.2, 0.2, 0.8, 0.8) <= width


def pixel(px, py, size, colour, slashed):
    """BGRA of one pixel, averaged over SAMPLES x SAMPLES points."""
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            if not in_disc(x, y):
                continue
            rgb = colour
            if in_handset(x, y):
                rgb = WHITE
            if slashed and in_slash(x, y, 0.09):
                rgb = (200, 30, 30) if in_slash(x, y, 0.055) else WHITE
            total[0] += rgb[2]
            total[1] += rgb[1]
            total[2] += rgb[0]
            total[3] += 255
    n = SAMPLES * SAMPLES
    alpha = total[3] / n
    if alpha == 0:
        return (0, 0, 0, 0)
    # Colour channels are kept straight (not premultiplied), as icons want.
    covered = total[3] / 255
    return tuple(int(round(c / covered)) for c in total[:3]) + (int(round(alpha)),)


def image(size, colour, slashed):
    rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for py in reversed(range(size)):  # bottom-up
        row = b""
        mask = bytearray(mask_stride)
        for px in range(size):
            b, g, r, a = pixel(px, py, size, colour, slashed)
            row += bytes((b, g, r, a))
            if a == 0:
                mask[px // 8] |= 0x80 >> (px % 8)
        rows.append(row)
        mask_rows.append(bytes(mask))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"".join(mask_rows)


def icon(colour, slashed):
    images = [image(size, colour, slashed) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    resources = os.path.join(here, "..", "resources")
    for name, (colour, slashed) in ICONS.items():
        with open(os.path.join(resources, name), "wb") as f:
            f.write(icon(colour, slashed))
        print("wrote resources/" + name)


if __name__ == "__main__":
    main()
