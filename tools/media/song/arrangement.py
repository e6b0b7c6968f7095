"""The whole song, section by section, as the show's script runs."""

from .chip import chip
from .closing import closing
from .middle import banner, chase, greetings
from .opening import build, laying, ride, title
from .score import Score
from .timing import TIMELINE, TRACK_LAID_MS
from .verse import verse


def _opens_s(layer):
    """When a layer of the script comes on, in seconds."""
    return TIMELINE[layer].after / 1000


SONG_START_S = 0.0
# The song's own turns under the closing card: the last ride of the theme
# and the coda.
CLOSING_RIDE_S = 252.0
CODA_S = 282.0

# What the viewer sees, in heard seconds, from the script: each section's
# music is levelled to the same loudness, except where the flag is False:
# transitions that may rise or fall, and the coda, which dies away on purpose.
SECTION_STARTS = [
    ("laying the track", SONG_START_S, True),
    ("the ride", TRACK_LAID_MS / 1000, True),
    ("the build-up", _opens_s("EmblemOrbit"), False),
    ("the title", _opens_s("TitleDance"), True),
    ("the sung verse", _opens_s("Singer"), True),
    ("the greetings", _opens_s("Greetings"), True),
    ("the chase", _opens_s("HeartChase"), True),
    ("the banner", _opens_s("RetroBanner"), False),
    ("the 8-bit computer", _opens_s("RetroComputer"), True),
    ("the credits", _opens_s("Credits"), True),
    ("the closing carol", _opens_s("ClosingCard"), True),
    ("the last ride", CLOSING_RIDE_S, True),
    ("the coda", CODA_S, False),
]
# (name, start s, end s or None for the song's end, levelled), each
# section ending where the next starts.
SECTIONS = [(name, start, following[1] if following else None, levelled)
            for (name, start, levelled), following
            in zip(SECTION_STARTS, SECTION_STARTS[1:] + [None])]

# The build-up of the laying section starts from a single hit; its level
# is judged once the band has joined.
LAYING_JUDGED_FROM_S = 4.0


def build_score():
    s = Score()
    for section in (laying, ride, build, title, verse, greetings, chase, banner, chip, closing):
        section(s)
    return s
