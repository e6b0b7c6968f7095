"""Up to the singer: the track laid piece by piece on hits, the ball's ride
on the main groove, the build-up to the title and the title's big
statement of the theme."""

from . import carols
from .parts import (BELL_STRIKE, CLAP, CLAVES, CLOSED_HAT, CRASH, CRASH_2, HIGH_TOM, KICK, LOW_TOM,
                    MID_TOM, SNARE, SPLASH, TAMBOURINE)
from .patterns import bass, broken, pad, sleigh_groove, stabs
from .score import bass_pitch, chord_tone, pitch, progression
from .timing import BEAT_MS, TIMELINE, TRACK_LAID_MS, bar_beat, bar_of, beat_on

_EMBLEM = TIMELINE["EmblemOrbit"]
_TITLE = TIMELINE["TitleDance"]
_CAPTION = TIMELINE["HandOverCaption"]
_CAPTION_BEATS = range(  # the beats the caption's window touches
    _CAPTION.after // BEAT_MS, _CAPTION.until // BEAT_MS + 1)
HALF_BEAT = 0.5

# Heard beats of the sections. Where the script sets a section, its beat
# comes from there: the beat its moment is on, or the start of the bar in
# which its window opens or closes.
LAY_FIRST = 1
LAY_LAST = beat_on(TRACK_LAID_MS)  # the track's last piece lands here
LAY_BAND = 17           # the bass and broken chords join
LAY_CLAPS = 33          # claps, strings and the glockenspiel
LAY_DRIVE = 49          # hats, tambourine, timpani
LAY_TUNE = 65           # the carol starts
LAY_HORNS = 97          # horns take the tune
LAY_FINAL = 129         # the carol's last note, on the biggest hit
RIDE = 133
RIDE_CHORUS = 149
BUILD = bar_of(_EMBLEM.after)           # the emblem starts to orbit in this bar
TITLE = bar_of(_TITLE.after)
TITLE_STOP = bar_of(_CAPTION.after)     # the stop-time bar under the flashing caption
TITLE_BACK = bar_of(_CAPTION.until)     # the band is back in the bar the caption ends in
TITLE_END = bar_of(_TITLE.until)        # the last chord, as the singer comes on

INTRO_CHORDS = "G:4 Em:4 C:4 D:4"
INTRO_BARS = 4          # the intro progression is played this many times
# The caption flashes in the second half of each beat: a stab on every
# half beat inside its window.
CAPTION_STABS = tuple(beat + HALF_BEAT for beat in _CAPTION_BEATS
                      if _CAPTION.contains((beat + HALF_BEAT) * BEAT_MS))
LAYING_FILL = ((1.5, SNARE), (1.75, SNARE), (2, HIGH_TOM), (2.25, MID_TOM), (2.5, LOW_TOM),
               (2.75, SNARE))        # beats after the last piece, into the ride
TITLE_FILL = ((0, HIGH_TOM), (0.25, MID_TOM), (0.5, LOW_TOM), (0.75, LOW_TOM))  # before the title
# The build's snare roll: (first beat, beats, notes a beat) from the build's start.
SNARE_ROLL = ((0, 8, 2), (8, 4, 4), (12, 3.5, 8))
TIMPANI_ROLL_NOTES_PER_BEAT = 8

# Pitch ranges.
BASS_LOW = pitch("C2")
PAD_LOW, PAD_HIGH = pitch("G3"), pitch("D5")
STRINGS_LOW, STRINGS_HIGH = pitch("D4"), pitch("D5")
HORNS_LOW, HORNS_HIGH = pitch("G3"), pitch("G4")
ARP_LOW = pitch("G4")
GLOCK_LOW = pitch("G5")
TIMPANI_LOW = pitch("F2")
STAB_LOW, STAB_HIGH = pitch("E4"), pitch("E5")
OCTAVE = 12


def _timpani_key(symbol):
    """Timpani tuned to the chord's root in the drums' range."""
    return bass_pitch(symbol, TIMPANI_LOW)


def _ramp(beat, first, last, low, high):
    """A velocity rising from low at beat first to high at beat last."""
    share = min(1.0, max(0.0, (beat - first) / (last - first)))
    return low + (high - low) * share


def laying(s):
    """Up to the track's last piece and the fill after it: every sound starts
    on a beat, every beat has a hit."""
    intro = progression(LAY_FIRST, " ".join([INTRO_CHORDS] * INTRO_BARS))
    tune_chords = progression(LAY_TUNE, " ".join([carols.WENCESLAS_LINE_CHORDS] * 2))
    horn_chords = progression(LAY_HORNS, carols.WENCESLAS_BRIGHTLY_CHORDS + " "
                            + carols.WENCESLAS_POOR_MAN_CHORDS)
    all_chords = intro + tune_chords + horn_chords

    for beat in range(LAY_FIRST, LAY_LAST + 1):
        in_bar = bar_beat(beat)
        lift = _ramp(beat, LAY_FIRST, LAY_FINAL, 0.0, 1.0)
        s.note("kit", beat, 0.5, KICK, 92 + 22 * lift + (8 if in_bar == 0 else 0))
        s.note("bells", beat, 1, BELL_STRIKE, 84 + 30 * lift + (10 if in_bar == 0 else 0))
        s.note("kit", beat, 0.5, CLAVES, 70 + 30 * lift)
        if beat >= LAY_CLAPS and in_bar in (1, 3):
            s.note("kit", beat, 0.5, CLAP if beat < LAY_TUNE else SNARE, 80 + 30 * lift)
        if beat >= LAY_DRIVE:
            s.note("kit", beat, 0.5, CLOSED_HAT, 60 + 25 * lift)
            if in_bar in (1, 3):
                s.note("kit", beat, 0.5, TAMBOURINE, 55 + 25 * lift)
    for beat in range(LAY_FIRST, LAY_CLAPS, 16):
        s.note("boom", beat, 4, 0, 90)
    # No cymbals here: their ringing would hide the next hits.
    for beat in (LAY_TUNE, LAY_HORNS, LAY_HORNS + 16):
        s.note("boom", beat, 4, 0, 84)

    # Pads under the hits: the intro on the warm pad, then strings.
    pad(s, "warmpad", intro, PAD_LOW, PAD_HIGH, 70)
    pad(s, "slowstrings", [c for c in intro if c[0] >= LAY_CLAPS], STRINGS_LOW, STRINGS_HIGH, 62)
    pad(s, "strings", tune_chords + horn_chords, STRINGS_LOW, STRINGS_HIGH, 72)
    pad(s, "brass", horn_chords, HORNS_LOW, HORNS_HIGH, 54)

    bass(s, "bass", [c for c in all_chords if c[0] >= LAY_BAND], BASS_LOW, 92, "quarters")
    broken(s, "celesta", [c for c in intro if c[0] >= LAY_BAND], ARP_LOW, 1, (0, 1, 2, 1), 70)
    for beat, _, symbol in intro:
        if beat >= LAY_CLAPS:
            s.note("glock", beat, 2, chord_tone(symbol, 1, GLOCK_LOW), 64)

    # Timpani on each bar from the drive, rolling in quarters into the tune.
    for beat, beats, symbol in all_chords:
        if beat >= LAY_DRIVE and bar_beat(beat) == 0:
            s.note("timpani", beat, 2, _timpani_key(symbol), 80)
    for i, beat in enumerate(range(LAY_TUNE - 4, LAY_TUNE)):
        s.note("timpani", beat, 1, pitch("D3"), 70 + 10 * i)

    # The carol: celesta with a soft glockenspiel, then horns. The bright
    # bells are kept short so that each beat's hit stands out.
    end = LAY_TUNE
    for _ in range(2):
        s.melody("glock", end, carols.WENCESLAS_LINE, 62, transpose=OCTAVE, gate=0.5)
        end = s.melody("celesta", end, carols.WENCESLAS_LINE, 80)
    tune = carols.WENCESLAS_BRIGHTLY + " | " + carols.WENCESLAS_POOR_MAN
    s.melody("horns", LAY_HORNS, tune, 100, gate=0.95)
    s.melody("glock", LAY_HORNS, tune, 60, transpose=OCTAVE, gate=0.5)

    # The last piece: two big hits, then a fill that leads into the ride.
    s.note("boom", LAY_FINAL, 4, 0, 118)
    s.note("timpani", LAY_FINAL, 2, pitch("G2"), 110)
    s.chord("brass", LAY_FINAL + 1, 0.8, [pitch("G3"), pitch("B3"), pitch("D4"), pitch("G4")], 105)
    s.note("kit", LAY_FINAL + 1, 0.5, SNARE, 110)
    s.note("kit", LAY_FINAL + 1, 3, CRASH_2, 118)
    for offset, key in LAYING_FILL:
        s.note("kit", LAY_LAST + offset, 0.25, key, 90 + 10 * offset)


RIDE_RIFF = (
    "D5:1/2 B4:1/2 G4:1/2 B4:1/2 D5:1/2 E5:1/2 D5:1/2 B4:1/2 | "
    "E5:1/2 C5:1/2 G4:1/2 C5:1/2 E5:1/2 G5:1/2 E5:1/2 C5:1/2 | "
    "F#5:1/2 D5:1/2 A4:1/2 D5:1/2 F#5:1/2 A5:1/2 F#5:1/2 D5:1/2 | "
    "E5:1/2 D5:1/2 C5:1/2 A4:1/2 F#4:1/2 A4:1/2 C5:1/2 D5:1/2"
)
RIDE_RIFF_CHORDS = "G:4 C:4 D:4 D7:4"


def ride(s):
    """From beat 133 to the build-up: the ball rides the track on the main
    groove."""
    riff = progression(RIDE, RIDE_RIFF_CHORDS)
    chorus = progression(RIDE_CHORUS, carols.JINGLE_REFRAIN_CHORDS + " " + carols.JINGLE_FUN_OPEN_CHORDS)
    sleigh_groove(s, RIDE, 12)
    s.note("kit", RIDE_CHORUS, 2, CRASH_2, 110)

    s.melody("xylo", RIDE, RIDE_RIFF, 96, gate=0.6)
    s.melody("pizz", RIDE, RIDE_RIFF, 92, transpose=-OCTAVE, gate=0.6)
    stabs(s, "brass", riff, STAB_LOW, STAB_HIGH, (1.5,), 92, length=0.35)

    tune = carols.JINGLE_REFRAIN + " | " + carols.JINGLE_FUN_OPEN
    s.melody("trumpet", RIDE_CHORUS, tune, 104, gate=0.85)
    s.melody("glock", RIDE_CHORUS, tune, 84, transpose=OCTAVE, gate=0.7)
    pad(s, "strings", chorus, STRINGS_LOW, STRINGS_HIGH, 74)
    stabs(s, "piano", riff + chorus, STAB_LOW, STAB_HIGH, (0.5, 1.5), 78, length=0.3)
    bass(s, "bass", riff + chorus, BASS_LOW, 100, "bounce")


BUILD_CHORDS = "C:4 D:4 Esus4:4 E7:4"


def build(s):
    """From the bar in which the emblem comes on: it orbits and grows;
    everything rises into the title."""
    chords = progression(BUILD, BUILD_CHORDS)
    s.note("riser", BUILD, TITLE - BUILD, 0, 100)
    for i, (beat, beats, symbol) in enumerate(chords):
        low = STRINGS_LOW + 2 * i
        pad(s, "tremolo", [(beat, beats, symbol)], low, low + OCTAVE, 70 + 12 * i)
        pad(s, "brass", [(beat, beats, symbol)], HORNS_LOW + 2 * i, HORNS_HIGH + 2 * i, 70 + 10 * i)
    bass(s, "bass", chords, BASS_LOW, 96, "octaves")

    # Snare roll: eighths, sixteenths, then thirty-seconds, ever louder.
    for first, beats, per_beat in SNARE_ROLL:
        for i in range(int(beats * per_beat)):
            beat = BUILD + first + i / per_beat
            s.note("kit", beat, 0.2, SNARE, _ramp(beat, BUILD, TITLE, 52, 118))
    for beat in range(BUILD, TITLE - 4):
        s.note("kit", beat, 0.5, KICK, _ramp(beat, BUILD, TITLE, 80, 110))
    for i in range(4 * TIMPANI_ROLL_NOTES_PER_BEAT):
        beat = TITLE - 4 + i / TIMPANI_ROLL_NOTES_PER_BEAT
        s.note("timpani", beat, 0.2, pitch("E2"), _ramp(beat, TITLE - 4, TITLE, 70, 118))
    for offset, key in TITLE_FILL:
        s.note("kit", TITLE - 1 + offset, 0.25, key, 118)


def title(s):
    """The title screen up to the singer: the theme in A at full strength,
    with stabs under the flashing caption."""
    up = carols.shift(carols.JINGLE_KEY, "A")
    chords_text = carols.JINGLE_REFRAIN_CHORDS + " " + carols.JINGLE_FUN_CLOSED_CHORDS
    chords = progression(TITLE, carols.transpose_chords(chords_text, up))
    band = [c for c in chords if not TITLE_STOP <= c[0] < TITLE_BACK]
    tune = carols.JINGLE_REFRAIN + " | " + carols.JINGLE_FUN_CLOSED

    s.note("boom", TITLE, 4, 0, 120)
    s.note("kit", TITLE, 3, CRASH, 120)
    s.note("kit", TITLE, 3, CRASH_2, 110)
    s.note("timpani", TITLE, 2, pitch("A2"), 115)
    sleigh_groove(s, TITLE, 5, crash=False)
    sleigh_groove(s, TITLE_BACK, 1)
    s.note("kit", TITLE + 16, 2, CRASH_2, 108)

    s.melody("brass", TITLE, tune, 108, transpose=up, gate=0.9)
    s.melody("trumpet", TITLE, tune, 100, transpose=up + OCTAVE, gate=0.85)
    s.melody("glock", TITLE, tune, 84, transpose=up + OCTAVE, gate=0.7)
    pad(s, "strings", chords, STRINGS_LOW, STRINGS_HIGH + 5, 84)
    pad(s, "horns", chords, HORNS_LOW, HORNS_HIGH, 74)
    stabs(s, "piano", band, STAB_LOW, STAB_HIGH, (0, 0.5, 1.5), 84, length=0.3)
    bass(s, "bass", band, BASS_LOW, 104, "bounce")

    # Stop-time: one hit on the bar's first beat, then the three stabs.
    s.note("kit", TITLE_STOP, 1, KICK, 118)
    s.note("kit", TITLE_STOP, 1, CRASH, 105)
    s.note("bass", TITLE_STOP, 0.9, pitch("D2"), 110)
    for beat in CAPTION_STABS:
        keys = [pitch("A3"), pitch("C#4"), pitch("E4"), pitch("A4")]
        s.chord("brass", beat, 0.3, keys, 118)
        s.chord("orchhit", beat, 0.3, [pitch("A4")], 112)
        s.note("kit", beat, 0.5, SNARE, 120)
        s.note("kit", beat, 0.5, SPLASH, 96)
        s.note("kit", beat, 0.5, KICK, 115)
        s.note("bells", beat, 0.5, BELL_STRIKE, 110)

    # The last chord rings out for the singer.
    s.note("kit", TITLE_END, 4, CRASH_2, 110)
    s.note("boom", TITLE_END, 4, 0, 100)
    s.note("timpani", TITLE_END, 2, pitch("A2"), 105)
    s.note("bells", TITLE_END, 1, BELL_STRIKE, 100)
    s.note("whoosh", TITLE_END + 2, 2, 0, 70)
