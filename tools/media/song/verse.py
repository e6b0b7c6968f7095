"""The sung verse, while the singer is on screen: her mouth is open exactly
while the lead voice sounds, one sung note per syllable of the show's
table, over a light band that grows stronger when the picture starts to
pulse at 98 seconds."""

from .parts import (BELL_SHAKE, BELL_STRIKE, BRUSH_SWIRL, CLOSED_HAT, CRASH, KICK, LEAD, OPEN_HAT,
                    SIDE_STICK, SNARE)
from .patterns import bass, pad, stabs
from .score import pitch, progression
from .timing import (HEART_FLASHES, SPIN_MS, SPIN_STARTS_MS, SYLLABLES, TIMELINE, bar_of, beat_after,
                     source_ms)

# The verse starts on the bar of her first syllable and plays to the first
# beat after she has gone.
VERSE = bar_of(SYLLABLES[0].after)
STRONGER = 261          # the picture pulses from 98 s: drums and strings come in
VERSE_END = beat_after(TIMELINE["Singer"].until)

# Original words and tune. Each syllable: its word, how it is sung
# (onset consonants . vowel, or two vowels for a glide . final consonants)
# and its pitch, in A major, where the singer sings it.
LYRICS = [
    # Snow comes down over the town, bells are ringing bright, all through the night
    ("Snow", "sn.o-oo.", "E5"), ("comes", "k.uh.mz", "F#5"), ("down", "d.a-oo.n", "E5"),
    ("o-", ".o.", "C#5"), ("-ver", "v.er.", "B4"), ("the", "dh.uh.", "A4"),
    ("town,", "t.a-oo.n", "C#5"), ("bells", "b.e.lz", "C#5"), ("are", ".a.r", "D5"),
    ("ring-", "r.ih.ng", "E5"), ("-ing", ".ih.ng", "F#5"), ("bright,", "br.a-ih.t", "A5"),
    ("all", ".o.l", "G#5"), ("through", "thr.u.", "F#5"), ("the", "dh.uh.", "F#5"),
    ("night.", "n.a-ih.t", "E5"),
    # Hear them up in the sky, reindeer are flying, ho, ho, ho!
    ("Hear", "h.i-er.", "E5"), ("them", "dh.e.m", "C#5"), ("up", ".uh.p", "A4"),
    ("in", ".ih.n", "B4"), ("the", "dh.uh.", "C#5"), ("sky,", "sk.a-ih.", "F#5"),
    ("rein-", "r.e-ih.n", "E5"), ("-deer", "d.i-er.", "D5"), ("are", ".a.r", "C#5"),
    ("fly-", "fl.a-ih.", "D5"), ("-ing,", ".ih.ng", "F#5"), ("ho,", "h.o-oo.", "E5"),
    ("ho,", "h.o-oo.", "F#5"), ("ho!", "h.o-oo.", "G#5"),
    # Come outside, dance in the snow, hear the whole town sing, warm hearts aglow
    ("Come", "k.uh.m", "A5"), ("out-", ".a-oo.t", "F#5"), ("-side,", "s.a-ih.d", "D5"),
    ("dance", "d.ae.ns", "G#5"), ("in", ".ih.n", "F#5"), ("the", "dh.uh.", "E5"),
    ("snow,", "sn.o-oo.", "B4"), ("hear", "h.i-er.", "C#5"), ("the", "dh.uh.", "E5"),
    ("whole", "h.o-oo.l", "G#5"), ("town", "t.a-oo.n", "F#5"), ("sing,", "s.ih.ng", "E5"),
    ("warm", "w.o.rm", "C#5"), ("hearts", "h.a.rts", "F#5"), ("a-", ".uh.", "E5"),
    ("-glow.", "gl.o-oo.", "F#5"),
    # Christmas time is here again, sing it loud and let the bells ring, all night long!
    ("Christ-", "kr.a-ih.st", "A5"), ("-mas", "m.uh.s", "F#5"), ("time", "t.a-ih.m", "E5"),
    ("is", ".ih.z", "F#5"), ("here", "h.i-er.", "G#5"), ("a-", ".uh.", "F#5"),
    ("-gain,", "g.e-ih.n", "E5"), ("sing", "s.ih.ng", "C#5"), ("it", ".ih.t", "E5"),
    ("loud", "l.a-oo.d", "G#5"), ("and", ".ae.nd", "F#5"), ("let", "l.e.t", "E5"),
    ("the", "dh.uh.", "C#5"), ("bells", "b.e.lz", "E5"), ("ring,", "r.ih.ng", "A5"),
    ("all", ".o.l", "C#5"), ("night", "n.a-ih.t", "B4"), ("long!", "l.o.ng", "A4"),
]

# One chord a bar, the phrases starting on beats 229, 245, 261 and 277.
VERSE_CHORDS = ("A:4 F#m:4 D:4 E:4 | A:4 F#m:4 D:4 E:4 | "
                "D:4 E:4 C#m:4 F#m:4 | D:4 E:4 C#m:4 D:2 Esus4:2 A:4")

# A ping for each of the heart's flashes, which come in two pairs.
HEART_PINGS = ("C#6", "F#6", "B5", "E6")
HEART_PING_MS = 300

BASS_LOW = pitch("E2")
KEYS_LOW, KEYS_HIGH = pitch("E4"), pitch("E5")
PAD_LOW, PAD_HIGH = pitch("A3"), pitch("A4")  # under the voice, not on it
LEAD_VELOCITY = 100
ACCENTED_VELOCITY = 112  # the long notes carry the phrase
LONG_SYLLABLE_MS = 500


def lead(s):
    """One sung note per syllable, exactly inside the mouth's window."""
    for (after, until), (_, sound, name) in zip(SYLLABLES, LYRICS):
        velocity = ACCENTED_VELOCITY if until - after >= LONG_SYLLABLE_MS else LEAD_VELOCITY
        s.note_ms(LEAD, source_ms(after), until - after, pitch(name), velocity, lyric=sound)


def verse(s):
    lead(s)
    chords = progression(VERSE, VERSE_CHORDS)
    soft = [c for c in chords if c[0] < STRONGER]
    strong = [c for c in chords if c[0] >= STRONGER]

    # First half: electric piano, upright bass, brushes, a soft string pad.
    stabs(s, "epiano", soft, KEYS_LOW, KEYS_HIGH, (0, 1.5), 70, length=1.2)
    bass(s, "upright", soft, BASS_LOW, 88, "root_fifth")
    pad(s, "slowstrings", soft, PAD_LOW, PAD_HIGH, 52)
    s.pattern("brushes", VERSE, 2, {SIDE_STICK: "..x...x.", BRUSH_SWIRL: "x.o.x.o."}, 70,
              repeat=(STRONGER - VERSE) // 4)
    s.pattern("bells", VERSE, 1, {BELL_SHAKE: ".x.x"}, 66, repeat=(STRONGER - VERSE) // 4)

    # From 98 s: the band.
    s.note("kit", STRONGER, 2, CRASH, 96)
    bars = (VERSE_END - STRONGER) // 4
    s.pattern("kit", STRONGER, 2, {KICK: "x...x.o.", SNARE: "..x...x.",
                                   CLOSED_HAT: "xoxoxoxo", OPEN_HAT: "......x."}, 84, repeat=bars)
    s.pattern("bells", STRONGER, 2, {BELL_STRIKE: "x.x.x.x.", BELL_SHAKE: ".o.o.o.o"}, 76, repeat=bars)
    stabs(s, "epiano", strong, KEYS_LOW, KEYS_HIGH, (0, 0.5, 1.5), 74, length=0.45)
    bass(s, "bass", strong, BASS_LOW, 94, "root_fifth")
    pad(s, "strings", strong, PAD_LOW, PAD_HIGH, 64)

    # Touches for the picture: a swish for each spin, pings for the hearts.
    for at in SPIN_STARTS_MS:
        s.note_ms("whoosh", source_ms(at), SPIN_MS, 0, 80)
    if len(HEART_FLASHES) != len(HEART_PINGS):
        raise SystemExit(f"the singer's heart flashes {len(HEART_FLASHES)} times, "
                         f"but the verse has {len(HEART_PINGS)} pings for it")
    for flash, name in zip(HEART_FLASHES, HEART_PINGS):
        s.note_ms("glock", source_ms(flash.after), HEART_PING_MS, pitch(name), 80)
