"""The committed pictures against how the show draws them."""

import os
import sys
import unittest

import numpy as np
from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "media"))

from pictures import names, retro_font  # noqa: E402

MEDIA = os.path.join(ROOT, "assets", "media")
# The hand-over caption is centred on the middle of the screen's bottom
# edge, so only its upper half is ever on screen.
HANDOVER_VISIBLE_ROWS = 512
GREETING_PAGES = [f"greetingsPage{n}" for n in range(1, 6)]
INTRO_CARDS = ("introLine1", "introLine2", "introLine3", "introLine4",
               "asideLine1", "asideLine2", "asideSnowLine")
# A title card is shown at its own size; its box was sized for its text.
MIN_INK_HEIGHT_SHARE = 0.7
SNOWMEN = ("snowman1", "snowman2", "snowman3")
PIXEL_ART_SCALE = 3


def rgba(name):
    with Image.open(os.path.join(MEDIA, name + ".png")) as picture:
        return np.array(picture.convert("RGBA"))


def alpha(name):
    return rgba(name)[:, :, 3]


def inked_rows(mask):
    return np.flatnonzero(mask.any(axis=1))


class DrawnPlacesTest(unittest.TestCase):
    def test_hand_over_caption_keeps_to_the_half_that_is_shown(self):
        hidden = alpha("handoverCard")[HANDOVER_VISIBLE_ROWS:]
        self.assertEqual(hidden.max(), 0)

    def test_greeting_pages_never_cover_the_heading_drawn_with_them(self):
        heading_rows = inked_rows(alpha("greetingsHeader") > 0)
        for page in GREETING_PAGES:
            with self.subTest(page=page):
                rows = inked_rows(alpha(page) > 0)
                self.assertGreater(rows[0], heading_rows[-1])

    def test_title_cards_fill_the_height_of_their_box(self):
        for card in INTRO_CARDS:
            with self.subTest(card=card):
                mask = alpha(card) > 0
                rows = inked_rows(mask)
                self.assertGreaterEqual(rows[-1] - rows[0] + 1, MIN_INK_HEIGHT_SHARE * mask.shape[0])


class PixelArtTest(unittest.TestCase):
    def test_load_command_is_the_text_screen_s_own_letters(self):
        drawn = alpha("loadCommandLine") > 0
        rows, columns = inked_rows(drawn), np.flatnonzero(drawn.any(axis=0))
        ink = drawn[rows[0]:rows[-1] + 1, columns[0]:columns[-1] + 1]
        font = retro_font.text_mask(names.RETRO_LOAD)
        font_rows, font_columns = inked_rows(font), np.flatnonzero(font.any(axis=0))
        expected = font[font_rows[0]:font_rows[-1] + 1, font_columns[0]:font_columns[-1] + 1]
        np.testing.assert_array_equal(ink, expected)

    def test_snowmen_are_one_figure_on_one_baseline_in_whole_pixels(self):
        bottoms = set()
        for snowman in SNOWMEN:
            with self.subTest(snowman=snowman):
                pixels = rgba(snowman)
                blocks = pixels.reshape(pixels.shape[0] // PIXEL_ART_SCALE, PIXEL_ART_SCALE,
                                        pixels.shape[1] // PIXEL_ART_SCALE, PIXEL_ART_SCALE, 4)
                self.assertTrue((blocks == blocks[:, :1, :, :1]).all(),
                                "every art pixel is a solid 3 x 3 block")
                bottoms.add(inked_rows(pixels[:, :, 3] > 0)[-1])
        self.assertEqual(len(bottoms), 1, "the walk cycle must not hop")

    def test_turned_snowmen_mirror_each_other(self):
        np.testing.assert_array_equal(rgba("snowman1")[:, ::-1], rgba("snowman2"))


if __name__ == "__main__":
    unittest.main()
