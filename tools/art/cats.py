"""The two cats: 0 the lion (mane, tufted tail) and 1 the cheetah (spots,
tear lines, long legs and a long ringed tail)."""
import math
import random

from poster import (FEET, OUTLINE, blob, ellipse, foreground_grass, limb, oval, poly, rgb,
                    savanna, smooth_path, stage, stroke_curve, vignette)

LION_SKY = [(0.00, '#0b0f3a'), (0.35, '#35196a'), (0.62, '#8e2560'),
            (0.85, '#d8452a'), (1.00, '#f08a2a')]


def mane(ctx, cx, cy, r_in, r_out, locks, colour, seed, swirl=0.35):
    """A ring of flame-shaped locks: each a curved teardrop from radius r_in
    out to a tip near r_out, bent back towards the shoulders by up to swirl
    (radians), so the mane flows away from the face rather than spinning."""
    rnd = random.Random(seed)
    step = 2 * math.pi / locks
    for i in range(locks):
        a = i * step + rnd.uniform(-0.1, 0.1)
        reach = r_out * rnd.uniform(0.88, 1.08)
        bend = -swirl * math.sin(a) * rnd.uniform(0.7, 1.2)
        half = step * 0.85

        def at(r, ang):
            return (cx + r * math.cos(ang), cy + 0.96 * r * math.sin(ang))
        pts = [at(r_in, a - half),
               at((r_in + reach) * 0.5, a - half * 0.55 + bend * 0.4),
               at(reach, a + bend),
               at((r_in + reach) * 0.55, a + half * 0.7 + bend * 0.5),
               at(r_in, a + half)]
        blob(ctx, pts, colour, 4, 0.9)


def lion(ctx):
    savanna(ctx, LION_SKY, (0.36, 0.46), 0.25, ('#fff4b0', '#ffc23d'), '#4a1640', 2.0,
            ('#7a3414', '#3e160a', '#140604'), ((0.86, 0.75), (0.09, 0.45)), '#3a1208')

    coat, shade, light = rgb('#eaa844'), rgb('#b8742a'), rgb('#f8dca0')
    mane_dark, mane_mid = rgb('#6a200c'), rgb('#a83c14')
    with stage(ctx, 0, FEET - 640, 0.95, (560, 640)):
        # far legs first, a shade darker
        limb(ctx, [(470, 490), (480, 570), (476, 628)], 42, 30, shade)
        limb(ctx, [(700, 470), (716, 540), (706, 628)], 60, 30, shade)
        oval(ctx, 470, 630, 26, 12, shade, 5)
        oval(ctx, 700, 630, 26, 12, shade, 5)
        # tail with its dark tuft
        tail = [(736, 430), (790, 460), (806, 530), (842, 566)]
        stroke_curve(ctx, tail, OUTLINE, 18)
        stroke_curve(ctx, tail, coat, 10)
        blob(ctx, [(826, 552), (858, 556), (870, 590), (842, 600), (824, 580)], mane_dark, 4)
        # near legs, with big paws
        limb(ctx, [(424, 470), (430, 560), (424, 626)], 56, 36, coat)
        limb(ctx, [(652, 450), (670, 540), (660, 626)], 72, 36, coat)
        # body: deep chest, straight back, round haunch
        blob(ctx, [(410, 420), (470, 392), (600, 388), (690, 392), (740, 420), (750, 478),
                   (724, 528), (640, 534), (540, 530), (440, 528), (400, 480)], coat, 6)
        blob(ctx, [(470, 508), (560, 516), (650, 512), (640, 530), (540, 530), (460, 526)],
             shade, 0)
        oval(ctx, 414, 630, 30, 13, coat, 5)
        oval(ctx, 652, 630, 30, 13, coat, 5)
        for px in (414, 652):
            for k in (-10, 4):
                stroke_curve(ctx, [(px + k, 622), (px + k, 636)], OUTLINE, 3)
        # mane: dark outer locks, lighter inner ones, falling onto the chest
        cx, cy = 364, 420
        # the mane falls over the shoulders and the chest
        blob(ctx, [(330, 340), (430, 318), (486, 372), (496, 450), (468, 528), (410, 548),
                   (340, 526)], mane_dark, 5)
        for k, (lx, ly) in enumerate(((480, 400), (486, 440), (474, 484), (446, 520),
                                      (404, 536))):
            blob(ctx, [(lx - 30, ly - 16), (lx + 20, ly + 6 + k * 3), (lx - 24, ly + 18)],
                 mane_mid, 3)
        oval(ctx, cx, cy, 112, 108, mane_dark, 5)
        mane(ctx, cx, cy, 96, 136, 22, mane_dark, 3, 0.45)
        mane(ctx, cx, cy, 80, 116, 18, mane_mid, 4, 0.5)
        mane(ctx, cx, cy, 64, 96, 15, rgb('#c4561c'), 5, 0.55)
        oval(ctx, cx + 2, cy - 2, 78, 76, rgb('#c4561c'), 0)
        # round ears on top of the head
        for ex in (340, 396):
            oval(ctx, ex, 348, 19, 17, coat, 5)
            oval(ctx, ex, 350, 9, 8, shade)
        # face, looking left: broad muzzle, dark nose
        face = [(396, 376), (368, 352), (330, 352), (302, 372), (286, 404), (276, 436),
                (284, 464), (310, 484), (346, 484), (376, 468), (398, 430)]
        blob(ctx, face, coat, 6)
        blob(ctx, [(280, 436), (302, 420), (334, 434), (342, 462), (318, 480), (290, 470)],
             light, 0)
        poly(ctx, [(274, 422), (296, 418), (292, 440), (278, 442)], rgb('#3a1308'))
        stroke_curve(ctx, [(284, 444), (292, 458), (312, 462)], OUTLINE, 4)
        oval(ctx, 322, 400, 12, 7, rgb('#f7e27a'), 3, -0.3)
        oval(ctx, 320, 400, 4.5, 4.5, OUTLINE)
        stroke_curve(ctx, [(302, 386), (322, 383), (342, 392)], OUTLINE, 5)
        for wy in (448, 456):
            oval(ctx, 306, wy, 3, 3, OUTLINE)
    foreground_grass(ctx, 0.2)
    vignette(ctx, 0.45)


CHEETAH_SKY = [(0.00, '#070d35'), (0.40, '#1d2a78'), (0.70, '#6a3a92'),
               (0.88, '#e0673a'), (1.00, '#ffb54a')]


def spots(ctx, clip_pts, box, count, seed, r0=5.0, r1=8.5):
    """Solid black spots scattered over a body part."""
    rnd = random.Random(seed)
    x0, y0, x1, y1 = box
    smooth_path(ctx, clip_pts, True, 0.8)
    ctx.save()
    ctx.clip()
    ctx.set_source_rgb(*OUTLINE)
    placed = []
    tries = 0
    while len(placed) < count and tries < count * 40:
        tries += 1
        x, y, r = rnd.uniform(x0, x1), rnd.uniform(y0, y1), rnd.uniform(r0, r1)
        if any((x - a) ** 2 + (y - b) ** 2 < (r + c + 6) ** 2 for a, b, c in placed):
            continue
        placed.append((x, y, r))
        ellipse(ctx, x, y, r, r * rnd.uniform(0.8, 1.0), rnd.uniform(0, 3))
        ctx.fill()
    ctx.restore()


def cheetah(ctx):
    savanna(ctx, CHEETAH_SKY, (0.72, 0.52), 0.17, ('#fff0c0', '#ff9a40'), '#2e1850', 3.1,
            ('#6a4414', '#34200a', '#120804'), ((0.14, 0.8),), '#2a1606')

    coat, shade, belly = rgb('#f2b93a'), rgb('#c88a22'), rgb('#fbe6b0')
    # drawn 30 units low, so the legs (which end at 606) are not stilts
    with stage(ctx, -25, FEET - 640 + 30, 1.02, (540, 640)):
        # legs with their joints: the wrist of the forelegs, the knee and
        # backward hock of the hind legs
        far_front = [(456, 450), (464, 526), (456, 580), (452, 606)]
        far_hind = [(676, 436), (660, 499), (708, 546), (696, 606)]
        near_front = [(414, 452), (418, 526), (404, 576), (398, 606)]
        near_hind = [(650, 440), (632, 501), (680, 550), (666, 606)]
        limb(ctx, far_front, 30, 18, shade)
        limb(ctx, far_hind, 44, 18, shade)
        # tail: long, hanging low and curling up at the end, ringed, white tip
        tail = [(712, 402), (752, 440), (780, 510), (800, 566), (834, 590), (858, 570)]
        stroke_curve(ctx, tail, OUTLINE, 22)
        stroke_curve(ctx, tail, coat, 13)
        for tx, ty in ((796, 556), (812, 578), (830, 590), (846, 585)):
            oval(ctx, tx, ty, 7, 7, OUTLINE)
        oval(ctx, 860, 566, 9, 9, rgb('#fbf2dc'), 4)
        limb(ctx, near_front, 34, 20, coat)
        limb(ctx, near_hind, 50, 20, coat)
        # neck rising to a small round head, alert, looking left
        neck = [(420, 392), (384, 356), (350, 320), (330, 338), (346, 400), (384, 446)]
        blob(ctx, neck, coat, 6)
        # slender body: deep chest, tucked waist, high hips
        body = [(380, 408), (420, 382), (540, 390), (640, 380), (700, 384), (722, 412),
                (706, 454), (660, 460), (600, 444), (520, 452), (440, 474), (392, 456)]
        blob(ctx, body, coat, 6)
        blob(ctx, [(420, 462), (520, 446), (600, 438), (596, 446), (520, 456), (440, 474)],
             belly, 0)
        for leg in (near_front, near_hind):
            oval(ctx, leg[-1][0] - 6, 608, 18, 9, coat, 4)
        for leg in (far_front, far_hind):
            oval(ctx, leg[-1][0] - 6, 608, 16, 8, shade, 4)
        spots(ctx, body, (380, 380, 722, 462), 70, 11)
        spots(ctx, [(p[0] - 16, p[1]) for p in near_front] + [(p[0] + 16, p[1]) for p in near_front[::-1]],
              (380, 450, 430, 596), 8, 12, 3.5, 5.5)
        spots(ctx, [(p[0] - 22, p[1]) for p in near_hind] + [(p[0] + 22, p[1]) for p in near_hind[::-1]],
              (620, 440, 700, 596), 10, 13, 3.5, 6)
        spots(ctx, neck, (330, 320, 400, 400), 8, 14, 4, 6)
        head = [(356, 300), (330, 284), (296, 286), (270, 302), (258, 326), (266, 346),
                (290, 354), (324, 350), (352, 332)]
        blob(ctx, head, coat, 6)
        for ex in (326, 346):
            oval(ctx, ex, 288, 12, 11, coat, 5)
            oval(ctx, ex, 290, 5, 5, OUTLINE)
        blob(ctx, [(258, 326), (276, 320), (294, 340), (284, 354), (264, 348)], belly, 0)
        oval(ctx, 262, 326, 8, 6, OUTLINE)
        oval(ctx, 296, 312, 9, 6, rgb('#f7d060'), 3, -0.2)
        oval(ctx, 294, 312, 3.5, 3.5, OUTLINE)
        # the black tear line from the eye to the mouth, the cheetah's mark
        stroke_curve(ctx, [(288, 316), (278, 334), (272, 352)], OUTLINE, 6)
        stroke_curve(ctx, [(264, 350), (280, 352)], OUTLINE, 3)
        for sx, sy in ((316, 296), (326, 318), (312, 334), (336, 334)):
            oval(ctx, sx, sy, 4, 4, OUTLINE)
    foreground_grass(ctx, 0.7)
    vignette(ctx, 0.45)
