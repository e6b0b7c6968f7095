// The song as the show's player and mixer play it, recorded from the mix in
// which the music starts, against the mixer's own decoding of the MP3 and
// the script as a viewer hears it (heardDelayMs after the mix).
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "app/audio.h"
#include "app/show_layers.h"
#include "lockstep_mixer.h"
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
    std::size_t wanted = 0;
    bool recording = false;
};

// Runs on the audio thread after every mix.
void recordMix(void* user, Uint8* stream, int bytes)
{
    auto* recorder = static_cast<Recorder*>(user);
    if (!recorder->recording || recorder->samples.size() >= recorder->wanted) {
        return;
    }
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    recorder->samples.insert(recorder->samples.end(), samples, samples + bytes / 2);
}

// What the open mixer plays, sampleFrames of it, from the mix in which
// begin starts the music.
std::vector<std::int16_t> recordPlayed(const std::function<void()>& begin, std::size_t sampleFrames)
{
    constexpr Uint32 pollMs = 10;
    Recorder recorder;
    recorder.wanted = mixerChannels * sampleFrames;
    Mix_SetPostMix(recordMix, &recorder);
    SDL_LockAudio();
    recorder.recording = true;
    begin();
    SDL_UnlockAudio();
    for (bool done = false; !done;) {
        SDL_Delay(pollMs);
        SDL_LockAudio();
        done = recorder.samples.size() >= recorder.wanted;
        SDL_UnlockAudio();
    }
    Mix_SetPostMix(nullptr, nullptr);
    recorder.samples.resize(recorder.wanted);
    return std::move(recorder.samples);
}

class SongAsPlayed : public ::testing::Test {
protected:
    // Started at show time 0, played on a device that keeps time, through
    // the first loop into the next.
    static void SetUpTestSuite()
    {
        openDiskMixer();
        ShowSong song;
        if (!openSong(song, musicBlock())) {
            failSetUp("opening the song", SDL_GetError());
        }
        const auto mixes = static_cast<int>((loop + intoNextLoop + mixerChunkSamples - 1) / mixerChunkSamples);
        const std::vector<MixedChunk> chunks = playInLockstep(*song.player, 0, 0, mixes, [&song](std::uint32_t tick) {
            if (tick == 0) {
                startSong(song, 0, tick);
            }
        });
        for (const MixedChunk& chunk : chunks) {
            stereo.insert(stereo.end(), chunk.samples.begin(), chunk.samples.end());
        }
        stereo.resize(mixerChannels * (loop + intoNextLoop));
        closeSong(song);
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        mono = monoFromStereo(stereo);
    }

    static std::size_t sampleAtMixerMs(double ms) { return static_cast<std::size_t>(std::max(0.0, ms) * mixerRate / 1000.0); }
    static double mixerMsOfHeard(double heardMs) { return heardMs - heardDelayMs; }

    static inline const std::size_t loop = loopSamples(indexSong(musicBlock()));
    static constexpr std::size_t intoNextLoop = 4 * mixerChunkSamples;
    static std::vector<std::int16_t> stereo;
    static std::vector<float> mono;
};

std::vector<std::int16_t> SongAsPlayed::stereo;
std::vector<float> SongAsPlayed::mono;

TEST_F(SongAsPlayed, IsTheMixersOwnMp3MusicSampleForSampleAndLoopsWhereItLoops)
{
    openDiskMixer();
    const MediaBlock block = musicBlock();
    SDL_RWops* stream = SDL_RWFromConstMem(block.data, static_cast<int>(block.size));
    Mix_Music* music = Mix_LoadMUS_RW(stream);
    ASSERT_NE(music, nullptr) << Mix_GetError();
    const std::vector<std::int16_t> own = recordPlayed([music] { Mix_PlayMusic(music, -1); }, loop + intoNextLoop);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    SDL_RWclose(stream);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const auto differs = std::mismatch(own.begin(), own.end(), stereo.begin());
    EXPECT_EQ(differs.first, own.end()) << "first different at sample " << (differs.first - own.begin()) / 2;
}

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

TEST_F(SongAsPlayed, KeepsOneLoudnessAcrossTheShowAndNeverClips)
{
    EXPECT_TRUE(std::none_of(stereo.begin(), stereo.end(), [](std::int16_t s) { return std::abs(s) >= fullScale; }))
        << "clips";
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
    EXPECT_LT(rmsDbfs(mono, 0, sampleAtMixerMs(startSilenceMs)), silentDbfs) << "the start";
    EXPECT_LT(rmsDbfs(mono, loop - 2 * mixerChunkSamples, loop), silentDbfs) << "the end";
}

}  // namespace
