"""From the greetings to the 8-bit computer: the greetings with an accent
on every page, the three passes of the heart chase, and the retro banner's
break that stops like a tape."""

from . import carols
from .parts import (BELL_SHAKE, BELL_STRIKE, CLAP, CLOSED_HAT, CRASH, CRASH_2, HIGH_TOM, KICK,
                    LOW_TOM, OPEN_HAT, SHAKER, SIDE_STICK, SNARE, TAMBOURINE)
from .patterns import bass, pad, stabs
from .score import pitch, progression
from .timing import BAR_BEATS, TIMELINE, bar_of, beat_after, beat_on

# Where the script sets a section, its beat comes from there.
GREETINGS = beat_after(TIMELINE["Greetings"].after)       # the first beat inside their window
CHASE = bar_of(TIMELINE["HeartChase"].after) + BAR_BEATS  # its first full bar
PASS_TWO = 345
PASS_THREE = 377
BANNER_DROP_IN = beat_on(TIMELINE["RetroBanner"].after)   # the banner starts falling as it opens ...
BANNER_FALL = 8 / 3     # ... and lands a second later
BANNER = BANNER_DROP_IN + 1  # the big hit
BREAK = 411             # the band breaks while the banner rests
BREAK_BARS = 2
TAPE_STOP = 416         # it drops out at 156 s
TAPE_STOPPED = 418.5
GREETINGS_BARS = 4
PASS_BARS = 8

OCTAVE = 12
BASS_LOW = pitch("E1")
STAB_LOW, STAB_HIGH = pitch("E4"), pitch("E5")
STRINGS_LOW, STRINGS_HIGH = pitch("D4"), pitch("D5")
WOOD_BLOCK = 76         # the Santa's tick-tock

GREETINGS_CHORDS = "A:4 D:4 E:4 D7:4"
GREETINGS_TUNE = ("C#4:1 E4:1 A4:1 E4:1 | F#4:1 A4:1 F#4:1 D4:1 | E4:1 G#4:1 B4:1 G#4:1 | "
                  "A4:1 F#4:1 D5:1/2 B4:1/2 A4:1/2 F#4:1/2")


def greetings(s):
    """Four bars of greetings: a new page of names on every beat."""
    chords = progression(GREETINGS, GREETINGS_CHORDS)
    bars = GREETINGS_BARS
    s.note("kit", GREETINGS, 2, CRASH, 118)
    s.note("boom", GREETINGS, 4, 0, 110)
    s.pattern("kit", GREETINGS, 2, {KICK: "x.x.x.x.", CLAP: "..x...x.", CLOSED_HAT: ".x.x.x.x",
                                    TAMBOURINE: "xxxxxxxx"}, 104, repeat=bars - 1)
    s.pattern("kit", GREETINGS + 12, 4, {KICK: "x...x...........", SNARE: "........x.xxxxxx"}, 100)
    s.pattern("bells", GREETINGS, 2, {BELL_STRIKE: "x.x.x.x.", BELL_SHAKE: ".x.x.x.x"}, 96, repeat=bars)
    s.melody("trumpet", GREETINGS, GREETINGS_TUNE, 110, transpose=OCTAVE, gate=0.7)
    s.melody("xylo", GREETINGS, GREETINGS_TUNE, 100, transpose=OCTAVE, gate=0.5)
    stabs(s, "brass", chords, STAB_LOW, STAB_HIGH, (0, 1), 104, length=0.3)
    for beat in range(GREETINGS, GREETINGS + 12, 4):
        s.note("orchhit", beat, 0.5, pitch("A4") if beat == GREETINGS else pitch("D5"), 100)
    bass(s, "bass", chords, BASS_LOW, 104, "octaves")
    pad(s, "strings", chords, STRINGS_LOW, STRINGS_HIGH, 78)


def _chase_drums(s, first, bars, busy):
    rows = {KICK: "x...x...", SIDE_STICK: "..x...x.", SHAKER: "xoxoxoxo"}
    if busy:
        rows = {KICK: "x..xx...", SNARE: "..x...x.", CLOSED_HAT: "xoxoxoxo", OPEN_HAT: "......x."}
    s.pattern("kit", first, 2, rows, 88 if not busy else 96, repeat=bars)
    s.pattern("bells", first, 2, {BELL_STRIKE: "..x...x.", BELL_SHAKE: "x.o.x.o."}, 80, repeat=bars)


def chase(s):
    """From its first full bar (the greetings' last notes run into the
    chase's first beats) to the banner: three playful passes of eight bars,
    each with its own tune and colour."""
    # Pass one, the snowman waddles: the verse of the sleigh song on
    # xylophone, tuba and pizzicato going oom-pah.
    first = progression(CHASE, carols.JINGLE_VERSE_CHORDS)
    s.melody("xylo", CHASE, carols.JINGLE_VERSE, 118, gate=0.55)
    s.melody("flute", CHASE + 16, carols.JINGLE_VERSE_FIELDS, 70, transpose=OCTAVE, gate=0.8)
    bass(s, "tuba", first, BASS_LOW + OCTAVE, 100, "oompah")
    stabs(s, "pizz", first, pitch("G3"), pitch("G4"), (1,), 90, length=0.4)
    _chase_drums(s, CHASE, PASS_BARS, busy=False)

    # Pass two, the Santa rocks on white: the Wenceslas tune, a fourth up,
    # on celesta and clarinet, ticking on every beat.
    up = carols.shift(carols.WENCESLAS_KEY, "C")
    chords_text = carols.WENCESLAS_LINE_CHORDS + " " + carols.WENCESLAS_BRIGHTLY_CHORDS
    second = progression(PASS_TWO, carols.transpose_chords(chords_text, up))
    # The last bar turns to A for the next pass, in D.
    second[-1] = (second[-1][0], 2, "C")
    second.append((PASS_THREE - 2, 2, "A7"))
    tune = carols.WENCESLAS_LINE + " | " + carols.WENCESLAS_BRIGHTLY.rsplit(" ", 1)[0]
    s.melody("celesta", PASS_TWO, tune, 92, transpose=up + OCTAVE, gate=0.8)
    s.melody("clarinet", PASS_TWO, tune, 84, transpose=up, gate=0.85)
    s.melody("celesta", PASS_THREE - 2, "G5:1/2 E5:1/2 C#5:1/2 A4:1/2", 92, gate=0.8)
    bass(s, "bassoon", second, BASS_LOW + OCTAVE, 92, "oompah")
    stabs(s, "pizz", second, pitch("G3"), pitch("G4"), (1,), 84, length=0.4)
    for beat in range(PASS_TWO, PASS_THREE):
        s.note("kit", beat, 0.3, WOOD_BLOCK + (beat % 2), 70)
    s.pattern("bells", PASS_TWO, 1, {BELL_SHAKE: "x.x.", BELL_STRIKE: ".x.x"}, 78, repeat=PASS_BARS)
    s.note("kit", PASS_TWO, 2, CRASH, 84)

    # Pass three, the snowman leads the heart: the sleigh verse again a
    # fifth higher, marimba and muted trumpets with the whole band.
    up = carols.shift(carols.JINGLE_KEY, "D")
    third = progression(PASS_THREE, carols.transpose_chords(carols.JINGLE_VERSE_CHORDS, up))
    s.melody("marimba", PASS_THREE, carols.JINGLE_VERSE, 100, transpose=up + OCTAVE, gate=0.7)
    s.melody("mutedtrumpet", PASS_THREE, carols.JINGLE_VERSE, 92, transpose=up + OCTAVE, gate=0.8)
    s.note("kit", PASS_THREE, 2, CRASH, 100)
    _chase_drums(s, PASS_THREE, PASS_BARS - 1, busy=True)
    s.pattern("kit", BANNER - 4, 4, {KICK: "x...x...x...x...", SNARE: "....x.x.xxxxxxxx",
                                     CLOSED_HAT: "x.x.x.x.........",
                                     HIGH_TOM: "..........x.....", LOW_TOM: "..............xx"}, 104)
    bass(s, "bass", third, BASS_LOW, 98, "bounce")
    pad(s, "strings", third, STRINGS_LOW, STRINGS_HIGH, 70)
    stabs(s, "piano", third, STAB_LOW, STAB_HIGH, (0.5, 1.5), 74, length=0.3)


BREAK_RIFF = "D2:1/2 D2:1/2 r:1/2 F#2:1/2 A2:1/2 r:1/2 C3:1/2 B2:1/2"


def banner(s):
    """The banner falls in on a big hit, the band breaks, and when the
    banner drops out the band stops like a tape."""
    s.note("downer", BANNER_DROP_IN, BANNER_FALL, 0, 100)
    s.note("kit", BANNER, 3, CRASH_2, 118)
    s.note("kit", BANNER, 3, CRASH, 112)
    s.note("boom", BANNER, 4, 0, 118)
    s.note("timpani", BANNER, 2, pitch("D2"), 112)
    s.chord("orchhit", BANNER, 0.6, [pitch("D4"), pitch("A4")], 110)
    s.chord("brass", BANNER, 1.5, [pitch("D3"), pitch("A3"), pitch("D4"), pitch("F#4")], 110)

    s.pattern("kit", BREAK, 4, {KICK: "x.....x...x.....", SNARE: "....x.......x..o",
                                CLOSED_HAT: "x.x.x.x.x.x.x.xx"}, 100, repeat=BREAK_BARS)
    s.pattern("bells", BREAK, 2, {BELL_STRIKE: "x.x.x.x.", BELL_SHAKE: ".x.x.x.x"}, 84,
              repeat=BREAK_BARS)
    for bar in range(BREAK_BARS):
        s.melody("bass", BREAK + 4 * bar, BREAK_RIFF, 104, gate=0.8)
    s.chord("brass", BREAK + 4, 0.4, [pitch("D4"), pitch("F#4"), pitch("A4")], 96)
    s.chord("brass", BREAK + 5.5, 0.4, [pitch("C4"), pitch("E4"), pitch("A4")], 100)
    s.tape_stop(TAPE_STOP, TAPE_STOPPED)
