"""Runs the music generator and compares its output with the committed module.

    test_generator.py MAKE_AFRO.py COMMITTED.mod OUTPUT.mod
"""

import subprocess
import sys


def main(generator, committed, output):
    run = subprocess.run([sys.executable, generator, output],
                         stderr=subprocess.PIPE, text=True)
    if run.returncode != 0:
        print("generator failed:", run.stderr.strip().splitlines()[-1:])
        return 1
    with open(committed, "rb") as f:
        want = f.read()
    with open(output, "rb") as f:
        got = f.read()
    if got == want:
        print("generator output equals %s (%d bytes)" % (committed, len(want)))
        return 0
    first = next((i for i, (a, b) in enumerate(zip(got, want)) if a != b),
                 min(len(got), len(want)))
    print("generator output differs from %s: %d bytes against %d, first "
          "difference at byte %d" % (committed, len(got), len(want), first))
    return 1


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("usage: test_generator.py MAKE_AFRO.py COMMITTED.mod OUTPUT.mod")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
