// Prints the compiled timeline, for the check that the song's tools read the
// same table from the header: one row a line, "Name after until", then the
// ride's two moments.
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
