"""How the singer's syllables are written and what their sounds are made
of: 'onset.vowel.coda', e.g. 'sn.o-oo.' or 'br.a-ih.t': consonant
clusters around one vowel, or two vowels joined by '-' for a glide."""

# First three formants (Hz) of the vowels.
VOWELS = {
    "i": (270, 2290, 3010), "ih": (390, 1990, 2550), "e": (530, 1840, 2480),
    "ae": (660, 1720, 2410), "a": (730, 1090, 2440), "o": (570, 840, 2410),
    "oo": (440, 1020, 2240), "u": (300, 870, 2240), "uh": (640, 1190, 2390),
    "er": (490, 1350, 1690),
}

# Consonants: kind, duration (ms), formant targets for voiced ones, voicing
# level, and for noisy ones the noise band (Hz) and level.
VOICED, NASAL, FRICATIVE, VOICED_FRICATIVE, STOP, VOICED_STOP, ASPIRATE = range(7)
CONSONANTS = {
    "l": (VOICED, 40, (360, 1300, 2700), 0.55, None, 0),
    "r": (VOICED, 45, (350, 1100, 1500), 0.55, None, 0),
    "w": (VOICED, 45, (300, 700, 2200), 0.5, None, 0),
    "y": (VOICED, 40, (280, 2200, 3000), 0.5, None, 0),
    "m": (NASAL, 45, (250, 1000, 2200), 0.4, None, 0),
    "n": (NASAL, 45, (250, 1500, 2500), 0.4, None, 0),
    "ng": (NASAL, 50, (250, 2000, 2600), 0.4, None, 0),
    "s": (FRICATIVE, 65, None, 0.0, (4500, 10000), 0.30),
    "sh": (FRICATIVE, 65, None, 0.0, (2000, 6500), 0.28),
    "f": (FRICATIVE, 55, None, 0.0, (1200, 8000), 0.14),
    "th": (FRICATIVE, 50, None, 0.0, (1500, 8000), 0.14),
    "h": (ASPIRATE, 45, None, 0.0, None, 0.22),
    "v": (VOICED_FRICATIVE, 40, (250, 1100, 2300), 0.35, (1200, 6000), 0.06),
    "dh": (VOICED_FRICATIVE, 30, (250, 1500, 2500), 0.35, (1500, 6000), 0.05),
    "z": (VOICED_FRICATIVE, 50, (250, 1700, 2600), 0.3, (4000, 9000), 0.18),
    "t": (STOP, 28, (250, 1700, 2600), 0.0, (2500, 8000), 0.3),
    "k": (STOP, 32, (250, 2000, 2500), 0.0, (1200, 4500), 0.3),
    "p": (STOP, 26, (250, 900, 2200), 0.0, (300, 2500), 0.22),
    "d": (VOICED_STOP, 20, (220, 1700, 2600), 0.25, (2500, 7000), 0.15),
    "g": (VOICED_STOP, 22, (220, 2000, 2500), 0.25, (1200, 4000), 0.15),
    "b": (VOICED_STOP, 18, (220, 900, 2200), 0.25, (400, 2500), 0.12),
}
MULTI_LETTER = ("ng", "sh", "th", "dh")


def _consonants(cluster):
    out = []
    i = 0
    while i < len(cluster):
        two = cluster[i:i + 2]
        if two in MULTI_LETTER:
            out.append(two)
            i += 2
        else:
            out.append(cluster[i])
            i += 1
    unknown = [c for c in out if c not in CONSONANTS]
    if unknown:
        raise ValueError(f"no such consonant {unknown} in {cluster!r}")
    return out


def parse_syllable(sound):
    onset, vowels, coda = sound.split(".")
    vowels = vowels.split("-")
    if not 1 <= len(vowels) <= 2 or any(v not in VOWELS for v in vowels):
        raise ValueError(f"no such vowel in {sound!r}")
    return _consonants(onset), vowels, _consonants(coda)
