"""The show's true pixel art: the start-up robot face, the imitation 8-bit
home computer (text screen, load command, logo screen), the blocky retro
caption and the waddling snowman. Everything sits on an exact pixel grid in
a sixteen-colour palette; shapes come from the character bitmaps in
retro_font and retro_sprites."""

import numpy as np
from PIL import Image

from . import common, names, retro_font, retro_sprites
from .retro_font import CELL

# The computer's sixteen colours, our own mix of the muted tones a
# television of the day gave such machines.
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
RED = (146, 38, 42)
CYAN = (120, 206, 212)
PURPLE = (138, 62, 156)
GREEN = (72, 150, 66)
BLUE = (50, 42, 160)
YELLOW = (238, 230, 118)
ORANGE = (214, 118, 40)
BROWN = (104, 68, 30)
LIGHT_RED = (208, 106, 102)
DARK_GREY = (66, 66, 70)
GREY = (116, 116, 120)
LIGHT_GREEN = (152, 226, 134)
LIGHT_BLUE = (122, 130, 232)
LIGHT_GREY = (176, 176, 182)

OPAQUE = 255

# Start-up robot face: one pixel of the icon per sprite character.
SPLASH_SIZE = 16

# The text screen: 40 x 25 cells of paper inside a border, and which text row
# holds what (a blank row before each line, as the machine prints it).
SCREEN_SIZE = (384, 271)
TEXT_COLUMNS, TEXT_ROWS = 40, 25
PAPER_LEFT, PAPER_TOP = 32, 35
BANNER_ROWS = (1, 3)
READY_ROW = 5
CURSOR_CELL = (0, READY_ROW + 1)          # column, row: under the R of READY
BORDER_COLOUR = LIGHT_BLUE
PAPER_COLOUR = BLUE
TEXT_COLOUR = LIGHT_BLUE

# The load command, one text line on a transparent strip: the ink rows
# (without the blank bottom row of each cell) sit in the middle.
LOAD_SIZE = (194, 13)
GLYPH_INK_ROWS = CELL - 1

# The caption sheet: glyph pixels of CAPTION_BLOCK x CAPTION_BLOCK, the
# outline half a glyph pixel wide, the face shaded row by row like a raster.
CAPTION_SIZE = (1024, 768)
CAPTION_BLOCK = 6
CAPTION_SUBDIVISION = 2
CAPTION_LETTER_GAP = 2          # glyph pixels, room for the outlines
CAPTION_OUTLINE_COLOUR = BLUE
CAPTION_SHADOW_COLOUR = PURPLE
CAPTION_ROW_COLOURS = (WHITE, WHITE, CYAN, CYAN, CYAN, LIGHT_BLUE, LIGHT_BLUE,
                       LIGHT_BLUE)

# The logo screen: striped, slanted initials with a flag in the upper part,
# a starry sky, and snow banks at the bottom; the middle stays clear for the
# dancing snowman, who stands on the snow around picture row 206.
LOGO_SCREEN_SEED = 30
SKY_COLOUR = BLACK
LOGO_BLOCK = 4                   # picture pixels per logo bitmap character
LOGO_TOP = 26
LOGO_LETTER_STEP = 88            # from one letter's left edge to the next
LOGO_SLANT_ROWS = 4              # rows per pixel of slant to the right
LOGO_SHADOW_OFFSET = 4
LOGO_SHADOW_COLOUR = BLUE
LOGO_OUTLINE_COLOUR = WHITE
LOGO_BAND_HEIGHT = 3
LOGO_BANDS = (YELLOW, YELLOW, ORANGE, ORANGE, LIGHT_RED, RED, RED, PURPLE,
              RED, LIGHT_RED, ORANGE)
FLAG_SCALE = 2
FLAG_GAP = 14                    # between the logo and the flag pole
FLAG_TOP = 34
FLAG_WAVE = (2, 13)              # amplitude and wavelength, in flag pixels
FLAG_SHADE_LEVEL = 0.5           # how far into a crest or trough shading starts
FLAG_COLOURS = {"R": RED, "G": GREEN, "Y": YELLOW, "N": BROWN, "W": WHITE}
FLAG_CREST = {**FLAG_COLOURS, "R": LIGHT_RED, "G": LIGHT_GREEN, "Y": WHITE}
FLAG_TROUGH = {**FLAG_COLOURS, "W": LIGHT_GREY}
POLE_WIDTH = 2
POLE_COLOUR = LIGHT_GREY
POLE_KNOB_COLOUR = YELLOW
SNOW_LINE = 206                  # the flat stretch under the snowman
SNOW_FLAT_HALF_WIDTH = 64
SNOW_BANK_RISE = 16              # how much higher the snow is at the edges
SNOW_BANDS = ((0, WHITE), (4, LIGHT_GREY))   # from depth, colour
SNOW_SPARKLES = 40
SPARKLE_DEPTH = 8                # sparkles lie deeper than the white crust
TREE_SCALE = 2
TREE_CENTRES = (22, 62, 322, 362)
TREE_SINK = 3                    # trunks stand a little way into the snow
TREE_COLOURS = {"S": WHITE, "G": GREEN, "N": BROWN}
FOOTER_TEXT = f"MERRY CHRISTMAS FROM {names.GROUP.upper()}"
FOOTER_TOP = 254
FOOTER_COLOUR = RED
STAR_COUNT = 70
STAR_CLEARANCE = 3               # stars keep this far from anything drawn
STAR_COLOURS = (GREY, GREY, LIGHT_GREY, LIGHT_GREY, WHITE, YELLOW, CYAN)
TWINKLE_SHARE = 0.12             # of the stars, the big four-pointed ones
TWINKLE_ARM_COLOUR = LIGHT_BLUE
SNOWMAN_ZONE = (136, 112, 248, 230)   # left, top, right, bottom: kept clear

# The snowman: drawn on a small grid, each grid pixel a 3 x 3 block. All
# three poses share the bottom ball and baseline; turned, the middle ball
# and head lean a little towards where he looks.
SNOWMAN_GRID = (47, 57)
SNOWMAN_SCALE = 3
BASE_BALL_AT = (11, 32)
MIDDLE_BALL_AT = (14, 19)
HEAD_BALL_AT = (16, 6)
HAT_AT = (15, 0)
SCARF_AT = (16, 19)
ARM_LEVEL_TOP = 20
ARM_RAISED_TOP = 13
ARM_LOWERED_TOP = 25
BUTTON_TOPS = (25, 29, 33)
MIDDLE_LEAN = 1
HEAD_LEAN = 2
BUTTON_TURN = 2                  # buttons follow the turn of the middle ball
SNOWMAN_COLOURS = {
    "#": GREY, "W": WHITE, "s": LIGHT_GREY, "k": BLACK, "O": ORANGE, "c": RED,
    "p": LIGHT_RED, "N": BROWN, "n": DARK_GREY, "R": RED,
    "G": GREEN, "b": LIGHT_RED, "f": LIGHT_RED,
}


def blank(size, colour=None):
    """A width x height RGBA canvas, filled with an opaque colour or left
    transparent."""
    width, height = size
    pixels = np.zeros((height, width, 4), np.uint8)
    if colour is not None:
        pixels[:, :] = (*colour, OPAQUE)
    return pixels


def stamp(pixels, mask, x, y, colour, scale=1):
    """Set the canvas pixels under a mask (placed at x, y, each mask pixel
    a scale x scale block) to an opaque colour."""
    if scale != 1:
        mask = np.kron(mask, np.ones((scale, scale), bool))
    height, width = mask.shape
    pixels[y:y + height, x:x + width][mask] = (*colour, OPAQUE)


def paint(pixels, rows, colours, x=0, y=0, scale=1):
    """Paint a character bitmap: each character names a colour in colours;
    characters not in it (the '.') leave the canvas as it is."""
    for dy, row in enumerate(rows):
        for dx, char in enumerate(row):
            if char in colours:
                top, left = y + dy * scale, x + dx * scale
                pixels[top:top + scale, left:left + scale] = (*colours[char], OPAQUE)


def image(pixels):
    return Image.fromarray(pixels, "RGBA")


def bitmap_mask(rows, scale=1):
    """Where a character bitmap has ink, each character scale x scale."""
    mask = np.array([[c != "." for c in row] for row in rows], bool)
    return np.kron(mask, np.ones((scale, scale), bool))


def centred_left(width, line):
    """Where a line of cells starts so that its ink is centred in width: the
    last column of the last cell is spacing, not ink."""
    return (width - (line.shape[1] - 1)) // 2


def shifted(mask, dx, dy):
    """A mask moved right and down, what falls off the edge dropped."""
    height, width = mask.shape
    out = np.zeros_like(mask)
    out[dy:, dx:] = mask[:height - dy, :width - dx]
    return out


def outline(mask, corners=False):
    """The pixels just outside a mask: its four-way neighbours, or all eight
    for an outline with square corners."""
    grown = mask.copy()
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if corners:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    padded = np.pad(mask, 1)
    height, width = mask.shape
    for dx, dy in steps:
        grown |= padded[1 - dy:1 - dy + height, 1 - dx:1 - dx + width]
    return grown & ~mask


def slanted(mask, rows_per_step):
    """Shear a mask to the right towards its top, a whole pixel at a time."""
    height, width = mask.shape
    steps = (height - 1) // rows_per_step
    out = np.zeros((height, width + steps), bool)
    for y in range(height):
        shift = (height - 1 - y) // rows_per_step
        out[y, shift:shift + width] = mask[y]
    return out


def logo(pixels):
    """The striped initials and the flag; returns the letters' bottom row."""
    letter = slanted(bitmap_mask(retro_sprites.LOGO_T, LOGO_BLOCK), LOGO_SLANT_ROWS)
    height, width = letter.shape
    count = len(names.GROUP_INITIALS)
    letters_width = LOGO_LETTER_STEP * (count - 1) + width
    pole_x = letters_width + FLAG_GAP
    total = pole_x + POLE_WIDTH + len(retro_sprites.FLAG[0]) * FLAG_SCALE
    left = (SCREEN_SIZE[0] - total) // 2

    # One pixel of room all round for the outline, more below for the shadow.
    mask = np.zeros((height + 2 + LOGO_SHADOW_OFFSET,
                     letters_width + 2 + LOGO_SHADOW_OFFSET), bool)
    for i in range(count):
        x = 1 + i * LOGO_LETTER_STEP
        mask[1:1 + height, x:x + width] |= letter
    edge = outline(mask)
    shadow = shifted(mask | edge, LOGO_SHADOW_OFFSET, LOGO_SHADOW_OFFSET) & ~mask & ~edge
    x, y = left - 1, LOGO_TOP - 1
    stamp(pixels, shadow, x, y, LOGO_SHADOW_COLOUR)
    stamp(pixels, edge, x, y, LOGO_OUTLINE_COLOUR)
    for row in range(mask.shape[0]):
        line = np.zeros_like(mask)
        line[row] = mask[row]
        stamp(pixels, line, x, y, LOGO_BANDS[(row // LOGO_BAND_HEIGHT) % len(LOGO_BANDS)])
    bottom = LOGO_TOP + height
    flag(pixels, left + pole_x, bottom)
    return bottom


def flag(pixels, pole_x, pole_bottom):
    amplitude, wavelength = FLAG_WAVE
    stamp(pixels, np.ones((pole_bottom - FLAG_TOP, POLE_WIDTH), bool), pole_x, FLAG_TOP,
          POLE_COLOUR)
    stamp(pixels, np.ones((POLE_WIDTH, POLE_WIDTH), bool), pole_x, FLAG_TOP - POLE_WIDTH,
          POLE_KNOB_COLOUR)
    rows = retro_sprites.FLAG
    columns = len(rows[0])
    block = np.ones((FLAG_SCALE, FLAG_SCALE), bool)
    for column in range(columns):
        phase = 2 * np.pi * column / wavelength
        # The cloth is held still at the pole and waves more towards its end.
        lift = int(round(amplitude * column / (columns - 1) * np.sin(phase)))
        slope = np.cos(phase)
        colours = (FLAG_CREST if slope > FLAG_SHADE_LEVEL else
                   FLAG_TROUGH if slope < -FLAG_SHADE_LEVEL else FLAG_COLOURS)
        for row, line in enumerate(rows):
            stamp(pixels, block, pole_x + POLE_WIDTH + column * FLAG_SCALE,
                  FLAG_TOP + (row + lift) * FLAG_SCALE, colours[line[column]])


def snow_surface(x):
    """The top row of the snow at column x: flat under the snowman, banking
    up gently towards both edges of the screen."""
    centre = SCREEN_SIZE[0] // 2
    reach = max(0, abs(x - centre) - SNOW_FLAT_HALF_WIDTH)
    span = centre - SNOW_FLAT_HALF_WIDTH
    return SNOW_LINE - int(round(SNOW_BANK_RISE * (reach / span) ** 2))


def snow_colour(x, y, depth):
    """Shade by depth under the surface, the row before each change of
    shade checkered so the step reads softly."""
    colour = SNOW_BANDS[0][1]
    for start, band in SNOW_BANDS[1:]:
        if depth >= start or (depth == start - 1 and (x + y) % 2):
            colour = band
    return colour


def snow(pixels, generator):
    width, height = SCREEN_SIZE
    for x in range(width):
        top = snow_surface(x)
        for y in range(top, height):
            pixels[y, x] = (*snow_colour(x, y, y - top), OPAQUE)
    for _ in range(SNOW_SPARKLES):
        x = int(generator.integers(width))
        y = int(generator.integers(snow_surface(x) + SPARKLE_DEPTH, FOOTER_TOP))
        pixels[y, x] = (*WHITE, OPAQUE)


def trees(pixels):
    rows = retro_sprites.FIR_TREE
    width = len(rows[0]) * TREE_SCALE
    height = len(rows) * TREE_SCALE
    for centre in TREE_CENTRES:
        bottom = snow_surface(centre) + TREE_SINK
        paint(pixels, rows, TREE_COLOURS, centre - width // 2, bottom - height, TREE_SCALE)


def stars(pixels, generator):
    """Scatter stars over the empty sky, away from everything drawn and from
    where the snowman dances."""
    width, height = SCREEN_SIZE
    taken = (pixels[:, :, :3] != SKY_COLOUR).any(axis=2)
    for _ in range(STAR_CLEARANCE):
        taken |= outline(taken, corners=True)
    left, top, right, bottom = SNOWMAN_ZONE
    taken[top:bottom, left:right] = True
    placed = 0
    while placed < STAR_COUNT:
        # One pixel in from the edges, so a twinkle's arms stay on the screen.
        x = int(generator.integers(1, width - 1))
        y = int(generator.integers(1, height - 1))
        if taken[y - 1:y + 2, x - 1:x + 2].any():
            continue
        if generator.random() < TWINKLE_SHARE:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                pixels[y + dy, x + dx] = (*TWINKLE_ARM_COLOUR, OPAQUE)
            pixels[y, x] = (*WHITE, OPAQUE)
        else:
            colour = STAR_COLOURS[int(generator.integers(len(STAR_COLOURS)))]
            pixels[y, x] = (*colour, OPAQUE)
        taken[y - 1:y + 2, x - 1:x + 2] = True
        placed += 1


def logo_screen():
    pixels = blank(SCREEN_SIZE, SKY_COLOUR)
    generator = common.rng(LOGO_SCREEN_SEED)
    logo(pixels)
    snow(pixels, generator)
    trees(pixels)
    footer = retro_font.text_mask(FOOTER_TEXT)
    stamp(pixels, footer, centred_left(SCREEN_SIZE[0], footer), FOOTER_TOP, FOOTER_COLOUR)
    stars(pixels, generator)
    return image(pixels)


def mirrored(rows):
    return tuple(row[::-1] for row in rows)


def snowman_pose(turned):
    """The snowman on his grid, facing front or turned to the viewer's left."""
    sprites = retro_sprites
    width, _ = SNOWMAN_GRID
    pixels = blank(SNOWMAN_GRID)
    colours = SNOWMAN_COLOURS

    def at_left(rows, top):
        paint(pixels, rows, colours, 0, top)

    def at_right(rows, top):
        paint(pixels, mirrored(rows), colours, width - len(rows[0]), top)

    # Arms first, so they seem to grow out from behind the body.
    if turned:
        at_left(sprites.ARM_RAISED, ARM_RAISED_TOP)
        at_right(sprites.ARM_LOWERED, ARM_LOWERED_TOP)
    else:
        at_left(sprites.ARM_LEVEL, ARM_LEVEL_TOP)
        at_right(sprites.ARM_LEVEL, ARM_LEVEL_TOP)
    middle_shift = -MIDDLE_LEAN if turned else 0
    head_shift = -HEAD_LEAN if turned else 0
    paint(pixels, sprites.BASE_BALL, colours, *BASE_BALL_AT)
    paint(pixels, sprites.MIDDLE_BALL, colours, MIDDLE_BALL_AT[0] + middle_shift,
          MIDDLE_BALL_AT[1])
    centre = MIDDLE_BALL_AT[0] + len(sprites.MIDDLE_BALL[0]) // 2 + middle_shift
    if turned:
        centre -= BUTTON_TURN
    button_left = centre - len(sprites.COAL_BUTTON[0]) // 2
    for top in BUTTON_TOPS:
        paint(pixels, sprites.COAL_BUTTON, colours, button_left, top)
    head_x, head_y = HEAD_BALL_AT[0] + head_shift, HEAD_BALL_AT[1]
    paint(pixels, sprites.HEAD_BALL, colours, head_x, head_y)
    if turned:
        paint(pixels, sprites.FACE_SIDE, colours, head_x - sprites.FACE_SIDE_REACH, head_y)
    else:
        paint(pixels, sprites.FACE_FRONT, colours, head_x, head_y)
    paint(pixels, sprites.SCARF_SIDE if turned else sprites.SCARF_FRONT, colours,
          SCARF_AT[0] + head_shift, SCARF_AT[1])
    paint(pixels, sprites.HAT_SIDE if turned else sprites.HAT_FRONT, colours,
          HAT_AT[0] + head_shift, HAT_AT[1])
    return pixels


def snowman(facing):
    pose = snowman_pose(turned=facing != "front")
    if facing == "right":
        pose = pose[:, ::-1]
    return image(np.ascontiguousarray(pose)).resize(
        (SNOWMAN_GRID[0] * SNOWMAN_SCALE, SNOWMAN_GRID[1] * SNOWMAN_SCALE), Image.NEAREST)


def retro_caption():
    """The caption in the computer's glyphs, each glyph pixel a big block,
    with a thin dark outline and a drop shadow one glyph pixel deep."""
    letters = retro_font.proportional_mask(names.RETRO_CAPTION, CAPTION_LETTER_GAP)
    fine = np.kron(letters, np.ones((CAPTION_SUBDIVISION,) * 2, bool))
    # Room for the outline and, beyond it, the shadow.
    margin = 1 + CAPTION_SUBDIVISION
    fine = np.pad(fine, margin)
    rim = outline(fine, corners=True)
    shadow = shifted(fine | rim, CAPTION_SUBDIVISION, CAPTION_SUBDIVISION) & ~fine & ~rim
    block = CAPTION_BLOCK // CAPTION_SUBDIVISION
    width, height = CAPTION_SIZE
    x = (width - fine.shape[1] * block) // 2
    y = (height - fine.shape[0] * block) // 2
    pixels = blank(CAPTION_SIZE)
    stamp(pixels, shadow, x, y, CAPTION_SHADOW_COLOUR, block)
    stamp(pixels, rim, x, y, CAPTION_OUTLINE_COLOUR, block)
    for row, colour in enumerate(CAPTION_ROW_COLOURS):
        line = np.zeros_like(fine)
        top = margin + row * CAPTION_SUBDIVISION
        line[top:top + CAPTION_SUBDIVISION] = fine[top:top + CAPTION_SUBDIVISION]
        stamp(pixels, line, x, y, colour, block)
    return image(pixels)


def splash_icon():
    pixels = blank((SPLASH_SIZE, SPLASH_SIZE), BLACK)
    paint(pixels, retro_sprites.ROBOT_FACE, {"#": WHITE})
    return image(pixels).convert("RGB")


def text_screen(cursor):
    pixels = blank(SCREEN_SIZE, BORDER_COLOUR)
    paper = np.ones((TEXT_ROWS * CELL, TEXT_COLUMNS * CELL), bool)
    stamp(pixels, paper, PAPER_LEFT, PAPER_TOP, PAPER_COLOUR)

    def print_at(column, row, text):
        stamp(pixels, retro_font.text_mask(text),
              PAPER_LEFT + column * CELL, PAPER_TOP + row * CELL, TEXT_COLOUR)

    for row, line in zip(BANNER_ROWS, names.RETRO_BANNER):
        print_at((TEXT_COLUMNS - len(line)) // 2, row, line)
    print_at(0, READY_ROW, names.RETRO_READY)
    if cursor:
        column, row = CURSOR_CELL
        stamp(pixels, np.ones((CELL, CELL), bool),
              PAPER_LEFT + column * CELL, PAPER_TOP + row * CELL, TEXT_COLOUR)
    return image(pixels)


def load_command_line():
    pixels = blank(LOAD_SIZE)
    mask = retro_font.text_mask(names.RETRO_LOAD)
    width, height = LOAD_SIZE
    stamp(pixels, mask, centred_left(width, mask), (height - GLYPH_INK_ROWS) // 2,
          TEXT_COLOUR)
    return image(pixels)


PICTURES = {
    "splashIcon": splash_icon,
    "retroCaption": retro_caption,
    "loadCommandLine": load_command_line,
    "retroLogoScreen": logo_screen,
    "basicScreenCursor": lambda: text_screen(cursor=True),
    "basicScreen": lambda: text_screen(cursor=False),
    "snowman1": lambda: snowman("left"),
    "snowman2": lambda: snowman("right"),
    "snowman3": lambda: snowman("front"),
}
