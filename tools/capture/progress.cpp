#include "tools/capture/progress.h"

#include <unistd.h>

#include <cmath>

namespace {

constexpr int barWidth = 30;
// A bar is redrawn ten times a second; a plain line comes every ten seconds.
constexpr std::chrono::milliseconds barEvery{100};
constexpr std::chrono::seconds lineEvery{10};
constexpr int secondsPerMinute = 60;

std::string clockText(double seconds)
{
    const auto whole = static_cast<long long>(std::lround(seconds));
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / secondsPerMinute, whole % secondsPerMinute);
    return text;
}

}  // namespace

std::string progressReport(std::uint64_t done, std::uint64_t total, double seconds, FrameRate rate, int width)
{
    std::string report;
    if (width > 0) {
        const auto filled = static_cast<int>(total > 0 ? done * static_cast<std::uint64_t>(width) / total : 0);
        report = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                 std::string(static_cast<std::size_t>(width - filled), '.') + "] ";
    }
    const double perSecond = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    const double realTime = perSecond * rate.perSeconds / rate.frames;
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "%llu/%llu frames  %.1f fps  %.2fx real time",
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total), perSecond, realTime);
    report += numbers;
    if (done < total && perSecond > 0) {
        report += "  " + clockText(static_cast<double>(total - done) / perSecond) + " left";
    } else if (done == total) {
        report += "  in " + clockText(seconds);
    }
    return report;
}

Progress::Progress(std::FILE* out, std::uint64_t total, FrameRate rate)
    : out_(out), total_(total), rate_(rate), terminal_(isatty(fileno(out)) != 0),
      began_(std::chrono::steady_clock::now()), reported_(began_)
{
}

void Progress::frameDone()
{
    ++done_;
    const auto now = std::chrono::steady_clock::now();
    if (now - reported_ >= (terminal_ ? std::chrono::steady_clock::duration(barEvery) : lineEvery)) {
        reported_ = now;
        report(false);
    }
}

void Progress::finish()
{
    report(true);
}

void Progress::report(bool last)
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began_).count();
    if (terminal_) {
        // \033[K clears what a longer report before left behind.
        std::fprintf(out_, "\r%s\033[K%s", progressReport(done_, total_, seconds, rate_, barWidth).c_str(),
                     last ? "\n" : "");
    } else {
        std::fprintf(out_, "%s\n", progressReport(done_, total_, seconds, rate_, 0).c_str());
    }
    std::fflush(out_);
}
