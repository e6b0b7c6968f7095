"""The lettering cards: the opening titles and asides over the ride, the
hand-over to the singer, and the greetings header and pages."""

import math

from PIL import Image, ImageDraw

from . import common, lettering, names

CENTRE_X = 512             # the middle of every 1024-wide card and of the screen
TRANSPARENT = (0, 0, 0, 0)

# Opening titles and asides: each picture is exactly its text's box on
# screen, as large as the box allows.
TITLE_TEXTS = {
    "introLine1": names.GROUP,
    "introLine2": names.INTRO_LINES[1],
    "introLine3": names.INTRO_LINES[2],
    "introLine4": names.EVENT,
    "asideLine1": names.ASIDE_LINES[0],
    "asideLine2": names.ASIDE_LINES[1],
    "asideSnowLine": names.ASIDE_LINES[2],
}

# The hand-over card is drawn with its middle on the screen's bottom edge,
# so only rows above HANDOVER_VISIBLE_ROWS are ever seen; both lines sit in
# the lower part of that visible half, below the Santa's face.
HANDOVER_VISIBLE_ROWS = 512
HANDOVER_LINE_BOX = (940, 116)
HANDOVER_LINE_CENTRE_Y = 280
HANDOVER_APOLOGY_BOX = (900, 70)
HANDOVER_APOLOGY_CENTRE_Y = 392

# Greetings: the header line stays up while the pages flip under it on
# every beat, so the pages keep to the band below it.
HEADER_CENTRE_Y = 80
HEADER_BOX = (860, 104)
GROUPS_PER_PAGE = 5
PAGE_COUNT = 5
PAGE_FIRST_BASELINE = 262
PAGE_LINE_PITCH = 104
# Every page uses one letter size, the one at which the longest name of all
# fits this column and the line pitch, so names never jump in size.
PAGE_COLUMN_WIDTH = 780
# The middle of the lower-case letters, above the baseline, per letter size.
MIDDLE_PER_SIZE = 1 / 3

# A holly sprig flanks each page's column at mid-height, mirrored on the
# right, drawn supersampled for smooth edges.
SPRIG_SIZE = (104, 80)
SPRIG_GAP = 14
SPRIG_SUPERSAMPLE = 4
LEAF_GREEN = (40, 140, 62)
LEAF_VEIN = (120, 200, 110)
BERRY_RED = (214, 28, 40)
BERRY_SHINE = (255, 214, 214)
SPRIG_OUTLINE = lettering.OUTLINE
LEAF_LENGTH = 0.46           # of the sprig's width
LEAF_HALF_WIDTH = 0.17
LEAF_FULLNESS = 0.6          # below 1 the leaf widens quickly from the stem
VEIN_LENGTH = 0.85           # of the leaf's length
LEAF_SPIKES = 3              # points along each edge between base and tip
LEAF_SCALLOP = 0.35          # how deep the edge curves in between spikes
LEAF_ANGLES = (-148, -32)    # degrees, the two leaves fanning up from the stem
SCALLOP_STEPS = 6
BERRY_RADIUS = 0.085
BERRY_OFFSETS = ((-0.075, 0.04), (0.075, 0.05), (0.0, -0.05))
SHINE_RADIUS = 0.3           # of a berry's radius
SHINE_OFFSET = -0.35
SPRIG_OUTLINE_WIDTH = 3      # px at the picture's own size
SPRIG_CENTRE = (0.5, 0.62)


def _blank(name):
    width, height, _ = common.picture_table()[name]
    return Image.new("RGBA", (width, height), TRANSPARENT)


def title_line(name):
    width, height, _ = common.picture_table()[name]
    return lettering.fit_line(TITLE_TEXTS[name], (width, height))


def handover_card():
    card = _blank("handoverCard")
    for text, box, centre_y in (
            (names.HANDOVER[0], HANDOVER_LINE_BOX, HANDOVER_LINE_CENTRE_Y),
            (names.HANDOVER[1], HANDOVER_APOLOGY_BOX, HANDOVER_APOLOGY_CENTRE_Y)):
        lettering.draw_text(card, text, lettering.fitted_size(text, box),
                            (CENTRE_X, centre_y), anchor="mm")
    if card.getbbox()[3] > HANDOVER_VISIBLE_ROWS:
        raise SystemExit("handoverCard: the lettering reaches below the half "
                         "of the card that the show ever puts on screen")
    return card


def greetings_header():
    sheet = _blank("greetingsHeader")
    text = names.GREETINGS_HEADER
    lettering.draw_text(sheet, text, lettering.fitted_size(text, HEADER_BOX),
                        (CENTRE_X, HEADER_CENTRE_Y), anchor="mm")
    return sheet


def page_groups(page):
    start = page * GROUPS_PER_PAGE
    return names.GREETED_GROUPS[start:start + GROUPS_PER_PAGE]


def page_letter_size():
    return min(lettering.fitted_size(group, (PAGE_COLUMN_WIDTH, PAGE_LINE_PITCH))
               for group in names.GREETED_GROUPS)


def _leaf(stem, angle, length, half_width):
    """Outline of a holly leaf from stem outwards at angle: spikes along
    both edges with the edge curving in between them."""
    direction = (math.cos(math.radians(angle)), math.sin(math.radians(angle)))
    normal = (-direction[1], direction[0])

    def at(along, across):
        return (stem[0] + direction[0] * along + normal[0] * across,
                stem[1] + direction[1] * along + normal[1] * across)

    edges = []
    for side in (1, -1):
        spikes = [(0.0, 0.0)]
        for i in range(1, LEAF_SPIKES + 1):
            t = i / (LEAF_SPIKES + 1)
            spikes.append((t * length, side * half_width * math.sin(math.pi * t) ** LEAF_FULLNESS))
        spikes.append((length, 0.0))
        edge = []
        for (a0, c0), (a1, c1) in zip(spikes, spikes[1:]):
            for step in range(SCALLOP_STEPS):
                s = step / SCALLOP_STEPS
                inward = LEAF_SCALLOP * half_width * math.sin(math.pi * s) * side
                edge.append(at(a0 + (a1 - a0) * s, c0 + (c1 - c0) * s - inward))
        edge.append(at(length, 0.0))
        edges.append(edge)
    return edges[0] + edges[1][::-1], (at(0, 0), at(length * VEIN_LENGTH, 0))


def _disc(centre, radius):
    x, y = centre
    return (x - radius, y - radius, x + radius, y + radius)


def holly_sprig(mirror=False):
    """Two spiky leaves and three berries, in the lettering's outline and
    edge shades so it belongs with the names."""
    scale = SPRIG_SUPERSAMPLE
    width, height = SPRIG_SIZE[0] * scale, SPRIG_SIZE[1] * scale
    stem = (width * SPRIG_CENTRE[0], height * SPRIG_CENTRE[1])
    rim = SPRIG_OUTLINE_WIDTH * scale
    leaves = [_leaf(stem, angle, width * LEAF_LENGTH, width * LEAF_HALF_WIDTH)
              for angle in LEAF_ANGLES]
    berries = [(stem[0] + dx * width, stem[1] + dy * width) for dx, dy in BERRY_OFFSETS]
    radius = BERRY_RADIUS * width
    shine = SHINE_RADIUS * radius

    def outline(draw):
        # One border around leaves and berries together.
        for shape, _ in leaves:
            draw.polygon(shape, fill=255)
            draw.line(shape + shape[:1], fill=255, width=2 * rim, joint="curve")
        for berry in berries:
            draw.ellipse(_disc(berry, radius + rim), fill=255)

    def leaf_blades(draw):
        for shape, _ in leaves:
            draw.polygon(shape, fill=255)

    def veins(draw):
        for _, vein in leaves:
            draw.line(vein, fill=255, width=rim // 2)

    def berry_skins(draw):
        for berry in berries:
            draw.ellipse(_disc(berry, radius), fill=255)

    def shines(draw):
        for x, y in berries:
            draw.ellipse(_disc((x + SHINE_OFFSET * radius, y + SHINE_OFFSET * radius), shine),
                         fill=255)

    sprig = Image.new("RGBA", SPRIG_SIZE, TRANSPARENT)
    for colour, shapes in ((SPRIG_OUTLINE, outline), (LEAF_GREEN, leaf_blades),
                           (LEAF_VEIN, veins), (BERRY_RED, berry_skins),
                           (BERRY_SHINE, shines)):
        plate = Image.new("L", (width, height), 0)
        shapes(ImageDraw.Draw(plate))
        lettering.paint(sprig, colour, plate.reduce(scale))
    return sprig.transpose(Image.FLIP_LEFT_RIGHT) if mirror else sprig


def greetings_page(page):
    sheet = _blank(f"greetingsPage{page + 1}")
    size = page_letter_size()
    groups = page_groups(page)
    widest = 0
    for row, group in enumerate(groups):
        baseline = PAGE_FIRST_BASELINE + row * PAGE_LINE_PITCH
        lettering.draw_text(sheet, group, size, (CENTRE_X, baseline), anchor="ms")
        left, _, right, _ = lettering.extent(group, size, anchor="ms")
        widest = max(widest, right - left)
    middle = PAGE_FIRST_BASELINE + (len(groups) - 1) * PAGE_LINE_PITCH / 2 - size * MIDDLE_PER_SIZE
    reach = widest // 2 + SPRIG_GAP
    if reach + SPRIG_SIZE[0] > CENTRE_X:
        raise SystemExit(f"greetingsPage{page + 1}: the names are too wide for the "
                         f"holly sprigs beside them to stay on screen")
    top = round(middle - SPRIG_SIZE[1] / 2)
    sheet.alpha_composite(holly_sprig(), (CENTRE_X - reach - SPRIG_SIZE[0], top))
    sheet.alpha_composite(holly_sprig(mirror=True), (CENTRE_X + reach, top))
    return sheet


PICTURES = {name: (lambda name=name: title_line(name)) for name in TITLE_TEXTS}
PICTURES["handoverCard"] = handover_card
PICTURES["greetingsHeader"] = greetings_header
PICTURES.update({f"greetingsPage{page + 1}": (lambda page=page: greetings_page(page))
                 for page in range(PAGE_COUNT)})
