"""Picture 10: a single great baobab against the evening sky, behind the
lesson line."""
import math
import random

import cairo

from poster import (H, W, HORIZON, INK, acacia, blob, ellipse, grass, ground, herd, hills,
                    limb, smooth_path, sky, stars, sun, tufts, vignette)

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
