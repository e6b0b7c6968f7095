// The capture program itself, run on short spans: its pictures are the live
// show's frames, its video holds every frame with the song in step, and
// what cannot be done ends it with a line and no file.
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/frame.h"
#include "gl_window.h"
#include "sound_analysis.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/storyboard.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow);

struct Outcome {
    int status = -1;
    std::string errors;  // what it wrote on stderr
};

// A folder of the test's own, removed afterwards.
class Capture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/sleighride-capture-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder_ = name;
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    // The capture with these arguments, under an environment prefix such as
    // "PATH=/nowhere".
    Outcome capture(const std::string& arguments, const std::string& environment = "") const
    {
        const std::string errors = path("stderr.txt");
        const std::string command =
            environment + " " + SLEIGHRIDE_CAPTURE + " " + arguments + " 2>'" + errors + "' >/dev/null";
        Outcome run;
        const int status = std::system(command.c_str());
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream file(errors);
        std::stringstream text;
        text << file.rdbuf();
        run.errors = text.str();
        return run;
    }

    // A whole command's output, for ffprobe and ffmpeg.
    static std::string output(const std::string& command)
    {
        std::string text;
        std::FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t got = 0;
        while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            text.append(buffer, got);
        }
        if (pipe != nullptr) {
            pclose(pipe);
        }
        return text;
    }

    static bool exists(const std::string& file)
    {
        struct stat status {};
        return stat(file.c_str(), &status) == 0;
    }

private:
    std::string folder_;
};

// A PNG of the capture as the screen's RGB rows, bottom up like readScreen.
std::vector<std::uint8_t> rowsOfPicture(const std::string& file, int& width, int& height)
{
    SDL_Surface* loaded = IMG_Load(file.c_str());
    if (loaded == nullptr) {
        ADD_FAILURE() << "cannot read " << file << ": " << IMG_GetError();
        return {};
    }
    width = loaded->w;
    height = loaded->h;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* from = static_cast<const std::uint8_t*>(loaded->pixels) + y * loaded->pitch;
        std::copy(from, from + width * 3, &rows[static_cast<std::size_t>(height - 1 - y) * width * 3]);
    }
    SDL_FreeSurface(loaded);
    return rows;
}

// "key=value" pairs of each stream ffprobe lists, by codec type.
std::map<std::string, std::map<std::string, std::string>> streamsOf(const std::string& probe)
{
    std::map<std::string, std::map<std::string, std::string>> streams;
    std::istringstream lines(probe);
    std::string line;
    while (std::getline(lines, line)) {
        std::map<std::string, std::string> fields;
        std::istringstream parts(line);
        std::string part;
        while (std::getline(parts, part, '|')) {
            const std::size_t equals = part.find('=');
            if (equals != std::string::npos) {
                fields[part.substr(0, equals)] = part.substr(equals + 1);
            }
        }
        streams[fields["codec_type"]] = fields;
    }
    return streams;
}

}  // namespace

TEST_F(Capture, PicturesAreTheFramesALiveViewerSees)
{
    // Eight frames a second from a minute in: the track laid beat by beat
    // and the snow stepped once per frame on the way, as the live loop would.
    constexpr std::uint32_t fromMs = 60000;
    constexpr std::uint32_t frameMs = 125;
    const Outcome run = capture("--from 60000 --to 60250 --fps 8 --out '" + path("frames") + "/'");
    ASSERT_EQ(run.status, 0) << run.errors;

    const auto state = std::make_unique<ShowState>(referenceSnowSeed);
    for (std::uint32_t t = 0; t < fromMs; t += frameMs) {
        advanceFrame(t, *state);
    }
    for (int n = 0; n < 2; ++n) {
        drawFrameAt(fromMs + n * frameMs, *state);
        int width = 0;
        int height = 0;
        const auto captured = rowsOfPicture(path("frames/00000" + std::to_string(n) + ".png"), width, height);
        ASSERT_EQ(width, screenWidth);
        ASSERT_EQ(height, screenHeight);
        EXPECT_TRUE(captured == readScreen()) << "frame " << n;
    }
    EXPECT_FALSE(exists(path("frames/000002.png")));

    // Wider than 4:3: the same picture scaled to the height between black bars.
    ASSERT_EQ(capture("--from 60000 --to 60001 --size 400x240 --out '" + path("wide") + "/'").status, 0);
    int width = 0;
    int height = 0;
    const auto wide = rowsOfPicture(path("wide/000000.png"), width, height);
    ASSERT_EQ(width, 400);
    bool barsBlack = true;
    bool pictureShown = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = &wide[(static_cast<std::size_t>(y) * width + x) * 3];
            const bool black = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
            const bool inBar = x < 40 || x >= 360;
            barsBlack = barsBlack && (!inBar || black);
            pictureShown = pictureShown || (!inBar && !black);
        }
    }
    EXPECT_TRUE(barsBlack);
    EXPECT_TRUE(pictureShown);
}

TEST_F(Capture, VideoHoldsEveryFrameWithTheSongHeardOnTheBeat)
{
    // Three seconds while the track is laid, where the song hits every beat.
    constexpr std::uint32_t fromMs = 6000;
    constexpr std::uint32_t toMs = 9000;
    constexpr double frameMs = 1000.0 / 60;
    const std::string video = path("laying.mp4");
    const Outcome run = capture("--from 6000 --to 9000 --size 320x240 --out '" + video + "'");
    ASSERT_EQ(run.status, 0) << run.errors;
    // Not a terminal: plain progress lines, the last one the total.
    EXPECT_NE(run.errors.find("180/180 frames"), std::string::npos) << run.errors;
    EXPECT_FALSE(exists(video + ".partial"));

    auto streams = streamsOf(output("ffprobe -v error -count_frames -show_entries "
                                    "stream=codec_type,codec_name,width,height,pix_fmt,nb_read_frames,duration,"
                                    "channels,sample_rate -of compact '" + video + "'"));
    auto& picture = streams["video"];
    EXPECT_EQ(picture["codec_name"], "h264");
    EXPECT_EQ(picture["pix_fmt"], "yuv420p");
    EXPECT_EQ(picture["width"] + "x" + picture["height"], "320x240");
    EXPECT_EQ(picture["nb_read_frames"], "180");
    EXPECT_NEAR(std::stod(picture["duration"]), 3.0, 1e-3);
    auto& sound = streams["audio"];
    EXPECT_EQ(sound["codec_name"], "aac");
    EXPECT_EQ(sound["channels"], "2");
    EXPECT_EQ(sound["sample_rate"], "44100");
    EXPECT_NEAR(std::stod(sound["duration"]), 3.0, frameMs / 1000);

    // The sound as a player decodes it: every beat heard within a frame of
    // the moment of the picture that shows it.
    const std::string bytes = output("ffmpeg -v error -i '" + video + "' -f s16le -ac 2 -ar 44100 -");
    std::vector<std::int16_t> stereo(bytes.size() / sizeof(std::int16_t));
    std::copy(bytes.begin(), bytes.begin() + static_cast<long>(stereo.size() * sizeof(std::int16_t)),
              reinterpret_cast<char*>(stereo.data()));
    const std::vector<double> onsets = findOnsetsMs(monoFromStereo(stereo), mixerRate);
    int beatsHeard = 0;
    for (std::uint32_t beat = fromMs / beatMs + 1; beats(beat) < toMs; ++beat) {
        const double due = beats(beat) - double{fromMs};
        bool heard = false;
        for (double at : onsets) {
            heard = heard || std::abs(at - due) <= frameMs;
        }
        EXPECT_TRUE(heard) << "no hit within a frame of beat " << beat << ", " << due << " ms into the video";
        beatsHeard += heard ? 1 : 0;
    }
    EXPECT_EQ(beatsHeard, 7);
}

TEST_F(Capture, StoryboardShowsEveryLayerOnItsOwnTile)
{
    const Outcome run = capture("--fps 10 --storyboard '" + path("sheet.png") + "'");
    ASSERT_EQ(run.status, 0) << run.errors;
    int width = 0;
    int height = 0;
    const auto sheet = rowsOfPicture(path("sheet.png"), width, height);
    // Quarter-size tiles, four to a row, 8 pixels apart, each with 22 rows
    // of label below it.
    constexpr int gap = 8;
    constexpr int tileWidth = 256;
    constexpr int tileHeight = 192;
    constexpr int labelHeight = 22;
    EXPECT_EQ(width, 4 * tileWidth + 5 * gap);
    constexpr int tiles = static_cast<int>(std::size(storyboardMoments));
    int distinct = 0;
    std::vector<std::uint8_t> previous;
    for (int tile = 0; tile < tiles; ++tile) {
        const int left = gap + tile % 4 * (tileWidth + gap);
        const int middle = gap + tile / 4 * (tileHeight + labelHeight + gap) + tileHeight / 2;
        const std::size_t at = (static_cast<std::size_t>(height - 1 - middle) * width + left) * 3;
        const std::vector<std::uint8_t> row(sheet.begin() + static_cast<long>(at),
                                            sheet.begin() + static_cast<long>(at + tileWidth * 3));
        distinct += row != previous ? 1 : 0;
        previous = row;
    }
    EXPECT_EQ(distinct, tiles);
}

TEST_F(Capture, FailuresSayWhatFailedAndLeaveNoFile)
{
    const std::string video = path("show.mp4");
    const Outcome noEncoder = capture("--to 100 --out '" + video + "'", "PATH=/nowhere");
    EXPECT_EQ(noEncoder.status, 1);
    EXPECT_NE(noEncoder.errors.find("cannot find ffmpeg on PATH"), std::string::npos) << noEncoder.errors;

    // An encoder that gives up at once, as on a full disk.
    const std::string bin = path("bin");
    mkdir(bin.c_str(), 0755);
    std::ofstream(bin + "/ffmpeg") << "#!/bin/sh\necho 'No space left on device' >&2\nexit 1\n";
    chmod((bin + "/ffmpeg").c_str(), 0755);
    const Outcome encoderFails = capture("--to 1000 --size 64x48 --out '" + video + "'", "PATH='" + bin + "'");
    EXPECT_EQ(encoderFails.status, 1);
    EXPECT_NE(encoderFails.errors.find("ffmpeg failed writing " + video + " (exit status 1): No space left on device"),
              std::string::npos)
        << encoderFails.errors;
    EXPECT_FALSE(exists(video));
    EXPECT_FALSE(exists(video + ".partial"));

    // Below a file, where nothing can be written.
    std::ofstream(path("file")) << "not a folder\n";
    for (const std::string& out : {path("file/show.mp4"), path("file/frames/")}) {
        const Outcome unwritable = capture("--to 100 --out '" + out + "'");
        EXPECT_EQ(unwritable.status, 1);
        EXPECT_NE(unwritable.errors.find(": Not a directory"), std::string::npos) << unwritable.errors;
    }
}
