"""A small Standard MIDI File writer: one track, one channel, ticks that are
samples, so a note starts on the very sample the score asks for."""

import struct

from .timing import SAMPLE_RATE

# 500,000 microseconds per quarter note with SAMPLE_RATE / 2 ticks per
# quarter makes one tick exactly one sample.
TEMPO_US_PER_QUARTER = 500_000
TICKS_PER_QUARTER = SAMPLE_RATE // 2

DRUM_CHANNEL = 9
NOTE_OFF = 0x80
NOTE_ON = 0x90
CONTROL = 0xB0
PROGRAM = 0xC0
CC_BANK_SELECT = 0
MELODIC_BANK = 0
CC_VOLUME = 7
CC_PAN = 10
CC_REVERB_SEND = 91
CC_CHORUS_SEND = 93
PAN_CENTRE = 64
FULL_VOLUME = 127


def _variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def _tick(ms):
    return round(ms * SAMPLE_RATE / 1000)


def note_events(notes, channel):
    """(tick, order, bytes) for each note-on and note-off. A note that would
    still be sounding when the same key starts again is ended there, so one
    note-off never silences the next note; of the notes of one key struck on
    the same tick, the longest sounds."""
    events = []
    by_key = {}
    for note in sorted(notes, key=lambda n: n.start):
        same_key = by_key.setdefault(note.pitch, [])
        if same_key and _tick(same_key[-1].start) == _tick(note.start):
            if note.length > same_key[-1].length:
                same_key[-1] = note
            continue
        same_key.append(note)
    for key, same_key in by_key.items():
        for note, following in zip(same_key, same_key[1:] + [None]):
            start = _tick(note.start)
            end = _tick(note.start + note.length)
            if following is not None:
                end = min(end, _tick(following.start))
            # Offs sort before ons at the same tick.
            events.append((start, 1, bytes([NOTE_ON | channel, key, note.velocity])))
            events.append((end, 0, bytes([NOTE_OFF | channel, key, 0])))
    return events


def write_part(path, notes, program, drums=False):
    """One part on its own channel: the drum channel for drum kits."""
    channel = DRUM_CHANNEL if drums else 0
    # The drum channel picks its kit by program alone.
    setup = [] if drums else [bytes([CONTROL | channel, CC_BANK_SELECT, MELODIC_BANK])]
    setup += [
        bytes([PROGRAM | channel, program]),
        bytes([CONTROL | channel, CC_VOLUME, FULL_VOLUME]),
        bytes([CONTROL | channel, CC_PAN, PAN_CENTRE]),
        bytes([CONTROL | channel, CC_REVERB_SEND, 0]),
        bytes([CONTROL | channel, CC_CHORUS_SEND, 0]),
    ]
    events = [(0, -1, message) for message in setup]
    events += note_events(notes, channel)
    events.sort(key=lambda e: (e[0], e[1]))

    track = bytearray()
    track += b"\x00\xff\x51\x03" + TEMPO_US_PER_QUARTER.to_bytes(3, "big")
    now = 0
    for tick, _, message in events:
        track += _variable_length(tick - now) + message
        now = tick
    track += b"\x00\xff\x2f\x00"

    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS_PER_QUARTER))
        f.write(b"MTrk" + struct.pack(">I", len(track)) + track)
