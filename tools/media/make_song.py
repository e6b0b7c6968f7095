#!/usr/bin/python3
"""Compose, render and encode the show's song into assets/media/song.mp3.

    tools/media/make_song.py              the song
    tools/media/make_song.py --work DIR   and keep the parts' MIDI files and
                                          the mastered WAV in DIR

The score is in tools/media/song; the output is the same for the same
sources and tools."""

import argparse
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from song import render  # noqa: E402
from song.arrangement import build_score  # noqa: E402
from song.timing import ROOT  # noqa: E402

OUTPUT = os.path.join(ROOT, "assets", "media", "song.mp3")


def report(message):
    print(message, flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--work", help="keep intermediate files in this directory")
    args = parser.parse_args()
    began = time.time()
    with tempfile.TemporaryDirectory() as scratch:
        work = args.work or scratch
        os.makedirs(work, exist_ok=True)
        score = build_score()
        report(f"score: {len(score.notes)} notes on {len(score.parts())} parts")
        wav = os.path.join(work, "song.wav")
        render.render_song(score, work, wav, report)
        report("encoding")
        mp3 = os.path.join(work, "song.mp3")
        render.encode(wav, mp3, report)
        os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
        shutil.copyfile(mp3, OUTPUT)
    report(f"{os.path.getsize(OUTPUT)} bytes  {os.path.relpath(OUTPUT, ROOT)}  ({time.time() - began:.0f} s)")


if __name__ == "__main__":
    main()
