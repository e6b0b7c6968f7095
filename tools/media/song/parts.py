"""The band: every part of the score, what sounds it and where it sits in
the mix."""

from dataclasses import dataclass

GM = "gm"            # a General MIDI program of the sound font
KIT = "kit"          # a drum kit of the sound font (bank 128)
VOICE = "voice"      # our sung lead
BELLS = "bells"      # our sleigh bells
PULSE = "pulse"      # 8-bit pulse wave; setting is the duty cycle
TRIANGLE = "triangle"
NOISE = "noise"      # 8-bit noise drums
RISER = "riser"      # noise swept upwards over the note
WHOOSH = "whoosh"    # noise swept up and back down over the note
DOWNER = "downer"    # noise swept downwards over the note
BOOM = "boom"        # a sub-bass drop for the big downbeats

BAND = "band"        # the bus a tape stop slows down
CHIP = "chip"        # the 8-bit computer's own bus

# Keys of the standard drum kit.
KICK = 36
SIDE_STICK = 37
SNARE = 38
CLAP = 39
LOW_TOM = 41
CLOSED_HAT = 42
MID_TOM = 45
PEDAL_HAT = 44
OPEN_HAT = 46
HIGH_TOM = 48
CRASH = 49
RIDE = 51
TAMBOURINE = 54
SPLASH = 55
CLAVES = 75
CRASH_2 = 57
SHAKER = 70
# Brush kit keys that differ in feel rather than number.
BRUSH_SWIRL = 40

# Sounds of our own percussion, by key.
BELL_STRIKE = 1      # every bell at once: a hit
BELL_SHAKE = 2       # a short shake: the off-beat jingle
NOISE_KICK = 1
NOISE_SNARE = 2
NOISE_HAT = 3


@dataclass(frozen=True)
class Part:
    engine: str
    program: int = 0
    gain_db: float = 0.0
    pan: float = 0.0          # -1 left to 1 right
    reverb: float = 0.15      # send to the hall
    percussive: bool = False  # its notes are hits (the laying section counts them)
    highpass_hz: float = 0.0  # keeps pads and keys out of the bass's way
    setting: float = 0.0      # what the engine needs besides notes: a pulse's duty cycle
    bus: str = BAND


PARTS = {
    # Drums and percussion.
    "kit": Part(KIT, 0, gain_db=-2.5, reverb=0.10, percussive=True),
    "brushes": Part(KIT, 40, gain_db=-3, pan=0.1, reverb=0.12, percussive=True),
    "timpani": Part(GM, 47, gain_db=-4, pan=-0.2, reverb=0.25, percussive=True),
    "bells": Part(BELLS, gain_db=-7, pan=0.25, reverb=0.15, percussive=True),
    "boom": Part(BOOM, gain_db=-8, reverb=0.05, percussive=True),
    # Bass.
    "bass": Part(GM, 33, gain_db=-3, reverb=0.02),
    "upright": Part(GM, 32, gain_db=0, reverb=0.05),
    "tuba": Part(GM, 58, gain_db=-4, pan=-0.1, reverb=0.10),
    # Strings.
    "strings": Part(GM, 48, gain_db=-7, pan=-0.15, reverb=0.30, highpass_hz=120),
    "slowstrings": Part(GM, 49, gain_db=-7, pan=0.15, reverb=0.35, highpass_hz=120),
    "tremolo": Part(GM, 44, gain_db=-8, pan=-0.2, reverb=0.30, highpass_hz=120),
    "pizz": Part(GM, 45, gain_db=-8, pan=-0.35, reverb=0.20),
    "cello": Part(GM, 42, gain_db=-6, pan=0.2, reverb=0.25),
    # Brass.
    "brass": Part(GM, 61, gain_db=-6, pan=0.15, reverb=0.22, highpass_hz=100),
    "horns": Part(GM, 60, gain_db=-6, pan=-0.25, reverb=0.30, highpass_hz=80),
    "trumpet": Part(GM, 56, gain_db=-5, pan=0.05, reverb=0.22),
    "mutedtrumpet": Part(GM, 59, gain_db=-5, pan=0.3, reverb=0.20),
    # Tuned percussion and keys.
    "glock": Part(GM, 9, gain_db=-6, pan=0.35, reverb=0.30),
    "celesta": Part(GM, 8, gain_db=-5, pan=-0.3, reverb=0.30),
    "musicbox": Part(GM, 10, gain_db=-5, pan=0.3, reverb=0.35),
    "xylo": Part(GM, 13, gain_db=3, pan=0.25, reverb=0.18),
    "marimba": Part(GM, 12, gain_db=-4, pan=-0.25, reverb=0.20),
    "vibes": Part(GM, 11, gain_db=-10, pan=0.3, reverb=0.30),
    "tubular": Part(GM, 14, gain_db=-12, pan=-0.3, reverb=0.40),
    "piano": Part(GM, 0, gain_db=-7, pan=-0.1, reverb=0.20, highpass_hz=90),
    "epiano": Part(GM, 4, gain_db=-8, pan=-0.2, reverb=0.22, highpass_hz=110),
    "harp": Part(GM, 46, gain_db=-4, pan=-0.35, reverb=0.35),
    # Winds and choir.
    "flute": Part(GM, 73, gain_db=-3, pan=0.2, reverb=0.30),
    "clarinet": Part(GM, 71, gain_db=-5, pan=0.2, reverb=0.22),
    "bassoon": Part(GM, 70, gain_db=-5, pan=-0.1, reverb=0.18),
    "choir": Part(GM, 52, gain_db=-8, reverb=0.40, highpass_hz=150),
    "warmpad": Part(GM, 89, gain_db=-10, reverb=0.30, highpass_hz=140),
    "orchhit": Part(GM, 55, gain_db=-12, reverb=0.25, highpass_hz=90),
    # The singer.
    "lead": Part(VOICE, gain_db=-7, reverb=0.16),
    # Effects.
    "riser": Part(RISER, gain_db=-14, reverb=0.30),
    "whoosh": Part(WHOOSH, gain_db=-15, reverb=0.30),
    "downer": Part(DOWNER, gain_db=-14, reverb=0.30),
    # The 8-bit computer.
    "chip_lead": Part(PULSE, gain_db=-13, pan=0.0, reverb=0.08, setting=0.25, bus=CHIP),
    "chip_harm": Part(PULSE, gain_db=-19, pan=-0.3, reverb=0.08, setting=0.125, bus=CHIP),
    "chip_arp": Part(PULSE, gain_db=-20, pan=0.3, reverb=0.10, setting=0.125, bus=CHIP),
    "chip_tri": Part(TRIANGLE, gain_db=-13, reverb=0.02, bus=CHIP),
    "chip_noise": Part(NOISE, gain_db=-17, reverb=0.05, percussive=True, bus=CHIP),
}

LEAD = "lead"
