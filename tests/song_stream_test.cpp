// The embedded song as a stream, and the reader of its frames on made-up
// ones. A tag at either end could be mistaken for audio by a decoder.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/audio.h"
#include "assets/song_stream.h"

namespace {

constexpr std::size_t songBudgetBytes = 7 * 1024 * 1024;
constexpr std::uint32_t expectedAudioFrames = 11141;  // about 291 s
constexpr std::uint32_t audioFrameSlack = 3;
constexpr std::size_t id3v1Bytes = 128;

}  // namespace

TEST(SongStream, IsUntaggedMpeg1LayerThreeFramesToTheLastByteCountedByAnInformationFrame)
{
    const MediaBlock song = musicBlock();
    ASSERT_GT(song.size, id3v1Bytes);
    EXPECT_NE(std::memcmp(song.data, "ID3", 3), 0) << "an ID3v2 tag opens the stream";
    EXPECT_NE(std::memcmp(song.data + song.size - id3v1Bytes, "TAG", 3), 0) << "an ID3v1 tag closes it";
    EXPECT_LT(song.size, songBudgetBytes);

    const std::vector<Mp3Frame> frames = readMp3Frames(song);
    ASSERT_GT(frames.size(), 1u) << "the stream does not start with a frame";
    EXPECT_EQ(frames.back().offset + frames.back().length, song.size) << "bytes left after the last frame";
    std::set<int> bitrates;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        EXPECT_EQ(frames[i].sampleRate, mixerRate);
        EXPECT_EQ(frames[i].channelMode, mp3JointStereo);
        if (i > 0) {
            bitrates.insert(frames[i].bitrateKbps);
        }
    }
    EXPECT_GT(bitrates.size(), 1u) << "the bit rate never varies";

    const Mp3InfoFrame info = readMp3InfoFrame(song, frames.front());
    ASSERT_TRUE(info.present && info.hasFrameCount) << "no Xing/Info header counting the frames";
    EXPECT_EQ(info.frameCount, frames.size() - 1);
    if (info.hasByteCount) {
        EXPECT_EQ(info.byteCount, song.size);
    }
    EXPECT_NEAR(static_cast<double>(info.frameCount), expectedAudioFrames, audioFrameSlack);
}

namespace {

constexpr std::size_t frameBytes = 417;  // 128 kbit/s at 44.1 kHz, no padding
constexpr unsigned char jointStereoFrameHeader[4] = {0xff, 0xfb, 0x90, 0x64};

// A made-up stream of whole silent frames, the first carrying an optional
// information tag that counts the others.
std::vector<unsigned char> madeUpStream(int audioFrames, bool withInfo)
{
    std::vector<unsigned char> bytes(frameBytes * (audioFrames + 1), 0);
    for (int frame = 0; frame <= audioFrames; ++frame) {
        std::memcpy(bytes.data() + frame * frameBytes, jointStereoFrameHeader, 4);
    }
    if (withInfo) {
        const unsigned char info[] = {'I', 'n', 'f', 'o', 0, 0, 0, 3, 0, 0, 0,
                                      static_cast<unsigned char>(audioFrames),
                                      0, 0, static_cast<unsigned char>(bytes.size() >> 8),
                                      static_cast<unsigned char>(bytes.size() & 0xff)};
        std::memcpy(bytes.data() + 4 + 32, info, sizeof info);
    }
    return bytes;
}

MediaBlock blockOf(const std::vector<unsigned char>& bytes)
{
    return {bytes.data(), bytes.size()};
}

}  // namespace

TEST(Mp3Reading, WalksWholeFramesAndReadsTheInformationTag)
{
    const std::vector<unsigned char> stream = madeUpStream(3, true);
    const std::vector<Mp3Frame> frames = readMp3Frames(blockOf(stream));
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[3].offset, 3 * frameBytes);
    EXPECT_EQ(frames[3].channelMode, mp3JointStereo);
    const Mp3InfoFrame info = readMp3InfoFrame(blockOf(stream), frames[0]);
    EXPECT_TRUE(info.present);
    EXPECT_EQ(info.frameCount, 3u);
    EXPECT_EQ(info.byteCount, stream.size());
}

TEST(Mp3Reading, FindsNoTagWithoutOneAndNoFramesInWhatIsNotAudio)
{
    const std::vector<unsigned char> untagged = madeUpStream(3, false);
    EXPECT_FALSE(readMp3InfoFrame(blockOf(untagged), readMp3Frames(blockOf(untagged)).front()).present);
    std::vector<unsigned char> notAudio(2000, 'x');
    EXPECT_TRUE(readMp3Frames(blockOf(notAudio)).empty());
    EXPECT_TRUE(indexSong(blockOf(notAudio)).frameOffsets.empty());
    const std::vector<unsigned char> whole = madeUpStream(1, true);
    const std::vector<unsigned char> cut(whole.begin(), whole.begin() + 20);
    EXPECT_FALSE(readMp3InfoFrame(blockOf(cut), readMp3Frames(blockOf(cut)).front()).present)
        << "a stream cut inside its first frame";
}
