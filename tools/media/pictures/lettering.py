"""The show's one lettering style: white letters in a deep holly-green outline
over a dark drop shadow. Captions fall on red rails over black, on falling
snow, on the white title screen and on a flicker of saturated colours, so the
outline closes every letter on all sides and the shadow lifts it off white."""

from PIL import Image, ImageDraw

from . import common

FONT = "lobster"
FILL = (255, 255, 255)
OUTLINE = (12, 58, 32)
SHADOW = (0, 0, 0)
SHADOW_OPACITY = 0.5

# The outline grows with the letters but stays within a band, so small
# titles keep a closed border and big cards do not turn into blobs.
OUTLINE_PER_PIXEL = 1 / 13
MIN_OUTLINE = 3
MAX_OUTLINE = 6
# The shadow is the outlined letter again, dropped down and to the right.
SHADOW_DROP_PER_OUTLINE = 0.8
# Edges keep only a few shades of coverage: at screen size that still looks
# smooth, and it keeps full-screen sheets of lettering small.
EDGE_LEVELS = 4

# Below this a line is no longer legible on screen.
MIN_SIZE = 14


def outline_width(size):
    return max(MIN_OUTLINE, min(MAX_OUTLINE, round(size * OUTLINE_PER_PIXEL)))


def shadow_drop(size):
    return round(outline_width(size) * SHADOW_DROP_PER_OUTLINE)


def extent(text, size, anchor="ls", font_key=FONT):
    """Box (left, top, right, bottom) of everything draw_text paints for
    text, relative to its anchor point."""
    left, top, right, bottom = common.font(font_key, size).getbbox(
        text, anchor=anchor, stroke_width=outline_width(size))
    drop = shadow_drop(size)
    return left, top, right + drop, bottom + drop


def _coverage_steps(value):
    step = 255 / (EDGE_LEVELS - 1)
    return round(round(value / step) * step)


def paint(image, colour, coverage, opacity=1.0):
    """Lay colour over an RGBA image in place wherever an L-mode coverage
    mask of the same size says, in the few edge shades of the lettering."""
    alpha = coverage.point(lambda v: round(_coverage_steps(v) * opacity))
    layer = Image.new("RGBA", image.size, colour + (0,))
    layer.putalpha(alpha)
    image.alpha_composite(layer)


def draw_text(image, text, size, xy, anchor="ms", font_key=FONT):
    """Letter text onto an RGBA image in place, placed at xy the way Pillow
    anchors text ("ms": middle of the baseline)."""
    font = common.font(font_key, size)
    width = outline_width(size)
    drop = shadow_drop(size)
    x, y = xy

    def mask(position, stroke):
        plate = Image.new("L", image.size, 0)
        ImageDraw.Draw(plate).text(position, text, font=font, fill=255,
                                   anchor=anchor, stroke_width=stroke)
        return plate

    paint(image, SHADOW, mask((x + drop, y + drop), width), SHADOW_OPACITY)
    paint(image, OUTLINE, mask(xy, width))
    paint(image, FILL, mask(xy, 0))


def fitted_size(text, box, font_key=FONT):
    """The largest size at which text, outline and shadow fit inside a
    box of (width, height) pixels."""
    box_width, box_height = box
    # A line is seldom much taller than its size, so twice the box height
    # is a safe place to start looking down from.
    for size in range(2 * box_height, MIN_SIZE - 1, -1):
        left, top, right, bottom = extent(text, size, font_key=font_key)
        if right - left <= box_width and bottom - top <= box_height:
            return size
    raise SystemExit(f"lettering: {text!r} does not fit {box_width} x {box_height} "
                     f"even at {MIN_SIZE} px")


def fit_line(text, box, font_key=FONT):
    """A transparent picture of size box with text as large as it fits,
    centred."""
    size = fitted_size(text, box, font_key)
    left, top, right, bottom = extent(text, size, font_key=font_key)
    image = Image.new("RGBA", box, (0, 0, 0, 0))
    x = (box[0] - (right - left)) // 2 - left
    y = (box[1] - (bottom - top)) // 2 - top
    draw_text(image, text, size, (x, y), anchor="ls", font_key=font_key)
    return image
