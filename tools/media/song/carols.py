"""The traditional carols the song quotes, transcribed as melodies with their
chords. Beats are the show's 375 ms beat; each tune is written in one key
and transposed where it is used.

Melody tokens are PITCH:BEATS ('r' rests, '|' marks the bar); chords are
SYMBOL:BEATS."""

# Good King Wenceslas (the spring carol of 1582, words of 1853), in G,
# 4/4 with the quarter note on the beat: only quarters and longer, so it
# can be played while every sound must land on a beat.
WENCESLAS_KEY = "G"
WENCESLAS_LINE = "G4:1 G4:1 G4:1 A4:1 | G4:1 G4:1 D4:2 | E4:1 D4:1 E4:1 F#4:1 | G4:2 G4:2"
WENCESLAS_LINE_CHORDS = "G:4 | G:2 D:2 | C:2 D7:2 | G:4"
WENCESLAS_BRIGHTLY = "D5:1 C5:1 B4:1 A4:1 | B4:1 A4:1 G4:2 | E4:1 D4:1 E4:1 F#4:1 | G4:2 G4:2"
WENCESLAS_BRIGHTLY_CHORDS = "D7:4 | G:4 | C:2 D7:2 | G:4"
WENCESLAS_POOR_MAN = "D4:1 D4:1 E4:1 F#4:1 | G4:1 G4:1 A4:2 | D5:1 C5:1 B4:1 A4:1 | G4:2 C5:2 | G4:4"
WENCESLAS_POOR_MAN_CHORDS = "G:2 D:2 | Em:2 D:2 | D7:4 | G:2 C:2 | G:4"

# Jingle Bells (1857), in G: the refrain in two halves with their two
# endings, and the first half of the verse.
JINGLE_KEY = "G"
JINGLE_REFRAIN = "B4:1 B4:1 B4:2 | B4:1 B4:1 B4:2 | B4:1 D5:1 G4:3/2 A4:1/2 | B4:4"
JINGLE_REFRAIN_CHORDS = "G:4 | G:4 | G:4 | G:4"
JINGLE_FUN_OPEN = "C5:1 C5:1 C5:3/2 C5:1/2 | C5:1 B4:1 B4:1 B4:1/2 B4:1/2 | B4:1 A4:1 A4:1 B4:1 | A4:2 D5:2"
JINGLE_FUN_OPEN_CHORDS = "C:4 | G:4 | A7:4 | D7:4"
JINGLE_FUN_CLOSED = "C5:1 C5:1 C5:3/2 C5:1/2 | C5:1 B4:1 B4:1 B4:1/2 B4:1/2 | D5:1 D5:1 C5:1 A4:1 | G4:4"
JINGLE_FUN_CLOSED_CHORDS = "C:4 | G:4 | D7:4 | G:4"
JINGLE_VERSE_SNOW = "D4:1 B4:1 A4:1 G4:1 | D4:3 D4:1/2 D4:1/2 | D4:1 B4:1 A4:1 G4:1 | E4:4"
JINGLE_VERSE_FIELDS = "E4:1 C5:1 B4:1 A4:1 | F#4:4 | D5:1 D5:1 C5:1 A4:1 | B4:4"
JINGLE_VERSE = JINGLE_VERSE_SNOW + " | " + JINGLE_VERSE_FIELDS
JINGLE_VERSE_CHORDS = "G:4 | G:4 | G:4 | C:4 | Am:4 | D:4 | D7:4 | G:4"

# Deck the Halls (Welsh, words of 1862), in C: the first and last lines.
DECK_KEY = "C"
DECK_FIRST = ("G4:3/2 F4:1/2 E4:1 D4:1 | C4:1 D4:1 E4:1 C4:1 | "
              "D4:1/2 E4:1/2 F4:1/2 D4:1/2 E4:3/2 D4:1/2 | C4:1 B3:1 C4:2")
DECK_FIRST_CHORDS = "C:4 | C:4 | G7:2 C:2 | C:1 G7:1 C:2"
DECK_LAST = ("G4:3/2 F4:1/2 E4:1 D4:1 | C4:1 D4:1 E4:1 C4:1 | "
             "A4:1/2 A4:1/2 A4:1/2 A4:1/2 G4:3/2 F4:1/2 | E4:1 D4:1 C4:2")
DECK_LAST_CHORDS = "C:4 | C:4 | F:2 G7:2 | C:1 G7:1 C:2"

# Silent Night (1818), in C, in 3/4 with the eighth note on the beat: six
# beats a bar.
SILENT_KEY = "C"
SILENT_NIGHT = (
    "G4:3 A4:1 G4:2 | E4:6 | G4:3 A4:1 G4:2 | E4:6 | "
    "D5:4 D5:2 | B4:6 | C5:4 C5:2 | G4:6 | "
    "A4:4 A4:2 | C5:3 B4:1 A4:2 | G4:3 A4:1 G4:2 | E4:6 | "
    "A4:4 A4:2 | C5:3 B4:1 A4:2 | G4:3 A4:1 G4:2 | E4:6 | "
    "D5:4 D5:2 | F5:3 D5:1 B4:2 | C5:6 | E5:6 | "
    "C5:3 G4:1 E4:2 | G4:3 F4:1 D4:2 | C4:6"
)
SILENT_NIGHT_CHORDS = (
    "C:6 | C:6 | C:6 | C:6 | G7:6 | G7:6 | C:6 | C:6 | "
    "F:6 | F:6 | C:6 | C:6 | F:6 | F:6 | C:6 | C:6 | "
    "G7:6 | G7:6 | C:6 | C:6 | C:6 | G7:6 | C:6"
)

_KEYS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
_NAMES = ["C", "C#", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"]


def shift(key_from, key_to, octave=0):
    """Semitones that move a tune from one key to the nearest other (up to
    a tritone either way), plus whole octaves."""
    up = (_KEYS[key_to] - _KEYS[key_from]) % 12
    return (up if up <= 6 else up - 12) + 12 * octave


def transpose_chords(text, semitones):
    """Moves chord symbols ('A7:4 | D/F#:2') by the given semitones."""
    out = []
    for token in text.split():
        if token == "|":
            out.append(token)
            continue
        symbol, beats = token.split(":")
        names = symbol.split("/")
        moved = []
        for name in names:
            root_len = 2 if len(name) > 1 and name[1] in "#b" else 1
            root = name[:root_len]
            value = (_KEYS[root[0]] + {"#": 1, "b": -1}.get(root[1:], 0) + semitones) % 12
            moved.append(_NAMES[value] + name[root_len:])
        out.append("/".join(moved) + ":" + beats)
    return " ".join(out)
