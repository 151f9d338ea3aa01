#!/usr/bin/env python3
"""Draws Kanoze's bitmaps: the card back, the program icon and the demo pictures.

    python3 tools/gen_assets.py            # everything
    python3 tools/gen_assets.py card icon  # only some of: card icon sunset mountains flowers

Writes
    res/card_back.bmp    48 x 48, 4 bits per pixel (16 colours)
    res/kanoze.ico       32 x 32 at 4 and 8 bits per pixel
    demo/sunset.bmp      600 x 450, 8 bits per pixel
    demo/mountains.jpg   640 x 480, JPEG quality 85
    demo/flowers.gif     560 x 420, 256 colours, not interlaced

The pictures are drawn here; Pillow (Debian's python3-pil, built with
libimagequant) picks the palettes and encodes the files. The output is the
same on every run with the same Pillow, and it is committed, so building the
game never runs this script.
"""

import io
import math
import os
import random
import struct
import sys

try:
    from PIL import Image
except ImportError:
    sys.exit("gen_assets needs Pillow: apt-get install python3-pil")

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# ---------------------------------------------------------------- small maths

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def screen(a, b, t):
    """Lightens colour a towards b the way light adds up, by amount t."""
    return (1 - (1 - a[0]) * (1 - b[0] * t), 1 - (1 - a[1]) * (1 - b[1] * t), 1 - (1 - a[2]) * (1 - b[2] * t))


def scale(c, k):
    return (c[0] * k, c[1] * k, c[2] * k)


def gradient(stops, t):
    """stops: [(position, colour), ...] in increasing position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, smoothstep(p0, p1, t) * 0.5 + (t - p0) / (p1 - p0) * 0.5)
    return stops[-1][1]


def rgb8(c):
    return tuple(int(clamp(v) * 255.0 + 0.5) for v in c)


def cover(d):
    """Pixel coverage of a shape whose signed distance (in pixels) is d."""
    return 1.0 if d <= -0.5 else 0.0 if d >= 0.5 else 0.5 - d


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / l2)
    return math.hypot(ax + t * dx - px, ay + t * dy - py)


def polyline_dist(px, py, pts):
    best = 1e9
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        d = seg_dist(px, py, ax, ay, bx, by)
        if d < best:
            best = d
    return best


# ---------------------------------------------------------------- noise

def _hash(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 982451653) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return h / 4294967296.0


def noise(x, y, seed=0):
    """Smooth value noise in [0, 1)."""
    ix = math.floor(x)
    iy = math.floor(y)
    fx = x - ix
    fy = y - iy
    sx = fx * fx * (3 - 2 * fx)
    sy = fy * fy * (3 - 2 * fy)
    a = _hash(ix, iy, seed)
    b = _hash(ix + 1, iy, seed)
    c = _hash(ix, iy + 1, seed)
    d = _hash(ix + 1, iy + 1, seed)
    return a + (b - a) * sx + (c - a) * sy + (a - b - c + d) * sx * sy


def fbm(x, y, octaves=4, seed=0):
    total = 0.0
    amp = 0.5
    norm = 0.0
    for o in range(octaves):
        total += amp * noise(x, y, seed + o * 131)
        norm += amp
        x *= 2.03
        y *= 2.03
        amp *= 0.5
    return total / norm


# ---------------------------------------------------------------- canvas

class Canvas:
    """RGB picture with float channels in [0, 1]."""

    def __init__(self, w, h):
        self.w = w
        self.h = h
        self.px = [(0.0, 0.0, 0.0)] * (w * h)

    def fill(self, fn):
        w = self.w
        for y in range(self.h):
            row = y * w
            for x in range(w):
                self.px[row + x] = fn(x + 0.5, y + 0.5)

    def get(self, x, y):
        x = min(max(int(x), 0), self.w - 1)
        y = min(max(int(y), 0), self.h - 1)
        return self.px[y * self.w + x]

    def blend(self, x, y, c, a):
        if a <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        i = y * self.w + x
        self.px[i] = mix(self.px[i], c, a) if a < 1.0 else c

    def shape(self, x0, y0, x1, y1, dist, colour):
        """Paints colour where the signed distance function dist(px, py) < 0."""
        for y in range(max(int(y0), 0), min(int(y1) + 1, self.h)):
            for x in range(max(int(x0), 0), min(int(x1) + 1, self.w)):
                d = dist(x + 0.5, y + 0.5)
                if d < 0.5:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, cover(d))

    def image(self):
        return image_of([rgb8(c) for c in self.px], self.w, self.h)


# ---------------------------------------------------------------- files

def image_of(pixels, w, h):
    """A Pillow RGB image of 8-bit RGB pixels, row by row."""
    im = Image.new("RGB", (w, h))
    im.putdata(pixels)
    return im


def on_palette(im, colours):
    """im with each pixel mapped to the nearest of the given colours, undithered."""
    pal = Image.new("P", (1, 1))
    pal.putpalette([v for c in colours for v in c])
    return im.quantize(palette=pal, dither=Image.Dither.NONE)


def paletted(im):
    """im on a palette of at most 256 colours, undithered.

    libimagequant keeps the sun's glow and the skies smooth; Pillow's median
    cut leaves visible rings around the sun without dithering, and speckles
    them with it.
    """
    return im.quantize(256, method=Image.Quantize.LIBIMAGEQUANT)


def dib(im, bits, icon=False):
    """The BITMAPINFOHEADER, colour table and bottom-up rows of a paletted image.

    Pillow writes paletted bitmaps, and the images inside icons, only at 8 bits
    per pixel, while the card back and the icon's first image are 16-colour
    ones; Pillow still packs the rows. An icon's image is twice as
    high as it looks, for the AND mask that follows its rows (all opaque here).
    """
    w, h = im.size
    stride = (w * bits + 31) // 32 * 4
    rows = im.tobytes("raw", ("P;4" if bits == 4 else "P", stride, -1))
    rgb = im.getpalette()[:3 << bits]
    rgb += [0] * ((3 << bits) - len(rgb))
    table = b"".join(struct.pack("<BBBB", rgb[i + 2], rgb[i + 1], rgb[i], 0) for i in range(0, len(rgb), 3))
    if icon:
        mask = bytes((w + 31) // 32 * 4 * h)
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bits, 0, len(rows) + len(mask), 0, 0, 0, 0)
        return info + table + rows + mask
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(rows), 2835, 2835, 1 << bits, 0)
    return info + table + rows


def bmp_bytes(im, bits):
    info = dib(im, bits)
    offset = 14 + 40 + (4 << bits)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info), 0, 0, offset) + info


def ico_bytes(images):
    """images: [(paletted 32 x 32 image, bits per pixel)]."""
    blobs = [dib(im, bits, icon=True) for im, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (im, bits), blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w, h, 1 << bits if bits < 8 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def encoded(im, fmt, **options):
    buf = io.BytesIO()
    im.save(buf, fmt, **options)
    return buf.getvalue()


def write(path, data):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print("%-20s %7d bytes" % (path, len(data)))


# ---------------------------------------------------------------- card back

FACE = (255, 214, 40)
MARK = (160, 112, 0)
BEVEL_LIGHT = [(255, 250, 214), (255, 238, 144), (255, 226, 92)]  # outermost first
BEVEL_DARK = [(112, 76, 0), (184, 136, 0), (224, 178, 18)]


def _mix8(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# Sixteen colours: the face, the mark and three shades between them for its
# smooth edge, six bevel shades, and black, white and greys to fill the table.
CARD_PALETTE = [
    (0, 0, 0), (255, 255, 255), FACE, MARK,
    _mix8(FACE, MARK, 0.25), _mix8(FACE, MARK, 0.5), _mix8(FACE, MARK, 0.75),
] + BEVEL_LIGHT + BEVEL_DARK + [(64, 64, 64), (128, 128, 128), (192, 192, 192)]


def question_mark(size):
    """Signed distance function of the "?" drawn on a card of size x size pixels.

    Laid out on a 48-pixel card and scaled: a hook (most of a circle) that runs
    into a short curved neck, and a round dot below it.
    """
    k = size / 48.0
    cx, cy, r = 24.0 * k, 16.5 * k, 7.5 * k
    hw = 2.75 * k
    pts = []
    a0, a1 = math.radians(205), math.radians(-45)
    for i in range(41):
        a = a0 + (a1 - a0) * i / 40
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    p0 = pts[-1]
    p1 = (24.0 * k, 27.1 * k)
    p2 = (24.0 * k, 29.5 * k)
    for i in range(1, 13):
        t = i / 12
        u = 1 - t
        pts.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    dot_x, dot_y, dot_r = 24.0 * k, 38.5 * k, 3.3 * k

    def dist(x, y):
        return min(polyline_dist(x, y, pts) - hw, math.hypot(x - dot_x, y - dot_y) - dot_r)
    return dist


def draw_card(size, bevel, with_mark=True):
    """8-bit RGB pixels of the card back: yellow face, bevelled edge, dark "?"."""
    mark = question_mark(size) if with_mark else (lambda x, y: 1.0)
    # The small card keeps the middle shades of the bevel.
    light = BEVEL_LIGHT if bevel == 3 else [BEVEL_LIGHT[1]]
    dark = BEVEL_DARK if bevel == 3 else [BEVEL_DARK[1]]
    px = []
    for y in range(size):
        for x in range(size):
            ring = min(x, y, size - 1 - x, size - 1 - y)
            if ring < bevel:
                # Light comes from the top left: the top and left edges catch it,
                # the bottom and right ones (corners included) are in shade.
                lit = x < size - 1 - ring and y < size - 1 - ring
                px.append((light if lit else dark)[ring])
                continue
            a = cover(mark(x + 0.5, y + 0.5))
            px.append(_mix8(FACE, MARK, a))
    return px


def make_card():
    card = on_palette(image_of(draw_card(48, 3), 48, 48), CARD_PALETTE)
    write("res/card_back.bmp", bmp_bytes(card, 4))


# ---------------------------------------------------------------- icon

def icon_landscape(u, v):
    """Grey little landscape on the unit square: sky and sun, a snowy peak in
    the middle, striped fields in front."""
    horizon = 0.66
    if v < horizon:
        top = 0.13 + abs(u - 0.5) * 1.0 + 0.04 * max(0.0, math.sin(u * 21))
        if v >= top:
            lit = u < 0.5 + 0.12 * (v - 0.13)
            if v < 0.28 + 0.03 * math.sin(u * 45):
                return 1.0 if lit else 0.82
            return 0.50 if lit else 0.28
        sun = math.hypot(u - 0.19, v - 0.2)
        if sun < 0.09:
            return 1.0
        return 0.66 + 0.30 * v / horizon
    # Fields: bands that widen toward the viewer.
    band = int(math.sqrt((v - horizon) / (1 - horizon)) * 4.0 + u * 0.6)
    return (0.62, 0.40, 0.54, 0.24, 0.46, 0.18)[band % 6]


def _small_mark():
    """The "?" of the small card as pixels: at 12 x 12 a hand-placed shape
    reads better than a scaled-down curve."""
    rows = [
        "............",
        "....####....",
        "...######...",
        "...##..##...",
        ".......##...",
        "......##....",
        ".....##.....",
        ".....##.....",
        "............",
        ".....##.....",
        ".....##.....",
        "............",
    ]
    return [[ch == "#" for ch in row] for row in rows]


def draw_icon():
    """8-bit RGB pixels of the 32 x 32 icon: a 2 x 2 board, two cells showing
    grey picture pieces and two showing the card back."""
    n = 32
    grid = (40, 40, 40)
    px = [grid] * (n * n)
    cell = 14
    origin = (1, 17)  # cells start after the 1-pixel frame and the 2-pixel middle line
    card = draw_card(cell, 1, with_mark=False)
    mark = _small_mark()
    for y in range(12):
        for x in range(12):
            if mark[y][x]:
                card[(y + 1) * cell + x + 1] = MARK
    picture = []
    ss = 4
    for y in range(2 * cell):
        for x in range(2 * cell):
            acc = 0.0
            for sy in range(ss):
                for sx in range(ss):
                    acc += icon_landscape((x + (sx + 0.5) / ss) / (2 * cell), (y + (sy + 0.5) / ss) / (2 * cell))
            v = int(clamp(acc / (ss * ss)) * 255 + 0.5)
            picture.append((v, v, v))
    for row in range(2):
        for col in range(2):
            ox, oy = origin[col], origin[row]
            for y in range(cell):
                for x in range(cell):
                    if row == col:
                        c = picture[(row * cell + y) * 2 * cell + col * cell + x]
                    else:
                        c = card[y * cell + x]
                    px[(oy + y) * n + ox + x] = c
    return px


def make_icon():
    im = image_of(draw_icon(), 32, 32)
    greys = [(v, v, v) for v in (0, 32, 64, 96, 128, 160, 192, 224, 255)]
    pal16 = greys + [FACE, MARK, _mix8(FACE, MARK, 0.25), _mix8(FACE, MARK, 0.5), _mix8(FACE, MARK, 0.75),
                     BEVEL_LIGHT[1], BEVEL_DARK[1]]
    write("res/kanoze.ico", ico_bytes([(on_palette(im, pal16), 4), (paletted(im), 8)]))


# ---------------------------------------------------------------- sunset

def draw_sunset(W=600, H=450):
    hz = H * 0.62
    sx, R = W * 0.56, H * 0.07
    sy = hz - R * 0.45
    sky_stops = [
        (0.00, (0.10, 0.09, 0.28)),
        (0.32, (0.33, 0.17, 0.42)),
        (0.60, (0.80, 0.36, 0.40)),
        (0.82, (0.98, 0.58, 0.30)),
        (1.00, (1.00, 0.80, 0.46)),
    ]
    glow_c = (1.0, 0.80, 0.50)

    def island_top(x):
        bump = (20 * math.exp(-((x - 105) / 62) ** 2) + 9 * math.exp(-((x - 30) / 35) ** 2)
                + 3 * math.exp(-((x - 190) / 30) ** 2))
        if bump < 0.3:
            return hz + 5  # open sea: no land on the horizon
        return hz - bump - 1.5 * noise(x / 5, 0.5, 41) * min(1.0, bump / 3)

    def sky(x, y):
        c = gradient(sky_stops, y / hz)
        d = math.hypot(x - sx, (y - sy) * 1.8)
        c = screen(c, glow_c, 0.55 * math.exp(-d / (R * 3.2)) + 0.35 * math.exp(-d / (R * 1.1)))
        band = smoothstep(H * 0.06, H * 0.16, y) * (1 - smoothstep(H * 0.42, H * 0.55, y))
        if band > 0:
            n = fbm(x / 190, y / 20, 4, 3)
            cov = smoothstep(0.50, 0.68, n) * band
            if cov > 0:
                lit = clamp(0.25 + 0.75 * (y / hz)) * (0.45 + 0.55 * math.exp(-abs(x - sx) / 260))
                cloud = mix((0.26, 0.13, 0.30), (1.0, 0.56, 0.42), lit)
                rim = 4 * cov * (1 - cov)
                cloud = screen(cloud, (1.0, 0.7, 0.45), rim * lit * 0.5)
                c = mix(c, cloud, cov * 0.92)
        d = math.hypot(x - sx, y - sy)
        if d < R + 1:
            c = mix(c, (1.0, 0.95, 0.74), cover(d - R))
        if y > island_top(x):
            c = mix(c, (0.15, 0.08, 0.19), cover(island_top(x) - y))
        return c

    def sea(x, y):
        t = (y - hz) / (H - hz)
        depth = 1.0 / (t + 0.04)
        c = mix((0.62, 0.36, 0.42), (0.05, 0.06, 0.17), smoothstep(0.0, 1.0, t ** 0.55))
        # Ripples, seen in perspective: flat near the horizon, larger in front.
        wave = noise((x - W / 2) * depth / 42, depth * 46, 7)
        c = scale(c, 1.0 + (wave - 0.5) * 0.35 * smoothstep(0.0, 0.3, t))
        # The sun's path on the water, broken up by the ripples.
        across = (x - sx) / (R * (0.9 + 2.4 * t))
        path = math.exp(-across * across * 1.6)
        if path > 0.01:
            glint = smoothstep(0.42, 0.72, noise((x - sx) * depth / 16, depth * 46, 11))
            c = screen(c, glow_c, path * (0.22 + 0.85 * glint) * (1 - 0.45 * t))
        c = screen(c, glow_c, 0.35 * math.exp(-math.hypot(x - sx, (y - hz) * 6) / (R * 3)))
        # The island's shadow on the water.
        it = island_top(x)
        if it < hz:
            k = (y - hz) / ((hz - it) * 0.6 + 0.5)
            if k < 1:
                c = scale(c, 0.55 + 0.45 * k * k)
        return c

    cv = Canvas(W, H)
    cv.fill(lambda x, y: sky(x, y) if y < hz else sea(x, y))

    # A few birds heading home.
    for bx, by, s in ((402, 92, 7.0), (426, 104, 5.5), (386, 112, 5.0), (440, 86, 4.0)):
        wings = []
        for side in (-1, 1):
            pts = []
            for i in range(9):
                t = i / 8
                pts.append((bx + side * s * t, by - s * 0.55 * math.sin(math.pi * t * 0.85) + s * 0.25 * t * t))
            wings.append(pts)
        cv.shape(bx - s - 2, by - s - 2, bx + s + 2, by + s + 2,
                 lambda x, y, w=wings, hw=max(0.55, s * 0.11): min(polyline_dist(x, y, p) for p in w) - hw,
                 (0.13, 0.07, 0.16))
    return cv


def make_sunset():
    write("demo/sunset.bmp", encoded(paletted(draw_sunset().image()), "BMP"))


# ---------------------------------------------------------------- mountains

def draw_mountains(W=640, H=480):
    ys = H * 0.60  # the lake's far shore
    # Snowy range: (x, summit y, slope to the left, slope to the right).
    peaks = [(0.07, 0.27, 1.0, 0.9), (0.29, 0.13, 0.95, 1.15), (0.50, 0.23, 1.05, 0.85),
             (0.69, 0.10, 1.1, 1.0), (0.93, 0.20, 0.9, 1.0)]
    peaks = [(px * W, py * H, sl, sr) for px, py, sl, sr in peaks]
    # Lower, nearer range without snow.
    fore = [(0.16, 0.36, 0.55, 0.6), (0.43, 0.39, 0.5, 0.55), (0.78, 0.35, 0.6, 0.5), (1.05, 0.38, 0.5, 0.5)]
    fore = [(px * W, py * H, sl, sr) for px, py, sl, sr in fore]

    def ridge(x, range_, seed, rough=8):
        best, peak = 1e9, None
        for p in range_:
            px, py, sl, sr = p
            y = py + (sl if x < px else sr) * abs(x - px)
            if y < best:
                best, peak = y, p
        return best + rough * (fbm(x / 40, 0.3, 4, seed) - 0.5), peak

    def hills_top(x):
        return H * 0.49 + H * 0.035 * (fbm(x / 170, 1.7, 3, 9) - 0.5) * 2

    sky_stops = [(0.0, (0.20, 0.40, 0.74)), (0.55, (0.48, 0.68, 0.90)), (1.0, (0.83, 0.90, 0.96))]
    haze = (0.78, 0.85, 0.94)

    def rock_face(x, y, peak, seed):
        """Light from the upper left falls on the faces left of a wandering ridge
        line; streaks fan out downhill from the summit."""
        px, py, _, _ = peak
        depth = max(y - py, 0.0)
        ridge_x = px + depth * 0.22 + 10 * (noise(depth / 25, 0.5, seed) - 0.5) * min(1.0, depth / 20)
        lit = x < ridge_x
        fan = noise((x - px) / (depth + 6) * 9, depth / 60, seed + 1)
        fine = noise((x - px) / (depth + 6) * 40, depth / 14, seed + 2)
        return lit, 0.65 * fan + 0.35 * fine

    def land(x, y):
        c = gradient(sky_stops, y / ys)
        cl = fbm(x / 210, y / 60, 5, 21)
        cov = smoothstep(0.54, 0.74, cl) * (1 - smoothstep(H * 0.14, H * 0.34, y))
        if cov > 0:
            c = mix(c, scale((0.98, 0.98, 1.0), 0.9 + 0.1 * (1 - y / (H * 0.4))), cov * 0.9)
        top, peak = ridge(x, peaks, 5)
        if y > top - 1:
            lit, streak = rock_face(x, y, peak, 13)
            rock = (0.50, 0.52, 0.62) if lit else (0.30, 0.33, 0.47)
            rock = scale(rock, 0.8 + 0.4 * streak)
            # Snow lies on the upper part of each peak, reaching down along the ridges.
            snow_depth = H * 0.10 * (0.55 + 0.9 * streak)
            snow = (0.98, 0.98, 1.0) if lit else (0.70, 0.76, 0.91)
            m = mix(rock, snow, smoothstep(peak[1] + snow_depth + 2, peak[1] + snow_depth - 2, y))
            m = mix(m, haze, smoothstep(H * 0.18, H * 0.42, y) * 0.45)
            c = mix(c, m, cover(top - y))
        top, peak = ridge(x, fore, 7, 22)
        if y > top - 1:
            lit, streak = rock_face(x, y, peak, 19)
            m = (0.36, 0.47, 0.50) if lit else (0.24, 0.33, 0.39)
            m = scale(m, 0.85 + 0.3 * streak)
            m = mix(m, haze, 0.25 + 0.3 * smoothstep(H * 0.36, H * 0.50, y))
            c = mix(c, m, cover(top - y))
        ht = hills_top(x)
        if y > ht - 1:
            t = clamp((y - ht) / (ys - ht + 1))
            g = mix((0.22, 0.36, 0.30), (0.10, 0.20, 0.13), t)
            g = scale(g, 0.9 + 0.2 * noise(x / 7, y / 5, 23))
            c = mix(c, g, cover(ht - y))
        return c

    cv = Canvas(W, H)
    cv.fill(lambda x, y: land(x, y) if y < ys else (0, 0, 0))

    # Pines along the hills, in rows that get darker toward the shore.
    rng = random.Random(1234)
    for row in range(6):
        x = -rng.uniform(0, 6)
        while x < W + 8:
            base = hills_top(x) + 4 + row * 8 + rng.uniform(-3, 3)
            if base < ys + 3:
                h = rng.uniform(10, 18) + row * 2
                w = h * rng.uniform(0.22, 0.30)
                shade = 0.95 - row * 0.09 + rng.uniform(-0.08, 0.08)
                col = scale((0.13, 0.27, 0.17), shade)

                def tri(px, py, tx=x, tb=base, th=h, tw=w):
                    # A narrow triangle with its tip at (tx, tb - th).
                    if py > tb:
                        return py - tb
                    f = (py - (tb - th)) / th
                    if f < 0:
                        return math.hypot(px - tx, py - (tb - th))
                    return (abs(px - tx) - tw * f) * th / math.hypot(th, tw)
                cv.shape(x - w - 1, base - h - 1, x + w + 1, base + 1, tri, col)
            x += rng.uniform(3.5, 7.5)
    for x in range(W):  # a strip of pebbles at the water's edge
        for y in (int(ys) - 1, int(ys) - 2):
            cv.blend(x, y, (0.42, 0.44, 0.36), 0.55 + 0.3 * noise(x / 3, y, 31))

    # The lake mirrors everything above it, rippled and tinted.
    water = (0.10, 0.22, 0.33)
    top_row = int(ys)
    for y in range(top_row, H):
        t = (y - ys) / (H - ys)
        for x in range(W):
            wob = (1.0 + 7.0 * t) * (noise(x / 60, (y - ys) / (1.2 + 4 * t), 37) - 0.5)
            ry = 2 * ys - y - 1 + wob * 0.6
            rx = x + wob * 1.4
            c = mix(cv.get(rx - 1, ry), cv.get(rx + 1, ry), 0.5)
            c = mix(mix(c, cv.get(rx, ry), 0.5), water, 0.30 + 0.40 * t)
            c = scale(c, 0.88)
            streak = noise(x / 90, (y - ys) / (0.8 + 2.5 * t), 43)
            if streak > 0.62:
                c = screen(c, (0.85, 0.92, 1.0), (streak - 0.62) * 0.6)
            cv.px[y * W + x] = c

    # A grassy bank in the front left corner, with reeds.
    def bank_top(x):
        return H - (58 * math.exp(-(x / 190) ** 2) + 6 * fbm(x / 25, 2.2, 3, 47))

    for y in range(int(H * 0.8), H):
        for x in range(0, 300):
            bt = bank_top(x)
            if y > bt - 1:
                g = mix((0.36, 0.48, 0.18), (0.16, 0.27, 0.09), clamp((y - bt) / 40))
                g = scale(g, 0.85 + 0.3 * noise(x / 2.2, y / 9, 53))
                cv.blend(x, y, g, cover(bt - y))
    for i in range(34):
        rx = rng.uniform(4, 210)
        bt = bank_top(rx) + 4
        h = rng.uniform(22, 50) * math.exp(-(rx / 260) ** 2)
        lean = rng.uniform(-6, 6)
        pts = [(rx + lean * (k / 6) ** 2, bt - h * k / 6) for k in range(7)]
        col = scale((0.30, 0.36, 0.14), rng.uniform(0.7, 1.1))
        cv.shape(min(rx, rx + lean) - 2, bt - h - 2, max(rx, rx + lean) + 2, bt + 1,
                 lambda x, y, p=pts: polyline_dist(x, y, p) - 0.7, col)
    return cv


def make_mountains():
    # 4:2:0 chroma subsampling, as most cameras write.
    write("demo/mountains.jpg", encoded(draw_mountains().image(), "JPEG", quality=85, subsampling=2))


# ---------------------------------------------------------------- flowers

def draw_flowers(W=560, H=420):
    meadow = H * 0.44
    sun_x, sun_y = W * 0.86, H * 0.06
    sky_stops = [(0.0, (0.36, 0.58, 0.90)), (1.0, (0.86, 0.93, 0.98))]

    def far_hills(x):
        return H * 0.33 + H * 0.05 * (fbm(x / 190, 1.3, 3, 61) - 0.5) * 2 - H * 0.03 * math.sin(x / 150)

    def near_hills(x):
        return H * 0.40 + H * 0.03 * math.sin(x / 85 + 1.0) + H * 0.02 * (fbm(x / 60, 4.1, 3, 67) - 0.5)

    def meadow_top(x):
        return meadow + H * 0.012 * math.sin(x / 70)

    def scene(x, y):
        c = gradient(sky_stops, y / (H * 0.40))
        c = screen(c, (1.0, 0.98, 0.86), 0.45 * math.exp(-math.hypot(x - sun_x, y - sun_y) / 110))
        cl = fbm(x / 150, y / 55, 5, 71)
        cov = smoothstep(0.55, 0.74, cl) * (1 - smoothstep(H * 0.14, H * 0.30, y))
        if cov > 0:
            shade = 0.88 + 0.12 * clamp(1 - (fbm(x / 150, (y - 8) / 55, 5, 71) - cl) * 8)
            c = mix(c, scale((1.0, 1.0, 1.0), shade), cov * 0.92)
        t = far_hills(x)
        if y > t - 1:
            c = mix(c, mix((0.56, 0.72, 0.66), (0.48, 0.66, 0.50), clamp((y - t) / 40)), cover(t - y))
        t = near_hills(x)
        if y > t - 1:
            g = mix((0.50, 0.72, 0.34), (0.34, 0.56, 0.22), clamp((y - t) / 30))
            c = mix(c, scale(g, 0.94 + 0.12 * noise(x / 9, y / 6, 73)), cover(t - y))
        t = meadow_top(x)
        if y > t - 1:
            f = clamp((y - t) / (H - t))
            g = mix((0.55, 0.74, 0.28), (0.20, 0.44, 0.12), f ** 0.8)
            blades = noise(x / (1.0 + 3.5 * f), y / (3 + 18 * f), 79)
            g = scale(g, 0.84 + 0.28 * blades)
            c = mix(c, g, cover(t - y))
        return c

    cv = Canvas(W, H)
    cv.fill(scene)

    # Round trees on the near hills.
    rng = random.Random(2024)
    for i in range(9):
        tx = rng.uniform(20, W - 20)
        ty = near_hills(tx) + rng.uniform(2, 8)
        r = rng.uniform(4, 8)
        col = scale((0.16, 0.36, 0.14), rng.uniform(0.8, 1.1))
        cv.shape(tx - 1, ty - 1, tx + 2, ty + r * 0.9, lambda x, y, a=tx, b=ty, h=r: seg_dist(x, y, a + 0.5, b, a + 0.5, b + h * 0.8) - 0.8,
                 (0.25, 0.18, 0.10))
        cv.shape(tx - r - 1, ty - r - 1, tx + r + 1, ty + r + 1,
                 lambda x, y, a=tx, b=ty, h=r: math.hypot(x - a, (y - b) * 1.15) - h,
                 lambda x, y, a=tx, b=ty, h=r, c=col: scale(c, 1.15 - 0.35 * clamp((x - a + y - b) / (2 * h) + 0.5)))

    # Flowers, far to near: reds, yellows, whites and violets in drifts.
    kinds = {
        "poppy": ((0.90, 0.14, 0.12), (0.18, 0.08, 0.06), 5),
        "buttercup": ((1.00, 0.84, 0.14), (0.90, 0.55, 0.05), 5),
        "daisy": ((0.98, 0.98, 0.95), (0.98, 0.78, 0.12), 8),
        "violet": ((0.62, 0.36, 0.86), (1.00, 0.90, 0.40), 5),
        "pink": ((0.96, 0.52, 0.72), (1.00, 0.88, 0.40), 6),
    }
    order = ["poppy", "buttercup", "daisy", "violet", "pink"]
    flowers = []
    for i in range(1900):
        x = rng.uniform(-10, W + 10)
        z = rng.random() ** 1.35
        top = meadow_top(x)
        y = top + 4 + (H + 12 - top) * z
        f = clamp((y - top) / (H - top))
        r = 1.1 + 10.5 * f ** 1.5
        drift = noise(x / 130, y / 45, 83)
        k = order[min(int(drift * 5.5), 4)] if rng.random() < 0.8 else rng.choice(order)
        flowers.append((y, x, r, k, rng.uniform(0, math.tau), rng.uniform(0.85, 1.1)))
    flowers.sort()
    for y, x, r, k, turn, bright in flowers:
        petal_c, centre_c, n = kinds[k]
        petal_c = scale(petal_c, bright)
        if r < 2.4:
            cv.shape(x - r - 1, y - r - 1, x + r + 1, y + r + 1,
                     lambda px, py, a=x, b=y, rr=r * 0.75: math.hypot(px - a, py - b) - rr, petal_c)
            continue
        if r > 4:
            stem = (x + r * 0.15, y + r * 3.0)
            cv.shape(x - 2, y, x + r * 0.15 + 2, y + r * 3.0,
                     lambda px, py, a=x, b=y, s=stem, hw=max(0.6, r * 0.09): seg_dist(px, py, a, b, s[0], s[1]) - hw,
                     (0.20, 0.42, 0.12))
        # Petals are circles round the middle; the flower is seen a little
        # from above, so it is squashed vertically.
        pr = r * (0.42 if n <= 6 else 0.30)
        pd = r * 0.58
        centres = [(pd * math.cos(turn + j * math.tau / n), pd * math.sin(turn + j * math.tau / n)) for j in range(n)]

        def petals(px, py, a=x, b=y, cs=centres, rr=pr):
            dx, dy = px - a, (py - b) * 1.35
            return min(math.hypot(dx - cx, dy - cy) for cx, cy in cs) - rr

        def petal_colour(px, py, a=x, b=y, c=petal_c, rr=r):
            d = math.hypot(px - a, (py - b) * 1.35) / rr
            return scale(c, 0.78 + 0.28 * clamp(d))
        cv.shape(x - r - 1, y - r - 1, x + r + 1, y + r + 1, petals, petal_colour)
        cv.shape(x - r, y - r, x + r, y + r,
                 lambda px, py, a=x, b=y, rr=r * 0.26: math.hypot(px - a, (py - b) * 1.35) - rr, centre_c)
    return cv


def make_flowers():
    write("demo/flowers.gif", encoded(paletted(draw_flowers().image()), "GIF", interlace=False))


# ---------------------------------------------------------------- main

MAKERS = {
    "card": make_card,
    "icon": make_icon,
    "sunset": make_sunset,
    "mountains": make_mountains,
    "flowers": make_flowers,
}


def main(argv):
    names = argv or list(MAKERS)
    for name in names:
        if name not in MAKERS:
            sys.exit("unknown asset %r; choose from: %s" % (name, " ".join(MAKERS)))
    for name in names:
        MAKERS[name]()


if __name__ == "__main__":
    main(sys.argv[1:])
