"""The notation and cell packing the song is written with."""

import unittest

from modfile import Cell, note_number
from score import Pattern, bars, midi_of, scale_midi, tracker_note, write_part


class Notation(unittest.TestCase):
    def test_note_names(self):
        for name, midi in (("C4", 60), ("F#5", 78), ("A#3", 58), ("B2", 47)):
            with self.subTest(name=name):
                self.assertEqual(midi_of(name), midi)
        for name, n in (("C-1", 0), ("B-3", 35), ("F#2", 18)):
            with self.subTest(name=name):
                self.assertEqual(note_number(name), n)
        with self.assertRaises(ValueError):
            note_number("C-4")

    def test_scale_steps_stay_in_g_major(self):
        # (chord root, steps, expected): thirds follow the key, not the chord
        for root, steps, want in ((55, 2, 59), (50, 2, 54), (52, 2, 55),
                                  (48, 5, 57), (55, -3, 50), (50, 7, 62)):
            with self.subTest(root=root, steps=steps):
                self.assertEqual(scale_midi(root, steps), want)

    def test_bars_need_sixteen_steps_and_keep_sharps(self):
        self.assertEqual(len(bars("F#4 " + ". " * 15)), 16)
        with self.assertRaises(ValueError):
            bars(". " * 15)

    def test_tuned_range_is_checked(self):
        self.assertEqual(tracker_note(20, midi_of("G1")), 7)     # bass
        with self.assertRaises(ValueError):
            tracker_note(3, midi_of("C7"))

    def test_parts_cannot_overwrite_each_other(self):
        p = Pattern(2)
        write_part(p, 0, bars("G4 " + ". " * 15), sample=3)
        with self.assertRaises(ValueError):
            write_part(p, 0, bars("A4 " + ". " * 15), sample=3)


class Cells(unittest.TestCase):
    def test_encoding(self):
        for cell, want in (
            (Cell(None, 19, 12, 0x20), bytes((0x10, 0x00, 0x3C, 0x20))),
            (Cell(0, 1), bytes((0x03, 0x58, 0x10, 0x00))),          # C-1 856
            (Cell(35, 31, 14, 0x93), bytes((0x10, 0x71, 0xFE, 0x93))),
        ):
            with self.subTest(want=want.hex()):
                self.assertEqual(cell.encode(), want)


if __name__ == "__main__":
    unittest.main()
