"""The title sheet laid over the dancing Santa, and the six credits cards at
the end of the show."""

import math

from PIL import Image, ImageChops, ImageDraw

from . import cards, common, names, portraits
from .svg import Svg, star_path

SCREEN = (1024, 768)
BLACK = (0, 0, 0, 255)
TRANSPARENT = (0, 0, 0, 0)

# ---------------------------------------------------------------- title sheet
# The sheet is drawn full screen over white, on top of the Santa who dances
# in the left half from y 170 down. The title's two words step down to the
# right in the upper half, the candle stands at the right edge clipped to a
# fir twig, and a bauble hangs from the twig in the free lower right.
TITLE_FONT = "lobster"
TITLE_SIZE = 166
TITLE_SUPERSAMPLE = 2
# Left ends of the baselines.
TITLE_WORDS = (("Holly", (392, 172)), ("Rails", (524, 312)))
HOLLY_SPRIG_AT = (372, 14)        # tucked on the first capital
ICE_WHITE = (255, 255, 255)
ICE_SHADE = (150, 204, 244)       # along each letter's lower right, inside
ICE_OUTLINE = (14, 40, 112)
ICE_DEPTH = (44, 92, 178)         # the letters' extruded side
TITLE_OUTLINE = 7                 # px at screen size
TITLE_SHADE = 4                   # how far the inner shade reaches in
TITLE_DEPTH = 8                   # how far the letters stand out of the sheet

SPARKLES = ((360, 64, 16), (836, 130, 20), (716, 36, 12), (560, 356, 14),
            (972, 420, 11), (620, 560, 10))      # x, y, radius
SPARKLE_COLOUR = "#7fb6ee"
SPARKLE_POINTS, SPARKLE_WAIST = 4, 0.22

CANDLE_X = 912
CANDLE_TOP, CANDLE_BOTTOM = 318, 586
CANDLE_HALF_WIDTH = 21
WAX_LIGHT, WAX, WAX_DARK = "#f4776d", "#d3262f", "#8e1119"
WAX_SHINE = "#ffffff"
CANDLE_OUTLINE = "#5a1208"
WICK = "#2a1a10"
OUTLINE_WIDTH = 3
FLAME_GAP = 10                    # from the top of the wax to the flame's base
FLAME_HEIGHT, FLAME_HALF_WIDTH = 96, 19
FLAME_TIP, FLAME_BODY, FLAME_FOOT = "#ffb02e", "#ffd24a", "#ff8a1c"
FLAME_CORE = "#fffbe6"
FLAME_BLUE = "#5b8de0"            # the hottest part, just above the wick
GLOW_RADIUS = 150
GLOW_INNER, GLOW_OUTER = "#ffe9a0", "#ffd36a"
GOLD_LIGHT, GOLD, GOLD_DARK = "#fbe39a", "#e2ac3a", "#8a5d12"
CUP_HALF_WIDTH, CUP_DEPTH = 34, 26
CLIP_HALF_WIDTH = 16
SPRING_TURNS = 3

TWIG_Y = 668
TWIG_LEFT = 700
BARK = "#6b4423"
BARK_WIDTH = 7
NEEDLE_DARK, NEEDLE_LIGHT = "#1d5e34", "#3b9656"
NEEDLE_LENGTH = 30
NEEDLE_WIDTH = 4.5
NEEDLE_SPREAD = 48                # degrees between a needle and its stem
NEEDLE_JITTER = 9
NEEDLES_ON_TWIG, NEEDLES_ON_SHOOT = 48, 12
FIR_SEED = 2212
# Side shoots: start, end and how far the middle bows down.
FIR_SHOOTS = (((960, 684), (884, 620), 8), ((860, 676), (790, 724), -6),
              ((800, 668), (736, 628), 6))

BAUBLE_X, BAUBLE_Y, BAUBLE_R = 726, 712, 36
BAUBLE_LIGHT, BAUBLE, BAUBLE_DARK = "#9cc8f4", "#2f6fd0", "#143b86"
BAUBLE_SHINE = "#ffffff"
BAUBLE_CAP = (9, 11)              # half width and height of the gold cap


def title_lettering():
    """The song's title in icy lettering: white letters with a light blue
    inner shade, a deep blue outline and a blue extruded side."""
    scale = TITLE_SUPERSAMPLE
    size = (SCREEN[0] * scale, SCREEN[1] * scale)
    face = common.font(TITLE_FONT, TITLE_SIZE * scale)
    fill = Image.new("L", size, 0)
    outline = Image.new("L", size, 0)
    for word, (x, y) in TITLE_WORDS:
        position = (x * scale, y * scale)
        ImageDraw.Draw(fill).text(position, word, font=face, fill=255, anchor="ls")
        ImageDraw.Draw(outline).text(position, word, font=face, fill=255, anchor="ls",
                                     stroke_width=TITLE_OUTLINE * scale)
    depth = outline
    for step in range(1, TITLE_DEPTH * scale + 1):
        depth = ImageChops.lighter(depth, ImageChops.offset(outline, step, step))
    # Paper white wherever the letter goes on further down and right; the
    # rim left over shows the shade.
    reach = TITLE_SHADE * scale
    highlight = ImageChops.multiply(fill, ImageChops.offset(fill, -reach, -reach))

    sheet = Image.new("RGBA", size, TRANSPARENT)
    for colour, mask in ((ICE_DEPTH, depth), (ICE_OUTLINE, outline), (ICE_SHADE, fill),
                         (ICE_WHITE, highlight)):
        layer = Image.new("RGBA", size, colour + (0,))
        layer.putalpha(mask)
        sheet.alpha_composite(layer)
    return sheet.resize(SCREEN, Image.LANCZOS)


def _gradients(flame_tip, flame_base, flame_y):
    x, hw = CANDLE_X, CANDLE_HALF_WIDTH
    return (
        f'<radialGradient id="glow" cx="{x}" cy="{flame_y}" r="{GLOW_RADIUS}" '
        'gradientUnits="userSpaceOnUse">'
        f'<stop offset="0" stop-color="{GLOW_INNER}" stop-opacity="0.9"/>'
        f'<stop offset="0.3" stop-color="{GLOW_OUTER}" stop-opacity="0.45"/>'
        f'<stop offset="1" stop-color="{GLOW_OUTER}" stop-opacity="0"/></radialGradient>'
        f'<linearGradient id="wax" x1="{x - hw}" x2="{x + hw}" y1="0" y2="0" '
        'gradientUnits="userSpaceOnUse">'
        f'<stop offset="0" stop-color="{WAX}"/><stop offset="0.3" stop-color="{WAX_LIGHT}"/>'
        f'<stop offset="0.55" stop-color="{WAX}"/><stop offset="1" stop-color="{WAX_DARK}"/>'
        '</linearGradient>'
        f'<linearGradient id="flame" x1="0" x2="0" y1="{flame_tip}" y2="{flame_base}" '
        'gradientUnits="userSpaceOnUse">'
        f'<stop offset="0" stop-color="{FLAME_TIP}"/><stop offset="0.6" stop-color="{FLAME_BODY}"/>'
        f'<stop offset="1" stop-color="{FLAME_FOOT}"/></linearGradient>'
        '<linearGradient id="gold" x1="0" x2="1" y1="0" y2="0">'
        f'<stop offset="0" stop-color="{GOLD_DARK}"/>'
        f'<stop offset="0.35" stop-color="{GOLD_LIGHT}"/>'
        f'<stop offset="0.7" stop-color="{GOLD}"/><stop offset="1" stop-color="{GOLD_DARK}"/>'
        '</linearGradient>'
        '<radialGradient id="bauble" cx="0.35" cy="0.3" r="0.8">'
        f'<stop offset="0" stop-color="{BAUBLE_LIGHT}"/><stop offset="0.45" stop-color="{BAUBLE}"/>'
        f'<stop offset="1" stop-color="{BAUBLE_DARK}"/></radialGradient>')


def _teardrop(x, tip, base, half_width):
    """A flame shape from its tip down to a round base."""
    h = base - tip
    return (f"M {x} {tip} C {x + half_width * 0.6} {tip + h * 0.35} "
            f"{x + half_width * 1.2} {base - h * 0.25} {x} {base} "
            f"C {x - half_width * 1.2} {base - h * 0.25} {x - half_width * 0.6} {tip + h * 0.35} "
            f"{x} {tip} Z")


def candle(svg):
    x, top, bottom, hw = CANDLE_X, CANDLE_TOP, CANDLE_BOTTOM, CANDLE_HALF_WIDTH
    flame_base = top - FLAME_GAP
    flame_tip = flame_base - FLAME_HEIGHT
    flame_y = flame_base - FLAME_HEIGHT * 0.4
    svg.defs.append(_gradients(flame_tip, flame_base, flame_y))
    svg.raw(f'<circle cx="{x}" cy="{flame_y}" r="{GLOW_RADIUS}" fill="url(#glow)"/>')
    twig(svg)
    bauble(svg)
    clip_holder(svg)
    svg.shape(f"M {x - hw} {bottom} L {x - hw} {top + 4} Q {x} {top + 12} {x + hw} {top + 4} "
              f"L {x + hw} {bottom} Z", "url(#wax)", line=OUTLINE_WIDTH, stroke=CANDLE_OUTLINE)
    # The melted hollow at the top and one drip running down its rim.
    svg.shape(f"M {x - hw} {top + 4} Q {x} {top - 4} {x + hw} {top + 4} "
              f"Q {x} {top + 12} {x - hw} {top + 4} Z",
              WAX_LIGHT, line=OUTLINE_WIDTH, stroke=CANDLE_OUTLINE)
    svg.shape(f"M {x + 4} {top + 8} Q {x + 10} {top + 9} {x + 12} {top + 7} L {x + 12} {top + 40} "
              f"Q {x + 8} {top + 48} {x + 4} {top + 40} Z", WAX_LIGHT, line=0)
    svg.line(f"M {x - hw * 0.45} {top + 22} L {x - hw * 0.45} {bottom - 14}", 4, WAX_SHINE)
    svg.line(f"M {x} {top + 2} Q {x + 2} {flame_base + 4} {x - 1} {flame_base - 6}", 3, WICK)
    svg.shape(_teardrop(x, flame_tip, flame_base, FLAME_HALF_WIDTH), "url(#flame)", line=0)
    svg.shape(_teardrop(x, flame_tip + FLAME_HEIGHT * 0.35, flame_base - 6, FLAME_HALF_WIDTH * 0.5),
              FLAME_CORE, line=0)
    svg.raw(f'<ellipse cx="{x}" cy="{flame_base - 4}" rx="6" ry="4" fill="{FLAME_BLUE}" '
            'opacity="0.8"/>')


def clip_holder(svg):
    """The tin cup the candle stands in, on a spring clip gripping the twig."""
    x, y, cw = CANDLE_X, CANDLE_BOTTOM, CLIP_HALF_WIDTH
    svg.shape(f"M {x - cw / 2} {y + 20} L {x - cw / 2} {TWIG_Y - 24} L {x + cw / 2} {TWIG_Y - 24} "
              f"L {x + cw / 2} {y + 20} Z", "url(#gold)", line=OUTLINE_WIDTH, stroke=GOLD_DARK)
    for jaw in (-1, 1):
        svg.shape(f"M {x - cw} {TWIG_Y - 28 + jaw * 4} L {x + cw} {TWIG_Y - 28 + jaw * 4} "
                  f"L {x + cw - 4} {TWIG_Y + jaw * 22} Q {x} {TWIG_Y + jaw * 30} "
                  f"{x - cw + 4} {TWIG_Y + jaw * 22} Z",
                  "url(#gold)", line=OUTLINE_WIDTH, stroke=GOLD_DARK)
    for turn in range(SPRING_TURNS):
        y0 = TWIG_Y - 36 + turn * 6
        svg.line(f"M {x - cw + 2} {y0} Q {x} {y0 - 6} {x + cw - 2} {y0}", 3, GOLD_DARK)
    w = CUP_HALF_WIDTH
    rim, foot = y - 6, y + CUP_DEPTH - 6
    svg.shape(f"M {x - w} {rim} L {x + w} {rim} L {x + w - 10} {foot} L {x - w + 10} {foot} Z",
              "url(#gold)", line=OUTLINE_WIDTH, stroke=GOLD_DARK)
    svg.shape(f"M {x - w - 2} {rim} Q {x} {rim + 12} {x + w + 2} {rim} "
              f"Q {x} {rim - 10} {x - w - 2} {rim} Z",
              GOLD_LIGHT, line=OUTLINE_WIDTH, stroke=GOLD_DARK)


def _branch(start, end, bend, count, generator):
    """Needles fanned forward on both sides of one stem, shortening towards
    its tip: the stem path, the needles behind it and those in front."""
    (x0, y0), (x1, y1) = start, end
    mx, my = (x0 + x1) / 2, (y0 + y1) / 2 + bend
    stem = f"M {x0} {y0} Q {mx} {my} {x1} {y1}"
    behind, front = [], []
    for i in range(count):
        t = i / count
        # The point on the stem's curve and the curve's heading there.
        px = (1 - t) ** 2 * x0 + 2 * (1 - t) * t * mx + t * t * x1
        py = (1 - t) ** 2 * y0 + 2 * (1 - t) * t * my + t * t * y1
        heading = math.atan2(2 * (1 - t) * (my - y0) + 2 * t * (y1 - my),
                             2 * (1 - t) * (mx - x0) + 2 * t * (x1 - mx))
        length = NEEDLE_LENGTH * (1 - 0.5 * t * t)
        for side, strokes in ((-1, front), (1, behind)):
            spread = NEEDLE_SPREAD + NEEDLE_JITTER * generator.uniform(-1, 1)
            angle = heading + side * math.radians(spread)
            strokes.append(f"M {px:.1f} {py:.1f} L {px + length * math.cos(angle):.1f} "
                           f"{py + length * math.sin(angle):.1f}")
    return stem, behind, front


def twig(svg):
    """A fir twig in from the right edge with three side shoots; the needles
    on the far side are darker and go under the bark."""
    generator = common.rng(FIR_SEED)
    branches = [_branch((SCREEN[0] + 24, TWIG_Y + 10), (TWIG_LEFT, TWIG_Y - 14), 8,
                        NEEDLES_ON_TWIG, generator)]
    branches += [_branch(start, end, bend, NEEDLES_ON_SHOOT, generator)
                 for start, end, bend in FIR_SHOOTS]
    for _, behind, _ in branches:
        for d in behind:
            svg.line(d, NEEDLE_WIDTH, NEEDLE_DARK)
    for stem, _, _ in branches:
        svg.line(stem, BARK_WIDTH, BARK)
    for _, _, front in branches:
        for d in front:
            svg.line(d, NEEDLE_WIDTH, NEEDLE_LIGHT)


def bauble(svg):
    x, y, r = BAUBLE_X, BAUBLE_Y, BAUBLE_R
    cap_w, cap_h = BAUBLE_CAP
    svg.line(f"M {x} {TWIG_Y - 12} L {x} {y - r - 6}", 2, GOLD_DARK)
    svg.shape(f"M {x - r} {y} A {r} {r} 0 1 0 {x + r} {y} A {r} {r} 0 1 0 {x - r} {y} Z",
              "url(#bauble)", line=OUTLINE_WIDTH, stroke=BAUBLE_DARK)
    shine_x, shine_y = x - r * 0.38, y - r * 0.42
    svg.raw(f'<ellipse cx="{shine_x}" cy="{shine_y}" rx="{r * 0.22}" ry="{r * 0.13}" '
            f'fill="{BAUBLE_SHINE}" transform="rotate(-35 {shine_x} {shine_y})"/>')
    svg.line(f"M {x - r * 0.96} {y + 4} Q {x} {y + r * 0.45} {x + r * 0.96} {y + 4}",
             4, BAUBLE_SHINE)
    cap_top = y - r - 8
    svg.shape(f"M {x - cap_w} {cap_top} L {x + cap_w} {cap_top} L {x + cap_w} {cap_top + cap_h} "
              f"L {x - cap_w} {cap_top + cap_h} Z", "url(#gold)", line=2, stroke=GOLD_DARK)


def title_sheet():
    svg = Svg(*SCREEN)
    candle(svg)
    for x, y, r in SPARKLES:
        svg.shape(star_path(x, y, r, SPARKLE_POINTS, SPARKLE_WAIST), SPARKLE_COLOUR, line=0)
    sheet = svg.render()
    sheet.alpha_composite(title_lettering())
    sheet.alpha_composite(cards.holly_sprig(), HOLLY_SPRIG_AT)
    return sheet


# -------------------------------------------------------------- credits cards
ROLE_FONT = "bebas-neue-bold"
HANDLE_FONT = "comfortaa-bold"
ROLE_RED = (232, 46, 58)
HANDLE_WHITE = (255, 255, 255)

# The lettering keeps to the left, the portrait to the right; the portrait
# stands on the card's bottom edge so the shoulders run off the screen.
TEXT_LEFT = 72
TEXT_WIDTH = 420
PORTRAIT_SIZE = (460, 644)
PORTRAIT_LEFT = 540
# The middle of the lettering block lines up with the middle of the disc
# behind the portrait's head.
TEXT_MIDDLE_Y = 392
ROLE_MAX_SIZE = 168
ROLE_LINE_PITCH = 0.92        # of the letter size; capitals need little leading
HANDLE_SIZE = 62
# Between the role words and the handle: a short candy-striped bar.
RULE_GAP = 32
RULE_SIZE = (104, 10)
RULE_INSET = 4                # lines the bar up with the letters' stems
RULE_STRIPE = 10              # width of one stripe along the bar
RULE_SUPERSAMPLE = 4

# Long roles break into lines at these words so each line stays large.
ROLE_LINES = {
    "Additional Coding": ("Additional", "Coding"),
    "Photography and Design": ("Photography", "and Design"),
}

CHARACTERS = {
    "creditCode": portraits.coder,
    "creditExtraCode": portraits.extra_coder,
    "creditPhotoDesign": portraits.photographer,
    "creditMusic": portraits.musician,
    "creditGraphics1": portraits.graphics_artist,
    "creditGraphics2": portraits.santa_artist,
}


def role_lines(role):
    return tuple(line.upper() for line in ROLE_LINES.get(role, (role,)))


def role_size(lines):
    """The largest size up to ROLE_MAX_SIZE at which every line fits the
    column."""
    for size in range(ROLE_MAX_SIZE, 0, -1):
        face = common.font(ROLE_FONT, size)
        if all(face.getlength(line) <= TEXT_WIDTH for line in lines):
            return size
    raise SystemExit(f"credits: {' '.join(lines)!r} does not fit {TEXT_WIDTH} px")


def candy_rule():
    """A rounded bar of slanted red and white stripes."""
    scale = RULE_SUPERSAMPLE
    width, height = RULE_SIZE[0] * scale, RULE_SIZE[1] * scale
    stripes = Image.new("RGBA", (width, height), HANDLE_WHITE + (255,))
    draw = ImageDraw.Draw(stripes)
    step = RULE_STRIPE * scale
    for x in range(-height, width + height, 2 * step):
        draw.polygon([(x, height), (x + step, height), (x + step + height, 0), (x + height, 0)],
                     fill=ROLE_RED)
    shape = Image.new("L", (width, height), 0)
    ImageDraw.Draw(shape).rounded_rectangle((0, 0, width - 1, height - 1), radius=height // 2,
                                            fill=255)
    stripes.putalpha(shape)
    return stripes.resize(RULE_SIZE, Image.LANCZOS)


def credits_card(name):
    role, handle = names.CREDITS[name]
    card = Image.new("RGBA", SCREEN, BLACK)
    card.alpha_composite(portraits.render(CHARACTERS[name], *PORTRAIT_SIZE),
                         (PORTRAIT_LEFT, SCREEN[1] - PORTRAIT_SIZE[1]))

    lines = role_lines(role)
    size = role_size(lines)
    pitch = round(size * ROLE_LINE_PITCH)
    role_face = common.font(ROLE_FONT, size)
    handle_face = common.font(HANDLE_FONT, HANDLE_SIZE)
    # The block is measured from the capitals' tops to the handle's lowest
    # point and centred as a whole, so one-line and two-line roles share
    # the same middle.
    cap_height = -role_face.getbbox("H", anchor="ls")[1]
    handle_top, handle_bottom = handle_face.getbbox(handle, anchor="ls")[1::2]
    block = (pitch * (len(lines) - 1) + cap_height + 2 * RULE_GAP + RULE_SIZE[1]
             + handle_bottom - handle_top)
    baseline = TEXT_MIDDLE_Y - block // 2 + cap_height

    draw = ImageDraw.Draw(card)
    for line in lines:
        draw.text((TEXT_LEFT, baseline), line, font=role_face, fill=ROLE_RED, anchor="ls")
        baseline += pitch
    rule_top = baseline - pitch + RULE_GAP
    card.alpha_composite(candy_rule(), (TEXT_LEFT + RULE_INSET, rule_top))
    draw.text((TEXT_LEFT, rule_top + RULE_SIZE[1] + RULE_GAP - handle_top), handle,
              font=handle_face, fill=HANDLE_WHITE, anchor="ls")
    return card


PICTURES = {"titleSheet": title_sheet}
PICTURES.update({name: (lambda name=name: credits_card(name)) for name in CHARACTERS})
