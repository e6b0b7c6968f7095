#include "tools/capture/frame_converter.h"

#include <algorithm>
#include <cstring>

#include "overlay/screen.h"

// SSE2 is part of every x86-64 processor; elsewhere (or when the checks ask
// for it) the same arithmetic runs one sample at a time.
#if defined(__SSE2__) && !defined(SLEIGHRIDE_PLAIN_CONVERSION)
#include <emmintrin.h>
#include <tmmintrin.h>
#define SLEIGHRIDE_SSE2_CONVERSION 1
#endif

namespace {

constexpr int bytesPerReadPixel = 4;
constexpr int readBlue = 0;
constexpr int readGreen = 1;
constexpr int readRed = 2;
constexpr double fullScale = 255;

// BT.709's weights of red and blue in luma; green has the rest.
constexpr double lumaRed = 0.2126;
constexpr double lumaBlue = 0.0722;
constexpr double lumaGreen = 1 - lumaRed - lumaBlue;
// Limited range: black at 16, white at 235; chroma 128 +- 112.
constexpr double lumaFloor = 16;
constexpr double lumaSpan = 219;
constexpr double chromaMiddle = 128;
constexpr double chromaSpan = 224;
constexpr double cbScale = chromaSpan / (2 * (1 - lumaBlue));
constexpr double crScale = chromaSpan / (2 * (1 - lumaRed));

// The working planes hold levels with 7 bits of fraction, so that a level
// of 255 still fits a signed 16 bits.
constexpr int fractionBits = 7;
constexpr std::int16_t fixedOne = 1 << fractionBits;
// The conversion's coefficients are levels per 8-bit unit with 15 bits of
// fraction: the largest, green's share of luma, still fits 16 bits.
constexpr int coefficientBits = 15;
// Scaling sums are fixed point times weightOne; to the working fixed point,
// or to 8-bit levels.
constexpr int toFixedShift = weightBits;
constexpr int toLevelShift = weightBits + fractionBits;
// Four pixels' sums (4:2:0 chroma drawn at the output's size) take two more bits.
constexpr int sumOfFourBits = 2;

// One component as a weighted sum of red, green and blue plus an offset.
struct Coefficients {
    std::int16_t red;
    std::int16_t green;
    std::int16_t blue;
    double offset;  // in levels
};

constexpr std::int16_t fixedCoefficient(double levelsPerUnit)
{
    const double scaled = levelsPerUnit * (1 << coefficientBits);
    return static_cast<std::int16_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

constexpr Coefficients coefficients(double red, double green, double blue, double offset)
{
    return {fixedCoefficient(red / fullScale), fixedCoefficient(green / fullScale),
            fixedCoefficient(blue / fullScale), offset};
}

constexpr Coefficients ycbcr[] = {
    coefficients(lumaSpan * lumaRed, lumaSpan * lumaGreen, lumaSpan * lumaBlue, lumaFloor),
    coefficients(-cbScale * lumaRed, -cbScale * lumaGreen, cbScale * (1 - lumaBlue), chromaMiddle),
    coefficients(crScale * (1 - lumaRed), -crScale * lumaGreen, -crScale * lumaBlue, chromaMiddle),
};

// What is added before shifting right by shift: the offset of `count`
// pixels at that shift, and half of the last unit kept, to round.
constexpr std::int32_t offsetAt(const Coefficients& c, int shift, int count)
{
    const double offset = c.offset * count * (1 << coefficientBits);
    return static_cast<std::int32_t>(offset) + (1 << (shift - 1));
}

// Two 16-bit values side by side in 32 bits, the first in the low half, as
// the multiply-add of pairs reads them.
constexpr std::int32_t pairOf(std::int32_t low, std::int32_t high)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(low)) |
                                     static_cast<std::uint32_t>(static_cast<std::uint16_t>(high)) << 16);
}

inline std::int32_t component(const Coefficients& c, std::int32_t offset, int shift, std::int32_t red,
                              std::int32_t green, std::int32_t blue)
{
    return (c.red * red + c.green * green + c.blue * blue + offset) >> shift;
}

template <typename T>
inline T narrow(std::int32_t value)
{
    return static_cast<T>(value);
}


#ifdef SLEIGHRIDE_SSE2_CONVERSION
// Eight BGRX pixels from two loads, as three vectors of eight 16-bit
// channel values.
struct EightPixels {
    __m128i red;
    __m128i green;
    __m128i blue;
};

inline EightPixels loadEightPixels(const std::uint8_t* pixels)
{
    const __m128i byteMask = _mm_set1_epi32(0xff);
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 4 * bytesPerReadPixel));
    const auto channel = [&](int byte) {
        return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(low, 8 * byte), byteMask),
                               _mm_and_si128(_mm_srli_epi32(high, 8 * byte), byteMask));
    };
    return {channel(readRed), channel(readGreen), channel(readBlue)};
}
#endif

// One row of BGRX pixels into three rows of components, 8-bit levels
// (Out = uint8_t) or the working fixed point (Out = int16_t).
template <typename Out>
void splitComponents(const std::uint8_t* pixels, int count, Out* first, Out* second, Out* third)
{
    constexpr int shift = sizeof(Out) == 1 ? coefficientBits : coefficientBits - fractionBits;
    Out* const out[] = {first, second, third};
    std::int32_t offsets[3];
    for (int c = 0; c < 3; ++c) {
        offsets[c] = offsetAt(ycbcr[c], shift, 1);
    }
    int x = 0;
#ifdef SLEIGHRIDE_SSE2_CONVERSION
    const __m128i zero = _mm_setzero_si128();
    for (; x + 8 <= count; x += 8) {
        const auto [red, green, blue] = loadEightPixels(pixels + bytesPerReadPixel * x);
        const __m128i redGreen[] = {_mm_unpacklo_epi16(red, green), _mm_unpackhi_epi16(red, green)};
        const __m128i blueNone[] = {_mm_unpacklo_epi16(blue, zero), _mm_unpackhi_epi16(blue, zero)};
        for (int c = 0; c < 3; ++c) {
            const __m128i redGreenWeights = _mm_set1_epi32(pairOf(ycbcr[c].red, ycbcr[c].green));
            const __m128i blueWeight = _mm_set1_epi32(pairOf(ycbcr[c].blue, 0));
            const __m128i offset = _mm_set1_epi32(offsets[c]);
            __m128i sums[2];
            for (int half = 0; half < 2; ++half) {
                sums[half] = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(redGreen[half], redGreenWeights),
                                                                        _mm_madd_epi16(blueNone[half], blueWeight)),
                                                          offset),
                                            shift);
            }
            const __m128i words = _mm_packs_epi32(sums[0], sums[1]);
            if constexpr (sizeof(Out) == 1) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out[c] + x), _mm_packus_epi16(words, words));
            } else {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out[c] + x), words);
            }
        }
    }
#endif
    for (; x < count; ++x) {
        const std::uint8_t* pixel = pixels + bytesPerReadPixel * x;
        for (int c = 0; c < 3; ++c) {
            out[c][x] = narrow<Out>(
                component(ycbcr[c], offsets[c], shift, pixel[readRed], pixel[readGreen], pixel[readBlue]));
        }
    }
}

// Two rows of BGRX pixels at the output's own size into their two rows of
// luma and one row each of 4:2:0 chroma, every chroma sample from the sums
// of the 2 x 2 pixels it stands for.
void splitRowPair420(const std::uint8_t* upper, const std::uint8_t* lower, int count, std::uint8_t* lumaUpper,
                     std::uint8_t* lumaLower, std::uint8_t* cb, std::uint8_t* cr)
{
    constexpr int lumaShift = coefficientBits;
    constexpr int chromaShift = coefficientBits + sumOfFourBits;
    const std::int32_t lumaOffset = offsetAt(ycbcr[0], lumaShift, 1);
    const std::int32_t chromaOffsets[] = {offsetAt(ycbcr[1], chromaShift, 4), offsetAt(ycbcr[2], chromaShift, 4)};
    std::uint8_t* const chroma[] = {cb, cr};
    int x = 0;
#ifdef SLEIGHRIDE_SSE2_CONVERSION
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi16(1);
    const __m128i lumaRedGreen = _mm_set1_epi32(pairOf(ycbcr[0].red, ycbcr[0].green));
    const __m128i lumaBlueWeight = _mm_set1_epi32(pairOf(ycbcr[0].blue, 0));
    const __m128i lumaOffsets = _mm_set1_epi32(lumaOffset);
    for (; x + 8 <= count; x += 8) {
        __m128i sums[3] = {zero, zero, zero};
        for (const auto& [pixels, luma] : {std::pair{upper, lumaUpper}, std::pair{lower, lumaLower}}) {
            const auto [red, green, blue] = loadEightPixels(pixels + bytesPerReadPixel * x);
            __m128i lumas[2];
            for (int half = 0; half < 2; ++half) {
                const __m128i redGreen = half == 0 ? _mm_unpacklo_epi16(red, green) : _mm_unpackhi_epi16(red, green);
                const __m128i blueNone = half == 0 ? _mm_unpacklo_epi16(blue, zero) : _mm_unpackhi_epi16(blue, zero);
                lumas[half] = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(redGreen, lumaRedGreen),
                                                                         _mm_madd_epi16(blueNone, lumaBlueWeight)),
                                                           lumaOffsets),
                                             lumaShift);
            }
            const __m128i words = _mm_packs_epi32(lumas[0], lumas[1]);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(luma + x), _mm_packus_epi16(words, words));
            sums[0] = _mm_add_epi16(sums[0], red);
            sums[1] = _mm_add_epi16(sums[1], green);
            sums[2] = _mm_add_epi16(sums[2], blue);
        }
        // Neighbours added: four sums of four pixels each, per channel.
        __m128i four[3];
        for (int channel = 0; channel < 3; ++channel) {
            const __m128i pairs = _mm_madd_epi16(sums[channel], ones);
            four[channel] = _mm_packs_epi32(pairs, pairs);
        }
        const __m128i redGreen = _mm_unpacklo_epi16(four[0], four[1]);
        const __m128i blueNone = _mm_unpacklo_epi16(four[2], zero);
        for (int c = 0; c < 2; ++c) {
            const Coefficients& w = ycbcr[c + 1];
            const __m128i value = _mm_srai_epi32(
                _mm_add_epi32(_mm_add_epi32(_mm_madd_epi16(redGreen, _mm_set1_epi32(pairOf(w.red, w.green))),
                                            _mm_madd_epi16(blueNone, _mm_set1_epi32(pairOf(w.blue, 0)))),
                              _mm_set1_epi32(chromaOffsets[c])),
                chromaShift);
            const __m128i words = _mm_packs_epi32(value, value);
            const std::int32_t bytes = _mm_cvtsi128_si32(_mm_packus_epi16(words, words));
            std::memcpy(chroma[c] + x / 2, &bytes, sizeof bytes);
        }
    }
#endif
    for (; x < count; x += 2) {
        std::int32_t red = 0;
        std::int32_t green = 0;
        std::int32_t blue = 0;
        for (const auto& [pixels, luma] : {std::pair{upper, lumaUpper}, std::pair{lower, lumaLower}}) {
            for (int dx = 0; dx < 2; ++dx) {
                const std::uint8_t* pixel = pixels + bytesPerReadPixel * (x + dx);
                luma[x + dx] = narrow<std::uint8_t>(
                    component(ycbcr[0], lumaOffset, lumaShift, pixel[readRed], pixel[readGreen], pixel[readBlue]));
                red += pixel[readRed];
                green += pixel[readGreen];
                blue += pixel[readBlue];
            }
        }
        for (int c = 0; c < 2; ++c) {
            chroma[c][x / 2] =
                narrow<std::uint8_t>(component(ycbcr[c + 1], chromaOffsets[c], chromaShift, red, green, blue));
        }
    }
}

// Output samples [from, until) of one row scaled across, each from the
// source samples it covers, into the working fixed point (Out = int16_t) or
// 8-bit levels (Out = uint8_t).
template <typename Out>
void scaleAcross(const std::int16_t* row, const FrameConverter::Scaling& scaling, int from, int until, Out* out)
{
    constexpr int shift = sizeof(Out) == 1 ? toLevelShift : toFixedShift;
    const AreaAxis& axis = scaling.axis;
    for (int x = from; x < until; ++x) {
        std::int32_t sum = scaling.start[static_cast<std::size_t>(x)];
        const std::int16_t* samples = row + axis.first[static_cast<std::size_t>(x)];
        const std::int16_t* weights = &axis.weights[static_cast<std::size_t>(x * axis.taps)];
        for (int k = 0; k < axis.taps; ++k) {
            sum += weights[k] * samples[k];
        }
        out[x] = narrow<Out>(sum >> shift);
    }
}

constexpr int blockSamples = 8;
constexpr int blockReach = 16;
constexpr int shuffleBytes = 16;
constexpr std::uint8_t shuffledOut = 0x80;

#ifdef SLEIGHRIDE_SSE2_CONVERSION
// Four output samples' sums from a block's sixteen source samples: per pair
// of taps, the pairs shuffled out of the two halves and multiplied-added
// with their weights.
template <int Pairs>
__attribute__((target("ssse3"))) inline __m128i blockSums(__m128i low, __m128i high, const std::uint8_t* picks,
                                                          const std::int32_t* weights, std::ptrdiff_t pairStride,
                                                          __m128i sum, int pairs)
{
    const int count = Pairs > 0 ? Pairs : pairs;
    for (int pair = 0; pair < count; ++pair) {
        const std::uint8_t* these = picks + pair * 4 * shuffleBytes;
        const __m128i samples =
            _mm_or_si128(_mm_shuffle_epi8(low, _mm_loadu_si128(reinterpret_cast<const __m128i*>(these))),
                         _mm_shuffle_epi8(high, _mm_loadu_si128(reinterpret_cast<const __m128i*>(these + shuffleBytes))));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(samples, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                                             weights + pair * pairStride))));
    }
    return sum;
}

// The whole row across, eight output samples at a time where the blocks
// allow: two loads, and per pair of taps two shuffles and a multiply-add for
// each half block. Pairs is the axis's, or 0 for any number.
template <int Pairs, typename Out>
__attribute__((target("ssse3"))) void scaleAcrossShuffled(const std::int16_t* row,
                                                         const FrameConverter::Scaling& scaling, Out* out)
{
    constexpr int shift = sizeof(Out) == 1 ? toLevelShift : toFixedShift;
    const AreaAxis& axis = scaling.axis;
    const int pairs = scaling.pairs;
    const auto outputs = static_cast<std::ptrdiff_t>(axis.first.size());
    const std::ptrdiff_t blockShuffles = static_cast<std::ptrdiff_t>(pairs) * 4 * shuffleBytes;
    const std::uint8_t* shuffles = scaling.shuffles.data();
    const std::int32_t* start = scaling.start.data();
    const std::int32_t* weights = scaling.pairWeights.data();
    int x = axis.touchedFrom;
    for (const int base : scaling.blockBases) {
        if (base < 0) {
            scaleAcross(row, scaling, x, x + blockSamples, out);
        } else {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + base));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + base + blockSamples));
            // The pairs' shuffles of each half block lie two apart.
            const __m128i left = blockSums<Pairs>(low, high, shuffles, weights + x, outputs,
                                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + x)), pairs);
            const __m128i right =
                blockSums<Pairs>(low, high, shuffles + 2 * shuffleBytes, weights + x + 4, outputs,
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + x + 4)), pairs);
            const __m128i words = _mm_packs_epi32(_mm_srai_epi32(left, shift), _mm_srai_epi32(right, shift));
            if constexpr (sizeof(Out) == 1) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(words, words));
            } else {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), words);
            }
        }
        x += blockSamples;
        shuffles += blockShuffles;
    }
    scaleAcross(row, scaling, x, axis.touchedTo, out);
}
#endif

// The whole row across, as this processor does it best.
template <typename Out>
void scaleRowAcross(const std::int16_t* row, const FrameConverter::Scaling& scaling, bool shuffles, Out* out)
{
#ifdef SLEIGHRIDE_SSE2_CONVERSION
    if (shuffles) {
        switch (scaling.pairs) {
        case 1: scaleAcrossShuffled<1>(row, scaling, out); break;
        case 2: scaleAcrossShuffled<2>(row, scaling, out); break;
        default: scaleAcrossShuffled<0>(row, scaling, out); break;
        }
        return;
    }
#endif
    (void)shuffles;
    scaleAcross(row, scaling, scaling.axis.touchedFrom, scaling.axis.touchedTo, out);
}

// Output row y of the axis down, samples [from, until), from the rows it
// covers: rows[k] is source row first[y] + k.
template <typename Out>
void scaleDown(const std::int16_t* const* rows, const FrameConverter::Scaling& scaling, int y, int from, int until,
               Out* out)
{
    constexpr int shift = sizeof(Out) == 1 ? toLevelShift : toFixedShift;
    const AreaAxis& axis = scaling.axis;
    const std::int32_t start = scaling.start[static_cast<std::size_t>(y)];
    int x = from;
#ifdef SLEIGHRIDE_SSE2_CONVERSION
    const auto outputs = static_cast<std::size_t>(axis.first.size());
    for (; x + 8 <= until; x += 8) {
        __m128i low = _mm_set1_epi32(start);
        __m128i high = low;
        for (int pair = 0; pair < scaling.pairs; ++pair) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * pair] + x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * pair + 1] + x));
            const __m128i weights =
                _mm_set1_epi32(scaling.pairWeights[static_cast<std::size_t>(pair) * outputs + static_cast<std::size_t>(y)]);
            low = _mm_add_epi32(low, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), weights));
            high = _mm_add_epi32(high, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), weights));
        }
        const __m128i words = _mm_packs_epi32(_mm_srai_epi32(low, shift), _mm_srai_epi32(high, shift));
        if constexpr (sizeof(Out) == 1) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(words, words));
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), words);
        }
    }
#endif
    const std::int16_t* weights = &axis.weights[static_cast<std::size_t>(y * axis.taps)];
    for (; x < until; ++x) {
        std::int32_t sum = start;
        for (int k = 0; k < axis.taps; ++k) {
            sum += weights[k] * rows[k][x];
        }
        out[x] = narrow<Out>(sum >> shift);
    }
}

// The blocks of eight output samples, and their shuffles, of an axis
// across a row of sourceLength samples.
void addBlocks(FrameConverter::Scaling& scaling, int sourceLength)
{
    const AreaAxis& axis = scaling.axis;
    for (int x = axis.touchedFrom; x + blockSamples <= axis.touchedTo; x += blockSamples) {
        const int base = axis.first[static_cast<std::size_t>(x)];
        const int reach = axis.first[static_cast<std::size_t>(x + blockSamples - 1)] + axis.taps - base;
        const bool fits = reach <= blockReach && base + blockReach <= sourceLength;
        scaling.blockBases.push_back(fits ? base : -1);
        for (int pair = 0; pair < scaling.pairs; ++pair) {
            for (int half = 0; half < 2; ++half) {
                std::uint8_t picks[2][shuffleBytes];
                for (int lane = 0; lane < 4; ++lane) {
                    const int sample = axis.first[static_cast<std::size_t>(x + 4 * half + lane)] + 2 * pair - base;
                    for (int byte = 0; byte < 4; ++byte) {
                        // Byte `byte` of the lane's pair, from the first
                        // sixteen bytes or the next.
                        const int from = 2 * sample + byte;
                        const bool low = from < shuffleBytes;
                        picks[0][4 * lane + byte] = low ? static_cast<std::uint8_t>(from) : shuffledOut;
                        picks[1][4 * lane + byte] = low ? shuffledOut : static_cast<std::uint8_t>(from - shuffleBytes);
                    }
                }
                scaling.shuffles.insert(scaling.shuffles.end(), picks[0], picks[0] + shuffleBytes);
                scaling.shuffles.insert(scaling.shuffles.end(), picks[1], picks[1] + shuffleBytes);
            }
        }
    }
}

FrameConverter::Scaling scalingOf(AreaAxis axis, std::int16_t barValue, int shift)
{
    FrameConverter::Scaling scaling;
    scaling.pairs = axis.taps / 2;
    const std::size_t outputs = axis.first.size();
    scaling.pairWeights.resize(outputs * static_cast<std::size_t>(scaling.pairs));
    scaling.start.resize(outputs);
    for (std::size_t i = 0; i < outputs; ++i) {
        for (int pair = 0; pair < scaling.pairs; ++pair) {
            const std::size_t at = i * static_cast<std::size_t>(axis.taps) + static_cast<std::size_t>(2 * pair);
            scaling.pairWeights[static_cast<std::size_t>(pair) * outputs + i] =
                pairOf(axis.weights[at], axis.weights[at + 1]);
        }
        scaling.start[i] = axis.bar[i] * barValue + (1 << (shift - 1));
    }
    scaling.axis = std::move(axis);
    return scaling;
}

}  // namespace

std::size_t frameBytesOf(PictureSize size, FrameLayout layout)
{
    const auto pixels = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
    switch (layout) {
    case FrameLayout::Rgb24: return pixels * 3;
    case FrameLayout::Bgr0: return pixels * bytesPerReadPixel;
    case FrameLayout::Yuv420: return pixels + 2 * (pixels / 4);
    case FrameLayout::Yuv444: return pixels * 3;
    }
    return 0;
}

Ycbcr bt709Of(double red, double green, double blue)
{
    const double luma = (lumaRed * red + lumaGreen * green + lumaBlue * blue) / fullScale;
    return {lumaFloor + lumaSpan * luma, chromaMiddle + cbScale * (blue / fullScale - luma),
            chromaMiddle + crScale * (red / fullScale - luma)};
}

AreaAxis areaAxis(int sourceLength, int outputLength, int startHalves, int lengthHalves)
{
    // Everything in units of 1 / (2 * sourceLength) of an output pixel, where
    // both the output's and the source's pixel edges fall on whole numbers:
    // output pixel i spans [2n * i, 2n * (i + 1)), source pixel j spans
    // [n * start + j * length, n * start + (j + 1) * length).
    const std::int64_t n = sourceLength;
    const std::int64_t outputPixel = 2 * n;
    const std::int64_t origin = n * startHalves;
    const std::int64_t sourcePixel = lengthHalves;
    const auto outputs = static_cast<std::size_t>(outputLength);
    AreaAxis axis;
    axis.first.assign(outputs, 0);
    axis.bar.assign(outputs, 0);
    axis.touchedFrom = outputLength;
    axis.touchedTo = 0;

    // The source pixels each output pixel overlaps: [from, to).
    std::vector<std::int64_t> from(outputs);
    int widest = 0;
    for (std::size_t i = 0; i < outputs; ++i) {
        const std::int64_t left = outputPixel * static_cast<std::int64_t>(i) - origin;
        const std::int64_t right = left + outputPixel;
        from[i] = std::clamp<std::int64_t>(left / sourcePixel, 0, n);
        const std::int64_t to = std::clamp<std::int64_t>(right > 0 ? (right + sourcePixel - 1) / sourcePixel : 0, 0, n);
        widest = std::max(widest, static_cast<int>(to - std::min(from[i], to)));
    }
    axis.taps = std::min(static_cast<int>(n), std::max(2, (widest + 1) / 2 * 2));
    axis.weights.assign(outputs * static_cast<std::size_t>(axis.taps), 0);

    // Shares of each output pixel: its taps of source, then the bar.
    std::vector<std::int64_t> overlaps(static_cast<std::size_t>(axis.taps) + 1);
    std::vector<std::int32_t> shares(overlaps.size());
    std::vector<std::int64_t> remainders(overlaps.size());
    for (std::size_t i = 0; i < outputs; ++i) {
        const std::int64_t left = outputPixel * static_cast<std::int64_t>(i) - origin;
        const std::int64_t right = left + outputPixel;
        const std::int64_t first = std::clamp<std::int64_t>(from[i], 0, n - axis.taps);
        std::int64_t covered = 0;
        for (int k = 0; k < axis.taps; ++k) {
            const std::int64_t j = first + k;
            const std::int64_t overlap =
                std::max<std::int64_t>(0, std::min(right, (j + 1) * sourcePixel) - std::max(left, j * sourcePixel));
            overlaps[static_cast<std::size_t>(k)] = overlap;
            covered += overlap;
        }
        overlaps.back() = outputPixel - covered;
        if (covered > 0) {
            axis.touchedFrom = std::min(axis.touchedFrom, static_cast<int>(i));
            axis.touchedTo = std::max(axis.touchedTo, static_cast<int>(i) + 1);
        }
        // Rounded down, then the units left over given to the largest
        // remainders, so that the weights sum to exactly one.
        std::int32_t given = 0;
        for (std::size_t k = 0; k < overlaps.size(); ++k) {
            const std::int64_t scaled = overlaps[k] * weightOne;
            shares[k] = static_cast<std::int32_t>(scaled / outputPixel);
            remainders[k] = scaled % outputPixel;
            given += shares[k];
        }
        for (; given < weightOne; ++given) {
            const auto largest =
                static_cast<std::size_t>(std::max_element(remainders.begin(), remainders.end()) - remainders.begin());
            ++shares[largest];
            remainders[largest] = -1;
        }
        axis.first[i] = static_cast<int>(first);
        for (int k = 0; k < axis.taps; ++k) {
            axis.weights[i * static_cast<std::size_t>(axis.taps) + static_cast<std::size_t>(k)] =
                static_cast<std::int16_t>(shares[static_cast<std::size_t>(k)]);
        }
        axis.bar[i] = static_cast<std::int16_t>(shares.back());
    }
    if (axis.touchedTo == 0) {
        axis.touchedFrom = 0;
    }
    return axis;
}

FrameConverter::FrameConverter(PictureSize drawn, PictureSize output, FrameLayout layout)
    : drawn_(drawn), output_(output), layout_(layout),
      yuv_(layout == FrameLayout::Yuv420 || layout == FrameLayout::Yuv444),
      unscaled_(drawn.width == output.width && drawn.height == output.height), shuffles_(false)
{
#ifdef SLEIGHRIDE_SSE2_CONVERSION
    shuffles_ = __builtin_cpu_supports("ssse3");
#endif
    if (unscaled_) {
        return;
    }
    const ShowViewport picture = showViewportIn(output.width, output.height);
    // Rows counted from the top, as the outputs store them.
    const int top = output.height - picture.y - picture.height;
    const std::int16_t black = static_cast<std::int16_t>(yuv_ ? lumaFloor * fixedOne : 0);
    const auto noColour = static_cast<std::int16_t>(chromaMiddle * fixedOne);
    const auto full = [&](std::size_t offset, int step, std::int16_t bar) {
        addPlane(output.width, output.height, offset, step, bar, 2 * picture.x, 2 * picture.width, 2 * top,
                 2 * picture.height);
    };
    // In the order of the working planes they come from: red, green and
    // blue, or Y, Cb and Cr.
    const std::size_t pixels = static_cast<std::size_t>(output.width) * static_cast<std::size_t>(output.height);
    switch (layout) {
    case FrameLayout::Rgb24:
        full(0, 3, black);
        full(1, 3, black);
        full(2, 3, black);
        break;
    case FrameLayout::Bgr0:
        full(readRed, bytesPerReadPixel, black);
        full(readGreen, bytesPerReadPixel, black);
        full(readBlue, bytesPerReadPixel, black);
        break;
    case FrameLayout::Yuv444:
        full(0, 1, black);
        full(pixels, 1, noColour);
        full(2 * pixels, 1, noColour);
        break;
    case FrameLayout::Yuv420:
        full(0, 1, black);
        // Chroma samples are two pixels wide and high: the picture's edges
        // in pixels are its edges in halves of a sample.
        for (std::size_t offset : {pixels, pixels + pixels / 4}) {
            addPlane(output.width / 2, output.height / 2, offset, 1, noColour, picture.x, picture.width, top,
                     picture.height);
        }
        break;
    }
    for (const Plane& plane : planes_) {
        keptRows_ = std::max(keptRows_, plane.down.axis.taps);
    }
    const auto planes = planes_.size();
    kept_.resize(planes * static_cast<std::size_t>(keptRows_) * static_cast<std::size_t>(drawn.width));
    keptAcross_.resize(planes * static_cast<std::size_t>(keptRows_) * static_cast<std::size_t>(output.width));
    rows_.resize(static_cast<std::size_t>(keptRows_));
    down_.resize(static_cast<std::size_t>(drawn.width));
    row_.resize(static_cast<std::size_t>(output.width));
}

void FrameConverter::addPlane(int width, int height, std::size_t offset, int step, std::int16_t barValue, int startX,
                              int lengthX, int startY, int lengthY)
{
    // Across first where the picture has no more rows than the plane: the
    // output samples across gather their own source samples, down every
    // sample of a row reads the same rows, so the gathering is done on the
    // fewer rows.
    const bool acrossFirst = drawn_.height <= height;
    planes_.push_back({width, height, offset, step, barValue, acrossFirst,
                       scalingOf(areaAxis(drawn_.width, width, startX, lengthX), barValue,
                                 acrossFirst ? toFixedShift : toLevelShift),
                       scalingOf(areaAxis(drawn_.height, height, startY, lengthY), barValue,
                                 acrossFirst ? toLevelShift : toFixedShift)});
    if (shuffles_) {
        addBlocks(planes_.back().across, drawn_.width);
    }
}

void FrameConverter::convert(const std::uint8_t* readBack, std::uint8_t* out)
{
    if (unscaled_) {
        convertUnscaled(readBack, out);
        return;
    }
    // Down the picture a row at a time, each output row made as soon as the
    // last picture row it covers is: the rows in between stay in the cache.
    std::vector<int> nextRow(planes_.size(), 0);
    const auto makeRowsUpTo = [&](int last) {
        for (std::size_t p = 0; p < planes_.size(); ++p) {
            const AreaAxis& down = planes_[p].down.axis;
            for (; nextRow[p] < planes_[p].height; ++nextRow[p]) {
                const int y = nextRow[p];
                const bool reached = y >= down.touchedFrom && y < down.touchedTo;
                if (reached && down.first[static_cast<std::size_t>(y)] + down.taps - 1 > last) {
                    break;
                }
                makeRow(p, y, reached, out);
            }
        }
    };
    const std::size_t readRow = static_cast<std::size_t>(drawn_.width) * bytesPerReadPixel;
    for (int y = 0; y < drawn_.height; ++y) {
        splitRow(readBack + static_cast<std::size_t>(drawn_.height - 1 - y) * readRow, y);
        for (std::size_t p = 0; p < planes_.size(); ++p) {
            if (planes_[p].acrossFirst) {
                scaleRowAcross(keptRow(p, y), planes_[p].across, shuffles_, keptAcross(p, y));
            }
        }
        makeRowsUpTo(y);
    }
    if (layout_ == FrameLayout::Bgr0) {
        const auto pixels = static_cast<std::size_t>(output_.width) * static_cast<std::size_t>(output_.height);
        for (std::size_t i = 0; i < pixels; ++i) {
            out[i * bytesPerReadPixel + 3] = 0;
        }
    }
}

std::int16_t* FrameConverter::keptRow(std::size_t plane, int y)
{
    const auto width = static_cast<std::size_t>(drawn_.width);
    return &kept_[((plane * static_cast<std::size_t>(keptRows_)) + static_cast<std::size_t>(y % keptRows_)) * width];
}

std::int16_t* FrameConverter::keptAcross(std::size_t plane, int y)
{
    const auto width = static_cast<std::size_t>(output_.width);
    return &keptAcross_[((plane * static_cast<std::size_t>(keptRows_)) + static_cast<std::size_t>(y % keptRows_)) * width];
}

void FrameConverter::splitRow(const std::uint8_t* pixels, int y)
{
    const int width = drawn_.width;
    std::int16_t* first = keptRow(0, y);
    std::int16_t* second = keptRow(1, y);
    std::int16_t* third = keptRow(2, y);
    if (yuv_) {
        splitComponents(pixels, width, first, second, third);
        return;
    }
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* pixel = pixels + bytesPerReadPixel * x;
        first[x] = static_cast<std::int16_t>(pixel[readRed] * fixedOne);
        second[x] = static_cast<std::int16_t>(pixel[readGreen] * fixedOne);
        third[x] = static_cast<std::int16_t>(pixel[readBlue] * fixedOne);
    }
}

void FrameConverter::makeRow(std::size_t p, int y, bool reached, std::uint8_t* out)
{
    const Plane& plane = planes_[p];
    const AreaAxis& across = plane.across.axis;
    const AreaAxis& down = plane.down.axis;
    const std::size_t rowBytes = static_cast<std::size_t>(plane.width) * static_cast<std::size_t>(plane.step);
    std::uint8_t* row = plane.step == 1 ? out + plane.offset + static_cast<std::size_t>(y) * rowBytes : row_.data();
    const int from = reached ? across.touchedFrom : plane.width;
    const int until = reached ? across.touchedTo : plane.width;
    if (reached) {
        const int first = down.first[static_cast<std::size_t>(y)];
        for (int k = 0; k < down.taps; ++k) {
            rows_[static_cast<std::size_t>(k)] = plane.acrossFirst ? keptAcross(p, first + k) : keptRow(p, first + k);
        }
        if (plane.acrossFirst) {
            scaleDown(rows_.data(), plane.down, y, from, until, row);
        } else {
            scaleDown(rows_.data(), plane.down, y, 0, drawn_.width, down_.data());
            scaleRowAcross(down_.data(), plane.across, shuffles_, row);
        }
    }
    const auto barLevel = static_cast<std::uint8_t>((plane.barValue + fixedOne / 2) >> fractionBits);
    std::fill(row, row + from, barLevel);
    std::fill(row + until, row + plane.width, barLevel);
    if (plane.step != 1) {
        std::uint8_t* to = out + plane.offset + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < plane.width; ++x) {
            to[x * plane.step] = row[x];
        }
    }
}

void FrameConverter::convertUnscaled(const std::uint8_t* readBack, std::uint8_t* out)
{
    const int width = output_.width;
    const int height = output_.height;
    const std::size_t readRow = static_cast<std::size_t>(width) * bytesPerReadPixel;
    const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const auto rowOf = [&](int y) { return readBack + static_cast<std::size_t>(height - 1 - y) * readRow; };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rowOf(y);
        const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        switch (layout_) {
        case FrameLayout::Bgr0: {
            std::uint8_t* to = out + at * bytesPerReadPixel;
            std::memcpy(to, row, readRow);
            for (int x = 0; x < width; ++x) {
                to[x * bytesPerReadPixel + 3] = 0;
            }
            break;
        }
        case FrameLayout::Rgb24:
            for (int x = 0; x < width; ++x) {
                std::uint8_t* to = out + 3 * (at + static_cast<std::size_t>(x));
                const std::uint8_t* pixel = row + bytesPerReadPixel * x;
                to[0] = pixel[readRed];
                to[1] = pixel[readGreen];
                to[2] = pixel[readBlue];
            }
            break;
        case FrameLayout::Yuv444: splitComponents(row, width, out + at, out + pixels + at, out + 2 * pixels + at); break;
        case FrameLayout::Yuv420:
            if (y % 2 == 0) {
                const std::size_t chromaAt = static_cast<std::size_t>(y / 2) * static_cast<std::size_t>(width / 2);
                splitRowPair420(row, rowOf(y + 1), width, out + at, out + at + static_cast<std::size_t>(width),
                                out + pixels + chromaAt, out + pixels + pixels / 4 + chromaAt);
            }
            break;
        }
    }
}
