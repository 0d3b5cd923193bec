"""The 31 instruments of the song, one function each, and their table.

Index
  tuned, long echo ...... kalimba, marimba, guitar, flute, agogo, log drum,
                          muted guitar, horn stab, talking drum, clap, cowbell
  tuned, vowel filter ... lead, choir
  dry ................... congas, djembes, kick, bass, shakers, hats, toms,
                          crash, snare, sub bass, rim, riser
  INSTRUMENTS ........... the table: number, builder, concert pitch at C-2,
                          the note drums are struck at

The sample numbers are fixed by the production: 18 is the main drum and 19
the short bright hit that drive its beat pulses; 3 and 4 run through the
vowel filter; 1, 2, 5-12, 19 and 21 through the long echo; the rest is dry.
Sample volumes (the last argument of one_shot / looped) set the mix.
"""

import dsp
from voices import (attack_into, base_freq, harmonic_partials, looped,
                    modal, one_shot, rate_at)

# Concert pitch (MIDI) that sounds at tracker C-2, per tuned instrument.
C4, C5, C3, C2 = 60, 72, 48, 36


def _count(rate, seconds):
    return int(rate * seconds)


# ---------------------------------------------------------------- long echo

def kalimba():
    rate = rate_at("C-3")
    f = base_freq(C5, "C-3")
    n = _count(rate, 1.3)
    tone = modal(rate, n, [
        (f,         1.00, 1.30, 0.0),
        (f * 2.01,  0.05, 0.40, 0.0),
        (f * 5.43,  0.22, 0.16, 0.0),
        (f * 7.12,  0.06, 0.07, 0.0),
    ], attack=0.0015)
    tick = dsp.bandpass(dsp.white_noise(n, 11), rate, 3200, 1.2)
    click = dsp.multiply(tick, dsp.exp_decay(n, rate, 0.012))
    return one_shot("kalimba", dsp.mix((tone, 1.0), (click, 0.25)), rate, 17)


def marimba():
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    n = _count(rate, 1.0)
    tone = modal(rate, n, [
        (f,          1.00, 0.90, 0.0),
        (f * 3.93,   0.30, 0.22, 0.0),
        (f * 9.21,   0.08, 0.06, 0.0),
    ], attack=0.002)
    return one_shot("marimba", tone, rate, 15)


def guitar():
    """Bright plucked string: harmonics plucked near the bridge, the upper
    ones dying first, a faint pick noise."""
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    n = _count(rate, 1.2)
    parts = harmonic_partials(
        f, 14,
        amp_of=lambda k: dsp.sin(dsp.PI * k * 0.18) / dsp.power(k, 0.9),
        decay_of=lambda k: 1.6 / (1.0 + 0.45 * (k - 1)),
        stretch=0.0004)
    tone = modal(rate, n, parts, attack=0.0008)
    pick = dsp.highpass(dsp.white_noise(n, 5), rate, 2500)
    pick = dsp.multiply(pick, dsp.exp_decay(n, rate, 0.008))
    return one_shot("guitar", dsp.mix((tone, 1.0), (pick, 0.15)), rate, 16)


def flute():
    rate = rate_at("C-3")
    f = base_freq(C5, "C-3")
    length, cycles, _ = dsp.loop_length(rate, f, 2000, 2400)
    block = dsp.additive_period([(cycles, 1.0)], length,
                                lambda c: [(1, 1.0), (2, 0.16), (3, 0.07)])
    a = _count(rate, 0.07)
    attack = attack_into(block, a, lambda x: x * x * (3 - 2 * x))
    chiff = dsp.bandpass(dsp.white_noise(a, 21), rate, 2 * f, 2.0)
    env = dsp.exp_decay(a, rate, 0.09)
    attack = [s + 0.35 * c * e for s, c, e in zip(attack, chiff, env)]
    return looped("flute", attack, block, 18, rate)


def agogo(name, freq, seed):
    rate = rate_at("C-3")
    n = _count(rate, 0.45)
    tone = modal(rate, n, [
        (freq,        1.00, 0.45, 0.0),
        (freq * 2.41, 0.45, 0.25, 0.0),
        (freq * 4.13, 0.20, 0.10, 0.0),
    ], attack=0.0005)
    hit = dsp.multiply(dsp.highpass(dsp.white_noise(n, seed), rate, 3000),
                       dsp.exp_decay(n, rate, 0.006))
    return one_shot(name, dsp.mix((tone, 1.0), (hit, 0.2)), rate, 24)


def agogo_high():
    return agogo("agogo high", 1320.0, 31)


def agogo_low():
    return agogo("agogo low", 990.0, 32)


def log_drum():
    rate = rate_at("C-3")
    f = base_freq(C3, "C-3")
    n = _count(rate, 0.5)
    tone = modal(rate, n, [
        (f,        1.00, 0.45, 0.0),
        (f * 2.7,  0.35, 0.12, 0.0),
        (f * 4.9,  0.10, 0.05, 0.0),
    ], attack=0.001)
    return one_shot("log drum", tone, rate, 40)


def muted_guitar():
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    n = _count(rate, 0.35)
    parts = harmonic_partials(
        f, 10,
        amp_of=lambda k: dsp.sin(dsp.PI * k * 0.22) / k,
        decay_of=lambda k: 0.30 / (1.0 + 0.6 * (k - 1)))
    return one_shot("muted guitar", modal(rate, n, parts, 0.001), rate, 20)


def horn_stab():
    """Brass section hitting a major chord (just intonation 4:5:6:8): the
    upper harmonics close down quickly, the body rings on a little."""
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    n = _count(rate, 0.7)
    parts = []
    for ratio, gain in ((1.0, 1.0), (1.25, 0.8), (1.5, 0.8), (2.0, 0.5)):
        parts += harmonic_partials(
            f * ratio, 12,
            amp_of=lambda k, g=gain: g / k,
            decay_of=lambda k: 0.65 / (1.0 + 0.35 * (k - 1)))
    tone = modal(rate, n, parts, attack=0.012)
    tone = [dsp.soft_clip(1.2 * v / 3.0) for v in tone]
    return one_shot("horn stab", tone, rate, 20, fade=0.06)


def talking_drum():
    """A pressed drum: the pitch rises as the cords tighten, then sags."""
    rate = rate_at("C-3")
    n = _count(rate, 0.55)
    phase = 0.0
    out = []
    for i in range(n):
        t = i / rate
        bend = 1.0 + 0.45 * (1.0 - dsp.exp(-t / 0.06)) * dsp.exp(-t / 0.3)
        phase += dsp.TWO_PI * 150.0 * bend / rate
        out.append(dsp.sin(phase) + 0.25 * dsp.sin(2.0 * phase))
    env = dsp.attack_decay(n, rate, 0.002, 0.5)
    return one_shot("talking drum", dsp.multiply(out, env), rate, 28)


def clap():
    """Three quick hand claps blurred into one, then a short room tail."""
    rate = rate_at("A-3")
    n = _count(rate, 0.26)
    noise = dsp.white_noise(n, 19)
    body = dsp.bandpass(noise, rate, 1300, 1.1)
    air = dsp.bandpass(noise, rate, 3800, 1.4)
    sig = dsp.mix((body, 1.0), (air, 0.6))
    env = []
    for i in range(n):
        t = i / rate
        bursts = sum(dsp.exp(-(t - t0) / 0.0045) for t0 in (0.0, 0.011, 0.022)
                     if t >= t0)
        tail = dsp.exp(-(t - 0.022) / 0.05) if t >= 0.022 else 0.0
        env.append(min(1.0, bursts) * 0.9 + 0.55 * tail)
    return one_shot("clap", dsp.multiply(sig, env), rate, 40, fade=0.03)


def cowbell():
    rate = rate_at("C-3")
    n = _count(rate, 0.35)
    sig = []
    for i in range(n):
        t = i / rate
        a = 1.0 if (t * 562.0) % 1.0 < 0.5 else -1.0
        b = 1.0 if (t * 845.0) % 1.0 < 0.5 else -1.0
        sig.append(a + b)
    sig = dsp.bandpass(sig, rate, 2400, 1.0)
    env = dsp.attack_decay(n, rate, 0.0005, 0.3)
    return one_shot("cowbell", dsp.multiply(sig, env), rate, 20)


# ---------------------------------------------------------------- vowel filter

def lead():
    """Two saws a few cents apart: bright and alive, for the vowel filter."""
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    length, cycles, _ = dsp.loop_length(rate, f / 2, 7400, 7800)
    cycles *= 2
    top = 0.46 * length
    voices = [(cycles, 1.0), (cycles + 1, 0.3)]
    block = dsp.additive_period(voices, length, dsp.saw_harmonics(top))
    attack = attack_into(block, _count(rate, 0.012), lambda x: x)
    s = looped("lead", attack, block, 20, rate)
    s.partials = dsp.additive_partials(voices, dsp.saw_harmonics(top))
    return s


def choir():
    """A major chord of soft saws, each voice doubled a few cents apart."""
    rate = rate_at("C-3")
    f = base_freq(C4, "C-3")
    length, cycles, _ = dsp.loop_length(rate, f / 40.0, 4900, 5300)
    m = cycles * 10                  # root 4m, third 5m, fifth 6m cycles
    voices = []
    for ratio, gain in ((4, 1.0), (5, 0.7), (6, 0.8)):
        voices += [(m * ratio, gain), (m * ratio + 1, gain * 0.5)]
    harmonics = dsp.saw_harmonics(0.46 * length, rolloff=1.4)
    block = dsp.additive_period(voices, length, harmonics)
    attack = attack_into(block, _count(rate, 0.09),
                         lambda x: x * x * (3 - 2 * x))
    s = looped("choir", attack, block, 10, rate)
    s.partials = dsp.additive_partials(voices, harmonics)
    return s


# ---------------------------------------------------------------- dry drums

def drum_tone(rate, seconds, f_end, f_start, sweep, decay, noise_gain,
              noise_centre, noise_decay, seed):
    """Membrane: a sine gliding down in pitch plus a filtered noise burst."""
    n = _count(rate, seconds)
    phase = 0.0
    tone = []
    for i in range(n):
        t = i / rate
        f = f_end + (f_start - f_end) * dsp.exp(-t / sweep)
        phase += dsp.TWO_PI * f / rate
        tone.append(dsp.sin(phase))
    tone = dsp.multiply(tone, dsp.attack_decay(n, rate, 0.0008, decay))
    hit = dsp.bandpass(dsp.white_noise(n, seed), rate, noise_centre, 1.0)
    hit = dsp.multiply(hit, dsp.exp_decay(n, rate, noise_decay))
    return dsp.mix((tone, 1.0), (hit, noise_gain))


def conga_open():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.45, 330, 390, 0.015, 0.42, 0.35, 1500, 0.02, 13)
    return one_shot("conga open", sig, rate, 30)


def conga_mute():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.12, 340, 420, 0.01, 0.07, 0.6, 1100, 0.015, 14)
    return one_shot("conga mute", sig, rate, 26)


def conga_low():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.5, 220, 265, 0.02, 0.45, 0.3, 1200, 0.02, 15)
    return one_shot("tumba open", sig, rate, 30)


def djembe_bass():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.4, 75, 140, 0.02, 0.32, 0.25, 700, 0.02, 16)
    return one_shot("djembe bass", sig, rate, 36)


def djembe_slap():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.25, 420, 500, 0.01, 0.12, 1.2, 2600, 0.04, 17)
    return one_shot("djembe slap", sig, rate, 26)


def kick():
    """Deep kick: a fast pitch drop from 160 Hz to 48 Hz, a short click,
    driven a little so it carries on small speakers."""
    rate = rate_at("C-3")
    n = _count(rate, 0.42)
    body = drum_tone(rate, 0.42, 48, 160, 0.028, 0.40, 0.0, 1000, 0.01, 18)
    click = dsp.highpass(dsp.white_noise(n, 180), rate, 1500)
    click = dsp.multiply(click, dsp.exp_decay(n, rate, 0.006))
    beater = modal(rate, n, [(1250.0, 1.0, 0.012, 0.0), (2300.0, 0.5, 0.008, 0.0)])
    sig = dsp.mix((body, 1.0), (click, 0.7), (beater, 0.35))
    sig = [dsp.soft_clip(1.4 * v) for v in sig]
    return one_shot("kick", sig, rate, 64, fade=0.03)


def bass():
    """Round fingered bass: warm harmonics that die from the top down,
    a touch of drive."""
    rate = rate_at("C-2")
    f = base_freq(C2, "C-2")
    n = _count(rate, 1.5)
    parts = harmonic_partials(
        f, 24,
        amp_of=lambda k: 1.0 / dsp.power(k, 1.15),
        decay_of=lambda k: 1.6 / (1.0 + 0.55 * (k - 1)))
    tone = modal(rate, n, parts, attack=0.004)
    tone = dsp.normalise(tone)
    tone = [dsp.soft_clip(1.3 * v) for v in tone]
    return one_shot("bass", tone, rate, 44, fade=0.05)


def sub_bass():
    rate = rate_at("C-2")
    f = base_freq(C2, "C-2")
    length, cycles, _ = dsp.loop_length(rate, f, 1200, 1400)
    block = dsp.additive_period([(cycles, 1.0)], length,
                                lambda c: [(1, 1.0), (2, 0.2), (3, 0.06)])
    attack = attack_into(block, _count(rate, 0.01), lambda x: x)
    return looped("sub bass", attack, block, 22, rate)


def shaker():
    rate = rate_at("B-3")
    n = _count(rate, 0.11)
    sig = dsp.bandpass(dsp.white_noise(n, 22), rate, 7500, 0.9)
    env = dsp.attack_decay(n, rate, 0.012, 0.07)
    return one_shot("shaker", dsp.multiply(sig, env), rate, 24)


def metal(rate, n, seed):
    """Six detuned square waves, the usual recipe for a cymbal's shimmer."""
    freqs = (205.3, 304.4, 369.6, 522.7, 540.0, 800.0)
    sig = []
    for i in range(n):
        t = i / rate
        sig.append(sum(1.0 if (t * f * 2.1) % 1.0 < 0.5 else -1.0
                       for f in freqs))
    noise = dsp.white_noise(n, seed)
    return dsp.mix((sig, 0.12), (noise, 0.5))


def hat_closed():
    rate = rate_at("B-3")
    n = _count(rate, 0.07)
    sig = dsp.highpass(metal(rate, n, 23), rate, 7000)
    env = dsp.attack_decay(n, rate, 0.0004, 0.05)
    return one_shot("hat closed", dsp.multiply(sig, env), rate, 26)


def hat_open():
    rate = rate_at("B-3")
    n = _count(rate, 0.4)
    sig = dsp.highpass(metal(rate, n, 24), rate, 6500)
    env = dsp.attack_decay(n, rate, 0.0004, 0.38)
    return one_shot("hat open", dsp.multiply(sig, env), rate, 22, fade=0.04)


def tom_low():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.5, 98, 160, 0.03, 0.45, 0.2, 900, 0.02, 25)
    return one_shot("tom low", sig, rate, 40)


def tom_high():
    rate = rate_at("C-3")
    sig = drum_tone(rate, 0.45, 147, 230, 0.03, 0.4, 0.2, 1100, 0.02, 26)
    return one_shot("tom high", sig, rate, 40)


def crash():
    rate = rate_at("G-3")
    n = _count(rate, 1.8)
    sig = dsp.highpass(metal(rate, n, 27), rate, 3500)
    sig = dsp.mix((sig, 1.0), (dsp.bandpass(sig, rate, 6000, 0.7), 0.5))
    env = dsp.attack_decay(n, rate, 0.001, 1.7)
    return one_shot("crash", dsp.multiply(sig, env), rate, 24, fade=0.2)


def snare():
    rate = rate_at("A-3")
    n = _count(rate, 0.25)
    body = drum_tone(rate, 0.25, 185, 240, 0.01, 0.09, 0.0, 1000, 0.01, 28)
    wires = dsp.highpass(dsp.white_noise(n, 280), rate, 1800)
    wires = dsp.multiply(wires, dsp.attack_decay(n, rate, 0.0005, 0.2))
    return one_shot("snare", dsp.mix((body, 0.7), (wires, 0.6)), rate, 30)


def rim():
    rate = rate_at("A-3")
    n = _count(rate, 0.06)
    tone = modal(rate, n, [(1650.0, 1.0, 0.03, 0.0), (2900.0, 0.4, 0.015, 0.0)],
                 attack=0.0002)
    hit = dsp.multiply(dsp.highpass(dsp.white_noise(n, 30), rate, 3000),
                       dsp.exp_decay(n, rate, 0.005))
    return one_shot("rim", dsp.mix((tone, 1.0), (hit, 0.4)), rate, 24)


def riser():
    """Noise swelling up in level and brightness for 1.9 s: the run-up
    into a new section, cut dead at its top."""
    rate = rate_at("G-3")
    n = _count(rate, 1.9)
    noise = dsp.white_noise(n, 31)
    cut = [400.0 + 9000.0 * (i / n) * (i / n) for i in range(n)]
    sig = dsp.svf_lowpass_sweep(noise, rate, cut, q=1.6)
    env = [dsp.power(i / n, 2.5) if i else 0.0 for i in range(n)]
    return one_shot("riser", dsp.multiply(sig, env), rate, 26, fade=0.004)


# ---------------------------------------------------------------- the table

# number, builder, concert MIDI pitch at tracker C-2 (tuned) or None,
# tracker note a drum is struck at (None for tuned instruments)
INSTRUMENTS = [
    (1,  kalimba,      C5,   None),
    (2,  marimba,      C4,   None),
    (3,  lead,         C4,   None),
    (4,  choir,        C4,   None),
    (5,  guitar,       C4,   None),
    (6,  flute,        C5,   None),
    (7,  agogo_high,   None, "C-3"),
    (8,  agogo_low,    None, "C-3"),
    (9,  log_drum,     C3,   None),
    (10, muted_guitar, C4,   None),
    (11, horn_stab,    C4,   None),
    (12, talking_drum, None, "C-3"),
    (13, conga_open,   None, "C-3"),
    (14, conga_mute,   None, "C-3"),
    (15, conga_low,    None, "C-3"),
    (16, djembe_bass,  None, "C-3"),
    (17, djembe_slap,  None, "C-3"),
    (18, kick,         None, "C-3"),
    (19, clap,         None, "A-3"),
    (20, bass,         C2,   None),
    (21, cowbell,      None, "C-3"),
    (22, shaker,       None, "B-3"),
    (23, hat_closed,   None, "B-3"),
    (24, hat_open,     None, "B-3"),
    (25, tom_low,      None, "C-3"),
    (26, tom_high,     None, "C-3"),
    (27, crash,        None, "G-3"),
    (28, snare,        None, "A-3"),
    (29, sub_bass,     C2,   None),
    (30, rim,          None, "A-3"),
    (31, riser,        None, "G-3"),
]
assert [row[0] for row in INSTRUMENTS] == list(range(1, 32))


def build_samples(progress=None):
    samples = []
    for number, builder, _c2, _note in INSTRUMENTS:
        if progress:
            progress(number, builder.__name__)
        samples.append(builder())
    return samples
