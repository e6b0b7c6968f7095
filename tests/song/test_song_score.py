"""The song against the show's script, and the tools that make it. The
sound checks need numpy and are skipped without it."""

import importlib.util
import os
import re
import struct
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "media"))

from song import carols, midi, timing  # noqa: E402
from song.arrangement import SECTIONS, build_score  # noqa: E402
from song.parts import LEAD, PARTS  # noqa: E402
from song.patterns import bass  # noqa: E402
from song.phonetics import parse_syllable  # noqa: E402
from song.score import (Note, Score, chord_parts, melody_length, pitch,  # noqa: E402
                        progression, voicing)
from song.timing import BEAT_MS, DECODER_LEAD_IN_MS, SAMPLE_RATE, SONG_MS  # noqa: E402

HAVE_NUMPY = importlib.util.find_spec("numpy") is not None
if HAVE_NUMPY:
    import numpy as np

    from song import mix, synth
    from song.voice import sing

TOLERANCE_MS = 0.5
SYLLABLES = 64
FIRST_LAYING_BEAT = 1
SILENT_END_MS = 1000        # the loop must join in silence
MIDI_MAX = 127
SEMITONES = 12


def read_show():
    """Read without the song's own reader of the headers, so that a slip in
    that reader cannot hide itself."""
    def header(*path):
        with open(os.path.join(ROOT, *path), encoding="utf-8") as f:
            return f.read()

    delay = int(re.search(r"heardDelayMs\s*=\s*(\d+)", header("app", "heard_delay.h")).group(1))
    cues = header("layers", "singer_cues.h")
    table = cues[cues.index("singerSyllables["):]
    table = table[:table.index("};")]
    windows = [(int(a), int(b)) for a, b in re.findall(r"\{\s*(\d+)\s*,\s*(\d+)\s*\}", table)]
    laid = re.search(r"trackLaidMs\s*=\s*beats\((\d+)\)\s*;", header("track", "ride_view.h"))
    assert laid, "ride_view.h lays the track's last piece on no beats(N)"
    return delay, windows, int(laid.group(1))


class SongScore(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.score = build_score()
        cls.delay, cls.windows, last_laying_beat = read_show()
        cls.ahead = cls.delay + DECODER_LEAD_IN_MS
        cls.laying_beats = range(FIRST_LAYING_BEAT, last_laying_beat + 1)
        cls.laying_end_heard_ms = last_laying_beat * BEAT_MS

    def heard(self, source_ms):
        return source_ms + self.ahead

    def test_the_voice_sings_exactly_while_the_mouth_is_open(self):
        voice = sorted(self.score.of_part(LEAD), key=lambda n: n.start)
        self.assertEqual(len(self.windows), SYLLABLES)
        self.assertEqual(len(voice), SYLLABLES, "one sung note per syllable, and no other")
        for note, (after, until) in zip(voice, self.windows):
            with self.subTest(syllable=after):
                self.assertAlmostEqual(self.heard(note.start), after, delta=TOLERANCE_MS)
                self.assertAlmostEqual(self.heard(note.start + note.length), until, delta=TOLERANCE_MS)
                parse_syllable(note.lyric)

    def test_the_track_is_laid_on_hits_and_nothing_between_them(self):
        hit_beats = set()
        for note in self.score.notes:
            heard = self.heard(note.start)
            if heard > self.laying_end_heard_ms:
                continue
            beat = round(heard / BEAT_MS)
            with self.subTest(part=note.part, heard_ms=heard):
                self.assertAlmostEqual(heard, beat * BEAT_MS, delta=TOLERANCE_MS)
                self.assertIn(beat, self.laying_beats)
            if PARTS[note.part].percussive:
                hit_beats.add(beat)
        self.assertEqual(sorted(set(self.laying_beats) - hit_beats), [], "beats without a hit")

    def test_everything_plays_inside_the_song(self):
        first_beat = FIRST_LAYING_BEAT * BEAT_MS
        for note in self.score.notes:
            with self.subTest(part=note.part, start=note.start):
                self.assertIn(note.part, PARTS)
                self.assertGreaterEqual(self.heard(note.start), first_beat - TOLERANCE_MS)
                self.assertGreater(note.length, 0)
                self.assertLessEqual(note.start + note.length, SONG_MS - SILENT_END_MS)
                self.assertTrue(1 <= note.velocity <= MIDI_MAX and 0 <= note.pitch <= MIDI_MAX)

    def test_the_sections_run_forward_without_gaps_from_the_start_to_the_end(self):
        for (name, _, end, _), (following, start, _, _) in zip(SECTIONS, SECTIONS[1:]):
            self.assertEqual(end, start, f"{name} / {following}")
        for name, start, end, _ in SECTIONS[:-1]:
            self.assertLess(start, end, name)
        self.assertEqual(SECTIONS[0][1], 0)
        self.assertIsNone(SECTIONS[-1][2])


class Carols(unittest.TestCase):
    def test_tunes_are_whole_bars_with_chords_to_match(self):
        tunes = [name[:-len("_CHORDS")] for name in dir(carols) if name.endswith("_CHORDS")]
        self.assertEqual(len(tunes), 10)
        for name in tunes:
            tune, chords = getattr(carols, name), getattr(carols, name + "_CHORDS")
            bar = 6 if name == "SILENT_NIGHT" else 4  # the one waltz
            with self.subTest(tune=name):
                for number, text in enumerate(tune.split("|"), 1):
                    self.assertEqual(melody_length(text), bar, f"bar {number}")
                beats = sum(b for _, b, _ in progression(0, chords))
                self.assertEqual(beats, melody_length(tune))

    def test_keys_move_the_short_way_and_chords_move_with_them(self):
        self.assertEqual(carols.shift("G", "D"), -5)
        self.assertEqual(carols.shift("G", "C"), 5)
        self.assertEqual(carols.shift("G", "A", octave=1), 14)
        moved = progression(0, carols.transpose_chords("A7:4 | D/F#:2 Bbm:2", 2))
        expected = progression(0, "B7:4 E/G#:2 Cm:2")
        self.assertEqual([(b, n, chord_parts(c)) for b, n, c in moved],
                         [(b, n, chord_parts(c)) for b, n, c in expected])


class BassFigures(unittest.TestCase):
    def test_bass_figures_play_chord_tones_inside_their_chord(self):
        chords = progression(1, "G:4 D/F#:3 Em:2 C:1")
        for figure in ("roots", "quarters", "root_fifth", "oompah", "octaves", "bounce"):
            s = Score()
            bass(s, "bass", chords, pitch("E1"), 100, figure)
            for note in s.notes:
                beat = (note.start + timing.SOURCE_LEAD_MS) / BEAT_MS
                symbol = next(sym for b, n, sym in chords if b <= beat + 1e-9 < b + n)
                with self.subTest(figure=figure, beat=beat):
                    tones = {p % SEMITONES for p in voicing(symbol, 0, MIDI_MAX)}
                    self.assertIn(note.pitch % SEMITONES, tones)


class ShowHeaders(unittest.TestCase):
    SYLLABLE_ROWS = [f"{{{1000 * i}, {1000 * i + 500}}}" for i in range(1, SYLLABLES + 1)]

    def header(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".h", delete=False) as f:
            f.write(text)
        self.addCleanup(os.remove, f.name)
        return f.name

    def read(self, text, reader):
        return reader(self.header(text))

    def refusal(self, text, reader):
        """Why reader refuses a header of this text; the reason names it."""
        path = self.header(text)
        with self.assertRaises(SystemExit) as refused:
            reader(path)
        message = str(refused.exception)
        self.assertIn(path, message)
        return message

    @staticmethod
    def timeline(snow_window, row='{Layer::Snow, "Snow", snowWindow, 39000, drawSnow, advanceSnow},'):
        return ("constexpr TimeWindow rideWindow = {beforeTheShow, 74000};\n"
                f"constexpr TimeWindow snowWindow = {snow_window};\n"
                "inline constexpr ShowLayer showLayers[] = {\n"
                '    {Layer::Ride, "Ride", rideWindow, 58000, drawRide, advanceRide},  // the ride\n'
                f"    {row}\n"
                "};\n")

    @staticmethod
    def read_script(path):
        return timing.read_timeline(path, folders=[])

    def test_the_cues_moments_and_rows_are_read_each_from_its_own_table(self):
        text = (f"constexpr TimeWindow singerSyllables[syllableCount] = {{{', '.join(self.SYLLABLE_ROWS)}}};\n"
                "constexpr std::uint32_t singerSpinStarts[] = {98000, 99500};\n"
                "constexpr TimeWindow singerHeartFlashes[] = {{88156, 88259}, {100210, 100293}};\n"
                "constexpr std::uint32_t heardDelayMs = 312;\n")
        self.assertEqual(len(self.read(text, timing.read_syllables)), SYLLABLES)
        self.assertEqual(self.read(text, timing.read_spin_starts), (98000, 99500))
        self.assertEqual(self.read(text, timing.read_heart_flashes), [(88156, 88259), (100210, 100293)])
        self.assertEqual(self.read(text, timing.read_heard_delay_ms), 312)
        # The whole timeline against the compiled one: tests/song/check_timeline.py.
        shifted = self.timeline("{beats(2) + 5, beats(4)}")
        self.assertEqual(self.read(shifted, self.read_script)["Snow"], (2 * BEAT_MS + 5, 4 * BEAT_MS))

    def test_a_broken_header_stops_the_song_with_the_reason(self):
        rows = self.SYLLABLE_ROWS
        overlapping = ", ".join(rows).replace("{2000, 2500}", "{2000, 3100}")
        for text, reader, reason in (
                (f"singerSyllables[63] = {{{', '.join(rows[1:])}}};", timing.read_syllables, "expected 64"),
                (f"singerSyllables[64] = {{{overlapping}}};", timing.read_syllables, "overlaps"),
                ("int x;", timing.read_syllables, "no singerSyllables"),
                ("singerSpinStarts[] = {98000 + 500};", timing.read_spin_starts, "98000 + 500"),
                ("// nothing here", timing.read_heard_delay_ms, "no heardDelayMs"),
                ("trackLaidMs = beats(130) / 2;", lambda path: timing.read_moment(path, "trackLaidMs"),
                 "beats(130) / 2"),
                (self.timeline("{beats(96) * 2, 1000}"), self.read_script, "beats(96) * 2"),
                (self.timeline("{2000, 1000}"), self.read_script, "empty"),
                (self.timeline("{0, 5}", '{Layer::Ride, "Ride", snowWindow, 1, drawRide},'), self.read_script,
                 "two rows"),
                (self.timeline("{0, 5}", '{Layer::Snow, "Snow", fallWindow, 1, drawSnow},'), self.read_script,
                 "fallWindow is written in no header"),
                (self.timeline("{0, 5}", '{Layer::Snow, "Flakes", snowWindow, 1, drawSnow},'),
                 self.read_script, "named 'Flakes'")):
            with self.subTest(reason=reason):
                self.assertIn(reason, self.refusal(text, reader))


class MidiFile(unittest.TestCase):
    @staticmethod
    def parse(path):
        """(division, [(tick, status, data)]) of a one-track file."""
        with open(path, "rb") as f:
            data = f.read()
        _, fmt, tracks, division = struct.unpack(">IHHH", data[4:14])
        assert data[:4] == b"MThd" and data[14:18] == b"MTrk" and (fmt, tracks) == (0, 1)
        body = data[22:22 + struct.unpack(">I", data[18:22])[0]]
        at, now, events = 0, 0, []
        while at < len(body):
            delta = 0
            while True:
                delta, at = (delta << 7) | (body[at] & 0x7F), at + 1
                if not body[at - 1] & 0x80:
                    break
            now += delta
            status = body[at]
            # A meta event's type and length byte, or a message's data bytes.
            size = 2 + body[at + 2] if status == 0xFF else 1 if status & 0xF0 == midi.PROGRAM else 2
            events.append((now, status, body[at + 1:at + 1 + size]))
            at += 1 + size
        return division, events

    def written(self, notes, **options):
        with tempfile.TemporaryDirectory() as scratch:
            path = os.path.join(scratch, "part.mid")
            midi.write_part(path, notes, **options)
            return self.parse(path)

    def test_notes_land_on_their_sample_even_far_into_the_song(self):
        notes = [Note("x", 48.0, 100.0, 60, 90), Note("x", 250_123.4, 50.0, 64, 100)]
        division, events = self.written(notes, program=9)
        tempo = next(e for e in events if e[1] == 0xFF and e[2][0] == 0x51)
        self.assertEqual(int.from_bytes(tempo[2][2:], "big") / 1e6 / division, 1 / SAMPLE_RATE)
        ons = [(tick, data[0]) for tick, status, data in events if status & 0xF0 == midi.NOTE_ON]
        self.assertEqual(ons, [(round(48.0 * SAMPLE_RATE / 1000), 60), (round(250_123.4 * SAMPLE_RATE / 1000), 64)])
        self.assertEqual(events[-1][1:], (0xFF, b"\x2f\x00"))

    def test_drums_play_on_the_drum_channel_and_pick_the_kit_by_program(self):
        _, events = self.written([Note("kit", 0, 10, 36, 100)], program=40, drums=True)
        channels = {status & 0x0F for _, status, _ in events if status != 0xFF}
        self.assertEqual(channels, {midi.DRUM_CHANNEL})
        self.assertIn((midi.PROGRAM | midi.DRUM_CHANNEL, b"\x28"), [(s, d) for _, s, d in events])
        self.assertNotIn(midi.CC_BANK_SELECT, [d[0] for _, s, d in events if s & 0xF0 == midi.CONTROL])

    def test_a_repeated_key_is_never_silenced_by_the_note_before(self):
        # The second and third are struck together: the longer one sounds.
        notes = [Note("x", 0, 500, 60, 100), Note("x", 200.01, 50, 60, 100), Note("x", 200, 500, 60, 100)]
        events = sorted(midi.note_events(notes, 0))
        kinds = [message[0] & 0xF0 for _, _, message in events]
        self.assertEqual(kinds, [midi.NOTE_ON, midi.NOTE_OFF, midi.NOTE_ON, midi.NOTE_OFF])
        self.assertEqual(events[1][0], events[2][0], "the first note ends where the next starts")
        self.assertEqual(events[-1][0], round(700 * SAMPLE_RATE / 1000))


@unittest.skipUnless(HAVE_NUMPY, "numpy is not installed")
class Sound(unittest.TestCase):
    def test_a_syllable_starts_at_once_and_ends_in_silence(self):
        length = int(0.07 * SAMPLE_RATE)  # the shortest syllables are 70 ms
        onset = int(0.008 * SAMPLE_RATE)
        for sound in ("sn.o-oo.", "kr.a-ih.st", ".ih.ng", "thr.u.", "h.a.rts"):
            with self.subTest(sound=sound):
                voice = sing(pitch("E4"), length, 100, sound, seed=1)
                self.assertEqual(len(voice), length)
                self.assertEqual(voice[0], 0.0)
                self.assertEqual(voice[-1], 0.0)
                rms = np.sqrt(np.mean(voice ** 2))
                self.assertGreater(np.sqrt(np.mean(voice[:onset] ** 2)), rms / 10, "no crisp onset")

    def test_a_bell_hit_is_sharp(self):
        hit = synth.bells([Note("bells", 0, 375, 1, 127)], PARTS["bells"], SAMPLE_RATE, seed=3)
        level = np.abs(hit).max(axis=1)
        rise = np.argmax(level > level.max() / 2)
        self.assertLess(rise, 0.01 * SAMPLE_RATE)

    def test_a_pulse_wave_keeps_its_duty_and_has_no_offset(self):
        part = PARTS["chip_harm"]
        wave = synth.pulse([Note("chip_harm", 0, 500, pitch("A4"), 127)], part, SAMPLE_RATE, seed=0)
        held = wave[int(0.4 * SAMPLE_RATE):int(0.48 * SAMPLE_RATE)]
        self.assertAlmostEqual(np.mean(held > 0), part.setting, delta=0.02)
        self.assertAlmostEqual(np.mean(held), 0, delta=0.05 * np.abs(held).max())

    def test_the_limiter_holds_the_ceiling_and_leaves_quiet_sound_alone(self):
        t = np.arange(SAMPLE_RATE) / SAMPLE_RATE
        quiet = 0.1 * np.sin(2 * np.pi * 220 * t)
        signal = np.stack([quiet, quiet], axis=1)
        signal[SAMPLE_RATE // 2:SAMPLE_RATE // 2 + 200] *= 30
        original = signal.copy()
        mix.limit(signal)
        self.assertLessEqual(np.abs(signal).max(), mix.db(mix.LIMIT_CEILING_DBFS) + 1e-12)
        np.testing.assert_allclose(signal[:SAMPLE_RATE // 4], original[:SAMPLE_RATE // 4])

    def test_the_tape_slows_down_and_stops(self):
        t = np.arange(2 * SAMPLE_RATE) / SAMPLE_RATE
        tone = np.sin(2 * np.pi * 1000 * t)
        signal = np.stack([tone, tone], axis=1)
        start, end = SAMPLE_RATE // 2, SAMPLE_RATE
        mix.tape_stop(signal, start, end)
        np.testing.assert_array_equal(signal[:start, 0], tone[:start])

        def crossings(a, b):
            return np.sum(np.diff(np.sign(signal[a:b, 0])) != 0)

        quarter = (end - start) // 4
        self.assertLess(crossings(end - quarter, end), crossings(start, start + quarter) / 2)
        self.assertFalse(signal[end:].any())

    def test_the_high_pass_cuts_rumble_and_keeps_the_rest(self):
        t = np.arange(SAMPLE_RATE) / SAMPLE_RATE
        for hz, low, high in ((20, -60, -10), (2000, -0.5, 0.5)):
            tone = np.sin(2 * np.pi * hz * t)
            kept = mix.highpass(tone, 150)[SAMPLE_RATE // 4:-SAMPLE_RATE // 4]
            change = mix.to_db(np.std(kept) / np.std(tone))
            with self.subTest(hz=hz):
                self.assertTrue(low < change < high, change)

if __name__ == "__main__":
    unittest.main()
