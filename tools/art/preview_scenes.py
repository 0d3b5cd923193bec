#!/usr/bin/python3
"""Shows the pictures and the font roughly as the production frames them.

    /usr/bin/python3 tools/art/preview_scenes.py [--data DIR] OUT.png

Projects the waving sheet (drawn flat here) and the letters through the
production's camera (a -1.33..1.33 x -1..1 frustum at near distance 3,
looking down -z from z = 3) into 640 x 480 frames: the title, the lesson
line, the nine animals with their names, and the greetings; then tiles them
into one PNG.  It is an artist's check of composition and legibility, not a
renderer: there is no wave, no rocking and no triangle swarm.  Needs python3-pil.
"""
import argparse
import os
import sys

from PIL import Image

SW, SH = 640, 480
ATLAS = 'abcdefghijklmnopqrstuvwxyz0123456789'
ANIMALS = [('simba', 2, 1.5), ('duma', -1, -1.5), ('twiga', -1, -1.5), ('nyati', -1, 1.5),
           ('ndovu', 2, 1.5), ('heroe', 2, -1.5), ('nyani', 2, -1.5), ('mamba', 2, 1.5),
           ('punda milia', -0.5, -1.5)]


def project(x, y, z):
    return ((3 * x / -z / 1.33 + 1) * SW / 2, (1 - 3 * y / -z) * SH / 2)


def paste_quad(frame, img, x0, y0, x1, y1, z, mask=None):
    """Paste img over the eye-space rectangle (x0, y0)-(x1, y1) at depth z."""
    ax, ay = project(x0, y1, z)
    bx, by = project(x1, y0, z)
    w, h = int(round(bx - ax)), int(round(by - ay))
    if w <= 0 or h <= 0:
        return
    img = img.resize((w, h), Image.LANCZOS)
    frame.paste(img, (int(round(ax)), int(round(ay))),
                mask.resize((w, h), Image.LANCZOS) if mask else None)


def sheet(frame, pic, dx=0.0, dy=0.0, z=-4.0, scale=1.0):
    paste_quad(frame, pic, dx - 2.25 * scale, dy - 1.75 * scale,
               dx + 2.25 * scale, dy + 1.75 * scale, z)


def glyphs(font):
    """Each character's sampled window, as the drawing code takes it, with
    the font's alpha rule applied (cube of R+G+B, full from 180)."""
    size = font.size[0]
    tall = Image.new('RGB', (size, size * 2))
    tall.paste(font, (0, 0))
    tall.paste(font, (0, size))         # the wrap of the bottom row
    lut = [min(240, s ** 3 // 24300) if s <= 180 else 240 for s in range(766)]
    cells = {}
    for n, ch in enumerate(ATLAS):
        col, row = n % 6, n // 6
        left = int(round(col * size / 6.0))
        top = int(round((row / 6.0 + 0.01) * size))
        win = tall.crop((left, top, left + size // 6, top + size // 6))
        r, g, b = win.split()
        alpha = Image.new('L', win.size)
        alpha.putdata([lut[sum(p)] for p in win.getdata()])
        cells[ch] = (win, alpha)
    return cells


def text(frame, cells, s, cx, cy, z, size):
    n = len(s)
    for i, ch in enumerate(s):
        if ch == ' ':
            continue
        x = cx + size * (0.4 * i - 0.2 * (n - 1))
        win, alpha = cells[ch]
        paste_quad(frame, win, x - size / 2, cy - size / 2, x + size / 2, cy + size / 2, z,
                   alpha)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--data', default=os.path.join(root, 'data'))
    ap.add_argument('out')
    args = ap.parse_args()
    names = ['lionzor', 'jagzor', 'girazor', 'bufzor', 'elezor', 'flamzor', 'monkzor',
             'croczor', 'zebrzor2', 'zorke', 'puu_small', 'oho_small']
    try:
        pics = [Image.open(os.path.join(args.data, n + '.jpg')).convert('RGB') for n in names]
        font = Image.open(os.path.join(args.data, 'fontsor2smuut.jpg')).convert('RGB')
    except OSError as e:
        sys.exit('preview_scenes: %s' % e)
    cells = glyphs(font)
    frames = []

    f = Image.new('RGB', (SW, SH))
    sheet(f, pics[9])
    text(f, cells, 'zorvandu', 0, 0.5, -6, 1)
    text(f, cells, 'kelemba', 0, -0.5, -6, 1)
    frames.append(f)

    f = Image.new('RGB', (SW, SH))
    sheet(f, pics[10])
    text(f, cells, 'let us speak swahili', 0.1, -1.32, -7, 1)
    frames.append(f)

    for w, (word, wx, wy) in enumerate(ANIMALS):
        f = Image.new('RGB', (SW, SH))
        sheet(f, pics[10 if w == 0 else w - 1], 0, -0.15)
        sheet(f, pics[w], 0, -0.15, -3.91, 0.9)
        text(f, cells, word, 0.5 * wx, 0.5 * wy, -3.5, 0.5)
        frames.append(f)

    f = Image.new('RGB', (SW, SH))
    sheet(f, pics[11])
    text(f, cells, 'hakuna matata', -0.9, 1.8, -7, 0.8)
    text(f, cells, 'greetings', 1.0, -0.5, -7, 0.9)
    frames.append(f)

    cols = 4
    rows = (len(frames) + cols - 1) // cols
    tile = Image.new('RGB', (cols * SW // 2, rows * SH // 2), (40, 40, 40))
    for i, f in enumerate(frames):
        tile.paste(f.resize((SW // 2, SH // 2), Image.LANCZOS),
                   ((i % cols) * SW // 2, (i // cols) * SH // 2))
    tile.save(args.out)
    for i, f in enumerate(frames):
        f.save(args.out.replace('.png', '_%02d.png' % i))
    print('preview_scenes: %s' % args.out)


if __name__ == '__main__':
    main()
