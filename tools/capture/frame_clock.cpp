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

CapturedShow::CapturedShow(FrameRate rate) : clock_(rate, 0), state_(std::make_unique<ShowState>(referenceSnowSeed)) {}

CapturedShow::~CapturedShow() = default;

void CapturedShow::catchUpTo(std::uint32_t ms)
{
    for (const std::uint64_t end = clock_.framesBefore(ms); next_ < end; ++next_) {
        advanceFrame(clock_.timeOf(next_), *state_);
    }
}

void CapturedShow::draw(std::uint32_t t)
{
    playFrame(t, *state_);
}

std::uint32_t CapturedShow::drawNextFrame()
{
    const std::uint32_t t = clock_.timeOf(next_++);
    draw(t);
    return t;
}
