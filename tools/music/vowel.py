"""Evening out the vowel filter: per-row volumes for samples 3 and 4.

The production runs samples 3 and 4 through a formant filter whose vowel
follows the song position, changing every two rows (a, e, i, o, u).  Its
resonances lift whichever harmonics of the note lie near a formant, so the
level of one held note jumps by 20 dB and more from vowel to vowel, and the
loud vowels would clip the mix.  This pass measures, for every note these
samples play, the filter's gain on the sample at that pitch for each vowel,
and writes volume commands on the rows where the vowel changes so that the
jumps shrink to a few decibels: the voice still talks, the peaks stay put.
"""

import math

import dsp

# The vowel filter: input gain, then the feedback on the outputs 1..10
# samples back; the same table the mixer's formant unit runs (44,100 Hz).
FORMANT = [
    # a
    (8.11044e-06, 8.943665402, -36.83889529, 92.01697887, -154.337906,
     181.6233289, -151.8651235, 89.09614114, -35.10298511, 8.388101016,
     -0.923313471),
    # e
    (4.36215e-06, 8.90438318, -36.55179099, 91.05750846, -152.422234,
     179.1170248, -149.6496211, 87.78352223, -34.60687431, 8.282228154,
     -0.914150747),
    # i
    (3.33819e-06, 8.893102966, -36.49532826, 90.96543286, -152.4545478,
     179.4835618, -150.315433, 88.43409371, -34.98612086, 8.407803364,
     -0.932568035),
    # o
    (1.13572e-06, 8.994734087, -37.2084849, 93.22900521, -156.6929844,
     184.596544, -154.3755513, 90.49663749, -35.58964535, 8.478996281,
     -0.929252233),
    # u
    (4.09431e-07, 8.997322763, -37.20218544, 93.11385476, -156.2530937,
     183.7080141, -153.2631681, 89.59539726, -35.12454591, 8.338655623,
     -0.910251753),
]
assert len(FORMANT) == 5 and all(len(c) == 11 for c in FORMANT)

VOWEL_SAMPLES = (3, 4)
OUTPUT_RATE = 44100.0
CLOCK = 3546836.0
# How much of the vowel-to-vowel level swing is taken out (1 = all of it).
EVENING = 0.85

SET_VOLUME, VIBRATO, TONE_PORTA, PORTA_SLIDE, VIB_SLIDE, VOLUME_SLIDE = \
    12, 4, 3, 5, 6, 10


def vowel_of_row(row):
    """The vowel set heard on a row: (position / 2) mod 5, and position
    = order x 100 + row, whose order part is a multiple of 10."""
    return (row // 2) % 5


def _response(coeffs, w):
    """|H|^2 of one vowel set at w radians per output sample."""
    re, im = 1.0, 0.0
    for k in range(1, 11):
        re -= coeffs[k] * dsp.cos(w * k)
        im += coeffs[k] * dsp.sin(w * k)
    return coeffs[0] * coeffs[0] / (re * re + im * im)


def _short_echo(w):
    """Power gain of the short echo in front of the filter, as a plain comb
    (dry 0.5, first repeat about 0.25: the echo halves loud input), the
    left and right lines averaged."""
    total = 0.0
    for delay in (439, 849):
        re = 0.5 + 0.25 * dsp.cos(w * delay)
        im = -0.25 * dsp.sin(w * delay)
        total += re * re + im * im
    return total / 2.0


def filter_gains(partials, block_length, period):
    """Steady-state output level of each vowel for a looped sample whose
    block holds `partials` (cycles per block, amplitude), played at
    `period`: the filtered voice and the dry voice beside it."""
    rate = CLOCK / period
    powers = [0.0] * 5
    for cycles, amp in partials:
        w = dsp.TWO_PI * cycles * rate / block_length / OUTPUT_RATE
        if w >= dsp.PI:
            continue
        p = amp * amp * _short_echo(w)
        for v, c in enumerate(FORMANT):
            powers[v] += p * _response(c, w)
    dry = sum(amp * amp for _, amp in partials)
    # The output hears the dry voice at 0.5 and the filtered one at 0.8
    # (0.5 straight, 0.3 through the long echo's dry path).
    return [math.sqrt(p * 2.56 + dry) for p in powers]


class VowelModel:
    """Volume factors per (sample, tracker note, vowel), worked out once."""

    def __init__(self, samples, periods):
        self.spectra = {n: (samples[n - 1].partials,
                            samples[n - 1].loop_length)
                        for n in VOWEL_SAMPLES}
        self.periods = periods
        self.gains = {}

    def gain(self, sample, note):
        key = (sample, note)
        if key not in self.gains:
            partials, length = self.spectra[sample]
            self.gains[key] = filter_gains(partials, length,
                                           self.periods[note])
        return self.gains[key]

    def factor(self, sample, note, vowel):
        g = self.gain(sample, note)
        mean = dsp.exp(sum(dsp.log(v) for v in g) / len(g))
        return dsp.power(mean / g[vowel], EVENING)


def level_vowels(patterns, samples, periods, channels):
    """Writes the levelling volumes into the patterns, in song order.

    The filter takes its new vowel one tick after the row starts, so a
    volume can only fall on the row's first tick (a set volume, before the
    louder vowel arrives) and must rise by a slide over the row's later
    ticks (after the quieter vowel has arrived); otherwise the old vowel
    would sound for a tick at the new volume.  A note is levelled from its
    start until it stops, a slide takes over its volume, or another
    instrument plays on the channel.  Cells that already carry an effect
    keep it, except vibrato, which gives way on a vowel change."""
    model = VowelModel(samples, periods)
    state = [None] * channels        # (sample, note, base volume, volume)
    for pat in patterns:
        for r, row in enumerate(pat.rows):
            for ch in range(channels):
                state[ch] = _level_cell(row[ch], r, state[ch], model, samples)


TICKS_PER_ROW = 6


def _target(model, smp, note, base, row):
    want = int(base * model.factor(smp, note, vowel_of_row(row)) + 0.5)
    return max(1, min(64, want))


def _level_cell(cell, r, held, model, samples):
    smp = cell.sample
    if cell.note is not None:
        if smp == 0 and held:
            smp = held[0]
        if smp not in VOWEL_SAMPLES:
            return None
        if cell.effect in (TONE_PORTA, PORTA_SLIDE):
            return held and (smp, cell.note, held[2], held[3])
        base = cell.param if cell.effect == SET_VOLUME else \
            samples[smp - 1].volume
        if cell.effect not in (0, SET_VOLUME) or (cell.effect == 0 and
                                                  cell.param):
            return None                 # an effect of its own: left alone
        want = _target(model, smp, cell.note, base, r)
        if r % 2 == 0:                  # the previous vowel for one tick
            want = min(want, _target(model, smp, cell.note, base, r - 1))
        cell.effect, cell.param = SET_VOLUME, want
        return (smp, cell.note, base, want)
    if smp or held is None:
        return None
    if cell.effect in (VOLUME_SLIDE, VIB_SLIDE, PORTA_SLIDE):
        return None
    if cell.effect == SET_VOLUME:
        if cell.param == 0:
            return None
        held = (held[0], held[1], cell.param, cell.param)
    smp, note, base, current = held
    want = _target(model, smp, note, base, r)
    if want == current:
        return held
    free = cell.effect == 0 and cell.param == 0
    vibrato = cell.effect == VIBRATO
    if want < current and (free or cell.effect == SET_VOLUME or
                           (vibrato and r % 2 == 0)):
        cell.effect, cell.param = SET_VOLUME, want
        return (smp, note, base, want)
    if want > current and (free or vibrato):
        step = (want - current + 2) // (TICKS_PER_ROW - 1)
        step = max(1, min(15, step))
        cell.effect = VIB_SLIDE if vibrato else VOLUME_SLIDE
        cell.param = step << 4
        return (smp, note, base, min(64, current + step * (TICKS_PER_ROW - 1)))
    return held
