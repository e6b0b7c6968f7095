// The song as the show's mixer plays it: decoded by SDL_mixer through the
// show's own audio set-up, recorded from the buffer in which the music
// starts, and compared with the script as a viewer hears it (the mixer's
// output reaches the ears heardDelayMs later).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/audio.h"
#include "assets/song_stream.h"
#include "timeline/timeline.h"
#include "set_up_failure.h"
#include "sound_analysis.h"

namespace {

constexpr int firstHeardBeat = 1;   // beat 0 is heard before the music starts
constexpr int lastLayingBeat = trackLaidMs / beatMs;  // the track's last piece lands here
constexpr double onsetToleranceMs = 30.0;
constexpr int fullScale = 32767;
constexpr double silentDbfs = -50.0;
constexpr double startSilenceMs = 40.0;  // the decoder's silent lead-in
constexpr double sectionLoudnessSpreadDb = 4.0;
constexpr double jumpToleranceMs = 30.0;

// The show's sections as heard, in ms of globaltime, from the timeline.
struct Section {
    const char* name;
    std::uint32_t fromMs;
    std::uint32_t toMs;
};
constexpr std::uint32_t layingJudgedFromMs = 4000;   // once the opening hits have built up
constexpr std::uint32_t closingJudgedUntilMs = 270000;  // before the coda dies away
constexpr Section sections[] = {
    {"laying the track", layingJudgedFromMs, trackLaidMs},
    {"the ride", trackLaidMs, ballArrivesMs},
    {"the title", windowOf(Layer::TitleDance).after, windowOf(Layer::TitleDance).until},
    {"the sung verse", windowOf(Layer::Singer).after, windowOf(Layer::Singer).until},
    {"the greetings", windowOf(Layer::XorPattern).after, windowOf(Layer::XorPattern).until},
    {"the chase", windowOf(Layer::HeartChase).after, windowOf(Layer::RetroBanner).after},
    {"the 8-bit computer", windowOf(Layer::RetroComputer).after, windowOf(Layer::Credits).after},
    {"the credits", windowOf(Layer::Credits).after, windowOf(Layer::Credits).until},
    {"the closing card", windowOf(Layer::ClosingCard).after, closingJudgedUntilMs},
};

struct Recorder {
    std::vector<std::int16_t> samples;  // interleaved stereo
    bool recording = false;
};

// Runs on the audio thread after every mix.
void recordMix(void* user, Uint8* stream, int bytes)
{
    auto* recorder = static_cast<Recorder*>(user);
    if (!recorder->recording) {
        return;
    }
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    recorder->samples.insert(recorder->samples.end(), samples, samples + bytes / 2);
    if (!Mix_PlayingMusic()) {
        recorder->recording = false;
    }
}

class SongAsPlayed : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // No sound card is needed: the disk driver mixes as fast as it can
        // into a file nobody reads.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        if (SDL_Init(SDL_INIT_AUDIO) != 0) {
            failSetUp("SDL_Init", SDL_GetError());
        }
        if (!openMixer()) {
            failSetUp("opening the disk audio driver", SDL_GetError());
        }
        ShowSong song;
        if (!openSong(song, musicBlock())) {
            failSetUp("opening the song", Mix_GetError());
        }

        static Recorder recorder;
        Mix_SetPostMix(recordMix, &recorder);
        SDL_LockAudio();
        recorder.recording = true;
        Mix_PlayMusic(song.music, 0);
        SDL_UnlockAudio();
        while (Mix_PlayingMusic()) {
            SDL_Delay(10);
        }
        SDL_LockAudio();
        recorder.recording = false;
        Mix_SetPostMix(nullptr, nullptr);
        SDL_UnlockAudio();
        closeSong(song);
        Mix_CloseAudio();
        SDL_Quit();
        stereo = std::move(recorder.samples);
        mono = monoFromStereo(stereo);
    }

    static std::size_t sampleAtMixerMs(double ms) { return static_cast<std::size_t>(std::max(0.0, ms) * mixerRate / 1000.0); }
    static double mixerMsOfHeard(double heardMs) { return heardMs - heardDelayMs; }

    static std::vector<std::int16_t> stereo;
    static std::vector<float> mono;
};

std::vector<std::int16_t> SongAsPlayed::stereo;
std::vector<float> SongAsPlayed::mono;

TEST_F(SongAsPlayed, LaysTheTrackOnHitsHeardOnEveryBeat)
{
    ASSERT_FALSE(mono.empty());
    const double sectionEndMs = mixerMsOfHeard(lastLayingBeat * double{beatMs}) + onsetToleranceMs;
    std::vector<double> onsets;
    for (double at : findOnsetsMs(mono, mixerRate)) {
        if (at <= sectionEndMs) {
            onsets.push_back(at);
        }
    }
    for (double at : onsets) {
        const double beat = std::round((at + heardDelayMs) / double{beatMs});
        EXPECT_NEAR(at, mixerMsOfHeard(beat * beatMs), onsetToleranceMs)
            << "a sound starts between beats at " << at << " ms of the mixer's output";
    }
    for (int beat = firstHeardBeat; beat <= lastLayingBeat; ++beat) {
        const double expected = mixerMsOfHeard(beat * double{beatMs});
        const bool hit = std::any_of(onsets.begin(), onsets.end(), [&](double at) {
            return std::abs(at - expected) <= onsetToleranceMs;
        });
        EXPECT_TRUE(hit) << "no hit for beat " << beat << ", due at " << expected << " ms";
    }
}

TEST_F(SongAsPlayed, NeverClips)
{
    const auto clipped = std::count_if(stereo.begin(), stereo.end(), [](std::int16_t s) {
        return s >= fullScale || s <= -fullScale;
    });
    EXPECT_EQ(clipped, 0);
}

TEST_F(SongAsPlayed, KeepsOneLoudnessAcrossTheShow)
{
    std::vector<double> levels;
    for (const Section& section : sections) {
        levels.push_back(rmsDbfs(mono, sampleAtMixerMs(mixerMsOfHeard(section.fromMs)),
                                 sampleAtMixerMs(mixerMsOfHeard(section.toMs))));
    }
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_NEAR(levels[i], median, sectionLoudnessSpreadDb) << sections[i].name;
    }
}

TEST_F(SongAsPlayed, StartsAndEndsInSilenceSoTheLoopIsClean)
{
    ASSERT_GT(mono.size(), std::size_t{2 * mixerChunkSamples});
    EXPECT_LT(rmsDbfs(mono, 0, sampleAtMixerMs(startSilenceMs)), silentDbfs) << "the start";
    // The music stopped somewhere in the last recorded chunk; the chunk
    // before it holds the song's last moments.
    EXPECT_LT(rmsDbfs(mono, mono.size() - 2 * mixerChunkSamples, mono.size()), silentDbfs)
        << "the end";
}

// Where the mixer plays from right after the show moves the song, as the
// s, c and r keys do: the moment of the song whose sound matches what is
// played, found in the recording of the song played from its start.
class SongAfterAJump : public SongAsPlayed {
protected:
    static constexpr std::uint32_t recordMs = 250;
    static constexpr std::uint32_t searchMs = 1500;

    // The time of the recording from the start (ms since Mix_PlayMusic) whose
    // sound the music plays on with after a move from fromMs to toMs.
    static double landingMs(std::uint32_t fromMs, std::uint32_t toMs)
    {
        const std::vector<float> played = playedAfterMove(fromMs, toMs);
        const std::size_t length = sampleAtMixerMs(recordMs);
        if (played.size() < length) {
            return -1;
        }
        const std::size_t centre = sampleAtMixerMs(toMs);
        const std::size_t first = centre - sampleAtMixerMs(searchMs);
        const std::size_t last = std::min(mono.size() - length, centre + sampleAtMixerMs(searchMs));
        std::size_t best = first;
        double bestDistance = -1;
        for (std::size_t at = first; at <= last; ++at) {
            double distance = 0;
            for (std::size_t i = 0; i < length && (bestDistance < 0 || distance < bestDistance); ++i) {
                const double d = played[i] - mono[at + i];
                distance += d * d;
            }
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = at;
            }
        }
        return best * 1000.0 / mixerRate;
    }

    static std::vector<float> playedAfterMove(std::uint32_t fromMs, std::uint32_t toMs)
    {
        if (SDL_Init(SDL_INIT_AUDIO) != 0 || !openMixer()) {
            failSetUp("opening the disk audio driver", SDL_GetError());
        }
        ShowSong song;
        openSong(song, musicBlock());
        const std::uint32_t songLength = songLengthMs(musicBlock());
        Recorder recorder;
        Mix_SetPostMix(recordMix, &recorder);
        Mix_PlayMusic(song.music, -1);
        moveSongTo(song, fromMs, songLength);
        SDL_Delay(playOnMs);
        SDL_LockAudio();
        recorder.recording = true;
        moveSongTo(song, toMs, songLength);
        SDL_UnlockAudio();
        const std::size_t wanted = 2 * sampleAtMixerMs(recordMs);
        for (bool enough = false; !enough;) {
            SDL_Delay(playOnMs);
            SDL_LockAudio();
            enough = recorder.samples.size() >= wanted;
            SDL_UnlockAudio();
        }
        SDL_LockAudio();
        Mix_SetPostMix(nullptr, nullptr);
        SDL_UnlockAudio();
        closeSong(song);
        Mix_CloseAudio();
        SDL_Quit();
        return monoFromStereo(recorder.samples);
    }

    static constexpr Uint32 playOnMs = 20;
};

TEST_F(SongAfterAJump, PlaysTheSongAtTheNewShowTimeForwardsAndBackwards)
{
    const struct {
        const char* key;
        std::uint32_t fromMs;
        std::uint32_t toMs;
    } jumps[] = {
        {"c at 2 s", 2000, 111000},
        {"c at 160 s, backwards", 160000, 111000},
        {"r at 20 s", 20000, 153000},
        {"s at 150 s", 150000, 160000},
    };
    for (const auto& jump : jumps) {
        const double landed = landingMs(jump.fromMs, jump.toMs);
        // The recording from the start holds the decoder's lead-in too, so
        // the right place is the show time itself; the seek rounds up to the
        // next 26 ms frame.
        EXPECT_NEAR(landed, jump.toMs, jumpToleranceMs) << jump.key;
    }
}

}  // namespace
