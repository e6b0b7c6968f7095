"""The show's drawn illustrations: the singer in two mouth frames, the
running Santa, the heart and the group's emblem (alone and with the slogan).

Each picture is written as SVG here and rasterised by rsvg-convert at its
exact size; lettering is set afterwards with Pillow, which lets every glyph
be turned along an arc."""

import functools
import math
import sys

import numpy as np
from PIL import Image, ImageDraw

from . import common, names
from .svg import FUR, HAT_RED, LINE_WIDTH, Svg, bar, circle_path, star_path

# Ink of the illustrated characters.
HAT_SHADE = "#a0141f"
SKIN = "#f7c9a6"
SKIN_SHADE = "#e3a07e"
GOLD = "#f2c14e"
GOLD_SHADE = "#c98d22"

# ---------------------------------------------------------------- the singer
# Drawn on a 1024 x 768 stage and stretched onto the square picture, because
# the show squeezes the square back onto the 4:3 screen.
SINGER_SIZE = (1024, 1024)
SINGER_STAGE = (1024, 768)
SINGER_SEED = 2
SINGER_FRAMING = "translate(-100 -72) scale(1.2)"  # head and shoulders, bottom cut
HEAD_TILT = "rotate(-8 600 330)"     # chin up, as when holding a long note
FINE_LINE = LINE_WIDTH * 0.6
EYEBROW_WIDTH = LINE_WIDTH * 1.2
HAIR = "#8c3a1c"
HAIR_SHADE = "#5f2212"
HAIR_LIGHT = "#b95e2c"
TOP = "#1d7446"
TOP_SHADE = "#11542f"
LIPS = "#d2455a"
MOUTH_INSIDE = "#5c1420"
TONGUE = "#d9606a"
BLUSH = "#f29a8c"
MIC_BODY = "#34343e"
MIC_LIGHT = "#6e6e7c"
MIC_GRILLE = "#c3c6d0"
MIC_GRILLE_SHADE = "#8d91a0"

# Everything but the lips is common to both frames: the face outline is
# written once with the mouth's stretch of it spliced in, and the jaw stays
# put so the frames differ only around the lips.
FACE_UPPER = ("M 610 170 C 665 172 703 200 710 245 C 714 262 712 276 704 288 "
              "C 712 305 734 332 752 350 C 760 358 754 368 740 367 "
              "C 732 366 726 369 724 374 C 722 380 726 384 729 386 ")
FACE_LOWER = ("C 726 476 712 484 694 484 "
              "C 676 486 662 487 656 490 C 660 530 666 570 680 620 "
              "L 520 620 C 530 560 520 500 500 440 C 470 380 470 250 520 200 "
              "C 545 180 580 170 610 170 Z")
UPPER_LIP = "M 729 386 C 739 388 739 398 729 400 L 710 403 C 716 396 722 390 729 386 Z"
MOUTH = {
    "closed": {
        "outline": "C 739 388 739 398 731 400 C 737 403 736 414 725 416 "
                   "C 717 418 713 420 713 426 C 716 440 730 446 728 462 ",
        "lower lip": "M 731 400 C 737 403 736 414 725 416 C 718 412 714 407 710 403 Z",
        "parting": "M 731 400 Q 720 402 710 403",
    },
    "open": {
        "outline": "C 739 388 739 398 731 400 Q 718 402 706 410 Q 716 418 729 422 "
                   "C 738 425 738 434 726 436 C 718 438 715 440 715 444 "
                   "C 718 452 730 448 728 462 ",
        "lower lip": "M 729 422 C 738 425 738 434 726 436 C 718 434 713 428 712 420 Z",
        "parting": "M 731 400 Q 718 402 706 410 Q 716 418 729 422",
        "inside": "M 736 398 L 731 400 Q 718 402 706 410 Q 716 418 729 422 "
                  "L 735 426 Q 728 412 736 398 Z",
        "teeth": "M 731 399 L 714 402 L 716 407 L 730 405 Z",
        "tongue": "M 708 410 Q 718 412 730 419 L 729 423 Q 716 418 708 410 Z",
    },
}
# The show swaps the two frames on every sung syllable, so they may differ
# only inside a box this big round the lips; both are cut from one drawing.
MOUTH_BOX = (58, 110)
MOUTH_NOISE = 8     # colour steps the rasteriser may wobble by away from the lips
NECK_SHADE = "M 600 470 C 630 490 660 500 700 490 L 700 640 L 500 640 Z"
JAW_LINE = "M 596 440 C 615 465 635 480 656 488"
NOSTRIL = "M 733 356 C 738 362 734 368 728 366"
EYE_LID = "M 646 290 Q 666 304 688 291"
EYE_LASHES = ("M 650 294 L 643 302", "M 658 299 L 654 308", "M 668 301 L 667 310")
EYEBROW = "M 636 262 Q 664 246 698 258"
BLUSH_SPOT = (666, 352, 26, 14)
EAR = ("M 552 300 C 580 284 602 310 596 340 C 592 362 574 372 558 364 "
       "C 548 358 546 345 548 335 Z")
EAR_SHADE = "M 580 300 L 610 300 L 610 380 L 560 380 Z"
EAR_CURL = "M 566 310 C 584 312 588 336 575 348"
EARRING_HOOK = "M 565 368 L 565 390"
EARRING_HOOK_WIDTH = LINE_WIDTH * 0.5
EARRING_STAR = (565, 403, 16)    # centre and radius

# The long hair falls in three locks, back to front, each ending in a curl.
HAIR_LOCKS = (
    ("M 530 218 C 455 225 412 280 406 350 C 400 420 420 470 396 530 "
     "C 376 580 380 632 422 666 C 410 632 424 604 446 592 "
     "C 470 540 470 480 480 420 C 490 360 500 300 545 262 Z",
     "M 545 262 C 500 300 490 360 480 420 C 470 480 470 540 446 592 "
     "L 470 600 C 490 540 490 480 500 420 C 510 360 520 310 560 270 Z",
     "M 440 280 C 426 330 432 390 420 440 C 410 480 398 520 396 560 "
     "C 408 520 424 485 434 445 C 446 395 440 335 456 284 Z"),
    ("M 545 252 C 484 300 470 380 474 440 C 478 500 466 560 462 612 "
     "C 464 652 480 682 518 692 C 505 660 514 632 536 612 "
     "C 556 580 562 530 556 470 C 552 420 560 360 580 300 Z",
     "M 580 300 C 560 360 552 420 556 470 C 562 530 556 580 536 612 "
     "L 520 600 C 540 570 542 520 536 470 C 530 410 540 350 562 296 Z",
     "M 520 320 C 510 370 512 420 516 460 C 520 500 508 540 496 580 "
     "C 512 545 528 505 528 460 C 528 420 524 370 534 322 Z"),
)
HAIR_STRANDS = ("M 470 300 C 458 370 476 430 452 500 C 440 540 440 580 452 620",
                "M 522 400 C 528 460 520 520 498 580")
SIDE_HAIR = ("M 470 255 L 708 208 C 706 236 684 248 660 254 "
             "C 634 262 612 276 598 296 C 590 306 580 300 568 294 "
             "C 552 296 545 320 548 350 L 520 360 L 490 300 Z")
SIDE_HAIR_EDGE = ("M 708 208 C 706 236 684 248 660 254 C 634 262 612 276 598 296 "
                  "C 590 306 580 300 568 294 C 552 296 545 320 548 350")
SIDE_HAIR_STRANDS = ("M 560 262 C 590 258 620 250 650 240",
                     "M 520 280 C 550 278 575 272 600 262")

HAT = ("M 712 215 C 715 150 680 95 620 88 C 540 80 440 110 390 170 "
       "C 355 210 340 260 345 300 C 365 280 400 240 440 228 "
       "C 455 238 462 252 464 268 Z")
HAT_SHADES = ("M 345 300 C 365 280 400 240 440 228 C 455 238 462 252 464 268 "
              "L 520 262 C 500 220 470 195 430 190 C 390 200 360 250 345 300 Z",
              "M 712 215 C 700 180 680 160 650 150 C 680 140 700 130 690 100 "
              "L 740 120 L 740 215 Z")
HAT_FOLD = "M 430 190 C 470 175 520 170 560 180"
BRIM = ((458, 270), (520, 256), (590, 241), (655, 228), (718, 214))
BRIM_PUFF = 25
POMPOM = ((336, 300), (352, 322), (330, 334), (350, 302))
POMPOM_PUFF = 26

TORSO = ("M 520 560 C 470 590 400 600 360 640 C 320 680 300 730 295 768 "
         "L 860 768 C 858 720 825 660 775 630 C 740 606 700 596 680 590 Z")
TORSO_SHADES = ("M 295 768 C 300 700 330 660 380 632 L 440 650 "
                "C 410 690 400 730 405 768 Z",
                "M 560 600 C 620 640 690 650 770 626 L 780 600 L 560 590 Z")
COLLAR = ((512, 592), (560, 614), (615, 624), (668, 614), (702, 596))
COLLAR_PUFF = 24
ARM = ("M 470 660 C 500 618 565 615 600 655 L 690 768 L 500 768 "
       "C 480 730 465 695 470 660 Z")
ARM_SHADE = "M 500 768 C 480 730 468 695 474 660 L 500 665 C 500 700 515 735 540 768 Z"
FOREARM = ("M 690 768 C 720 720 760 670 792 620 L 846 640 "
           "C 820 690 800 730 790 768 Z")
FOREARM_SHADE = "M 690 768 C 720 720 760 670 792 620 L 806 628 C 775 680 745 725 730 768 Z"
CUFF = ((788, 616), (816, 630), (848, 640))
CUFF_PUFF = 20

# The microphone lies along a line from its grille down through the fist.
MIC_HEAD = (800, 446, 42)           # centre and radius
MIC_BUTT = (834, 660)
MIC_NECK_WIDTH = 36
MIC_BUTT_WIDTH = 26
MIC_RING_LENGTH = (0.95, 1.35)      # along the axis, in grille radii
MIC_RING_WIDTH = (1.25, 1.15)       # in neck widths, top and bottom
MIC_RING_SHADE_FROM = 1.2           # along the axis, in grille radii
MIC_SHINE = (0.25, -0.2)            # stripe width and its sideways shift, in neck widths
MIC_GRILLE_SHADE_FROM = 0.2         # below the grille's middle, in radii
MIC_MESH_STEP = 14
MIC_MESH_WIDTH = 2.5
FIST = (824, 590)                   # where the fist closes round the handle
# The hand is drawn across the handle: x forward, y down the handle.
HAND_BACK = ("M -34 -34 C -30 -48 -8 -50 6 -44 L 8 36 C 0 50 -24 60 -40 54 "
             "C -44 20 -40 -10 -34 -34 Z")
HAND_BACK_SHADE = "M -40 20 C -20 26 0 24 10 18 L 10 60 L -40 60 Z"
FINGERS = ((-6, -36, 34), (-6, -18, 36), (-6, 0, 35), (-6, 18, 30))  # x, y, reach
FINGER_HEIGHT = 18
FINGER_SHADE_FROM = 0.3             # below a finger's middle, in half heights
THUMB = "M -22 -40 C -4 -56 30 -58 44 -48 C 48 -40 40 -34 30 -34 C 16 -36 0 -34 -14 -28 Z"


def _singer_svg(mouth):
    """The whole singer with the given mouth frame ("open" or "closed")."""
    generator = common.rng(SINGER_SEED)
    svg = Svg(*SINGER_SIZE, view=SINGER_STAGE)
    variant = MOUTH[mouth]
    svg.group(SINGER_FRAMING)

    svg.shape(TORSO, TOP, [(d, TOP_SHADE) for d in TORSO_SHADES])
    svg.group(HEAD_TILT)
    svg.shape(FACE_UPPER + variant["outline"] + FACE_LOWER, SKIN,
              [(NECK_SHADE, SKIN_SHADE), (UPPER_LIP, LIPS), (variant["lower lip"], LIPS)])
    svg.line(JAW_LINE, FINE_LINE)
    svg.end()
    svg.fluff(COLLAR, COLLAR_PUFF, generator)
    svg.group(HEAD_TILT)
    if "inside" in variant:
        svg.shape(variant["inside"], MOUTH_INSIDE, line=0)
        svg.shape(variant["teeth"], FUR, line=0)
        svg.shape(variant["tongue"], TONGUE, line=0)
    svg.line(variant["parting"], FINE_LINE)
    svg.line(NOSTRIL, FINE_LINE)
    svg.ellipse(*BLUSH_SPOT, BLUSH)
    svg.line(EYE_LID)
    for d in EYE_LASHES:
        svg.line(d, FINE_LINE)
    svg.line(EYEBROW, EYEBROW_WIDTH, HAIR_SHADE)
    for lock, shade, light in HAIR_LOCKS:
        svg.shape(lock, HAIR, [(shade, HAIR_SHADE), (light, HAIR_LIGHT)])
    for d in HAIR_STRANDS:
        svg.line(d, FINE_LINE, HAIR_SHADE)
    svg.shape(SIDE_HAIR, HAIR, edge=SIDE_HAIR_EDGE)
    for d in SIDE_HAIR_STRANDS:
        svg.line(d, FINE_LINE, HAIR_LIGHT)
    svg.shape(EAR, SKIN, [(EAR_SHADE, SKIN_SHADE)])
    svg.line(EAR_CURL, FINE_LINE)
    svg.line(EARRING_HOOK, EARRING_HOOK_WIDTH)
    svg.shape(star_path(*EARRING_STAR), GOLD, line=FINE_LINE)
    svg.shape(HAT, HAT_RED, [(d, HAT_SHADE) for d in HAT_SHADES])
    svg.line(HAT_FOLD, FINE_LINE, HAT_SHADE)
    svg.fluff(POMPOM, POMPOM_PUFF, generator)
    svg.fluff(BRIM, BRIM_PUFF, generator)
    svg.end()

    svg.shape(ARM, TOP, [(ARM_SHADE, TOP_SHADE)])
    svg.shape(FOREARM, TOP, [(FOREARM_SHADE, TOP_SHADE)])
    _microphone(svg)
    svg.fluff(CUFF, CUFF_PUFF, generator)
    _fist(svg)
    svg.end()
    return svg


@functools.lru_cache(maxsize=None)
def _singer_frames():
    """(open, closed): the open-mouthed drawing, and the same drawing with
    only the box round the lips taken from the closed-mouth one."""
    opened = _singer_svg("open").render()
    closed = _singer_svg("closed").render()
    changed = np.abs(np.asarray(opened, dtype=np.int16)
                     - np.asarray(closed, dtype=np.int16)).max(axis=2) > MOUTH_NOISE
    rows, columns = np.nonzero(changed)
    left, right = columns.min(), columns.max() + 1
    top, bottom = rows.min(), rows.max() + 1
    box_w, box_h = MOUTH_BOX
    if right - left > box_w or bottom - top > box_h:
        sys.exit(f"singer: the mouth frames differ over {right - left} x {bottom - top} px, "
                 f"more than the {box_w} x {box_h} the lip sync allows")
    x = (left + right - box_w) // 2
    y = (top + bottom - box_h) // 2
    box = (x, y, x + box_w, y + box_h)
    mouth_closed = opened.copy()
    mouth_closed.paste(closed.crop(box), box[:2])
    return opened, mouth_closed


def singer_mouth_open():
    """The singer mid-note."""
    return _singer_frames()[0].copy()


def singer_mouth_closed():
    """The singer between syllables."""
    return _singer_frames()[1].copy()


def _fist(svg):
    """Fingers curled round the microphone handle, thumb over the top."""
    hx, hy = MIC_HEAD[:2]
    bx, by = MIC_BUTT
    turn = math.degrees(math.atan2(bx - hx, by - hy))
    svg.group(f"translate({FIST[0]} {FIST[1]}) rotate({-turn:.2f})")
    svg.shape(HAND_BACK, SKIN, [(HAND_BACK_SHADE, SKIN_SHADE)])
    half = FINGER_HEIGHT / 2
    for x, y, reach in reversed(FINGERS):
        svg.shape(f"M {x} {y - half} L {x + reach - half} {y - half} "
                  f"A {half} {half} 0 0 1 {x + reach - half} {y + half} L {x} {y + half} Z",
                  SKIN, [(f"M {x} {y + half * FINGER_SHADE_FROM} "
                          f"L {x + reach} {y + half * FINGER_SHADE_FROM} "
                          f"L {x + reach} {y + half} L {x} {y + half} Z", SKIN_SHADE)],
                  line=FINE_LINE)
    svg.shape(THUMB, SKIN, line=FINE_LINE)
    svg.end()


def _microphone(svg):
    """Handle, gold ring and a ball grille with a criss-cross mesh."""
    cx, cy, r = MIC_HEAD
    bx, by = MIC_BUTT
    length = math.hypot(bx - cx, by - cy)
    ux, uy = (bx - cx) / length, (by - cy) / length

    def along(t):
        return cx + ux * t, cy + uy * t

    shine_width, shine_shift = MIC_SHINE
    shine = bar(along(r), (bx, by), MIC_NECK_WIDTH * shine_width,
                 MIC_BUTT_WIDTH * shine_width, shift=MIC_NECK_WIDTH * shine_shift)
    svg.shape(bar(along(r * MIC_RING_LENGTH[0]), (bx, by), MIC_NECK_WIDTH, MIC_BUTT_WIDTH),
              MIC_BODY, [(shine, MIC_LIGHT)])

    ball = circle_path(cx, cy, r)
    low = cy + r * MIC_GRILLE_SHADE_FROM
    shade = (f"M {cx - r} {low} A {r} {r} 0 0 0 {cx + r} {low} "
             f"L {cx + r} {cy + r} L {cx - r} {cy + r} Z")
    svg.shape(ball, MIC_GRILLE, [(shade, MIC_GRILLE_SHADE)], line=0)
    mesh = "".join(f"M {cx - 3 * r + k} {cy - r} l {2 * r} {2 * r} "
                   f"M {cx + 3 * r - k} {cy - r} l {-2 * r} {2 * r} "
                   for k in range(0, 4 * r + 1, MIC_MESH_STEP))
    svg.clip(ball)
    svg.line(mesh, MIC_MESH_WIDTH, MIC_BODY)
    svg.end()
    svg.line(ball)

    start, end = (along(r * t) for t in MIC_RING_LENGTH)
    top_width, bottom_width = (MIC_NECK_WIDTH * w for w in MIC_RING_WIDTH)
    # Wider than the ring, which clips it.
    ring_shade = bar(along(r * MIC_RING_SHADE_FROM), end, top_width * 2, top_width * 2)
    svg.shape(bar(start, end, top_width, bottom_width), GOLD, [(ring_shade, GOLD_SHADE)],
              line=FINE_LINE)


# ---------------------------------------------------------------- the Santa
# A felt-pen drawing on white paper: bold lines that still read at a quarter
# of the size, made a little unsteady by a displacement filter.
SANTA_SIZE = (528, 732)
SANTA_SEED = 11
PAPER = "#ffffff"
PEN_INK = "#231a1a"
PEN_WIDTH = 8
PEN_FINE = PEN_WIDTH / 2
PEN = {"line": PEN_WIDTH, "stroke": PEN_INK}    # for Svg.shape
WOBBLE_FREQUENCY = 0.018
WOBBLE_AMOUNT = 6
WOBBLE_SEED = 5
WOBBLE_OCTAVES = 2
SUIT = "#dc2a2a"
SUIT_SHADE = "#a8161d"
BEARD_SHADE = "#d9dde4"
CHEEK = "#f3877c"
NOSE = "#ec6c64"
BOOT = "#2e2624"
BOOT_LIGHT = "#5a4c48"
MITTEN = "#2f9a48"
SACK = "#b07a42"
SACK_SHADE = "#825529"
SACK_PATCH = "#d9a561"
SHADOW = "#e4e7ef"
GIFTS = (  # box, ribbon, box path, ribbon paths
    ("#2f6fd6", "#ffffff", "M 70 150 L 150 120 L 172 186 L 92 214 Z",
     ("M 110 135 L 132 200", "M 81 182 L 161 153")),
    ("#2f9a48", "#f2c14e", "M 150 112 L 232 108 L 236 190 L 154 194 Z",
     ("M 191 110 L 195 192", "M 152 153 L 234 149")),
)
RIBBON_WIDTH = PEN_WIDTH * 1.4
GIFT_BOW_AT = (195, 110)
GIFT_BOW = "M 0 0 C -16 -22 -32 -6 0 0 Z M 0 0 C 16 -22 32 -6 0 0 Z"
CANE = "M 240 200 L 258 92 C 262 62 300 62 298 92"
CANE_WIDTH = 16
SACK_BODY = ("M 60 190 C 20 250 20 380 60 440 C 100 490 200 490 250 450 "
             "C 285 420 290 300 268 200 C 200 180 120 180 60 190 Z")
SACK_SHADES = ("M 60 440 C 100 490 200 490 250 450 C 270 430 280 400 282 370 "
               "C 240 420 150 440 60 420 Z",)
SACK_RIM = ((56, 196), (110, 184), (165, 182), (220, 186), (272, 200))
SACK_RIM_PUFF = 16
PATCH = "M 110 300 L 170 290 L 176 345 L 116 352 Z"
PATCH_STITCHES = ("M 118 306 L 124 300", "M 164 296 L 170 302", "M 122 346 L 128 340")

SANTA_SHADOW = (300, 708, 170, 14)
BACK_LEG = "M 290 520 C 260 560 235 585 215 605 C 190 590 165 575 140 560"
FRONT_LEG = "M 370 520 C 400 550 430 570 450 590 C 452 620 455 640 458 660"
LEG_WIDTH = 62
BACK_BOOT = ("M 150 520 C 120 510 90 520 84 545 C 80 570 100 600 125 612 "
             "C 140 618 160 612 170 595 C 176 570 170 540 150 520 Z")
FRONT_BOOT = ("M 425 650 C 420 690 430 712 470 712 L 515 712 C 525 712 526 696 515 688 "
              "C 500 676 492 668 490 650 Z")
BACK_CUFF = ((172, 532), (158, 560), (150, 590))
FRONT_CUFF = ((418, 650), (455, 652), (494, 648))
FRONT_SOLE = "M 430 690 L 520 690 L 520 720 L 430 720 Z"
CUFF_PUFF_SANTA = 17

COAT = ("M 292 300 C 238 330 214 420 228 488 C 238 540 296 566 350 566 "
        "C 414 566 458 530 462 468 C 466 400 446 340 404 302 Z")
COAT_SHADES = ("M 228 488 C 238 540 296 566 350 566 C 300 540 270 480 272 400 "
               "C 272 360 280 330 292 300 L 200 300 L 200 500 Z",)
BELT = "M 200 452 C 300 470 400 462 480 432 L 480 478 C 400 508 300 514 200 496 Z"
BUCKLE = "M 386 452 L 428 442 L 434 484 L 392 494 Z"
BUCKLE_HOLE = "M 398 460 L 420 455 L 423 477 L 401 482 Z"
HEM = ((228, 500), (262, 548), (310, 566), (362, 568), (414, 552), (458, 510))
PLACKET = (((402, 372), (408, 448)), ((412, 500), (416, 552)))  # above and below the belt
FUR_PUFF_SANTA = 18
PLACKET_PUFF = 14

BACK_ARM = "M 292 330 C 262 320 240 280 246 200"
FRONT_ARM = "M 404 326 C 426 360 446 392 458 414 C 474 404 486 392 496 378"
ARM_WIDTH = 50
BACK_MITTEN = ("M 226 170 C 226 150 256 144 268 160 C 280 176 276 204 256 210 "
               "C 238 214 226 196 226 170 Z")
FRONT_MITTEN = ("M 482 352 C 482 334 502 326 516 336 C 528 346 524 372 510 380 "
                "C 494 388 482 372 482 352 Z")
FRONT_THUMB = "M 486 352 C 476 346 474 334 482 330 C 490 326 496 334 496 342 Z"
BACK_ARM_CUFF = ((232, 220), (262, 222))
FRONT_ARM_CUFF = ((478, 384), (500, 400))

HAT_BODY = ("M 296 208 C 290 158 270 128 232 110 C 300 100 350 104 380 124 "
            "C 410 140 420 168 418 196 Z")
HAT_SHADE_SANTA = ("M 296 208 C 290 158 270 128 232 110 L 220 100 L 260 100 "
                   "C 300 140 315 170 320 206 Z")
HAT_POMPOM = ((222, 118), (226, 108))
HAT_POMPOM_PUFF = 18
HAT_BAND = ((286, 214), (320, 204), (356, 198), (392, 194), (424, 194))
HAT_BAND_PUFF = 18
FACE_SANTA = ("M 290 240 C 290 196 330 186 364 188 C 404 190 430 210 430 246 "
              "C 430 290 400 310 360 310 C 320 310 290 290 290 240 Z")
EAR_SANTA = "M 300 236 C 282 232 276 256 290 266 C 298 272 306 264 306 256 Z"
BEARD = ("M 296 250 C 286 300 300 360 330 392 C 344 408 356 404 362 394 "
         "C 372 410 392 404 400 386 C 418 356 430 310 428 256 "
         "C 410 290 380 300 360 300 C 340 300 310 290 296 250 Z")
BEARD_SHADES = ("M 296 250 C 286 300 300 360 330 392 C 338 400 346 404 352 402 "
                "C 330 370 316 330 318 280 Z",)
BEARD_CURLS = ("M 340 330 C 346 346 344 360 336 370", "M 384 330 C 380 348 384 360 392 368")
MOUSTACHE = ("M 378 272 C 364 262 336 262 322 280 C 334 290 358 292 378 284 "
             "C 398 292 420 290 430 276 C 420 262 394 262 378 272 Z")
MOUTH_SANTA = "M 362 296 C 368 310 384 310 392 296 Z"
NOSE_SANTA = (380, 258, 15)
EYES_SANTA = ("M 344 232 Q 354 220 364 232", "M 394 230 Q 403 219 412 230")
EYE_WIDTH_SANTA = PEN_WIDTH * 0.7
BROWS_SANTA = ("M 338 216 C 348 204 366 204 372 214", "M 392 212 C 398 202 414 202 420 212")
BROW_WIDTH_SANTA = PEN_WIDTH * 1.2
CHEEKS_SANTA = ((340, 256, 14, 9), (418, 252, 10, 8))
SANTA_GLINTS = ((376, 252, 4),)

SIGNATURE_FONT = ("kaushan-script", 36)
SIGNATURE_INK = (52, 60, 96, 255)
SIGNATURE_AT = (14, 640)        # top left of the tilted signature
SIGNATURE_TILT = 6              # degrees, uphill to the right
SIGNATURE_UNDERLINE = 3         # pen width
SIGNATURE_UNDERLINE_RISE = 6    # the flourish climbs this much to the right
SIGNATURE_PAD = 12              # room round the letters before turning them


def santa_drawing():
    """Santa running to the right with his sack, signed by the artist."""
    generator = common.rng(SANTA_SEED)
    svg = Svg(*SANTA_SIZE)
    svg.raw(f'<rect width="{SANTA_SIZE[0]}" height="{SANTA_SIZE[1]}" fill="{PAPER}"/>')
    svg.defs.append(
        f'<filter id="wobble" x="0" y="0" width="{SANTA_SIZE[0]}" height="{SANTA_SIZE[1]}" '
        'filterUnits="userSpaceOnUse">'
        f'<feTurbulence type="fractalNoise" baseFrequency="{WOBBLE_FREQUENCY}" '
        f'numOctaves="{WOBBLE_OCTAVES}" seed="{WOBBLE_SEED}" result="noise"/>'
        f'<feDisplacementMap in="SourceGraphic" in2="noise" scale="{WOBBLE_AMOUNT}" '
        'xChannelSelector="R" yChannelSelector="G"/></filter>')
    svg.raw('<g filter="url(#wobble)">')
    svg.ellipse(*SANTA_SHADOW, SHADOW)

    # The sack behind him, gifts spilling from its mouth.
    svg.cane(CANE, CANE_WIDTH, PEN_WIDTH)
    for box, ribbon, d, ribbons in GIFTS:
        svg.shape(d, box, **PEN)
        for r in ribbons:
            svg.limb(r, RIBBON_WIDTH, ribbon, PEN_FINE)
    svg.group("translate({} {})".format(*GIFT_BOW_AT))
    svg.shape(GIFT_BOW, GOLD, line=PEN_FINE, stroke=PEN_INK)
    svg.end()
    svg.shape(SACK_BODY, SACK, [(d, SACK_SHADE) for d in SACK_SHADES], **PEN)
    svg.shape(PATCH, SACK_PATCH, line=PEN_FINE, stroke=PEN_INK)
    for d in PATCH_STITCHES:
        svg.line(d, PEN_FINE, PEN_INK)
    svg.fluff(SACK_RIM, SACK_RIM_PUFF, generator, light=SACK_PATCH, shade=SACK, line=PEN_WIDTH)

    # Legs mid-stride, then the coat over the hips.
    svg.limb(BACK_LEG, LEG_WIDTH, SUIT_SHADE, PEN_WIDTH)
    svg.shape(BACK_BOOT, BOOT, **PEN)
    svg.fluff(BACK_CUFF, CUFF_PUFF_SANTA, generator, line=PEN_WIDTH)
    svg.limb(FRONT_LEG, LEG_WIDTH, SUIT, PEN_WIDTH)
    svg.shape(FRONT_BOOT, BOOT, [(FRONT_SOLE, BOOT_LIGHT)], **PEN)
    svg.fluff(FRONT_CUFF, CUFF_PUFF_SANTA, generator, line=PEN_WIDTH)
    svg.limb(BACK_ARM, ARM_WIDTH, SUIT_SHADE, PEN_WIDTH)
    svg.fluff(BACK_ARM_CUFF, CUFF_PUFF_SANTA, generator, line=PEN_WIDTH)
    svg.shape(BACK_MITTEN, MITTEN, **PEN)
    svg.shape(COAT, SUIT, [(d, SUIT_SHADE) for d in COAT_SHADES], **PEN)
    svg.fluff(HEM, FUR_PUFF_SANTA, generator, line=PEN_WIDTH)
    for run in PLACKET:
        svg.fluff(run, PLACKET_PUFF, generator, line=PEN_WIDTH)
    svg.shape(BELT, BOOT, **PEN)
    svg.shape(BUCKLE, GOLD, [(BUCKLE_HOLE, BOOT)], line=PEN_FINE, stroke=PEN_INK)
    svg.limb(FRONT_ARM, ARM_WIDTH, SUIT, PEN_WIDTH)
    svg.fluff(FRONT_ARM_CUFF, CUFF_PUFF_SANTA, generator, line=PEN_WIDTH)
    svg.shape(FRONT_MITTEN, MITTEN, **PEN)
    svg.shape(FRONT_THUMB, MITTEN, **PEN)

    # Head: face, beard, hat, over the shoulders.
    svg.shape(EAR_SANTA, SKIN, **PEN)
    svg.shape(FACE_SANTA, SKIN, **PEN)
    for cheek in CHEEKS_SANTA:
        svg.ellipse(*cheek, CHEEK)
    for d in EYES_SANTA:
        svg.line(d, EYE_WIDTH_SANTA, PEN_INK)
    svg.shape(BEARD, FUR, [(d, BEARD_SHADE) for d in BEARD_SHADES], **PEN)
    for d in BEARD_CURLS:
        svg.line(d, PEN_FINE, PEN_INK)
    svg.shape(MOUTH_SANTA, MOUTH_INSIDE, line=PEN_FINE, stroke=PEN_INK)
    svg.shape(MOUSTACHE, FUR, **PEN)
    nx, ny, nr = NOSE_SANTA
    svg.shape(circle_path(nx, ny, nr), NOSE, **PEN)
    for gx, gy, gr in SANTA_GLINTS:
        svg.ellipse(gx, gy, gr, gr, FUR)
    for d in BROWS_SANTA:
        svg.limb(d, BROW_WIDTH_SANTA, FUR, PEN_FINE)
    svg.shape(HAT_BODY, SUIT, [(HAT_SHADE_SANTA, SUIT_SHADE)], **PEN)
    svg.fluff(HAT_POMPOM, HAT_POMPOM_PUFF, generator, line=PEN_WIDTH)
    svg.fluff(HAT_BAND, HAT_BAND_PUFF, generator, line=PEN_WIDTH)

    svg.end()
    image = svg.render()
    _sign(image)
    return image


def _sign(image):
    """The artist's name and year in felt pen, bottom left."""
    artist, year = names.SANTA_SIGNATURE
    font = common.font(*SIGNATURE_FONT)
    text = f"{artist} {year}"
    right, bottom = font.getbbox(text)[2:]
    pad = SIGNATURE_PAD
    sheet = Image.new("RGBA", (right + 2 * pad, bottom + 2 * pad), (0, 0, 0, 0))
    draw = ImageDraw.Draw(sheet)
    draw.text((pad, pad), text, font=font, fill=SIGNATURE_INK)
    underline_y = pad + bottom + SIGNATURE_UNDERLINE
    draw.line((pad, underline_y, pad + right, underline_y - SIGNATURE_UNDERLINE_RISE),
              fill=SIGNATURE_INK, width=SIGNATURE_UNDERLINE)
    sheet = sheet.rotate(SIGNATURE_TILT, resample=Image.BICUBIC, expand=True)
    image.alpha_composite(sheet, SIGNATURE_AT)


# ---------------------------------------------------------------- the heart
HEART_SIZE = (228, 244)
HEART_RED = "#e3202f"
HEART_SHADE = "#b9121f"
HEART_RIM = "#7d0a16"
HEART_RIM_WIDTH = 8
HEART_LIGHT = "#ff7f86"
# Inset by half the rim so the rim's outer edge just touches the box.
HEART = ("M 114 58 C 112 28 86 4 56 4 C 24 4 4 32 4 70 "
         "C 4 134 62 182 114 240 C 166 182 224 134 224 70 "
         "C 224 32 204 4 172 4 C 142 4 116 28 114 58 Z")
HEART_SHADE_PATH = ("M 224 70 C 224 134 166 182 114 240 C 140 190 196 140 206 76 "
                    "C 210 50 200 30 186 20 C 210 28 224 46 224 70 Z")
HEART_GLOSS = ("M 30 80 C 24 50 40 28 62 26 C 78 25 86 34 80 42 "
               "C 62 46 48 60 44 84 C 42 96 32 96 30 80 Z")
HEART_SPARK = (92, 36, 7)


def heart():
    """A glossy red heart filling its box."""
    svg = Svg(*HEART_SIZE)
    svg.shape(HEART, HEART_RED, [(HEART_SHADE_PATH, HEART_SHADE), (HEART_GLOSS, HEART_LIGHT)],
              line=HEART_RIM_WIDTH, stroke=HEART_RIM)
    x, y, r = HEART_SPARK
    svg.ellipse(x, y, r, r, HEART_LIGHT)
    return svg.render()


# ---------------------------------------------------------------- the emblem
# A round badge: gold rim, a red band carrying the group's name, and inside
# it a fir wreath round a foaming mug on a night sky. Drawn four times over
# and scaled down, so its edges stay clean when the show doubles it.
EMBLEM_SIZE = (499, 490)
EMBLEM_SEED = 13
SUPERSAMPLE = 4
CENTRE = (249.5, 245)
EMBLEM_LINE = LINE_WIDTH * 0.7
EMBLEM_FINE = LINE_WIDTH * 0.5
RIM_RADIUS = 243
RIM_SHADE_SHIFT = (3, 4)    # the gold rim is lit from the upper left
RIM_LIGHT_SHIFT = (-2, -3)
BAND_OUTER = 229
BAND_INNER = 176
BAND_RED = "#c8161e"
SKY = "#143a5e"
SKY_RADIUS = 150
SNOW_DOTS = 26
SNOW_DOT_SIZE = (1.6, 3.4)
SNOW = "#e9f1fb"

WREATH_MID = 150           # radius of the wreath's middle
WREATH_HALF = (24, 32)     # half widths at the valleys and the needle tips
WREATH_TIP_JITTER = 3
WREATH_SPIKES = (64, 52)   # tips on the outer and the inner edge
WREATH_DARK = "#0f5a2c"
WREATH_MID_GREEN = "#1f8a3d"
WREATH_LIGHT = "#5cbf4f"
WREATH_LIGHT_SHIFT = (-4, -5)
NEEDLE_TUFTS = 44
NEEDLE_LENGTH = 12
NEEDLE_FAN = (-28, 0, 28)   # degrees either side of the ring's direction
NEEDLE_WIDTH = LINE_WIDTH * 0.4
NEEDLE_ROWS = (-8, 8)       # tufts alternate between these distances from the middle
BERRY = "#e32636"
BERRY_RADIUS = 7
BERRY_OFFSETS = ((-7, -4), (7, -5), (0, 7))   # three to a cluster
BERRY_GLINT = (-2, 2)       # offset up-left and radius
BERRY_CLUSTERS = (-140, -40, 20, 160, 205)   # degrees, clockwise from 3 o'clock
BOW_AT = (90, 136)          # angle and distance from the centre
BOW_RED = "#e0222c"
BOW_SHADE = "#a3121b"
BOW = ("M 0 0 C -24 -24 -48 -18 -46 2 C -43 18 -20 12 0 0 Z "
       "M 0 0 C 24 -24 48 -18 46 2 C 43 18 20 12 0 0 Z")
BOW_TAILS = ("M -5 4 C -12 16 -18 24 -26 32 L -13 33 L -9 42 C -3 30 1 18 3 5 Z "
             "M 5 4 C 12 16 18 24 26 32 L 13 33 L 9 42 C 3 30 -1 18 -3 5 Z")
BOW_LOOPS_SHADE = "M -70 4 L 70 4 L 70 30 L -70 30 Z"
BOW_TAILS_SHADE = "M 0 0 L 40 0 L 40 60 L 0 60 Z"
BOW_KNOT = 8
EMBLEM_CANE = "M 330 372 L 392 252 C 404 226 386 206 366 210 C 352 213 346 226 348 236"
EMBLEM_CANE_WIDTH = 15

# The mug, drawn about its own middle.
MUG_AT = (238, 250)
MUG_LINE = LINE_WIDTH * 0.8
FOAM_SEED = 14
BEER = "#f2a62a"
BEER_SHADE = "#cf7d14"
BEER_LIGHT = "#ffd56b"
GLASS = "#fbe7b0"
MUG_GLASS = "M -52 -58 L 52 -58 L 46 74 C 45 82 40 86 32 86 L -32 86 C -40 86 -45 82 -46 74 Z"
MUG_BEER = "M -47 -50 L 47 -50 L 42 62 L -42 62 Z"
MUG_BEER_SHADE = "M 20 -50 L 47 -50 L 42 62 L 16 62 Z"
MUG_DIMPLES = ("M -28 -40 L -26 52", "M -2 -40 L -2 52", "M 24 -40 L 22 52")
MUG_SHINE = "M -38 -44 L -30 -44 L -32 50 L -38 50 Z"
MUG_HANDLE = ("M 48 -34 C 98 -38 104 46 46 50 L 47 30 C 78 28 78 -14 49 -14 Z")
FOAM = ((-58, -60), (-38, -72), (-12, -78), (14, -74), (40, -74), (60, -60))
FOAM_PUFF = 20
FOAM_DRIP = "M -40 -56 C -44 -40 -46 -26 -38 -22 C -30 -20 -30 -36 -28 -56 Z"
BUBBLES = ((-10, 30, 4), (8, 8, 3), (-20, -6, 3.5), (14, 44, 3), (0, -28, 2.5))

NAME_FONT = ("league-spartan-black", 50)
NAME_TRACKING = 4           # extra space between letters, in emblem pixels
LETTER = (255, 244, 214, 255)
LETTER_EDGE = (43, 26, 20, 255)
LETTER_EDGE_WIDTH = 4
STAR_RADIUS = 13
STAR_ANGLES = (0, 180)
GLYPH_TILE = 2              # a turned letter's scratch sheet, in font sizes


def emblem():
    """The group's badge on a transparent ground."""
    return _emblem().copy()


@functools.lru_cache(maxsize=None)
def _emblem():
    """The emblem, drawn once for both pictures that show it."""
    generator = common.rng(EMBLEM_SEED)
    width, height = EMBLEM_SIZE
    svg = Svg(width * SUPERSAMPLE, height * SUPERSAMPLE, view=EMBLEM_SIZE)
    cx, cy = CENTRE

    (sx, sy), (lx, ly) = RIM_SHADE_SHIFT, RIM_LIGHT_SHIFT
    svg.shape(circle_path(cx, cy, RIM_RADIUS), GOLD,
              [(circle_path(cx + sx, cy + sy, RIM_RADIUS), GOLD_SHADE),
               (circle_path(cx + lx, cy + ly, RIM_RADIUS + min(lx, ly)), GOLD)])
    svg.shape(circle_path(cx, cy, BAND_OUTER), BAND_RED, line=EMBLEM_LINE)
    svg.shape(circle_path(cx, cy, BAND_INNER), SKY, line=EMBLEM_LINE)
    for _ in range(SNOW_DOTS):
        a = generator.uniform(0, 2 * math.pi)
        r = SKY_RADIUS * math.sqrt(generator.uniform(0, 1))    # evenly over the disc
        size = generator.uniform(*SNOW_DOT_SIZE)
        svg.ellipse(cx + r * math.cos(a), cy + r * math.sin(a), size, size, SNOW)
    band_middle = (BAND_INNER + BAND_OUTER) / 2
    for angle in STAR_ANGLES:
        x, y = _on_circle(band_middle, angle)
        svg.shape(star_path(x, y, STAR_RADIUS), GOLD, line=EMBLEM_FINE)

    _wreath(svg, generator)
    _mug(svg)
    svg.cane(EMBLEM_CANE, EMBLEM_CANE_WIDTH)
    svg.group("translate({:.1f} {:.1f})".format(*_on_circle(BOW_AT[1], BOW_AT[0])))
    svg.shape(BOW_TAILS, BOW_RED, [(BOW_TAILS_SHADE, BOW_SHADE)], line=EMBLEM_LINE)
    svg.shape(BOW, BOW_RED, [(BOW_LOOPS_SHADE, BOW_SHADE)], line=EMBLEM_LINE)
    svg.shape(circle_path(0, 0, BOW_KNOT), BOW_RED, line=EMBLEM_LINE)
    svg.end()

    image = svg.render()
    # First word over the top, the rest along the bottom.
    top, _, bottom = names.GROUP.upper().partition(" ")
    _arc_text(image, top, band_middle, upper=True)
    _arc_text(image, bottom, band_middle, upper=False)
    return _shrink(image, EMBLEM_SIZE)


def _on_circle(radius, degrees):
    """A point at that distance from the emblem's centre, the angle
    clockwise from 3 o'clock."""
    a = math.radians(degrees)
    return CENTRE[0] + radius * math.cos(a), CENTRE[1] + radius * math.sin(a)


def _wreath(svg, generator):
    """A ring of fir: spiky edges inside and out, lit from the upper left,
    with tufts of needles and clusters of berries."""
    cx, cy = CENTRE

    def ring(dx=0.0, dy=0.0):
        edges = []
        for spikes, sign in zip(WREATH_SPIKES, (1, -1)):
            corners = []
            for i in range(spikes * 2):
                a = 2 * math.pi * i / (spikes * 2)
                half = WREATH_HALF[1] if i % 2 == 0 else WREATH_HALF[0]
                if i % 2 == 0:
                    half += generator.uniform(-WREATH_TIP_JITTER, WREATH_TIP_JITTER)
                r = WREATH_MID + sign * half
                corners.append(f"{cx + dx + r * math.cos(a):.1f} {cy + dy + r * math.sin(a):.1f}")
            edges.append("M " + " L ".join(corners) + " Z")
        return " ".join(edges)

    # The ring again, shifted up-left and clipped to the first, leaves the
    # lower right of every spike in shadow.
    shape = ring()
    svg.raw(f'<path d="{shape}" fill="{WREATH_DARK}" fill-rule="evenodd"/>')
    svg.clip(shape, evenodd=True)
    svg.raw(f'<path d="{ring(*WREATH_LIGHT_SHIFT)}" fill="{WREATH_MID_GREEN}" '
            'fill-rule="evenodd"/>')
    svg.end()
    svg.line(shape, EMBLEM_LINE)

    # Tufts of needles fanning out along the ring, alternately nearer the
    # outer and the inner edge.
    for k in range(NEEDLE_TUFTS):
        a = 2 * math.pi * k / NEEDLE_TUFTS
        r = WREATH_MID + NEEDLE_ROWS[k % 2]
        x, y = cx + r * math.cos(a), cy + r * math.sin(a)
        along = a + math.pi / 2
        fan = " ".join(
            f"M {x:.1f} {y:.1f} l {NEEDLE_LENGTH * math.cos(along + math.radians(f)):.1f} "
            f"{NEEDLE_LENGTH * math.sin(along + math.radians(f)):.1f}" for f in NEEDLE_FAN)
        svg.line(fan, NEEDLE_WIDTH, WREATH_LIGHT)

    glint_shift, glint_size = BERRY_GLINT
    for angle in BERRY_CLUSTERS:
        x, y = _on_circle(WREATH_MID, angle)
        for dx, dy in BERRY_OFFSETS:
            svg.shape(circle_path(x + dx, y + dy, BERRY_RADIUS), BERRY, line=EMBLEM_FINE)
            svg.ellipse(x + dx + glint_shift, y + dy + glint_shift, glint_size, glint_size, FUR)


def _mug(svg):
    """A dimpled glass mug of beer with its foam running over."""
    generator = common.rng(FOAM_SEED)
    svg.group("translate({} {})".format(*MUG_AT))
    svg.shape(MUG_HANDLE, GLASS, line=MUG_LINE)
    svg.shape(MUG_GLASS, GLASS, line=MUG_LINE)
    svg.shape(MUG_BEER, BEER, [(MUG_BEER_SHADE, BEER_SHADE)], line=0)
    for d in MUG_DIMPLES:
        svg.line(d, EMBLEM_FINE, BEER_SHADE)
    svg.shape(MUG_SHINE, BEER_LIGHT, line=0)
    for x, y, r in BUBBLES:
        svg.ellipse(x, y, r, r, BEER_LIGHT)
    svg.fluff(FOAM, FOAM_PUFF, generator, line=MUG_LINE)
    svg.shape(FOAM_DRIP, FUR, line=EMBLEM_LINE)
    svg.end()


def _arc_text(image, text, radius, upper):
    """Set text centred on the top (reading clockwise) or the bottom
    (reading anticlockwise) of a circle about the emblem's centre, each
    letter turned to stand on the circle. Works on the supersampled image."""
    scale = SUPERSAMPLE
    font = common.font(NAME_FONT[0], NAME_FONT[1] * scale)
    stroke = LETTER_EDGE_WIDTH * scale
    radius *= scale
    cx, cy = CENTRE[0] * scale, CENTRE[1] * scale
    advances = [font.getlength(ch) + NAME_TRACKING * scale for ch in text]
    span = sum(advances) - NAME_TRACKING * scale
    cap = font.getbbox("H")[3] - font.getbbox("H")[1]
    tile = int(font.size * GLYPH_TILE)
    travelled = 0.0
    for ch, advance in zip(text, advances):
        offset = (travelled + (advance - NAME_TRACKING * scale) / 2 - span / 2) / radius
        travelled += advance
        angle = -math.pi / 2 + offset if upper else math.pi / 2 - offset
        glyph = Image.new("RGBA", (tile, tile), (0, 0, 0, 0))
        ImageDraw.Draw(glyph).text((tile / 2, tile / 2 + cap / 2), ch, font=font,
                                   anchor="ms", fill=LETTER, stroke_width=stroke,
                                   stroke_fill=LETTER_EDGE)
        turn = -(math.degrees(angle) + 90) if upper else 90 - math.degrees(angle)
        glyph = glyph.rotate(turn, resample=Image.BICUBIC)
        x = cx + radius * math.cos(angle) - tile / 2
        y = cy + radius * math.sin(angle) - tile / 2
        image.alpha_composite(glyph, (round(x), round(y)))


def _shrink(image, size):
    """Scale a supersampled picture down, averaging in premultiplied alpha
    so edges over transparency keep their colour."""
    return image.convert("RGBa").resize(size, Image.BOX).convert("RGBA")


# ---------------------------------------------------------------- closing card
CARD_SIZE = (1024, 768)
CARD_EMBLEM_TOP = 56
SLOGAN_FONT = ("lobster", 52)
SLOGAN_MIDDLE = 636          # y of the slogan's middle
SLOGAN_EDGE_WIDTH = 5
SLOGAN_MARGIN = 40           # the widest the slogan may come to the sides


def emblem_slogan():
    """The closing card: the emblem with the slogan under it."""
    card = Image.new("RGBA", CARD_SIZE, (0, 0, 0, 0))
    badge = emblem()
    card.alpha_composite(badge, ((CARD_SIZE[0] - badge.width) // 2, CARD_EMBLEM_TOP))
    slogan = _lettering(names.SLOGAN, SLOGAN_FONT, SLOGAN_EDGE_WIDTH)
    if slogan.width > CARD_SIZE[0] - 2 * SLOGAN_MARGIN:
        sys.exit(f"emblemSlogan: the slogan is {slogan.width} px wide, too wide for the card")
    card.alpha_composite(slogan, ((CARD_SIZE[0] - slogan.width) // 2,
                                  SLOGAN_MIDDLE - slogan.height // 2))
    return card


def _lettering(text, font_key, edge_width):
    """One line of cream letters with a dark edge, drawn supersampled and
    trimmed to its ink."""
    font = common.font(font_key[0], font_key[1] * SUPERSAMPLE)
    stroke = edge_width * SUPERSAMPLE
    left, top, right, bottom = font.getbbox(text, stroke_width=stroke)
    # Rounded up to whole final pixels so the sheet shrinks evenly.
    size = (math.ceil((right - left) / SUPERSAMPLE), math.ceil((bottom - top) / SUPERSAMPLE))
    sheet = Image.new("RGBA", (size[0] * SUPERSAMPLE, size[1] * SUPERSAMPLE), (0, 0, 0, 0))
    ImageDraw.Draw(sheet).text((-left, -top), text, font=font, fill=LETTER,
                               stroke_width=stroke, stroke_fill=LETTER_EDGE)
    return _shrink(sheet, size)


PICTURES = {
    "singerMouthOpen": singer_mouth_open,
    "singerMouthClosed": singer_mouth_closed,
    "santaDrawing": santa_drawing,
    "heart": heart,
    "emblem": emblem,
    "emblemSlogan": emblem_slogan,
}
