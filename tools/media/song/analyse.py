#!/usr/bin/python3
"""Checks the encoded song the way the show will play it.

    tools/media/song/analyse.py [song.mp3]

Reads the stream's frames and information header, decodes it with lame,
puts back the silence the show's decoder plays first (lame's decoder trims
it; the show's does not), and measures: the
onsets while the track is laid (they must sit on the beats), the peak, the
loudness of each section and the silence at both ends. Exits non-zero
when something is out of bounds."""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from song import mix, wavfile  # noqa: E402
from song.render import MP3_BUDGET_BYTES  # noqa: E402
from song.arrangement import LAYING_JUDGED_FROM_S, SECTIONS  # noqa: E402
from song.opening import LAY_FIRST, LAY_LAST  # noqa: E402
from song.timing import (BEAT_MS, DECODER_LEAD_IN_SAMPLES, HEARD_DELAY_MS, ROOT,  # noqa: E402
                         SAMPLE_RATE, SONG_FRAMES, TIMELINE)

SONG = os.path.join(ROOT, "assets", "media", "song.mp3")

PCM_FULL_SCALE = 32768
FRAME_SLACK = 3
ONSET_TOLERANCE_MS = 30.0
SILENT_DBFS = -50.0
START_SILENCE_MS = 40.0
MIXER_CHUNK = 8192
LOUDNESS_SPREAD_DB = 3.0
CLOSING_FROM_S = TIMELINE["ClosingCard"].after / 1000  # the closing card as one stretch, up to
CLOSING_MEASURED_TO_S = 270.0                           # where the ending starts to die away
MPEG1_LAYER3 = 0x1A
JOINT_STEREO = 1
LAYER3_KBPS = (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320)

# The onset detector: a rise of the high-frequency-weighted level.
WINDOW = 1024
HOP = 128
PRE_EMPHASIS = 0.95
LOOK_BACK = 8
RISE_DB = 9.0
FLOOR_DBFS = -50.0
REFRACTORY_MS = 50.0


def stream_facts(data):
    """Frames walked from the first byte, and the information header."""
    facts = {"bytes": len(data), "id3": data[:3] == b"ID3" or data[-128:-125] == b"TAG"}
    at, frames, modes, rates = 0, 0, set(), set()
    while at + 4 <= len(data):
        h = data[at:at + 4]
        if h[0] != 0xFF or (h[1] & 0xE0) != 0xE0 or (h[1] & 0x1E) != MPEG1_LAYER3:
            break
        index = h[2] >> 4
        if not 0 < index < len(LAYER3_KBPS) or (h[2] >> 2) & 3 != 0:
            break
        modes.add(h[3] >> 6)
        rates.add(LAYER3_KBPS[index])
        at += 144 * LAYER3_KBPS[index] * 1000 // SAMPLE_RATE + ((h[2] >> 1) & 1)
        frames += 1
    facts["frames walked"] = frames
    facts["ends on a frame"] = at == len(data)
    facts["joint stereo"] = modes == {JOINT_STEREO}
    facts["bit rates"] = sorted(rates)
    side_info = 32
    tag = data[4 + side_info:4 + side_info + 16]
    facts["information frame"] = tag[:4] in (b"Xing", b"Info")
    facts["audio frames"] = struct.unpack(">I", tag[8:12])[0] if facts["information frame"] else 0
    return facts


def decode(path):
    with tempfile.TemporaryDirectory() as scratch:
        wav = os.path.join(scratch, "decoded.wav")
        try:
            result = subprocess.run(["lame", "--quiet", "--decode", path, wav], capture_output=True, text=True)
        except OSError as error:
            raise SystemExit(f"cannot run lame to decode {path}: {error.strerror} "
                             "(scripts/install-media-tools installs it)")
        if result.returncode != 0:
            raise SystemExit(f"lame cannot decode {path}: {result.stderr.strip()}")
        audio, _ = wavfile.read(wav)
    # As 16-bit samples, the way the mixer hands them over.
    pcm = np.round(audio * PCM_FULL_SCALE).clip(-PCM_FULL_SCALE, PCM_FULL_SCALE - 1)
    return np.concatenate([np.zeros((DECODER_LEAD_IN_SAMPLES, 2)), pcm])


def onsets_ms(mono):
    emphasised = np.concatenate([[0.0], mono[1:] - PRE_EMPHASIS * mono[:-1]])
    squares = np.concatenate([[0.0], np.cumsum(emphasised ** 2)])
    starts = np.arange(0, len(mono) - WINDOW + 1, HOP)
    level = 10 * np.log10(np.maximum((squares[starts + WINDOW] - squares[starts]) / WINDOW, 1e-20))
    found, last = [], -REFRACTORY_MS
    for i in range(LOOK_BACK, len(level)):
        before = level[i - LOOK_BACK:i].min()
        if level[i] < FLOOR_DBFS or level[i] - before < RISE_DB:
            continue
        at = (i * HOP + WINDOW) * 1000.0 / SAMPLE_RATE
        if at - last >= REFRACTORY_MS:
            found.append(at)
            last = at
    return found


def mixer_sample(heard_ms):
    return int(round((heard_ms - HEARD_DELAY_MS) * SAMPLE_RATE / 1000.0))


def main(path):
    problems = []
    with open(path, "rb") as f:
        facts = stream_facts(f.read())
    print(f"stream: {facts['bytes']} bytes, {facts['audio frames']} audio frames counted, "
          f"{facts['frames walked']} frames walked, bit rates {facts['bit rates'][0]}-{facts['bit rates'][-1]}")
    if facts["id3"]:
        problems.append("an ID3 tag")
    if not facts["information frame"] or abs(facts["audio frames"] - SONG_FRAMES) > FRAME_SLACK:
        problems.append(f"information frame counts {facts['audio frames']} frames, not {SONG_FRAMES}")
    if not (facts["ends on a frame"] and facts["joint stereo"]) or facts["bytes"] >= MP3_BUDGET_BYTES:
        problems.append("not joint-stereo frames to the last byte within the budget")

    pcm = decode(path)
    stereo = pcm / PCM_FULL_SCALE
    mono = stereo.mean(axis=1)
    peak = np.abs(pcm).max()
    clipped = int(np.sum(np.abs(pcm) >= PCM_FULL_SCALE - 1))
    print(f"decoded: {len(pcm) / SAMPLE_RATE:.2f} s, peak {mix.to_db(peak / PCM_FULL_SCALE):.2f} dBFS, "
          f"{clipped} samples at full scale")
    if clipped:
        problems.append("clipping")

    end_ms = mixer_sample(LAY_LAST * BEAT_MS) * 1000.0 / SAMPLE_RATE + ONSET_TOLERANCE_MS
    found = [at for at in onsets_ms(mono) if at <= end_ms]
    errors = [at - ((round((at + HEARD_DELAY_MS) / BEAT_MS)) * BEAT_MS - HEARD_DELAY_MS) for at in found]
    missing = [beat for beat in range(LAY_FIRST, LAY_LAST + 1)
               if not any(abs(at - (beat * BEAT_MS - HEARD_DELAY_MS)) <= ONSET_TOLERANCE_MS for at in found)]
    off = [round(at) for at, e in zip(found, errors) if abs(e) > ONSET_TOLERANCE_MS]
    print(f"laying: {len(found)} onsets, error {min(errors):+.1f} to {max(errors):+.1f} ms, "
          f"mean {np.mean(errors):+.1f} ms; beats without a hit {missing}; off the beat {off}")
    if missing or off:
        problems.append("laying onsets off the beat grid")

    windows = [(name, max(start_s, LAYING_JUDGED_FROM_S), end_s)
               for name, start_s, end_s, levelled in SECTIONS if levelled]
    windows.append(("the closing card", CLOSING_FROM_S, CLOSING_MEASURED_TO_S))
    levels = {name: mix.mono_rms_db(stereo, mixer_sample(start_s * 1000), mixer_sample(end_s * 1000))
              for name, start_s, end_s in windows}
    median = float(np.median(list(levels.values())))
    for name, level in levels.items():
        flag = "  <-- out of line" if abs(level - median) > LOUDNESS_SPREAD_DB else ""
        print(f"  {name:20s} {level:6.1f} dBFS{flag}")
        if flag:
            problems.append(f"{name} loudness")

    start = mix.mono_rms_db(stereo, 0, int(START_SILENCE_MS * SAMPLE_RATE / 1000))
    end = mix.mono_rms_db(stereo, len(mono) - 2 * MIXER_CHUNK, len(mono))
    print(f"silence: start {start:.0f} dBFS, end {end:.0f} dBFS")
    if start > SILENT_DBFS or end > SILENT_DBFS:
        problems.append("no silence at the loop point")

    if problems:
        print("PROBLEMS: " + "; ".join(problems), file=sys.stderr)
        sys.exit(1)
    print("all checks pass")


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description="Measure an encoded song against the show's script.")
    parser.add_argument("song", nargs="?", default=SONG, help="the MP3 to measure (default: the show's)")
    song = parser.parse_args().song
    if not os.path.isfile(song):
        sys.exit(f"analyse: no such song file: {song}")
    main(song)
