// The onset finder that the song's timing checks trust, on made-up sound.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sound_analysis.h"

namespace {

constexpr int rate = 44100;
constexpr double pi = 3.14159265358979;
constexpr double placementToleranceMs = 8.0;

std::vector<float> silence(double seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds * rate), 0.0f);
}

// A decaying 200 Hz thump with a noisy click on top, as a drum sounds.
void addHit(std::vector<float>& sound, double atMs, float level)
{
    const auto start = static_cast<std::size_t>(atMs * rate / 1000);
    unsigned noise = 12345;
    for (std::size_t i = 0; i < std::size_t(rate / 10) && start + i < sound.size(); ++i) {
        const double t = double(i) / rate;
        noise = noise * 1103515245u + 12345u;
        const double click = (double((noise >> 16) & 0x7fff) / 16384.0 - 1.0) * std::exp(-t * 200);
        sound[start + i] += float(level * (std::sin(2 * pi * 200 * t) * std::exp(-t * 30) + 0.5 * click));
    }
}

}  // namespace

TEST(OnsetFinder, PlacesEachHitWhereItStartsEvenOverAHeldChordAndIgnoresSwellsAndHiss)
{
    std::vector<float> hits = silence(3.0);
    const std::vector<double> hitsAt = {100.0, 475.0, 850.0, 1225.0, 2000.0};
    for (double at : hitsAt) {
        addHit(hits, at, 0.5f);
    }
    // A pad fading in over a second, a hit over it.
    std::vector<float> overChord = silence(2.0);
    constexpr double swellDbPerSecond = 40.0;
    constexpr double swellFromDb = -40.0;
    for (std::size_t i = 0; i < overChord.size(); ++i) {
        const double t = double(i) / rate;
        const double gain = std::pow(10.0, std::min(0.0, swellFromDb + swellDbPerSecond * t) / 20);
        overChord[i] = float(0.2 * gain * (std::sin(2 * pi * 220 * t) + std::sin(2 * pi * 277 * t)));
    }
    addHit(overChord, 1200.0, 0.5f);
    std::vector<float> hiss = silence(1.0);
    unsigned noise = 1;
    for (float& s : hiss) {
        noise = noise * 1103515245u + 12345u;
        s = float((noise >> 16) & 0x7fff) / 32768.0f * 1e-4f;
    }
    const std::pair<const std::vector<float>*, std::vector<double>> cases[] = {
        {&hits, hitsAt}, {&overChord, {1200.0}}, {&hiss, {}}};
    for (const auto& [sound, expected] : cases) {
        const std::vector<double> onsets = findOnsetsMs(*sound, rate);
        ASSERT_EQ(onsets.size(), expected.size()) << "a swell or hiss is no attack";
        for (std::size_t i = 0; i < onsets.size(); ++i) {
            EXPECT_NEAR(onsets[i], expected[i], placementToleranceMs);
        }
    }
}

TEST(Loudness, MeasuresAFullScaleSquareWaveAtZeroDecibels)
{
    std::vector<float> square(1000);
    for (std::size_t i = 0; i < square.size(); ++i) {
        square[i] = (i / 50) % 2 ? 1.0f : -1.0f;
    }
    EXPECT_NEAR(rmsDbfs(square, 0, square.size()), 0.0, 1e-9);
    EXPECT_NEAR(rmsDbfs(std::vector<float>(square.size(), 0.5f), 0, square.size()), 20 * std::log10(0.5), 1e-6);
}
