// How a capture is getting on, on stderr: frames done, the capture's speed
// in frames a second and in times real time, and the time left. On a
// terminal a bar redrawn in place; otherwise a plain line now and then.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/command_line.h"

// One report: "  1234/19110 frames  95.3 fps  1.59x real time  3:07 left",
// with a bar of the given width in front when barWidth > 0.
std::string progressReport(std::uint64_t done, std::uint64_t total, double seconds, FrameRate rate, int barWidth);

class Progress {
public:
    Progress(std::FILE* out, std::uint64_t total, FrameRate rate);
    void frameDone();
    // The last report, on a line of its own.
    void finish();

private:
    void report(bool last);

    std::FILE* out_;
    std::uint64_t total_;
    FrameRate rate_;
    bool terminal_;
    std::uint64_t done_ = 0;
    std::chrono::steady_clock::time_point began_;
    std::chrono::steady_clock::time_point reported_;
};
