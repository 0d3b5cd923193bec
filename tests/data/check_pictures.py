#!/usr/bin/env python3
"""Checks the pictures the production loads from data/.

The texture loader hands every decoded row to OpenGL as width x 3 bytes and
OpenGL 1.1 needs power-of-two sides, so each file must be a baseline JPEG
with three 8-bit components and power-of-two width and height.  The size
budget keeps the repository and the start-up light.

    check_pictures.py DATA_DIR
"""
import os
import struct
import sys

FILES = ['lionzor.jpg', 'jagzor.jpg', 'girazor.jpg', 'bufzor.jpg', 'elezor.jpg',
         'flamzor.jpg', 'monkzor.jpg', 'croczor.jpg', 'zebrzor2.jpg', 'zorke.jpg',
         'puu_small.jpg', 'oho_small.jpg', 'fontsor2smuut.jpg']
MAX_BYTES = 110 * 1024

# start-of-frame markers other than baseline: extended, progressive,
# lossless and the arithmetic-coded kinds
OTHER_SOF = {0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF}


def frame_header(data):
    """Returns (marker, precision, height, width, components) of the first
    start-of-frame segment, or raises ValueError."""
    if data[:2] != b'\xff\xd8':
        raise ValueError('no JPEG start-of-image marker')
    pos = 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            raise ValueError('broken marker at byte %d' % pos)
        marker = data[pos + 1]
        if marker == 0xFF:           # fill byte
            pos += 1
            continue
        if marker == 0x01 or 0xD0 <= marker <= 0xD7:  # TEM, restart markers
            pos += 2
            continue
        (length,) = struct.unpack('>H', data[pos + 2:pos + 4])
        if marker == 0xC0 or marker in OTHER_SOF:
            if pos + 10 > len(data):
                raise ValueError('truncated frame header')
            precision, height, width, comps = struct.unpack('>BHHB', data[pos + 4:pos + 10])
            return marker, precision, height, width, comps
        if marker == 0xDA:
            break
        pos += 2 + length
    raise ValueError('no start-of-frame segment before the scan')


def power_of_two(n):
    return n > 0 and n & (n - 1) == 0


def check(path):
    if not os.path.isfile(path):
        return 'missing'
    with open(path, 'rb') as f:
        data = f.read()
    if len(data) > MAX_BYTES:
        return '%d bytes, over the %d byte budget' % (len(data), MAX_BYTES)
    try:
        marker, precision, height, width, comps = frame_header(data)
    except ValueError as e:
        return str(e)
    if marker != 0xC0:
        return 'not a baseline JPEG (frame marker 0xFF%02X)' % marker
    if precision != 8:
        return '%d-bit samples, not 8' % precision
    if comps != 3:
        return '%d colour components, not 3' % comps
    if not (power_of_two(width) and power_of_two(height)):
        return 'sides %d x %d are not powers of two' % (width, height)
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: check_pictures.py DATA_DIR')
    failed = 0
    for name in FILES:
        problem = check(os.path.join(sys.argv[1], name))
        if problem:
            print('FAIL %s: %s' % (name, problem))
            failed += 1
        else:
            print('ok   %s' % name)
    passed = len(FILES) - failed
    print('%d passed, %d failed' % (passed, failed))
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
