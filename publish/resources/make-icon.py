#!/usr/bin/env python3
# Draws Zephyne's icon (a globe with an upward arrow: pages going to a web
# site) and writes zephyne.ico beside this script: four 32-bit images of 16,
# 24, 32 and 48 pixels. The .ico is kept in the tree; the build never runs
# this script.
import math
import os
import struct

def pixel(size, x, y):
    # Coordinates in units of the icon's width, centre (0.5, 0.5).
    u, v = (x + 0.5) / size, (y + 0.5) / size
    cx, cy, r = 0.46, 0.54, 0.40
    d = math.hypot(u - cx, v - cy)
    # Upward arrow at the top right: shaft and head.
    ax = 0.78
    in_shaft = abs(u - ax) < 0.07 and 0.30 < v < 0.72
    in_head = v < 0.36 and v > 0.08 and abs(u - ax) < (v - 0.08) * 0.75
    if in_shaft or in_head:
        return (0x1E, 0x88, 0x2E, 255)  # green
    if d <= r:
        edge = d > r - 1.5 / size
        meridian = abs(u - cx) < 0.6 / size or abs(abs(u - cx) - r * 0.55) < 0.6 / size
        parallel = abs(v - cy) < 0.6 / size or abs(abs(v - cy) - r * 0.5) < 0.6 / size
        if edge or meridian or parallel:
            return (0x0D, 0x47, 0xA1, 255)  # dark blue lines
        return (0x64, 0xB5, 0xF6, 255)  # light blue sea
    return (0, 0, 0, 0)

def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        row = b''
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            row += bytes((b, g, r, a))
        rows.append(row)
    xor = b''.join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # alpha carries transparency
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    return header + xor + mask

sizes = [16, 24, 32, 48]
images = [image(s) for s in sizes]
out = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, data in zip(sizes, images):
    out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'zephyne.ico'), 'wb') as f:
    f.write(out)
