#!/usr/bin/env python3
"""Draws the pictures of the Lumbrella advertisements and the demo's stop
button, and writes them where resources/quellbright.rc expects them:

  banner.gif      the banner at the foot of the main window, 798 x 80,
                  256 colours: logo and slogan in the left 264 pixels, then
                  the plain grey-green field the banner's text is drawn on
                  (the right 96 pixels are cut off in the program)
  lumbrella.bmp   the promotion window's picture, 694 x 296 at 16 bits per
                  pixel: the cushion in use on a driver's seat, its name,
                  price and web address
  stop.ico        the demo window's stop button, 16 x 16

Standard library only, so it runs on a fresh machine; the files it wrote
are committed, and the build needs none of this.
Run it from the repository root: python3 tools/make_promo_pictures.py
"""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import write_ico  # noqa: E402
from picture_files import write_bmp16, write_gif  # noqa: E402
import stroke_font  # noqa: E402

FIELD = (0x8E, 0xAF, 0x9C)  # the banner label's background colour
NAVY = (22, 44, 78)
TEAL = (18, 78, 84)
ORANGE = (236, 128, 36)
CREAM = (250, 246, 236)
WEB_ADDRESS = 'www.tarnwick.example/lumbrella'


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [[list(colour) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            pixel = self.rows[y][x]
            for c in range(3):
                pixel[c] += (colour[c] - pixel[c]) * min(1.0, alpha)

    def shade(self, function, box=None):
        """Sets each pixel of `box` to function(x, y, old) unless it gives None."""
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        for y in range(max(0, top), min(self.height, bottom)):
            row = self.rows[y]
            for x in range(max(0, left), min(self.width, right)):
                result = function(x + 0.5, y + 0.5, row[x])
                if result is not None:
                    colour, alpha = result
                    self.blend(x, y, colour, alpha)

    def text(self, x, y, text, size, colour, weight=0.11, tracking=0.08, slant=0.0, shadow=None):
        cover = stroke_font.coverage(text, size, weight, tracking, slant)
        if shadow:
            offset, shadow_colour, strength = shadow
            for (px, py), alpha in cover.items():
                self.blend(int(x) + px + offset, int(y) + py + offset, shadow_colour, alpha * strength)
        for (px, py), alpha in cover.items():
            self.blend(int(x) + px, int(y) + py, colour, alpha)

    def plain(self):
        return [[tuple(pixel) for pixel in row] for row in self.rows]


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[c] + (b[c] - a[c]) * t for c in range(3))


def smooth(edge0, edge1, value):
    t = max(0.0, min(1.0, (value - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def noise(x, y, seed=0):
    """Cheap repeatable value noise in 0..1."""
    n = int(x) * 374761393 + int(y) * 668265263 + seed * 2147483647
    n = (n ^ (n >> 13)) * 1274126177
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def smooth_noise(x, y, scale, seed=0):
    gx, gy = x / scale, y / scale
    x0, y0 = math.floor(gx), math.floor(gy)
    fx, fy = gx - x0, gy - y0
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = noise(x0, y0, seed), noise(x0 + 1, y0, seed)
    c, d = noise(x0, y0 + 1, seed), noise(x0 + 1, y0 + 1, seed)
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy


# --- the cushion, shared by both pictures -------------------------------------

def cushion_shape(u, v):
    """Height (0 outside, up to 1) of a lumbar cushion in unit coordinates:
    u across (-1..1), v up and down (-1..1); a rounded slab, fuller in the
    middle where it meets the small of the back."""
    bend = 0.18 * (1 - u * u)  # the ends curve towards the seat
    vv = v + bend
    r = (abs(u) ** 3.2 + abs(vv / (0.78 + 0.12 * (1 - u * u))) ** 3.2)
    if r >= 1:
        return 0.0
    return (1 - r) ** 0.45


def draw_cushion(canvas, cx, cy, half_width, half_height, light=(-0.5, -0.7, 0.55)):
    lx, ly, lz = light
    norm = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / norm, ly / norm, lz / norm
    mesh_dark, mesh_light = (26, 46, 82), (70, 104, 150)
    piping = (200, 204, 210)

    def pixel(x, y, old):
        u = (x - cx) / half_width
        v = (y - cy) / half_height
        h = cushion_shape(u, v)
        if h <= 0:
            # A soft shadow on whatever lies below and to the right.
            su, sv = (x - cx - 6) / half_width, (y - cy - 9) / half_height
            shadow = cushion_shape(su * 0.96, sv * 0.96)
            return ((0, 0, 0), 0.45 * min(1.0, shadow * 3)) if shadow > 0 else None
        e = 1.0 / half_width
        hx = (cushion_shape(u + e, v) - cushion_shape(u - e, v)) / (2 * e) * 0.35
        hy = (cushion_shape(u, v + e) - cushion_shape(u, v - e)) / (2 * e) * 0.35
        nx, ny, nz = -hx, -hy, 1.0
        n = math.sqrt(nx * nx + ny * ny + nz * nz)
        nx, ny, nz = nx / n, ny / n, nz / n
        diffuse = max(0.0, nx * lx + ny * ly + nz * lz)
        # Half-vector towards a viewer straight in front.
        hvx, hvy, hvz = lx, ly, lz + 1
        hv = math.sqrt(hvx * hvx + hvy * hvy + hvz * hvz)
        specular = max(0.0, (nx * hvx + ny * hvy + nz * hvz) / hv) ** 28
        # Breathable mesh: a fine diamond weave.
        weave = (math.sin((x + y) * 1.9) * math.sin((x - y) * 1.9) + 1) / 2
        base = mix(mesh_dark, mesh_light, 0.35 + 0.25 * weave)
        # Grey piping round the edge.
        if h < 0.24:
            base = mix(piping, (96, 100, 108), smooth(0.24, 0.05, h))
        lit = 0.28 + 0.85 * diffuse
        colour = tuple(min(255, base[c] * lit + 255 * specular * 0.35) for c in range(3))
        edge = min(1.0, h * 6)  # anti-aliased rim
        return colour, edge

    canvas.shade(pixel, (int(cx - half_width * 1.2), int(cy - half_height * 1.3),
                         int(cx + half_width * 1.2) + 10, int(cy + half_height * 1.3) + 12))
    # The strap that holds it to the seat.
    strap_y = cy + half_height * 0.02

    def strap(x, y, old):
        if abs(y - strap_y - 0.06 * (x - cx)) < 2.2 and cushion_shape((x - cx) / half_width,
                                                                        (y - cy) / half_height) <= 0:
            return (18, 18, 20), 0.9
        return None

    canvas.shade(strap, (int(cx - half_width * 1.6), int(strap_y - 30),
                         int(cx + half_width * 1.6), int(strap_y + 30)))


# --- the banner -----------------------------------------------------------------

def make_banner():
    width, height = 798, 80
    canvas = Canvas(width, height, FIELD)
    edge = 264

    # A deep teal panel behind the logo, fading into the field in a soft curve.
    def panel(x, y, old):
        curve = edge - 26 + 10 * math.sin(y / height * math.pi)
        t = smooth(curve - 24, curve, x)
        light = 0.10 * (1 - y / height) + 0.05 * smooth_noise(x, y, 30)
        colour = mix(tuple(TEAL[c] * (1 + light) for c in range(3)), FIELD, t)
        return colour, 1.0

    canvas.shade(panel, (0, 0, edge, height))
    # The mark: an orange canopy over a small cushion, "lumbar" and "umbrella".
    mark_cx, mark_cy = 34, 40

    def canopy(x, y, old):
        d = math.hypot(x - mark_cx, (y - mark_cy - 6) * 1.25)
        if y > mark_cy + 6:
            return None
        ring = max(0.0, min(1.0, 2.6 - abs(d - 22)))
        scallop = 0
        if abs(y - (mark_cy + 6)) < 2.2 and abs(x - mark_cx) < 23:
            scallop = min(1.0, 2.2 - abs(y - (mark_cy + 6)))
        fill = max(0.0, min(1.0, 21.5 - d)) * 0.85
        return ORANGE, max(ring, scallop, fill * 0.35)

    canvas.shade(canopy, (0, 0, 70, height))
    draw_cushion(canvas, mark_cx, mark_cy + 17, 17, 9)
    canvas.text(70, 14, 'LUMBRELLA', 24, (255, 255, 255), weight=0.15, tracking=0.10,
                shadow=(1, (0, 20, 24), 0.6))
    canvas.text(72, 47, 'DRIVE TALL. ARRIVE WELL.', 9, (250, 214, 150), weight=0.14, tracking=0.16)
    canvas.text(72, 63, 'the back cushion for drivers', 8, (214, 232, 226), weight=0.12, tracking=0.1)
    # What the program cuts off: a badge that only a wider banner would show.
    canvas.text(width - 86, 30, 'ORDER', 12, (250, 250, 250), weight=0.14)
    return canvas.plain()


# --- the promotion picture --------------------------------------------------------

def make_promotion():
    width, height = 694, 296
    canvas = Canvas(width, height, CREAM)
    scene = 410  # the photograph takes the left part
    random.seed(7)

    # Through the car's side window: a bright sky over a blurred tree line.
    def window_view(x, y, old):
        sky = mix((150, 196, 232), (232, 242, 248), y / 150)
        trees = 120 + 18 * smooth_noise(x, 0, 40) + 10 * smooth_noise(x, 0, 11, 3)
        t = smooth(trees - 6, trees + 6, y)
        green = mix((70, 110, 70), (110, 140, 80), smooth_noise(x, y, 14, 5))
        colour = mix(sky, green, t)
        ground = smooth(165, 190, y)
        colour = mix(colour, (120, 120, 112), ground)
        # Out-of-focus lights.
        for bx, by, r in ((60, 70, 14), (150, 52, 10), (240, 90, 18), (330, 60, 12)):
            d = math.hypot(x - bx, y - by)
            colour = mix(colour, (255, 255, 246), 0.35 * smooth(r, r - 4, d))
        return colour, 1.0

    canvas.shade(window_view, (0, 0, scene, height))

    # The door pillar and the dark interior round the window.
    def interior(x, y, old):
        inside = (y - 30) / 150 - ((x - 20) / 380) ** 2 * 0.4
        window = 0.0 < inside < 1.0 and 14 < x < scene - 20
        if window:
            frame = min(inside, 1 - inside, (x - 14) / 40, (scene - 20 - x) / 40)
            return (30, 30, 34), smooth(0.06, 0.0, frame)
        tone = 34 + 14 * smooth_noise(x, y, 60, 9) + 10 * (1 - y / height)
        return (tone, tone, tone + 4), 1.0

    canvas.shade(interior, (0, 0, scene, height))

    # The seat back: charcoal leather in stitched channels, lit from the window.
    seat = (70, 40, 300, 296)

    def seat_back(x, y, old):
        left, top, right, bottom = seat
        cx = (left + right) / 2
        half = (right - left) / 2 * (0.92 + 0.08 * (y - top) / (bottom - top))
        u = (x - cx - 0.08 * (y - top)) / half
        top_curve = top + 40 * (u * u)
        if abs(u) >= 1 or y < top_curve:
            return None
        rim = min(1.0, (1 - abs(u)) * half / 1.5, (y - top_curve) / 1.5)
        roundness = math.cos(u * math.pi / 2)
        light = 0.35 + 0.65 * roundness * (0.8 + 0.2 * (1 - y / height)) + 0.18 * max(0, -u)
        channel = abs(math.sin(u * 3.2 * math.pi))
        stitch = 1 - 0.35 * smooth(0.10, 0.0, channel) * (1 if int(y) % 6 < 3 else 0.5)
        grain = 0.94 + 0.12 * smooth_noise(x, y, 2.5, 4)
        tone = 74 * light * stitch * grain
        # A soft sheen along the bolsters.
        sheen = 60 * smooth(0.55, 0.9, abs(u)) * smooth(1.0, 0.8, abs(u)) * roundness
        return (tone + sheen, tone + sheen, tone * 1.06 + sheen), rim

    canvas.shade(seat_back, seat)
    # The headrest.

    def headrest(x, y, old):
        u, v = (x - 182) / 70, (y - 30) / 34
        r = u ** 4 + v ** 4
        if r >= 1:
            return None
        light = 0.5 + 0.5 * (1 - r) ** 0.5 - 0.2 * v
        tone = 50 * light * (0.95 + 0.1 * smooth_noise(x, y, 2.5, 8))
        return (tone, tone, tone * 1.05), min(1.0, (1 - r) * 20)

    canvas.shade(headrest, (100, 0, 260, 70))
    # The cushion at the small of the back, with its tag.
    draw_cushion(canvas, 190, 196, 100, 44)

    def tag(x, y, old):
        u, v = (x - 252) / 16, (y - 180) / 7
        r = u ** 6 + v ** 6
        if r >= 1:
            return None
        stripe = smooth(1.2, 0.4, abs(y - 180)) * (1 if abs(x - 252) < 11 else 0)
        return mix(ORANGE, (255, 255, 255), stripe * 0.9), min(1.0, (1 - r) * 8)

    canvas.shade(tag, (230, 168, 274, 192))

    # The advertisement's side: a cream card with a fine line between.
    def card(x, y, old):
        t = (x - scene) / (width - scene)
        colour = mix((255, 252, 244), (240, 232, 214), 0.3 * t + 0.4 * y / height)
        line = smooth(2.0, 0.0, abs(x - scene - 1))
        return mix(colour, ORANGE, line), 1.0

    canvas.shade(card, (scene - 2, 0, width, height))
    left = scene + 24
    canvas.text(left, 22, 'LUMBRELLA', 30, NAVY, weight=0.15, tracking=0.08)
    canvas.text(left + 1, 62, 'THE BACK CUSHION FOR DRIVERS', 9, (150, 80, 30), weight=0.16,
                tracking=0.14)
    lines = ['Memory foam shaped to the small', 'of your back. Breathable mesh.',
             'Fits every car seat in seconds.']
    for i, line in enumerate(lines):
        canvas.text(left + 1, 88 + i * 19, line, 10, (60, 66, 76), weight=0.11, tracking=0.07)
    canvas.text(left, 160, 'ONLY', 11, (120, 40, 30), weight=0.15)
    canvas.text(left + 50, 146, '$39.95', 36, (196, 40, 30), weight=0.16, tracking=0.06,
                shadow=(2, (120, 100, 80), 0.35))
    canvas.text(left + 1, 206, 'Order today at', 10, (60, 66, 76), weight=0.11)
    canvas.text(left + 1, 226, WEB_ADDRESS, 11, NAVY, weight=0.13, tracking=0.05)

    # "In use": a hand-lettered note on the photograph.
    canvas.text(26, 258, 'Feel the difference on your very next drive', 10, (250, 246, 236),
                weight=0.12, tracking=0.06, slant=0.12, shadow=(1, (0, 0, 0), 0.7))
    return canvas.plain()


# --- the stop button ---------------------------------------------------------------

def make_stop_icon():
    size, samples = 16, 4
    pixels = []
    for row in range(size):
        line = []
        for column in range(size):
            inside = bar = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (column + (sx + 0.5) / samples) / size - 0.5
                    y = (row + (sy + 0.5) / samples) / size - 0.5
                    # An octagon, as the road sign.
                    if max(abs(x), abs(y), (abs(x) + abs(y)) / math.sqrt(2) * 1.08) < 0.46:
                        inside += 1
                        if abs(y) < 0.09 and abs(x) < 0.30:
                            bar += 1
            total = samples * samples
            if not inside:
                line.append((0, 0, 0, 0))
                continue
            red = (200, 30, 30)
            colour = mix(red, (255, 255, 255), bar / inside)
            line.append((*[int(round(c)) for c in colour], int(round(255 * inside / total))))
        pixels.append(line)
    return pixels


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'resources'
    write_gif(os.path.join(folder, 'banner.gif'), make_banner(), fixed_colours=[FIELD])
    write_bmp16(os.path.join(folder, 'lumbrella.bmp'), make_promotion())
    write_ico(os.path.join(folder, 'stop.ico'), [make_stop_icon()])


if __name__ == '__main__':
    main()
