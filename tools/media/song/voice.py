"""The singer: a woman's voice, as the picture shows her, made from
harmonics shaped by the resonances of the vocal tract, with consonants from
filtered noise. It starts within a few milliseconds of a syllable's window
and is silent when the window closes, so the mouth on screen and the voice
agree."""

import numpy as np

from .phonetics import (ASPIRATE, CONSONANTS, FRICATIVE, STOP, VOICED_FRICATIVE, VOICED_STOP,
                        VOWELS, parse_syllable)
from .score import CENTS_PER_OCTAVE, MAX_VELOCITY, frequency, loudness
from .timing import SAMPLE_RATE

CONTROL_STEP = 32            # samples between recomputed spectra
MAX_HARMONIC_HZ = 9000.0
BANDWIDTHS = np.array([80.0, 95.0, 130.0, 200.0, 260.0])
UPPER_FORMANTS = (3800.0, 4400.0)
VOICE_SCALE = 1.17           # a woman's shorter tract lifts every resonance
SOURCE_TILT = 1.05           # harmonic k has amplitude k ** -tilt
LOUD_TILT = 0.9              # louder singing is brighter
BREATH = 0.02                # breath noise under the vowel
BREATH_CORNER_HZ = 800.0     # breath is mostly hiss, little rumble
ASPIRATION = 0.15            # the puff of air after t, k, p
ATTACK_MS = 4.0
RELEASE_MS = 7.0
SMOOTH_MS = 22.0             # articulators move this quickly
VOICING_SMOOTH_MS = 6.0

SCOOP_CENTS = -45.0          # each note starts a little flat ...
SCOOP_MS = 45.0              # ... and reaches pitch this fast
VIBRATO_HZ = 5.4
VIBRATO_CENTS = 28.0
VIBRATO_DELAY_MS = 170.0
VIBRATO_RISE_MS = 220.0
DRIFT_CENTS = 4.0

ONSET_SHARE = 0.32          # consonants before the vowel take at most this much
CODA_SHARE = 0.25
GLIDE_SHARE = 0.35          # a diphthong spends this much gliding
BURST_MS = 12.0             # the release of t, k, p, d, g, b


def _ms(n):
    return n * SAMPLE_RATE / 1000.0


def _plan(sound, n):
    """Segments (kind, name, samples) filling n samples: consonants squeezed
    to fit when the syllable is short."""
    onset, vowels, coda = parse_syllable(sound)
    onset_want = [_ms(CONSONANTS[c][1]) for c in onset]
    coda_want = [_ms(CONSONANTS[c][1]) for c in coda]
    onset_scale = min(1.0, ONSET_SHARE * n / max(1.0, sum(onset_want)))
    coda_scale = min(1.0, CODA_SHARE * n / max(1.0, sum(coda_want)))
    segments = [("c", c, int(w * onset_scale)) for c, w in zip(onset, onset_want)]
    tail = [("c", c, int(w * coda_scale)) for c, w in zip(coda, coda_want)]
    vowel_n = n - sum(s[2] for s in segments) - sum(s[2] for s in tail)
    if len(vowels) == 1:
        segments.append(("v", vowels[0], vowel_n))
    else:
        glide = int(vowel_n * GLIDE_SHARE)
        segments += [("v", vowels[0], vowel_n - glide), ("v", vowels[1], glide)]
    return segments + tail


def _smooth(x, samples):
    width = max(1, int(samples))
    if width < 2:
        return x
    kernel = np.ones(width) / width
    padded = np.concatenate([np.full(width, x[0]), x, np.full(width, x[-1])])
    return np.convolve(padded, kernel, mode="same")[width:-width]


def _band_noise(rng, n, low, high):
    """White noise limited to low..high Hz."""
    size = max(64, n)
    spectrum = np.fft.rfft(rng.standard_normal(size))
    freqs = np.fft.rfftfreq(size, 1.0 / SAMPLE_RATE)
    spectrum *= (freqs >= low) & (freqs <= high)
    out = np.fft.irfft(spectrum, size)[:n]
    return out / (np.sqrt(np.mean(out ** 2)) + 1e-12)


def _formant_gain(freqs, formants):
    """Magnitude of the cascade of resonances at the given frequencies;
    formants has shape (5, len) or (5, 1)."""
    gain = np.ones_like(freqs)
    for i in range(5):
        f, b = formants[i], BANDWIDTHS[i] / 2
        gain *= (f * f + b * b) / np.sqrt(((freqs - f) ** 2 + b * b) * ((freqs + f) ** 2 + b * b))
    return gain


def _shaped_noise(rng, n, formants):
    """Breath through the vocal tract: noise with the vowel's envelope."""
    size = max(64, n)
    spectrum = np.fft.rfft(rng.standard_normal(size))
    freqs = np.fft.rfftfreq(size, 1.0 / SAMPLE_RATE)
    shaped = spectrum * _formant_gain(freqs, np.array(formants, dtype=float)[:, None])
    shaped *= freqs / (freqs + BREATH_CORNER_HZ)
    out = np.fft.irfft(shaped, size)[:n]
    return out / (np.sqrt(np.mean(out ** 2)) + 1e-12)


def _full_formants(f123):
    return [f * VOICE_SCALE for f in f123] + list(UPPER_FORMANTS)


def sing(key, length_samples, velocity, sound, seed, detune_cents=0.0):
    """One syllable as a mono array of exactly length_samples."""
    rng = np.random.default_rng(seed)
    n = length_samples
    t = np.arange(n) / SAMPLE_RATE
    segments = _plan(sound, n)

    # Targets per sample: formants, voicing level and noise.
    formants = np.zeros((5, n))
    voicing = np.zeros(n)
    noise = np.zeros(n)
    vowel_formants = _full_formants(VOWELS[next(s[1] for s in segments if s[0] == "v")])
    at = 0
    for index, (kind, name, count) in enumerate(segments):
        span = slice(at, at + count)
        if kind == "v":
            formants[:, span] = np.array(_full_formants(VOWELS[name]))[:, None]
            voicing[span] = 1.0
        else:
            ckind, _, targets, level, band, noise_level = CONSONANTS[name]
            formants[:, span] = np.array(_full_formants(targets) if targets else vowel_formants)[:, None]
            voicing[span] = level
            if ckind in (FRICATIVE, VOICED_FRICATIVE):
                noise[span] += noise_level * _band_noise(rng, count, *band)
            elif ckind == ASPIRATE:
                noise[span] += noise_level * _shaped_noise(rng, count, vowel_formants)
            elif ckind in (STOP, VOICED_STOP):
                burst = min(count, int(_ms(BURST_MS)))
                noise[at:at + burst] += noise_level * _band_noise(rng, burst, *band) * np.hanning(burst)
                if ckind == STOP:
                    follows_vowel = index + 1 < len(segments) and segments[index + 1][0] == "v"
                    if follows_vowel:
                        aspiration = count - burst
                        noise[at + burst:at + count] += ASPIRATION * _shaped_noise(rng, aspiration, vowel_formants)
        at += count
    formants = np.vstack([_smooth(f, _ms(SMOOTH_MS)) for f in formants])
    voicing = _smooth(voicing, _ms(VOICING_SMOOTH_MS))

    # Pitch: a little scoop into the note, vibrato on the long ones.
    base = frequency(key)
    cents = SCOOP_CENTS * np.exp(-t * 1000 / SCOOP_MS) + detune_cents
    rise = np.clip((t * 1000 - VIBRATO_DELAY_MS) / VIBRATO_RISE_MS, 0, 1)
    cents += VIBRATO_CENTS * rise * np.sin(2 * np.pi * VIBRATO_HZ * t + rng.uniform(0, 2 * np.pi))
    drift = np.cumsum(rng.standard_normal(n // CONTROL_STEP + 2))
    drift = DRIFT_CENTS * drift / (np.abs(drift).max() + 1e-9)
    cents += np.interp(np.arange(n), np.arange(len(drift)) * CONTROL_STEP, drift)
    f0 = base * 2 ** (cents / CENTS_PER_OCTAVE)
    phase = 2 * np.pi * np.cumsum(f0) / SAMPLE_RATE

    # Harmonics, their amplitudes recomputed every CONTROL_STEP samples.
    control = np.arange(0, n, CONTROL_STEP)
    tilt = LOUD_TILT + (SOURCE_TILT - LOUD_TILT) * (1 - velocity / MAX_VELOCITY)
    harmonics = int(MAX_HARMONIC_HZ / base)
    amps = [k ** -tilt * _formant_gain(k * f0[control], formants[:, control])
            for k in range(1, harmonics + 1)]
    # Held level from step to step: high notes have few harmonics, and one
    # passing through a narrow resonance with the vibrato would otherwise
    # jump out by many decibels.
    level = np.sqrt(sum(amp ** 2 for amp in amps))
    voiced = np.zeros(n)
    for k, amp in enumerate(amps, start=1):
        voiced += np.interp(np.arange(n), control, amp / level) * np.sin(k * phase)

    breath = BREATH * _shaped_noise(rng, n, vowel_formants)
    out = voicing * (voiced + breath) + noise

    # Crisp edges: the window opens and closes within a few milliseconds.
    edge = np.ones(n)
    attack, release = int(_ms(ATTACK_MS)), int(_ms(RELEASE_MS))
    edge[:attack] = np.linspace(0, 1, attack, endpoint=False)
    edge[n - release:] = np.linspace(1, 0, release)
    return out * edge * loudness(velocity)
