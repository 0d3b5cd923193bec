#!/usr/bin/python3
"""Draws the twelve pictures of the production as savanna posters.

    /usr/bin/python3 tools/art/make_pictures.py [--out DIR] [--sheet FILE.png]

Writes data/*.jpg (512 x 512 colour JPEG, at most 100 KB each) from vector
shapes drawn with Cairo; --sheet also writes a contact sheet of all twelve
squeezed back to 4:3, as the viewer sees them.  Needs python3-cairo and
python3-pil.  The output is deterministic.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image  # noqa: E402

import baobab  # noqa: E402
import cats  # noqa: E402
import festival  # noqa: E402
import grazers  # noqa: E402
import monkey  # noqa: E402
import title  # noqa: E402
import waterside  # noqa: E402
from poster import new_canvas, to_texture  # noqa: E402

# picture index -> file name and drawing function, in the order the
# production's picture table uses
PICTURES = [
    ('lionzor.jpg',   cats.lion),
    ('jagzor.jpg',    cats.cheetah),
    ('girazor.jpg',   grazers.giraffe),
    ('bufzor.jpg',    grazers.buffalo),
    ('elezor.jpg',    grazers.elephant),
    ('flamzor.jpg',   waterside.flamingo),
    ('monkzor.jpg',   monkey.monkey),
    ('croczor.jpg',   waterside.crocodile),
    ('zebrzor2.jpg',  grazers.zebra),
    ('zorke.jpg',     title.title),
    ('puu_small.jpg', baobab.tree),
    ('oho_small.jpg', festival.festive),
]


def contact_sheet(images, path):
    cell_w, cell_h, cols = 320, 240, 4
    rows = (len(images) + cols - 1) // cols
    sheet = Image.new('RGB', (cols * cell_w + (cols + 1) * 8, rows * cell_h + (rows + 1) * 8),
                      (40, 40, 40))
    for i, img in enumerate(images):
        view = img.resize((cell_w, cell_h), Image.LANCZOS)
        sheet.paste(view, (8 + (i % cols) * (cell_w + 8), 8 + (i // cols) * (cell_h + 8)))
    sheet.save(path)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--out', default=os.path.join(root, 'data'))
    ap.add_argument('--sheet', help='also write a 4:3 contact sheet PNG here')
    ap.add_argument('--only', type=int, action='append', help='draw only this picture index')
    args = ap.parse_args()
    if not os.path.isdir(args.out):
        sys.exit('make_pictures: output folder %s does not exist' % args.out)
    images = []
    for index, (name, draw) in enumerate(PICTURES):
        if args.only and index not in args.only:
            continue
        surface, ctx = new_canvas()
        draw(ctx)
        data, img = to_texture(surface)
        with open(os.path.join(args.out, name), 'wb') as f:
            f.write(data)
        images.append(img)
        print('make_pictures: %2d %-14s %6d bytes' % (index, name, len(data)), flush=True)
    if args.sheet:
        contact_sheet(images, args.sheet)
        print('make_pictures: contact sheet %s' % args.sheet)


if __name__ == '__main__':
    main()
