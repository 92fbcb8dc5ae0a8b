#!/usr/bin/env python3
"""Draws the product's icons (16, 32 and 48 pixels, 32-bit with alpha) as .ico files.

The pictures are simple shapes described below as functions of the unit square, rendered with
4x4 supersampling. Run it from any folder; it writes next to itself.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = (16, 32, 48)


def inside_shield(x, y):
    if y < 0.06 or y > 0.96 or x < 0.1 or x > 0.9:
        return False
    if y < 0.55:
        return True
    # The lower part narrows to a point.
    half = 0.4 * (0.96 - y) / 0.41
    return abs(x - 0.5) <= half


def near_segment(x, y, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py) <= width


def vestra(x, y):
    if not inside_shield(x, y):
        return None
    if near_segment(x, y, 0.3, 0.28, 0.5, 0.74, 0.075) or near_segment(x, y, 0.7, 0.28, 0.5, 0.74, 0.075):
        return (255, 255, 255)
    edge = not inside_shield(x + 0.06, y) or not inside_shield(x - 0.06, y) or not inside_shield(x, y + 0.06)
    return (0x0B, 0x7A, 0x06) if edge else (0x11, 0xB9, 0x08)


def virus(x, y):
    r = math.hypot(x - 0.5, y - 0.5)
    angle = math.atan2(y - 0.5, x - 0.5)
    spike = 0.34 + 0.1 * max(0.0, math.cos(8 * angle)) ** 8
    if r <= 0.3:
        if math.hypot(x - 0.42, y - 0.42) < 0.07 or math.hypot(x - 0.6, y - 0.58) < 0.05:
            return (120, 0, 0)
        return (0xD8, 0x20, 0x20)
    if r <= spike and math.cos(8 * angle) > 0.85:
        return (0xA0, 0x10, 0x10)
    return None


def registry(x, y):
    cells = ((0.1, 0.1), (0.52, 0.1), (0.1, 0.52), (0.52, 0.52))
    colors = ((0x30, 0x70, 0xD0), (0x50, 0x90, 0xE8), (0x50, 0x90, 0xE8), (0x20, 0x50, 0xA0))
    for (cx, cy), color in zip(cells, colors):
        if cx <= x <= cx + 0.38 and cy <= y <= cy + 0.38:
            return color
    return None


def page(x, y, fill):
    if not (0.2 <= x <= 0.8 and 0.08 <= y <= 0.92):
        return None
    if x - 0.58 > y - 0.08:  # the folded corner is cut off
        return None
    if abs(x - 0.2) < 0.05 or abs(x - 0.8) < 0.05 or abs(y - 0.92) < 0.05 or abs(y - 0.08) < 0.05:
        return (90, 90, 90)
    return fill


def hidden(x, y):
    color = page(x, y, (230, 230, 230))
    if color and color != (230, 230, 230) and int((x + y) * 10) % 2:
        return None  # a dashed outline
    return color


def file_icon(x, y):
    color = page(x, y, (255, 255, 255))
    if color == (255, 255, 255) and 0.3 < x < 0.7 and any(abs(y - l) < 0.03 for l in (0.4, 0.55, 0.7)):
        return (120, 140, 170)
    return color


def folder(x, y):
    if 0.08 <= x <= 0.45 and 0.18 <= y <= 0.3:
        return (0xD8, 0xA8, 0x30)
    if 0.08 <= x <= 0.92 and 0.28 <= y <= 0.84:
        return (0xF0, 0xC8, 0x48) if y > 0.36 else (0xD8, 0xA8, 0x30)
    return None


def drive(x, y):
    if 0.06 <= x <= 0.94 and 0.32 <= y <= 0.72:
        if math.hypot(x - 0.8, y - 0.6) < 0.06:
            return (0x20, 0xE0, 0x20)
        return (150, 155, 165) if y < 0.5 else (110, 115, 125)
    return None


def area(x, y):
    r = math.hypot(x - 0.5, y - 0.5)
    angle = math.atan2(y - 0.5, x - 0.5)
    if r < 0.14:
        return None
    if r <= 0.3 or (r <= 0.42 and math.cos(6 * angle) > 0.5):
        return (0x40, 0x60, 0x90)
    return None


ICONS = {
    "vestra.ico": vestra,
    "virus.ico": virus,
    "registry.ico": registry,
    "hidden.ico": hidden,
    "file.ico": file_icon,
    "folder.ico": folder,
    "drive.ico": drive,
    "area.ico": area,
}


def render(shape, size):
    """Rows of BGRA pixels, top row first."""
    rows = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = shape((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        acc[0] += c[2]
                        acc[1] += c[1]
                        acc[2] += c[0]
                        acc[3] += 1
            if acc[3]:
                alpha = acc[3] * 255 // (n * n)
                row.append((acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], alpha))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def image_data(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for p in row for v in p) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for i, p in enumerate(row):
            if p[3] == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bytes(bits)
    return header + pixels + mask


def write_icon(path, shape):
    images = [image_data(render(shape, s), s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    for name, shape in ICONS.items():
        write_icon(os.path.join(HERE, name), shape)
