"""The arrangement: what plays in each of the sixteen orders.

The orders follow the production's scenes (one 64-row order is 4 bars,
about 7.7 s at speed 6, tempo 125):

  0     intro: kalimba alone, the choir and shaker come in
  1     title: the hook, first statement; bass enters
  2     the groove gets its drums (clap on 2 and 4)
  3-5   full groove, the kick driving; hook, answer, hook with horns;
        accents at rows 32 and 48 where the pictures change
  6-8   the minor section: flute over pads, rebuilt, then claps and a roll
  9-11  the hook back, complete; horns; a fill into the finale
  12-14 finale: hats and horns, accents every 16 rows, the climb and roll
  15    a strong kick on row 0, the last phrase, the final hit on row 32
        ringing out; silent from row 50
"""

from parts import *                                  # noqa: F401,F403
from vowel import level_vowels
from modfile import PERIODS
from score import Pattern, bars, hit_note, midi_of, tracker_note, write_part

ORDER_COUNT = 16

A = ["G", "C", "G", "D"]
B = ["Em", "C", "G", "D"]
TO_FINALE = ["G", "C", "D", "D"]
CLIMB_CHORDS = ["C", "D", "Em", "D"]
ENDING = ["G", "G", "C", "D", "G", "G", "G", "G"]


KITS = {HAND: HAND_KIT, CONGA: CONGA_KIT, DRUM: DRUM_KIT, AUX: AUX_KIT}


def part(p, channel, text, times=1, start=0, **kw):
    kw.setdefault("kit", KITS.get(channel))
    write_part(p, channel, bars(text) * times, start=start, **kw)


def cycle(motif, rows):
    tokens = motif.split()
    return [tokens[i % len(tokens)] for i in range(rows)]


def hit(p, channel, row, kit, letter, volume=None):
    """One drum hit written over whatever the channel had on that row."""
    smp, fx, _pitch = kit[letter]
    effect, param = (0, 0)
    if isinstance(fx, tuple):
        effect, param = fx
    elif volume is not None or isinstance(fx, int):
        effect, param = 12, volume if volume is not None else fx
    p.put(row, channel, hit_note(smp), smp, effect, param, replace=True)


def tone(p, channel, row, sample, name, volume=None):
    effect, param = (12, volume) if volume is not None else (0, 0)
    p.put(row, channel, tracker_note(sample, midi_of(name)), sample,
          effect, param, replace=True)


def doubled(melody, volume):
    """A melody for a plucked instrument: no vibrato, notes at `volume`,
    no slides."""
    out = []
    for line in melody.strip().splitlines():
        tokens = []
        for t in line.split():
            t = t.split("+")[0]
            if t in ("~", ""):
                t = "."
            elif t not in (".", "^"):
                t += "@%d" % volume
            tokens.append(t)
        out.append(" ".join(tokens))
    return "\n".join(out)


def clear(p, channels, rows):
    for row in rows:
        for ch in channels:
            p.put(row, ch, replace=True)


def groove(p, chords, conga=(CONGA_A, CONGA_B), drums=(DRUM_A, DRUM_B),
           guitar=GUITAR_A, hand=HAND_GROOVE):
    """The full band below the melody: four bars of it."""
    part(p, HAND, hand, 4)
    part(p, CONGA, conga[0] + conga[1], 2)
    part(p, DRUM, drums[0] + drums[1], 2)
    part(p, BASS, BASS_A, sample=BASS_GUITAR, chords=chords, transpose=-12)
    part(p, OST_A, guitar, 4, sample=GUITAR, chords=chords)
    write_part(p, OST_B, cycle(MARIMBA_3, 64), sample=MARIMBA,
               chords=chords, transpose=12)


# ---------------------------------------------------------------- orders

def order_0(p):
    p.put(0, HAND, effect=15, param=6)                  # speed 6
    p.put(0, CONGA, effect=15, param=125)               # tempo 125
    part(p, OST_A, KALIMBA_A, 4, sample=KALIMBA, chords=A, transpose=12)
    part(p, AUX, """
        G4@10 . . . . . . . . . . . . . . .
        D5@12 . . . . . . . . . . . . . . .
    """, start=32, sample=CHOIR)
    part(p, HAND, HAND_SOFT, 2, start=32)
    part(p, CONGA, FILL_TALK, start=48)
    for row, letter in ((60, "o"), (61, "o"), (62, "t"), (63, "t")):
        hit(p, CONGA, row, CONGA_KIT, letter)


def order_1(p):
    hit(p, DRUM, 0, DRUM_KIT, "K")
    part(p, HAND, HAND_SOFT, 4)
    hit(p, HAND, 0, HAND_KIT, "X")
    part(p, CONGA, CONGA_SPARSE, 4)
    part(p, OST_A, KALIMBA_A, 4, sample=KALIMBA, chords=A, transpose=12)
    part(p, BASS, BASS_B, 4, sample=BASS_GUITAR, chords=A, transpose=-12)
    part(p, AUX, CHOIR_PAD, sample=CHOIR)
    part(p, LEAD, HOOK_A, sample=LEAD_VOICE)
    part(p, DRUM, DRUM_PICKUP, start=48)


def order_2(p):
    part(p, HAND, HAND_GROOVE, 4)
    part(p, CONGA, CONGA_A + CONGA_B + CONGA_A + FILL_TOMS)
    part(p, DRUM, DRUM_A + DRUM_B + DRUM_A + DRUM_FILL)
    part(p, BASS, BASS_A, sample=BASS_GUITAR, chords=A, transpose=-12)
    part(p, OST_A, GUITAR_A, 4, sample=GUITAR, chords=A)
    part(p, OST_B, MUTED_CHOP, 4, sample=MUTED_GUITAR, chords=A, transpose=12)
    part(p, AUX, CHOIR_ANSWER, sample=CHOIR)


def short_fill(p):
    """Four rows of toms on the conga player's lane to close an order."""
    for row, letter in ((60, "H"), (61, "H"), (62, "L"), (63, "L")):
        hit(p, CONGA, row, CONGA_KIT, letter)


def animal_accents(p):
    """The pictures change at rows 32 and 48: a horn stab on each."""
    tone(p, AUX, 32, HORN, "G4", 17)
    tone(p, AUX, 48, HORN, "D5", 15)


def order_3(p):
    groove(p, A)
    hit(p, DRUM, 0, DRUM_KIT, "K")
    part(p, AUX, CHOIR_ANSWER, sample=CHOIR)
    hit(p, AUX, 0, AUX_KIT, "X")
    animal_accents(p)
    part(p, LEAD, HOOK_A, sample=LEAD_VOICE)


def order_4(p):
    groove(p, A, guitar=GUITAR_B)
    part(p, AUX, CHOIR_ANSWER, sample=CHOIR)
    animal_accents(p)
    part(p, LEAD, HOOK_B, sample=LEAD_VOICE)
    short_fill(p)


def order_5(p):
    groove(p, A)
    part(p, AUX, HORN_STABS, sample=HORN)
    animal_accents(p)
    part(p, LEAD, HOOK_A_SLIDES, sample=LEAD_VOICE)
    # The band drops out for the last half bar: the talking drum leads
    # into the quiet section.
    clear(p, (HAND, DRUM, OST_A, OST_B, BASS), range(56, 64))
    p.put(56, BASS, effect=12, param=0, replace=True)
    clear(p, (CONGA,), range(48, 64))
    part(p, CONGA, "d . . u . . d . d . u . d . u .", start=48)


def order_6(p):
    part(p, LEAD, FLUTE_A, sample=FLUTE)
    part(p, AUX, CHOIR_PAD_B, sample=CHOIR)
    part(p, OST_A, KALIMBA_A, 4, sample=KALIMBA, chords=B, transpose=12,
         volume=11)
    part(p, OST_B, "1 . . . . . 1 . . . 5 . . . . .", 4,
         sample=LOG_DRUM, chords=B, volume=26)
    part(p, BASS, BASS_LONG, 4, sample=SUB_BASS, chords=B, transpose=-12,
         volume=16)
    part(p, HAND, "S . s . S . s . S . s . S . s w", 4)
    part(p, CONGA, CONGA_SPARSE, 4)
    part(p, DRUM, DRUM_RIM, 4)


def order_7(p):
    part(p, LEAD, FLUTE_B, sample=FLUTE)
    part(p, AUX, CHOIR_PAD_B, sample=CHOIR)
    part(p, OST_A, KALIMBA_A, 4, sample=KALIMBA, chords=B, transpose=12,
         volume=13)
    write_part(p, OST_B, cycle(MARIMBA_3, 64), sample=MARIMBA,
               chords=B, transpose=12)
    part(p, BASS, BASS_B, 4, sample=BASS_GUITAR, chords=B, transpose=-12)
    part(p, HAND, HAND_GROOVE, 4)
    part(p, CONGA, CONGA_A, 4)
    part(p, DRUM, DRUM_RIM, 2)
    part(p, DRUM, "q . . . i . . . q . . i i . . .", 2, start=32)
    for row, letter in ((60, "v"), (61, "c"), (62, "C"), (63, "C")):
        hit(p, DRUM, row, DRUM_KIT, letter)


def order_8(p):
    part(p, LEAD, CALL_8, sample=LEAD_VOICE)
    part(p, AUX, CHOIR_PAD_B.strip().splitlines()[0] + "\n" +
         CHOIR_PAD_B.strip().splitlines()[1], sample=CHOIR)
    part(p, AUX, "Z . . . . . . . . . . . . . . .", start=48)
    part(p, OST_A, GUITAR_A, 4, sample=GUITAR, chords=B)
    write_part(p, OST_B, cycle(MARIMBA_3, 64), sample=MARIMBA,
               chords=B, transpose=12)
    part(p, BASS, BASS_A, sample=BASS_GUITAR, chords=B, transpose=-12)
    part(p, HAND, HAND_GROOVE, 4)
    part(p, CONGA, CONGA_B, 3)
    part(p, CONGA, FILL_TOMS, start=48)
    part(p, DRUM, DRUM_CLAPS, 3)
    part(p, DRUM, DRUM_ROLL, start=48)


def order_9(p):
    groove(p, A)
    hit(p, DRUM, 0, DRUM_KIT, "K")
    # The hook comes back over the warm choir chords of the title.
    part(p, AUX, CHOIR_PAD, sample=CHOIR, volume=8)
    hit(p, HAND, 0, HAND_KIT, "X", 30)
    part(p, LEAD, HOOK_A, sample=LEAD_VOICE)


def order_10(p):
    groove(p, A)
    part(p, AUX, CHOIR_ANSWER, sample=CHOIR)
    part(p, LEAD, HOOK_B, sample=LEAD_VOICE)
    # The kalimba doubles the answer an octave up, in place of the guitar.
    clear(p, (OST_A,), range(64))
    part(p, OST_A, doubled(HOOK_B, 18), sample=KALIMBA, transpose=12)


def order_11(p):
    groove(p, TO_FINALE, drums=(DRUM_A, DRUM_B))
    part(p, AUX, HORN_STABS, sample=HORN, chords=TO_FINALE)
    part(p, LEAD, HOOK_A_SLIDES, sample=LEAD_VOICE)
    clear(p, (DRUM, CONGA), range(48, 64))
    part(p, DRUM, DRUM_FILL, start=48)
    part(p, CONGA, FILL_TOMS, start=48)


def order_12(p):
    groove(p, A, conga=(CONGA_DJEMBE, CONGA_A), hand=HAND_HATS,
           guitar=GUITAR_B)
    hit(p, DRUM, 0, DRUM_KIT, "K")
    part(p, AUX, HORN_STABS, sample=HORN)
    hit(p, AUX, 0, AUX_KIT, "X")
    part(p, LEAD, HOOK_C, sample=LEAD_VOICE)
    short_fill(p)


def order_13(p):
    groove(p, A, conga=(CONGA_DJEMBE, CONGA_B), hand=HAND_HATS)
    part(p, LEAD, HOOK_A, sample=LEAD_VOICE)
    # The star grid grows every 16 rows: mark each step.
    for row, letter in ((0, "X"), (32, "X")):
        hit(p, AUX, row, AUX_KIT, letter)
    tone(p, AUX, 16, HORN, "C5")
    tone(p, AUX, 48, HORN, "D5")
    tone(p, AUX, 54, HORN, "D5")
    tone(p, AUX, 58, HORN, "D5")


def order_14(p):
    groove(p, CLIMB_CHORDS, conga=(CONGA_DJEMBE, CONGA_B), hand=HAND_HATS,
           guitar=GUITAR_B)
    part(p, LEAD, CLIMB, sample=LEAD_VOICE)
    part(p, AUX, """
        C5 . . . . . . . . . . . . . . .
        D5 . . . . . . . . . . . . . . .
        G4 . . . . . . . . . . . . . . .
    """, sample=CHOIR)
    part(p, AUX, "Z . . . . . . . . . . . . . . .", start=48)
    # No kick in the last bar, so the first kick of the last order is
    # heard as a fresh beat.
    clear(p, (DRUM, CONGA), range(48, 64))
    part(p, DRUM, DRUM_ROLL, start=48)
    part(p, CONGA, FILL_TOMS, start=48)


def order_15(p):
    tone(p, AUX, 0, HORN, "G4")
    part(p, LEAD, FINAL_PHRASE, sample=LEAD_VOICE)
    drums = bars("""
        K . . . c . k . k . . . c . . .
        k . . . c . k . k . c . C c C C
    """)
    for i, tok in enumerate(drums):
        if tok != ".":
            hit(p, DRUM, i, DRUM_KIT, tok)
    part(p, HAND, HAND_GROOVE, 2)
    hit(p, HAND, 0, HAND_KIT, "X")
    part(p, CONGA, CONGA_A + FILL_TOMS)
    part(p, BASS, BASS_A.strip().splitlines()[0] + "\n" +
         "1 . . 1 . . 5 . 1 . . 5 . 3 5 .",
         sample=BASS_GUITAR, chords=ENDING, transpose=-12)
    part(p, OST_A, GUITAR_A, 2, sample=GUITAR, chords=ENDING)
    write_part(p, OST_B, cycle(MARIMBA_3, 32), sample=MARIMBA,
               chords=ENDING, transpose=12)
    part(p, AUX, ". . . . . . . . . . . . . . . .\n"
         ". . . . . . C5 . . . C5 . . . D5 .", sample=HORN)
    # The final hit: the whole band on G, left to ring.
    hit(p, DRUM, 32, DRUM_KIT, "K")
    hit(p, HAND, 32, HAND_KIT, "X", 26)
    hit(p, CONGA, 32, CONGA_KIT, "B")
    tone(p, BASS, 32, BASS_GUITAR, "G2", 64)
    tone(p, OST_A, 32, KALIMBA, "G5")
    tone(p, OST_B, 32, MARIMBA, "G4")
    tone(p, LEAD, 32, CHOIR, "G4", 18)
    tone(p, AUX, 32, HORN, "G4")
    for row in range(36, 50, 2):
        p.put(row, LEAD, effect=10, param=0x01)
    # Let the last chord ring a little longer than the rows before it.
    p.put(34, AUX, effect=15, param=8)
    for ch in range(CHANNELS):
        p.put(51, ch, effect=12, param=0, replace=True)


ORDERS = [order_0, order_1, order_2, order_3, order_4, order_5, order_6,
          order_7, order_8, order_9, order_10, order_11, order_12, order_13,
          order_14, order_15]
assert len(ORDERS) == ORDER_COUNT


def build_song(samples):
    """The patterns (one per order, played in order) and the order table;
    the samples are needed to even out the vowel filter's levels."""
    patterns = []
    for build in ORDERS:
        p = Pattern(CHANNELS)
        build(p)
        patterns.append(p)
    level_vowels(patterns, samples, PERIODS, CHANNELS)
    return patterns, list(range(ORDER_COUNT))
