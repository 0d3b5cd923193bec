"""Building blocks shared by the instruments: pitch, modal tones, sample packing.

A melodic sample is described by the concert pitch that sounds at tracker
note C-2 (`c2`, a MIDI number); the score is written in concert pitch and
`tracker_note` turns it into the tracker's note for that sample.
"""

import math

import dsp
from modfile import PERIODS, Sample, note_number


def midi_freq(m):
    return 440.0 * dsp.semitones(m - 69)


def rate_at(note_name):
    """Playback rate (bytes per second) of a sample played at this note."""
    return 3546836.0 / PERIODS[note_number(note_name)]


def base_freq(c2, base_note):
    """Concert frequency that a sample must hold to sound right at base_note."""
    return midi_freq(c2 + note_number(base_note) - 12)


# ---------------------------------------------------------------- modal tones

def modal(rate, count, partials, attack=0.001):
    """Sum of exponentially decaying sines.

    partials: (frequency Hz, amplitude, seconds to fall 60 dB, phase).
    Each partial runs the exact damped-sine recursion
    y[n] = 2 r cos(w) y[n-1] - r^2 y[n-2], one multiply-add per sample.
    """
    out = [0.0] * count
    nyquist = rate * 0.47
    for freq, amp, decay, phase in partials:
        if freq >= nyquist or amp == 0.0:
            continue
        w = dsp.TWO_PI * freq / rate
        r = dsp.exp(-6.907755278982137 / (decay * rate))
        c = 2.0 * r * dsp.cos(w)
        r2 = r * r
        y1 = amp * dsp.sin(phase)                  # n = 0
        y0 = amp * r * dsp.sin(w + phase)          # n = 1
        out[0] += y1
        if count > 1:
            out[1] += y0
        for n in range(2, count):
            y1, y0 = y0, c * y0 - r2 * y1
            out[n] += y0
    a = max(1, int(attack * rate))
    for i in range(min(a, count)):
        out[i] *= i / a
    return out


def harmonic_partials(freq, count, amp_of, decay_of, stretch=0.0):
    """Partials of a (slightly stretched) harmonic series."""
    parts = []
    for k in range(1, count + 1):
        f = freq * k * (1.0 + stretch * (k * k - 1))
        parts.append((f, amp_of(k), decay_of(k), 0.0))
    return parts


# ---------------------------------------------------------------- packing

def quantise(sig, level):
    """Floats scaled so the peak is `level` x full scale, to signed bytes."""
    p = dsp.peak(sig)
    g = 127.0 * level / p if p else 0.0
    out = []
    for v in sig:
        q = int(math.floor(v * g + 0.5))
        out.append(-128 if q < -128 else 127 if q > 127 else q)
    return out


def one_shot(name, sig, rate, volume, level=0.99, fade=0.01):
    """An unlooped sample: two zero bytes first (a stopped voice rests on
    them in silence), a short fade to zero at the end, even length."""
    sig = dsp.fade_tail(list(sig), rate, fade)
    data = [0, 0] + quantise(sig, level)
    data += [0] * (2 + (len(data) & 1))
    s = Sample(name, data, volume)
    s.rate = rate
    return s


def looped(name, attack, block, volume, rate, level=0.99):
    """An attack followed by a seamless loop over `block`.

    The block is written once more as two guard bytes after the loop, so a
    player that reads one byte past the loop end (or interpolates across
    it) meets the loop's own start values."""
    if len(attack) % 2:
        attack = [block[-1]] + list(attack)
    if len(block) % 2:
        raise ValueError(name + ": loop block must be a whole number of words")
    body = list(attack) + list(block) + list(block[:2])
    q = quantise(body, level)
    data = [0, 0] + q
    loop_start = 2 + len(attack)
    s = Sample(name, data, volume, loop_start, len(block))
    s.rate = rate
    return s


def attack_into(block, length, shape):
    """`length` samples that lead into block[0], scaled by shape(0..1)."""
    n = len(block)
    return [block[(i - length) % n] * shape(i / length) for i in range(length)]
