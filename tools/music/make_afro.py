#!/usr/bin/env python3
"""Composes and synthesises the production's music and writes the module.

    make_afro.py OUTPUT.mod [--wav-dir DIR]

Every sample is synthesised here and every pattern composed here; the
output is the same bytes on every run and every machine.  With --wav-dir
each sample is also written as a WAV file at its natural rate, to listen to.
"""

import os
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from instruments import INSTRUMENTS, build_samples       # noqa: E402
from modfile import write_module                          # noqa: E402
from song import CHANNELS, build_song                     # noqa: E402

TITLE = "zorvandu kelemba"


def write_wavs(samples, folder):
    os.makedirs(folder, exist_ok=True)
    for (number, builder, _c2, _note), s in zip(INSTRUMENTS, samples):
        rate = int(s.rate)
        path = os.path.join(folder, "%02d_%s.wav" % (number, builder.__name__))
        with wave.open(path, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(1)
            w.setframerate(rate)
            w.writeframes(bytes((v + 128) & 0xFF for v in s.data))


def main(argv):
    args = list(argv[1:])
    wav_dir = None
    if "--wav-dir" in args:
        i = args.index("--wav-dir")
        if i + 1 >= len(args):
            print("make_afro: --wav-dir needs a folder", file=sys.stderr)
            return 2
        wav_dir = args[i + 1]
        del args[i:i + 2]
    if len(args) != 1 or args[0].startswith("-"):
        print("usage: make_afro.py OUTPUT.mod [--wav-dir DIR]", file=sys.stderr)
        return 2
    out = args[0]

    def progress(number, name):
        print("\rmake_afro: sample %2d/31 %-14s" % (number, name), end="",
              file=sys.stderr, flush=True)

    samples = build_samples(progress)
    print("\rmake_afro: samples done%24s" % "", file=sys.stderr)
    patterns, orders = build_song(samples)
    try:
        size = write_module(out, TITLE, samples,
                            [p.rows for p in patterns], orders, CHANNELS)
    except OSError as e:
        print("make_afro: cannot write %s: %s" % (out, e.strerror),
              file=sys.stderr)
        return 1
    if wav_dir:
        write_wavs(samples, wav_dir)
    print("make_afro: wrote %s (%d bytes, %d orders)" % (out, size,
                                                         len(orders)),
          file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
