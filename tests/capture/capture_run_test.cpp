// The capture program itself, run on short spans: its pictures are the live
// show's frames, its video holds every frame with the song in step and in
// the colours drawn, the song plays once, and what cannot be done ends it,
// before the first frame, with a line and no file.
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <array>
#include <cmath>
#include <cstring>
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
#include "assets/song_stream.h"
#include "gl_window.h"
#include "sound_analysis.h"
#include "tools/capture/frame_clock.h"
#include "tools/capture/output_file.h"
#include "tools/capture/storyboard.h"

extern char** environ;

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow);

// A whole command's output, for ffprobe and ffmpeg.
std::string commandOutput(const std::string& command)
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

// A file's tags, by lower-case name (MP4, Matroska, WAV and FLAC spell them
// differently).
std::map<std::string, std::string> tagsOf(const std::string& file)
{
    std::map<std::string, std::string> tags;
    auto probed = streamsOf(commandOutput("ffprobe -v error -show_entries format_tags -of compact '" + file + "'"));
    for (const auto& [key, value] : probed[""]) {
        std::string name = key;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        tags[name] = value;
    }
    return tags;
}

// RGB pixels, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

Picture loadPicture(const std::string& file)
{
    Picture picture;
    std::vector<std::uint8_t> bottomUp = rowsOfPicture(file, picture.width, picture.height);
    picture.rgb.resize(bottomUp.size());
    const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(&bottomUp[static_cast<std::size_t>(picture.height - 1 - y) * row], row, &picture.rgb[y * row]);
    }
    return picture;
}

// A video's frames as RGB, converted as its tags say (the matrix and range
// ffprobe reads), with exact rounding.
std::vector<Picture> decodedFrames(const std::string& video, int width, int height)
{
    auto stream = streamsOf(commandOutput("ffprobe -v error -select_streams v -show_entries "
                                           "stream=codec_type,color_space,color_range -of compact '" + video + "'"))["video"];
    std::string filter;
    if (stream["color_space"] != "gbr") {
        filter = " -vf scale=in_color_matrix=" + stream["color_space"] + ":in_range=" + stream["color_range"] +
                 ":flags=accurate_rnd+full_chroma_int";
    }
    const std::string bytes =
        commandOutput("ffmpeg -v error -i '" + video + "'" + filter + " -pix_fmt rgb24 -f rawvideo -");
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 3;
    std::vector<Picture> frames;
    for (std::size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        frames.push_back({width, height, std::vector<std::uint8_t>(bytes.begin() + static_cast<long>(at),
                                                                  bytes.begin() + static_cast<long>(at + frameBytes))});
    }
    return frames;
}

// Pixels in the middle of a flat area of one colour: the 17 x 17 pixels
// around them all that colour, far enough from any edge that compression
// and chroma subsampling leave them alone.
std::vector<bool> flatPixels(const Picture& picture)
{
    constexpr int reach = 8;
    const int width = picture.width;
    const int height = picture.height;
    const auto same = [&](int x0, int y0, int x1, int y1) { return std::equal(picture.at(x0, y0), picture.at(x0, y0) + 3, picture.at(x1, y1)); };
    // Across: how many equal pixels run up to each one, from each side.
    std::vector<int> left(static_cast<std::size_t>(width) * height);
    std::vector<int> right(left.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            left[y * width + x] = x > 0 && same(x, y, x - 1, y) ? left[y * width + x - 1] + 1 : 0;
        }
        for (int x = width - 1; x >= 0; --x) {
            right[y * width + x] = x + 1 < width && same(x, y, x + 1, y) ? right[y * width + x + 1] + 1 : 0;
        }
    }
    // Down: rows flat across, of the same colour, on both sides.
    std::vector<int> up(left.size());
    std::vector<int> down(left.size());
    const auto across = [&](int x, int y) { return left[y * width + x] >= reach && right[y * width + x] >= reach; };
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            up[y * width + x] = across(x, y) ? (y > 0 && across(x, y - 1) && same(x, y, x, y - 1) ? up[(y - 1) * width + x] + 1 : 0) : -1;
        }
        for (int y = height - 1; y >= 0; --y) {
            down[y * width + x] = across(x, y) ? (y + 1 < height && across(x, y + 1) && same(x, y, x, y + 1) ? down[(y + 1) * width + x] + 1 : 0) : -1;
        }
    }
    std::vector<bool> flat(left.size());
    for (std::size_t i = 0; i < flat.size(); ++i) {
        flat[i] = up[i] >= reach && down[i] >= reach;
    }
    return flat;
}

// The capture in the background, its stderr into a file; its process id.
pid_t startCapture(const std::vector<std::string>& arguments, const std::string& errors)
{
    std::vector<std::string> all = {SLEIGHRIDE_CAPTURE};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = -1;
    EXPECT_EQ(posix_spawn(&child, SLEIGHRIDE_CAPTURE, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
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
        // Named by their place on the clock from the show's start.
        const auto captured = rowsOfPicture(path("frames/00048" + std::to_string(n) + ".png"), width, height);
        ASSERT_EQ(width, screenWidth);
        ASSERT_EQ(height, screenHeight);
        EXPECT_TRUE(captured == readScreen()) << "frame " << n;
    }
    EXPECT_FALSE(exists(path("frames/000482.png")));

    // Wider than 4:3: the same picture scaled to the height between black bars.
    ASSERT_EQ(capture("--from 60000 --to 60001 --size 400x240 --out '" + path("wide") + "/' --start-number 9").status,
              0);
    int width = 0;
    int height = 0;
    const auto wide = rowsOfPicture(path("wide/000009.png"), width, height);
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

    auto streams = streamsOf(commandOutput("ffprobe -v error -count_frames -show_entries "
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
    const std::string bytes = commandOutput("ffmpeg -v error -i '" + video + "' -f s16le -ac 2 -ar 44100 -");
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

TEST_F(Capture, VideoShowsTheColoursDrawnAndLosslessIsExact)
{
    // Two frames 39.8 s apart: the singer (her green, the black behind her)
    // and the heart chase (white, the heart's red); in every size, each as
    // PNG frames, as the default video and as lossless FFV1.
    struct Flat {
        std::array<std::uint8_t, 3> colour;
        const char* name;
    };
    const Flat flats[] = {{{0, 0, 0}, "black"}, {{255, 255, 255}, "white"}, {{227, 32, 47}, "the heart's red"},
                          {{29, 116, 70}, "the singer's green"}};
    const std::string span = "--fps 5/199 --from 95000 --to 134801";
    for (const std::string size : {"1024x768", "1920x1080"}) {
        SCOPED_TRACE(size);
        const std::string frames = path(size + "/");
        const std::string video = path(size + ".mp4");
        const std::string lossless = path(size + ".mkv");
        for (const std::string& out : {frames + " --start-number 0", video, lossless + " --codec ffv1"}) {
            const Outcome run = capture(span + " --size " + size + " --out " + out);
            ASSERT_EQ(run.status, 0) << run.errors;
        }
        auto tags = streamsOf(commandOutput("ffprobe -v error -show_entries stream=codec_type,codec_name,pix_fmt,"
                                            "color_space,color_primaries,color_transfer,color_range,chroma_location "
                                            "-of compact " + video))["video"];
        EXPECT_EQ(tags["color_space"] + " " + tags["color_primaries"] + " " + tags["color_transfer"] + " " +
                      tags["color_range"] + " " + tags["chroma_location"],
                  "bt709 bt709 bt709 tv center");
        tags = streamsOf(commandOutput("ffprobe -v error -show_entries stream=codec_type,codec_name,pix_fmt,"
                                       "color_space,color_primaries,color_transfer,color_range -of compact " +
                                       lossless))["video"];
        EXPECT_EQ(tags["codec_name"] + " " + tags["pix_fmt"] + " " + tags["color_space"] + " " +
                      tags["color_primaries"] + " " + tags["color_transfer"] + " " + tags["color_range"],
                  "ffv1 bgr0 gbr bt709 iec61966-2-1 pc");

        const Picture drawn[] = {loadPicture(frames + "000000.png"), loadPicture(frames + "000001.png")};
        const int width = drawn[0].width;
        const int height = drawn[0].height;
        const std::vector<Picture> decoded = decodedFrames(video, width, height);
        const std::vector<Picture> exact = decodedFrames(lossless, width, height);
        ASSERT_EQ(decoded.size(), 2u);
        ASSERT_EQ(exact.size(), 2u);
        std::map<std::string, std::array<std::vector<int>, 3>> levels;
        std::map<std::string, std::size_t> farOff;
        for (int n = 0; n < 2; ++n) {
            EXPECT_TRUE(exact[n].rgb == drawn[n].rgb) << "lossless frame " << n;
            const std::vector<bool> flat = flatPixels(drawn[n]);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    for (const Flat& f : flats) {
                        if (!flat[y * width + x] || !std::equal(f.colour.begin(), f.colour.end(), drawn[n].at(x, y))) {
                            continue;
                        }
                        for (int c = 0; c < 3; ++c) {
                            const int level = decoded[n].at(x, y)[c];
                            levels[f.name][c].push_back(level);
                            farOff[f.name] += std::abs(level - f.colour[c]) > 2 ? 1 : 0;
                        }
                    }
                }
            }
        }
        // Each flat area's colour within 2 levels, the rare pixel further off
        // left to the encoder's blocks near an edge.
        for (const Flat& f : flats) {
            ASSERT_GT(levels[f.name][0].size(), 1000u) << f.name;
            for (int c = 0; c < 3; ++c) {
                std::vector<int>& channel = levels[f.name][c];
                std::nth_element(channel.begin(), channel.begin() + channel.size() / 2, channel.end());
                EXPECT_NEAR(channel[channel.size() / 2], f.colour[c], 2) << f.name << ", channel " << c;
            }
            EXPECT_LT(farOff[f.name], levels[f.name][0].size() * 3 / 100) << f.name;
        }
    }
}

TEST_F(Capture, TheSongPlaysOnceUnlessItIsAskedToLoop)
{
    // Around the song's end, 291.39 s into the show as heard.
    constexpr std::uint32_t fromMs = 289000;
    constexpr std::uint32_t toMs = 295000;
    const std::string span = "--from 289s --to 4:55 ";
    const Outcome once = capture(span + "--audio " + path("once.wav") + " --title 'Holly Rails' --year 2025");
    const Outcome looped = capture(span + "--audio " + path("looped.flac") + " --loop-music");
    ASSERT_EQ(once.status, 0) << once.errors;
    ASSERT_EQ(looped.status, 0) << looped.errors;
    const auto samplesOf = [](const std::string& file) {
        const std::string bytes = commandOutput("ffmpeg -v error -i '" + file + "' -f s16le -");
        std::vector<std::int16_t> samples(bytes.size() / sizeof(std::int16_t));
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(std::int16_t));
        return samples;
    };
    // Sample for sample the heard song, to the song's end; silence after.
    const std::vector<std::int16_t> song = renderHeardMusic(musicBlock(), fromMs, toMs);
    const std::size_t end =
        2 * (sampleAtMs(heardDelayMs) + loopSamples(indexSong(musicBlock())) - sampleAtMs(fromMs));
    ASSERT_LT(end, song.size());
    const std::vector<std::int16_t> onePlay = samplesOf(path("once.wav"));
    ASSERT_EQ(onePlay.size(), song.size());
    EXPECT_TRUE(std::equal(song.begin(), song.begin() + static_cast<long>(end), onePlay.begin()));
    EXPECT_TRUE(std::all_of(onePlay.begin() + static_cast<long>(end), onePlay.end(), [](std::int16_t s) { return s == 0; }));
    EXPECT_TRUE(samplesOf(path("looped.flac")) == song);
    // The file's tags: the show's unless given.
    auto tags = tagsOf(path("once.wav"));
    EXPECT_EQ(tags["tag:title"] + ", " + tags["tag:artist"] + ", " + tags["tag:date"], "Holly Rails, Tinsel Tankard, 2025");
    tags = tagsOf(path("looped.flac"));
    EXPECT_EQ(tags["tag:title"] + ", " + tags["tag:artist"] + ", " + tags["tag:date"], "sleighride, Tinsel Tankard, 2026");

    // The video's sound as a player decodes it: silent after the song, unless
    // it loops, when the song's opening plays.
    for (const bool loop : {false, true}) {
        const std::string video = path(loop ? "looped.mp4" : "once.mp4");
        const Outcome run = capture(span + "--size 64x48 --fps 10 --out " + video + (loop ? " --loop-music" : ""));
        ASSERT_EQ(run.status, 0) << run.errors;
        const std::vector<float> heard = monoFromStereo(samplesOf(video));
        const std::size_t afterTheSong = sampleAtMs(291500 - fromMs);
        ASSERT_GT(heard.size(), afterTheSong + mixerRate);
        const double level = rmsDbfs(heard, afterTheSong, heard.size());
        if (loop) {
            EXPECT_GT(level, -30) << "the song's opening";
        } else {
            EXPECT_LT(level, -60) << "silence after the song";
        }
    }
}

TEST_F(Capture, TheVideoIsEncodedAsAskedAndTagged)
{
    const std::string video = path("hevc.mp4");
    const Outcome run = capture("--from 1:00 --to 60.5s --size 320x240 --codec h265 --pix-fmt yuv444p --crf 30 "
                                "--preset ultrafast --artist 'The Carollers' --out " + video);
    ASSERT_EQ(run.status, 0) << run.errors;
    auto streams = streamsOf(commandOutput("ffprobe -v error -count_frames -show_entries stream=codec_type,codec_name,"
                                           "codec_tag_string,pix_fmt,nb_read_frames,color_space -of compact " + video));
    EXPECT_EQ(streams["video"]["codec_name"] + " " + streams["video"]["codec_tag_string"] + " " +
                  streams["video"]["pix_fmt"] + " " + streams["video"]["nb_read_frames"] + " " +
                  streams["video"]["color_space"],
              "hevc hvc1 yuv444p 30 bt709");
    EXPECT_EQ(streams["audio"]["codec_name"], "aac");
    auto tags = tagsOf(video);
    EXPECT_EQ(tags["tag:title"] + ", " + tags["tag:artist"] + ", " + tags["tag:date"], "sleighride, The Carollers, 2026");

    // Drawn at twice the size and scaled down: the same picture of the ride,
    // its edges changed where they are smoothed.
    for (const std::string times : {"1", "2"}) {
        const Outcome drawn = capture("--from 39s --to 39.001s --start-number 0 --supersample " + times + " --out " +
                                      path(times + "/"));
        ASSERT_EQ(drawn.status, 0) << drawn.errors;
    }
    const Picture plain = loadPicture(path("1/000000.png"));
    const Picture smooth = loadPicture(path("2/000000.png"));
    ASSERT_EQ(plain.rgb.size(), smooth.rgb.size());
    std::size_t differing = 0;
    double difference = 0;
    for (std::size_t i = 0; i < plain.rgb.size(); ++i) {
        differing += plain.rgb[i] != smooth.rgb[i] ? 1 : 0;
        difference += std::abs(plain.rgb[i] - smooth.rgb[i]);
    }
    EXPECT_GT(differing, plain.rgb.size() / 100);
    EXPECT_LT(difference / static_cast<double>(plain.rgb.size()), 1);
}

TEST_F(Capture, FailuresComeBeforeTheFirstFrameAndLeaveNoFile)
{
    // Stand-in encoders that say they have every encoder, and leave a mark
    // if ever asked to encode.
    const std::string bin = path("bin");
    const std::string started = path("started");
    mkdir(bin.c_str(), 0755);
    const std::string lister =
        "case \"$*\" in *-encoders*) printf ' V..... libx264\\n A..... aac\\n A..... pcm_s16le\\n'; exit 0;; esac\n";
    std::ofstream(bin + "/ffmpeg") << "#!/bin/sh\n" << lister << "touch '" << started << "'\n"
                                   << "echo 'No space left on device' >&2\nexit 1\n";
    chmod((bin + "/ffmpeg").c_str(), 0755);
    const std::string standIn = "PATH='" + bin + "'";
    const auto onlyLine = [](const Outcome& run, const std::string& says) {
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_NE(run.errors.find("sleighride-capture: " + says), std::string::npos) << run.errors;
    };

    const std::string video = path("show.mp4");
    const Outcome noEncoder = capture("--out '" + video + "'", "PATH=/nowhere");
    EXPECT_EQ(noEncoder.status, 1);
    onlyLine(noEncoder, "cannot find ffmpeg on PATH");
    const Outcome noHevc = capture("--codec h265 --out '" + video + "'", standIn);
    EXPECT_EQ(noHevc.status, 1);
    onlyLine(noHevc, bin + "/ffmpeg has no libx265 encoder");

    // Below a file, where nothing can be written; a folder by the video's
    // name; a disk too small (1 MiB, in a mount of the check's own).
    std::ofstream(path("file")) << "not a folder\n";
    mkdir(path("folder.mp4").c_str(), 0755);
    mkdir(path("small").c_str(), 0755);
    const std::string smallDisk = "/usr/bin/unshare --map-root-user --mount /bin/sh -c '/bin/mount -t tmpfs -o size=1m tmpfs " +
                                  path("small") + " && exec \"$0\" \"$@\"'";
    struct Case {
        std::string arguments;
        std::string environment;
        std::string says;
    };
    const Case cases[] = {
        {"--out " + path("file/show.mp4"), standIn, "cannot write " + path("file/show.mp4") + ": Not a directory"},
        {"--out " + path("file/frames/"), "", "cannot write " + path("file/frames/") + ": Not a directory"},
        {"--audio " + path("file/song.wav"), standIn, "cannot write " + path("file/song.wav") + ": Not a directory"},
        {"--out " + path("folder.mp4"), standIn, "cannot write " + path("folder.mp4") + ": Is a directory"},
        {"--out " + path("small/show.mp4"), standIn + " " + smallDisk, "not enough room for " + path("small/show.mp4")},
        {"--out " + path("small/frames/"), smallDisk, "not enough room for " + path("small/frames/")},
    };
    for (const Case& c : cases) {
        const Outcome run = capture(c.arguments, c.environment);
        EXPECT_EQ(run.status, 1) << c.arguments;
        onlyLine(run, c.says);
    }
    EXPECT_FALSE(exists(started));

    // An encoder that gives up at once, as on a full disk.
    const Outcome encoderFails = capture("--to 1000 --size 64x48 --out '" + video + "'", standIn);
    EXPECT_EQ(encoderFails.status, 1);
    onlyLine(encoderFails, "ffmpeg failed writing " + video + " (exit status 1): No space left on device");
    EXPECT_FALSE(exists(video));
    EXPECT_FALSE(exists(video + ".partial"));
}

TEST_F(Capture, SignalsEndItWithTheirStatusAndNothingUnfinished)
{
    struct Case {
        int signal;
        int status;
        std::string out;
        std::string started;  // there once frames are being written
    };
    for (const Case& c : {Case{SIGTERM, 143, path("show.mp4"), path("show.mp4.partial")},
                          Case{SIGINT, 130, path("frames/"), path("frames/000000.png")}}) {
        SCOPED_TRACE(c.out);
        const pid_t capture = startCapture({"--size", "64x48", "--out", c.out}, path("errors"));
        // A minute at most.
        for (int wait = 0; wait < 600 && !exists(c.started); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(exists(c.started));
        kill(capture, c.signal);
        int status = 0;
        ASSERT_EQ(waitpid(capture, &status, 0), capture);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        EXPECT_EQ(commandOutput("ls " + path("") + " " + c.out + " | grep -c -e partial -e show.mp4"), "0\n");
    }
}
