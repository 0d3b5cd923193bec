"""Shared savanna-poster style for the twelve pictures.

Every picture is drawn on a 4:3 Cairo canvas (the shape of the waving sheet
on screen) and squeezed into a square power-of-two texture on export, so the
sheet's 4.5 x 3.5 stretch restores the proportions.  The view shows only the
central ~79% x 76% of the sheet, and the wave moves the edges further, so
subjects are kept inside SAFE (the canvas less 12% on each side).
"""
import contextlib
import io
import math
import random

import cairo
from PIL import Image

W, H = 1024, 768            # design canvas, 4:3
HORIZON = 0.60 * H          # ground line of every landscape
FEET = 0.68 * H             # where the animals stand: below it the ground stays calm for words
SAFE = (0.12 * W, 0.12 * H, 0.88 * W, 0.88 * H)
OUTLINE = (0.10, 0.04, 0.05)
INK = (0.09, 0.04, 0.07)    # silhouettes: trees, grass, distant herds


def rgb(hexcode):
    h = hexcode.lstrip('#')
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def new_canvas():
    surface = cairo.ImageSurface(cairo.FORMAT_RGB24, W, H)
    ctx = cairo.Context(surface)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    return surface, ctx


# ---------------------------------------------------------------- paths

def smooth_path(ctx, pts, closed=True, tension=1.0):
    """Catmull-Rom spline through pts, as Cairo Bezier segments.

    Animals are authored as a few dozen points around their silhouette; the
    spline turns them into the soft outlines of poster art.
    """
    n = len(pts)
    if n < 2:
        return
    ctx.move_to(*pts[0])
    last = n if closed else n - 1
    for i in range(last):
        p0 = pts[(i - 1) % n] if (closed or i > 0) else pts[0]
        p1 = pts[i % n]
        p2 = pts[(i + 1) % n]
        p3 = pts[(i + 2) % n] if (closed or i + 2 < n) else pts[-1]
        k = tension / 6.0
        c1 = (p1[0] + (p2[0] - p0[0]) * k, p1[1] + (p2[1] - p0[1]) * k)
        c2 = (p2[0] - (p3[0] - p1[0]) * k, p2[1] - (p3[1] - p1[1]) * k)
        ctx.curve_to(c1[0], c1[1], c2[0], c2[1], p2[0], p2[1])
    if closed:
        ctx.close_path()


def fill_outline(ctx, colour, width=5.0, outline=OUTLINE):
    """Fill the current path with a flat colour and stroke a dark edge."""
    ctx.set_source_rgb(*colour)
    if width > 0:
        ctx.fill_preserve()
        ctx.set_source_rgb(*outline)
        ctx.set_line_width(width)
        ctx.stroke()
    else:
        ctx.fill()


def blob(ctx, pts, colour, width=5.0, tension=1.0):
    smooth_path(ctx, pts, True, tension)
    fill_outline(ctx, colour, width)


def poly(ctx, pts, colour, width=0.0):
    ctx.move_to(*pts[0])
    for p in pts[1:]:
        ctx.line_to(*p)
    ctx.close_path()
    fill_outline(ctx, colour, width)


def ellipse(ctx, cx, cy, rx, ry, angle=0.0):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.rotate(angle)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()


def oval(ctx, cx, cy, rx, ry, colour, width=0.0, angle=0.0):
    ellipse(ctx, cx, cy, rx, ry, angle)
    fill_outline(ctx, colour, width)


def stroke_curve(ctx, pts, colour, width):
    smooth_path(ctx, pts, closed=False)
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.stroke()


def spline_points(pts, steps=10):
    """Points along the Catmull-Rom curve through pts (open), so that a limb
    bends smoothly instead of at its control points."""
    out = []
    n = len(pts)
    for i in range(n - 1):
        p0 = pts[max(i - 1, 0)]
        p1, p2 = pts[i], pts[i + 1]
        p3 = pts[min(i + 2, n - 1)]
        for s in range(steps):
            t = s / float(steps)
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                                    (-a + 3 * b - 3 * c + d) * t3)
                             for a, b, c, d in zip(p0, p1, p2, p3)))
    out.append(pts[-1])
    return out


def limb(ctx, pts, w0, w1, colour, width=4.0):
    """A tapering leg, neck, trunk or tail: a smooth centre line through pts
    with width w0 at its start and w1 at its end."""
    centre = spline_points(pts) if len(pts) > 2 else list(pts)
    n = len(centre)
    left, right = [], []
    for i, (x, y) in enumerate(centre):
        a = centre[max(i - 1, 0)]
        b = centre[min(i + 1, n - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / d, dx / d
        w = (w0 + (w1 - w0) * i / (n - 1)) / 2.0
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    ctx.move_to(*left[0])
    for q in left[1:]:
        ctx.line_to(*q)
    # the far end is cut square (hooves and paws stand on the ground line);
    # the start is rounded so the limb joins its body without a corner
    for q in reversed(right):
        ctx.line_to(*q)
    sx, sy = centre[0]
    a_start = math.atan2(right[0][1] - sy, right[0][0] - sx)
    ctx.arc_negative(sx, sy, w0 / 2.0, a_start, a_start - math.pi)
    ctx.close_path()
    fill_outline(ctx, colour, width)


# ---------------------------------------------------------- landscape

SUNSET = [(0.00, '#0a1040'), (0.30, '#2b1b6b'), (0.52, '#a8326e'),
          (0.72, '#ef5a26'), (0.88, '#f9a12a'), (1.00, '#ffd75e')]


def sky(ctx, stops=SUNSET, horizon=HORIZON):
    g = cairo.LinearGradient(0, 0, 0, horizon)
    for pos, col in stops:
        g.add_color_stop_rgb(pos, *rgb(col))
    ctx.set_source(g)
    ctx.rectangle(0, 0, W, horizon + 2)
    ctx.fill()


def sun(ctx, cx, cy, r, inner='#fff1a8', outer='#ffb43a', halo=True):
    if halo:
        for i, a in enumerate((0.10, 0.07, 0.05)):
            ctx.set_source_rgba(1.0, 0.85, 0.45, a)
            ctx.arc(cx, cy, r * (1.25 + 0.28 * i), 0, 2 * math.pi)
            ctx.fill()
    g = cairo.RadialGradient(cx - 0.2 * r, cy - 0.2 * r, 0.1 * r, cx, cy, r)
    g.add_color_stop_rgb(0, *rgb(inner))
    g.add_color_stop_rgb(1, *rgb(outer))
    ctx.set_source(g)
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()


def hills(ctx, seed, colour='#5a2050', base=HORIZON, height=40):
    """A low line of distant hills on the horizon, shaped by a fixed seed."""
    pts = [(-20, base + 5)]
    for i in range(0, 13):
        x = i * W / 12.0
        y = base - height * (0.45 + 0.55 * abs(math.sin(seed * 1.7 + i * 0.9 + math.sin(i * seed))))
        pts.append((x, y))
    pts.append((W + 20, base + 5))
    smooth_path(ctx, pts, closed=False)
    ctx.line_to(W + 20, base + 40)
    ctx.line_to(-20, base + 40)
    ctx.close_path()
    ctx.set_source_rgb(*rgb(colour))
    ctx.fill()


def ground(ctx, top='#7a3814', mid='#3e180a', bottom='#140604', horizon=HORIZON):
    g = cairo.LinearGradient(0, horizon, 0, H)
    g.add_color_stop_rgb(0.0, *rgb(top))
    g.add_color_stop_rgb(0.35, *rgb(mid))
    g.add_color_stop_rgb(1.0, *rgb(bottom))
    ctx.set_source(g)
    ctx.rectangle(0, horizon, W, H - horizon)
    ctx.fill()


def grass(ctx, y0, y1, step, height, colour=INK, phase=0.0):
    """A band of pointed grass blades from y0 (their roots) reaching up."""
    ctx.set_source_rgb(*colour)
    ctx.move_to(-10, y1)
    x = -10.0
    i = 0
    while x < W + 10:
        h = height * (0.55 + 0.45 * abs(math.sin(i * 1.37 + phase)))
        lean = 10 * math.sin(i * 0.71 + phase)
        ctx.line_to(x, y0)
        ctx.line_to(x + step * 0.5 + lean, y0 - h)
        x += step
        i += 1
    ctx.line_to(W + 10, y0)
    ctx.line_to(W + 10, y1)
    ctx.close_path()
    ctx.fill()


def acacia(ctx, x, y, s, colour=INK):
    """Umbrella-thorn acacia in silhouette: forked trunk under a flat crown."""
    ctx.set_source_rgb(*colour)
    # trunk and the fork of limbs that hold the crown
    for bx, top_x in ((0, 0), (0, -55), (0, 50), (-5, -95), (5, 90)):
        ctx.move_to(x + bx * s - 6 * s, y)
        ctx.curve_to(x - 4 * s, y - 60 * s, x + top_x * s * 0.6, y - 80 * s,
                     x + top_x * s - 3 * s, y - 118 * s)
        ctx.line_to(x + top_x * s + 3 * s, y - 118 * s)
        ctx.curve_to(x + top_x * s * 0.6 + 5 * s, y - 80 * s, x + 4 * s, y - 60 * s,
                     x + bx * s + 6 * s, y)
        ctx.close_path()
        ctx.fill()
    # flat crown: a few overlapping flattened lobes
    for cx, cy, rx, ry in ((0, -128, 120, 22), (-70, -122, 62, 17), (75, -124, 60, 18),
                           (-20, -142, 80, 16), (40, -138, 70, 15)):
        ellipse(ctx, x + cx * s, y + cy * s, rx * s, ry * s)
        ctx.fill()


def herd(ctx, x, y, s, colour=INK):
    """Tiny distant giraffe and antelope on the horizon line."""
    ctx.set_source_rgb(*colour)
    ellipse(ctx, x, y - 14 * s, 12 * s, 6 * s); ctx.fill()
    ctx.move_to(x + 8 * s, y - 16 * s); ctx.line_to(x + 20 * s, y - 46 * s)
    ctx.line_to(x + 25 * s, y - 44 * s); ctx.line_to(x + 13 * s, y - 12 * s); ctx.fill()
    ellipse(ctx, x + 25 * s, y - 46 * s, 5 * s, 3 * s); ctx.fill()
    ctx.set_line_width(2.2 * s)
    for lx in (-9, -5, 6, 10):
        ctx.move_to(x + lx * s, y - 12 * s); ctx.line_to(x + lx * s, y); ctx.stroke()


def vignette(ctx, strength=0.55):
    """Darken the corners: calm places for words and a frame for the subject."""
    g = cairo.RadialGradient(W / 2, H * 0.52, H * 0.35, W / 2, H * 0.52, H * 0.95)
    g.add_color_stop_rgba(0, 0, 0, 0, 0)
    g.add_color_stop_rgba(1, 0.03, 0.0, 0.05, strength)
    ctx.set_source(g)
    ctx.rectangle(0, 0, W, H)
    ctx.fill()


def savanna(ctx, stops, sun_at, sun_r, sun_cols=('#fff4c0', '#ffb640'), hill='#4a1a48',
            seed=1.0, earth=('#7a3814', '#3e180a', '#140604'), trees=(), grass_col='#2a0e06'):
    """The shared backdrop: sky, sun, hills, ground, acacias, a fringe of
    grass on the horizon."""
    sky(ctx, stops)
    sun(ctx, sun_at[0] * W, sun_at[1] * H, sun_r * H, inner=sun_cols[0], outer=sun_cols[1])
    hills(ctx, seed, hill)
    ground(ctx, *earth)
    for tx, ts in trees:
        acacia(ctx, tx * W, HORIZON + 6, ts)
    grass(ctx, HORIZON + 12, HORIZON + 40, 9, 12, rgb(grass_col), seed)
    tufts(ctx, seed)


def tufts(ctx, seed, horizon=HORIZON):
    """Clumps of dry grass scattered over the ground, smaller towards the
    horizon; dark and low in contrast, so words over the ground stay clear."""
    rnd = random.Random(seed * 1000)
    for k in range(70):
        depth = rnd.random() ** 1.4           # 0 far, 1 near
        y = horizon + 20 + depth * (H - horizon - 20)
        x = rnd.uniform(-20, W + 20)
        size = 6 + 26 * depth
        ctx.set_source_rgba(0.05, 0.02, 0.01, 0.45)
        for b in range(5):
            lean = (b - 2) * 0.35 + rnd.uniform(-0.15, 0.15)
            ctx.move_to(x - size * 0.1 + b * size * 0.05, y)
            ctx.line_to(x + lean * size, y - size * rnd.uniform(0.6, 1.0))
            ctx.line_to(x + size * 0.1 + b * size * 0.05, y)
            ctx.close_path()
        ctx.fill()
    # the sun's warm light lying on the ground near the horizon
    g = cairo.LinearGradient(0, horizon, 0, horizon + 70)
    g.add_color_stop_rgba(0, 1.0, 0.6, 0.25, 0.30)
    g.add_color_stop_rgba(1, 1.0, 0.6, 0.25, 0.0)
    ctx.set_source(g)
    ctx.rectangle(0, horizon, W, 70)
    ctx.fill()


@contextlib.contextmanager
def stage(ctx, dx=0.0, dy=0.0, s=1.0, pivot=(W / 2.0, H)):
    """Place an animal drawn in its own coordinates: scale about pivot, then
    move by (dx, dy)."""
    ctx.save()
    ctx.translate(pivot[0] + dx, pivot[1] + dy)
    ctx.scale(s, s)
    ctx.translate(-pivot[0], -pivot[1])
    try:
        yield
    finally:
        ctx.restore()


def foreground_grass(ctx, phase=0.0):
    grass(ctx, H * 0.93, H + 5, 16, 42, INK, phase)


def stars(ctx, count, y_max, seed):
    rnd = random.Random(seed)
    for _ in range(count):
        x, y = rnd.uniform(0, W), rnd.uniform(0, y_max) ** 1.0
        r = rnd.choice((1.2, 1.6, 2.2))
        ctx.set_source_rgba(1, 0.95, 0.85, rnd.uniform(0.4, 0.9) * (1 - y / y_max))
        ctx.arc(x, y, r, 0, 2 * math.pi)
        ctx.fill()


KENTE = ['#e8b020', '#1e7a3a', '#c0281e', '#101010', '#e8b020', '#2a3a9a']


def kente_band(ctx, y, h):
    """A strip of kente-like weave: blocks of stripes in gold, green, red."""
    block = 64
    for i in range(W // block + 1):
        x = i * block
        base = rgb(KENTE[i % len(KENTE)])
        ctx.set_source_rgb(*base)
        ctx.rectangle(x, y, block, h)
        ctx.fill()
        alt = rgb(KENTE[(i + 2) % len(KENTE)])
        ctx.set_source_rgb(*alt)
        if i % 2:
            for k in range(4):
                ctx.rectangle(x, y + 4 + k * h / 4.0, block, h / 10.0)
        else:
            for k in range(4):
                ctx.rectangle(x + 6 + k * block / 4.0, y, block / 10.0, h)
        ctx.fill()


# --------------------------------------------------------------- export

def to_texture(surface, size=512, limit=100 * 1024):
    """Squeeze the 4:3 canvas into a square texture and encode it as JPEG.

    The highest quality that fits the size limit is chosen.
    """
    img = Image.frombuffer('RGBA', (surface.get_width(), surface.get_height()),
                           bytes(surface.get_data()), 'raw', 'BGRA', 0, 1).convert('RGB')
    img = img.resize((size, size), Image.LANCZOS)
    for quality in range(92, 40, -3):
        buf = io.BytesIO()
        img.save(buf, 'JPEG', quality=quality, optimize=True, progressive=False)
        if buf.tell() <= limit:
            return buf.getvalue(), img
    raise SystemExit('make_pictures: cannot fit a picture into %d bytes' % limit)
