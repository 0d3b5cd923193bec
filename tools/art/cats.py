"""The two cats: 0 the lion (mane, tufted tail) and 1 the cheetah (spots,
tear lines, slender running body)."""
import math

from poster import (H, W, HORIZON, blob, ellipse, fill_outline, foreground_grass,
                    grass, landscape, limb, oval, poly, rgb, smooth_path, stroke_curve,
                    sky, sun, hills, ground, acacia, vignette, INK, OUTLINE)

LION_SKY = [(0.00, '#0b0f3a'), (0.35, '#35196a'), (0.62, '#8e2560'),
            (0.85, '#d8452a'), (1.00, '#f08a2a')]


def lion(ctx):
    sky(ctx, LION_SKY)
    sun(ctx, 0.36 * W, 0.50 * H, 0.25 * H, inner='#fff4b0', outer='#ffc23d')
    hills(ctx, 2.0, '#4a1640')
    ground(ctx, '#9a4418', '#5a220c', '#1e0906')
    acacia(ctx, 0.84 * W, HORIZON + 6, 0.75)
    acacia(ctx, 0.10 * W, HORIZON + 4, 0.45)
    grass(ctx, HORIZON + 14, HORIZON + 40, 10, 14, rgb('#3a1208'), 0.3)

    coat, shade, mane_dark, mane_mid = rgb('#e6a640'), rgb('#b8742a'), rgb('#5e1c0a'), rgb('#9c3612')
    # far legs first, a shade darker
    limb(ctx, [(470, 490), (478, 560), (474, 628)], 40, 30, shade)
    limb(ctx, [(700, 480), (712, 560), (704, 628)], 52, 30, shade)
    # tail with its dark tuft
    stroke_curve(ctx, [(730, 440), (790, 470), (805, 540), (840, 575)], OUTLINE, 17)
    stroke_curve(ctx, [(730, 440), (790, 470), (805, 540), (840, 575)], coat, 10)
    blob(ctx, [(828, 560), (858, 566), (866, 596), (840, 600), (826, 585)], mane_dark, 4)
    # body
    blob(ctx, [(400, 420), (470, 392), (600, 385), (690, 392), (738, 425), (746, 478),
               (722, 528), (640, 532), (540, 536), (440, 530), (396, 488)], coat, 6)
    blob(ctx, [(470, 510), (560, 520), (650, 515), (640, 530), (540, 534), (460, 528)], shade, 0)
    # near legs
    limb(ctx, [(420, 480), (424, 560), (418, 630)], 50, 34, coat)
    limb(ctx, [(655, 470), (668, 560), (660, 630)], 62, 34, coat)
    for px in (412, 654, 470, 700):
        oval(ctx, px - 4, 630, 26, 12, coat if px in (412, 654) else shade, 5)
    # mane: two rings of flame-shaped locks around the head
    cx, cy = 362, 412
    for ring, (r_out, r_in, col) in enumerate(((128, 92, mane_dark), (104, 70, mane_mid))):
        pts = []
        n = 22
        for i in range(2 * n):
            a = math.pi * i / n + ring * 0.15
            r = r_out if i % 2 == 0 else r_in
            pts.append((cx + 1.05 * r * math.cos(a), cy + 0.95 * r * math.sin(a)))
        blob(ctx, pts, col, 5 if ring == 0 else 0, 0.5)
    # ears
    oval(ctx, 372, 342, 18, 16, coat, 5)
    oval(ctx, 372, 344, 9, 8, shade)
    # face, looking left
    face = [(392, 380), (360, 352), (322, 358), (298, 382), (282, 410), (274, 436),
            (282, 462), (306, 480), (342, 480), (372, 464), (394, 430)]
    blob(ctx, face, coat, 6)
    blob(ctx, [(278, 432), (300, 420), (330, 432), (340, 462), (316, 478), (288, 468)],
         rgb('#f6dca0'), 0)
    poly(ctx, [(272, 424), (292, 420), (290, 440), (276, 440)], rgb('#3a1308'))
    stroke_curve(ctx, [(282, 442), (290, 456), (308, 460)], OUTLINE, 4)
    # eye and brow
    oval(ctx, 318, 398, 11, 6, rgb('#f7e27a'), 3, -0.3)
    oval(ctx, 316, 398, 4, 4, OUTLINE)
    stroke_curve(ctx, [(300, 386), (318, 384), (336, 392)], OUTLINE, 5)
    for wy in (446, 454):
        oval(ctx, 305, wy, 3, 3, OUTLINE)
    foreground_grass(ctx, 0.2)
    vignette(ctx, 0.45)


CHEETAH_SKY = [(0.00, '#070d35'), (0.40, '#1d2a78'), (0.70, '#6a3a92'),
               (0.88, '#e0673a'), (1.00, '#ffb54a')]


def cheetah(ctx):
    sky(ctx, CHEETAH_SKY)
    sun(ctx, 0.70 * W, 0.56 * H, 0.17 * H, inner='#fff0c0', outer='#ff9a40')
    hills(ctx, 3.1, '#2e1850')
    ground(ctx, '#8a5a1a', '#4a2a0c', '#160a05')
    acacia(ctx, 0.15 * W, HORIZON + 6, 0.8)
    grass(ctx, HORIZON + 12, HORIZON + 40, 9, 12, rgb('#2a1606'), 1.1)

    coat, shade, belly = rgb('#f2b93a'), rgb('#c88a22'), rgb('#fbe6b0')
    # galloping: front legs reach forward, hind legs push back
    limb(ctx, [(380, 440), (330, 470), (280, 478)], 30, 18, shade)
    limb(ctx, [(640, 430), (700, 470), (760, 500)], 42, 18, shade)
    # tail, long with dark rings and white tip
    tail = [(700, 395), (770, 395), (830, 410), (875, 450)]
    stroke_curve(ctx, tail, OUTLINE, 20)
    stroke_curve(ctx, tail, coat, 12)
    for tx, ty in ((800, 400), (830, 411), (852, 425), (868, 440)):
        oval(ctx, tx, ty, 5, 7, OUTLINE)
    oval(ctx, 876, 452, 8, 8, rgb('#fbf2dc'), 4)
    # long slender body with deep chest and tucked waist
    body = [(370, 400), (430, 372), (540, 370), (640, 372), (705, 392), (712, 430),
            (680, 458), (600, 452), (520, 462), (440, 470), (385, 455)]
    blob(ctx, body, coat, 6)
    blob(ctx, [(420, 460), (520, 452), (600, 446), (600, 454), (520, 462), (440, 470)], belly, 0)
    # near legs
    limb(ctx, [(410, 440), (360, 492), (300, 510)], 34, 18, coat)
    limb(ctx, [(660, 420), (690, 490), (650, 548)], 46, 18, coat)
    oval(ctx, 294, 512, 16, 9, coat, 4)
    oval(ctx, 648, 552, 16, 9, coat, 4)
    oval(ctx, 276, 480, 14, 8, shade, 4)
    oval(ctx, 762, 502, 14, 8, shade, 4)
    # spots: a fixed scatter clipped to the body
    smooth_path(ctx, body)
    ctx.save()
    ctx.clip()
    ctx.set_source_rgb(*OUTLINE)
    for i in range(120):
        x = 380 + (i * 97) % 330
        y = 372 + (i * 53) % 90
        r = 5.5 + (i * 7) % 4
        ellipse(ctx, x, y, r, r * 0.9)
        ctx.fill()
    ctx.restore()
    for lx, ly in ((360, 480), (330, 500), (680, 470), (670, 510), (690, 450)):
        oval(ctx, lx, ly, 5, 5, OUTLINE)
    # small round head on a strong neck, reaching forward
    blob(ctx, [(378, 404), (350, 372), (316, 352), (300, 372), (326, 420), (370, 440)], coat, 6)
    head = [(320, 336), (290, 326), (262, 334), (246, 356), (250, 380), (272, 392),
            (304, 390), (328, 370)]
    blob(ctx, head, coat, 6)
    oval(ctx, 310, 322, 11, 10, coat, 5)
    oval(ctx, 285, 318, 10, 9, coat, 5)
    blob(ctx, [(246, 362), (262, 360), (276, 376), (268, 392), (250, 384)], belly, 0)
    oval(ctx, 250, 360, 7, 5, OUTLINE)
    oval(ctx, 282, 350, 8, 5, rgb('#f7d060'), 3, -0.2)
    oval(ctx, 280, 350, 3.5, 3.5, OUTLINE)
    # the tear line from eye to mouth, the cheetah's mark
    stroke_curve(ctx, [(276, 354), (266, 370), (258, 386)], OUTLINE, 5)
    for sx, sy in ((300, 340), (312, 360), (296, 372)):
        oval(ctx, sx, sy, 4, 4, OUTLINE)
    foreground_grass(ctx, 0.7)
    vignette(ctx, 0.45)
