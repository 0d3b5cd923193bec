"""The three pictures without a lead animal: 9 the title (a giant sun with a
herd crossing it; the words are drawn over it by the production), 10 a lone
baobab against the sky, 11 a festive backdrop of cloth patterns and drums."""
import math
import random

import cairo

from poster import (H, W, HORIZON, OUTLINE, INK, acacia, blob, ellipse, fill_outline,
                    grass, ground, hills, limb, oval, poly, rgb, smooth_path, sky,
                    stroke_curve, sun, vignette)

TITLE_SKY = [(0.00, '#06061e'), (0.25, '#1a0c4a'), (0.50, '#6a1450'),
             (0.75, '#d0301e'), (1.00, '#ff8a1e')]


def sunburst(ctx, cx, cy, rays, alpha):
    for i in range(rays):
        a0 = 2 * math.pi * i / rays
        a1 = a0 + math.pi / rays
        ctx.move_to(cx, cy)
        ctx.line_to(cx + 2000 * math.cos(a0), cy + 2000 * math.sin(a0))
        ctx.line_to(cx + 2000 * math.cos(a1), cy + 2000 * math.sin(a1))
        ctx.close_path()
    ctx.set_source_rgba(1.0, 0.55, 0.25, alpha)
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
        ctx.set_source_rgba(1.0, 0.45, 0.2, a)
        ctx.arc(cx, cy, r * (1.10 + 0.14 * k), 0, 2 * math.pi)
        ctx.fill()
    # a deep red sun with bands of colour across its lower half
    g = cairo.RadialGradient(cx, cy - 0.3 * r, 0.1 * r, cx, cy, r)
    g.add_color_stop_rgb(0, *rgb('#ff9a3a'))
    g.add_color_stop_rgb(0.7, *rgb('#f0501e'))
    g.add_color_stop_rgb(1, *rgb('#c02818'))
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


def baobab(ctx, x, y, s):
    """The baobab: a fat bottle trunk with short root-like branches."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    trunk = [(-110, 0), (-100, -100), (-80, -220), (-70, -300), (-90, -350), (-50, -360),
             (0, -350), (50, -360), (90, -350), (70, -300), (80, -220), (100, -100), (120, 0)]
    blob(ctx, trunk, INK, 0, 0.8)
    branches = [[(-60, -340), (-130, -390), (-200, -400), (-250, -440)],
                [(-60, -340), (-110, -420), (-120, -480)],
                [(-20, -350), (-30, -430), (-70, -500), (-60, -540)],
                [(10, -350), (30, -440), (20, -520)],
                [(40, -345), (100, -420), (150, -470), (140, -520)],
                [(60, -340), (150, -380), (230, -390), (280, -430)],
                [(-130, -390), (-150, -440), (-140, -470)],
                [(150, -470), (200, -500), (220, -530)]]
    for b in branches:
        limb(ctx, b, 34, 10, INK, 0)
    # sparse leaf clumps at the branch tips
    for b in branches:
        ex, ey = b[-1]
        for dx, dy, rx, ry in ((0, 0, 36, 16), (-20, 8, 22, 12), (22, 6, 24, 12)):
            ellipse(ctx, ex + dx, ey + dy, rx, ry)
            ctx.set_source_rgb(*INK)
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
    baobab(ctx, 0.5 * W, HORIZON + 24, 0.92)
    grass(ctx, HORIZON + 30, H + 5, 10, 22, INK, 1.7)
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


FESTIVE_SKY = [(0.00, '#1a0630'), (0.35, '#5a0e40'), (0.65, '#c0301e'),
               (0.88, '#f57a1a'), (1.00, '#ffb030')]


def festive(ctx):
    sky(ctx, FESTIVE_SKY, horizon=0.62 * H)
    sun(ctx, 0.5 * W, 0.55 * H, 0.22 * H, inner='#ffd070', outer='#f06020', halo=False)
    # bunting of cloth pennants strung across the sky
    for row, (y, sag) in enumerate(((0.10 * H, 50), (0.24 * H, 40))):
        for i in range(16):
            x = -20 + i * 70 + row * 35
            t = (x / W) * 2 - 1
            yy = y + sag * (1 - t * t)
            col = rgb(KENTE[(i + row) % len(KENTE)])
            poly(ctx, [(x, yy), (x + 56, yy), (x + 28, yy + 46)], col, 3)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(3)
        ctx.move_to(-20, y)
        ctx.curve_to(W * 0.3, y + sag * 1.3, W * 0.7, y + sag * 1.3, W + 20, y)
        ctx.stroke()
    horizon = 0.62 * H
    ground(ctx, '#5a1a10', '#2a0c08', '#100404', horizon)
    # village huts and palms on the horizon in silhouette
    for hx, hs in ((0.12, 1.0), (0.22, 0.7), (0.80, 0.9), (0.90, 0.7)):
        x = hx * W
        poly(ctx, [(x - 60 * hs, horizon - 40 * hs), (x, horizon - 110 * hs),
                   (x + 60 * hs, horizon - 40 * hs)], INK)
        ctx.set_source_rgb(*INK)
        ctx.rectangle(x - 45 * hs, horizon - 42 * hs, 90 * hs, 44 * hs)
        ctx.fill()
    acacia(ctx, 0.62 * W, horizon + 2, 0.45)
    # hanging cloths on a line, the festival's banners
    panels = [('#c0281e', '#101010'), ('#e8b020', '#3a1a08'), ('#1e6a3a', '#f0dcb0'),
              ('#2a2a7a', '#e8b020'), ('#e8e0c8', '#3a1a08')]
    for i, (col, ink) in enumerate(panels):
        x = 150 + i * 150
        mudcloth(ctx, x, 0.40 * H, 110, 96, col, ink)
        ctx.set_source_rgb(*OUTLINE)
        ctx.set_line_width(4)
        ctx.rectangle(x, 0.40 * H, 110, 96)
        ctx.stroke()
    ctx.set_source_rgb(*OUTLINE)
    ctx.set_line_width(4)
    ctx.move_to(100, 0.40 * H)
    ctx.line_to(924, 0.40 * H)
    ctx.stroke()
    # the drums in front
    djembe(ctx, 250, 0.88 * H, 1.0, '#8a3a14', '#e8b020')
    djembe(ctx, 390, 0.90 * H, 0.8, '#a04a1a', '#f0dcb0')
    djembe(ctx, 640, 0.90 * H, 0.85, '#7a2a10', '#e8b020')
    djembe(ctx, 780, 0.88 * H, 1.05, '#9a441a', '#f0dcb0')
    kente_band(ctx, H - 64, 64)
    vignette(ctx, 0.4)
