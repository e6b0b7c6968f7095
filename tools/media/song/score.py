"""The song as notes: what plays, when, how loud, on which part.

Arrangements write in beats as the viewer hears them (beat k is heard at
globaltime k x 375 ms); the score keeps milliseconds of the rendered audio,
already moved ahead by what the mixer and its decoder add."""

import re
from dataclasses import dataclass
from fractions import Fraction

from .timing import BEAT_MS, beat_source_ms

MIDDLE_C = 60
TUNING_KEY, TUNING_HZ = 69, 440.0
SEMITONES_PER_OCTAVE = 12
MAX_VELOCITY = 127
VELOCITY_CURVE = 1.5      # amplitude grows faster than velocity, as on real instruments
CENTS_PER_OCTAVE = 1200
ACCENT = 18  # velocity added by a "!" in a melody

_STEP = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
_PITCH = re.compile(r"^([A-G])(#|b)?(-?\d)$")
_CHORD = re.compile(r"^([A-G])(#|b)?([^/]*)(?:/([A-G])(#|b)?)?$")

# Chord qualities as semitones above the root.
QUALITIES = {
    "": (0, 4, 7),
    "m": (0, 3, 7),
    "7": (0, 4, 7, 10),
    "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10),
    "6": (0, 4, 7, 9),
    "sus4": (0, 5, 7),
    "sus2": (0, 2, 7),
    "add9": (0, 4, 7, 14),
    "dim": (0, 3, 6),
    "aug": (0, 4, 8),
}


@dataclass(frozen=True)
class Note:
    part: str
    start: float   # ms of the rendered audio
    length: float  # ms
    pitch: int     # MIDI key; drum kits and our own percussion use it as a sound number
    velocity: int  # 1 to 127
    lyric: str = ""


def frequency(key):
    return TUNING_HZ * 2 ** ((key - TUNING_KEY) / SEMITONES_PER_OCTAVE)


def loudness(velocity):
    """Amplitude 0 to 1 for a MIDI velocity, for the instruments we make."""
    return (velocity / MAX_VELOCITY) ** VELOCITY_CURVE


def pitch(name):
    """'C4' is middle C (60); sharps '#', flats 'b'."""
    match = _PITCH.match(name)
    if not match:
        raise ValueError(f"not a pitch: {name!r}")
    step, accidental, octave = match.groups()
    shift = {"#": 1, "b": -1}.get(accidental, 0)
    return MIDDLE_C + SEMITONES_PER_OCTAVE * (int(octave) - 4) + _STEP[step] + shift


def _pitch_class(step, accidental):
    return (_STEP[step] + {"#": 1, "b": -1}.get(accidental, 0)) % SEMITONES_PER_OCTAVE


MAJOR_SCALE = (0, 2, 4, 5, 7, 9, 11)


def diatonic(key, tonic, steps):
    """The note steps scale degrees above (or below) key in the major scale
    of tonic (a pitch class); keys off the scale count from the degree just
    below them."""
    offset = (key - tonic) % SEMITONES_PER_OCTAVE
    degree = max(i for i, d in enumerate(MAJOR_SCALE) if d <= offset)
    octave, index = divmod(degree + steps, len(MAJOR_SCALE))
    return key - offset + MAJOR_SCALE[index] + SEMITONES_PER_OCTAVE * octave


def chord_parts(symbol):
    """'Am7/G' -> (root pitch class, intervals, bass pitch class)."""
    match = _CHORD.match(symbol)
    if not match or match.group(3) not in QUALITIES:
        raise ValueError(f"not a chord: {symbol!r}")
    step, accidental, quality, bass_step, bass_accidental = match.groups()
    root = _pitch_class(step, accidental)
    bass = _pitch_class(bass_step, bass_accidental) if bass_step else root
    return root, QUALITIES[quality], bass


def voicing(symbol, low, high):
    """Every chord tone from low to high inclusive: a close pad voicing."""
    root, intervals, _ = chord_parts(symbol)
    classes = {(root + i) % SEMITONES_PER_OCTAVE for i in intervals}
    return [p for p in range(low, high + 1) if p % SEMITONES_PER_OCTAVE in classes]


def bass_pitch(symbol, low):
    """The chord's bass note, the first at or above low."""
    _, _, bass = chord_parts(symbol)
    return low + (bass - low) % SEMITONES_PER_OCTAVE


def chord_tone(symbol, degree, low):
    """degree 0 root, 1 third, 2 fifth, 3 seventh/sixth (when the chord has
    one), counted upwards from the first root at or above low; degrees past
    the chord's size wrap into the next octave."""
    root, intervals, _ = chord_parts(symbol)
    octave, index = divmod(degree, len(intervals))
    base = low + (root - low) % SEMITONES_PER_OCTAVE
    return base + intervals[index] + SEMITONES_PER_OCTAVE * octave


def progression(start, text):
    """'G:4 Em:2 D:2' -> [(beat, beats, symbol)] from the given beat."""
    out = []
    beat = start
    for token in text.split():
        if token == "|":
            continue
        symbol, beats = token.split(":")
        beats = float(Fraction(beats))
        out.append((beat, beats, symbol))
        beat += beats
    return out


def parse_melody(text, transpose=0):
    """'G4:1 A4:1/2 r:1 C5+E5:2!' -> [(offset beats, beats, [pitches], accent)].
    'r' is a rest, '+' joins the notes of a chord, '!' accents, '|' is a bar
    line for the reader."""
    out = []
    at = 0.0
    for token in text.split():
        if token == "|":
            continue
        accent = token.endswith("!")
        name, beats = token.rstrip("!").split(":")
        beats = float(Fraction(beats))
        if name != "r":
            out.append((at, beats, [pitch(n) + transpose for n in name.split("+")], accent))
        at += beats
    return out


def melody_length(text):
    return sum(float(Fraction(t.rstrip("!").split(":")[1])) for t in text.split() if t != "|")


class Score:
    def __init__(self):
        self.notes = []
        self.tape_stops = []             # (start ms, end ms) of the band's stop

    def note(self, part, beat, beats, key, velocity, lyric=""):
        velocity = max(1, min(MAX_VELOCITY, int(round(velocity))))
        self.notes.append(Note(part, beat_source_ms(beat), beats * BEAT_MS, key, velocity, lyric))

    def note_ms(self, part, start_ms, length_ms, key, velocity, lyric=""):
        """A note placed in rendered-audio milliseconds, for what the script
        times to the millisecond rather than to the beat."""
        velocity = max(1, min(MAX_VELOCITY, int(round(velocity))))
        self.notes.append(Note(part, start_ms, length_ms, key, velocity, lyric))

    def chord(self, part, beat, beats, keys, velocity):
        for key in keys:
            self.note(part, beat, beats, key, velocity)

    def melody(self, part, beat, text, velocity, transpose=0, gate=0.92):
        """Plays a melody from the given beat; returns the beat after it."""
        for offset, beats, keys, accent in parse_melody(text, transpose):
            self.chord(part, beat + offset, beats * gate, keys, velocity + (ACCENT if accent else 0))
        return beat + melody_length(text)

    def harmony(self, part, beat, text, velocity, tonic, steps, transpose=0, gate=0.92):
        """A melody moved by scale steps in the major key of tonic (a pitch
        class): steps=-2 is the third below."""
        for offset, beats, keys, accent in parse_melody(text, transpose):
            for key in keys:
                self.note(part, beat + offset, beats * gate, diatonic(key, tonic, steps),
                          velocity + (ACCENT if accent else 0))

    def pattern(self, part, beat, steps_per_beat, rows, velocity, repeat=1, hold=0.5):
        """Drum-machine rows, one string per key: 'X' accent, 'x' hit,
        'o' ghost, anything else a rest; each hit lasts hold beats. All rows
        are as long as one repetition; returns the beat after the last
        repetition."""
        lengths = {len(r.replace(" ", "")) for r in rows.values()}
        if len(lengths) != 1:
            raise ValueError(f"pattern rows differ in length: {rows}")
        steps = lengths.pop()
        step_beats = 1 / steps_per_beat
        scale = {"X": 1.0 + ACCENT / velocity, "x": 1.0, "o": 0.55}
        for r in range(repeat):
            start = beat + r * steps * step_beats
            for key, row in rows.items():
                for i, mark in enumerate(row.replace(" ", "")):
                    if mark in scale:
                        self.note(part, start + i * step_beats, hold, key, velocity * scale[mark])
        return beat + repeat * steps * step_beats

    def tape_stop(self, start_beat, end_beat):
        self.tape_stops.append((beat_source_ms(start_beat), beat_source_ms(end_beat)))

    def parts(self):
        return sorted({n.part for n in self.notes})

    def of_part(self, part):
        return [n for n in self.notes if n.part == part]
