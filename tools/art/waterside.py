"""The animals of the water's edge: 5 flamingo (pink, long legs, curved
neck and bent beak) and 7 crocodile (long jaws and teeth, ridged back)."""
import cairo

from poster import (H, W, HORIZON, OUTLINE, INK, acacia, blob, ellipse, grass, hills, limb,
                    oval, poly, rgb, sky, stage, sun, vignette)


def lake(ctx, top, colours=('#f0a050', '#7a3a6a', '#1c1840'), sun_x=None, sun_r=0):
    """Still water below the horizon that mirrors the sky and the sun."""
    g = cairo.LinearGradient(0, top, 0, H)
    g.add_color_stop_rgb(0.0, *rgb(colours[0]))
    g.add_color_stop_rgb(0.4, *rgb(colours[1]))
    g.add_color_stop_rgb(1.0, *rgb(colours[2]))
    ctx.set_source(g)
    ctx.rectangle(0, top, W, H - top)
    ctx.fill()
    if sun_x is not None:
        # broken streaks of the sun's reflection
        ctx.set_source_rgba(1.0, 0.86, 0.5, 0.75)
        for i in range(9):
            y = top + 12 + i * 17
            w = sun_r * (1.0 - i * 0.09)
            ctx.rectangle(sun_x - w, y, 2 * w, 6)
            ctx.fill()


FLAMINGO_SKY = [(0.00, '#081040'), (0.35, '#1a3a8a'), (0.65, '#4a70b8'),
                (0.86, '#f0a060'), (1.00, '#ffd890')]


def one_flamingo(ctx, x, y, s, leg_up, neck_sign=1):
    """A flamingo standing at (x, y) (its foot on the water), scale s."""
    pink, deep, pale = rgb('#ff5a8a'), rgb('#d02860'), rgb('#ffb0c8')
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(s * neck_sign, s)
    # legs: thin, pink, the knee bending backwards
    limb(ctx, [(0, -250), (4, -130), (0, 0)], 12, 9, deep, 4)
    if leg_up:
        limb(ctx, [(8, -250), (40, -180), (6, -150)], 12, 9, deep, 4)
    else:
        limb(ctx, [(20, -250), (26, -130), (30, 0)], 12, 9, deep, 4)
    # body: a plump teardrop with the tail feathers pointing back
    body = [(-70, -300), (-20, -330), (60, -320), (130, -290), (150, -270), (100, -250),
            (30, -238), (-40, -250), (-78, -274)]
    blob(ctx, body, pink, 5)
    blob(ctx, [(10, -310), (80, -300), (140, -276), (90, -262), (30, -270)], deep, 0)
    blob(ctx, [(120, -282), (160, -276), (150, -262), (118, -268)], OUTLINE, 0)
    # the S-curved neck up to a small head
    neck = [(-60, -300), (-100, -340), (-110, -400), (-80, -450), (-40, -470), (-20, -500),
            (-36, -540), (-70, -548)]
    limb(ctx, neck, 26, 18, pink, 5)
    oval(ctx, -74, -548, 22, 18, pink, 5)
    # the bent beak: pale base, black tip hooked down
    beak = [(-90, -560), (-124, -548), (-140, -520), (-132, -516), (-116, -536), (-92, -538)]
    blob(ctx, beak, pale, 4, 0.6)
    blob(ctx, [(-124, -540), (-140, -520), (-132, -514), (-120, -530)], OUTLINE, 0, 0.6)
    oval(ctx, -74, -554, 5, 5, OUTLINE)
    ctx.restore()


def flamingo(ctx):
    sky(ctx, FLAMINGO_SKY)
    sun(ctx, 0.30 * W, 0.56 * H, 0.14 * H, inner='#fff6d8', outer='#ffc870')
    hills(ctx, 8.3, '#2a2a6a', height=30)
    lake(ctx, HORIZON, ('#f4b070', '#6a5aa0', '#141a48'), 0.30 * W, 0.14 * H)
    acacia(ctx, 0.85 * W, HORIZON + 4, 0.6, rgb('#101030'))
    acacia(ctx, 0.12 * W, HORIZON + 4, 0.4, rgb('#101030'))
    # ripples where the birds stand
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.set_line_width(3)
    for cx, cy in ((370, 620), (640, 590)):
        for r in (30, 50):
            ellipse(ctx, cx, cy, r, r * 0.22)
            ctx.stroke()
    birds = ((640, 590, 0.74, False, -1), (370, 620, 0.90, True, 1))
    # their reflections in the still water, faint and squashed
    for x, y, s, leg_up, facing in birds:
        ctx.push_group()
        ctx.translate(0, 2 * y)
        ctx.scale(1, -1)
        one_flamingo(ctx, x, y, s, leg_up, facing)
        ctx.pop_group_to_source()
        ctx.save()
        ctx.rectangle(0, y, W, H - y)
        ctx.clip()
        ctx.paint_with_alpha(0.22)
        ctx.restore()
    for bird in birds:
        one_flamingo(ctx, *bird)
    vignette(ctx, 0.5)


CROC_SKY = [(0.00, '#140e3c'), (0.30, '#4a1a60'), (0.58, '#c03a3a'),
            (0.82, '#f68a2a'), (1.00, '#ffd468')]


def crocodile(ctx):
    sky(ctx, CROC_SKY, horizon=0.52 * H)
    sun(ctx, 0.60 * W, 0.46 * H, 0.18 * H, inner='#fff4c0', outer='#ffb43c')
    hills(ctx, 9.1, '#5a1e40', base=0.52 * H)
    lake(ctx, 0.52 * H, ('#e88a3a', '#4a3a6a', '#101838'), 0.60 * W, 0.16 * H)
    acacia(ctx, 0.88 * W, 0.52 * H + 4, 0.55)
    acacia(ctx, 0.79 * W, 0.52 * H + 4, 0.32)
    # the mud bank the crocodile lies on
    blob(ctx, [(-20, 560), (200, 520), (500, 510), (800, 520), (1044, 545), (1044, 780),
               (-20, 780)], rgb('#4a2410'), 0, 0.8)
    blob(ctx, [(-20, 610), (300, 580), (700, 585), (1044, 600), (1044, 780), (-20, 780)],
         rgb('#2a1208'), 0, 0.8)

    green, belly, dark = rgb('#4f9a3a'), rgb('#c8d870'), rgb('#2e6424')
    with stage(ctx, 20, 0, 0.88, (520, 620)):
        cy = 520
        # long tail sweeping right, tapering
        tail = [(640, cy - 10), (720, cy - 4), (800, cy + 10), (870, cy + 40), (890, cy + 66)]
        limb(ctx, tail, 80, 12, green)
        # far legs
        limb(ctx, [(400, cy + 20), (390, cy + 58), (370, cy + 72)], 30, 22, dark)
        limb(ctx, [(600, cy + 20), (620, cy + 58), (600, cy + 72)], 34, 22, dark)
        body = [(330, cy - 30), (420, cy - 58), (560, cy - 62), (660, cy - 46), (680, cy),
                (640, cy + 36), (520, cy + 48), (400, cy + 44), (330, cy + 24)]
        blob(ctx, body, green, 6)
        blob(ctx, [(360, cy + 22), (480, cy + 34), (620, cy + 28), (600, cy + 42), (480, cy + 48),
                   (380, cy + 40)], belly, 0)
        # ridge of scutes along the back and tail
        for i in range(16):
            t = i / 15.0
            x = 380 + t * 470
            y = (cy - 58 + (t ** 2.2) * 80) if x < 870 else cy + 30
            poly(ctx, [(x - 12, y + 6), (x, y - 16), (x + 12, y + 6)], dark, 3)
        # armour plates: rows of rounded squares on the back
        for row, yy in enumerate((cy - 36, cy - 14)):
            for i in range(8):
                x = 400 + i * 34 + row * 16
                blob(ctx, [(x - 12, yy - 9), (x + 12, yy - 9), (x + 12, yy + 9), (x - 12, yy + 9)],
                     dark, 0, 0.5)
        # near legs, splayed
        limb(ctx, [(430, cy + 20), (412, cy + 70), (384, cy + 92)], 38, 26, green)
        limb(ctx, [(620, cy + 16), (650, cy + 70), (630, cy + 92)], 42, 26, green)
        for fx, fy in ((378, cy + 94), (624, cy + 94)):
            for k in (-14, 0, 14):
                oval(ctx, fx + k, fy + 4, 8, 5, dark, 3)
        # the long jaws, wide open, lined with teeth
        ux, uy = 336, cy - 28
        upper = [(ux, uy - 8), (290, uy - 56), (220, uy - 100), (150, uy - 132), (130, uy - 122),
                 (150, uy - 106), (230, uy - 60), (300, uy - 18), (ux, uy + 10)]
        lower = [(ux, uy + 14), (260, uy + 30), (180, uy + 40), (140, uy + 44), (140, uy + 58),
                 (190, uy + 60), (270, uy + 54), (ux, uy + 44)]
        # mouth inside
        blob(ctx, [(ux, uy + 6), (230, uy - 52), (150, uy - 110), (140, uy + 48), (260, uy + 38)],
             rgb('#e87a7a'), 0, 0.6)
        for i in range(9):
            t = i / 8.0
            x = 300 - t * 150
            y = uy - 20 - t * 92
            poly(ctx, [(x - 7, y - 2), (x + 7, y + 2), (x - 8, y + 20)], rgb('#fffbe8'), 2.5)
        for i in range(8):
            t = i / 7.0
            x = 300 - t * 150
            y = uy + 32 + t * 10
            poly(ctx, [(x - 7, y + 2), (x + 7, y), (x + 2, y - 18)], rgb('#fffbe8'), 2.5)
        blob(ctx, upper, green, 6, 0.8)
        blob(ctx, lower, green, 6, 0.8)
        # raised eye on top of the head, nostril at the snout's tip
        oval(ctx, 330, uy - 30, 20, 16, green, 5)
        oval(ctx, 330, uy - 32, 10, 9, rgb('#f8e040'), 3)
        oval(ctx, 330, uy - 32, 3, 8, OUTLINE)
        oval(ctx, 140, uy - 128, 7, 5, OUTLINE)
    # reeds in the foreground
    grass(ctx, H * 0.95, H + 5, 14, 60, INK, 0.4)
    vignette(ctx, 0.45)
