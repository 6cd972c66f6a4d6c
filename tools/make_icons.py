#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

The pictures are simple shields drawn with anti-aliased edges, so that they
read well at 16 and 32 pixels:
  quellbright.ico  the program icon (blue shield with a white ring), 16/32/48
  tray_off.ico     the tray icon while the guard is off (grey shield), 16
  tray_on.ico      the tray icon while the guard is on (green shield, tick), 16
Run it from the repository root: python3 tools/make_icons.py
"""
import math
import struct
import sys

SUPERSAMPLE = 4


def shield_contains(x, y):
    """Unit-square shield: flat top with rounded corners, pointed bottom."""
    if y < 0.08 or y > 0.95:
        return False
    half_width = 0.40
    if y > 0.55:  # the lower part narrows to a point
        half_width = 0.40 * math.sqrt(max(0.0, (0.95 - y) / 0.40))
    return abs(x - 0.5) <= half_width


def ring_contains(x, y):
    distance = math.hypot(x - 0.5, y - 0.47)
    return 0.13 <= distance <= 0.22 or (x > 0.58 and y > 0.55 and abs((x - 0.5) - (y - 0.47)) < 0.05 and distance < 0.33)


def tick_contains(x, y):
    def near_segment(ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= width
    return near_segment(0.30, 0.50, 0.45, 0.66, 0.07) or near_segment(0.45, 0.66, 0.72, 0.32, 0.07)


def render(size, body, edge, mark, mark_contains):
    pixels = []
    for row in range(size):
        line = []
        for column in range(size):
            inside = on_mark = border = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (column + (sx + 0.5) / SUPERSAMPLE) / size
                    y = (row + (sy + 0.5) / SUPERSAMPLE) / size
                    if shield_contains(x, y):
                        inside += 1
                        step = 1.5 / size
                        if not all(shield_contains(x + dx, y + dy) for dx, dy in
                                   ((step, 0), (-step, 0), (0, step), (0, -step))):
                            border += 1
                        elif mark_contains and mark_contains(x, y):
                            on_mark += 1
            total = SUPERSAMPLE * SUPERSAMPLE
            if inside == 0:
                line.append((0, 0, 0, 0))
                continue
            weights = (border / inside, on_mark / inside)
            colour = [body[i] * (1 - weights[0] - weights[1]) + edge[i] * weights[0] + mark[i] * weights[1]
                      for i in range(3)]
            line.append((*[int(round(c)) for c in colour], int(round(255 * inside / total))))
        pixels.append(line)
    return pixels


def ico_image(pixels):
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for line in reversed(pixels) for (r, g, b, a) in line)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b''
    for line in reversed(pixels):
        bits = bytearray(mask_row)
        for column, (_, _, _, a) in enumerate(line):
            if a == 0:
                bits[column // 8] |= 0x80 >> (column % 8)
        and_mask += bytes(bits)
    return header + xor + and_mask


def write_ico(path, images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for pixels in images:
        image = ico_image(pixels)
        size = len(pixels)
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    with open(path, 'wb') as output:
        output.write(directory + data)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'resources'
    blue, navy, white = (40, 100, 200), (20, 40, 110), (255, 255, 255)
    grey, dark_grey = (150, 150, 150), (80, 80, 80)
    green, dark_green = (40, 170, 70), (20, 90, 40)
    write_ico(f'{folder}/quellbright.ico',
              [render(size, blue, navy, white, ring_contains) for size in (16, 32, 48)])
    write_ico(f'{folder}/tray_off.ico', [render(16, grey, dark_grey, white, None)])
    write_ico(f'{folder}/tray_on.ico', [render(16, green, dark_green, white, tick_contains)])


if __name__ == '__main__':
    main()
