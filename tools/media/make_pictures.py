#!/usr/bin/python3
"""Regenerate the show's pictures into assets/media.

    tools/media/make_pictures.py            all 36
    tools/media/make_pictures.py NAME ...   only these (names as in the table)

Each generator module maps picture names to functions that return a PIL
image; this script checks and writes them. Output is deterministic: the same
sources give the same bytes."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from pictures import cards, common, credits, illustrations, retro  # noqa: E402


def main(names):
    makers = {}
    for module in (cards, illustrations, retro, credits):
        for name, make in module.PICTURES.items():
            if name in makers:
                raise SystemExit(f"{name} is made twice")
            makers[name] = make
    table = common.picture_table()
    missing = [n for n in table if n not in makers]
    unknown = [n for n in list(makers) + names if n not in table]
    if unknown:
        raise SystemExit(f"not in the picture table: {', '.join(unknown)}")
    if missing and not names:
        raise SystemExit(f"no generator for: {', '.join(missing)}")
    for name in names or list(table):
        path = common.save(name, makers[name]())
        print(f"{os.path.getsize(path):9d}  {os.path.relpath(path, common.ROOT)}")


if __name__ == "__main__":
    main(sys.argv[1:])
