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
    paused_ = false;
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
    heldMs_ = showMs;
    shownMs_ = showMs;
    ++moves_;
}

std::uint64_t MusicPlayer::showMs(std::uint32_t now)
{
    std::lock_guard<std::mutex> hold(lock_);
    return clockAt(now);
}

std::uint64_t MusicPlayer::clockAt(std::uint32_t now)
{
    if (!started_) {
        return 0;
    }
    if (paused_) {
        return heldMs_;
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

void MusicPlayer::pause(bool paused, std::uint32_t now)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!started_ || paused == paused_) {
        return;
    }
    if (paused) {
        heldMs_ = clockAt(now);
        paused_ = true;
        waitingForFirstMix_ = false;
        return;
    }
    paused_ = false;
    anchor_ = {heldMs_, now};
    shownMs_ = heldMs_;
    ++moves_;
}

void MusicPlayer::mix(std::int16_t* out, std::size_t sampleFrames, std::uint32_t now)
{
    const std::uint32_t due = schedule_.dueTick(now, sampleFrames);
    ClockAnchor anchor{};
    std::uint64_t moves = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!started_ || paused_) {
            std::fill(out, out + mixerChannels * sampleFrames, 0);
            if (paused_) {
                last_ = {now, due, nextShowSample_, heldMs_, false, true};
            }
            return;
        }
        if (waitingForFirstMix_) {
            // The music starts with this mix, heard from its due tick, but
            // the clock never starts before it was asked to.
            anchor_.tick = ticksSince(startTick_, due) > 0 ? due : startTick_;
            waitingForFirstMix_ = false;
        }
        anchor = anchor_;
        moves = moves_;
    }
    const std::uint64_t clockMs = showMsCountedAt(anchor, due);
    const auto apartMs = static_cast<std::int64_t>(msAtSample(nextShowSample_)) - static_cast<std::int64_t>(clockMs);
    const bool place = moves != movesPlayed_ || apartMs > resyncBeyondMs || apartMs < -resyncBeyondMs;
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
    last_ = {now, due, nextShowSample_, clockMs, place, false};
    // A jump or pause made while this mix was decoding keeps its own clock.
    if (moves_ == moves && !paused_) {
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
