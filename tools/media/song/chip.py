"""Up to the credits: the imitation 8-bit computer starts, loads and
shows off, and its music builds with it: pulse waves, a triangle bass and
noise drums, all made by our own synthesiser."""

from . import carols
from .parts import NOISE_HAT, NOISE_KICK, NOISE_SNARE
from .patterns import bass, broken
from .score import pitch, progression
from .timing import TIMELINE, beat_after

# The banner has gone: a fill on the noise drum on the computer's first beat.
CHIP_FILL = beat_after(TIMELINE["RetroComputer"].after)
CHIP = 421              # text screen with the blinking cursor
CHIP_LOAD = 437         # the load command scrolls by
CHIP_LOGO = 453         # the logo fades in
CHIP_FULL = 469         # the snowman bounces: everything plays
CHIP_OUTRO = 485

OCTAVE = 12
C_MAJOR = 0             # tonic pitch class for the harmony line
THIRD_BELOW = -2        # scale steps
TRI_LOW = pitch("C2")
ARP_LOW = pitch("C5")

SCREEN_CHORDS = "C:4 Am:4 F:4 G:4"
CURSOR_MOTIF = "E5:2 D5:2 | C5:2 G4:2 | A4:2 C5:2 | B4:2 G4:2"

DRUMS_SPARSE = {NOISE_HAT: ".x.x.x.x"}
DRUMS_LOAD = {NOISE_HAT: "xxxxxxxx", NOISE_SNARE: "..x...x."}
DRUMS_FULL = {NOISE_KICK: "x..xx...", NOISE_SNARE: "..x...x.", NOISE_HAT: "xxxxxxxx"}
DRUMS_DRIVE = {NOISE_KICK: "x.xxx.x.", NOISE_SNARE: "..x...xx", NOISE_HAT: "xxxxxxxx"}
ARPEGGIO = (0, 1, 2, 3)


def chip(s):
    for i in range(8):
        s.note("chip_noise", CHIP_FILL + i / 4, 0.2, NOISE_SNARE, 60 + 8 * i)
    s.melody("chip_tri", CHIP_FILL, "G2:1/2 B2:1/2 D3:1/2 F3:1/2", 100, gate=0.9)

    # Text screen: a bass pulse, a hat and a questioning little motif.
    screen = progression(CHIP, SCREEN_CHORDS)
    bass(s, "chip_tri", screen, TRI_LOW, 100, "quarters", gate=0.7)
    s.pattern("chip_noise", CHIP, 2, DRUMS_SPARSE, 70, repeat=4)
    s.melody("chip_harm", CHIP, CURSOR_MOTIF, 90, gate=0.85)

    # Loading: arpeggios race, the bass jumps octaves.
    load = progression(CHIP_LOAD, SCREEN_CHORDS)
    broken(s, "chip_arp", load, ARP_LOW, 4, ARPEGGIO, 88, gate=0.9)
    bass(s, "chip_tri", load, TRI_LOW, 100, "octaves")
    s.pattern("chip_noise", CHIP_LOAD, 2, DRUMS_LOAD, 80, repeat=4)
    s.melody("chip_harm", CHIP_LOAD, CURSOR_MOTIF, 90, transpose=OCTAVE, gate=0.85)

    # The logo: the carol's first line, harmonised in thirds.
    logo = progression(CHIP_LOGO, carols.DECK_FIRST_CHORDS)
    s.melody("chip_lead", CHIP_LOGO, carols.DECK_FIRST, 100, transpose=OCTAVE, gate=0.9)
    s.harmony("chip_harm", CHIP_LOGO, carols.DECK_FIRST, 80, C_MAJOR, THIRD_BELOW,
              transpose=OCTAVE, gate=0.9)
    broken(s, "chip_arp", logo, ARP_LOW, 4, ARPEGGIO, 80, gate=0.9)
    bass(s, "chip_tri", logo, TRI_LOW, 100, "bounce")
    s.pattern("chip_noise", CHIP_LOGO, 2, DRUMS_FULL, 88, repeat=4)

    # The snowman bounces: the carol's last line with everything.
    full = progression(CHIP_FULL, carols.DECK_LAST_CHORDS)
    s.melody("chip_lead", CHIP_FULL, carols.DECK_LAST, 108, transpose=OCTAVE, gate=0.9)
    s.harmony("chip_harm", CHIP_FULL, carols.DECK_LAST, 88, C_MAJOR, THIRD_BELOW,
              transpose=OCTAVE, gate=0.9)
    broken(s, "chip_arp", full, ARP_LOW + OCTAVE, 4, ARPEGGIO, 84, gate=0.9)
    bass(s, "chip_tri", full, TRI_LOW, 104, "octaves")
    s.pattern("chip_noise", CHIP_FULL, 2, DRUMS_DRIVE, 96, repeat=4)

    # A flourish, then one held chord that rings into the credits.
    s.melody("chip_lead", CHIP_OUTRO, "C5:1/4 E5:1/4 G5:1/4 C6:1/4 E6:1/4 G6:1/4 E6:1/4 G6:1/4 | C6:2",
             104, gate=0.95)
    s.melody("chip_harm", CHIP_OUTRO + 2, "G5:2", 84, gate=0.95)
    s.melody("chip_arp", CHIP_OUTRO + 2, "E5:2", 80, gate=0.95)
    s.melody("chip_tri", CHIP_OUTRO, "C2:1/2 C3:1/2 G2:1/2 E2:1/2 C2:2", 104, gate=0.95)
    s.pattern("chip_noise", CHIP_OUTRO, 4, {NOISE_SNARE: "xxxxxxxx", NOISE_KICK: "x...x..."}, 90)
    s.note("chip_noise", CHIP_OUTRO + 2, 2, NOISE_HAT, 100)
