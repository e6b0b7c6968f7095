"""Accompaniment figures shared by the sections: pads, bass lines, broken
chords and stabs, each played over a chord progression."""

from .parts import (BELL_SHAKE, BELL_STRIKE, CLOSED_HAT, CRASH, KICK, OPEN_HAT, SNARE,
                    TAMBOURINE)
from .score import bass_pitch, chord_tone, voicing

OCTAVE = 12
FIFTH_BELOW_FROM = 9    # a fifth more than this above the bass is played a fourth below it
SHORT = 0.45            # beats: a detached bass note
OFF_BEAT = 0.85         # the weaker beats are played this much softer


def pad(score, part, chords, low, high, velocity, gate=1.0):
    """Each chord held for its length, every chord tone between low and high."""
    for beat, beats, symbol in chords:
        score.chord(part, beat, beats * gate, voicing(symbol, low, high), velocity)


def bass(score, part, chords, low, velocity, figure="roots", gate=0.9):
    """Bass lines over the chords. Figures:
    roots      the bass note held for the chord
    quarters   the bass note on every beat
    root_fifth root and fifth on alternate beats
    oompah     root and fifth on alternate beats, short
    octaves    eighths jumping between the bass note and its octave
    bounce     root, rest, fifth, octave: a sleigh-ride trot in eighths"""
    for beat, beats, symbol in chords:
        root = bass_pitch(symbol, low)
        fifth = chord_tone(symbol, 2, low)
        if fifth - root > FIFTH_BELOW_FROM:
            fifth -= OCTAVE
        whole_beats = int(beats)
        if figure == "roots":
            score.note(part, beat, beats * gate, root, velocity)
        elif figure == "quarters":
            for i in range(whole_beats):
                score.note(part, beat + i, gate, root, velocity * (1.0 if i % 2 == 0 else OFF_BEAT))
        elif figure in ("root_fifth", "oompah"):
            length = gate if figure == "root_fifth" else SHORT
            for i in range(whole_beats):
                key = root if i % 2 == 0 else fifth
                score.note(part, beat + i, length, key, velocity * (1.0 if i % 2 == 0 else OFF_BEAT))
        elif figure == "octaves":
            for i in range(whole_beats * 2):
                key = root if i % 2 == 0 else root + OCTAVE
                score.note(part, beat + i / 2, SHORT, key, velocity * (1.0 if i % 2 == 0 else OFF_BEAT))
        elif figure == "bounce":
            steps = [(0, root, 1.0), (1, fifth, OFF_BEAT), (1.5, root + OCTAVE, OFF_BEAT ** 2)]
            for offset in range(0, whole_beats, 2):
                for step, key, accent in steps:
                    if offset + step < beats:
                        score.note(part, beat + offset + step, SHORT, key, velocity * accent)
        else:
            raise ValueError(f"no bass figure {figure!r}")


def broken(score, part, chords, low, steps_per_beat, order, velocity, gate=1.5):
    """Broken chords: order lists chord degrees (0 root, 1 third, 2 fifth,
    3 the next root ...) cycled at steps_per_beat notes a beat."""
    for beat, beats, symbol in chords:
        steps = int(round(beats * steps_per_beat))
        for i in range(steps):
            key = chord_tone(symbol, order[i % len(order)], low)
            score.note(part, beat + i / steps_per_beat, gate / steps_per_beat, key, velocity)


def stabs(score, part, chords, low, high, offsets, velocity, length=0.3):
    """Short chords at the given offsets (in beats) within every two beats
    of each chord."""
    for beat, beats, symbol in chords:
        keys = voicing(symbol, low, high)
        for pair in range(0, int(beats), 2):
            for offset in offsets:
                if pair + offset < beats:
                    score.chord(part, beat + pair + offset, length, keys, velocity)


def sleigh_groove(score, first, bars, crash=True, velocity=100):
    """The main sleigh-ride groove: drums in eighths, bells jingling."""
    rows = {
        KICK: "X..xX...",
        SNARE: "..x...x.",
        CLOSED_HAT: "xoxoxo.o",
        OPEN_HAT: "......x.",
        TAMBOURINE: "..x...x.",
    }
    score.pattern("kit", first, 2, rows, velocity, repeat=bars)
    score.pattern("bells", first, 2, {BELL_STRIKE: "x.x.x.x.", BELL_SHAKE: ".x.x.x.x"},
                  velocity - 8, repeat=bars)
    if crash:
        score.note("kit", first, 2, CRASH, velocity + 12)
