// The show's music and its clock. The clock is the show's one time and the
// music follows it: a jump moves the clock at once, and at its next mix the
// audio thread starts the song where the clock is then, so the picture
// never waits for the sound and the sound is never left behind. Each mix is
// placed for the tick the device wanted it at, not the tick the audio thread
// got to it, so a late thread costs nothing as heard. Between jumps the
// clock is nudged towards the music, so that over a long run it keeps the
// pace of the audio device rather than of the tick counter; should the two
// ever part by more than a nudge can mend (the machine or the device
// stalled), the next mix places the music at the clock, as a jump does. The
// audio thread does all the decoding; the main thread only reads and writes
// a few numbers under a lock of the player's own, never SDL's audio lock.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include "app/heard_delay.h"
#include "app/show_clock.h"
#include "assets/song_decoder.h"

// A device that has not asked for a first mix within two chunks of the
// start never will: the clock then runs on without it.
constexpr std::uint32_t firstMixWaitMs = 2 * mixerChunkSamples * msPerSecond / showSampleRate;
// Within this much of the music the clock is left alone: on a busy machine
// the device's calls come a few ms early or late.
constexpr std::int64_t clockDeadbandMs = 5;
// The most the clock is moved at one mix (186 ms): about 1 %, too little to
// see, enough for any device's pace.
constexpr std::int64_t clockStepMs = 2;
// Further apart than this, no longer heard together, the music is placed at
// the clock anew; well past the jitter of a device's calls, which the nudge
// evens out.
constexpr std::int64_t resyncBeyondMs = 30;

// Whose pace the clock keeps between jumps.
enum class ClockPace {
    Device,  // a sound device's: the clock is nudged towards the music
    Wall,    // the tick counter's: SDL's silent dummy device keeps no real pace
};

class MusicPlayer {
public:
    // song must outlive the player; index is indexSong(song), with frames.
    MusicPlayer(MediaBlock song, SongIndex index, ClockPace pace);

    // The music starts at show time fromMs with the next mix, and until then
    // the clock holds at fromMs, so that the first sound and the first
    // frame agree.
    void start(std::uint64_t fromMs, std::uint32_t now);

    // The show moves to showMs at tick now. Any number of moves before the
    // next mix make one seek, to where the last one leads.
    void jumpTo(std::uint64_t showMs, std::uint32_t now);

    // The show time at tick now (0 before the start). It goes back only by
    // a jump: nudging slows the clock, it never turns it back.
    std::uint64_t showMs(std::uint32_t now);

    // Paused at tick now, the clock holds where it is and the mixes are
    // silent from the next one on; a jump while paused moves the held time.
    // Resumed at tick now, the clock runs on from the held time, and the
    // next mix places the music where the clock is then, as after a jump.
    // Pausing twice, or resuming what runs, changes nothing.
    void pause(bool paused, std::uint32_t now);

    // Silent mixes or sound again, from the next mix on; the clock and the
    // music's place run on either way.
    void setMuted(bool muted) { muted_ = muted; }
    bool muted() const { return muted_; }

    // The audio thread's mix at tick now: the next sampleFrames of music,
    // interleaved stereo, or silence before the start and while paused.
    void mix(std::int16_t* out, std::size_t sampleFrames, std::uint32_t now);

    // What the last mix played.
    struct Mix {
        std::uint32_t tick = 0;             // when the audio thread made it
        std::uint32_t dueTick = 0;          // when the device wanted it (DeviceSchedule)
        std::uint64_t musicShowSample = 0;  // the show sample its music begins with
        std::uint64_t clockMs = 0;          // the show time at its due tick
        bool placed = false;                // it started the song somewhere new
        bool paused = false;                // silence, the show paused
    };
    Mix lastMix() const;

private:
    std::uint64_t clockAt(std::uint32_t now);

    mutable std::mutex lock_;
    // Shared, under lock_.
    bool started_ = false;
    bool waitingForFirstMix_ = false;
    bool paused_ = false;
    std::uint32_t startTick_ = 0;
    ClockAnchor anchor_{0, 0};
    std::uint64_t heldMs_ = 0;
    std::uint64_t moves_ = 0;
    std::uint64_t shownMs_ = 0;
    Mix last_;
    // Set once, read by the audio thread.
    const ClockPace pace_;
    std::atomic<bool> muted_{false};
    // The audio thread's own.
    SongDecoder decoder_;
    std::uint64_t movesPlayed_ = 0;
    std::uint64_t nextShowSample_ = 0;
    DeviceSchedule schedule_;
};
