"""The picture generators: one table read from the show, the guard on what
is written to assets/media, lettering that fits its boxes, and the
imitation computer's character set."""

import os
import sys
import tempfile
import unittest
from unittest import mock

import numpy as np
from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "media"))

from pictures import (cards, common, credits, illustrations, lettering,  # noqa: E402
                      names, retro, retro_font)

GENERATORS = (cards, illustrations, retro, credits)


def solid(size, rgba):
    return Image.new("RGBA", size, rgba)


class PictureTableTest(unittest.TestCase):
    def test_every_picture_is_made_by_exactly_one_generator(self):
        table = common.picture_table()
        self.assertEqual(len(table), 36)
        made = [name for module in GENERATORS for name in module.PICTURES]
        self.assertEqual(len(made), len(set(made)), "a picture is made twice")
        self.assertEqual(set(made), set(table))
        self.assertEqual(table["loadCommandLine"], (194, 13, "Rgba"))


class SaveTest(unittest.TestCase):
    def setUp(self):
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        patcher = mock.patch.object(common, "MEDIA_DIR", scratch.name)
        patcher.start()
        self.addCleanup(patcher.stop)

    def test_refuses_a_wrong_size_or_the_wrong_transparency(self):
        see_through = solid((528, 732), (255, 255, 255, 255))
        see_through.putpixel((10, 10), (255, 255, 255, 254))
        for name, picture in (("heart", solid((227, 244), (255, 0, 0, 0))),
                              ("santaDrawing", see_through),  # must be opaque
                              ("heart", solid((228, 244), (200, 0, 0, 255)))):  # overlays: needs clear areas
            with self.subTest(name=name, size=picture.size), self.assertRaises(SystemExit):
                common.save(name, picture)

    def test_writes_eight_bit_rgba_keeping_partial_alpha_and_the_same_bytes_twice(self):
        picture = solid((228, 244), (90, 80, 70, 0))
        picture.putpixel((5, 5), (200, 10, 20, 128))
        picture.putpixel((6, 5), (1, 2, 3, 255))
        path = common.save("heart", picture)
        with open(path, "rb") as f:
            first = f.read()
        with Image.open(path) as written:
            written.load()
        self.assertEqual(written.mode, "RGBA")
        self.assertEqual(written.getpixel((5, 5)), (200, 10, 20, 128))
        self.assertEqual(written.getpixel((6, 5)), (1, 2, 3, 255))
        self.assertEqual(written.getpixel((0, 0)), (0, 0, 0, 0),
                         "colour under fully transparent pixels is cleared")
        common.save("heart", picture)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), first)

    def test_writes_the_splash_without_an_alpha_channel(self):
        path = common.save("splashIcon", solid((16, 16), (255, 255, 255, 255)))
        with Image.open(path) as written:
            self.assertEqual(written.mode, "RGB")


class LetteringTest(unittest.TestCase):
    BOX = (400, 60)

    def test_a_fitted_line_fills_its_box_without_leaving_it(self):
        line = lettering.fit_line("Merry Christmas", self.BOX)
        self.assertEqual(line.size, self.BOX)
        alpha = np.array(line)[:, :, 3]
        rows = np.flatnonzero(alpha.any(axis=1))
        self.assertGreater(rows[-1] - rows[0], self.BOX[1] * 0.6, "letters use the height")
        self.assertEqual(alpha.min(), 0)
        self.assertEqual(alpha.max(), 255)

    def test_longer_text_never_grows(self):
        short = lettering.fitted_size("Snow", self.BOX)
        long = lettering.fitted_size("Snow falls on every rooftop tonight", self.BOX)
        self.assertLessEqual(long, short)

    def test_text_that_cannot_fit_stops_generation(self):
        with self.assertRaises(SystemExit):
            lettering.fitted_size("far too long a line for so small a box", (40, 20))


class CharacterSetTest(unittest.TestCase):
    HANGING = {",", ";"}  # may use the cell's bottom row

    def test_every_glyph_fills_its_cell_leaving_the_gaps_between_letters(self):
        for char, rows in retro_font.GLYPHS.items():
            with self.subTest(char=char):
                self.assertEqual(len(rows), retro_font.CELL)
                self.assertTrue(all(len(row) == retro_font.CELL for row in rows))
                self.assertTrue(all(set(row) <= {".", retro_font.INK} for row in rows))
                self.assertTrue(all(row[-1] == "." for row in rows), "last column blank")
                if char not in self.HANGING:
                    self.assertEqual(set(rows[-1]), {"."}, "bottom row blank")

    def test_covers_every_text_the_computer_shows(self):
        texts = names.RETRO_BANNER + (names.RETRO_READY, names.RETRO_LOAD, names.RETRO_CAPTION)
        for text in texts:
            missing = set(text) - set(retro_font.GLYPHS)
            self.assertFalse(missing, f"{text!r} needs glyphs for {sorted(missing)}")


class NamesTest(unittest.TestCase):
    def test_greets_twenty_five_different_groups_and_credits_every_card(self):
        self.assertEqual(len(names.GREETED_GROUPS), 25)
        self.assertEqual(len(set(names.GREETED_GROUPS)), 25)
        self.assertNotIn(names.GROUP, names.GREETED_GROUPS)
        credit_cards = {n for n in common.picture_table() if n.startswith("credit")}
        self.assertEqual(set(names.CREDITS), credit_cards)


if __name__ == "__main__":
    unittest.main()
