"""The three pictures without a lead animal: 9 the title (a giant sun with a
herd crossing it; the words are drawn over it by the production), 10 a lone
baobab against the sky, 11 a festive backdrop of cloth patterns and drums."""
import math
import random

import cairo

from poster import (H, W, HORIZON, OUTLINE, INK, acacia, blob, ellipse, grass, ground, herd,
                    hills, limb, oval, poly, rgb, smooth_path, sky, stroke_curve, sun, tufts,
                    vignette)

TITLE_SKY = [(0.00, '#04041a'), (0.30, '#140a44'), (0.60, '#4a0e4a'),
             (0.85, '#a01a34'), (1.00, '#e0501e')]


def sunburst(ctx, cx, cy, rays, alpha):
    for i in range(rays):
        a0 = 2 * math.pi * i / rays
        a1 = a0 + math.pi / rays
        ctx.move_to(cx, cy)
        ctx.line_to(cx + 2000 * math.cos(a0), cy + 2000 * math.sin(a0))
        ctx.line_to(cx + 2000 * math.cos(a1), cy + 2000 * math.sin(a1))
        ctx.close_path()
    ctx.set_source_rgba(1.0, 0.35, 0.30, alpha)
    ctx.fill()


def stars(ctx, count, y_max, seed):
    rnd = random.Random(seed)
    for _ in range(count):
        x, y = rnd.uniform(0, W), rnd.uniform(0, y_max) ** 1.0
        r = rnd.choice((1.2, 1.6, 2.2))
        ctx.set_source_rgba(1, 0.95, 0.85, rnd.uniform(0.4, 0.9) * (1 - y / y_max))
        ctx.arc(x, y, r, 0, 2 * math.pi)
        ctx.fill()


def giraffe_silhouette(ctx, x, y, s):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    ctx.set_source_rgb(*INK)
    blob(ctx, [(-40, -110), (40, -118), (60, -100), (50, -80), (-40, -76), (-54, -92)], INK, 0)
    limb(ctx, [(-30, -110), (-60, -190), (-80, -250)], 22, 14, INK, 0)
    blob(ctx, [(-96, -262), (-70, -270), (-60, -256), (-90, -240), (-110, -236)], INK, 0)
    for ox in (-78, -70):
        stroke_curve(ctx, [(ox, -262), (ox - 2, -280)], INK, 4)
    for lx, dx in ((-36, -6), (-24, 6), (36, -4), (48, 8)):
        limb(ctx, [(lx, -86), (lx + dx, -40), (lx + dx * 0.5, 0)], 10, 7, INK, 0)
    stroke_curve(ctx, [(56, -100), (66, -70)], INK, 4)
    ctx.restore()


def elephant_silhouette(ctx, x, y, s):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    blob(ctx, [(-70, -60), (-40, -112), (40, -116), (80, -90), (90, -40), (70, -30),
               (-60, -28)], INK, 0)
    blob(ctx, [(-60, -100), (-100, -96), (-120, -60), (-126, -10), (-112, -8), (-104, -50),
               (-84, -60), (-56, -50)], INK, 0)
    blob(ctx, [(-66, -96), (-40, -96), (-30, -60), (-54, -44), (-70, -60)], rgb('#1e0c16'), 0)
    stroke_curve(ctx, [(-98, -56), (-124, -52), (-136, -62)], rgb('#2a1622'), 5)
    for lx in (-50, -20, 40, 64):
        limb(ctx, [(lx, -40), (lx, 0)], 24, 22, INK, 0)
    ctx.restore()


def zebra_silhouette(ctx, x, y, s):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    blob(ctx, [(-40, -80), (40, -84), (56, -60), (40, -44), (-40, -44), (-52, -60)], INK, 0)
    limb(ctx, [(-36, -70), (-60, -110), (-70, -126)], 26, 16, INK, 0)
    blob(ctx, [(-60, -130), (-96, -104), (-90, -96), (-60, -114)], INK, 0)
    for lx in (-34, -24, 30, 40):
        limb(ctx, [(lx, -50), (lx, 0)], 10, 7, INK, 0)
    stroke_curve(ctx, [(52, -70), (62, -40)], INK, 4)
    ctx.restore()


def title(ctx):
    sky(ctx, TITLE_SKY, horizon=0.70 * H)
    stars(ctx, 140, 0.35 * H, 99)
    cx, cy, r = 0.5 * W, 0.56 * H, 0.36 * H
    sunburst(ctx, cx, cy, 36, 0.10)
    for k, a in enumerate((0.16, 0.10, 0.06)):
        ctx.set_source_rgba(0.9, 0.2, 0.25, a)
        ctx.arc(cx, cy, r * (1.10 + 0.14 * k), 0, 2 * math.pi)
        ctx.fill()
    # a deep red sun with bands of colour across its lower half
    g = cairo.RadialGradient(cx, cy - 0.3 * r, 0.1 * r, cx, cy, r)
    g.add_color_stop_rgb(0, *rgb('#e8401e'))
    g.add_color_stop_rgb(0.6, *rgb('#c0201c'))
    g.add_color_stop_rgb(1, *rgb('#8a0e22'))
    ctx.set_source(g)
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()
    ctx.save()
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.clip()
    for i, y in enumerate(range(int(cy + 0.15 * r), int(cy + r), 22)):
        ctx.set_source_rgba(0.45, 0.05, 0.15, 0.55)
        ctx.rectangle(cx - r, y, 2 * r, 6 + i * 1.5)
        ctx.fill()
    ctx.restore()
    horizon = 0.70 * H
    hills(ctx, 11.3, '#3a0a2a', base=horizon, height=30)
    ground(ctx, '#3a0e1e', '#1e0810', '#0a0408', horizon)
    # the herd walks across the sun: giraffes, elephants, zebras
    acacia(ctx, 0.14 * W, horizon + 6, 1.05)
    acacia(ctx, 0.87 * W, horizon + 6, 0.8)
    elephant_silhouette(ctx, 0.66 * W, horizon + 4, 1.15)
    elephant_silhouette(ctx, 0.78 * W, horizon + 4, 0.8)
    giraffe_silhouette(ctx, 0.40 * W, horizon + 4, 1.05)
    giraffe_silhouette(ctx, 0.29 * W, horizon + 4, 0.85)
    zebra_silhouette(ctx, 0.52 * W, horizon + 4, 0.75)
    zebra_silhouette(ctx, 0.57 * W, horizon + 4, 0.7)
    # birds in a loose V
    ctx.set_source_rgb(*INK)
    ctx.set_line_width(3.5)
    for i, (bx, by) in enumerate(((620, 190), (650, 205), (590, 206), (680, 222), (560, 224))):
        ctx.move_to(bx - 12, by)
        ctx.curve_to(bx - 6, by - 6, bx - 2, by - 4, bx, by)
        ctx.curve_to(bx + 2, by - 4, bx + 6, by - 6, bx + 12, by)
        ctx.stroke()
    grass(ctx, H * 0.93, H + 5, 14, 34, INK, 0.9)
    kente_band(ctx, H - 40, 40)
    vignette(ctx, 0.5)


TREE_SKY = [(0.00, '#08163e'), (0.35, '#1e3c7a'), (0.62, '#5a5a9a'),
            (0.84, '#e8803a'), (1.00, '#ffcc5e')]


def fork(ctx, x, y, angle, length, width, depth, rnd, tips):
    """One limb of the crown and, recursively, the limbs it forks into."""
    ex = x + length * math.cos(angle)
    ey = y - length * math.sin(angle)
    bend = rnd.uniform(-0.25, 0.25) * length
    mx = (x + ex) / 2 + bend * math.sin(angle)
    my = (y + ey) / 2 + bend * math.cos(angle)
    limb(ctx, [(x, y), (mx, my), (ex, ey)], width, width * 0.62, INK, 0)
    if depth == 0:
        tips.append((ex, ey))
        return
    for k in range(2 if depth > 1 else 3):
        spread = rnd.uniform(0.25, 0.6) * (1 if k % 2 else -1)
        fork(ctx, ex, ey, angle + spread, length * rnd.uniform(0.55, 0.72), width * 0.6,
             depth - 1, rnd, tips)


def baobab(ctx, x, y, s):
    """The baobab: a fat bottle trunk under a crown of stubby, forking limbs
    that look like roots held up to the sky."""
    rnd = random.Random(5)
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    trunk = [(-150, 0), (-130, -80), (-110, -200), (-92, -290), (-104, -340), (-40, -356),
             (0, -348), (40, -356), (104, -340), (94, -290), (112, -200), (134, -80), (160, 0)]
    blob(ctx, trunk, INK, 0, 0.8)
    tips = []
    for bx, angle, length in ((-80, 2.55, 130), (-50, 2.05, 150), (-10, 1.65, 150),
                              (30, 1.25, 150), (70, 0.80, 140), (90, 0.35, 110),
                              (-95, 2.95, 100)):
        fork(ctx, bx, -330, angle, length, 44, 2, rnd, tips)
    # sparse leaves: small clusters at the twig ends
    ctx.set_source_rgb(*INK)
    for tx, ty in tips:
        for _ in range(4):
            ellipse(ctx, tx + rnd.uniform(-14, 14), ty + rnd.uniform(-10, 8),
                    rnd.uniform(6, 11), rnd.uniform(4, 7))
            ctx.fill()
    # warm light from the sun on the trunk's right side
    smooth_path(ctx, trunk, True, 0.8)
    g = cairo.LinearGradient(-40, 0, 140, 0)
    g.add_color_stop_rgba(0, 1.0, 0.55, 0.25, 0.0)
    g.add_color_stop_rgba(1, 1.0, 0.55, 0.25, 0.30)
    ctx.set_source(g)
    ctx.fill()
    ctx.restore()


def tree(ctx):
    sky(ctx, TREE_SKY)
    stars(ctx, 80, 0.3 * H, 31)
    sun(ctx, 0.5 * W, 0.58 * H, 0.30 * H, inner='#fff6d0', outer='#ffb848')
    hills(ctx, 12.7, '#2a2050')
    ground(ctx, '#5a2a14', '#2a120a', '#0e0604')
    acacia(ctx, 0.14 * W, HORIZON + 6, 0.35)
    acacia(ctx, 0.86 * W, HORIZON + 6, 0.3)
    herd(ctx, 0.24 * W, HORIZON + 4, 0.8)
    herd(ctx, 0.29 * W, HORIZON + 6, 0.6)
    tufts(ctx, 1.7)
    baobab(ctx, 0.5 * W, HORIZON + 40, 0.66)
    grass(ctx, HORIZON + 30, HORIZON + 60, 10, 22, INK, 1.7)
    vignette(ctx, 0.5)


# ---------------------------------------------------------------- festive

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


def mudcloth(ctx, x, y, w, h, colour, ink):
    """A panel of mud-cloth-style marks: rows of triangles, dots and bars."""
    ctx.set_source_rgb(*rgb(colour))
    ctx.rectangle(x, y, w, h)
    ctx.fill()
    ctx.set_source_rgb(*rgb(ink))
    rows = int(h // 34)
    for r in range(rows):
        yy = y + 8 + r * 34
        kind = r % 3
        for c in range(int(w // 30)):
            xx = x + 6 + c * 30
            if kind == 0:
                poly(ctx, [(xx, yy + 20), (xx + 10, yy), (xx + 20, yy + 20)], rgb(ink))
            elif kind == 1:
                ctx.arc(xx + 10, yy + 10, 4, 0, 2 * math.pi)
                ctx.fill()
            else:
                ctx.rectangle(xx, yy + 6, 20, 6)
                ctx.fill()


def djembe(ctx, x, y, s, body, band):
    """A goblet drum: wide head, waist, foot, with its rope lacing."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    shape = [(-70, -200), (70, -200), (60, -140), (24, -80), (30, -20), (52, 0), (-52, 0),
             (-30, -20), (-24, -80), (-60, -140)]
    blob(ctx, shape, rgb(body), 5, 0.6)
    oval(ctx, 0, -200, 70, 16, rgb('#f0dcb0'), 5)
    ctx.set_source_rgb(*rgb(band))
    ctx.set_line_width(3)
    for i in range(9):
        xa = -62 + i * 15.5
        ctx.move_to(xa, -192)
        ctx.line_to(xa * 0.35 + 8, -90)
        ctx.move_to(xa, -192)
        ctx.line_to(xa * 0.35 - 8, -90)
    ctx.stroke()
    for yb, hw in ((-150, 58), (-88, 26)):
        ctx.rectangle(-hw, yb, 2 * hw, 8)
    ctx.fill()
    ctx.restore()


FESTIVE_SKY = [(0.00, '#12062e'), (0.35, '#3e0c46'), (0.65, '#8a1438'),
               (0.88, '#d0381e'), (1.00, '#f07a1e')]


def palm(ctx, x, y, s):
    """A palm: a leaning, ringed trunk and a crown of drooping fronds."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    trunk = [(0, 0), (10, -120), (30, -240), (60, -340)]
    limb(ctx, trunk, 34, 20, INK, 0)
    top = trunk[-1]
    # fronds arch up and out, then droop at their tips
    for ex, ey in ((-180, 70), (-170, -10), (-100, -80), (10, -96), (110, -66), (175, -4),
                   (185, 74), (60, 60), (-70, 60)):
        mx, my = ex * 0.5, ey * 0.5 - 45
        limb(ctx, [top, (top[0] + mx, top[1] + my), (top[0] + ex, top[1] + ey)], 28, 4, INK, 0)
    oval(ctx, top[0], top[1], 18, 14, INK)
    ctx.restore()


def dancer(ctx, x, y, s, pose, colour=INK):
    """A dancing figure in silhouette: head, body, wrap skirt, arms raised
    or swinging as pose (0..3) says."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    oval(ctx, 0, -150, 13, 15, colour)
    if pose % 2 == 0:        # a head wrap
        blob(ctx, [(-14, -160), (0, -186), (16, -176), (14, -156)], colour, 0)
    blob(ctx, [(-16, -132), (16, -132), (20, -80), (-20, -80)], colour, 0, 0.5)
    poly(ctx, [(-22, -86), (22, -86), (34, -6), (-34, -6)], colour)
    lean = (-1, 1, -1, 1)[pose]
    limb(ctx, [(-4 * lean, -8), (-10 * lean, 0)], 10, 8, colour, 0)
    limb(ctx, [(10, -8), (16, 0)], 10, 8, colour, 0)
    arms = {0: ((-60, -200), (60, -200)), 1: ((-64, -110), (50, -196)),
            2: ((-50, -196), (66, -120)), 3: ((-56, -70), (56, -188))}[pose]
    for sgn, (hx, hy) in zip((-1, 1), arms):
        limb(ctx, [(sgn * 12, -126), ((sgn * 12 + hx) / 2 + sgn * 8, (-126 + hy) / 2), (hx, hy)],
             11, 8, colour, 0)
    ctx.restore()


def bunting(ctx, y, sag, count, phase, seed):
    rnd = random.Random(seed)
    pts = []
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(3)
    for i in range(count):
        t = (i + 0.5) / count
        x = -30 + t * (W + 60)
        yy = y + sag * 4 * t * (1 - t)
        pts.append((x, yy))
    stroke_curve(ctx, [(-40, y)] + pts + [(W + 40, y)], OUTLINE, 3)
    for i, (x, yy) in enumerate(pts):
        col = rgb(KENTE[(i + phase) % len(KENTE)])
        poly(ctx, [(x - 24, yy), (x + 24, yy), (x + rnd.uniform(-4, 4), yy + 40)], col, 3)
        ctx.set_source_rgba(1.0, 0.85, 0.5, 0.9)
        ctx.arc(x, yy + 2, 3, 0, 2 * math.pi)
        ctx.fill()


def banner(ctx, x, y0, y1, w, seed):
    """A hanging cloth: kente-like weave of stripes and blocks."""
    rnd = random.Random(seed)
    blocks = int((y1 - y0) // 40)
    for k in range(blocks):
        yy = y0 + k * 40
        base = rgb(KENTE[(k + seed) % len(KENTE)])
        ctx.set_source_rgb(*base)
        ctx.rectangle(x, yy, w, 40)
        ctx.fill()
        other = rgb(KENTE[(k + seed + 3) % len(KENTE)])
        ctx.set_source_rgb(*other)
        if k % 2:
            for m in range(3):
                ctx.rectangle(x, yy + 6 + m * 12, w, 4)
        else:
            for m in range(int(w // 18)):
                ctx.rectangle(x + 5 + m * 18, yy + 4, 6, 32)
        ctx.fill()
        if rnd.random() < 0.5:
            poly(ctx, [(x + w / 2 - 10, yy + 20), (x + w / 2, yy + 8), (x + w / 2 + 10, yy + 20),
                       (x + w / 2, yy + 32)], rgb('#f8f0d8'))
    # fringe at the bottom
    ctx.set_source_rgb(*rgb(KENTE[seed % len(KENTE)]))
    for m in range(int(w // 8)):
        ctx.rectangle(x + 2 + m * 8, y0 + blocks * 40, 4, 18)
    ctx.fill()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(4)
    ctx.rectangle(x, y0, w, blocks * 40)
    ctx.stroke()


def balafon(ctx, x, y, s):
    """A balafon: wooden keys of falling length over a row of gourds."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    keys = 11
    for k in range(keys):
        kx = -150 + k * 30
        oval(ctx, kx + 12, 24, 13 - k * 0.5, 16 - k * 0.7, rgb('#7a4418'), 3)
    poly(ctx, [(-170, -6), (180, -6), (180, 4), (-170, 4)], rgb('#3a1a08'))
    for k in range(keys):
        kx = -150 + k * 30
        length = 70 - k * 3.5
        blob(ctx, [(kx, -length / 2), (kx + 24, -length / 2), (kx + 24, length / 2 - 20),
                   (kx, length / 2 - 20)], rgb('#e8b868'), 3, 0.3)
    for mx in (-100, 110):
        limb(ctx, [(mx - 40, -34), (mx - 10, -74)], 6, 5, rgb('#f0dcb0'), 2)
        oval(ctx, mx - 8, -78, 10, 8, rgb('#c0281e'), 3)
    ctx.restore()


def festive(ctx):
    horizon = 0.62 * H
    sky(ctx, FESTIVE_SKY, horizon=horizon)
    stars(ctx, 60, 0.3 * H, 17)
    # a deep red evening sun: gold letters read well against it
    cx, cy, r = 0.5 * W, 0.56 * H, 0.27 * H
    for k, a in enumerate((0.14, 0.08)):
        ctx.set_source_rgba(0.95, 0.3, 0.2, a)
        ctx.arc(cx, cy, r * (1.12 + 0.16 * k), 0, 2 * math.pi)
        ctx.fill()
    g = cairo.RadialGradient(cx, cy - 0.3 * r, 0.1 * r, cx, cy, r)
    g.add_color_stop_rgb(0, *rgb('#e85a22'))
    g.add_color_stop_rgb(0.7, *rgb('#c42a1e'))
    g.add_color_stop_rgb(1, *rgb('#901424'))
    ctx.set_source(g)
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()
    hills(ctx, 14.1, '#3a0a2a', base=horizon, height=24)
    ground(ctx, '#4a1410', '#260a08', '#0e0404', horizon)
    tufts(ctx, 2.3, horizon)
    # the village on the horizon: round huts with conical roofs, palms
    for hx, hs in ((0.24, 0.9), (0.31, 0.65), (0.70, 0.8), (0.77, 0.6)):
        x = hx * W
        poly(ctx, [(x - 56 * hs, horizon - 44 * hs), (x, horizon - 112 * hs),
                   (x + 56 * hs, horizon - 44 * hs)], INK)
        ctx.set_source_rgb(*INK)
        ctx.rectangle(x - 42 * hs, horizon - 46 * hs, 84 * hs, 50 * hs)
        ctx.fill()
    # dancers in a ring before the sun
    for i, (dx, ds) in enumerate(((0.34, 0.85), (0.42, 1.0), (0.50, 0.92), (0.58, 1.0),
                                  (0.66, 0.86), (0.46, 0.7), (0.55, 0.72))):
        dancer(ctx, dx * W, horizon + 30 + (8 if ds < 0.8 else 26) * ds, ds, i % 4)
    # cloths hanging at both sides, and the bunting across the top
    # a palm on the left, dark behind the words written there; cloths
    # hanging on the right; bunting along the top
    palm(ctx, 0.13 * W, horizon + 10, 1.0)
    for i, x in enumerate((814, 904)):
        banner(ctx, x - 34, 0, 0.52 * H, 68, i + 1)
    bunting(ctx, 0.01 * H, 70, 15, 0, 3)
    # the drums in front
    djembe(ctx, 230, 0.93 * H, 1.0, '#8a3a14', '#e8b020')
    djembe(ctx, 350, 0.95 * H, 0.76, '#a04a1a', '#f0dcb0')
    balafon(ctx, 512, 0.86 * H, 0.8)
    djembe(ctx, 680, 0.95 * H, 0.8, '#7a2a10', '#e8b020')
    djembe(ctx, 800, 0.93 * H, 1.05, '#9a441a', '#f0dcb0')
    kente_band(ctx, H - 40, 40)
    vignette(ctx, 0.35)
