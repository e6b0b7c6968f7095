"""Mixing and mastering: placing parts in the stereo field, the hall
reverb, the tape stop, even loudness from section to section, and a
limiter that keeps the decoded song clear of clipping."""

import numpy as np

from .timing import SAMPLE_RATE

# The hall.
REVERB_S = 2.4
PREDELAY_S = 0.018
EARLY_REFLECTIONS = 10
EARLY_WINDOW_S = (0.008, 0.075)
EARLY_LEVEL = 0.35
LATE_RISE_S = 0.05           # the tail thickens over this long
REVERB_BANDS_HZ = (0.0, 300.0, 1500.0, 4000.0, 8000.0, SAMPLE_RATE / 2)
REVERB_RT60_S = (2.3, 2.1, 1.6, 1.0, 0.6)
CONVOLUTION_FFT = 1 << 18

# Section levelling and the limiter.
LEVEL_TARGET_DBFS = -16.0    # each section's RMS before limiting
LEVEL_RANGE_DB = 8.0
LEVEL_RAMP_S = 0.3
LIMIT_CEILING_DBFS = -2.0  # lame's decoded peaks overshoot ours by up to a decibel
LIMIT_WINDOW_S = 0.025

# The tape stop.
STOP_CURVE = 1.3             # the tape slows a little faster at first
STOP_FADE_S = 0.02
STOP_SILENCE_S = 3.0         # what was still ringing stays cut


def db(value):
    return 10 ** (value / 20.0)


def to_db(value):
    return 20 * np.log10(max(value, 1e-12))


def pan_mono(signal, pan):
    """Constant-power pan, unity in the centre."""
    angle = (pan + 1) * np.pi / 4
    return np.stack([signal * np.cos(angle), signal * np.sin(angle)], axis=1) * np.sqrt(2)


def balance(stereo, pan):
    return stereo * np.array([min(1.0, 1.0 - pan), min(1.0, 1.0 + pan)])


def highpass(signal, cutoff_hz):
    """Second-order high-pass magnitude, without phase shift; channel by
    channel, since a whole part at once is large."""
    if signal.ndim == 2:
        return np.stack([highpass(signal[:, c], cutoff_hz) for c in range(signal.shape[1])], axis=1)
    n = len(signal)
    size = 1 << int(np.ceil(np.log2(max(2, n))))
    freqs = np.fft.rfftfreq(size, 1.0 / SAMPLE_RATE)
    ratio = np.maximum(freqs, 1e-3) / cutoff_hz
    return np.fft.irfft(np.fft.rfft(signal, size) * (ratio ** 2 / np.sqrt(1 + ratio ** 4)), size)[:n]


def reverb_impulse(seed):
    """A stereo hall: scattered early reflections, then a dense tail that
    dies away faster in the treble."""
    rng = np.random.default_rng(seed)
    n = int(REVERB_S * SAMPLE_RATE)
    t = np.arange(n) / SAMPLE_RATE
    freqs = np.fft.rfftfreq(n, 1.0 / SAMPLE_RATE)
    impulse = np.zeros((n, 2))
    for channel in range(2):
        noise = np.fft.rfft(rng.standard_normal(n))
        tail = np.zeros(n)
        for (low, high), rt60 in zip(zip(REVERB_BANDS_HZ, REVERB_BANDS_HZ[1:]), REVERB_RT60_S):
            band = np.fft.irfft(noise * ((freqs >= low) & (freqs < high)), n)
            tail += band * 10 ** (-3 * t / rt60)
        tail *= np.clip((t - PREDELAY_S) / LATE_RISE_S, 0, 1)
        impulse[:, channel] = tail / np.sqrt(np.sum(tail ** 2))
        for _ in range(EARLY_REFLECTIONS):
            at = int(rng.uniform(*EARLY_WINDOW_S) * SAMPLE_RATE)
            impulse[at, channel] += EARLY_LEVEL * rng.uniform(0.3, 1.0) * rng.choice((-1, 1))
    return impulse


def convolve(signal, impulse):
    """Overlap-add convolution of each channel; the result keeps the
    signal's length."""
    n, m = len(signal), len(impulse)
    block = CONVOLUTION_FFT - m + 1
    kernel = np.fft.rfft(impulse, CONVOLUTION_FFT, axis=0)
    out = np.zeros((n + CONVOLUTION_FFT, signal.shape[1]))
    for start in range(0, n, block):
        piece = signal[start:start + block]
        if not piece.any():
            continue
        spectrum = np.fft.rfft(piece, CONVOLUTION_FFT, axis=0)
        out[start:start + CONVOLUTION_FFT] += np.fft.irfft(spectrum * kernel, CONVOLUTION_FFT, axis=0)
    return out[:n]


def tape_stop(signal, start, end):
    """From start the sound slows to a standstill at end, as a tape whose
    motor was switched off; afterwards that sound stays silent."""
    length = end - start
    u = np.arange(length) / length
    # Position read from: the integral of a speed that falls from 1 to 0.
    speed = (1 - u) ** STOP_CURVE
    read = start + np.cumsum(speed)
    source = np.arange(len(signal))
    for channel in range(signal.shape[1]):
        signal[start:end, channel] = np.interp(read, source, signal[:, channel])
    fade = int(STOP_FADE_S * SAMPLE_RATE)
    signal[end - fade:end] *= np.linspace(1, 0, fade)[:, None]
    signal[end:end + int(STOP_SILENCE_S * SAMPLE_RATE)] = 0


def mono_rms_db(signal, start, end):
    mono = signal[start:end].mean(axis=1)
    return to_db(np.sqrt(np.mean(mono ** 2)))


def level_sections(signal, zones):
    """zones: (start sample, end sample, judged from sample or None). Each
    judged zone is brought to the same loudness; the others keep the gain
    of the zone before them. Returns the gains in dB."""
    gains = []
    for start, end, judged_from in zones:
        if judged_from is None:
            gains.append(gains[-1] if gains else 0.0)
            continue
        level = mono_rms_db(signal, judged_from, end)
        gains.append(float(np.clip(LEVEL_TARGET_DBFS - level, -LEVEL_RANGE_DB, LEVEL_RANGE_DB)))
    # Transitions lean towards the level of what follows.
    for i, (_, _, judged_from) in enumerate(zones):
        if judged_from is None and i + 1 < len(zones) and zones[i + 1][2] is not None:
            gains[i] = (gains[i] + gains[i + 1]) / 2

    curve = np.zeros(len(signal))
    for (start, end, _), gain in zip(zones, gains):
        curve[start:end] = gain
    ramp = int(LEVEL_RAMP_S * SAMPLE_RATE)
    padded = np.pad(curve, (ramp // 2, ramp - ramp // 2 - 1), mode="edge")
    signal *= db(_running_mean(padded, ramp))[:, None]
    return gains


def _running_mean(values, width):
    """Means of every width consecutive values (len(values) - width + 1 of them)."""
    sums = np.concatenate([[0.0], np.cumsum(values)])
    return (sums[width:] - sums[:-width]) / width


def _sliding_min(values, before, after):
    """min(values[i - before : i + after + 1]) for every i."""
    width = before + after + 1
    padded = np.concatenate([np.full(before, np.inf), values, np.full(after + width, np.inf)])
    blocks = len(padded) // width
    trimmed = padded[:blocks * width].reshape(blocks, width)
    prefix = np.minimum.accumulate(trimmed, axis=1).ravel()
    suffix = np.minimum.accumulate(trimmed[:, ::-1], axis=1)[:, ::-1].ravel()
    i = np.arange(len(values))
    return np.minimum(suffix[i], prefix[i + width - 1])


def limit(signal):
    """Look-ahead peak limiter: the gain is lowered smoothly before a peak
    and raised again after it, never letting a sample pass the ceiling.
    Returns the gain it applied, sample by sample."""
    ceiling = db(LIMIT_CEILING_DBFS)
    peak = np.abs(signal).max(axis=1)
    wanted = np.minimum(1.0, ceiling / np.maximum(peak, 1e-12))
    window = int(LIMIT_WINDOW_S * SAMPLE_RATE)
    held = _sliding_min(wanted, window, window)
    smooth = _running_mean(np.concatenate([np.ones(window - 1), held]), window)
    signal *= smooth[:, None]
    np.clip(signal, -ceiling, ceiling, out=signal)
    return smooth
