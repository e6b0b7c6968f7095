"""Our own instruments, rendered in numpy: the sleigh bells, the 8-bit
computer's pulse, triangle and noise channels, and the effects (risers,
swishes, the sub-bass boom). Each renderer takes a part's notes and returns
the part for the whole song: mono (samples,) or stereo (samples, 2)."""

import numpy as np

from .parts import (BELL_STRIKE, BELLS, BOOM, DOWNER, NOISE, NOISE_HAT, NOISE_KICK, NOISE_SNARE,
                    PULSE, RISER, TRIANGLE, VOICE, WHOOSH)
from .score import CENTS_PER_OCTAVE, frequency, loudness
from .timing import SAMPLE_RATE, samples
from .voice import sing

# Sleigh bells: each bell rings with a few inharmonic partials.
JINGLES_PER_STRIKE = 14
JINGLES_PER_SHAKE = 18
STRIKE_SPREAD_S = 0.008      # a hit: every bell within a few ms
SHAKE_SPREAD_S = 0.045
BELL_LOW_HZ, BELL_HIGH_HZ = 2600.0, 5600.0
BELL_RATIOS = ((1.0, 1.0), (1.5, 1.8), (2.2, 2.8))  # partials' ranges above the lowest
BELL_WEIGHTS = (1.0, 0.6, 0.35)
BELL_LOUDNESS = (0.5, 1.0)   # no two bells of a bunch alike
BELL_DECAY_S = (0.05, 0.16)
BELL_LENGTH_S = 0.5
BELL_VARIANTS = 8
BELL_SPREAD = 0.6            # stereo width of a bunch of bells

# 8-bit channels.
CHIP_FRAME_HZ = 60.0         # envelopes and vibrato step at the frame rate
CHIP_LEVELS = 15             # volume steps
TRIANGLE_STEPS = 32
LFSR_LONG = 32767
CHIP_RELEASE_S = 0.012
CHIP_DECAY_S = 0.35          # from full to the sustain level
CHIP_SUSTAIN = 0.6
CHIP_VIBRATO_DELAY_S = 0.25
CHIP_VIBRATO_HZ = 6.0
CHIP_VIBRATO_CENTS = 18.0
NOISE_CLOCK_HZ = {NOISE_KICK: 6000.0, NOISE_SNARE: 22000.0, NOISE_HAT: 44100.0}
NOISE_DECAY_S = {NOISE_KICK: 0.09, NOISE_SNARE: 0.13, NOISE_HAT: 0.035}
KICK_SWEEP_HZ = (220.0, 45.0)
KICK_SWEEP_S = 0.05
KICK_NOISE = 0.4             # the kick is mostly a falling tone, with a little hiss

# Effects.
FRAME = 2048
HOP = 512
RISER_HZ = (250.0, 9000.0)
WHOOSH_HZ = (500.0, 5000.0)
DOWNER_HZ = (7000.0, 180.0)
SWEEP_WIDTH_OCTAVES = 1.2
BOOM_HZ = (95.0, 32.0)
BOOM_DROP_S = 0.12
BOOM_DECAY_S = 0.9
BOOM_DRIVE = 1.6

VOICE_DOUBLE_DB = -10.0      # a second take of the singer, a little apart
VOICE_DOUBLE_CENTS = 7.0
VOICE_DOUBLE_SPREAD = 0.5


def _place(out, start, clip):
    end = min(len(out), start + len(clip))
    if end > start >= 0:
        out[start:end] += clip[:end - start]


# ---- The singer ----------------------------------------------------------

def voice(notes, part, total, seed):
    """The lead with a quieter double take panned a little to each side."""
    out = np.zeros((total, 2))
    double = 10 ** (VOICE_DOUBLE_DB / 20)
    for i, note in enumerate(notes):
        n = samples(note.length)
        start = samples(note.start)
        main = sing(note.pitch, n, note.velocity, note.lyric, seed + i)
        left = sing(note.pitch, n, note.velocity, note.lyric, seed + 1000 + i, VOICE_DOUBLE_CENTS)
        right = sing(note.pitch, n, note.velocity, note.lyric, seed + 2000 + i, -VOICE_DOUBLE_CENTS)
        side = double * VOICE_DOUBLE_SPREAD
        _place(out[:, 0], start, main + double * left + side * (left - right))
        _place(out[:, 1], start, main + double * right + side * (right - left))
    return out


# ---- Sleigh bells -----------------------------------------------------------

def _bell_bunch(rng, jingles, spread_s):
    n = int(BELL_LENGTH_S * SAMPLE_RATE)
    t = np.arange(n) / SAMPLE_RATE
    out = np.zeros((n, 2))
    offsets = np.sort(rng.uniform(0, spread_s, jingles))
    offsets -= offsets[0]
    for offset in offsets:
        base = rng.uniform(BELL_LOW_HZ, BELL_HIGH_HZ)
        tone = np.zeros(n)
        for (low, high), weight in zip(BELL_RATIOS, BELL_WEIGHTS):
            f = base * rng.uniform(low, high)
            decay = rng.uniform(*BELL_DECAY_S) / (f / base)
            tone += weight * np.sin(2 * np.pi * f * t + rng.uniform(0, 2 * np.pi)) * np.exp(-t / decay)
        tone *= rng.uniform(*BELL_LOUDNESS)
        shift = int(offset * SAMPLE_RATE)
        pan = rng.uniform(-BELL_SPREAD, BELL_SPREAD)
        out[shift:, 0] += tone[:n - shift] * np.sqrt((1 - pan) / 2)
        out[shift:, 1] += tone[:n - shift] * np.sqrt((1 + pan) / 2)
    # A clean start: the first bell's edge is the hit.
    return out / np.abs(out).max()


def bells(notes, part, total, seed):
    rng = np.random.default_rng(seed)
    strikes = [_bell_bunch(rng, JINGLES_PER_STRIKE, STRIKE_SPREAD_S) for _ in range(BELL_VARIANTS)]
    shakes = [_bell_bunch(rng, JINGLES_PER_SHAKE, SHAKE_SPREAD_S) for _ in range(BELL_VARIANTS)]
    out = np.zeros((total, 2))
    for i, note in enumerate(notes):
        bank = strikes if note.pitch == BELL_STRIKE else shakes
        clip = bank[rng.integers(BELL_VARIANTS)] * loudness(note.velocity)
        _place(out, samples(note.start), clip)
    return out


# ---- The 8-bit computer -------------------------------------------------------

def _frame_steps(values):
    """Holds a curve constant for each 60 Hz frame, as the old chips did."""
    frame = int(SAMPLE_RATE / CHIP_FRAME_HZ)
    held = values[::frame]
    return np.repeat(held, frame)[:len(values)]


def _chip_envelope(n, decay=True):
    t = np.arange(n) / SAMPLE_RATE
    level = np.ones(n)
    if decay:
        level = CHIP_SUSTAIN + (1 - CHIP_SUSTAIN) * np.clip(1 - t / CHIP_DECAY_S, 0, 1)
    level = np.ceil(_frame_steps(level) * CHIP_LEVELS) / CHIP_LEVELS
    release = min(n, int(CHIP_RELEASE_S * SAMPLE_RATE))
    level[n - release:] *= np.linspace(1, 0, release)
    return level


def _chip_pitch(key, n):
    t = np.arange(n) / SAMPLE_RATE
    cents = CHIP_VIBRATO_CENTS * np.sin(2 * np.pi * CHIP_VIBRATO_HZ * t) * (t > CHIP_VIBRATO_DELAY_S)
    return frequency(key) * 2 ** (_frame_steps(cents) / CENTS_PER_OCTAVE)


def _polyblep(phase, step):
    """Correction that takes the aliasing out of a hard edge at phase 0."""
    out = np.zeros_like(phase)
    rising = phase < step
    x = phase[rising] / step[rising]
    out[rising] = x + x - x * x - 1
    falling = phase > 1 - step
    x = (phase[falling] - 1) / step[falling]
    out[falling] = x * x + x + x + 1
    return out


def pulse(notes, part, total, seed):
    duty = part.setting
    out = np.zeros(total)
    for note in notes:
        n = samples(note.length)
        step = _chip_pitch(note.pitch, n) / SAMPLE_RATE
        phase = np.cumsum(step) % 1.0
        wave = np.where(phase < duty, 1.0, -1.0)
        wave += _polyblep(phase, step) - _polyblep((phase - duty) % 1.0, step)
        wave -= 2 * duty - 1  # no offset: the chip's duty would otherwise thump
        _place(out, samples(note.start), wave * _chip_envelope(n) * loudness(note.velocity))
    return out


def triangle(notes, part, total, seed):
    out = np.zeros(total)
    for note in notes:
        n = samples(note.length)
        phase = np.cumsum(_chip_pitch(note.pitch, n) / SAMPLE_RATE) % 1.0
        wave = 1 - 4 * np.abs(phase - 0.5)
        wave = np.round(wave * (TRIANGLE_STEPS / 2)) / (TRIANGLE_STEPS / 2)
        _place(out, samples(note.start), wave * _chip_envelope(n, decay=False) * loudness(note.velocity))
    return out


def _lfsr(length):
    """The 15-bit shift register noise of the old sound chips, as +-1."""
    state = 1
    bits = np.empty(length)
    for i in range(length):
        feedback = (state ^ (state >> 1)) & 1
        state = (state >> 1) | (feedback << 14)
        bits[i] = 1.0 if state & 1 else -1.0
    return bits


def noise(notes, part, total, seed):
    register = _lfsr(LFSR_LONG)
    out = np.zeros(total)
    for note in notes:
        decay = NOISE_DECAY_S[note.pitch]
        n = int(decay * 5 * SAMPLE_RATE)
        t = np.arange(n) / SAMPLE_RATE
        index = (t * NOISE_CLOCK_HZ[note.pitch]).astype(int) % LFSR_LONG
        hit = register[index] * _frame_steps(np.exp(-t / decay))
        if note.pitch == NOISE_KICK:
            sweep = KICK_SWEEP_HZ[1] + (KICK_SWEEP_HZ[0] - KICK_SWEEP_HZ[1]) * np.exp(-t / KICK_SWEEP_S)
            thump = np.sin(2 * np.pi * np.cumsum(sweep) / SAMPLE_RATE) * np.exp(-t / (2 * decay))
            hit = KICK_NOISE * hit + thump
        _place(out, samples(note.start), hit * loudness(note.velocity))
    return out


# ---- Effects ---------------------------------------------------------------

def _swept_noise(rng, n, centre_hz, level):
    """Noise in a band whose centre follows centre_hz (one value a frame),
    built frame by frame in the frequency domain."""
    frames = n // HOP + 2
    freqs = np.fft.rfftfreq(FRAME, 1.0 / SAMPLE_RATE)
    octaves = np.log2(np.maximum(freqs, 1.0)[None, :] / centre_hz[:frames, None])
    shape = np.exp(-0.5 * (octaves / (SWEEP_WIDTH_OCTAVES / 2)) ** 2) * level[:frames, None]
    phases = np.exp(2j * np.pi * rng.random(shape.shape))
    grains = np.fft.irfft(shape * phases, FRAME, axis=1) * np.hanning(FRAME)
    out = np.zeros((frames - 1) * HOP + FRAME)
    for i, grain in enumerate(grains):
        out[i * HOP:i * HOP + FRAME] += grain
    out = out[:n]
    return out / (np.abs(out).max() + 1e-12)


def _sweep(notes, total, seed, curve):
    rng = np.random.default_rng(seed)
    out = np.zeros(total)
    for note in notes:
        n = samples(note.length)
        frames = n // HOP + 2
        u = np.linspace(0, 1, frames)
        centre, level = curve(u)
        clip = _swept_noise(rng, n, centre, level)
        fade = min(n, samples(20))
        clip[n - fade:] *= np.linspace(1, 0, fade)
        _place(out, samples(note.start), clip * loudness(note.velocity))
    return out


def riser(notes, part, total, seed):
    low, high = RISER_HZ
    return _sweep(notes, total, seed, lambda u: (low * (high / low) ** u, u ** 2))


def whoosh(notes, part, total, seed):
    low, high = WHOOSH_HZ
    return _sweep(notes, total, seed,
                  lambda u: (low * (high / low) ** np.sin(np.pi * u), np.sin(np.pi * u) ** 2))


def downer(notes, part, total, seed):
    high, low = DOWNER_HZ
    return _sweep(notes, total, seed, lambda u: (high * (low / high) ** u, (1 - u) ** 1.5))


def boom(notes, part, total, seed):
    out = np.zeros(total)
    for note in notes:
        n = samples(note.length)
        t = np.arange(n) / SAMPLE_RATE
        f = BOOM_HZ[1] + (BOOM_HZ[0] - BOOM_HZ[1]) * np.exp(-t / BOOM_DROP_S)
        wave = np.sin(2 * np.pi * np.cumsum(f) / SAMPLE_RATE) * np.exp(-t / BOOM_DECAY_S)
        wave = np.tanh(BOOM_DRIVE * wave) / np.tanh(BOOM_DRIVE)
        fade = min(n, samples(30))
        wave[n - fade:] *= np.linspace(1, 0, fade)
        _place(out, samples(note.start), wave * loudness(note.velocity))
    return out


ENGINES = {
    VOICE: voice,
    BELLS: bells,
    PULSE: pulse,
    TRIANGLE: triangle,
    NOISE: noise,
    RISER: riser,
    WHOOSH: whoosh,
    DOWNER: downer,
    BOOM: boom,
}
