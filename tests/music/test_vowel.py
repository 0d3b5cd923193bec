"""The levelling of the vowel-filtered samples: falls are set at once, rises
come as slides after the new vowel has arrived, the voice keeps talking."""

import unittest

import instruments
from modfile import PERIODS, Sample
from score import Pattern, bars, write_part
from vowel import VowelModel, level_vowels

LEAD = 3


def samples_with_lead():
    quiet = Sample("none", [0, 0], 0)
    table = [quiet] * 31
    table[LEAD - 1] = instruments.lead()
    table[3] = instruments.choir()
    return table


class Levelling(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.samples = samples_with_lead()

    def held_note(self, bar_lines):
        p = Pattern(1)
        write_part(p, 0, bars(bar_lines), sample=LEAD)
        level_vowels([p], self.samples, PERIODS, 1)
        return [row[0] for row in p.rows]

    def test_volume_falls_at_once_and_rises_by_slides(self):
        cells = self.held_note("""
            G4 . . . . . . . . . . . . . . .
            . . . . . . . . . . . . . . . .
        """)
        volume = cells[0].param
        self.assertEqual(cells[0].effect, 12)
        changes = 0
        for r, cell in enumerate(cells[1:32], 1):
            with self.subTest(row=r):
                if cell.effect == 12:
                    self.assertLess(cell.param, volume)
                    volume = cell.param
                    changes += 1
                elif cell.effect == 10:
                    self.assertEqual(cell.param & 15, 0)
                    volume = min(64, volume + 5 * (cell.param >> 4))
                    changes += 1
                else:
                    self.assertEqual((cell.effect, cell.param), (0, 0))
                self.assertTrue(1 <= volume <= 64)
        self.assertGreater(changes, 4, "the vowels change every two rows")

    def test_stops_at_a_cut_and_keeps_odd_row_vibrato(self):
        cells = self.held_note("""
            G4 . . ~ . ~ . ~ . ~ ^ . . . . .
        """)
        for r in (3, 5, 7, 9):
            self.assertEqual(cells[r].effect in (4, 6), True, "row %d" % r)
        self.assertEqual((cells[10].effect, cells[10].param), (12, 0))
        self.assertTrue(all(c.effect == 0 for c in cells[11:16]))

    def test_loud_vowels_get_less_volume(self):
        model = VowelModel(self.samples, PERIODS)
        g4 = 19                                   # tracker G-2 = G4 on the lead
        gains = model.gain(LEAD, g4)
        factors = [model.factor(LEAD, g4, v) for v in range(5)]
        loudest = gains.index(max(gains))
        quietest = gains.index(min(gains))
        self.assertGreater(gains[loudest] / gains[quietest], 3.0)
        self.assertLess(factors[loudest], 1.0)
        self.assertGreater(factors[quietest], 1.0)


if __name__ == "__main__":
    unittest.main()
