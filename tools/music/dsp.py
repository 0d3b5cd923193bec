"""Sound-making primitives for the sample synthesiser.

Everything here uses only IEEE double arithmetic (+, -, *, /, floor, sqrt,
ldexp), never the platform's libm transcendental functions, so that the
generator gives the same bytes on every machine and Python version.
"""

import math

PI = 3.141592653589793
TWO_PI = 6.283185307179586
LN2 = 0.6931471805599453


# ---------------------------------------------------------------- math

def sin(x):
    """Sine by range reduction and a Taylor series (error below 1e-13)."""
    k = math.floor(x / TWO_PI + 0.5)
    r = x - k * TWO_PI                      # -pi .. pi
    if r > PI / 2:
        r = PI - r
    elif r < -PI / 2:
        r = -PI - r
    r2 = r * r
    term = r
    total = r
    for n in (2, 4, 6, 8, 10, 12, 14, 16):
        term = -term * r2 / (n * (n + 1))
        total += term
    return total


def cos(x):
    return sin(x + PI / 2)


def exp(x):
    """e**x by halving into powers of two and a Taylor series."""
    k = math.floor(x / LN2 + 0.5)
    r = x - k * LN2                         # |r| <= ln2 / 2
    term = 1.0
    total = 1.0
    for n in range(1, 16):
        term = term * r / n
        total += term
    return math.ldexp(total, int(k))


def log(x):
    """Natural logarithm: x = m * 2**e exactly, then an atanh series on m."""
    if x <= 0.0:
        raise ValueError("log of %r" % x)
    m, e = math.frexp(x)                    # 0.5 <= m < 1
    if m < 0.7071067811865476:
        m, e = m * 2.0, e - 1
    z = (m - 1.0) / (m + 1.0)
    z2 = z * z
    term = z
    total = 0.0
    for n in range(1, 40, 2):
        total += term / n
        term *= z2
    return 2.0 * total + e * LN2


def power(x, y):
    return exp(y * log(x))


def semitones(n):
    """Frequency ratio of n equal-tempered semitones."""
    return exp(n * LN2 / 12.0)


def db(gain_db):
    return exp(gain_db * 0.11512925464970229)   # ln(10) / 20


# ---------------------------------------------------------------- noise

class Prng:
    """xorshift32: small, seeded, the same sequence everywhere."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 0x9E3779B9

    def next_u32(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def uniform(self):
        """-1 .. 1"""
        return self.next_u32() / 2147483648.0 - 1.0

    def below(self, n):
        return self.next_u32() % n


def white_noise(count, seed):
    rng = Prng(seed)
    return [rng.uniform() for _ in range(count)]


# ---------------------------------------------------------------- envelopes

def exp_decay(count, rate, seconds):
    """Gain falling by 60 dB over `seconds`."""
    if seconds <= 0.0:
        return [0.0] * count
    k = exp(-6.907755278982137 / (seconds * rate))   # ln(1000)
    out = []
    g = 1.0
    for _ in range(count):
        out.append(g)
        g *= k
    return out


def attack_decay(count, rate, attack, decay):
    """Linear rise over `attack` seconds, then a 60 dB fall over `decay`."""
    a = max(1, int(attack * rate))
    env = exp_decay(count, rate, decay)
    for i in range(min(a, count)):
        env[i] *= i / a
    return env


def fade_tail(sig, rate, seconds):
    """Raised-cosine fade over the last `seconds`, so one-shots end in silence."""
    n = min(len(sig), max(1, int(seconds * rate)))
    start = len(sig) - n
    for i in range(n):
        w = 0.5 + 0.5 * cos(PI * (i + 1) / n)
        sig[start + i] *= w
    return sig


# ---------------------------------------------------------------- filters

def one_pole_lowpass(sig, rate, cutoff):
    a = 1.0 - exp(-TWO_PI * cutoff / rate)
    y = 0.0
    out = []
    for x in sig:
        y += a * (x - y)
        out.append(y)
    return out


def one_pole_highpass(sig, rate, cutoff):
    low = one_pole_lowpass(sig, rate, cutoff)
    return [x - l for x, l in zip(sig, low)]


def biquad(sig, b0, b1, b2, a1, a2):
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for x in sig:
        y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out.append(y)
    return out


def bandpass(sig, rate, centre, q):
    """Constant 0 dB peak gain band-pass (the usual cookbook form)."""
    w = TWO_PI * centre / rate
    alpha = sin(w) / (2.0 * q)
    a0 = 1.0 + alpha
    return biquad(sig, alpha / a0, 0.0, -alpha / a0,
                  -2.0 * cos(w) / a0, (1.0 - alpha) / a0)


def lowpass(sig, rate, cutoff, q=0.7071):
    w = TWO_PI * cutoff / rate
    alpha = sin(w) / (2.0 * q)
    c = cos(w)
    a0 = 1.0 + alpha
    return biquad(sig, (1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0,
                  -2.0 * c / a0, (1.0 - alpha) / a0)


def highpass(sig, rate, cutoff, q=0.7071):
    w = TWO_PI * cutoff / rate
    alpha = sin(w) / (2.0 * q)
    c = cos(w)
    a0 = 1.0 + alpha
    return biquad(sig, (1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0,
                  -2.0 * c / a0, (1.0 - alpha) / a0)


def svf_lowpass_sweep(sig, rate, cutoffs, q=0.8):
    """State-variable low-pass whose cutoff follows a per-sample list."""
    low = band = 0.0
    damp = 1.0 / q
    out = []
    for x, fc in zip(sig, cutoffs):
        f = 2.0 * sin(PI * min(fc, rate * 0.22) / rate)
        for _ in range(2):                  # two half steps keep it stable
            high = x - low - damp * band
            band += 0.5 * f * high
            low += 0.5 * f * band
        out.append(low)
    return out


# ---------------------------------------------------------------- shaping

def soft_clip(x):
    """Cubic saturation, smooth up to |x| = 1.5."""
    if x > 1.5:
        return 1.0
    if x < -1.5:
        return -1.0
    return x - x * x * x / 6.75


def mix(*parts):
    n = max(len(p) for p, _ in parts)
    out = [0.0] * n
    for sig, gain in parts:
        for i, v in enumerate(sig):
            out[i] += v * gain
    return out


def multiply(sig, env):
    return [a * b for a, b in zip(sig, env)]


def peak(sig):
    return max((abs(v) for v in sig), default=0.0)


def normalise(sig, level=1.0):
    p = peak(sig)
    if p == 0.0:
        return list(sig)
    g = level / p
    return [v * g for v in sig]


# ---------------------------------------------------------------- oscillators

def additive_period(cycles_and_gains, length, harmonics_for):
    """One exactly periodic block of `length` samples.

    cycles_and_gains: list of (cycles in the block, gain) voices; every voice
    completes a whole number of cycles, so the block loops without a seam.
    harmonics_for(cycles) gives the (harmonic number, amplitude) list.
    """
    out = [0.0] * length
    for cycles, gain in cycles_and_gains:
        for h, amp in harmonics_for(cycles):
            step = TWO_PI * cycles * h / length
            # sin((n+1)w) = 2 cos(w) sin(nw) - sin((n-1)w): exact enough and
            # fast; restarted every 256 samples to keep the error tiny.
            a = amp * gain
            n = 0
            while n < length:
                s_prev = sin(step * (n - 1))
                s_cur = sin(step * n)
                c2 = 2.0 * cos(step)
                end = min(length, n + 256)
                while n < end:
                    out[n] += a * s_cur
                    s_prev, s_cur = s_cur, c2 * s_cur - s_prev
                    n += 1
    return out


def additive_partials(cycles_and_gains, harmonics_for):
    """The spectrum additive_period makes: (cycles in the block, amplitude)
    per partial, partials of the same frequency summed (they share phase)."""
    bins = {}
    for cycles, gain in cycles_and_gains:
        for h, amp in harmonics_for(cycles):
            bins[cycles * h] = bins.get(cycles * h, 0.0) + amp * gain
    return sorted(bins.items())


def saw_harmonics(limit_ratio, rolloff=1.0):
    """Harmonics of a band-limited saw: up to `limit_ratio` x the block rate."""
    def harmonics(cycles):
        top = max(1, int(limit_ratio / cycles))
        return [(h, 1.0 / power(h, rolloff)) for h in range(1, top + 1)]
    return harmonics


def loop_length(rate, freq, min_len, max_len):
    """Even block length and cycle count whose pitch is nearest `freq`.

    Returns (length, cycles, cents off)."""
    best = None
    for length in range(min_len + (min_len & 1), max_len + 1, 2):
        cycles = int(length * freq / rate + 0.5)
        if cycles < 1:
            continue
        f = cycles * rate / length
        err = abs(f / freq - 1.0)
        if best is None or err < best[0]:
            best = (err, length, cycles)
    err, length, cycles = best
    cents = 1731.2340490667560 * (cycles * rate / length / freq - 1.0)  # ~1200/ln2
    return length, cycles, cents
