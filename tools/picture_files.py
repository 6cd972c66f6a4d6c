"""Writers for the picture files the program ships: a 256-colour GIF and a
16-bit BMP, from rows of (r, g, b) floats in 0..255. Standard library only.
"""
import struct


def clamp(value):
    return 0 if value < 0 else 255 if value > 255 else int(value + 0.5)


# --- GIF --------------------------------------------------------------------

def median_cut(pixels, count, fixed):
    """A palette of `count` colours for `pixels`, the `fixed` ones first."""
    histogram = {}
    for r, g, b in pixels:
        key = (clamp(r) >> 3, clamp(g) >> 3, clamp(b) >> 3)
        histogram[key] = histogram.get(key, 0) + 1
    boxes = [list(histogram.items())]
    wanted = count - len(fixed)
    while len(boxes) < wanted:
        # Split the box with the widest channel range that has colours to part.
        best, best_range, best_channel = None, -1, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [colour[channel] for colour, _ in box]
                spread = (max(values) - min(values)) * (sum(n for _, n in box) ** 0.25)
                if spread > best_range:
                    best, best_range, best_channel = index, spread, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][best_channel])
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for cut, (_, n) in enumerate(box, start=1):
            running += n
            if running >= total / 2:
                break
        cut = min(max(cut, 1), len(box) - 1)
        boxes += [box[:cut], box[cut:]]
    palette = list(fixed)
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(clamp(sum(((colour[c] << 3) + 4) * n for colour, n in box) / total)
                             for c in range(3)))
    while len(palette) < count:
        palette.append((0, 0, 0))
    return palette[:count]


def nearest(palette, cache, colour):
    if colour in cache:
        return cache[colour]
    r, g, b = colour
    best = min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 * 3 + (palette[i][1] - g) ** 2 * 4 +
               (palette[i][2] - b) ** 2 * 2)
    cache[colour] = best
    return best


def quantise(rows, palette):
    """Palette indices, with Floyd-Steinberg error diffusion."""
    height, width = len(rows), len(rows[0])
    work = [[list(pixel) for pixel in row] for row in rows]
    cache = {}
    indices = []
    for y in range(height):
        line = []
        for x in range(width):
            old = work[y][x]
            colour = (clamp(old[0]) >> 2 << 2, clamp(old[1]) >> 2 << 2, clamp(old[2]) >> 2 << 2)
            exact = (clamp(old[0]), clamp(old[1]), clamp(old[2]))
            index = palette.index(exact) if exact in palette[:8] else nearest(palette, cache, colour)
            line.append(index)
            error = [old[c] - palette[index][c] for c in range(3)]
            for dx, dy, share in ((1, 0, 7), (-1, 1, 3), (0, 1, 5), (1, 1, 1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < width and ny < height:
                    target = work[ny][nx]
                    for c in range(3):
                        target[c] += error[c] * share / 16
        indices.append(line)
    return indices


def lzw(indices, minimum_code_size=8):
    clear, end = 1 << minimum_code_size, (1 << minimum_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    table = {(i,): i for i in range(clear)}
    next_code, code_size = end + 1, minimum_code_size + 1
    emit(clear, code_size)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], code_size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear, code_size)
            table = {(i,): i for i in range(clear)}
            next_code, code_size = end + 1, minimum_code_size + 1
        current = (index,)
    if current:
        emit(table[current], code_size)
    emit(end, code_size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, rows, fixed_colours=()):
    height, width = len(rows), len(rows[0])
    palette = median_cut([pixel for row in rows for pixel in row], 256, list(fixed_colours))
    indices = quantise(rows, palette)
    data = lzw([index for line in indices for index in line])
    blocks = b''.join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    with open(path, 'wb') as output:
        output.write(b'GIF89a' + struct.pack('<HHBBB', width, height, 0xF7, 0, 0))
        output.write(bytes(channel for colour in palette for channel in colour))
        output.write(b',' + struct.pack('<HHHHB', 0, 0, width, height, 0))
        output.write(bytes([8]) + blocks + b'\x00;')


# --- BMP, 16 bits per pixel (5-5-5) ------------------------------------------

BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def write_bmp16(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 2 + 3) // 4 * 4
    body = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        line = bytearray()
        for x, (r, g, b) in enumerate(rows[y]):
            # An ordered dither keeps the gradients from banding at 5 bits.
            bias = (BAYER[y % 4][x % 4] + 0.5) / 16 * 8 - 4
            r5, g5, b5 = (min(31, clamp(channel + bias) >> 3) for channel in (r, g, b))
            line += struct.pack('<H', (r5 << 10) | (g5 << 5) | b5)
        body += line + b'\x00' * (stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 16, 0, len(body), 2835, 2835, 0, 0)
    with open(path, 'wb') as output:
        output.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(body), 0, 0, 14 + len(header)))
        output.write(header + body)
