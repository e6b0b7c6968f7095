"""The six credits portraits: invented characters drawn as a three-tone print
(black ink, white paper, one grey), built from vector shapes in SVG.

Every portrait shares one template (a paper disc, black shoulders, the neck,
a head whose far side falls into grey shadow away from the light at the
upper left) and differs in hair, face, clothes and one prop that says what
the person did for the show. Shapes are placed from the face's anchors, so a
longer or wider face keeps its features in proportion. Black areas carry
white gouge marks, as if cut into a block."""

import math
from dataclasses import dataclass

from .svg import Svg

INK = "#000000"
PAPER = "#ffffff"
GREY = "#8c8c8c"

# Drawing units: every portrait is drawn in this box and scaled on rendering.
VIEW_W, VIEW_H = 400, 560
CENTRE_X = 200

# The paper disc behind each head, and the thin ring round it.
DISC_Y, DISC_R = 236, 178
RING_R, RING_WIDTH = 190, 4

LINE = 6          # the main contour weight
CARVE = 3         # gouge marks inside black areas
FEATURE = 7       # brows, lids and other strong features

# How far the face's own outline is pushed towards the light to cut the
# shadow on its far side.
SHADOW_SHIFT = (-22, -12)

SHOULDER_HALF_WIDTH = 168
NECK_HALF_WIDTH = 36
SHOULDERS_BELOW_CHIN = 50

# The face template, as fractions of the face's height from its top.
EYE_LEVEL = 0.52
BROW_LEVEL = 0.43
NOSE_LEVEL = 0.70
MOUTH_LEVEL = 0.83
EAR_LEVEL = 0.56
EYE_SPACING = 0.43       # of the half width


@dataclass
class Face:
    """Anchors of one head; everything else is placed from these."""
    top: float
    chin: float
    half_width: float
    jaw: float           # half width at the corner of the jaw

    def y(self, fraction):
        return self.top + fraction * (self.chin - self.top)

    @property
    def eye_y(self):
        return self.y(EYE_LEVEL)

    @property
    def brow_y(self):
        return self.y(BROW_LEVEL)

    @property
    def nose_y(self):
        return self.y(NOSE_LEVEL)

    @property
    def mouth_y(self):
        return self.y(MOUTH_LEVEL)

    @property
    def ear_y(self):
        return self.y(EAR_LEVEL)

    @property
    def eye_dx(self):
        return EYE_SPACING * self.half_width

    def outline(self, dx=0.0, dy=0.0):
        """Crown, temples, jaw corners and chin as one closed curve."""
        c, hw, jaw = CENTRE_X + dx, self.half_width, self.jaw
        top, chin = self.top + dy, self.chin + dy

        def y(f):
            return top + f * (chin - top)

        cheek = jaw + 0.3 * (hw - jaw)
        return (f"M {c} {top} "
                f"C {c + 0.62 * hw} {top} {c + hw} {y(0.16)} {c + hw} {y(0.42)} "
                f"C {c + hw} {y(0.60)} {c + cheek} {y(0.72)} {c + jaw} {y(0.81)} "
                f"C {c + 0.75 * jaw} {y(0.93)} {c + 0.38 * hw} {chin} {c} {chin} "
                f"C {c - 0.38 * hw} {chin} {c - 0.75 * jaw} {y(0.93)} {c - jaw} {y(0.81)} "
                f"C {c - cheek} {y(0.72)} {c - hw} {y(0.60)} {c - hw} {y(0.42)} "
                f"C {c - hw} {y(0.16)} {c - 0.62 * hw} {top} {c} {top} Z")


def render(character, width, height):
    """One character's portrait rasterised at width x height pixels."""
    defs, body = character()
    svg = Svg(width, height, view=(VIEW_W, VIEW_H))
    svg.defs.append(defs)
    svg.raw(body)
    return svg.render()


# --- SVG pieces --------------------------------------------------------------

def path(d, fill=INK, stroke=None, width=LINE, extra=""):
    outline = (f' stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round" '
               'stroke-linecap="round"') if stroke else ""
    return f'<path d="{d}" fill="{fill}"{outline} {extra}/>'


def line(d, colour=INK, width=LINE):
    return path(d, fill="none", stroke=colour, width=width)


def circle(x, y, r, fill=INK, stroke=None, width=LINE):
    outline = f' stroke="{stroke}" stroke-width="{width}"' if stroke else ""
    return f'<circle cx="{x}" cy="{y}" r="{r}" fill="{fill}"{outline}/>'


def ellipse(x, y, rx, ry, fill=INK, stroke=None, width=LINE, rotate=0):
    outline = f' stroke="{stroke}" stroke-width="{width}"' if stroke else ""
    return (f'<ellipse cx="{x}" cy="{y}" rx="{rx}" ry="{ry}" fill="{fill}"{outline} '
            f'transform="rotate({rotate} {x} {y})"/>')


def rect(x, y, w, h, radius, fill=INK, stroke=None, width=LINE):
    outline = f' stroke="{stroke}" stroke-width="{width}"' if stroke else ""
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{radius}" '
            f'fill="{fill}"{outline}/>')


def mirror(content):
    """The same shapes reflected about the face's centre line."""
    return f'<g transform="translate({2 * CENTRE_X} 0) scale(-1 1)">{content}</g>'


def carved(name, d, marks, fill=INK):
    """A filled shape with white gouge marks kept inside it."""
    return (f'<defs><clipPath id="{name}"><path d="{d}"/></clipPath></defs>' + path(d, fill)
            + f'<g clip-path="url(#{name})">'
            + "".join(line(m, PAPER, CARVE) for m in marks) + "</g>")


def band(d, colour=INK, width=16, edge=PAPER, edge_width=LINE):
    """A thick stroke with a contour of its own, so it reads on both black
    hair and the paper disc."""
    return line(d, edge, width + 2 * edge_width) + line(d, colour, width)


def bumpy_circle(x, y, r, bumps, depth):
    """A fluffy round outline as one closed path of arcs."""
    points = [(x + r * math.cos(2 * math.pi * i / bumps), y + r * math.sin(2 * math.pi * i / bumps))
              for i in range(bumps)]
    bump_r = r * math.sin(math.pi / bumps) + depth
    d = f"M {points[0][0]:.2f} {points[0][1]:.2f} "
    for px, py in points[1:] + points[:1]:
        d += f"A {bump_r:.2f} {bump_r:.2f} 0 0 1 {px:.2f} {py:.2f} "
    return d + "Z"


POMPOM_BUMPS, POMPOM_BUMP_DEPTH = 11, 3


def pompom(x, y, r):
    return (path(bumpy_circle(x, y, r, POMPOM_BUMPS, POMPOM_BUMP_DEPTH), fill=PAPER, stroke=INK,
                 width=LINE - 1)
            + line(f"M {x - r * 0.5} {y - r * 0.1} Q {x - r * 0.2} {y - r * 0.5} "
                   f"{x + r * 0.3} {y - r * 0.45}", GREY, CARVE)
            + line(f"M {x - r * 0.2} {y + r * 0.35} Q {x + r * 0.2} {y + r * 0.1} "
                   f"{x + r * 0.5} {y + r * 0.2}", GREY, CARVE))


def fur_row(points, radius):
    """Round puffs along a line, outlined together so only the outer edge
    carries ink."""
    return ("".join(circle(x, y, radius + LINE / 2) for x, y in points)
            + "".join(circle(x, y, radius, fill=PAPER) for x, y in points))


# --- the shared template -------------------------------------------------------

def medallion():
    return (circle(CENTRE_X, DISC_Y, RING_R, fill="none", stroke=PAPER, width=RING_WIDTH)
            + circle(CENTRE_X, DISC_Y, DISC_R, fill=PAPER))


def torso(face):
    """Black shoulders with a white contour, so they read on the black card
    as well as against the paper disc; they run off the bottom."""
    base, c, s = face.chin + SHOULDERS_BELOW_CHIN, CENTRE_X, SHOULDER_HALF_WIDTH
    d = (f"M {c - s - 20} {VIEW_H + 10} "
         f"C {c - s - 12} {base + 70} {c - s + 20} {base + 30} {c - 60} {base + 8} "
         f"L {c + 60} {base + 8} "
         f"C {c + s - 20} {base + 30} {c + s + 12} {base + 70} {c + s + 20} {VIEW_H + 10} Z")
    return path(d, fill=INK, stroke=PAPER, width=LINE)


def neckline(face, kind):
    """The top of the clothes, drawn over the neck."""
    base, c = face.chin + SHOULDERS_BELOW_CHIN, CENTRE_X
    if kind == "crew":
        return (line(f"M {c - 52} {base + 6} Q {c} {base + 44} {c + 52} {base + 6}",
                     PAPER, CARVE + 1)
                + line(f"M {c - 44} {base + 18} Q {c} {base + 52} {c + 44} {base + 18}",
                       PAPER, CARVE))
    if kind == "collar":
        wing = path(f"M {c - 46} {base + 2} L {c - 6} {base + 52} L {c - 60} {base + 46} Z",
                    fill=PAPER, stroke=INK, width=CARVE)
        return wing + mirror(wing)
    if kind == "hoodie":
        return (line(f"M {c - 90} {base + 14} Q {c} {base + 100} {c + 90} {base + 14}", PAPER, LINE)
                + line(f"M {c - 24} {base + 60} L {c - 30} {base + 128}", PAPER, CARVE)
                + line(f"M {c + 24} {base + 60} L {c + 30} {base + 128}", PAPER, CARVE))
    if kind == "turtleneck":
        roll = (f"M {c - 50} {base - 30} Q {c} {base - 18} {c + 50} {base - 30} "
                f"L {c + 56} {base + 16} Q {c} {base + 34} {c - 56} {base + 16} Z")
        ribs = "".join(line(f"M {c + x} {base - 20 + abs(x) * 0.06} "
                            f"L {c + x * 1.1} {base + 18 - abs(x) * 0.1}", PAPER, CARVE)
                       for x in (-36, -18, 0, 18, 36))
        return path(roll, fill=INK, stroke=PAPER, width=CARVE + 1) + ribs
    raise ValueError(f"no neckline called {kind}")


def neck(face):
    c, w = CENTRE_X, NECK_HALF_WIDTH
    top, base = face.y(0.78), face.chin + SHOULDERS_BELOW_CHIN + 12
    d = (f"M {c - w} {top} L {c - w} {base - 10} Q {c} {base + 14} {c + w} {base - 10} "
         f"L {c + w} {top} Z")
    # The chin's shadow, deeper on the far side.
    shade = (f"M {c - w} {face.chin - 14} Q {c} {face.chin + 46} {c + w} {face.chin - 14} "
             f"L {c + w} {face.chin + 40} L {c + 8} {base} Z")
    return path(d, fill=PAPER, stroke=INK, width=LINE) + path(shade, fill=GREY)


def ear(face):
    """The ear on the left of the picture; mirror it for the other."""
    c, y, hw = CENTRE_X, face.ear_y, face.half_width
    return (ellipse(c - hw - 2, y, 16, 26, fill=PAPER, stroke=INK, width=LINE)
            + line(f"M {c - hw - 6} {y - 10} Q {c - hw - 12} {y} {c - hw - 4} {y + 12}",
                   INK, CARVE))


def head(face):
    """The face itself: paper, with the side away from the light in grey."""
    outline = face.outline()
    defs = (f'<mask id="shadow"><path d="{outline}" fill="white"/>'
            f'<path d="{face.outline(*SHADOW_SHIFT)}" fill="black"/></mask>')
    body = (path(outline, fill=PAPER)
            + path(outline, fill=GREY, extra='mask="url(#shadow)"')
            + path(outline, fill="none", stroke=INK, width=LINE))
    return defs, body


def eyes(face, look=0):
    c, y, dx = CENTRE_X, face.eye_y, face.eye_dx
    out = ""
    for side in (-1, 1):
        x = c + side * dx
        out += circle(x + look, y + 2, 9) + circle(x + look - 3, y - 1, 2.6, fill=PAPER)
        out += line(f"M {x - 17} {y + 1} Q {x} {y - 14} {x + 17} {y + 1}", INK, FEATURE - 2)
    return out


def closed_eyes(face):
    c, y, dx = CENTRE_X, face.eye_y, face.eye_dx
    return "".join(line(f"M {c + side * dx - 16} {y - 2} Q {c + side * dx} {y + 12} "
                        f"{c + side * dx + 16} {y - 2}", INK, FEATURE - 1) for side in (-1, 1))


def lashes(face, width=CARVE):
    c, y, dx = CENTRE_X, face.eye_y, face.eye_dx
    return "".join(line(f"M {c + side * (dx + 13)} {y - 5} l {side * 8} -5", INK, width)
                   for side in (-1, 1))


def brows(face, lift=0, weight=FEATURE + 2):
    c, y, dx = CENTRE_X, face.brow_y - lift, face.eye_dx
    one = line(f"M {c - dx - 20} {y + 4} Q {c - dx} {y - 8} {c - dx + 18} {y}", INK, weight)
    return one + mirror(one)


def nose(face):
    c, top, tip = CENTRE_X, face.eye_y + 12, face.nose_y
    return (path(f"M {c + 6} {top} Q {c + 20} {tip - 12} {c + 18} {tip} "
                 f"Q {c + 8} {tip + 10} {c - 6} {tip + 2} Q {c + 8} {tip - 2} {c + 8} {top + 8} Z",
                 fill=GREY)
            + line(f"M {c + 4} {top} Q {c + 18} {tip - 10} {c + 16} {tip}", INK, CARVE + 1)
            + line(f"M {c - 14} {tip - 2} Q {c - 4} {tip + 8} {c + 14} {tip + 2}", INK, LINE - 1))


def smile(face, width=30, teeth=True):
    c, y = CENTRE_X, face.mouth_y
    if not teeth:
        return line(f"M {c - width} {y - 2} Q {c} {y + 18} {c + width} {y - 2}", INK, LINE)
    return (path(f"M {c - width} {y - 4} Q {c} {y + 4} {c + width} {y - 4} "
                 f"Q {c} {y + 34} {c - width} {y - 4} Z", fill=INK, stroke=INK, width=CARVE)
            + path(f"M {c - width + 8} {y} Q {c} {y + 6} {c + width - 8} {y} "
                   f"L {c + width - 12} {y + 6} Q {c} {y + 12} {c - width + 12} {y + 6} Z",
                   fill=PAPER))


def freckles(face, spots):
    c = CENTRE_X
    return "".join(circle(c + side * 50 + dx, face.y(0.67) + dy, 2.6)
                   for side in (-1, 1) for dx, dy in spots)


def compose(face, *, clothes, ears=True, behind="", features="", front=""):
    """Stack one portrait in its fixed order, from the disc to the props."""
    head_defs, head_body = head(face)
    body = (medallion() + torso(face) + behind + neck(face) + neckline(face, clothes)
            + (ear(face) + mirror(ear(face)) if ears else "")
            + head_body + features + front)
    return head_defs, body


# --- props ---------------------------------------------------------------------

def horn(face):
    """A little curled horn of a costume headband, on the left of the head."""
    c, top = CENTRE_X, face.top
    d = (f"M {c - 44} {top - 8} C {c - 60} {top - 48} {c - 92} {top - 70} {c - 122} {top - 62} "
         f"C {c - 100} {top - 50} {c - 84} {top - 26} {c - 76} {top + 6} Z")
    rings = "".join(line(f"M {c - 56 - 12 * i} {top - 14 - 12 * i} l {-16 + 2 * i} {14 - 2 * i}",
                         INK, CARVE) for i in range(3))
    return path(d, fill=GREY, stroke=INK, width=LINE) + rings


def square_glasses(face):
    c, y, dx = CENTRE_X, face.eye_y, face.eye_dx
    out = ""
    for side in (-1, 1):
        x = c + side * dx
        out += rect(x - 30, y - 22, 60, 44, 9, fill="none", stroke=INK, width=FEATURE + 1)
        out += line(f"M {x + side * 30} {y - 14} L {x + side * (face.half_width - dx + 4)} {y - 8}",
                    INK, FEATURE - 1)
        out += line(f"M {x - 18} {y + 12} L {x - 4} {y - 12}", GREY, CARVE)
    return out + line(f"M {c - 8} {y - 10} Q {c} {y - 16} {c + 8} {y - 10}", INK, FEATURE - 1)


def round_glasses(face):
    c, y, dx = CENTRE_X, face.eye_y, face.eye_dx
    out = ""
    for side in (-1, 1):
        x = c + side * dx
        out += circle(x, y, 25, fill="none", stroke=INK, width=LINE)
        out += line(f"M {x - 12} {y + 14} L {x + 2} {y - 16}", GREY, CARVE)
    bridge = f"M {c - dx + 25} {y - 4} Q {c} {y - 14} {c + dx - 25} {y - 4}"
    return out + line(bridge, INK, LINE - 1)


SNOWFLAKE = ("...#...",
             ".#.#.#.",
             "..###..",
             "#######",
             "..###..",
             ".#.#.#.",
             "...#...")


def pixel_snowflake(x, y, cell):
    """A snowflake of square stitches, knitted into a beanie."""
    half = len(SNOWFLAKE) // 2
    return "".join(rect(x + (col - half - 0.5) * cell, y + (row - half - 0.5) * cell, cell, cell, 0,
                        fill=PAPER)
                   for row, text in enumerate(SNOWFLAKE) for col, mark in enumerate(text)
                   if mark == "#")


def beanie(face):
    """A ribbed knitted hat with a stitched snowflake and a pompom."""
    c, hw, top = CENTRE_X, face.half_width, face.top
    brim_top, brim_bottom = face.y(0.12), face.y(0.29)
    crown = (f"M {c - hw - 12} {brim_top + 4} C {c - hw - 10} {top - 64} {c + hw + 10} {top - 64} "
             f"{c + hw + 12} {brim_top + 4} Z")
    ribs = "".join(line(f"M {c + x} {brim_top + 8} L {c + x} {brim_bottom - 8}", PAPER, CARVE)
                   for x in range(-hw - 6, hw + 8, 14))
    return (path(crown, fill=INK, stroke=PAPER, width=LINE - 2)
            + pixel_snowflake(c, top + 2, 6)
            + rect(c - hw - 18, brim_top, 2 * hw + 36, brim_bottom - brim_top, 14,
                   stroke=PAPER, width=LINE - 2)
            + ribs + pompom(c, top - 56, 28))


CAMERA_SIZE = (150, 94)
CAMERA_DROP = 128         # from the chin to the middle of the camera


def camera(x, y):
    """A compact camera hanging on the chest, lens towards the viewer."""
    w, h = CAMERA_SIZE
    left, top = x - w / 2, y - h / 2
    return (rect(left, top, w, h, 12, stroke=PAPER)
            + rect(left + 12, top - 16, 40, 18, 4, fill=GREY, stroke=PAPER, width=CARVE)
            + rect(x + w / 2 - 36, top + 10, 24, 14, 3, fill=PAPER)
            + circle(x, y + 4, 40, fill=PAPER)
            + circle(x, y + 4, 32)
            + circle(x, y + 4, 21, fill=GREY, stroke=INK, width=CARVE)
            + circle(x, y + 4, 11)
            + circle(x - 8, y - 4, 5, fill=PAPER)
            + line(f"M {left + 10} {top + h - 12} L {left + 40} {top + h - 12}", PAPER, CARVE))


def music_note(x, y, size):
    """An eighth note with its head at (x, y)."""
    stem_x = x + size * 0.52
    return (ellipse(x, y, size * 0.62, size * 0.45, rotate=-22)
            + line(f"M {stem_x} {y - size * 0.15} L {stem_x} {y - size * 2.2}", INK, size * 0.22)
            + path(f"M {stem_x} {y - size * 2.2} "
                   f"q {size * 0.5} {size * 0.4} {size * 0.9} {size * 1.2} "
                   f"q {-size * 0.3} {-size * 0.5} {-size * 0.9} {-size * 0.6} Z"))


def headphones(face):
    c, hw, top, y = CENTRE_X, face.half_width, face.top, face.ear_y
    arch = (f"M {c - hw - 16} {y - 10} C {c - hw - 30} {top - 116} {c + hw + 30} {top - 116} "
            f"{c + hw + 16} {y - 10}")
    out = band(arch, INK, 14)
    for side in (-1, 1):
        x = c + side * (hw + 10)
        out += rect(x - 24, y - 46, 48, 92, 20, stroke=PAPER)
        # The cushion towards the head.
        out += rect(x - 24 + (16 if side < 0 else 0), y - 38, 8, 76, 4, fill=GREY)
        out += line(f"M {x + side * 8} {y - 26} L {x + side * 8} {y + 24}", PAPER, CARVE)
    return out


ANTLER_SCALE = 0.8


def antler(x, y):
    """One antler of a reindeer headband, rising from (x, y) to the left;
    mirror it for the right one. Drawn as grey strokes inside black ones."""
    beam = f"M {x} {y} C {x - 10} {y - 40} {x - 40} {y - 70} {x - 60} {y - 110}"
    tines = (f"M {x - 16} {y - 44} C {x - 40} {y - 52} {x - 58} {y - 58} {x - 74} {y - 76}",
             f"M {x - 38} {y - 76} C {x - 30} {y - 96} {x - 24} {y - 108} {x - 14} {y - 122}",
             f"M {x - 52} {y - 98} C {x - 64} {y - 104} {x - 76} {y - 110} {x - 92} {y - 112}")
    shapes = (beam,) + tines
    drawn = "".join(line(d, INK, 20) for d in shapes) + "".join(line(d, GREY, 9) for d in shapes)
    return (f'<g transform="translate({x} {y}) scale({ANTLER_SCALE}) translate({-x} {-y})">'
            f'{drawn}</g>')


PENCIL_HALF_WIDTH = 11
PENCIL_POINT = 30         # length of the sharpened cone
PENCIL_LEAD = 11
PENCIL_BAND = 16          # the metal band, and as long again the rubber


def pencil(x, y, length, angle):
    """A sharpened pencil with its point at (x, y), lying along angle
    (degrees)."""
    w, point, band_len = PENCIL_HALF_WIDTH, PENCIL_POINT, PENCIL_BAND
    end = x + length
    return (f'<g transform="rotate({angle} {x} {y})">'
            + path(f"M {x} {y} L {x + point} {y - w} L {x + point} {y + w} Z",
                   fill=PAPER, stroke=INK, width=CARVE + 1)
            + path(f"M {x} {y} L {x + PENCIL_LEAD} {y - w * 0.36} "
                   f"L {x + PENCIL_LEAD} {y + w * 0.36} Z")
            + rect(x + point, y - w, length - point - 2 * band_len, 2 * w, 0, fill=GREY, stroke=INK,
                   width=CARVE + 1)
            + line(f"M {x + point} {y} L {end - 2 * band_len} {y}", PAPER, CARVE)
            + rect(end - 2 * band_len, y - w, band_len, 2 * w, 0, fill=PAPER, stroke=INK,
                   width=CARVE + 1)
            + rect(end - band_len, y - w, band_len, 2 * w, 6, stroke=PAPER, width=CARVE)
            + "</g>")


def santa_hat(face):
    """A floppy Santa hat with a fur brim, its tip falling to the right."""
    c, hw, top = CENTRE_X, face.half_width, face.top
    brim_y = face.y(0.2)
    cone = (f"M {c - hw - 8} {brim_y} "
            f"C {c - hw + 4} {top - 80} {c + 30} {top - 120} {c + 100} {top - 90} "
            f"C {c + 140} {top - 72} {c + 160} {top - 30} {c + 166} {top + 6} "
            f"C {c + 150} {top - 20} {c + 126} {top - 44} {c + 96} {top - 50} "
            f"C {c + hw + 20} {top - 40} {c + hw + 14} {top - 10} {c + hw + 8} {brim_y} Z")
    folds = "".join(line(d, INK, CARVE) for d in (
        f"M {c - 20} {top - 40} Q {c + 30} {top - 70} {c + 80} {top - 66}",
        f"M {c + 100} {top - 76} Q {c + 130} {top - 56} {c + 146} {top - 20}"))
    fur = [(c + (hw + 22) * math.sin(a), brim_y + 6 - 16 * math.cos(a))
           for a in map(math.radians, range(-84, 85, 12))]
    fuzz = "".join(line(f"M {x - 6} {y + 4} q 6 -8 12 -2", GREY, CARVE) for x, y in fur[1::2])
    return (f'<defs><clipPath id="hat"><path d="{cone}"/></clipPath></defs>'
            + path(cone, fill=GREY, stroke=INK, width=LINE)
            + f'<g clip-path="url(#hat)">{folds}</g>'
            + fur_row(fur, 17) + fuzz
            + pompom(c + 168, top + 20, 26))


BRAID_WIDTH = 34
BRAID_LOBE = 17           # the length of one crossing of the plait
BRAID_TAPER = 0.3


def braid(x, top, length):
    """A plait hanging from (x, top): a tapering black rope with white
    crossings cut into it, tied with a bow."""
    half, end = BRAID_WIDTH / 2, top + length
    rope = (f"M {x - half} {top} Q {x} {top - half} {x + half} {top} "
            f"L {x + half * (1 - BRAID_TAPER)} {end} L {x - half * (1 - BRAID_TAPER)} {end} Z")
    out = path(rope, fill=INK, stroke=PAPER, width=2)
    y = top + BRAID_LOBE / 2
    while y < end - BRAID_LOBE / 2:
        w = half * (1 - BRAID_TAPER * (y - top) / length) - 3
        lower = y + BRAID_LOBE / 2
        out += line(f"M {x - w} {y - 6} Q {x - w * 0.3} {y - 4} {x + 1} {y + BRAID_LOBE * 0.45}",
                    PAPER, 2.5)
        out += line(f"M {x + w} {lower - 6} Q {x + w * 0.3} {lower - 4} "
                    f"{x - 1} {y + BRAID_LOBE * 0.95}", PAPER, 2.5)
        y += BRAID_LOBE
    out += path(f"M {x} {end} L {x - 22} {end - 12} L {x - 20} {end + 16} Z "
                f"M {x} {end} L {x + 22} {end - 12} L {x + 20} {end + 16} Z",
                fill=PAPER, stroke=INK, width=CARVE)
    out += circle(x, end, 6, fill=PAPER, stroke=INK, width=CARVE)
    out += line(f"M {x - 4} {end + 6} L {x - 10} {end + 28} "
                f"M {x + 4} {end + 6} L {x + 10} {end + 28}", INK, CARVE)
    return out


# --- the six characters ----------------------------------------------------------

def coder():
    """Krampusz: spiky hair, a bushy beard, square glasses and little horns."""
    f = Face(top=118, chin=376, half_width=88, jaw=70)
    c, hw, top = CENTRE_X, f.half_width, f.top
    # The fringe's points: across from the centre, and down in face heights.
    spikes = ((hw - 8, 0.36), (hw * 0.62, 0.26), (hw * 0.40, 0.31), (hw * 0.12, 0.22),
              (-hw * 0.14, 0.30), (-hw * 0.42, 0.21), (-hw * 0.66, 0.30), (8 - hw, 0.38))
    hair = (f"M {c - hw - 4} {f.y(0.50)} C {c - hw - 12} {top + 4} {c - hw * 0.5} {top - 24} "
            f"{c} {top - 22} C {c + hw * 0.5} {top - 24} {c + hw + 12} {top + 4} "
            f"{c + hw + 4} {f.y(0.50)} "
            + " ".join(f"L {c + dx} {f.y(level)}" for dx, level in spikes) + " Z")
    hair_marks = (f"M {c - hw * 0.7} {top + 6} Q {c - 20} {top - 18} {c + hw * 0.6} {top + 2}",
                  f"M {c - hw * 0.8} {top + 26} Q {c - 30} {top - 2} {c + 20} {top + 4}",
                  f"M {c + 30} {top + 18} Q {c + 60} {top + 10} {c + hw * 0.9} {top + 34}")
    beard = (f"M {c - hw - 2} {f.y(0.50)} C {c - hw - 6} {f.y(0.95)} {c - 50} {f.chin + 48} "
             f"{c} {f.chin + 52} C {c + 50} {f.chin + 48} {c + hw + 6} {f.y(0.95)} "
             f"{c + hw + 2} {f.y(0.50)} "
             f"L {c + hw - 12} {f.y(0.54)} C {c + hw - 16} {f.y(0.70)} {c + 50} {f.y(0.74)} "
             f"{c + 40} {f.mouth_y + 6} Q {c} {f.mouth_y + 40} {c - 40} {f.mouth_y + 6} "
             f"C {c - 50} {f.y(0.74)} {c - hw + 16} {f.y(0.70)} {c - hw + 12} {f.y(0.54)} Z")
    beard_marks = [f"M {c + dx} {f.chin + dy} q {dx * 0.12} 14 {dx * 0.05} 26"
                   for dx, dy in ((-70, -40), (-46, -10), (-20, 6), (6, 8), (32, -2), (58, -26),
                                  (-84, -80), (80, -76))]
    m, n = f.mouth_y, f.nose_y
    moustache = (f"M {c} {n + 12} C {c - 20} {n + 4} {c - 48} {n + 10} {c - 52} {m + 4} "
                 f"C {c - 36} {m - 6} {c - 16} {m - 4} {c} {m - 6} "
                 f"C {c + 16} {m - 4} {c + 36} {m - 6} {c + 52} {m + 4} "
                 f"C {c + 48} {n + 10} {c + 20} {n + 4} {c} {n + 12} Z")
    mouth = line(f"M {c - 24} {f.mouth_y + 6} Q {c} {f.mouth_y + 20} {c + 24} {f.mouth_y + 6}")
    features = eyes(f) + brows(f, lift=4, weight=FEATURE + 4) + nose(f)
    front = (horn(f) + mirror(horn(f)) + carved("hair", hair, hair_marks)
             + carved("beard", beard, beard_marks)
             + path(moustache) + mouth + square_glasses(f))
    return compose(f, clothes="hoodie", features=features, front=front)


def extra_coder():
    """Bitsnow: long straight hair, round glasses and a knitted beanie."""
    f = Face(top=122, chin=368, half_width=78, jaw=56)
    c, hw, top = CENTRE_X, f.half_width, f.top
    ends = f.chin + 84
    back_hair = (f"M {c - hw - 30} {ends} C {c - hw - 40} {f.y(0.7)} {c - hw - 34} {f.y(0.2)} "
                 f"{c} {top - 6} C {c + hw + 34} {f.y(0.2)} {c + hw + 40} {f.y(0.7)} "
                 f"{c + hw + 30} {ends} Q {c + hw} {ends + 12} {c + hw - 20} {ends - 4} "
                 f"L {c - hw + 20} {ends - 4} Q {c - hw} {ends + 12} {c - hw - 30} {ends} Z")
    strands = [f"M {c + side * (hw + d)} {f.y(0.35)} C {c + side * (hw + d + 8)} {f.y(0.7)} "
               f"{c + side * (hw + d - 2)} {f.chin + 30} {c + side * (hw + d + 4)} {f.chin + 76}"
               for side in (-1, 1) for d in (4, 20)]
    lock = (f"M {c - hw - 6} {f.y(0.26)} L {c - hw + 30} {f.y(0.26)} C {c - hw + 14} {f.y(0.5)} "
            f"{c - hw + 12} {f.y(0.8)} {c - hw + 2} {f.chin + 20} L {c - hw - 26} {f.chin + 30} "
            f"C {c - hw - 20} {f.y(0.7)} {c - hw - 20} {f.y(0.45)} {c - hw - 6} {f.y(0.26)} Z")
    fringe = (f"M {c - hw + 4} {f.y(0.26)} L {c + hw - 4} {f.y(0.26)} "
              f"Q {c + hw - 2} {f.y(0.34)} {c + hw - 10} {f.y(0.38)} "
              f"Q {c + 10} {f.y(0.30)} {c - hw + 12} {f.y(0.44)} "
              f"Q {c - hw} {f.y(0.36)} {c - hw + 4} {f.y(0.26)} Z")
    features = eyes(f) + lashes(f) + brows(f, lift=6, weight=FEATURE) + nose(f) + smile(f, width=26)
    front = path(fringe) + path(lock) + mirror(path(lock)) + round_glasses(f) + beanie(f)
    return compose(f, clothes="crew", ears=False, behind=carved("back", back_hair, strands),
                   features=features, front=front)


def photographer():
    """Lenscap: a cloud of curls, a wide grin and a camera round the neck."""
    f = Face(top=124, chin=374, half_width=86, jaw=66)
    c, hw, top = CENTRE_X, f.half_width, f.top
    # Rows of curls arched over the head: half spread, height, count, radius.
    rows = ((hw + 20, top + 10, 9, 30), (hw - 10, top - 14, 7, 28), (hw * 0.5, top - 26, 4, 26))
    crown = []
    for spread, height, count, r in rows:
        for i in range(count):
            t = i / (count - 1)
            arch = 46 * (2 * t - 1) ** 2 * (spread / hw)
            crown.append((c - spread + 2 * spread * t, height + arch, r))
    fringe = [(c + dx, f.y(0.24) + dy, 22)
              for dx, dy in ((-62, 6), (-30, -4), (4, 2), (38, -6), (66, 8))]
    sides = [(c + side * (hw + 6), f.y(0.36) + dy, 22) for side in (-1, 1) for dy in (0, 30)]
    curls = "".join(circle(x, y, r) for x, y, r in crown + fringe + sides)
    curl_marks = "".join(line(f"M {x - r * 0.45} {y + r * 0.1} A {r * 0.45} {r * 0.45} 0 1 1 "
                              f"{x + r * 0.2} {y + r * 0.4}", PAPER, CARVE)
                         for x, y, r in crown[::2] + fringe[::2])
    mass = (f"M {c - hw - 20} {f.y(0.5)} C {c - hw - 30} {top - 40} {c + hw + 30} {top - 40} "
            f"{c + hw + 20} {f.y(0.5)} Z")
    strap = "".join(line(f"M {c + side * 60} {f.chin + 64} "
                         f"L {c + side * 70} {f.chin + CAMERA_DROP}", PAPER, LINE)
                    for side in (-1, 1))
    y = f.mouth_y
    grin = (path(f"M {c - 38} {y - 8} Q {c} {y - 2} {c + 38} {y - 8} "
                 f"Q {c + 30} {y + 30} {c} {y + 30} Q {c - 30} {y + 30} {c - 38} {y - 8} Z",
                 fill=INK, stroke=INK, width=CARVE)
            + path(f"M {c - 30} {y - 4} Q {c} {y + 2} {c + 30} {y - 4} L {c + 27} {y + 6} "
                   f"Q {c} {y + 12} {c - 27} {y + 6} Z", fill=PAPER))
    dimples = "".join(line(f"M {c + side * 46} {y - 14} q {side * 6} 6 {side * 2} 14", INK, CARVE)
                      for side in (-1, 1))
    features = eyes(f, look=3) + brows(f, lift=10, weight=FEATURE + 1) + nose(f) + grin + dimples
    front = curls + curl_marks + strap + camera(c, f.chin + CAMERA_DROP)
    return compose(f, clothes="collar", behind=path(mass), features=features, front=front)


def musician():
    """Jinglefingers: swept hair, closed eyes, a goatee and big headphones,
    with notes floating round him."""
    f = Face(top=128, chin=372, half_width=82, jaw=60)
    c, hw, top = CENTRE_X, f.half_width, f.top
    # A side parting on the left and locks falling over the forehead: each
    # lock's tip as (across in half widths, down in face heights).
    tips = ((0.62, 0.40), (0.18, 0.35), (-0.30, 0.31), (-0.72, 0.36))
    hair = (f"M {c - hw - 2} {f.y(0.50)} C {c - hw - 14} {f.y(0.06)} {c - hw * 0.5} {top - 50} "
            f"{c + 14} {top - 52} C {c + hw * 0.9} {top - 54} {c + hw + 20} {top - 10} "
            f"{c + hw + 4} {f.y(0.50)} L {c + hw - 4} {f.y(0.46)}")
    for tx, ty in tips:
        hair += (f" Q {c + (tx + 0.30) * hw} {f.y(0.18)} {c + (tx + 0.10) * hw} {f.y(0.20)}"
                 f" Q {c + (tx - 0.04) * hw} {f.y(ty - 0.04)} {c + tx * hw} {f.y(ty)}")
    hair += f" Q {c - hw + 6} {f.y(0.40)} {c - hw + 4} {f.y(0.50)} Z"
    hair_marks = [f"M {c + (tx + 0.5) * hw} {top - 30} Q {c + (tx + 0.22) * hw} {f.y(0.06)} "
                  f"{c + (tx + 0.04) * hw} {f.y(ty - 0.09)}" for tx, ty in tips]
    goatee = (f"M {c - 22} {f.mouth_y + 24} Q {c} {f.mouth_y + 16} {c + 22} {f.mouth_y + 24} "
              f"L {c + 12} {f.chin + 8} Q {c} {f.chin + 18} {c - 12} {f.chin + 8} Z")
    notes = "".join(music_note(c + dx, y, size)
                    for dx, y, size in ((-132, 150, 16), (-152, 236, 12), (140, 310, 13)))
    features = (closed_eyes(f) + brows(f, lift=8, weight=FEATURE + 1) + nose(f) + smile(f, width=28)
                + path(goatee))
    front = carved("hair", hair, hair_marks) + headphones(f)
    return compose(f, clothes="collar", behind=notes, features=features, front=front)


def graphics_artist():
    """Pixelpine: a blunt bob with a straight fringe, reindeer antlers and a
    pencil tucked behind the ear."""
    f = Face(top=124, chin=366, half_width=80, jaw=58)
    c, hw, top = CENTRE_X, f.half_width, f.top
    bob = (f"M {c - hw - 34} {f.y(0.98)} C {c - hw - 44} {f.y(0.5)} {c - hw - 30} {top - 24} "
           f"{c} {top - 24} C {c + hw + 30} {top - 24} {c + hw + 44} {f.y(0.5)} "
           f"{c + hw + 34} {f.y(0.98)} "
           f"Q {c + hw + 10} {f.y(1.02)} {c + hw - 6} {f.y(0.92)} L {c - hw + 6} {f.y(0.92)} "
           f"Q {c - hw - 10} {f.y(1.02)} {c - hw - 34} {f.y(0.98)} Z")
    side_marks = [f"M {c + side * (hw + d)} {f.y(0.45)} Q {c + side * (hw + d + 8)} {f.y(0.75)} "
                  f"{c + side * (hw + d + 4)} {f.y(0.95)}" for side in (-1, 1) for d in (8, 24)]
    fringe = (f"M {c - hw - 8} {f.y(0.42)} C {c - hw - 10} {top - 10} {c + hw + 10} {top - 10} "
              f"{c + hw + 8} {f.y(0.42)} L {c + hw - 10} {f.y(0.36)} L {c - hw + 10} {f.y(0.36)} Z")
    fringe_marks = [f"M {c + dx} {f.y(0.36) - 4} L {c + dx * 0.7} {top + 4}"
                    for dx in (-60, -30, 0, 30, 60)]
    # The hair on the right is tucked behind the ear, which holds the pencil.
    tucked = (f"M {c + hw - 4} {f.y(0.40)} C {c + hw + 30} {f.y(0.42)} {c + hw + 34} {f.y(0.7)} "
              f"{c + hw + 20} {f.y(0.98)} L {c + hw + 44} {f.y(0.98)} C {c + hw + 56} {f.y(0.6)} "
              f"{c + hw + 40} {f.y(0.36)} {c + hw - 4} {f.y(0.36)} Z")
    headband = (f"M {c - hw - 14} {f.y(0.40)} C {c - hw - 20} {top - 40} {c + hw + 20} {top - 40} "
                f"{c + hw + 14} {f.y(0.40)}")
    earring = circle(c + hw + 4, f.ear_y + 34, 7, fill="none", stroke=INK, width=CARVE + 1)
    antlers = antler(c - 50, top - 6) + mirror(antler(c - 50, top - 6))
    features = (eyes(f, look=-2) + brows(f, lift=2, weight=FEATURE) + nose(f)
                + smile(f, width=22, teeth=False) + freckles(f, ((-6, 0), (5, -4), (4, 7))))
    front = (carved("fringe", fringe, fringe_marks) + band(headband, INK, 8, PAPER, CARVE)
             + path(tucked) + pencil(c + hw + 96, f.ear_y - 70, 130, 150)
             + mirror(ear(f)) + earring)
    return compose(f, clothes="turtleneck", ears=False,
                   behind=antlers + carved("bob", bob, side_marks), features=features, front=front)


def santa_artist():
    """Marzipan: two plaits, freckles, lashes and a Santa hat."""
    f = Face(top=130, chin=370, half_width=80, jaw=58)
    c, hw, top = CENTRE_X, f.half_width, f.top
    hair = (f"M {c - hw - 10} {f.y(0.62)} C {c - hw - 16} {top - 10} {c + hw + 16} {top - 10} "
            f"{c + hw + 10} {f.y(0.62)} L {c + hw - 4} {f.y(0.5)} "
            f"C {c + hw - 10} {f.y(0.3)} {c + 40} {f.y(0.22)} {c + 4} {f.y(0.28)} "
            f"C {c - 40} {f.y(0.22)} {c - hw + 10} {f.y(0.3)} {c - hw + 4} {f.y(0.5)} Z")
    parting = [f"M {c + 4} {f.y(0.28)} C {c + side * 32} {f.y(0.2)} "
               f"{c + side * (hw - 2)} {f.y(0.28)} {c + side * (hw + 4)} {f.y(0.5)}"
               for side in (-1, 1)]
    features = (eyes(f) + lashes(f, CARVE + 1) + brows(f, lift=8, weight=FEATURE) + nose(f)
                + smile(f, width=30) + freckles(f, ((-8, 0), (4, -5), (8, 6), (-3, 9))))
    plaits = braid(c - hw - 6, f.y(0.6), 170) + braid(c + hw + 6, f.y(0.6), 170)
    front = carved("hair", hair, parting) + plaits + santa_hat(f)
    return compose(f, clothes="crew", ears=False, features=features, front=front)
