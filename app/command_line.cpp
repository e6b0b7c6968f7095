#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "app/show_clock.h"

namespace {

constexpr int smallestSide = 16;
constexpr int largestSide = 8192;
constexpr int decimalBase = 10;

// The bytes of UTF-8 and the characters a terminal acts on.
constexpr unsigned char firstPrinted = 0x20;
constexpr unsigned char deleteCharacter = 0x7f;
constexpr unsigned char firstNonAscii = 0x80;
constexpr unsigned char lastContinuation = 0xbf;
constexpr unsigned char c1Lead = 0xc2;      // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F
constexpr unsigned char lastC1Second = 0x9f;
constexpr unsigned char firstThreeByteLead = 0xe0;
constexpr unsigned char firstFourByteLead = 0xf0;
constexpr unsigned char lastLead = 0xf4;
// The second bytes that keep a sequence shortest-form, below U+10FFFF and
// clear of the UTF-16 surrogates.
constexpr unsigned char surrogateLead = 0xed;
constexpr unsigned char lowestAfterE0 = 0xa0;
constexpr unsigned char highestAfterED = 0x9f;
constexpr unsigned char lowestAfterF0 = 0x90;
constexpr unsigned char highestAfterF4 = 0x8f;

bool isContinuation(unsigned char byte)
{
    return byte >= firstNonAscii && byte <= lastContinuation;
}

// The length of the well-formed UTF-8 sequence of a character other than
// ASCII at text[at], or 0 where there is none.
std::size_t sequenceAt(const std::string& text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char lowest = firstNonAscii;
    unsigned char highest = lastContinuation;
    if (lead >= c1Lead && lead < firstThreeByteLead) {
        length = 2;
    } else if (lead >= firstThreeByteLead && lead < firstFourByteLead) {
        length = 3;
        lowest = lead == firstThreeByteLead ? lowestAfterE0 : lowest;
        highest = lead == surrogateLead ? highestAfterED : highest;
    } else if (lead >= firstFourByteLead && lead <= lastLead) {
        length = 4;
        lowest = lead == firstFourByteLead ? lowestAfterF0 : lowest;
        highest = lead == lastLead ? highestAfterF4 : highest;
    }
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < lowest || second > highest) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[at + i]))) {
            return 0;
        }
    }
    return length;
}

void appendEscaped(std::string& out, const std::string& text, std::size_t at, std::size_t length)
{
    constexpr std::size_t escapeSize = sizeof "\\xff";
    for (std::size_t i = at; i < at + length; ++i) {
        char escape[escapeSize];
        std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned char>(text[i]));
        out += escape;
    }
}


}  // namespace

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

CommandLine::CommandLine(int argc, char** argv) : argc_(argc), argv_(argv)
{
    const char* path = argc > 0 && argv[0] != nullptr ? argv[0] : "sleighride";
    const char* slash = std::strrchr(path, '/');
    program_ = printable(slash != nullptr ? slash + 1 : path);
}

bool CommandLine::next()
{
    if (inlineValue_) {
        fail("option " + quoted(name_) + " takes no value");
    }
    if (++at_ >= argc_) {
        return false;
    }
    const std::string argument = argv_[at_];
    if (argument.rfind("--", 0) != 0 || argument.size() == 2) {
        fail("unexpected argument " + quoted(argument));
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

bool CommandLine::isFlag(const char* name) const
{
    if (!is(name)) {
        return false;
    }
    if (inlineValue_) {
        fail("option " + quoted(name_) + " takes no value");
    }
    return true;
}

std::string CommandLine::value()
{
    if (inlineValue_) {
        std::string value = *inlineValue_;
        inlineValue_.reset();
        return value;
    }
    if (at_ + 1 >= argc_) {
        fail("option " + quoted(name_) + " needs a value");
    }
    return argv_[++at_];
}

void CommandLine::fail(const std::string& why) const
{
    // Callers quote what the user typed; printed safe here all the same.
    std::fprintf(stderr, "%s: %s (try %s --help)\n", program_.c_str(), printable(why).c_str(), program_.c_str());
    std::exit(usageErrorStatus);
}

void CommandLine::failUnknown() const
{
    fail("unknown option " + quoted(name_));
}

std::string printable(const std::string& text)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < firstNonAscii) {
            if (byte < firstPrinted || byte == deleteCharacter) {
                appendEscaped(out, text, at, 1);
            } else {
                out += text[at];
            }
            ++at;
            continue;
        }
        const std::size_t length = sequenceAt(text, at);
        const bool c1 = length == 2 && byte == c1Lead && static_cast<unsigned char>(text[at + 1]) <= lastC1Second;
        if (length == 0 || c1) {
            appendEscaped(out, text, at, c1 ? 2 : 1);
            at += c1 ? 2 : 1;
        } else {
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

std::string quoted(const std::string& text)
{
    return "'" + printable(text) + "'";
}

std::optional<std::uint32_t> parseMilliseconds(const std::string& text)
{
    const auto value = parseWhole(text, showTimeLimitMs);
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
