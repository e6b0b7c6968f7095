#!/usr/bin/python3
"""Checks that the song's tools read the timeline the show compiles.

    tests/song/check_timeline.py PRINTER

PRINTER (tests/timeline_table.cpp) prints the compiled table; the lines
that differ from the song's reading of the script (app/show_layers.h and
the windows in the layers' headers) are reported."""

import difflib
import os
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "media"))

from song import timing  # noqa: E402


def read_by_the_song():
    """The printer's lines as the song's reader sees the header."""
    rows = [f"{name} {window.after % timing.CLOCK_END} {window.until % timing.CLOCK_END}"
            for name, window in timing.TIMELINE.items()]
    return rows + [f"trackLaidMs {timing.TRACK_LAID_MS}", f"ballArrivesMs {timing.BALL_ARRIVES_MS}"]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_timeline.py PRINTER")
    try:
        result = subprocess.run([sys.argv[1]], capture_output=True, text=True, check=True)
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit(f"check_timeline: cannot run {sys.argv[1]}: {error}")
    compiled, read = result.stdout.splitlines(), read_by_the_song()
    if compiled != read:
        diff = difflib.unified_diff(compiled, read, "compiled", "read by the song's tools", lineterm="")
        sys.exit("check_timeline: the song's tools and the compiled timeline differ:\n" + "\n".join(diff))
    print(f"check_timeline: the song's tools read the compiled timeline: {len(read)} lines agree")


if __name__ == "__main__":
    main()
