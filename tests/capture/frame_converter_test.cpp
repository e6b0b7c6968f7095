// The frames as the outputs store them, against the same arithmetic done
// in doubles: every output pixel the area average of the drawn pixels (and
// bars) it covers, in BT.709 limited range for video. Built twice, with
// and without the x86 vector code.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "overlay/screen.h"
#include "tools/capture/frame_converter.h"

namespace {

struct Rgb {
    double red;
    double green;
    double blue;
};

// A read-back frame: BGRX rows bottom up; pixel(x, y) counts from the top.
struct Drawn {
    PictureSize size;
    std::vector<std::uint8_t> bytes;

    explicit Drawn(PictureSize s) : size(s), bytes(static_cast<std::size_t>(s.width) * s.height * 4) {}
    std::uint8_t* pixel(int x, int y)
    {
        return &bytes[(static_cast<std::size_t>(size.height - 1 - y) * size.width + x) * 4];
    }
    Rgb at(int x, int y)
    {
        const std::uint8_t* p = pixel(x, y);
        return {double(p[2]), double(p[1]), double(p[0])};
    }
};

// How much of [from, to) lies in [low, high).
double overlap(double from, double to, double low, double high)
{
    return std::max(0.0, std::min(to, high) - std::max(from, low));
}

// The area average of the output's rectangle [x0, x1) x [y0, y1) (in
// output pixels): drawn pixels where the picture is, black bars elsewhere.
Rgb areaAverage(Drawn& drawn, PictureSize output, double x0, double x1, double y0, double y1)
{
    const ShowViewport picture = showViewportIn(output.width, output.height);
    const double top = output.height - picture.y - picture.height;
    const double perX = double(drawn.size.width) / picture.width;
    const double perY = double(drawn.size.height) / picture.height;
    // The rectangle in drawn pixels.
    const double left = (x0 - picture.x) * perX;
    const double right = (x1 - picture.x) * perX;
    const double upper = (y0 - top) * perY;
    const double lower = (y1 - top) * perY;
    Rgb sum{0, 0, 0};
    for (int y = std::max(0, int(std::floor(upper))); y < std::min(drawn.size.height, int(std::ceil(lower))); ++y) {
        for (int x = std::max(0, int(std::floor(left))); x < std::min(drawn.size.width, int(std::ceil(right))); ++x) {
            const double share = overlap(left, right, x, x + 1) * overlap(upper, lower, y, y + 1) /
                                 ((right - left) * (lower - upper));
            const Rgb colour = drawn.at(x, y);
            sum.red += share * colour.red;
            sum.green += share * colour.green;
            sum.blue += share * colour.blue;
        }
    }
    return sum;
}

// What each output sample should be, unrounded; rounding error of the
// fixed point allowed on top of the half level of the final rounding.
constexpr double allowed = 0.5 + 0.02;

void expectConverted(Drawn& drawn, PictureSize output, FrameLayout layout)
{
    FrameConverter converter(drawn.size, output, layout);
    std::vector<std::uint8_t> out(converter.outputBytes(), 0xA5);
    converter.convert(drawn.bytes.data(), out.data());
    const std::size_t pixels = static_cast<std::size_t>(output.width) * output.height;
    int wrong = 0;
    const auto check = [&](double expected, std::uint8_t got, const char* what, int x, int y) {
        if (std::abs(expected - got) > allowed && ++wrong <= 5) {
            ADD_FAILURE() << what << " at " << x << "," << y << ": " << int(got) << ", not " << expected;
        }
    };
    for (int y = 0; y < output.height; ++y) {
        for (int x = 0; x < output.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * output.width + x;
            const Rgb colour = areaAverage(drawn, output, x, x + 1, y, y + 1);
            const Ycbcr ycbcr = bt709Of(colour.red, colour.green, colour.blue);
            switch (layout) {
            case FrameLayout::Rgb24:
                check(colour.red, out[3 * at], "red", x, y);
                check(colour.green, out[3 * at + 1], "green", x, y);
                check(colour.blue, out[3 * at + 2], "blue", x, y);
                break;
            case FrameLayout::Bgr0:
                check(colour.blue, out[4 * at], "blue", x, y);
                check(colour.green, out[4 * at + 1], "green", x, y);
                check(colour.red, out[4 * at + 2], "red", x, y);
                check(0, out[4 * at + 3], "padding", x, y);
                break;
            case FrameLayout::Yuv444:
                check(ycbcr.y, out[at], "Y", x, y);
                check(ycbcr.cb, out[pixels + at], "Cb", x, y);
                check(ycbcr.cr, out[2 * pixels + at], "Cr", x, y);
                break;
            case FrameLayout::Yuv420:
                check(ycbcr.y, out[at], "Y", x, y);
                if (x % 2 == 0 && y % 2 == 0) {
                    // A chroma sample stands for the 2 x 2 pixels from here.
                    const Rgb square = areaAverage(drawn, output, x, x + 2, y, y + 2);
                    const Ycbcr chroma = bt709Of(square.red, square.green, square.blue);
                    const std::size_t c = static_cast<std::size_t>(y / 2) * (output.width / 2) + x / 2;
                    check(chroma.cb, out[pixels + c], "Cb", x, y);
                    check(chroma.cr, out[pixels + pixels / 4 + c], "Cr", x, y);
                }
                break;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << pixels << " pixels";
}

Drawn noise(PictureSize size, unsigned seed)
{
    Drawn drawn(size);
    std::mt19937 random(seed);
    for (std::uint8_t& byte : drawn.bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return drawn;
}

}  // namespace

TEST(AreaAxis, WeighsWhatEachOutputPixelCovers)
{
    struct Case {
        int source;
        int output;
        int startHalves;
        int lengthHalves;
    };
    // The show's own size, 1080p's 1440 pixels (picture 240 in), half of it
    // for chroma, an odd bar that starts a chroma sample half in the picture,
    // a supersampled drawing, and a picture smaller than its pixels' taps.
    for (const Case c : {Case{1024, 1024, 0, 2048}, Case{1024, 1920, 480, 2880}, Case{1024, 960, 240, 1440},
                         Case{768, 151, 3, 296}, Case{2048, 1024, 0, 2048}, Case{1024, 16, 0, 32}}) {
        SCOPED_TRACE(std::to_string(c.source) + " -> " + std::to_string(c.output));
        const AreaAxis axis = areaAxis(c.source, c.output, c.startHalves, c.lengthHalves);
        ASSERT_EQ(axis.taps % 2, 0);
        double coveredSource = 0;
        for (int i = 0; i < c.output; ++i) {
            std::int32_t sum = axis.bar[i];
            for (int k = 0; k < axis.taps; ++k) {
                const std::int16_t weight = axis.weights[i * axis.taps + k];
                sum += weight;
                coveredSource += weight;
                if (weight > 0) {
                    ASSERT_LT(axis.first[i] + k, c.source);
                }
            }
            ASSERT_EQ(sum, weightOne) << "output pixel " << i;
            const double left = std::max(2.0 * i, double(c.startHalves));
            const double right = std::min(2.0 * i + 2, double(c.startHalves + c.lengthHalves));
            EXPECT_NEAR(weightOne - axis.bar[i], std::max(0.0, right - left) / 2 * weightOne, 1) << i;
        }
        // All of the picture lands somewhere, in output pixels' worth.
        EXPECT_NEAR(coveredSource / weightOne, c.lengthHalves / 2.0, c.output * 1.0 / weightOne);
    }
    // Nothing moved at the same size; an exact half averages pairs.
    const AreaAxis same = areaAxis(1024, 1024, 0, 2048);
    const AreaAxis half = areaAxis(2048, 1024, 0, 2048);
    for (int i : {0, 511, 1023}) {
        EXPECT_EQ(same.weights[i * same.taps + (i - same.first[i])], weightOne);
        EXPECT_EQ(half.first[i], 2 * i);
        EXPECT_EQ(half.weights[i * half.taps], weightOne / 2);
        EXPECT_EQ(half.weights[i * half.taps + 1], weightOne / 2);
    }
}

TEST(FrameConverter, EveryLayoutAndSizeIsTheAreaAverageOfTheDrawing)
{
    struct Case {
        PictureSize drawn;
        PictureSize output;
        FrameLayout layout;
    };
    // Noise, the hardest picture to get right by accident: at the show's own
    // size, 1080p with bars, smaller, supersampled down to the show's size,
    // and odd sizes whose bars fall inside a chroma sample.
    const Case cases[] = {
        {{1024, 768}, {1024, 768}, FrameLayout::Yuv420},  {{1024, 768}, {1024, 768}, FrameLayout::Yuv444},
        {{1024, 768}, {1024, 768}, FrameLayout::Rgb24},   {{1024, 768}, {1024, 768}, FrameLayout::Bgr0},
        {{1024, 768}, {1920, 1080}, FrameLayout::Yuv420}, {{1024, 768}, {1920, 1080}, FrameLayout::Yuv444},
        {{1024, 768}, {1920, 1080}, FrameLayout::Rgb24},  {{1024, 768}, {1920, 1080}, FrameLayout::Bgr0},
        {{1024, 768}, {320, 240}, FrameLayout::Yuv420},   {{2048, 1536}, {1024, 768}, FrameLayout::Yuv420},
        {{1024, 768}, {402, 302}, FrameLayout::Yuv420},   {{1024, 768}, {1000, 1002}, FrameLayout::Yuv420},
        {{1024, 768}, {333, 250}, FrameLayout::Rgb24},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.drawn.width) + " -> " + std::to_string(c.output.width) + "x" +
                     std::to_string(c.output.height) + ", layout " + std::to_string(int(c.layout)));
        Drawn drawn = noise(c.drawn, seed++);
        expectConverted(drawn, c.output, c.layout);
    }
}

TEST(FrameConverter, ColoursKeepTheirLevelsAndPixelArtItsStrokes)
{
    // Flat colours come out exactly as BT.709 rounds them: black at 16 and
    // white at 235, the heart's red, the singer's green.
    struct Flat {
        std::uint8_t red, green, blue;
        std::uint8_t y, cb, cr;
    };
    for (const Flat flat : {Flat{0, 0, 0, 16, 128, 128}, Flat{255, 255, 255, 235, 128, 128},
                            Flat{227, 32, 47, 80, 115, 213}, Flat{29, 116, 70, 97, 117, 92}}) {
        Drawn drawn({1024, 768});
        for (std::size_t i = 0; i < drawn.bytes.size(); i += 4) {
            drawn.bytes[i] = flat.blue;
            drawn.bytes[i + 1] = flat.green;
            drawn.bytes[i + 2] = flat.red;
        }
        for (const PictureSize size : {PictureSize{1024, 768}, PictureSize{1920, 1080}}) {
            FrameConverter converter(drawn.size, size, FrameLayout::Yuv420);
            std::vector<std::uint8_t> out(converter.outputBytes());
            converter.convert(drawn.bytes.data(), out.data());
            const std::size_t pixels = static_cast<std::size_t>(size.width) * size.height;
            // The middle of the picture.
            const std::size_t middle = pixels / 2 + size.width / 2;
            const std::size_t chroma = pixels / 8 + size.width / 4;
            EXPECT_EQ(out[middle], flat.y);
            EXPECT_EQ(out[pixels + chroma], flat.cb);
            EXPECT_EQ(out[pixels + pixels / 4 + chroma], flat.cr);
        }
    }

    // Strokes 2, 4, 6 and 8 pixels wide at 1080p (1.40625 times): each the
    // same ink, 1.40625 times its width, with its edges soft.
    Drawn drawn({1024, 768});
    std::fill(drawn.bytes.begin(), drawn.bytes.end(), 0);
    const int widths[] = {2, 4, 6, 8, 2, 4, 6, 8};
    int left = 101;
    for (int width : widths) {
        for (int y = 0; y < 768; ++y) {
            for (int x = left; x < left + width; ++x) {
                std::fill(drawn.pixel(x, y), drawn.pixel(x, y) + 3, 255);
            }
        }
        left += width + 13;
    }
    FrameConverter converter(drawn.size, {1920, 1080}, FrameLayout::Rgb24);
    std::vector<std::uint8_t> out(converter.outputBytes());
    converter.convert(drawn.bytes.data(), out.data());
    const std::uint8_t* row = &out[static_cast<std::size_t>(540) * 1920 * 3];
    std::vector<double> inks;
    double ink = 0;
    for (int x = 0; x < 1920; ++x) {
        const double level = row[3 * x] / 255.0;
        if (level == 0 && ink > 0) {
            inks.push_back(ink);
            ink = 0;
        }
        ink += level;
    }
    ASSERT_EQ(inks.size(), std::size(widths));
    for (std::size_t i = 0; i < inks.size(); ++i) {
        EXPECT_NEAR(inks[i], widths[i] * 1.40625, 0.01) << "stroke " << i;
    }
}
