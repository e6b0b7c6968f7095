"""From the credits to the end: the credits remember the singer's tune, the
closing card gets a warm carol and a last ride of the main theme, and the
song dies away to silence so that its loop starts clean."""

from . import carols
from .parts import BELL_SHAKE, BELL_STRIKE, CRASH, CRASH_2, HIGH_TOM, LOW_TOM, MID_TOM, SNARE
from .patterns import bass, broken, pad, sleigh_groove, stabs
from .score import bass_pitch, chord_tone, pitch, progression
from .timing import BAR_BEATS, BEAT_MS, SYLLABLES, TIMELINE, bar_of
from .verse import LYRICS, VERSE

# The credits and the carol start on the bars in which the script brings
# on the credits and the closing card.
CREDITS = bar_of(TIMELINE["Credits"].after)
CAROL = bar_of(TIMELINE["ClosingCard"].after)
CREDITS_TURN = CAROL - 2 * BAR_BEATS  # two bars that lead into the carol
CAROL_HORNS = 577       # second third: horn tune, choir
CAROL_FULL = 625        # last third: strings and brass, full
CAROL_TURN = 667        # one bar on the new key's dominant
FINALE = 673
FINALE_SECOND = 705
TAG = 737
LAST_CHORD = 745
CODA = 749
LAST_DING = 761

OCTAVE = 12
REPRISE_SYLLABLES = 30  # the verse's first two phrases
QUANTUM = 0.5           # the reprise is played on the half beat
CAROL_BAR = 6
TURN_ROLL_BEATS = 4     # a snare and timpani roll, then a tom fill
ROLL_NOTES_PER_BEAT = 4

CREDITS_CHORDS = "C:4 Am:4 F:4 G:4 | C:4 Am:4 F:4 G:4 | F:4 G7:4"
BASS_LOW = pitch("E1")
PAD_LOW, PAD_HIGH = pitch("E4"), pitch("E5")
KEYS_LOW, KEYS_HIGH = pitch("C4"), pitch("C5")
HARP_LOW = pitch("C3")
CELLO_LOW = pitch("C2")
HARP_ROLL = (0, 2, 3, 4, 3, 2)
CHOIR_LOW, CHOIR_HIGH = pitch("G3"), pitch("G4")
STAB_LOW, STAB_HIGH = pitch("E4"), pitch("E5")

TAG_TUNE = "B4:2 D5:2 | G4:3 A4:1 | B4:8"
TAG_CHORDS = "C:2 D7:2 | Em:2 D7:2 | G:8"


def _reprise_notes():
    """The verse's tune moved to the half-beat grid: (beat, beats, key)."""
    notes = []
    for (after, until), (_, _, name) in list(zip(SYLLABLES, LYRICS))[:REPRISE_SYLLABLES]:
        start = round(after / BEAT_MS / QUANTUM) * QUANTUM
        end = max(start + QUANTUM, round(until / BEAT_MS / QUANTUM) * QUANTUM)
        if notes and notes[-1][0] == start:
            continue
        if notes and notes[-1][0] + notes[-1][1] > start:
            notes[-1] = (notes[-1][0], start - notes[-1][0], notes[-1][2])
        notes.append((start, end - start, pitch(name)))
    return notes


def credits(s):
    """Up to the closing card: the singer's tune on flute and celesta, warm
    and calm under the credits cards."""
    up = carols.shift("A", "C") + OCTAVE
    moved = CREDITS - VERSE
    for beat, beats, key in _reprise_notes():
        s.note("flute", beat + moved, beats, key + up, 86)
        s.note("celesta", beat + moved, beats * 0.5, key + up, 58)
    s.melody("flute", CREDITS_TURN, "E5:4 D5:2 G4:2", 80)

    chords = progression(CREDITS, CREDITS_CHORDS)
    pad(s, "slowstrings", chords, PAD_LOW, PAD_HIGH, 66)
    stabs(s, "epiano", chords, KEYS_LOW, KEYS_HIGH, (0,), 64, length=1.8)
    bass(s, "upright", chords, BASS_LOW + OCTAVE, 84, "roots")
    broken(s, "harp", chords, HARP_LOW + OCTAVE, 1, HARP_ROLL, 62)
    s.pattern("bells", CREDITS, 1, {BELL_SHAKE: "x...", BELL_STRIKE: "..x."}, 52,
              repeat=(CAROL - CREDITS) // 4)


def carol(s):
    """From the closing card's first bar: the lullaby carol, six beats a bar,
    growing from harp and flute to the whole orchestra with the choir."""
    chords = progression(CAROL, carols.SILENT_NIGHT_CHORDS)
    broken(s, "harp", chords, HARP_LOW, 1, HARP_ROLL, 72)
    for beat, beats, symbol in chords:
        s.note("cello", beat, CAROL_BAR / 2, _bass_of(symbol), 82)
        s.note("cello", beat + CAROL_BAR / 2, CAROL_BAR / 2, chord_tone(symbol, 2, CELLO_LOW), 74)
        s.note("bells", beat, 1, BELL_STRIKE, 60 if beat < CAROL_FULL else 76)
    pad(s, "slowstrings", chords, PAD_LOW, PAD_HIGH, 62)

    first = [c for c in chords if c[0] < CAROL_HORNS]
    middle = [c for c in chords if CAROL_HORNS <= c[0] < CAROL_FULL]
    last = [c for c in chords if c[0] >= CAROL_FULL]
    bars = carols.SILENT_NIGHT.split("|")
    horn_bar = (CAROL_HORNS - CAROL) // CAROL_BAR
    full_bar = (CAROL_FULL - CAROL) // CAROL_BAR
    opening, middle_tune, ending = (" | ".join(bars[:horn_bar]), " | ".join(bars[horn_bar:full_bar]),
                                    " | ".join(bars[full_bar:]))
    s.melody("flute", CAROL, opening, 88, gate=0.97)
    s.melody("musicbox", CAROL, opening, 70, transpose=OCTAVE, gate=0.9)
    s.melody("horns", CAROL_HORNS, middle_tune, 92, gate=0.97)
    s.melody("celesta", CAROL_HORNS, middle_tune, 64, transpose=OCTAVE, gate=0.9)
    pad(s, "choir", middle + last, CHOIR_LOW, CHOIR_HIGH, 70)
    s.melody("strings", CAROL_FULL, ending, 112, gate=0.98)
    s.melody("strings", CAROL_FULL, ending, 100, transpose=OCTAVE, gate=0.98)
    s.melody("glock", CAROL_FULL, ending, 66, transpose=OCTAVE, gate=0.8)
    pad(s, "brass", last, pitch("C3"), pitch("C4"), 58)
    for beat, _, symbol in last:
        s.note("timpani", beat, 2, _bass_of(symbol) + OCTAVE, 80)
    pad(s, "warmpad", first, PAD_LOW - OCTAVE, PAD_HIGH - OCTAVE, 56)

    # One bar on A to lift the finale into D.
    s.chord("brass", CAROL_TURN, CAROL_BAR, [pitch("A2"), pitch("E3"), pitch("G3"), pitch("C#4")], 90)
    s.chord("strings", CAROL_TURN, CAROL_BAR, [pitch("E4"), pitch("G4"), pitch("A4"), pitch("C#5")], 88)
    s.note("cello", CAROL_TURN, CAROL_BAR, pitch("A2"), 92)
    for i in range(TURN_ROLL_BEATS * ROLL_NOTES_PER_BEAT):
        beat = CAROL_TURN + i / ROLL_NOTES_PER_BEAT
        s.note("kit", beat, 0.2, SNARE, 50 + 3 * i)
        s.note("timpani", beat, 0.2, pitch("A2"), 50 + 2.5 * i)
    s.pattern("kit", FINALE - 2, 4, {HIGH_TOM: "xx......", MID_TOM: "..xx....", LOW_TOM: "....xx..",
                                     SNARE: "......xx"}, 112)
    s.pattern("bells", CAROL_TURN, 2, {BELL_SHAKE: "xxxxxxxxxxxx"}, 84)


def _bass_of(symbol):
    return bass_pitch(symbol, CELLO_LOW)


def finale(s):
    """Beats 673 to 776: the main theme once more in D with everything, a
    broadened tag, one last chord, and a music box that fades away."""
    up = carols.shift(carols.JINGLE_KEY, "D")
    chords_text = " ".join([carols.JINGLE_REFRAIN_CHORDS, carols.JINGLE_FUN_OPEN_CHORDS,
                            carols.JINGLE_REFRAIN_CHORDS, carols.JINGLE_FUN_CLOSED_CHORDS])
    chords = progression(FINALE, carols.transpose_chords(chords_text, up))
    tune = " | ".join([carols.JINGLE_REFRAIN, carols.JINGLE_FUN_OPEN,
                       carols.JINGLE_REFRAIN, carols.JINGLE_FUN_CLOSED])
    s.note("boom", FINALE, 4, 0, 116)
    sleigh_groove(s, FINALE, (TAG - FINALE) // 4)
    s.note("kit", FINALE_SECOND, 2, CRASH_2, 110)
    s.melody("brass", FINALE, tune, 104, transpose=up + OCTAVE, gate=0.9)
    s.melody("trumpet", FINALE, tune, 96, transpose=up + OCTAVE, gate=0.85)
    s.melody("glock", FINALE, tune, 80, transpose=up + 2 * OCTAVE, gate=0.7)
    pad(s, "strings", chords, PAD_LOW, PAD_HIGH, 80)
    pad(s, "choir", [c for c in chords if c[0] >= FINALE_SECOND], CHOIR_LOW, CHOIR_HIGH, 76)
    stabs(s, "piano", chords, STAB_LOW, STAB_HIGH, (0.5, 1.5), 78, length=0.3)
    bass(s, "bass", chords, BASS_LOW, 102, "bounce")

    tag = progression(TAG, carols.transpose_chords(TAG_CHORDS, up))
    s.melody("brass", TAG, TAG_TUNE, 108, transpose=up + OCTAVE, gate=0.97)
    s.melody("strings", TAG, TAG_TUNE, 96, transpose=up + 2 * OCTAVE, gate=0.97)
    s.melody("glock", TAG, TAG_TUNE, 80, transpose=up + 2 * OCTAVE, gate=0.8)
    pad(s, "horns", tag, pitch("A3"), pitch("A4"), 88)
    pad(s, "choir", tag, CHOIR_LOW, CHOIR_HIGH, 80)
    bass(s, "bass", [c for c in tag if c[0] < LAST_CHORD], BASS_LOW, 100, "quarters")
    sleigh_groove(s, TAG, 2)
    s.note("bass", LAST_CHORD, 6, pitch("D2"), 108)
    s.note("kit", LAST_CHORD, 4, CRASH, 118)
    s.note("kit", LAST_CHORD, 4, CRASH_2, 112)
    s.note("boom", LAST_CHORD, 4, 0, 118)
    for i in range(24):
        s.note("timpani", LAST_CHORD + i / 4, 0.2, pitch("D2"), 100 - 2 * i)

    # The coda: the refrain's opening on a music box, bells fading away.
    s.melody("musicbox", CODA, carols.JINGLE_REFRAIN, 76, transpose=up + OCTAVE, gate=0.9)
    s.melody("celesta", CODA, carols.JINGLE_REFRAIN, 54, transpose=up + OCTAVE, gate=0.5)
    pad(s, "warmpad", progression(CODA, "Dadd9:16"), pitch("D3"), pitch("E4"), 58)
    for i, beat in enumerate(range(CODA, LAST_DING, 4)):
        s.note("bells", beat, 2, BELL_SHAKE, 70 - 9 * i)
    s.note("glock", LAST_DING, 4, pitch("D6"), 70)
    s.note("celesta", LAST_DING, 4, pitch("D5"), 60)
    s.note("bells", LAST_DING, 1, BELL_STRIKE, 44)


def closing(s):
    credits(s)
    carol(s)
    finale(s)
