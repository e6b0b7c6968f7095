"""The show's clock as the song must meet it.

The score is written in beats as the viewer hears them; the show's headers
say how late the mixer's output is heard and when the singer's mouth is
open, so both are read from there rather than copied."""

import os
import re

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
HEARD_DELAY_HEADER = os.path.join(ROOT, "app", "heard_delay.h")
SYLLABLE_HEADER = os.path.join(ROOT, "layers", "singer_syllables.h")

BEAT_MS = 375
SAMPLE_RATE = 44100

# The stream's length: the information frame counts this many audio frames.
SONG_FRAMES = 11141
MP3_FRAME_SAMPLES = 1152

# Before sample 0 of our audio the show's MP3 decoder plays silence: the
# information frame decoded as a frame of its own, lame's encoder delay and
# the decoder's filter-bank delay. Measured through the show's mixer.
ENCODER_DELAY_SAMPLES = 576
DECODER_DELAY_SAMPLES = 529
DECODER_LEAD_IN_SAMPLES = MP3_FRAME_SAMPLES + ENCODER_DELAY_SAMPLES + DECODER_DELAY_SAMPLES
DECODER_LEAD_IN_MS = DECODER_LEAD_IN_SAMPLES * 1000 / SAMPLE_RATE

SYLLABLE_COUNT = 64

_HEARD_DELAY = re.compile(r"heardDelayMs\s*=\s*(\d+)")
_WINDOW = re.compile(r"\{\s*(\d+)\s*,\s*(\d+)\s*\}")


def _read(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except OSError as error:
        raise SystemExit(f"cannot read {path}: {error.strerror}")


def read_heard_delay_ms(path=HEARD_DELAY_HEADER):
    match = _HEARD_DELAY.search(_read(path))
    if not match:
        raise SystemExit(f"{path}: no heardDelayMs = N found")
    return int(match.group(1))


def read_syllables(path=SYLLABLE_HEADER):
    """The singer's (after, until) windows in globaltime ms, in order."""
    text = _read(path)
    at = text.find("singerSyllables[")
    if at < 0:
        raise SystemExit(f"{path}: no singerSyllables table")
    table = text[at:]
    windows = [(int(a), int(b)) for a, b in _WINDOW.findall(table)]
    if len(windows) != SYLLABLE_COUNT:
        raise SystemExit(f"{path}: expected {SYLLABLE_COUNT} syllables, found {len(windows)}")
    for (a, b), (next_a, _) in zip(windows, windows[1:] + [(float("inf"), 0)]):
        if not a < b <= next_a:
            raise SystemExit(f"{path}: syllable {a}-{b} is empty or overlaps the next")
    return windows


HEARD_DELAY_MS = read_heard_delay_ms()
SYLLABLES = read_syllables()

# How far ahead of the script the song's own time runs.
SOURCE_LEAD_MS = HEARD_DELAY_MS + DECODER_LEAD_IN_MS

# lame's encoder delay in front and its padding of the last frame together
# make one frame more than our audio fills.
SONG_SAMPLES = (SONG_FRAMES - 1) * MP3_FRAME_SAMPLES
SONG_MS = SONG_SAMPLES * 1000 / SAMPLE_RATE


def samples(ms):
    """Milliseconds of our audio as a sample index."""
    return int(round(ms * SAMPLE_RATE / 1000.0))


def source_ms(heard_ms):
    """Where in our rendered audio a sound meant to be heard at globaltime
    heard_ms has to start."""
    return heard_ms - SOURCE_LEAD_MS


def beat_source_ms(beat):
    return source_ms(beat * BEAT_MS)
