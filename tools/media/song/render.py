"""From score to MP3: the sound font's parts through fluidsynth, our own
parts through numpy, then the mix, the master and lame."""

import os
import shutil
import subprocess
from dataclasses import replace

import numpy as np

from . import midi, mix, synth, wavfile
from .arrangement import LAYING_JUDGED_FROM_S, SECTIONS
from .parts import BAND, CHIP, GM, KIT, PARTS
from .timing import SAMPLE_RATE, SONG_SAMPLES, samples, source_ms

SOUNDFONT = "/usr/share/sounds/sf2/FluidR3_GM.sf2"
FLUID_GAIN = "1.0"           # float output cannot clip; the mix sets the levels
POLYPHONY = 512
TAIL_S = 5.0                 # how long a part may ring after its last note
SEED = 2412
REVERB_SEED = 7

LEAD_IN_SILENCE_MS = 40.0    # nothing but silence before beat 1's hit
END_FADE_S = (2.2, 0.6)      # fade from this long before the end to this long before it
DITHER_LSB = 1.0
LIMITER_BUSY_DB = 3.0
MP3_BUDGET_BYTES = 7 * 1024 * 1024
VBR_QUALITIES = (2, 3)       # the best that fits the budget wins

TOOLS_HINT = "run scripts/install-media-tools"


def _require(program):
    if shutil.which(program) is None:
        raise SystemExit(f"{program} is not installed: {TOOLS_HINT}")


def render_sound_font_part(name, part, notes, work):
    """Renders one part alone; returns (first sample, stereo samples)."""
    if not os.path.exists(SOUNDFONT):
        raise SystemExit(f"sound font {SOUNDFONT} is missing: {TOOLS_HINT}")
    offset = min(n.start for n in notes)
    shifted = [replace(n, start=n.start - offset) for n in notes]
    mid_path = os.path.join(work, name + ".mid")
    wav_path = os.path.join(work, name + ".wav")
    drums = part.engine == KIT
    midi.write_part(mid_path, shifted, part.program, drums=drums)
    # Our own hall replaces the synthesiser's reverb and chorus.
    command = ["fluidsynth", "-ni", "-q", "-g", FLUID_GAIN, "-R", "0", "-C", "0",
               "-r", str(SAMPLE_RATE), "-O", "float", "-T", "wav",
               "-o", f"synth.polyphony={POLYPHONY}", "-F", wav_path, SOUNDFONT, mid_path]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0 or not os.path.exists(wav_path):
        raise SystemExit(f"fluidsynth failed on part {name}: {result.stderr.strip()}")
    audio, rate = wavfile.read(wav_path)
    os.remove(wav_path)
    if rate != SAMPLE_RATE or audio.shape[1] != 2:
        raise SystemExit(f"fluidsynth made {rate} Hz, {audio.shape[1]} channels for part {name}")
    last = max(n.start + n.length for n in shifted)
    return samples(offset), audio[:samples(last) + int(TAIL_S * SAMPLE_RATE)]


def render_own_part(name, part, notes):
    engine = synth.ENGINES[part.engine]
    audio = engine(notes, part, SONG_SAMPLES, SEED + sum(map(ord, name)))
    return 0, audio


def render_part(name, score, work):
    part = PARTS[name]
    notes = score.of_part(name)
    if part.engine in (GM, KIT):
        start, audio = render_sound_font_part(name, part, notes, work)
    else:
        start, audio = render_own_part(name, part, notes)
    if part.highpass_hz:
        audio = mix.highpass(audio, part.highpass_hz)
    audio = audio * mix.db(part.gain_db)
    stereo = mix.pan_mono(audio, part.pan) if audio.ndim == 1 else mix.balance(audio, part.pan)
    return start, stereo


def _add(bus, start, audio):
    end = min(len(bus), start + len(audio))
    bus[start:end] += audio[:end - start].astype(bus.dtype)


def mixdown(score, work, report=print):
    """Every part placed on its bus, the tape stops, the hall; returns the
    stereo mix as float32."""
    buses = {bus: (np.zeros((SONG_SAMPLES, 2), np.float32), np.zeros((SONG_SAMPLES, 2), np.float32))
             for bus in (BAND, CHIP)}
    for name in score.parts():
        if name not in PARTS:
            raise SystemExit(f"the score plays part {name!r}, which the band does not have")
        start, audio = render_part(name, score, work)
        dry, send = buses[PARTS[name].bus]
        _add(dry, start, audio)
        _add(send, start, audio * PARTS[name].reverb)
        report(f"  {name:13s} peak {mix.to_db(np.abs(audio).max()):6.1f} dBFS")
    band_dry, band_send = buses[BAND]
    for start_ms, end_ms in score.tape_stops:
        for signal in (band_dry, band_send):
            mix.tape_stop(signal, samples(start_ms), samples(end_ms))
    hall = mix.reverb_impulse(REVERB_SEED)
    send = buses[BAND][1] + buses[CHIP][1]
    out = band_dry + buses[CHIP][0] + mix.convolve(send, hall).astype(np.float32)
    return out


def level_zones():
    """The sections in samples of our audio, with where each is judged."""
    zones = []
    for _, start_s, end_s, levelled in SECTIONS:
        start = max(0, samples(source_ms(start_s * 1000)))
        end = SONG_SAMPLES if end_s is None else samples(source_ms(end_s * 1000))
        judged = None
        if levelled:
            judged = samples(source_ms(LAYING_JUDGED_FROM_S * 1000)) if start == 0 else start
        zones.append((start, end, judged))
    return zones


def master(audio, report=print):
    """Even sections, a limiter, silence at both ends, 16 bits with dither."""
    signal = audio.astype(np.float64)
    gains = mix.level_sections(signal, level_zones())
    for (name, *_), gain in zip(SECTIONS, gains):
        report(f"  level {name:20s} {gain:+5.1f} dB")
    gain = mix.limit(signal)
    busy = np.mean(gain < mix.db(-LIMITER_BUSY_DB)) * 100
    report(f"  limiter: at most {-mix.to_db(gain.min()):.1f} dB, more than {LIMITER_BUSY_DB} dB "
           f"for {busy:.2f} % of the song, most {np.argmin(gain) / SAMPLE_RATE:.1f} s into it")

    signal[:samples(LEAD_IN_SILENCE_MS)] = 0
    fade_from, fade_to = (SONG_SAMPLES - int(s * SAMPLE_RATE) for s in END_FADE_S)
    signal[fade_from:fade_to] *= np.cos(np.linspace(0, np.pi / 2, fade_to - fade_from))[:, None] ** 2
    signal[fade_to:] = 0

    rng = np.random.default_rng(SEED)
    lsb = 1.0 / wavfile.PCM16_FULL_SCALE
    dither = rng.random(signal.shape, np.float32) - rng.random(signal.shape, np.float32)
    dither *= DITHER_LSB * lsb
    dither[:samples(LEAD_IN_SILENCE_MS)] = 0
    dither[fade_to:] = 0
    return signal + dither


def encode(wav_path, mp3_path, report=print):
    """lame at the best VBR quality that fits the budget; no tags, so the
    stream is frames from its first byte to its last."""
    _require("lame")
    for quality in VBR_QUALITIES:
        command = ["lame", "--quiet", "-V", str(quality), "-m", "j", "--noreplaygain", wav_path, mp3_path]
        result = subprocess.run(command, capture_output=True, text=True)
        if result.returncode != 0:
            raise SystemExit(f"lame failed: {result.stderr.strip()}")
        size = os.path.getsize(mp3_path)
        report(f"  lame -V{quality}: {size} bytes")
        if size < MP3_BUDGET_BYTES:
            return quality
    raise SystemExit(f"{mp3_path}: {size} bytes even at -V{VBR_QUALITIES[-1]}, over {MP3_BUDGET_BYTES}")


def render_song(score, work, wav_path, report=print):
    _require("fluidsynth")
    report("rendering parts")
    audio = mixdown(score, work, report)
    report("mastering")
    final = master(audio, report)
    wavfile.write_pcm16(wav_path, final, SAMPLE_RATE)
