"""Vector drawing for the show's illustrated pictures: shapes written as
SVG and rasterised by rsvg-convert at the picture's exact size."""

import io
import math
import subprocess
import sys

from PIL import Image

# Ink shared by every drawn picture: outlines, fur and candy canes.
OUTLINE = "#2b1a14"
LINE_WIDTH = 7
FUR = "#fbf8f0"
FUR_SHADE = "#d8d2c6"
HAT_RED = "#d8262c"

# A fur edge is a row of overlapping puffs; each puff's light top sits this
# far up-left of its centre, as a share of its radius, and is this big.
PUFF_LIGHT_SHIFT = 0.22
PUFF_LIGHT_SIZE = 0.78
PUFF_JITTER = 0.18          # radius varies by up to this share
PUFF_SPACING = 0.9          # distance between puffs, in radii
CANE_STRIPE = 0.75          # stripe length, in cane widths


class Svg:
    """A picture being written as SVG: shapes with outlines, clipped flat
    shading and fur edges, in painting order."""

    def __init__(self, width, height, view=None):
        self.width, self.height = width, height
        self.view = view or (width, height)
        self.parts = []
        self.defs = []
        self.serial = 0

    def raw(self, text):
        self.parts.append(text)

    def group(self, transform):
        self.parts.append(f'<g transform="{transform}">')

    def clip(self, d, evenodd=False):
        """Open a group that paints only inside d; end() closes it."""
        self.serial += 1
        rule = ' clip-rule="evenodd"' if evenodd else ""
        self.defs.append(f'<clipPath id="clip{self.serial}"><path d="{d}"{rule}/></clipPath>')
        self.parts.append(f'<g clip-path="url(#clip{self.serial})">')

    def end(self):
        self.parts.append("</g>")

    def ellipse(self, cx, cy, rx, ry, fill):
        self.parts.append(f'<ellipse cx="{cx:.1f}" cy="{cy:.1f}" rx="{rx:.1f}" '
                          f'ry="{ry:.1f}" fill="{fill}"/>')

    def shape(self, d, fill, shades=(), line=LINE_WIDTH, stroke=OUTLINE, edge=None):
        """A closed outlined shape whose shading (path, colour) pairs are
        clipped to it, so shade shapes can be drawn loosely. An edge path,
        if given, is inked instead of the whole outline, for shapes that
        merge into a neighbour of the same colour."""
        self.parts.append(f'<path d="{d}" fill="{fill}"/>')
        if shades:
            self.clip(d)
            self.parts += [f'<path d="{sd}" fill="{sc}"/>' for sd, sc in shades]
            self.end()
        if line:
            self.line(edge or d, line, stroke)

    def line(self, d, width=LINE_WIDTH, colour=OUTLINE):
        self.parts.append(f'<path d="{d}" fill="none" stroke="{colour}" '
                          f'stroke-width="{width}" stroke-linecap="round" '
                          'stroke-linejoin="round"/>')

    def limb(self, d, width, colour, line=LINE_WIDTH):
        """A limb as one thick round-ended stroke over a wider dark one."""
        self.line(d, width + 2 * line)
        self.line(d, width, colour)

    def cane(self, d, width, line=LINE_WIDTH):
        """A red and white striped candy cane along d."""
        self.limb(d, width, FUR, line)
        stripe = width * CANE_STRIPE
        self.parts.append(f'<path d="{d}" fill="none" stroke="{HAT_RED}" '
                          f'stroke-width="{width}" stroke-dasharray="{stripe} {stripe}"/>')

    def fluff(self, points, radius, generator, light=FUR, shade=FUR_SHADE,
              line=LINE_WIDTH):
        """Fur along a polyline: puffs outlined all together, so only the
        outer edge of the row carries a line."""
        puffs = []
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(1, round(math.hypot(x1 - x0, y1 - y0) / (radius * PUFF_SPACING)))
            for i in range(steps):
                f = i / steps
                jitter = 1 + PUFF_JITTER * (2 * generator.random() - 1)
                puffs.append((x0 + (x1 - x0) * f, y0 + (y1 - y0) * f, radius * jitter))
        puffs.append((*points[-1], radius))
        self.parts.append(self._puffs(puffs, OUTLINE, line / 2))
        self.parts.append(self._puffs(puffs, shade))
        shift = PUFF_LIGHT_SHIFT
        self.parts.append(self._puffs([(x - r * shift, y - r * shift, r * PUFF_LIGHT_SIZE)
                                       for x, y, r in puffs], light))

    @staticmethod
    def _puffs(puffs, colour, grow=0.0):
        circles = "".join(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="{r + grow:.1f}"/>'
                          for x, y, r in puffs)
        return f'<g fill="{colour}">{circles}</g>'

    def text(self):
        # The view may have another shape than the picture: it is stretched,
        # not fitted, so a stage can be squeezed the way the show unsqueezes it.
        sx, sy = self.width / self.view[0], self.height / self.view[1]
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" '
                f'height="{self.height}"><defs>{"".join(self.defs)}</defs>'
                f'<g transform="scale({sx} {sy})">{"".join(self.parts)}</g></svg>')

    def render(self):
        """Rasterise at the picture's exact size."""
        try:
            done = subprocess.run(["rsvg-convert", "--format", "png"],
                                  input=self.text().encode(), capture_output=True,
                                  check=False)
        except FileNotFoundError:
            sys.exit("rsvg-convert is missing: run scripts/install-media-tools")
        if done.returncode != 0:
            sys.exit(f"rsvg-convert failed: {done.stderr.decode(errors='replace')}")
        image = Image.open(io.BytesIO(done.stdout)).convert("RGBA")
        if image.size != (self.width, self.height):
            sys.exit(f"rsvg-convert made {image.size}, not {self.width} x {self.height}")
        return image


def circle_path(cx, cy, r):
    """A circle as a path, for clipping and outlining like any shape."""
    return (f"M {cx - r} {cy} A {r} {r} 0 1 0 {cx + r} {cy} "
            f"A {r} {r} 0 1 0 {cx - r} {cy} Z")


def bar(start, end, start_width, end_width, shift=0.0):
    """A four-sided band from start to end, tapering between the widths,
    moved sideways by shift."""
    (x0, y0), (x1, y1) = start, end
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length, (x1 - x0) / length
    x0, y0, x1, y1 = x0 + nx * shift, y0 + ny * shift, x1 + nx * shift, y1 + ny * shift
    a, b = start_width / 2, end_width / 2
    return (f"M {x0 + nx * a:.1f} {y0 + ny * a:.1f} L {x1 + nx * b:.1f} {y1 + ny * b:.1f} "
            f"L {x1 - nx * b:.1f} {y1 - ny * b:.1f} L {x0 - nx * a:.1f} {y0 - ny * a:.1f} Z")


def star_path(cx, cy, radius, points=5, inner=0.45):
    """A star with its first point straight up."""
    corners = []
    for i in range(points * 2):
        r = radius if i % 2 == 0 else radius * inner
        a = math.pi * i / points - math.pi / 2
        corners.append(f"{cx + r * math.cos(a):.1f} {cy + r * math.sin(a):.1f}")
    return "M " + " L ".join(corners) + " Z"
