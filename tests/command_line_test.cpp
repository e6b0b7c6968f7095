// Reading options: values in both spellings, and every misuse ending the
// program with one line and status 2.
#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace {

// Reads every option of the arguments, "--from" and "--fps" taking values.
void readAll(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "/usr/bin/sleighride");
    CommandLine line(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
    while (line.next()) {
        if (line.is("--from") || line.is("--fps")) {
            line.value();
        } else if (!line.is("--window")) {
            line.failUnknown();
        }
    }
}

}  // namespace

TEST(CommandLine, ReadsValuesGivenEitherWay)
{
    std::vector<const char*> arguments = {"sleighride", "--from", "1500", "--fps=30", "--window"};
    CommandLine line(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
    ASSERT_TRUE(line.next());
    EXPECT_TRUE(line.is("--from"));
    EXPECT_EQ(line.value(), "1500");
    ASSERT_TRUE(line.next());
    EXPECT_EQ(line.value(), "30");
    ASSERT_TRUE(line.next());
    EXPECT_TRUE(line.is("--window"));
    EXPECT_FALSE(line.next());
}

TEST(CommandLineDeathTest, MisuseSaysWhatInOneLineAndEndsWithStatusTwo)
{
    // The program runs SDL's threads (its window and audio are open): each
    // misuse runs in a fresh copy of it rather than a fork of this one.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto usage = ::testing::ExitedWithCode(usageErrorStatus);
    EXPECT_EXIT(readAll({"--frum", "5"}), usage, "^sleighride: unknown option --frum \\(try sleighride --help\\)\n$");
    EXPECT_EXIT(readAll({"--from"}), usage, "option --from needs a value");
    EXPECT_EXIT(readAll({"--window=yes"}), usage, "option --window takes no value");
    EXPECT_EXIT(readAll({"now"}), usage, "unexpected argument 'now'");
    EXPECT_EXIT(readAll({"--"}), usage, "unexpected argument '--'");
}

TEST(CommandLine, NumbersRatesAndSizesAreReadStrictly)
{
    EXPECT_EQ(parseMilliseconds("0"), 0u);
    EXPECT_EQ(parseMilliseconds("4294967295"), 4294967295u);
    for (const char* bad : {"", "-1", "+5", "4294967296", "1e3", " 5", "5ms", "99999999999999999999"}) {
        EXPECT_FALSE(parseMilliseconds(bad)) << bad;
    }
    const auto ntsc = parseFrameRate("60000/1001");
    ASSERT_TRUE(ntsc);
    EXPECT_EQ(ntsc->frames, 60000u);
    EXPECT_EQ(ntsc->perSeconds, 1001u);
    EXPECT_EQ(parseFrameRate("60")->perSeconds, 1u);
    for (const char* bad : {"0", "60/0", "/2", "60/", "a/b", "30.5"}) {
        EXPECT_FALSE(parseFrameRate(bad)) << bad;
    }
    EXPECT_EQ(parsePictureSize("1920x1080")->height, 1080);
    for (const char* bad : {"1920", "1920x", "x1080", "8x8", "9000x1000", "1920X1080"}) {
        EXPECT_FALSE(parsePictureSize(bad)) << bad;
    }
}
