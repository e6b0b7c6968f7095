// Measurements on decoded sound for the song's checks: where notes start,
// and how loud a stretch is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Interleaved 16-bit stereo to mono in -1..1.
std::vector<float> monoFromStereo(const std::vector<std::int16_t>& stereo);

// Times (ms from the first sample) at which a sound starts: a sharp rise of
// the high-frequency-weighted level, as a drum hit or a plucked note makes.
// Slow swells and held notes do not count.
std::vector<double> findOnsetsMs(const std::vector<float>& mono, int rate);

// Level of samples [begin, end) in dB relative to a full-scale square wave.
double rmsDbfs(const std::vector<float>& mono, std::size_t begin, std::size_t end);
