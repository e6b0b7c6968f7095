// Prints the compiled timeline for tests/song/check_timeline.py.
#include <cstdio>

#include "timeline/timeline.h"

int main()
{
    for (const Scheduled& row : timeline) {
        std::printf("%s %u %u\n", layerName(row.layer), row.window.after, row.window.until);
    }
    std::printf("trackLaidMs %u\nballArrivesMs %u\n", trackLaidMs, ballArrivesMs);
    return 0;
}
