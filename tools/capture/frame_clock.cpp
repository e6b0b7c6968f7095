#include "tools/capture/frame_clock.h"

namespace {

constexpr unsigned __int128 msPerSecond = 1000;

}  // namespace

// 128-bit products: an hour at 60000/1001 already needs more than 32 bits,
// and the largest rates and spans the options allow more than 64.
std::uint32_t FrameClock::timeOf(std::uint64_t frame) const
{
    const unsigned __int128 elapsed = frame * msPerSecond * rate_.perSeconds / rate_.frames;
    return fromMs_ + static_cast<std::uint32_t>(elapsed);
}

std::uint64_t FrameClock::framesBefore(std::uint32_t ms) const
{
    if (ms <= fromMs_) {
        return 0;
    }
    const unsigned __int128 span = ms - fromMs_;
    const unsigned __int128 per = msPerSecond * rate_.perSeconds;
    return static_cast<std::uint64_t>((span * rate_.frames + per - 1) / per);
}

std::uint64_t samplesLasting(std::uint64_t frames, FrameRate rate, int sampleRate)
{
    const unsigned __int128 scaled = static_cast<unsigned __int128>(frames) * rate.perSeconds * sampleRate;
    return static_cast<std::uint64_t>((scaled + rate.frames / 2) / rate.frames);
}

void ShowCatchUp::runFramesBefore(std::uint32_t ms, ShowState& state)
{
    for (const std::uint64_t end = clock_.framesBefore(ms); next_ < end; ++next_) {
        advanceFrame(clock_.timeOf(next_), state);
    }
}
