#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr int smallestSide = 16;
constexpr int largestSide = 8192;
constexpr int decimalBase = 10;

// Plain decimal digits only, no sign, no spaces, at most max.
std::optional<std::uint64_t> parseWhole(const std::string& text, std::uint64_t max)
{
    if (text.empty() || text.size() > std::numeric_limits<std::uint64_t>::digits10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * decimalBase + static_cast<std::uint64_t>(c - '0');
    }
    if (value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CommandLine::CommandLine(int argc, char** argv) : argc_(argc), argv_(argv)
{
    const char* path = argc > 0 && argv[0] != nullptr ? argv[0] : "sleighride";
    const char* slash = std::strrchr(path, '/');
    program_ = slash != nullptr ? slash + 1 : path;
}

bool CommandLine::next()
{
    if (inlineValue_) {
        fail("option " + name_ + " takes no value");
    }
    if (++at_ >= argc_) {
        return false;
    }
    const std::string argument = argv_[at_];
    if (argument.rfind("--", 0) != 0 || argument.size() == 2) {
        fail("unexpected argument '" + argument + "'");
    }
    const std::size_t equals = argument.find('=');
    name_ = argument.substr(0, equals);
    inlineValue_.reset();
    if (equals != std::string::npos) {
        inlineValue_ = argument.substr(equals + 1);
    }
    return true;
}

bool CommandLine::is(const char* name) const
{
    return name_ == name;
}

std::string CommandLine::value()
{
    if (inlineValue_) {
        std::string value = *inlineValue_;
        inlineValue_.reset();
        return value;
    }
    if (at_ + 1 >= argc_) {
        fail("option " + name_ + " needs a value");
    }
    return argv_[++at_];
}

void CommandLine::fail(const std::string& why) const
{
    std::fprintf(stderr, "%s: %s (try %s --help)\n", program_.c_str(), why.c_str(), program_.c_str());
    std::exit(usageErrorStatus);
}

void CommandLine::failUnknown() const
{
    fail("unknown option " + name_);
}

std::optional<std::uint32_t> parseMilliseconds(const std::string& text)
{
    const auto value = parseWhole(text, std::numeric_limits<std::uint32_t>::max());
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<FrameRate> parseFrameRate(const std::string& text)
{
    const std::size_t slash = text.find('/');
    const auto frames = parseWhole(text.substr(0, slash), std::numeric_limits<std::uint32_t>::max());
    const auto per = slash == std::string::npos
                         ? std::optional<std::uint64_t>{1}
                         : parseWhole(text.substr(slash + 1), std::numeric_limits<std::uint32_t>::max());
    if (!frames || !per || *frames == 0 || *per == 0) {
        return std::nullopt;
    }
    return FrameRate{static_cast<std::uint32_t>(*frames), static_cast<std::uint32_t>(*per)};
}

std::optional<PictureSize> parsePictureSize(const std::string& text)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return std::nullopt;
    }
    const auto width = parseWhole(text.substr(0, x), largestSide);
    const auto height = parseWhole(text.substr(x + 1), largestSide);
    if (!width || !height || *width < smallestSide || *height < smallestSide) {
        return std::nullopt;
    }
    return PictureSize{static_cast<int>(*width), static_cast<int>(*height)};
}
