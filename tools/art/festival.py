"""Picture 11, the greetings backdrop: a village festival at sunset, with
dancers before a deep red sun, hanging kente cloths, bunting and drums."""
import math
import random

import cairo

from poster import (H, W, OUTLINE, INK, KENTE, blob, ground, hills, kente_band, limb, oval,
                    poly, rgb, sky, stars, stroke_curve, tufts, vignette)

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
