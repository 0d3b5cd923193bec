"""Picture 6: a monkey sitting on an acacia branch, its long tail hanging
in a curl: round ears, pale face and big eyes read even while the sheet
waves."""
from poster import (INK, OUTLINE, blob, ellipse, foreground_grass, limb, oval, rgb, savanna,
                    stroke_curve, vignette)

MONKEY_SKY = [(0.00, '#0a1a40'), (0.35, '#1f4a6a'), (0.62, '#a05a50'),
              (0.85, '#f09a3a'), (1.00, '#ffd870')]


def monkey(ctx):
    savanna(ctx, MONKEY_SKY, (0.62, 0.40), 0.22, ('#fff6c8', '#ffc048'), '#2a3040', 10.2,
            ('#5a4414', '#2e220a', '#100c04'), ((0.87, 0.45),), '#2a2208')

    bark = INK
    # an acacia on the left: its trunk, the long low limb the monkey sits
    # on, and limbs rising to a flat crown across the top of the sky
    limb(ctx, [(150, 640), (170, 520), (190, 430)], 70, 50, bark, 0)
    limb(ctx, [(180, 440), (400, 408), (620, 388), (820, 362), (900, 340)], 52, 16, bark, 0)
    for pts, w0 in (([(190, 440), (160, 300), (120, 150)], 34),
                    ([(200, 430), (280, 290), (380, 150)], 30),
                    ([(300, 414), (420, 280), (560, 140)], 20)):
        limb(ctx, pts, w0, 10, bark, 0)
    # a drooping twig for the monkey's raised hand
    limb(ctx, [(560, 140), (620, 120), (700, 150), (760, 170)], 16, 8, bark, 0)
    for cx, cy, rx, ry in ((40, 128, 190, 34), (260, 110, 200, 30), (470, 118, 150, 28),
                           (150, 150, 140, 20), (380, 144, 130, 18), (880, 322, 80, 20),
                           (800, 340, 60, 14)):
        ellipse(ctx, cx, cy, rx, ry)
        ctx.set_source_rgb(*bark)
        ctx.fill()

    fur, fur_dark, face = rgb('#b07030'), rgb('#7a4a1e'), rgb('#f2cf9a')
    bx, by = 540, 392            # where it sits on the branch
    # long tail hanging down in a curl
    tail = [(bx + 40, by - 10), (bx + 80, by + 40), (bx + 90, by + 130), (bx + 70, by + 200),
            (bx + 30, by + 220), (bx + 10, by + 196), (bx + 30, by + 176)]
    stroke_curve(ctx, tail, OUTLINE, 22)
    stroke_curve(ctx, tail, fur, 13)
    # legs dangling over the branch
    limb(ctx, [(bx - 30, by - 20), (bx - 50, by + 40), (bx - 40, by + 90)], 40, 26, fur_dark)
    limb(ctx, [(bx + 20, by - 20), (bx + 20, by + 46), (bx + 34, by + 96)], 40, 26, fur)
    oval(ctx, bx - 44, by + 96, 20, 11, face, 4)
    oval(ctx, bx + 40, by + 102, 20, 11, face, 4)
    # body: sitting upright, pear-shaped
    body = [(bx - 60, by - 10), (bx - 70, by - 90), (bx - 40, by - 150), (bx + 10, by - 160),
            (bx + 50, by - 120), (bx + 60, by - 40), (bx + 40, by + 4), (bx - 20, by + 8)]
    blob(ctx, body, fur, 6)
    blob(ctx, [(bx - 30, by - 20), (bx - 40, by - 90), (bx, by - 110), (bx + 30, by - 70),
               (bx + 20, by - 10)], rgb('#d8a468'), 0)
    # one arm up holding the branch above, one resting on the knee
    limb(ctx, [(bx + 30, by - 130), (bx + 80, by - 200), (bx + 100, by - 260)], 34, 24, fur)
    oval(ctx, bx + 102, by - 268, 18, 16, face, 4)
    limb(ctx, [(bx - 50, by - 120), (bx - 90, by - 60), (bx - 50, by - 20)], 32, 24, fur)
    oval(ctx, bx - 44, by - 20, 16, 13, face, 4)
    # head: round, with big ears, heart-shaped pale face, big eyes
    hx, hy = bx - 10, by - 200
    oval(ctx, hx - 70, hy + 4, 26, 30, fur, 6)
    oval(ctx, hx + 70, hy + 4, 26, 30, fur, 6)
    oval(ctx, hx - 70, hy + 4, 13, 17, face)
    oval(ctx, hx + 70, hy + 4, 13, 17, face)
    oval(ctx, hx, hy, 70, 66, fur, 6)
    blob(ctx, [(hx - 50, hy - 30), (hx - 20, hy - 42), (hx, hy - 26), (hx + 20, hy - 42),
               (hx + 50, hy - 30), (hx + 52, hy + 10), (hx + 34, hy + 50), (hx, hy + 60),
               (hx - 34, hy + 50), (hx - 52, hy + 10)], face, 0)
    for sx in (-1, 1):
        oval(ctx, hx + sx * 22, hy - 10, 13, 15, rgb('#fffaf0'), 4)
        oval(ctx, hx + sx * 22, hy - 8, 7, 9, OUTLINE)
        oval(ctx, hx + sx * 20, hy - 12, 2.5, 2.5, rgb('#ffffff'))
    oval(ctx, hx - 7, hy + 20, 4, 3, OUTLINE)
    oval(ctx, hx + 7, hy + 20, 4, 3, OUTLINE)
    stroke_curve(ctx, [(hx - 22, hy + 34), (hx, hy + 44), (hx + 22, hy + 34)], OUTLINE, 5)
    foreground_grass(ctx, 5.5)
    vignette(ctx, 0.45)
