// The song decoded with libmad exactly as the show's mixer decodes an MP3:
// the same library and the same rounding to 16 bits, every frame played
// (the information frame as 1152 samples of silence), and the loop running
// straight on from the last frame to the first with the decoder's memory
// carried over. Unlike the mixer it starts anywhere at once: a seek feeds a
// fresh decoder only the few frames before the target that the target's
// sound depends on.
#pragma once

#include <mad.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/song_stream.h"

class SongDecoder {
public:
    // The song's bytes must outlive the decoder; index is indexSong(song)
    // and has frames.
    SongDecoder(MediaBlock song, SongIndex index);
    ~SongDecoder();
    SongDecoder(const SongDecoder&) = delete;
    SongDecoder& operator=(const SongDecoder&) = delete;

    std::uint64_t loopLength() const { return loopSamples(index_); }

    // The next sample rendered is songSample (below loopLength) of the song.
    // afterLoop: the song has played through before, so the frames before
    // its start are its last ones.
    void seek(std::uint64_t songSample, bool afterLoop);

    // The next sampleFrames of the song, interleaved stereo, 16-bit,
    // looping at its end.
    void render(std::int16_t* out, std::size_t sampleFrames);

    // Frames that failed to decode while playing; each played as silence.
    int failedFrames() const { return failedFrames_; }

private:
    bool decodeFrame(std::size_t frame, bool synthesise);
    void playFrame(std::size_t frame);
    void forgetSong();

    MediaBlock song_;
    SongIndex index_;
    // libmad reads a few bytes past a frame's end: the last frame is copied
    // here with zeros after it, or it would be lost.
    std::vector<unsigned char> lastFrame_;
    mad_stream stream_{};
    mad_frame frame_{};
    mad_synth synth_{};
    std::array<std::int16_t, 2 * mp3SamplesPerFrame> pcm_{};
    std::size_t playing_ = 0;  // the frame whose samples are in pcm_
    std::size_t pcmUsed_ = 0;  // of them already rendered
    int failedFrames_ = 0;
};
