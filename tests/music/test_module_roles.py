"""Checks the committed module against what the production relies on.

    test_module_roles.py AFRO.mod

The scenes are timed by song position and by the note triggers of samples
18 (the main drum) and 19 (the short bright hit); samples 3 and 4 feed the
vowel filter and must sustain.  Every check is plain enough that any tracker
player plays the file the same way.
"""

import sys
import unittest

from modfile import PERIODS, read_module

MODULE = None
TONE_PORTAMENTO = (3, 5)


def hits(song, sample, order, rows=range(64)):
    """Rows of an order on which `sample` is struck with a note."""
    pattern = song["patterns"][song["orders"][order]]
    found = []
    for r in rows:
        for cell in pattern[r]:
            if (cell["sample"] == sample and cell["period"]
                    and cell["effect"] not in TONE_PORTAMENTO):
                found.append(r)
    return found


def cells(song):
    for order, number in enumerate(song["orders"]):
        for r, row in enumerate(song["patterns"][number]):
            for c, cell in enumerate(row):
                yield order, r, c, cell


class Layout(unittest.TestCase):
    def test_header(self):
        self.assertIn(MODULE["tag"], (b"M.K.", b"6CHN", b"8CHN"))
        self.assertEqual(len(MODULE["samples"]), 31)
        self.assertGreaterEqual(MODULE["song_length"], 16)
        for number, s in enumerate(MODULE["samples"], 1):
            with self.subTest(sample=number):
                self.assertGreater(s["length"], 0)
                self.assertLessEqual(s["volume"], 64)
                self.assertEqual(s["finetune"], 0)
                self.assertEqual(s["data"][:2], b"\0\0")
                if s["loop_length"] > 2:
                    self.assertLessEqual(s["loop_start"] + s["loop_length"],
                                         s["length"])

    def test_cells_stay_in_the_common_ground(self):
        """Finetune-0 periods of C-1..B-3 only, no speed 0, no jumps or
        breaks that would bend the position map, sample numbers 0..31."""
        for order, r, c, cell in cells(MODULE):
            where = "order %d row %d channel %d" % (order, r, c)
            if cell["period"]:
                self.assertIn(cell["period"], PERIODS, where)
            self.assertLessEqual(cell["sample"], 31, where)
            self.assertNotIn(cell["effect"], (0xB, 0xD), where)
            if cell["effect"] == 0xF:
                self.assertNotEqual(cell["param"], 0, where)
            if cell["effect"] == 0xE:
                self.assertNotIn(cell["param"] >> 4, (0x6, 0xE), where)


class Roles(unittest.TestCase):
    def test_main_drum(self):
        for order in (3, 4, 5):
            with self.subTest(order=order):
                self.assertTrue(hits(MODULE, 18, order))
        self.assertTrue(hits(MODULE, 18, 15, range(0, 4)),
                        "a strong sample-18 hit must open order 15")
        self.assertFalse(hits(MODULE, 18, 14, range(58, 64)),
                         "a late order-14 kick would swallow the order-15 one")

    def test_row_zero_kick_of_order_15_is_full_volume(self):
        pattern = MODULE["patterns"][MODULE["orders"][15]]
        kick = [c for c in pattern[0] if c["sample"] == 18 and c["period"]][0]
        volume = (kick["param"] if kick["effect"] == 0xC
                  else MODULE["samples"][17]["volume"])
        self.assertGreaterEqual(volume, 48)

    def test_bright_hit(self):
        for order in (2, 8, 9, 10, 11):
            with self.subTest(order=order):
                self.assertGreaterEqual(len(hits(MODULE, 19, order)), 4)

    def test_vowel_samples_sustain(self):
        for number in (3, 4):
            s = MODULE["samples"][number - 1]
            with self.subTest(sample=number):
                self.assertGreater(s["loop_length"], 1000)
                data = s["data"]
                start, end = s["loop_start"], s["loop_start"] + s["loop_length"]
                # seamless: the bytes after the loop repeat its first ones
                self.assertEqual(data[end:end + 2], data[start:start + 2])

    def test_song_ends_by_row_50_of_order_15(self):
        self.assertFalse([r for _, r, _, _ in self._notes_in(15, range(41, 64))])

    def _notes_in(self, order, rows):
        for o, r, c, cell in cells(MODULE):
            if o == order and r in rows and cell["period"]:
                yield o, r, c, cell


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print("usage: test_module_roles.py AFRO.mod")
        sys.exit(2)
    try:
        with open(sys.argv[1], "rb") as f:
            MODULE = read_module(f.read())
    except (OSError, ValueError) as e:
        print("cannot read module %s: %s" % (sys.argv[1], e))
        sys.exit(1)
    unittest.main(argv=sys.argv[:1], verbosity=1)
