// The show played through on the real frame path, frame after frame: nothing
// may build up, neither GL errors, nor pushed matrices, nor memory.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <memory>
#include <set>

#include "app/show_clock.h"
#include "assets/song_stream.h"
#include "gl_window.h"

namespace {

// A small window keeps the run to the cost of the drawing code rather than
// of the software renderer's fill; the frames take the same path.
constexpr WindowSize soakWindow{128, 96};
const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow(false, soakWindow));

constexpr std::uint32_t liveFrameMs = 10;
// What the allocator and the driver may still settle once every layer has
// drawn.
constexpr long memorySlackBytes = 4L << 20;

long residentBytes()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    EXPECT_GT(resident, 0) << "cannot read /proc/self/statm";
    return resident * sysconf(_SC_PAGESIZE);
}

// Draws and presents the frame at t; false, with a failure naming t, if it
// left a GL error or a matrix pushed.
bool renderedCleanly(std::uint32_t t, ShowState& state)
{
    renderFrame(t, state);
    const GLenum error = glGetError();
    const GLint modelview = integerState(GL_MODELVIEW_STACK_DEPTH);
    const GLint projection = integerState(GL_PROJECTION_STACK_DEPTH);
    const GLint texture = integerState(GL_TEXTURE_STACK_DEPTH);
    if (error == GL_NO_ERROR && modelview == 1 && projection == 1 && texture == 1) {
        return true;
    }
    ADD_FAILURE() << "frame at " << t << ": GL error " << error << ", matrix stack depths " << modelview << ", "
                  << projection << ", " << texture;
    return false;
}

}  // namespace

TEST(Soak, TheShowAndALoopOfTheSongBeyondItDrawEveryTenMsCleanlyInFlatMemory)
{
    const auto songLength = static_cast<std::uint32_t>(msAtSample(loopSamples(indexSong(musicBlock()))));
    const auto state = std::make_unique<ShowState>();
    long afterFirstLoop = 0;
    for (std::uint32_t t = 0; t <= showEndMs + songLength; t += liveFrameMs) {
        if (!renderedCleanly(t, *state)) {
            break;
        }
        if (t / liveFrameMs == songLength / liveFrameMs) {
            afterFirstLoop = residentBytes();
        }
    }
    EXPECT_LE(residentBytes() - afterFirstLoop, memorySlackBytes);
}

TEST(Soak, FramesFarApartAsOnASlowMachineDrawEveryLayerWithoutError)
{
    for (const std::uint32_t stepMs : {100u, 250u, 375u, 999u, 1000u}) {
        SCOPED_TRACE(stepMs);
        const auto state = std::make_unique<ShowState>();
        std::set<Layer> drawn;
        for (std::uint32_t t = 0; t <= showEndMs; t += stepMs) {
            ASSERT_TRUE(renderedCleanly(t, *state));
            for (const ShowLayer& row : showLayers) {
                if (row.window.contains(t)) {
                    drawn.insert(row.layer);
                }
            }
        }
        EXPECT_EQ(drawn.size(), std::size(showLayers));
    }
}
