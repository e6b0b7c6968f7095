"""What every picture generator shares: the table of pictures, fonts, seeded
randomness and the one way a picture is written to assets/media."""

import os
import re
import subprocess
import tempfile

import numpy as np
from PIL import Image, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
MEDIA_DIR = os.path.join(ROOT, "assets", "media")
TABLE_SOURCE = os.path.join(ROOT, "assets", "media_list.h")

# Fonts come from Debian packages whose licences allow embedding the
# rendered letters in our pictures; scripts/install-media-tools installs them.
FONTS = {
    "lobster": "/usr/share/fonts/opentype/lobster/lobster.otf",
    "bebas-neue-bold": "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf",
    "comfortaa-bold": "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf",
    "kaushan-script": "/usr/share/fonts/opentype/kaushanscript/KaushanScript-Regular.otf",
    "league-spartan-black": "/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Black.otf",
}

_ROW = re.compile(r'PICTURE\((\w+),\s*(\d+),\s*(\d+),\s*(\w+)\)')


def picture_table():
    """The show's own table, read from its source: name -> (w, h, format),
    in picture-number order (dicts keep insertion order)."""
    with open(TABLE_SOURCE, encoding="utf-8") as f:
        rows = _ROW.findall(f.read())
    if len(rows) != 36:
        raise SystemExit(f"{TABLE_SOURCE}: expected 36 pictures, found {len(rows)}")
    return {name: (int(w), int(h), fmt) for name, w, h, fmt in rows}


def font(key, size):
    path = FONTS[key]
    if not os.path.exists(path):
        raise SystemExit(f"font {path} is missing: run scripts/install-media-tools")
    return ImageFont.truetype(path, size)


def rng(seed):
    """A generator of its own for each picture, so changing one picture never
    changes another."""
    return np.random.default_rng(seed)


def save(name, image):
    """Check a finished picture against the table and write it, losslessly
    optimised, without ancillary chunks. Fully transparent pixels get black
    colour so identical pictures always encode to identical bytes."""
    width, height, fmt = picture_table()[name]
    if image.size != (width, height):
        raise SystemExit(f"{name}: made {image.size}, the show draws {width} x {height}")
    if fmt == "Rgb":
        image = image.convert("RGB")
    else:
        image = image.convert("RGBA")
        pixels = np.array(image)
        alpha = pixels[:, :, 3]
        if fmt == "RgbaOpaque" and (alpha != 255).any():
            raise SystemExit(f"{name}: must be opaque on every pixel")
        if fmt == "Rgba" and not (alpha == 0).any():
            raise SystemExit(f"{name}: must have transparent areas")
        pixels[alpha == 0] = 0
        image = Image.fromarray(pixels, "RGBA")
    os.makedirs(MEDIA_DIR, exist_ok=True)
    target = os.path.join(MEDIA_DIR, name + ".png")
    with tempfile.TemporaryDirectory() as scratch:
        plain = os.path.join(scratch, "plain.png")
        image.save(plain, compress_level=9)
        # optipng would keep a replaced file as a backup beside it.
        if os.path.exists(target):
            os.remove(target)
        # -nx keeps the colour type and bit depth the show's table asks for.
        subprocess.run(["optipng", "-quiet", "-o5", "-nx", "-strip", "all",
                        "-out", target, plain], check=True)
    return target
