"""The whole song, section by section, as the show's script runs."""

from .chip import chip
from .closing import closing
from .middle import banner, chase, greetings
from .opening import build, laying, ride, title
from .score import Score
from .verse import verse

# What the viewer sees, in heard seconds: each section's music is levelled
# to the same loudness, except where the flag is False: transitions that
# may rise or fall, and the coda, which dies away on purpose.
SECTIONS = [
    ("laying the track", 0.0, 48.75, True),
    ("the ride", 48.75, 68.0, True),
    ("the build-up", 68.0, 74.0, False),
    ("the title", 74.0, 85.0, True),
    ("the sung verse", 85.0, 111.0, True),
    ("the greetings", 111.0, 116.625, True),
    ("the chase", 116.625, 153.0, True),
    ("the banner", 153.0, 157.0, False),
    ("the 8-bit computer", 157.0, 183.5, True),
    ("the credits", 183.5, 198.5, True),
    ("the closing carol", 198.5, 252.0, True),
    ("the last ride", 252.0, 282.0, True),
    ("the coda", 282.0, None, False),
]

# The build-up of the laying section starts from a single hit; its level
# is judged once the band has joined.
LAYING_JUDGED_FROM_S = 4.0


def build_score():
    s = Score()
    for section in (laying, ride, build, title, verse, greetings, chase, banner, chip, closing):
        section(s)
    return s
