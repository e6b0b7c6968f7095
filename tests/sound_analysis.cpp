#include "sound_analysis.h"

#include <algorithm>
#include <cmath>

namespace {

// Windows long enough to smooth out the beating of held chords.
constexpr std::size_t windowSamples = 1024;  // about 23 ms at 44.1 kHz
constexpr std::size_t hopSamples = 128;
constexpr float preEmphasis = 0.95f;         // favours attacks over low rumble
constexpr std::size_t lookBackHops = 8;      // a rise must happen within ~23 ms
constexpr double riseThresholdDb = 9.0;
constexpr double silenceFloorDbfs = -50.0;
constexpr double refractoryMs = 50.0;        // one attack, one onset
constexpr double silentDbfs = -200.0;

}  // namespace

std::vector<float> monoFromStereo(const std::vector<std::int16_t>& stereo)
{
    constexpr float fullScale = 32768.0f;
    std::vector<float> mono(stereo.size() / 2);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        mono[i] = (float(stereo[2 * i]) + float(stereo[2 * i + 1])) / (2 * fullScale);
    }
    return mono;
}

double rmsDbfs(const std::vector<float>& mono, std::size_t begin, std::size_t end)
{
    end = std::min(end, mono.size());
    if (begin >= end) {
        return silentDbfs;
    }
    double sum = 0;
    for (std::size_t i = begin; i < end; ++i) {
        sum += double(mono[i]) * mono[i];
    }
    const double mean = sum / double(end - begin);
    return mean > 0 ? 10 * std::log10(mean) : silentDbfs;
}

std::vector<double> findOnsetsMs(const std::vector<float>& mono, int rate)
{
    std::vector<float> emphasised(mono.size());
    for (std::size_t i = 1; i < mono.size(); ++i) {
        emphasised[i] = mono[i] - preEmphasis * mono[i - 1];
    }
    std::vector<double> levelDb;
    for (std::size_t start = 0; start + windowSamples <= emphasised.size(); start += hopSamples) {
        levelDb.push_back(rmsDbfs(emphasised, start, start + windowSamples));
    }

    const double msPerSample = 1000.0 / rate;
    std::vector<double> onsets;
    double lastOnset = -refractoryMs;
    for (std::size_t i = lookBackHops; i < levelDb.size(); ++i) {
        const double before = *std::min_element(levelDb.begin() + long(i - lookBackHops), levelDb.begin() + long(i));
        if (levelDb[i] < silenceFloorDbfs || levelDb[i] - before < riseThresholdDb) {
            continue;
        }
        // The window first crosses the threshold when the attack has just
        // entered it: the attack began about at the window's end.
        const double at = double(i * hopSamples + windowSamples) * msPerSample;
        if (at - lastOnset >= refractoryMs) {
            onsets.push_back(at);
            lastOnset = at;
        }
    }
    return onsets;
}
