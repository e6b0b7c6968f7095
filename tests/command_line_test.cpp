// Reading options: values in both spellings, every misuse ending the
// program with one line and status 2, what the user typed quoted safely in
// it; and the show's times printed whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/keys.h"
#include "app/show_clock.h"
#include "app/show_options.h"

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

void readShow(std::vector<const char*> arguments, const char* program = "/usr/games/sleighride")
{
    arguments.insert(arguments.begin(), program);
    readShowOptions(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
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
    EXPECT_EXIT(readAll({"--frum", "5"}), usage, "^sleighride: unknown option '--frum' \\(try sleighride --help\\)\n$");
    EXPECT_EXIT(readAll({"--from"}), usage, "option '--from' needs a value");
    EXPECT_EXIT(readAll({"--window=yes"}), usage, "option '--window' takes no value");
    EXPECT_EXIT(readAll({"now"}), usage, "unexpected argument 'now'");
    EXPECT_EXIT(readAll({"--"}), usage, "unexpected argument '--'");
    // Whole lines: nothing the terminal would act on gets through, from the
    // arguments or the program's own name.
    EXPECT_EXIT(readAll({"--\x1b[2J\a"}), usage,
                "^sleighride: unknown option '--\\\\x1b\\[2J\\\\x07' \\(try sleighride --help\\)\n$");
    EXPECT_EXIT(readShow({"--frum"}, "./\x1b]0;x\a"), usage,
                "^\\\\x1b]0;x\\\\x07: unknown option '--frum' \\(try \\\\x1b]0;x\\\\x07 --help\\)\n$");
    // The show's own options: flags take no value, and --from stays within
    // the show's times.
    EXPECT_EXIT(readShow({"--help=x"}), usage, "option '--help' takes no value");
    EXPECT_EXIT(readShow({"--version=2"}), usage, "option '--version' takes no value");
    EXPECT_EXIT(readShow({"--mute=no"}), usage, "option '--mute' takes no value");
    EXPECT_EXIT(readShow({"--from", "4294967296"}), usage,
                "option '--from' takes a whole number of milliseconds, 0 to 4294967295, not '4294967296'");
}

TEST(CommandLine, QuotesWhatWasTypedWithWhatATerminalActsOnWrittenOut)
{
    EXPECT_EQ(quoted("--from"), "'--from'");
    const std::string letters = "Schnee \xe2\x9d\x84 \xc3\xa9t\xc3\xa9 \xf0\x9f\x8e\x84";
    EXPECT_EQ(printable(letters), letters) << "UTF-8 letters and symbols stay";
    const struct {
        std::string typed;
        const char* printed;
    } escaped[] = {
        {"\x1b[2J\a\r\n\t", "\\x1b[2J\\x07\\x0d\\x0a\\x09"},  // C0 controls
        {std::string("a\0b", 3), "a\\x00b"},
        {"\x7f", "\\x7f"},                         // delete
        {"\xc2\x9b" "2J", "\\xc2\\x9b2J"},          // C1: the one-byte escape sequence introducer
        {"\xc2\xa0", "\xc2\xa0"},                   // the first character past C1 stays
        {"\xff\xfe", "\\xff\\xfe"},               // never UTF-8
        {"\xc0\xaf", "\\xc0\\xaf"},               // overlong
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},       // a surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // beyond U+10FFFF
        {"\xe2\x82", "\\xe2\\x82"},               // cut short
    };
    for (const auto& text : escaped) {
        EXPECT_EQ(printable(text.typed), text.printed);
        EXPECT_EQ(printable(printable(text.typed)), text.printed) << "printing again changes nothing";
    }
}

TEST(PrintedTimes, StayWholeToTheEndOfTheShowsTimes)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    printTimingStart(out, 3000000000u);
    printTimingEnd(out, static_cast<std::uint32_t>(showTimeLimitMs));
    std::rewind(out);
    char line[80] = "";
    ASSERT_NE(std::fgets(line, sizeof line, out), nullptr);
    std::fclose(out);
    EXPECT_STREQ(line, "|| globaltime > 3000000000 && globaltime <= 4294967295\n");
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
