"""The tracker module file: note names, periods, cells, writing and reading.

Layout written: 20-byte title, 31 sample headers of 30 bytes, song length,
restart order, 128-entry order table, the type tag at byte 1080, the
patterns (64 rows x channels x 4 bytes), then the signed 8-bit sample data.
"""

import struct

# Finetune-0 periods of the three classic octaves, the only ones every
# player agrees on.
#           C    C#   D    D#   E    F    F#   G    G#   A    A#   B
PERIODS = [
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,   # octave 1
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,   # octave 2
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,   # octave 3
]
assert len(PERIODS) == 36

NOTE_NAMES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]

SAMPLE_COUNT = 31
ROWS = 64


def note_number(name):
    """'C-1' or 'C1' -> 0, 'B3' -> 35: semitones above C-1."""
    text = name.replace("-", "")
    octave = int(text[-1])
    pitch = NOTE_NAMES.index(text[:-1].upper())
    n = (octave - 1) * 12 + pitch
    if not 0 <= n < 36 or not 1 <= octave <= 3:
        raise ValueError("note out of the three octaves: %s" % name)
    return n


def period_of(n):
    if not 0 <= n < 36:
        raise ValueError("note %d is outside C-1..B-3" % n)
    return PERIODS[n]


def sample_rate_at(n, clock=3546836.0):
    """Playback rate in bytes per second of a sample played at note n."""
    return clock / PERIODS[n]


class Cell:
    __slots__ = ("note", "sample", "effect", "param")

    def __init__(self, note=None, sample=0, effect=0, param=0):
        self.note = note            # 0..35 or None
        self.sample = sample        # 0..31
        self.effect = effect        # 0..15
        self.param = param          # 0..255

    def encode(self):
        period = 0 if self.note is None else period_of(self.note)
        if not 0 <= self.sample <= SAMPLE_COUNT:
            raise ValueError("sample number %d" % self.sample)
        if not (0 <= self.effect <= 15 and 0 <= self.param <= 255):
            raise ValueError("effect %X%02X" % (self.effect, self.param))
        return bytes((
            (self.sample & 0xF0) | (period >> 8),
            period & 0xFF,
            ((self.sample & 0x0F) << 4) | self.effect,
            self.param,
        ))


class Sample:
    def __init__(self, name, data, volume, loop_start=0, loop_length=0):
        """data: list of ints -128..127 of even length; loop in bytes."""
        if len(data) % 2 or loop_start % 2 or loop_length % 2:
            raise ValueError("%s: lengths must be whole words" % name)
        if loop_length and loop_start + loop_length > len(data):
            raise ValueError("%s: loop runs past the data" % name)
        if len(data) > 131070:
            raise ValueError("%s: longer than a module sample can be" % name)
        self.name = name
        self.data = data
        self.volume = volume
        self.loop_start = loop_start
        self.loop_length = loop_length


def write_module(path, title, samples, patterns, orders, channels, restart=0):
    """samples: 31 Sample; patterns: list of [64 rows][channels] Cell."""
    tags = {4: b"M.K.", 6: b"6CHN", 8: b"8CHN"}
    if len(samples) != SAMPLE_COUNT:
        raise ValueError("need 31 samples")
    out = bytearray(title.encode("ascii")[:20].ljust(20, b"\0"))
    for s in samples:
        loop_words = s.loop_length // 2 if s.loop_length > 2 else 1
        loop_start = s.loop_start // 2 if s.loop_length > 2 else 0
        out += s.name.encode("ascii")[:22].ljust(22, b"\0")
        out += struct.pack(">HBBHH", len(s.data) // 2, 0, s.volume,
                           loop_start, loop_words)
    table = list(orders) + [0] * (128 - len(orders))
    out += bytes((len(orders), restart)) + bytes(table)
    out += tags[channels]
    for pat in patterns:
        if len(pat) != ROWS:
            raise ValueError("pattern of %d rows" % len(pat))
        for row in pat:
            for cell in row:
                out += cell.encode()
    for s in samples:
        out += bytes(v & 0xFF for v in s.data)
    with open(path, "wb") as f:
        f.write(out)
    return len(out)


def read_module(blob):
    """Parse a module into plain dictionaries (used by the checks)."""
    if len(blob) < 1084:
        raise ValueError("file too short for a 31-sample module")
    tag = blob[1080:1084]
    channels = {b"M.K.": 4, b"M!K!": 4, b"4CHN": 4, b"6CHN": 6,
                b"8CHN": 8}.get(bytes(tag))
    if channels is None:
        raise ValueError("unknown type tag %r" % bytes(tag))
    samples = []
    for i in range(SAMPLE_COUNT):
        h = blob[20 + 30 * i: 50 + 30 * i]
        length, fine, vol, ls, ll = struct.unpack(">HBBHH", h[22:30])
        samples.append({"name": h[:22].rstrip(b"\0").decode("ascii", "replace"),
                        "length": length * 2, "finetune": fine & 15,
                        "volume": vol, "loop_start": ls * 2,
                        "loop_length": ll * 2})
    song_length, restart = blob[950], blob[951]
    orders = list(blob[952:1080])
    count = max(orders) + 1
    pos = 1084
    patterns = []
    for _ in range(count):
        rows = []
        for _r in range(ROWS):
            row = []
            for _c in range(channels):
                b = blob[pos:pos + 4]
                if len(b) < 4:
                    raise ValueError("pattern data cut short")
                period = ((b[0] & 15) << 8) | b[1]
                row.append({"sample": (b[0] & 0xF0) | (b[2] >> 4),
                            "period": period, "effect": b[2] & 15,
                            "param": b[3]})
                pos += 4
            rows.append(row)
        patterns.append(rows)
    for s in samples:
        s["data"] = bytes(blob[pos:pos + s["length"]])
        pos += s["length"]
    if pos > len(blob):
        raise ValueError("sample data cut short")
    return {"channels": channels, "song_length": song_length,
            "restart": restart, "orders": orders[:song_length],
            "samples": samples, "patterns": patterns, "tag": bytes(tag)}
