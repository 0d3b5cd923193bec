"""Picture 6: a monkey sitting on an acacia branch, its long tail hanging
in a curl: round ears, pale face and big eyes read even while the sheet
waves."""
import math

from poster import (H, W, HORIZON, OUTLINE, INK, acacia, blob, ellipse, foreground_grass,
                    grass, ground, hills, limb, oval, rgb, sky, stroke_curve, sun, vignette)

MONKEY_SKY = [(0.00, '#0a1a40'), (0.35, '#1f4a6a'), (0.62, '#a05a50'),
              (0.85, '#f09a3a'), (1.00, '#ffd870')]


def monkey(ctx):
    sky(ctx, MONKEY_SKY)
    sun(ctx, 0.62 * W, 0.42 * H, 0.22 * H, inner='#fff6c8', outer='#ffc048')
    hills(ctx, 10.2, '#2a3040')
    ground(ctx, '#8a6a20', '#4a3a10', '#161006')
    acacia(ctx, 0.87 * W, HORIZON + 6, 0.45)
    grass(ctx, HORIZON + 12, HORIZON + 40, 9, 12, rgb('#2a2208'), 5.0)

    bark = INK
    # a great branch reaching in from the left, with leaf clusters
    limb(ctx, [(-40, 470), (200, 430), (480, 400), (760, 360), (880, 330)], 70, 24, bark, 0)
    limb(ctx, [(300, 422), (360, 340), (430, 280)], 26, 10, bark, 0)
    for cx, cy, rx, ry in ((-10, 250, 150, 40), (130, 210, 120, 34), (440, 270, 90, 24),
                           (830, 300, 110, 28), (900, 260, 80, 22)):
        ellipse(ctx, cx, cy, rx, ry)
        ctx.set_source_rgb(*bark)
        ctx.fill()
    ctx.set_line_width(5)
    for x in (30, 140, 240):
        ctx.move_to(x, 462 - x * 0.12)
        ctx.line_to(x + 30, 240)
        ctx.stroke()

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
    # the branch it holds
    limb(ctx, [(bx - 60, by - 290), (bx + 100, by - 272), (bx + 260, by - 300)], 20, 12, bark, 0)
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
