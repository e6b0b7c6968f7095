#include "straight_song.h"

#include "assets/media_table.h"

StraightSong::StraightSong() : index_(indexSong(musicBlock()))
{
    SongDecoder decoder(musicBlock(), index_);
    samples_.resize(2 * loopLength());
    decoder.render(samples_.data(), loopLength());
}

bool StraightSong::matches(const std::int16_t* samples, std::uint64_t from, std::uint64_t sampleFrames) const
{
    for (std::uint64_t i = 0; i < sampleFrames; ++i) {
        const std::uint64_t at = (from + i) % loopLength();
        if (samples[2 * i] != samples_[2 * at] || samples[2 * i + 1] != samples_[2 * at + 1]) {
            return false;
        }
    }
    return true;
}

const StraightSong& straightSong()
{
    static const StraightSong song;
    return song;
}
