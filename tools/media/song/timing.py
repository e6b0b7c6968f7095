"""The show's clock as the song must meet it.

The score is written in beats as the viewer hears them; the show's headers
say how long a beat is, when each layer is on screen, how late the mixer's
output is heard and when the singer sings, spins and flashes, so all of it
is read from there rather than copied."""

import os
import re
from collections import namedtuple

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
HEARD_DELAY_HEADER = os.path.join(ROOT, "app", "heard_delay.h")
BEAT_HEADER = os.path.join(ROOT, "timeline", "beat.h")
SCRIPT_HEADER = os.path.join(ROOT, "app", "show_layers.h")
RIDE_HEADER = os.path.join(ROOT, "track", "ride_view.h")
# Every layer writes its window in its own header.
LAYER_HEADER_FOLDERS = [os.path.join(ROOT, "layers"), os.path.join(ROOT, "track")]
CUES_HEADER = os.path.join(ROOT, "layers", "singer_cues.h")

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
BAR_BEATS = 4           # the song is in four, its bars starting on beats 1, 5, 9, ...

# The show's clock is unsigned and wraps: a window after beforeTheShow
# holds 0, which here is simply a window after -1. Nothing else may lie
# outside the clock.
BEFORE_THE_SHOW = -1
CLOCK_END = 2 ** 32


class Window(namedtuple("Window", "after until")):
    """A window {after, until} of globaltime: after < t <= until."""

    def contains(self, t):
        return self.after < t <= self.until


_WINDOW = re.compile(r"\{\s*(\d+)\s*,\s*(\d+)\s*\}")
# A time as the script writes it: a number of ms, a beat or the instant
# before the show, moved by a number of ms at most.
_TIME = re.compile(r"(?:(\d+)|beats\(\s*(\d+)\s*\)|(beforeTheShow))(?:\s*([-+])\s*(\d+))?")
_ROW = re.compile(r"\{\s*Layer::(\w+)\s*,\s*\"(\w+)\"\s*,\s*(\w+)\s*,[^{}]*\}\s*,?")
_WINDOW_CONSTANT = re.compile(r"\bconstexpr\s+TimeWindow\s+(\w+)\s*=\s*\{([^,{}]*),([^,{}]*)\}\s*;")
_COMMENT = re.compile(r"//[^\n]*")
_SPACE = re.compile(r"\s*")


def _read(path):
    try:
        with open(path, encoding="utf-8") as f:
            return f.read()
    except OSError as error:
        raise SystemExit(f"cannot read {path}: {error.strerror}")


def read_constant(path, name):
    """A constant written as a plain number: name = N;"""
    match = re.search(rf"\b{name}\s*=\s*(\d+)\s*;", _read(path))
    if not match:
        raise SystemExit(f"{path}: no {name} = N found")
    return int(match.group(1))


def read_heard_delay_ms(path=HEARD_DELAY_HEADER):
    return read_constant(path, "heardDelayMs")


BEAT_MS = read_constant(BEAT_HEADER, "beatMs")


def _table(text, path, name):
    """What stands between the braces of name[...] = { ... };"""
    start = re.search(rf"\b{name}\[[^\]]*\]\s*=\s*\{{", text)
    if not start:
        raise SystemExit(f"{path}: no {name} table")
    end = text.find("};", start.end())
    if end < 0:
        raise SystemExit(f"{path}: the {name} table has no closing }};")
    return text[start.end():end]


def _windows(path, name, table):
    windows = [Window(int(a), int(b)) for a, b in _WINDOW.findall(table)]
    for window in windows:
        if not window.after < window.until:
            raise SystemExit(f"{path}: {name} window {window.after}-{window.until} is empty")
    return windows


def read_syllables(path=CUES_HEADER):
    """The singer's (after, until) windows in globaltime ms, in order."""
    windows = _windows(path, "syllable", _table(_read(path), path, "singerSyllables"))
    if len(windows) != SYLLABLE_COUNT:
        raise SystemExit(f"{path}: expected {SYLLABLE_COUNT} syllables, found {len(windows)}")
    for window, following in zip(windows, windows[1:]):
        if window.until > following.after:
            raise SystemExit(f"{path}: syllable {window.after}-{window.until} overlaps the next")
    return windows


def read_spin_starts(path=CUES_HEADER):
    """When each of the singer's spins starts, in globaltime ms."""
    table = _table(_read(path), path, "singerSpinStarts")
    items = [item.strip() for item in table.split(",") if item.strip()]
    if not items or not all(item.isdigit() for item in items):
        raise SystemExit(f"{path}: singerSpinStarts is not a list of ms: {table.strip()!r}")
    return tuple(int(item) for item in items)


def read_heart_flashes(path=CUES_HEADER):
    windows = _windows(path, "heart flash", _table(_read(path), path, "singerHeartFlashes"))
    if not windows:
        raise SystemExit(f"{path}: no heart flashes in singerHeartFlashes")
    return windows


def _script_time(path, text, where):
    """The ms of a time written as the script writes it."""
    match = _TIME.fullmatch(text.strip())
    if not match:
        raise SystemExit(f"{path}: not a time of the script in {where}: {text.strip()!r}")
    ms, beat, before, sign, offset = match.groups()
    value = int(ms) if ms else int(beat) * BEAT_MS if beat else BEFORE_THE_SHOW
    if sign:
        value += int(offset) if sign == "+" else -int(offset)
    if not BEFORE_THE_SHOW <= value < CLOCK_END:
        raise SystemExit(f"{path}: {text.strip()!r} in {where} falls outside the show's clock")
    return value


def read_layer_windows(paths):
    """{constant name: (after text, until text, header)} of every window
    written in these headers."""
    windows = {}
    for path in paths:
        for match in _WINDOW_CONSTANT.finditer(_read(path)):
            windows[match.group(1)] = (match.group(2), match.group(3), path)
    return windows


def read_timeline(path=SCRIPT_HEADER, folders=LAYER_HEADER_FOLDERS):
    """The script: {layer name: Window} in the table's order, which is the
    order the frame paints them in. Each row names its window, written in
    the table's header or in a header of the folders."""
    table = _COMMENT.sub("", _table(_read(path), path, "showLayers"))
    headers = [path] + [os.path.join(folder, name) for folder in folders
                        for name in sorted(os.listdir(folder)) if name.endswith(".h")]
    windows = read_layer_windows(headers)
    rows, at = {}, _SPACE.match(table).end()
    while at < len(table):
        row = _ROW.match(table, at)
        if not row:
            raise SystemExit(f"{path}: not a row {{Layer::Name, \"Name\", nameWindow, ...}}: "
                             f"{table[at:].splitlines()[0].strip()!r}")
        name, printed, constant = row.groups()
        if printed != name:
            raise SystemExit(f"{path}: Layer::{name} is named {printed!r}")
        if constant not in windows:
            raise SystemExit(f"{path}: Layer::{name}'s window {constant} is written in no header of "
                             f"{', '.join(folders) or 'its own'}")
        after_text, until_text, header = windows[constant]
        where = f"{constant} = {{{after_text.strip()}, {until_text.strip()}}}"
        after, until = (_script_time(header, text, where) for text in (after_text, until_text))
        if name in rows:
            raise SystemExit(f"{path}: Layer::{name} has two rows")
        if not after < until:
            raise SystemExit(f"{header}: {where} is empty")
        rows[name] = Window(after, until)
        at = _SPACE.match(table, row.end()).end()
    if not rows:
        raise SystemExit(f"{path}: the showLayers table is empty")
    return rows


def read_moment(path, name):
    """A moment of the script: name = <time>;"""
    match = re.search(rf"\b{name}\s*=\s*([^;]*);", _read(path))
    if not match:
        raise SystemExit(f"{path}: no {name} = <time> found")
    return _script_time(path, match.group(1), name)


HEARD_DELAY_MS = read_heard_delay_ms()
SYLLABLES = read_syllables()
SPIN_STARTS_MS = read_spin_starts()
SPIN_MS = read_constant(CUES_HEADER, "singerSpinMs")
HEART_FLASHES = read_heart_flashes()
TIMELINE = read_timeline()
TRACK_LAID_MS = read_moment(RIDE_HEADER, "trackLaidMs")
BALL_ARRIVES_MS = read_moment(RIDE_HEADER, "ballArrivesMs")

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


# Where the script's times fall on the song's beats. Beat k is heard at
# k x BEAT_MS.

def beat_on(ms):
    """The beat a moment of the script is written on; one between beats
    cannot be met by a beat of the song."""
    beat, off = divmod(ms, BEAT_MS)
    if off:
        raise SystemExit(f"the script's moment {ms} ms is not on a beat of {BEAT_MS} ms")
    return beat


def beat_after(ms):
    """The first beat after ms: the first inside a window opening after it."""
    return ms // BEAT_MS + 1


def bar_beat(beat):
    """0 to BAR_BEATS - 1: where in its bar a beat falls."""
    return (beat - 1) % BAR_BEATS


def bar_of(ms):
    """The first beat of the bar in which ms falls."""
    beat = ms // BEAT_MS
    return beat - bar_beat(beat)
