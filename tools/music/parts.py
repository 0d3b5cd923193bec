"""The song's material: drum kits, grooves, bass lines, ostinatos, melodies.

Every bar is one line of sixteen rows (see score.py for the tokens).
Melodies are in concert pitch, key of G major; chord-relative parts use
scale steps from the bar's chord root.
"""

# ---------------------------------------------------------------- channels

HAND = 0      # left:   shaker, bell timeline, hats, agogo
CONGA = 1     # right:  congas, djembes, toms, talking drum
OST_A = 2     # left:   kalimba, guitar
OST_B = 3     # right:  marimba, muted guitar, log drum
DRUM = 4      # centre: kick, clap, snare, rim
BASS = 5      # centre: bass, sub bass
LEAD = 6      # centre: lead voice, flute, horn stab
AUX = 7       # centre: choir, horn stab, crash, riser
CHANNELS = 8

# ---------------------------------------------------------------- samples

KALIMBA, MARIMBA, LEAD_VOICE, CHOIR, GUITAR, FLUTE = 1, 2, 3, 4, 5, 6
LOG_DRUM, MUTED_GUITAR, HORN, TALKING_DRUM = 9, 10, 11, 12
BASS_GUITAR, SUB_BASS = 20, 29

# ---------------------------------------------------------------- kits
# letter: (sample, volume or (effect, parameter) or None, concert pitch)

SWING = (14, 0xD1)          # ED1: off sixteenths a tick late

HAND_KIT = {
    "s": (22, 16, None),           # shaker
    "S": (22, 32, None),           # shaker, accented
    "w": (22, SWING, None),        # shaker, swung
    "b": (21, None, None),         # cowbell (the timeline)
    "h": (23, None, None),         # closed hat
    "H": (23, 38, None),           # closed hat, accented
    "o": (24, None, None),         # open hat
    "a": (7, None, None),          # agogo high
    "g": (8, None, None),          # agogo low
    "X": (27, 40, None),           # crash
}

CONGA_KIT = {
    "m": (14, None, None),         # conga, muted
    "o": (13, None, None),         # conga, open
    "O": (13, 40, None),           # conga, open, accented
    "t": (15, None, None),         # tumba, open
    "f": (13, (14, 0xD2), None),   # conga, open, flammed late
    "B": (16, None, None),         # djembe bass
    "x": (17, None, None),         # djembe slap
    "L": (25, None, None),         # tom low
    "H": (26, None, None),         # tom high
    "d": (12, None, None),         # talking drum
    "D": (12, None, "F-3"),        # talking drum, squeezed higher
    "u": (12, (3, 0x08), "A-2"),   # talking drum, the ringing note bent down
}

DRUM_KIT = {
    "k": (18, None, None),         # kick
    "K": (18, 64, None),           # kick, full
    "q": (18, 36, None),           # kick, soft
    "c": (19, None, None),         # clap
    "C": (19, 48, None),           # clap, accented
    "v": (19, 22, None),           # clap, ghost
    "r": (28, None, None),         # snare
    "R": (28, (14, 0x93), None),   # snare, two strokes a row
    "Q": (28, (14, 0x92), None),   # snare, three strokes a row
    "i": (30, None, None),         # rim
}

AUX_KIT = {
    "X": (27, None, None),         # crash
    "Z": (31, None, None),         # riser
    "z": (31, (9, 0x5B), None),    # riser, its last eight rows only
}

# ---------------------------------------------------------------- percussion

HAND_GROOVE = """
b w s b S w b w S w b w b w S w
"""
HAND_SOFT = """
S w s w S w s w S w s w S w s w
"""
HAND_HATS = """
H h o h H h h h H h o h H h H h
"""
HAND_AGOGO = """
a . g a . g a . g . a . g . a g
"""

CONGA_A = """
m . . m o . m . m . . m o . t t
"""
CONGA_B = """
m . . m o . m . m . o f t . t .
"""
CONGA_SPARSE = """
. . . . o . . . . . . m o . . .
"""
CONGA_DJEMBE = """
B . x . x x B . x . B . x x x .
"""
FILL_TOMS = """
. . . . . . . . H . H H L . L L
"""
FILL_TALK = """
d . . u . . D . d . u . . . . .
"""

DRUM_A = """
k . . . c . k . k . . . c . . .
"""
DRUM_B = """
k . . . c . k . k . . k c . . .
"""
DRUM_FILL = """
k . . . c . k . k . c . C c C C
"""
DRUM_CLAPS = """
K . . C . . C . k . C . C . . v
"""
DRUM_RIM = """
. . . . i . . . . . . i i . . .
"""
DRUM_PICKUP = """
. . . . . . . . v . v . c v C C
"""
DRUM_ROLL = """
r . r . r . r . r r r r R R Q Q
"""

# ---------------------------------------------------------------- bass

BASS_A = """
1 . . 1 . . 5 . 8 . . 5 . . 6 .
1 . . 1 . . 5 . 8 . . 5 . . 6 .
1 . . 1 . . 5 . 8 . . 5 . . 6 .
1 . . 1 . . 5 . 8 . . 5 . 3 2 .
"""
BASS_B = """
1 . . . . . 1 . 3 . . 5 . . -2 .
"""
BASS_LONG = """
1 . . . . . . . . . . . 5 . . .
"""

# ---------------------------------------------------------------- ostinatos

KALIMBA_A = """
8 . 5 . 10 . 5 . 8 . 5 . 3 . 5 .
"""
GUITAR_A = """
8 . 5 8 . 5 3 . 5 . 8 . 5 3 . 5
"""
GUITAR_B = """
10 . 8 5 . 8 10 . 12 . 10 8 . 5 . 8
"""
# Three beats long over a four-beat bar: the cross-rhythm of the groove.
MARIMBA_3 = "1 . 5 8 . 5 3 . 5 . 8 ."
MUTED_CHOP = """
. . 5+EC2 . . . 5+EC2 3+EC3 . . 5+EC2 . . . 5+EC2 3+EC3
"""

# ---------------------------------------------------------------- melodies

HOOK_A = """
D5 . . B4 . . G4 . A4 . B4 . . . . .
E5 . . D5 . . B4 . A4 . G4 . . . . .
D5 . . B4 . . G4 . A4 . B4 . D5 . . .
A4 . . . ~ ~ ~ ~ ~ ~ ~ ~ ^ . . .
"""
# The hook again, with scoops into the high notes and the last note
# shimmering through the D chord (arpeggio A-D-F#).
HOOK_A_SLIDES = """
D5 . . B4 . . G4 . A4 . B4 . . . A4 B4
E5+308 . . D5 . . B4 . A4 . G4 . . . . .
D5 . . B4 . . G4 . A4 . B4 . D5 . E5+306 .
A4 . . . ~ ~ ~ ~ ~ ~ ~ ~ ^ . . .
"""
HOOK_B = """
B4 . . D5 . . E5 . D5 . B4 . . . G4 .
A4 . . G4 . . E4 . G4 . . . ~ ~ ^ .
B4 . . D5 . . E5 . G5 . E5 . D5 . B4 .
A4 . . . ~ ~ G4 . A4 . . . ~ ~ ~ ^
"""
HOOK_C = """
G5+310 . . E5 . . D5 . E5 . D5 . B4 . D5 .
E5 . . D5 . . B4 . A4 . G4 . A4 . B4 .
D5 . . B4 . . D5 . E5 . G5 . E5 . D5 .
A4 . . . ~ ~ ~ ~ B4 . A4 . G4 . A4 .
"""
CLIMB = """
E5 . . G5 . . E5 . D5 . E5 . . . G5 .
F#5 . . E5 . . D5 . A4 . D5 . . . E5 .
G5 . . . ~ ~ E5 . B4 . E5 . G5 . . .
A5+30C . . . ~ ~ ~ ~ ~ ~ ~ ~ ^ . . .
"""
FLUTE_A = """
B5 . . . ~ ~ A5 . G5 . E5 . . . D5 .
E5 . . . ~ ~ ~ ~ G5 . . . E5 . D5 .
D5 . . . ~ ~ B4 . D5 . E5 . . . G5 .
F#5 . . . ~ ~ ~ ~ E5 . D5 . . . A4 .
"""
FLUTE_B = """
E5 . G5 . B5 . . . A5 . G5 . E5 . . .
G5+059 . . . +059 +059 +059 +059 E5 . ~ ~ D5 . E5 .
D5 . B4 . D5 . . . G5 . A5 . B5 . . .
A5 . . . ~ ~ ~ ~ F#5 . . . D5 . . .
"""
CALL_8 = """
B4 . . . . . . . E5 . . D5 . . B4 .
G4 . . . ~ ~ ~ ~ E4 . G4 . A4 . . .
B4 . . . . . . . D5 . . E5 . . G5 .
A4 . . . ~ ~ ~ ~ ~ ~ ~ ~ ^ . . .
"""
FINAL_PHRASE = """
D5 . . B4 . . G4 . A4 . B4 . . . D5 .
E5 . . D5 . . B4 . A4 . . . F#4 . A4 .
"""

# Choir answers in the rests of the hook (chord roots: the sample is a
# major triad, so G4 sounds G-B-D).
CHOIR_ANSWER = """
. . . . . . . . . . . . G4 . . ^
. . . . . . . . . . . . C5 . . ^
. . . . . . . . . . . . . . . .
. . . . . . . . . . . . D5 . . .
"""
CHOIR_PAD = """
G4 . . . . . . . . . . . . . . .
C5 . . . . . . . . . . . . . . .
G4 . . . . . . . . . . . . . . .
D5 . . . . . . . . . . . . . . .
"""
# Over the minor section the triad a third above the bass gives minor
# sevenths (G over E), plain majors elsewhere.
CHOIR_PAD_B = """
G4@8 . . . . . . . . . . . . . . .
C5@8 . . . . . . . . . . . . . . .
G4@8 . . . . . . . . . . . . . . .
D5@8 . . . . . . . . . . . . . . .
"""
HORN_STABS = """
. . . . . . G4 . . . G4 . . . . .
. . . . . . C5 . . . C5 . . . . .
. . . . . . G4 . . . G4 . . . . .
. . . . . . D5 . . . D5 . . D5 . .
"""
