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
    # the tallest animal stands lower than the others so its head stays in view
    with stage(ctx, 110, -38, 0.84, (600, 650)):
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
    savanna(ctx, BUFFALO_SKY, (0.46, 0.50), 0.23, ('#fff6c8', '#ffbe3c'), '#6a2440', 5.3,
            ('#7a3a14', '#3e180a', '#140604'), ((0.12, 0.7), (0.89, 0.5)), '#3a1608')

    hide, hide_light, horn = rgb('#2c2426'), rgb('#4a3c3c'), rgb('#c8b89a')
    with stage(ctx, 20, FEET - 632 + 10, 1.0, (600, 632)):
        # heavy body, seen from the side, head turned to the viewer
        limb(ctx, [(600, 500), (606, 570), (602, 630)], 56, 40, rgb('#221a1c'))
        limb(ctx, [(730, 490), (742, 570), (736, 630)], 60, 40, rgb('#221a1c'))
        stroke_curve(ctx, [(772, 440), (796, 480), (800, 540)], OUTLINE, 14)
        stroke_curve(ctx, [(772, 440), (796, 480), (800, 540)], hide_light, 7)
        blob(ctx, [(792, 530), (812, 532), (814, 566), (796, 568)], OUTLINE, 0)
        limb(ctx, [(480, 500), (486, 570), (480, 630)], 64, 42, hide)
        limb(ctx, [(690, 490), (700, 570), (694, 630)], 64, 42, hide)
        body = [(420, 410), (480, 360), (580, 350), (690, 372), (770, 400), (790, 460),
                (770, 515), (680, 530), (560, 540), (460, 530), (410, 480)]
        blob(ctx, body, hide, 6)
        blob(ctx, [(480, 372), (580, 360), (680, 380), (620, 392), (520, 392)], hide_light, 0)
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
    savanna(ctx, ELEPHANT_SKY, (0.28, 0.44), 0.22, ('#fff4c0', '#ffb640'), '#4a2050', 6.4,
            ('#763614', '#3c160a', '#140604'), ((0.87, 0.6), (0.11, 0.45)), '#3a1608')

    skin, skin_dark, tusk = rgb('#8a8aa0'), rgb('#6a6a82'), rgb('#fbf4dc')
    with stage(ctx, 25, FEET - 640 + 10, 0.95, (560, 640)):
        # far legs
        limb(ctx, [(520, 500), (524, 580), (520, 640)], 66, 58, skin_dark)
        limb(ctx, [(700, 500), (706, 580), (702, 640)], 66, 58, skin_dark)
        stroke_curve(ctx, [(780, 420), (800, 470), (804, 530)], OUTLINE, 12)
        stroke_curve(ctx, [(780, 420), (800, 470), (804, 530)], skin, 6)
        blob(ctx, [(798, 524), (812, 526), (812, 552), (800, 552)], OUTLINE, 0)
        limb(ctx, [(470, 500), (472, 580), (468, 640)], 78, 66, skin)
        limb(ctx, [(650, 500), (656, 580), (652, 640)], 78, 66, skin)
        body = [(410, 360), (480, 300), (600, 285), (720, 310), (785, 370), (790, 450),
                (760, 520), (660, 540), (540, 545), (450, 530), (400, 470)]
        blob(ctx, body, skin, 6)
        for x in (468, 520, 652, 702):
            for k in (-18, 0, 18):
                oval(ctx, x + k, 634, 7, 5, rgb('#e0e0e8'))
        # head with a domed brow and the trunk raised in a trumpeting curl
        head = [(430, 300), (380, 280), (330, 300), (305, 350), (300, 400), (318, 440),
                (360, 450), (420, 420)]
        blob(ctx, head, skin, 6)
        # the trunk: down from the face, then swept forward and raised, the
        # tip curled back
        trunk = [(330, 410), (300, 446), (268, 446), (246, 410), (236, 350), (224, 296),
                 (206, 262), (186, 258), (178, 272)]
        limb(ctx, trunk, 64, 18, skin)
        for x, y in ((262, 440), (248, 420), (240, 396), (236, 370), (232, 344), (226, 318)):
            stroke_curve(ctx, [(x - 12, y + 2), (x + 10, y - 2)], skin_dark, 3)
        # tusks curving forward and up from under the trunk
        limb(ctx, [(334, 440), (310, 470), (280, 476), (256, 462)], 22, 6, tusk, 5)
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


def clipped(ctx, clip_pts, bands):
    """Draw tapering dark bands (centre line, start and end width) inside a
    body part: the zebra's stripes."""
    smooth_path(ctx, clip_pts, True, 0.8)
    ctx.save()
    ctx.clip()
    for pts, w0, w1 in bands:
        limb(ctx, pts, w0, w1, OUTLINE, 0)
    ctx.restore()


def across(a, b, t, half, bow=0.0):
    """A line across the axis a-b at fraction t, reaching half each side and
    bowed along the axis by bow (so stripes wrap round a body part)."""
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    d = math.hypot(dx, dy)
    ux, uy = dx / d, dy / d
    nx, ny = -uy, ux
    cx, cy = ax + dx * t, ay + dy * t
    return [(cx - nx * half, cy - ny * half),
            (cx + ux * bow, cy + uy * bow),
            (cx + nx * half, cy + ny * half)]


def zebra(ctx):
    savanna(ctx, ZEBRA_SKY, (0.52, 0.44), 0.24, ('#fff4c0', '#ffb23c'), '#5a1e48', 7.7,
            ('#7a3a14', '#3e180a', '#140604'), ((0.11, 0.75), (0.90, 0.45)), '#3a1608')

    white, grey = rgb('#fbf8f0'), rgb('#d8d2c8')
    with stage(ctx, 110, FEET - 634, 0.92, (560, 634)):
        far = [[(494, 486), (498, 560), (494, 628)], [(694, 470), (706, 544), (698, 628)]]
        near = [[(452, 488), (446, 560), (450, 628)], [(652, 476), (664, 550), (656, 628)]]
        # tail with its black tuft
        stroke_curve(ctx, [(712, 408), (734, 450), (742, 520)], OUTLINE, 10)
        stroke_curve(ctx, [(712, 408), (734, 450), (742, 516)], white, 4)
        blob(ctx, [(734, 500), (752, 502), (756, 548), (738, 552)], OUTLINE, 0)

        def leg(pts, colour):
            limb(ctx, pts, 38, 20, colour)
            x0, y0 = pts[0]
            outline = ([(x - 19 + 9 * k / 2.0, y) for k, (x, y) in enumerate(pts)] +
                       [(x + 19 - 9 * k / 2.0, y) for k, (x, y) in enumerate(pts)][::-1])
            clipped(ctx, outline, [([(x0 - 30, y), (x0 + 30, y + 5)], 9 - (y - y0) / 40.0, 7 - (y - y0) / 40.0)
                                   for y in range(y0 + 26, 612, 17)])
            oval(ctx, pts[-1][0], 630, 17, 9, OUTLINE)

        for pts in far:
            leg(pts, grey)
        body = [(420, 400), (470, 372), (560, 372), (640, 366), (690, 380), (716, 420),
                (712, 466), (680, 500), (600, 504), (500, 506), (436, 490), (410, 450)]
        blob(ctx, body, white, 6)
        bands = []
        for k, x in enumerate(range(452, 636, 24)):
            bands.append(([(x - 6, 350), (x + 4, 410), (x - 2, 468), (x + 6, 512)], 15, 3))
        # on the haunch the stripes sweep back and turn level over the thigh
        for k in range(4):
            bands.append(([(640 + k * 24, 352), (672 + k * 14, 400 + k * 14), (724, 424 + k * 22)],
                          12, 7))
        bands.append(([(620, 500), (660, 474), (730, 492)], 9, 7))
        clipped(ctx, body, bands)
        for pts in near:
            leg(pts, white)
        # neck, thick and arched, its stripes wrapping round it
        neck = [(436, 446), (408, 384), (384, 330), (356, 290), (336, 262), (372, 232),
                (420, 258), (470, 316), (512, 380)]
        blob(ctx, neck, white, 6, 0.9)
        a, b = (492, 400), (356, 246)
        clipped(ctx, neck, [(across(a, b, t, 90, -14), 15, 15) for t in
                            (0.02, 0.17, 0.32, 0.47, 0.62, 0.77, 0.92)])
        # short upright mane along the crest, striped
        crest = [(350, 236), (380, 222), (430, 250), (480, 304), (524, 366), (506, 376),
                 (466, 320), (420, 272), (372, 248)]
        blob(ctx, crest, white, 5, 0.8)
        clipped(ctx, crest, [(across((524, 370), (352, 230), t, 40), 12, 12) for t in
                             (0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.95)])
        # long head angled down to a black muzzle; upright pointed ears
        for ex, tip in ((346, (356, 186)), (328, (326, 190))):
            blob(ctx, [(ex - 12, 236), tip, (ex + 12, 234)], white, 5, 0.6)
        head = [(372, 238), (340, 228), (318, 244), (294, 284), (268, 322), (258, 348),
                (278, 366), (308, 350), (340, 316), (366, 282)]
        blob(ctx, head, white, 6)
        clipped(ctx, head, [(across((356, 236), (264, 352), t, 50, 6), 8, 8) for t in
                            (0.08, 0.22, 0.36, 0.50, 0.62)])
        blob(ctx, [(270, 318), (290, 326), (298, 352), (280, 368), (256, 356), (256, 334)],
             OUTLINE, 0)
        oval(ctx, 268, 340, 4, 3, rgb('#5a5050'))
        oval(ctx, 318, 268, 9, 7, OUTLINE)
        oval(ctx, 316, 266, 2.5, 2.5, white)
    foreground_grass(ctx, 3.1)
    vignette(ctx, 0.45)
