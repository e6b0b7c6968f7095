"""The show's song: its score (pure Python, standard library only) and the
renderer that turns it into assets/media/song.mp3 (numpy, fluidsynth,
lame). tools/media/make_song.py runs it."""
