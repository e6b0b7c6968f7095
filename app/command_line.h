// Reading a program's options, strictly: "--name value" or "--name=value",
// numbers in plain decimal only. What cannot be read ends the program with
// one line on stderr naming the program and the trouble, and status 2, the
// usual status for a command used wrongly. What the user typed is quoted in
// it, with anything a terminal would act on written out as \xHH.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

constexpr int usageErrorStatus = 2;

class CommandLine {
public:
    CommandLine(int argc, char** argv);

    // Moves to the next option; false when there are no more.
    bool next();
    // Whether the current option is --name.
    bool is(const char* name) const;
    // The same for an option that takes no value: given one ("--help=x"),
    // it is a usage error.
    bool isFlag(const char* name) const;
    // The current option's value (the next argument, or what follows "=");
    // a missing one is a usage error.
    std::string value();
    // Ends the program: "PROGRAM: WHY (try PROGRAM --help)" and status 2.
    [[noreturn]] void fail(const std::string& why) const;
    // The same, for an option that is not known.
    [[noreturn]] void failUnknown() const;

    // The program's name, safe to print.
    const std::string& program() const { return program_; }
    const std::string& option() const { return name_; }

private:
    int argc_;
    char** argv_;
    int at_ = 0;
    std::string program_;
    std::string name_;
    std::optional<std::string> inlineValue_;
};

// Text safe to print on a terminal: control characters (C0, DEL and C1)
// and bytes that are not UTF-8 written out as \xHH, the rest as it is.
std::string printable(const std::string& text);
// The same in single quotes, for quoting what the user typed.
std::string quoted(const std::string& text);

// Plain decimal digits only, no sign, no spaces, at most max.
std::optional<std::uint64_t> parseWhole(const std::string& text, std::uint64_t max);

// A whole number of milliseconds within the show's times, 0 to
// showTimeLimitMs.
std::optional<std::uint32_t> parseMilliseconds(const std::string& text);

// A frame rate, "N" or "N/D" (60, 30, 60000/1001): frames per D seconds.
struct FrameRate {
    std::uint32_t frames = 0;
    std::uint32_t perSeconds = 1;
};
std::optional<FrameRate> parseFrameRate(const std::string& text);

// A picture size, "WxH", each side 16 to 8192 pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};
std::optional<PictureSize> parsePictureSize(const std::string& text);
