#!/usr/bin/python3
"""Renders the production's font picture, data/fontsor2smuut.jpg.

    /usr/bin/python3 tools/art/make_font.py [--font FILE] [--out FILE]

A 512 x 512 colour JPEG holding a 6 x 6 grid of glyphs in the atlas order
(a-f, g-l, m-r, s-x, y z 0-3, 4-9), warm gold-to-orange on pure black: the
production turns dark pixels transparent (alpha rises with the cube of
R+G+B and is full from 180 up), so the glyphs carry no dark outline and
every pixel inside a stroke stays far above that threshold.

The letters are the capitals of Roboto Slab Bold (Debian package
fonts-roboto-slab, Apache-2.0), rendered with FreeType through Pillow.
Drawing places letters 0.4 of a cell apart and samples each cell shifted
down by 1% of the picture, so every glyph is at most 0.42 of a cell wide,
centred in its cell, and kept off the cell's top 19% and bottom 9%.
Needs the Debian packages python3-pil and fonts-roboto-slab.
"""
import argparse
import io
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ATLAS = ['abcdef', 'ghijkl', 'mnopqr', 'stuvwx', 'yz0123', '456789']
SIZE = 512
CELL = SIZE / 6.0
MAX_W = 0.42 * CELL          # letters are spaced 0.4 cell apart
BOX_TOP = 0.19 * CELL        # clear of the 1% sampling shift and its filtering
BOX_BOTTOM = 0.91 * CELL     # clear of the cell's bottom edge; centred in the sampled window
SUPER = 8                    # supersampling factor for smooth edges
DEFAULT_FONT = '/usr/share/fonts/opentype/roboto/slab/RobotoSlab-Bold.otf'

# fill from the top of a glyph to its bottom: a pale highlight, gold, orange
GRADIENT = [(0.00, (255, 248, 200)), (0.22, (255, 224, 110)), (0.55, (255, 176, 40)),
            (1.00, (245, 104, 24))]


def gradient_column(height):
    col = Image.new('RGB', (1, height))
    px = col.load()
    for y in range(height):
        t = y / max(height - 1, 1)
        for (t0, c0), (t1, c1) in zip(GRADIENT, GRADIENT[1:]):
            if t0 <= t <= t1:
                u = (t - t0) / (t1 - t0)
                px[0, y] = tuple(int(round(a + (b - a) * u)) for a, b in zip(c0, c1))
                break
    return col


def glyph_mask(font, ch):
    """The glyph as a tight, supersampled coverage mask."""
    probe = Image.new('L', (font.size * 3, font.size * 3), 0)
    ImageDraw.Draw(probe).text((font.size, font.size), ch, fill=255, font=font)
    box = probe.getbbox()
    if box is None:
        sys.exit('make_font: the font has no visible glyph for %r' % ch)
    return probe.crop(box)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--font', default=DEFAULT_FONT)
    ap.add_argument('--out', default=os.path.join(root, 'data', 'fontsor2smuut.jpg'))
    args = ap.parse_args()
    if not os.path.isfile(args.font):
        sys.exit('make_font: font file %s not found (install fonts-roboto-slab)' % args.font)

    box_h = BOX_BOTTOM - BOX_TOP
    font = ImageFont.truetype(args.font, int(box_h * SUPER * 1.45))
    # one scale for all glyphs, set by the capital height, so letters line up
    cap_h = glyph_mask(font, 'H').size[1]
    scale = box_h * SUPER / cap_h
    atlas = Image.new('RGB', (SIZE, SIZE), (0, 0, 0))
    for row, chars in enumerate(ATLAS):
        for col, ch in enumerate(chars):
            mask = glyph_mask(font, ch.upper())
            w = mask.size[0] * scale / SUPER
            h = mask.size[1] * scale / SUPER
            if w > MAX_W:            # wide letters (M, W) are narrowed, not shrunk
                w = MAX_W
            h = min(h, box_h)
            tw, th = max(1, int(round(w))), max(1, int(round(h)))
            small = mask.resize((tw, th), Image.LANCZOS)
            fill = gradient_column(th).resize((tw, th))
            x = int(round(col * CELL + (CELL - tw) / 2.0))
            y = int(round(row * CELL + BOX_TOP + (box_h - th) / 2.0))
            atlas.paste(fill, (x, y), small)
        print('make_font: row %d %s' % (row, chars), flush=True)
    buf = io.BytesIO()
    atlas.save(buf, 'JPEG', quality=95, subsampling=0, optimize=True)
    if buf.tell() > 100 * 1024:
        sys.exit('make_font: atlas is %d bytes, over the 100 KB budget' % buf.tell())
    with open(args.out, 'wb') as f:
        f.write(buf.getvalue())
    print('make_font: %s %d bytes' % (args.out, buf.tell()))


if __name__ == '__main__':
    main()
