"""A small geometric stroke font for the promotion pictures.

Glyphs are polylines in em units: x to the right from the glyph's left
edge, y downwards from the capital height (0) to the baseline (1); the
lower case has its x-height at 0.42 and descends to 1.3. Text is drawn
with round-ended strokes of a chosen weight and anti-aliased edges, so no
font file and no imaging library is needed.
"""
import math

X_TOP = 0.42  # top of the lower case


def arc(cx, cy, rx, ry, start, end, steps=None):
    """Points along an ellipse from angle `start` to `end`, in degrees
    (0 is to the right, 90 downwards)."""
    if steps is None:
        steps = max(6, int(abs(end - start) / 10))
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def dot(x, y):
    return [(x, y), (x + 0.001, y)]


def bowl(cx=0.27, rx=0.27):
    """The round part of a, b, d, g, o, p, q."""
    return arc(cx, 0.71, rx, 0.29, 0, 360)


def arch(left, width):
    """The arch of h, m, n: up from the stem, over and down to the baseline."""
    return arc(left + width / 2, 0.66, width / 2, 0.24, 180, 360) + [(left + width, 1.0)]


GLYPHS = {
    # capitals
    'A': (0.72, [[(0, 1), (0.36, 0), (0.72, 1)], [(0.14, 0.64), (0.58, 0.64)]]),
    'B': (0.62, [[(0, 1), (0, 0), (0.36, 0)] + arc(0.36, 0.24, 0.22, 0.24, -90, 90) + [(0, 0.48)],
                 [(0, 0.48), (0.38, 0.48)] + arc(0.38, 0.74, 0.24, 0.26, -90, 90) + [(0, 1)]]),
    'C': (0.74, [arc(0.42, 0.5, 0.42, 0.5, -48, -312)]),
    'D': (0.70, [[(0, 0), (0, 1)], [(0, 0), (0.24, 0)] + arc(0.24, 0.5, 0.46, 0.5, -90, 90) + [(0, 1)]]),
    'E': (0.56, [[(0.56, 0), (0, 0), (0, 1), (0.56, 1)], [(0, 0.48), (0.48, 0.48)]]),
    'F': (0.52, [[(0.52, 0), (0, 0), (0, 1)], [(0, 0.48), (0.44, 0.48)]]),
    'G': (0.80, [arc(0.42, 0.5, 0.42, 0.5, -48, -360) + [(0.84, 0.56), (0.50, 0.56)]]),
    'H': (0.66, [[(0, 0), (0, 1)], [(0.66, 0), (0.66, 1)], [(0, 0.48), (0.66, 0.48)]]),
    'I': (0.0, [[(0, 0), (0, 1)]]),
    'J': (0.50, [[(0.5, 0), (0.5, 0.72)] + arc(0.25, 0.72, 0.25, 0.28, 0, 180)]),
    'K': (0.62, [[(0, 0), (0, 1)], [(0.62, 0), (0, 0.62)], [(0.20, 0.44), (0.64, 1)]]),
    'L': (0.52, [[(0, 0), (0, 1), (0.52, 1)]]),
    'M': (0.84, [[(0, 1), (0, 0), (0.42, 0.72), (0.84, 0), (0.84, 1)]]),
    'N': (0.68, [[(0, 1), (0, 0), (0.68, 1), (0.68, 0)]]),
    'O': (0.86, [arc(0.43, 0.5, 0.43, 0.5, 0, 360)]),
    'P': (0.60, [[(0, 1), (0, 0), (0.34, 0)] + arc(0.34, 0.26, 0.26, 0.26, -90, 90) + [(0, 0.52)]]),
    'Q': (0.86, [arc(0.43, 0.5, 0.43, 0.5, 0, 360), [(0.54, 0.70), (0.88, 1.04)]]),
    'R': (0.62, [[(0, 1), (0, 0), (0.34, 0)] + arc(0.34, 0.26, 0.26, 0.26, -90, 90) + [(0, 0.52)],
                 [(0.30, 0.52), (0.62, 1)]]),
    'S': (0.60, [arc(0.30, 0.25, 0.28, 0.25, -35, -270) + arc(0.30, 0.75, 0.30, 0.25, -90, 145)]),
    'T': (0.62, [[(0, 0), (0.62, 0)], [(0.31, 0), (0.31, 1)]]),
    'U': (0.66, [[(0, 0), (0, 0.64)] + arc(0.33, 0.64, 0.33, 0.36, 180, 0) + [(0.66, 0)]]),
    'V': (0.70, [[(0, 0), (0.35, 1), (0.70, 0)]]),
    'W': (1.00, [[(0, 0), (0.25, 1), (0.5, 0.28), (0.75, 1), (1.0, 0)]]),
    'X': (0.66, [[(0, 0), (0.66, 1)], [(0.66, 0), (0, 1)]]),
    'Y': (0.66, [[(0, 0), (0.33, 0.5), (0.66, 0)], [(0.33, 0.5), (0.33, 1)]]),
    'Z': (0.62, [[(0, 0), (0.62, 0), (0, 1), (0.62, 1)]]),
    # figures
    '0': (0.60, [arc(0.30, 0.5, 0.30, 0.5, 0, 360)]),
    '1': (0.36, [[(0.04, 0.20), (0.30, 0), (0.30, 1)]]),
    '2': (0.60, [arc(0.29, 0.28, 0.28, 0.28, -165, 35) + [(0, 1), (0.62, 1)]]),
    '3': (0.60, [arc(0.29, 0.25, 0.26, 0.25, -160, 90), arc(0.29, 0.74, 0.31, 0.26, -90, 160)]),
    '4': (0.64, [[(0.48, 1), (0.48, 0), (0, 0.70), (0.66, 0.70)]]),
    '5': (0.60, [[(0.56, 0), (0.08, 0), (0.05, 0.46)] + arc(0.30, 0.68, 0.30, 0.32, -140, 150)]),
    '6': (0.62, [arc(0.31, 0.68, 0.30, 0.32, 0, 360), arc(0.33, 0.64, 0.32, 0.64, -68, -180)]),
    '7': (0.60, [[(0, 0), (0.60, 0), (0.18, 1)]]),
    '8': (0.60, [arc(0.30, 0.25, 0.24, 0.25, 0, 360), arc(0.30, 0.74, 0.30, 0.26, 0, 360)]),
    '9': (0.62, [arc(0.31, 0.32, 0.30, 0.32, 0, 360), arc(0.29, 0.36, 0.32, 0.64, 0, 112)]),
    # signs
    '.': (0.0, [dot(0, 0.97)]),
    ',': (0.08, [[(0.08, 0.94), (0, 1.12)]]),
    ':': (0.0, [dot(0, 0.45), dot(0, 0.97)]),
    '!': (0.0, [[(0, 0), (0, 0.68)], dot(0, 0.97)]),
    '?': (0.50, [arc(0.25, 0.24, 0.25, 0.24, -170, 90) + [(0.25, 0.66)], dot(0.25, 0.97)]),
    '/': (0.42, [[(0, 1.06), (0.42, -0.06)]]),
    '-': (0.36, [[(0, 0.62), (0.36, 0.62)]]),
    "'": (0.0, [[(0, 0), (0, 0.26)]]),
    '$': (0.58, [arc(0.29, 0.27, 0.27, 0.23, -35, -270) + arc(0.29, 0.73, 0.29, 0.23, -90, 145),
                 [(0.29, -0.1), (0.29, 1.1)]]),
    # lower case
    'a': (0.54, [bowl(), [(0.54, X_TOP), (0.54, 1)]]),
    'b': (0.54, [[(0, 0), (0, 1)], bowl()]),
    'c': (0.52, [arc(0.28, 0.71, 0.28, 0.29, -42, -318)]),
    'd': (0.54, [bowl(), [(0.54, 0), (0.54, 1)]]),
    'e': (0.56, [[(0.01, 0.71), (0.55, 0.71)] + arc(0.28, 0.71, 0.27, 0.29, 0, -318)]),
    'f': (0.38, [arc(0.30, 0.18, 0.14, 0.18, -40, -180) + [(0.16, 1)], [(0, X_TOP), (0.36, X_TOP)]]),
    'g': (0.54, [bowl(), [(0.54, X_TOP), (0.54, 1.06)] + arc(0.27, 1.06, 0.27, 0.22, 0, 160)]),
    'h': (0.52, [[(0, 0), (0, 1)], arch(0, 0.52)]),
    'i': (0.0, [[(0, X_TOP), (0, 1)], dot(0, 0.18)]),
    'j': (0.12, [[(0.12, X_TOP), (0.12, 1.1)] + arc(-0.04, 1.1, 0.16, 0.18, 0, 130), dot(0.12, 0.18)]),
    'k': (0.48, [[(0, 0), (0, 1)], [(0.46, X_TOP), (0, 0.80)], [(0.14, 0.70), (0.48, 1)]]),
    'l': (0.0, [[(0, 0), (0, 1)]]),
    'm': (0.80, [[(0, X_TOP), (0, 1)], arch(0, 0.40), arch(0.40, 0.40)]),
    'n': (0.52, [[(0, X_TOP), (0, 1)], arch(0, 0.52)]),
    'o': (0.56, [arc(0.28, 0.71, 0.28, 0.29, 0, 360)]),
    'p': (0.54, [[(0, X_TOP), (0, 1.3)], bowl()]),
    'q': (0.54, [bowl(), [(0.54, X_TOP), (0.54, 1.3)]]),
    'r': (0.36, [[(0, X_TOP), (0, 1)], arc(0.30, 0.66, 0.30, 0.24, 180, 292)]),
    's': (0.46, [arc(0.23, 0.56, 0.22, 0.14, -25, -270) + arc(0.23, 0.85, 0.24, 0.15, -90, 150)]),
    't': (0.40, [[(0.14, 0.12), (0.14, 0.86)] + arc(0.30, 0.86, 0.16, 0.14, 180, 80),
                 [(0, X_TOP), (0.36, X_TOP)]]),
    'u': (0.52, [[(0, X_TOP)] + arc(0.26, 0.76, 0.26, 0.24, 180, 0) + [(0.52, X_TOP)],
                 [(0.52, X_TOP), (0.52, 1)]]),
    'v': (0.54, [[(0, X_TOP), (0.27, 1), (0.54, X_TOP)]]),
    'w': (0.80, [[(0, X_TOP), (0.2, 1), (0.4, 0.56), (0.6, 1), (0.8, X_TOP)]]),
    'x': (0.50, [[(0, X_TOP), (0.5, 1)], [(0.5, X_TOP), (0, 1)]]),
    'y': (0.54, [[(0, X_TOP), (0.28, 1)], [(0.54, X_TOP), (0.18, 1.3)]]),
    'z': (0.50, [[(0, X_TOP), (0.5, X_TOP), (0, 1), (0.5, 1)]]),
}
SPACE = 0.32


def layout(text, size, weight=0.1, tracking=0.08):
    """Segments of `text` in pixels, drawn from (0, 0) at the capital
    height `size`, and the width it takes."""
    segments = []
    pen = 0.0
    for character in text:
        if character == ' ':
            pen += SPACE * size
            continue
        width, strokes = GLYPHS[character]
        left = pen + weight * size / 2
        for stroke in strokes:
            for (ax, ay), (bx, by) in zip(stroke, stroke[1:]):
                segments.append((left + ax * size, ay * size, left + bx * size, by * size))
        pen = left + width * size + weight * size / 2 + tracking * size
    return segments, pen - tracking * size


def text_width(text, size, weight=0.1, tracking=0.08):
    return layout(text, size, weight, tracking)[1]


def coverage(text, size, weight=0.1, tracking=0.08, slant=0.0):
    """{(x, y): alpha} of the text drawn from (0, 0): the capital height
    `size` pixels, the strokes `weight` em thick, `slant` em to the right
    per em up."""
    segments, _ = layout(text, size, weight, tracking)
    radius = weight * size / 2
    cover = {}
    for ax, ay, bx, by in segments:
        # Slanting moves each point right by its height above the baseline.
        ax += slant * (size - ay)
        bx += slant * (size - by)
        dx, dy = bx - ax, by - ay
        length_squared = dx * dx + dy * dy or 1e-12
        for y in range(int(math.floor(min(ay, by) - radius - 1)), int(math.ceil(max(ay, by) + radius + 1))):
            for x in range(int(math.floor(min(ax, bx) - radius - 1)), int(math.ceil(max(ax, bx) + radius + 1))):
                px, py = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length_squared))
                distance = math.hypot(px - (ax + t * dx), py - (ay + t * dy))
                alpha = max(0.0, min(1.0, radius + 0.5 - distance))
                if alpha > cover.get((x, y), 0.0):
                    cover[(x, y)] = alpha
    return cover
