"""Writing music as text: bar lines of sixteen steps, and the pattern grid.

A bar is one line of 16 space-separated tokens, one per row (a sixteenth):

  .          nothing happens (a held note keeps sounding)
  ^          the note stops (volume 0)
  ~          vibrato on the held note
  G4  F#5    a note in concert pitch, on the part's instrument
  1 3 5 -4   a scale step counted from the bar's chord root (key G major);
             a leading minus counts downwards ("-4" is a fourth below)
  k  o  m    a letter of the part's drum kit
  +A02       only an effect (hex: effect digit and parameter)
  X@40       any of the above at volume 40 (decimal), X+4A3 with an effect

Key: G major.  Chords are named by root and quality ("G", "Em", "D7").
"""

from instruments import INSTRUMENTS
from modfile import Cell, ROWS, note_number

SCALE = [0, 2, 4, 5, 7, 9, 11]                    # major scale, semitones
KEY_ROOT = 7                                      # G
NAMES = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7,
         "G#": 8, "A": 9, "A#": 10, "B": 11}

C2_OF = {num: c2 for num, _b, c2, _n in INSTRUMENTS}
HIT_NOTE = {num: note for num, _b, _c2, note in INSTRUMENTS}


def midi_of(name):
    """'G4' -> 67, 'F#5' -> 78 (concert pitch)."""
    return 12 * (int(name[-1]) + 1) + NAMES[name[:-1]]


def tracker_note(sample, midi):
    """Tracker note (0 = C-1 .. 35 = B-3) at which `sample` sounds `midi`."""
    c2 = C2_OF[sample]
    if c2 is None:
        raise ValueError("sample %d is not tuned" % sample)
    n = midi - c2 + 12
    if not 0 <= n < 36:
        raise ValueError("MIDI %d is outside the range of sample %d"
                         % (midi, sample))
    return n


def hit_note(sample):
    return note_number(HIT_NOTE[sample])


def scale_midi(root_midi, steps):
    """The note `steps` scale steps above (or below) a note of the key."""
    pc = (root_midi - KEY_ROOT) % 12
    if pc not in SCALE:
        raise ValueError("chord root outside the key")
    degree = SCALE.index(pc) + steps
    octave, degree = divmod(degree, 7)
    return root_midi - SCALE[SCALE.index(pc)] + SCALE[degree] + 12 * octave


# ---------------------------------------------------------------- the grid

class Pattern:
    """64 rows x channels of cells; parts are written into it by channel."""

    def __init__(self, channels):
        self.channels = channels
        self.rows = [[Cell() for _ in range(channels)] for _ in range(ROWS)]

    def put(self, row, channel, note=None, sample=0, effect=0, param=0,
            replace=False):
        cell = self.rows[row][channel]
        busy = cell.note is not None or cell.sample or cell.effect or cell.param
        if busy and not replace:
            raise ValueError("row %d channel %d written twice" % (row, channel))
        self.rows[row][channel] = Cell(note, sample, effect, param)

    def effect(self, row, channel, effect, param):
        """Adds an effect to a cell that may already hold a note."""
        cell = self.rows[row][channel]
        if cell.effect or cell.param:
            raise ValueError("row %d channel %d has an effect" % (row, channel))
        cell.effect, cell.param = effect, param


def _split(token):
    """'G4@40+A02' -> ('G4', 40, (10, 2))"""
    effect = None
    volume = None
    if "+" in token:
        token, fx = token.split("+", 1)
        effect = (int(fx[0], 16), int(fx[1:], 16))
    if "@" in token:
        token, vol = token.split("@", 1)
        volume = int(vol)
    return token, volume, effect


def bars(text):
    """Bar lines (one per line, '|' may separate groups) to a token list."""
    tokens = []
    for line in text.strip().splitlines():
        line = line.replace("|", " ").split()
        if not line:
            continue
        if len(line) != 16:
            raise ValueError("a bar needs 16 steps: %r" % " ".join(line))
        tokens += line
    return tokens


def write_part(pat, channel, tokens, start=0, sample=None, kit=None,
               chords=None, transpose=0, vibrato=0x46, volume=None):
    """Writes tokens from row `start` on.

    sample: the instrument of note and step tokens; kit: letter ->
    (sample, volume or (effect, parameter) or None, pitch or None), the
    pitch a concert note for tuned samples, a tracker note for drums;
    chords: chord names spread evenly over the pattern (4 = one a bar, 8 =
    one every half bar), for scale-step tokens; volume: for notes and steps
    without a volume of their own (None: the sample's)."""
    default_volume = volume
    for i, raw in enumerate(tokens):
        row = start + i
        if row >= ROWS:
            raise ValueError("part runs past the pattern")
        token, volume, effect = _split(raw)
        if token in ("", "."):
            if effect:
                pat.put(row, channel, effect=effect[0], param=effect[1])
            elif volume is not None:
                pat.put(row, channel, effect=12, param=volume)
            continue
        if token == "^":
            pat.put(row, channel, effect=12, param=0)
            continue
        if token == "~":
            pat.put(row, channel, effect=4, param=vibrato)
            continue
        if kit and token in kit:
            smp, kit_fx, pitch = kit[token]
            if pitch is None:
                note = hit_note(smp)
            elif C2_OF[smp] is None:            # a drum struck at this note
                note = note_number(pitch)
            else:
                note = tracker_note(smp, midi_of(pitch) + transpose)
            vol = volume
            if isinstance(kit_fx, tuple) and effect is None:
                effect = kit_fx
            elif isinstance(kit_fx, int) and vol is None:
                vol = kit_fx
        else:
            smp = sample
            if token[0] in "-0123456789":
                root = chord_root(chords[row * len(chords) // ROWS])
                steps = int(token)
                steps = steps - 1 if steps > 0 else steps + 1
                midi = scale_midi(root, steps) + transpose
            else:
                midi = midi_of(token) + transpose
            note = tracker_note(smp, midi)
            vol = volume if volume is not None else default_volume
        fx, param = (12, vol) if vol is not None else (0, 0)
        if effect:
            if vol is not None:
                raise ValueError("token %r has both a volume and an effect"
                                 % raw)
            fx, param = effect
        pat.put(row, channel, note, smp, fx, param)


def chord_root(name):
    """Root of a chord name as a MIDI note in octave 3 ('Em' -> E3 = 52)."""
    root = name[:2] if len(name) > 1 and name[1] == "#" else name[:1]
    return 48 + NAMES[root]
