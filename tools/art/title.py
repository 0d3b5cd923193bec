"""Picture 9, the title: a giant red sun behind a parade of animals in
silhouette.  It carries no words; the production writes them over it, so the
centre band stays dark red and black, against which gold letters stand out."""
import math

import cairo

from poster import (H, W, INK, acacia, blob, grass, ground, hills, kente_band, limb, oval, rgb,
                    sky, stars, stroke_curve, vignette)

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


def giraffe_silhouette(ctx, x, y, s):
    """A walking giraffe, facing left, feet on (x, y)."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    for pts in ([(-45, -105), (-55, -50), (-62, 0)], [(-32, -105), (-28, -50), (-22, 0)],
                [(42, -108), (34, -50), (28, 0)], [(56, -110), (64, -50), (72, 0)]):
        limb(ctx, pts, 13, 8, INK, 0)
    blob(ctx, [(-50, -150), (0, -163), (50, -150), (70, -130), (60, -104), (-45, -98),
               (-64, -120)], INK, 0)
    limb(ctx, [(-36, -140), (-80, -232), (-104, -300)], 36, 18, INK, 0)
    blob(ctx, [(-98, -318), (-122, -318), (-146, -300), (-148, -288), (-122, -290),
               (-100, -296)], INK, 0)
    for ox in (-112, -102):
        stroke_curve(ctx, [(ox, -312), (ox - 2, -334)], INK, 5)
        oval(ctx, ox - 2, -335, 4, 4, INK)
    blob(ctx, [(-96, -314), (-80, -322), (-84, -310)], INK, 0)
    stroke_curve(ctx, [(66, -132), (76, -96), (78, -84)], INK, 4)
    blob(ctx, [(72, -90), (84, -90), (82, -70), (74, -72)], INK, 0)
    ctx.restore()


def elephant_silhouette(ctx, x, y, s, tusk_colour):
    """A walking elephant, facing left: dome back, big ear, trunk swinging,
    a pale tusk catching the light."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    for lx, dx in ((-45, -8), (-12, 6), (72, -6), (100, 8)):
        limb(ctx, [(lx, -60), (lx + dx * 0.5, -30), (lx + dx, 0)], 32, 28, INK, 0)
    blob(ctx, [(-60, -70), (-50, -140), (10, -172), (80, -162), (120, -124), (126, -70),
               (110, -44), (-50, -44)], INK, 0)
    blob(ctx, [(-40, -156), (-96, -168), (-130, -136), (-138, -96), (-112, -70), (-60, -72)],
         INK, 0)
    limb(ctx, [(-126, -108), (-142, -60), (-140, -20), (-126, 2), (-112, -2)], 34, 12, INK, 0)
    limb(ctx, [(-116, -80), (-140, -68), (-156, -76)], 10, 4, tusk_colour, 0)
    stroke_curve(ctx, [(-52, -150), (-30, -120), (-38, -86), (-62, -76)], rgb('#3a1020'), 4)
    stroke_curve(ctx, [(122, -116), (134, -70), (134, -60)], INK, 5)
    ctx.restore()


def zebra_silhouette(ctx, x, y, s):
    """A walking zebra, facing left, its upright mane in a brush."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s, s)
    for pts in ([(-42, -66), (-50, -30), (-54, 0)], [(-30, -66), (-26, -30), (-22, 0)],
                [(36, -66), (30, -30), (26, 0)], [(48, -66), (54, -30), (60, 0)]):
        limb(ctx, pts, 12, 7, INK, 0)
    blob(ctx, [(-50, -100), (40, -104), (62, -90), (60, -66), (40, -60), (-40, -60),
               (-56, -74)], INK, 0)
    limb(ctx, [(-36, -88), (-60, -126), (-72, -146)], 34, 20, INK, 0)
    for k in range(7):
        t = k / 6.0
        bx, by = -36 - 36 * t, -100 - 50 * t
        stroke_curve(ctx, [(bx + 6, by), (bx + 12, by - 10)], INK, 5)
    blob(ctx, [(-64, -152), (-80, -154), (-106, -126), (-102, -116), (-78, -126),
               (-62, -136)], INK, 0)
    blob(ctx, [(-72, -150), (-68, -172), (-62, -150)], INK, 0)
    stroke_curve(ctx, [(60, -92), (70, -62), (70, -56)], INK, 4)
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
    acacia(ctx, 0.11 * W, horizon + 6, 0.85)
    acacia(ctx, 0.93 * W, horizon + 6, 0.7)
    giraffe_silhouette(ctx, 215, horizon + 4, 0.72)
    giraffe_silhouette(ctx, 330, horizon + 4, 1.0)
    zebra_silhouette(ctx, 452, horizon + 4, 0.85)
    elephant_silhouette(ctx, 680, horizon + 4, 1.1, rgb('#f0c89a'))
    elephant_silhouette(ctx, 842, horizon + 4, 0.55, rgb('#f0c89a'))
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
