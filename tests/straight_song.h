// The song decoded once, straight through one loop: what every seek, jump
// and span of heard music is compared with. Every pass of the loop plays the
// same samples (the song starts and ends in silence).
#pragma once

#include <cstdint>
#include <vector>

#include "assets/song_decoder.h"

class StraightSong {
public:
    StraightSong();

    const SongIndex& index() const { return index_; }
    std::uint64_t loopLength() const { return loopSamples(index_); }

    // Whether samples (interleaved stereo) are the straight play's from
    // show sample from on, in whichever pass of the loop.
    bool matches(const std::int16_t* samples, std::uint64_t from, std::uint64_t sampleFrames) const;

private:
    SongIndex index_;
    std::vector<std::int16_t> samples_;
};

// Decoded on first use, once per test program.
const StraightSong& straightSong();
