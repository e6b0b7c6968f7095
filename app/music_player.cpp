#include "app/music_player.h"

#include <algorithm>
#include <utility>

MusicPlayer::MusicPlayer(MediaBlock song, SongIndex index, ClockPace pace)
    : pace_(pace), decoder_(song, std::move(index))
{
}

void MusicPlayer::start(std::uint64_t fromMs, std::uint32_t now)
{
    std::lock_guard<std::mutex> hold(lock_);
    started_ = true;
    waitingForFirstMix_ = true;
    startTick_ = now;
    anchor_ = {fromMs, now};
    shownMs_ = fromMs;
    ++moves_;
}

void MusicPlayer::jumpTo(std::uint64_t showMs, std::uint32_t now)
{
    std::lock_guard<std::mutex> hold(lock_);
    waitingForFirstMix_ = false;
    anchor_ = {showMs, now};
    shownMs_ = showMs;
    ++moves_;
}

std::uint64_t MusicPlayer::showMs(std::uint32_t now)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!started_) {
        return 0;
    }
    if (waitingForFirstMix_) {
        if (ticksSince(startTick_, now) <= firstMixWaitMs) {
            return anchor_.showMs;
        }
        waitingForFirstMix_ = false;
        anchor_.tick = startTick_ + firstMixWaitMs;
    }
    shownMs_ = std::max(shownMs_, showMsAt(anchor_, now));
    return shownMs_;
}

void MusicPlayer::mix(std::int16_t* out, std::size_t sampleFrames, std::uint32_t now)
{
    ClockAnchor anchor{};
    std::uint64_t moves = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!started_) {
            std::fill(out, out + mixerChannels * sampleFrames, 0);
            return;
        }
        if (waitingForFirstMix_) {
            anchor_.tick = now;
            waitingForFirstMix_ = false;
        }
        anchor = anchor_;
        moves = moves_;
    }
    const std::uint64_t clockMs = showMsAt(anchor, now);
    const bool place = moves != movesPlayed_;
    if (place) {
        // Outside the lock: a jump on the main thread never waits for the
        // few frames a seek decodes.
        nextShowSample_ = sampleAtMs(clockMs);
        const SongPlace at = songPlaceAt(nextShowSample_, decoder_.loopLength());
        decoder_.seek(at.sample, at.afterLoop);
        movesPlayed_ = moves;
    }
    decoder_.render(out, sampleFrames);
    if (muted_) {
        std::fill(out, out + mixerChannels * sampleFrames, 0);
    }
    std::lock_guard<std::mutex> hold(lock_);
    last_ = {now, nextShowSample_, clockMs, place};
    // A jump made while this mix was decoding keeps its own anchor.
    if (moves_ == moves) {
        const auto gapMs = static_cast<std::int64_t>(msAtSample(nextShowSample_)) - static_cast<std::int64_t>(clockMs);
        anchor_ = slewedAnchor(anchor_, now, gapMs, clockDeadbandMs, pace_ == ClockPace::Device ? clockStepMs : 0);
    }
    nextShowSample_ += sampleFrames;
}

MusicPlayer::Mix MusicPlayer::lastMix() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return last_;
}
