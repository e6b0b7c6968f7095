// Prints the compiled timeline for tests/song/check_timeline.py.
#include <cstdio>

#include "app/show_layers.h"

int main()
{
    for (const ShowLayer& row : showLayers) {
        std::printf("%s %u %u\n", layerName(row.layer), row.window.after, row.window.until);
    }
    std::printf("trackLaidMs %u\nballArrivesMs %u\n", trackLaidMs, ballArrivesMs);
    return 0;
}
