"""The plains animals: 2 giraffe (long neck, patches), 3 buffalo (heavy
dark body, sweeping horns), 4 elephant (trunk, ears, tusks) and 8 zebra
(stripes)."""
import math
import random

from poster import (FEET, OUTLINE, blob, foreground_grass, limb, oval, rgb, savanna,
                    smooth_path, stage, stroke_curve, vignette)


def patches(ctx, clip_pts, x0, y0, x1, y1, cell, colour, seed):
    """Giraffe coat: irregular rounded patches on a jittered grid, clipped
    to the body, the pale gaps between them forming the net pattern."""
    rnd = random.Random(seed)
    smooth_path(ctx, clip_pts)
    ctx.save()
    ctx.clip()
    ctx.set_source_rgb(*colour)
    y = y0
    row = 0
    while y < y1:
        x = x0 + (cell * 0.5 if row % 2 else 0)
        while x < x1:
            cx = x + rnd.uniform(-0.15, 0.15) * cell
            cy = y + rnd.uniform(-0.15, 0.15) * cell
            pts = []
            for k in range(6):
                a = k * math.pi / 3 + rnd.uniform(-0.3, 0.3)
                r = cell * rnd.uniform(0.36, 0.46)
                pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
            smooth_path(ctx, pts, True, 0.7)
            ctx.fill()
            x += cell
        y += cell * 0.87
        row += 1
    ctx.restore()


GIRAFFE_SKY = [(0.00, '#0c1248'), (0.30, '#2a2a80'), (0.55, '#7a3a8a'),
               (0.80, '#e8663a'), (1.00, '#ffc45a')]


def giraffe(ctx):
    savanna(ctx, GIRAFFE_SKY, (0.26, 0.52), 0.16, ('#fff2c0', '#ffab3a'), '#3a1a5a', 4.2,
            ('#6a3c14', '#36180a', '#120604'), ((0.88, 0.5), (0.13, 0.75)), '#2a1606')

    cream, brown, dark = rgb('#f6dca0'), rgb('#a8521c'), rgb('#7a3a14')
    with stage(ctx, 110, FEET - 650 + 40, 0.93, (600, 650)):
        # far legs
        limb(ctx, [(540, 460), (548, 560), (544, 650)], 30, 20, rgb('#d8b880'))
        limb(ctx, [(690, 460), (700, 560), (694, 650)], 34, 20, rgb('#d8b880'))
        # tail
        stroke_curve(ctx, [(722, 400), (742, 440), (746, 500)], OUTLINE, 9)
        stroke_curve(ctx, [(722, 400), (742, 440), (746, 500)], cream, 4)
        blob(ctx, [(740, 495), (754, 498), (756, 530), (744, 532)], OUTLINE, 0)
        # body sloping down from shoulders to rump
        body = [(470, 380), (520, 350), (620, 365), (700, 380), (730, 410), (720, 460),
                (660, 478), (560, 480), (490, 470), (462, 430)]
        # neck, long and leaning forward
        neck = [(470, 420), (462, 370), (440, 300), (410, 220), (384, 160), (410, 140),
                (436, 170), (480, 250), (520, 320), (548, 360)]
        blob(ctx, neck, cream, 6, 0.8)
        blob(ctx, body, cream, 6)
        # near legs, long and knobbly
        legs = [[(500, 460), (506, 560), (500, 650)], [(650, 462), (662, 560), (656, 650)]]
        for leg in legs:
            limb(ctx, leg, 36, 22, cream)
        patches(ctx, neck, 370, 130, 560, 430, 38, brown, 7)
        patches(ctx, body, 450, 340, 740, 490, 50, brown, 8)
        for leg in legs:
            x = leg[0][0]
            smooth_path(ctx, [(x - 18, 460), (x + 18, 460), (x + 14, 540), (x - 12, 540)])
            ctx.save(); ctx.clip()
            patches(ctx, [(x - 30, 450), (x + 30, 450), (x + 30, 545), (x - 30, 545)],
                    x - 30, 470, x + 30, 545, 26, brown, x)
            ctx.restore()
        for leg in legs + [[(540, 0), (548, 0), (544, 650)], [(690, 0), (700, 0), (694, 650)]]:
            oval(ctx, leg[2][0] - 2, 650, 14, 9, OUTLINE)
        # mane along the back of the neck
        stroke_curve(ctx, [(415, 150), (440, 185), (478, 255), (516, 318), (546, 352)], dark, 9)
        # head: long face pointing down-left, ossicones, ear
        head = [(412, 128), (388, 120), (352, 128), (318, 148), (300, 170), (306, 186),
                (330, 188), (366, 176), (400, 166), (420, 150)]
        blob(ctx, head, cream, 6)
        blob(ctx, [(352, 134), (392, 126), (404, 150), (370, 158)], brown, 0)
        for ox in (388, 404):
            stroke_curve(ctx, [(ox, 126), (ox - 2, 106), (ox - 4, 92)], OUTLINE, 11)
            stroke_curve(ctx, [(ox, 126), (ox - 2, 106), (ox - 4, 96)], brown, 5)
            oval(ctx, ox - 4, 92, 7, 6, OUTLINE)
        blob(ctx, [(418, 130), (446, 118), (454, 128), (426, 146)], cream, 5)
        oval(ctx, 372, 146, 8, 6, OUTLINE)
        oval(ctx, 370, 144, 2.5, 2.5, cream)
        oval(ctx, 312, 170, 5, 3, OUTLINE)
    foreground_grass(ctx, 1.3)
    vignette(ctx, 0.45)


BUFFALO_SKY = [(0.00, '#1a0f40'), (0.30, '#5a1f5e'), (0.55, '#c4402e'),
               (0.80, '#f58a2a'), (1.00, '#ffd060')]


def buffalo(ctx):
    savanna(ctx, BUFFALO_SKY, (0.44, 0.44), 0.26, ('#fff6c8', '#ffbe3c'), '#6a2440', 5.3,
            ('#7a3a14', '#3e180a', '#140604'), ((0.12, 0.7), (0.89, 0.5)), '#3a1608')

    hide, hide_light, horn = rgb('#2c2426'), rgb('#4a3c3c'), rgb('#c8b89a')
    with stage(ctx, 0, FEET - 632 + 10, 1.05, (600, 632)):
        # heavy body, seen from the side, head turned to the viewer
        limb(ctx, [(600, 500), (606, 570), (602, 630)], 56, 40, rgb('#221a1c'))
        limb(ctx, [(730, 490), (742, 570), (736, 630)], 60, 40, rgb('#221a1c'))
        stroke_curve(ctx, [(772, 440), (796, 480), (800, 540)], OUTLINE, 14)
        stroke_curve(ctx, [(772, 440), (796, 480), (800, 540)], hide_light, 7)
        blob(ctx, [(792, 530), (812, 532), (814, 566), (796, 568)], OUTLINE, 0)
        body = [(420, 410), (480, 360), (580, 350), (690, 372), (770, 400), (790, 460),
                (770, 515), (680, 530), (560, 540), (460, 530), (410, 480)]
        blob(ctx, body, hide, 6)
        blob(ctx, [(480, 372), (580, 360), (680, 380), (620, 392), (520, 392)], hide_light, 0)
        limb(ctx, [(480, 500), (486, 570), (480, 630)], 64, 42, hide)
        limb(ctx, [(690, 490), (700, 570), (694, 630)], 64, 42, hide)
        for x in (478, 600, 692, 736):
            oval(ctx, x, 632, 24, 10, OUTLINE)
        # head from the front: broad muzzle, drooping ears under the horns
        cx, cy = 420, 410
        blob(ctx, [(cx - 90, cy - 40), (cx - 130, cy - 62), (cx - 150, cy - 40), (cx - 110, cy - 10)],
             hide_light, 5)
        blob(ctx, [(cx + 90, cy - 40), (cx + 130, cy - 62), (cx + 150, cy - 40), (cx + 110, cy - 10)],
             hide_light, 5)
        face = [(cx - 80, cy - 60), (cx, cy - 72), (cx + 80, cy - 60), (cx + 70, cy + 10),
                (cx + 50, cy + 80), (cx + 30, cy + 112), (cx - 30, cy + 112), (cx - 50, cy + 80),
                (cx - 70, cy + 10)]
        blob(ctx, face, hide, 6)
        blob(ctx, [(cx - 40, cy + 70), (cx + 40, cy + 70), (cx + 36, cy + 112), (cx - 36, cy + 112)],
             rgb('#5a4a48'), 0)
        oval(ctx, cx - 18, cy + 96, 8, 6, OUTLINE)
        oval(ctx, cx + 18, cy + 96, 8, 6, OUTLINE)
        oval(ctx, cx - 38, cy + 2, 9, 7, rgb('#f0c050'), 3)
        oval(ctx, cx + 38, cy + 2, 9, 7, rgb('#f0c050'), 3)
        oval(ctx, cx - 38, cy + 2, 3.5, 3.5, OUTLINE)
        oval(ctx, cx + 38, cy + 2, 3.5, 3.5, OUTLINE)
        # the horns: a heavy boss across the brow, each horn sweeping out,
        # down and then up to a point
        for sgn in (-1, 1):
            pts = [(cx + sgn * 8, cy - 92), (cx + sgn * 70, cy - 96), (cx + sgn * 140, cy - 80),
                   (cx + sgn * 185, cy - 40), (cx + sgn * 200, cy - 70), (cx + sgn * 206, cy - 128),
                   (cx + sgn * 214, cy - 110), (cx + sgn * 215, cy - 50), (cx + sgn * 190, cy - 12),
                   (cx + sgn * 140, cy - 30), (cx + sgn * 80, cy - 50), (cx + sgn * 10, cy - 58)]
            if sgn < 0:
                pts = pts[::-1]
            blob(ctx, pts, horn, 6, 0.8)
        stroke_curve(ctx, [(cx - 70, cy - 76), (cx, cy - 84), (cx + 70, cy - 76)], rgb('#a08e70'), 6)
    foreground_grass(ctx, 1.9)
    vignette(ctx, 0.45)


ELEPHANT_SKY = [(0.00, '#0a1440'), (0.35, '#3a2a7a'), (0.60, '#b04470'),
                (0.82, '#f57a30'), (1.00, '#ffcf5a')]


def elephant(ctx):
    savanna(ctx, ELEPHANT_SKY, (0.60, 0.46), 0.24, ('#fff4c0', '#ffb640'), '#4a2050', 6.4,
            ('#763614', '#3c160a', '#140604'), ((0.87, 0.6), (0.11, 0.45)), '#3a1608')

    skin, skin_dark, tusk = rgb('#8a8aa0'), rgb('#6a6a82'), rgb('#fbf4dc')
    with stage(ctx, 0, FEET - 640 + 10, 1.05, (560, 640)):
        # far legs
        limb(ctx, [(520, 500), (524, 580), (520, 640)], 66, 58, skin_dark)
        limb(ctx, [(700, 500), (706, 580), (702, 640)], 66, 58, skin_dark)
        stroke_curve(ctx, [(780, 420), (800, 470), (804, 530)], OUTLINE, 12)
        stroke_curve(ctx, [(780, 420), (800, 470), (804, 530)], skin, 6)
        blob(ctx, [(798, 524), (812, 526), (812, 552), (800, 552)], OUTLINE, 0)
        body = [(410, 360), (480, 300), (600, 285), (720, 310), (785, 370), (790, 450),
                (760, 520), (660, 540), (540, 545), (450, 530), (400, 470)]
        blob(ctx, body, skin, 6)
        limb(ctx, [(470, 500), (472, 580), (468, 640)], 78, 66, skin)
        limb(ctx, [(650, 500), (656, 580), (652, 640)], 78, 66, skin)
        for x in (468, 520, 652, 702):
            for k in (-18, 0, 18):
                oval(ctx, x + k, 634, 7, 5, rgb('#e0e0e8'))
        # head with a domed brow and the trunk raised in a trumpeting curl
        head = [(430, 300), (380, 280), (330, 300), (305, 350), (300, 400), (318, 440),
                (360, 450), (420, 420)]
        blob(ctx, head, skin, 6)
        trunk = [(318, 420), (290, 450), (268, 440), (250, 400), (240, 340), (230, 280),
                 (210, 250), (190, 262)]
        limb(ctx, trunk, 62, 22, skin)
        for i, (x, y) in enumerate(trunk[2:-1]):
            stroke_curve(ctx, [(x - 10, y + 4), (x + 10, y)], skin_dark, 3)
        # tusks curving forward from under the trunk
        blob(ctx, [(318, 440), (290, 470), (262, 470), (236, 450), (244, 444), (272, 452),
                   (300, 436)], tusk, 5)
        # the great ear, shaped like the map of Africa
        ear = [(420, 290), (470, 270), (520, 300), (540, 360), (530, 430), (500, 490),
               (470, 500), (450, 460), (420, 430), (400, 380)]
        blob(ctx, ear, rgb('#9a9ab2'), 6)
        blob(ctx, [(440, 310), (490, 300), (510, 350), (500, 420), (470, 460), (440, 420), (425, 360)],
             rgb('#c8a0b0'), 0)
        oval(ctx, 356, 350, 9, 7, OUTLINE)
        oval(ctx, 354, 348, 3, 3, rgb('#e0e0e8'))
        stroke_curve(ctx, [(340, 334), (356, 330), (372, 336)], OUTLINE, 4)
    foreground_grass(ctx, 2.5)
    vignette(ctx, 0.45)


ZEBRA_SKY = [(0.00, '#0c0e3a'), (0.30, '#3c1a6a'), (0.55, '#b8365a'),
             (0.80, '#f67a28'), (1.00, '#ffc650')]


def stripes(ctx, clip_pts, lines, width):
    """Zebra stripes: thick dark curves clipped to a body part."""
    smooth_path(ctx, clip_pts)
    ctx.save()
    ctx.clip()
    for line in lines:
        stroke_curve(ctx, line, OUTLINE, width)
    ctx.restore()


def zebra(ctx):
    savanna(ctx, ZEBRA_SKY, (0.50, 0.44), 0.24, ('#fff4c0', '#ffb23c'), '#5a1e48', 7.7,
            ('#7a3a14', '#3e180a', '#140604'), ((0.11, 0.75), (0.90, 0.45)), '#3a1608')

    white = rgb('#f8f4ea')
    with stage(ctx, 0, FEET - 634, 1.05, (540, 634)):
        legs = [[(400, 470), (404, 560), (398, 632)], [(440, 470), (446, 560), (444, 632)],
                [(610, 470), (624, 560), (618, 632)], [(650, 460), (664, 556), (660, 632)]]
        body = [(380, 400), (440, 366), (560, 366), (650, 372), (700, 400), (704, 460),
                (670, 495), (560, 500), (450, 500), (385, 470)]
        # tail
        stroke_curve(ctx, [(700, 400), (722, 440), (726, 500)], OUTLINE, 9)
        blob(ctx, [(718, 490), (734, 492), (736, 528), (722, 530)], OUTLINE, 0)
        for i, leg in enumerate(legs):
            limb(ctx, leg, 36, 22, white if i % 2 else rgb('#dcd6cc'))
            x = leg[0][0]
            y0 = leg[0][1]
            lines = [[(x - 30, y) , (x + 30, y + 4)] for y in range(y0 + 20, 620, 22)]
            stripes(ctx, [(x - 40, y0), (x + 40, y0), (x + 40, 632), (x - 40, 632)], lines, 9)
            oval(ctx, leg[2][0], 634, 16, 8, OUTLINE)
        blob(ctx, body, white, 6)
        body_lines = []
        for i in range(9):
            x = 440 + i * 24
            body_lines.append([(x - 6, 360), (x + 6, 420), (x - 2, 470), (x + 8, 510)])
        for i in range(5):
            body_lines.append([(640 - i * 6, 360 + i * 24), (700, 380 + i * 26),
                               (730, 410 + i * 28)])
        stripes(ctx, body, body_lines, 11)
        # neck arching up to the head, which faces left
        neck = [(440, 400), (400, 330), (360, 270), (330, 250), (312, 270), (350, 340), (380, 420)]
        blob(ctx, neck, white, 6, 0.9)
        neck_lines = [[(300 + i * 18, 220 + i * 22), (420 + i * 12, 210 + i * 28)] for i in range(9)]
        stripes(ctx, neck, neck_lines, 10)
        # upright striped mane
        mane = [(324, 240), (350, 232), (380, 268), (414, 320), (446, 376), (430, 384),
                (396, 334), (364, 284), (336, 258)]
        blob(ctx, mane, OUTLINE, 0)
        for i in range(7):
            t = i / 6.0
            x = 340 + t * 96
            y = 244 + t * 126
            stroke_curve(ctx, [(x + 3, y - 6), (x - 6, y + 4)], white, 4)
        head = [(350, 250), (320, 240), (290, 252), (262, 290), (252, 322), (264, 340),
                (290, 334), (320, 300), (354, 282)]
        blob(ctx, head, white, 6)
        head_lines = [[(274 + i * 14, 250), (300 + i * 16, 336)] for i in range(5)]
        stripes(ctx, head, head_lines, 7)
        blob(ctx, [(248, 312), (268, 300), (282, 330), (264, 344), (250, 336)], OUTLINE, 0)
        for ex in ((330, 232), (345, 226)):
            blob(ctx, [(ex[0] - 8, ex[1] + 10), (ex[0] - 4, ex[1] - 24), (ex[0] + 8, ex[1] + 8)],
                 white, 4)
        oval(ctx, 312, 270, 7, 5, OUTLINE)
    foreground_grass(ctx, 3.1)
    vignette(ctx, 0.45)
