#include "assets/song_stream.h"

#include <algorithm>
#include <cstring>

#include "assets/big_endian.h"

namespace {

// MPEG-1 Layer III bit rates by header index; 0 is "free", -1 invalid.
constexpr int layerThreeKbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
constexpr int mpeg1Rates[4] = {44100, 48000, 32000, -1};
constexpr int headerBytes = 4;
constexpr int bytesPerKbpsSlot = 144;  // 1152 samples / 8 bits per byte
constexpr std::size_t stereoSideInfoBytes = 32;
constexpr std::size_t monoSideInfoBytes = 17;
constexpr std::size_t crcBytes = 2;
constexpr int mp3Mono = 3;
// The shortest frame (32 kbit/s) carries 68 bytes of main data, so the
// reservoir's 511 bytes reach back at most 8 frames: a frame further after
// a seek's target cannot reach before it.
constexpr std::size_t framesAfterTargetReaching = 9;
constexpr std::uint32_t frameCountFlag = 1;
constexpr std::uint32_t byteCountFlag = 2;

// Where a frame's side information starts: after the header and its check.
std::size_t sideInfoOffset(const Mp3Frame& frame)
{
    return headerBytes + (frame.hasCrc ? crcBytes : 0);
}

std::size_t sideInfoBytes(const Mp3Frame& frame)
{
    return frame.channelMode == mp3Mono ? monoSideInfoBytes : stereoSideInfoBytes;
}

// The 9-bit main_data_begin that opens the side information.
int mainDataBeginOf(const unsigned char* sideInfo)
{
    return (sideInfo[0] << 1) | (sideInfo[1] >> 7);
}

}  // namespace

std::vector<Mp3Frame> readMp3Frames(const MediaBlock& song)
{
    std::vector<Mp3Frame> frames;
    std::size_t at = 0;
    while (at + headerBytes <= song.size) {
        const unsigned char* h = song.data + at;
        const bool sync = h[0] == 0xff && (h[1] & 0xe0) == 0xe0;
        const bool mpeg1LayerThree = (h[1] & 0x1e) == 0x1a;  // version 11, layer 01
        if (!sync || !mpeg1LayerThree) {
            break;
        }
        Mp3Frame frame;
        frame.offset = at;
        frame.bitrateKbps = layerThreeKbps[h[2] >> 4];
        frame.sampleRate = mpeg1Rates[(h[2] >> 2) & 3];
        frame.channelMode = h[3] >> 6;
        frame.hasCrc = (h[1] & 1) == 0;
        if (frame.bitrateKbps <= 0 || frame.sampleRate <= 0) {
            break;
        }
        const int padding = (h[2] >> 1) & 1;
        frame.length = static_cast<std::size_t>(bytesPerKbpsSlot * frame.bitrateKbps * 1000 / frame.sampleRate + padding);
        frames.push_back(frame);
        at += frame.length;
    }
    return frames;
}

Mp3InfoFrame readMp3InfoFrame(const MediaBlock& song, const Mp3Frame& first)
{
    Mp3InfoFrame info;
    const std::size_t tagAt = first.offset + sideInfoOffset(first) + sideInfoBytes(first);
    constexpr std::size_t longestTag = 16;  // name, flags, two counts
    if (tagAt + longestTag > song.size) {
        return info;
    }
    const unsigned char* tag = song.data + tagAt;
    if (std::memcmp(tag, "Xing", 4) != 0 && std::memcmp(tag, "Info", 4) != 0) {
        return info;
    }
    info.present = true;
    const std::uint32_t flags = bigEndian32(tag + 4);
    const unsigned char* field = tag + 8;
    if (flags & frameCountFlag) {
        info.hasFrameCount = true;
        info.frameCount = bigEndian32(field);
        field += 4;
    }
    if (flags & byteCountFlag) {
        info.hasByteCount = true;
        info.byteCount = bigEndian32(field);
    }
    return info;
}

int reservoirReach(const std::vector<int>& mainDataBytes, std::size_t frame, int mainDataBegin)
{
    int reach = 0;
    for (int covered = 0; covered < mainDataBegin && reach < static_cast<int>(frame);) {
        ++reach;
        covered += mainDataBytes[frame - reach];
    }
    return reach;
}

int prerollFor(const std::vector<int>& reach, std::size_t target)
{
    if (target == 0) {
        return 0;
    }
    std::size_t first = target - 1;
    const std::size_t last = std::min(reach.size() - 1, target + framesAfterTargetReaching);
    for (std::size_t f = target - 1; f <= last; ++f) {
        first = std::min(first, f - static_cast<std::size_t>(reach[f]));
    }
    return static_cast<int>(target - first);
}

SongIndex indexSong(const MediaBlock& song)
{
    SongIndex index;
    std::vector<int> mainDataBytes;
    std::vector<int> reach;
    for (const Mp3Frame& frame : readMp3Frames(song)) {
        if (frame.offset + frame.length > song.size) {
            break;  // cut short: a decoder would read past the song
        }
        const std::size_t overhead = sideInfoOffset(frame) + sideInfoBytes(frame);
        const int begin = mainDataBeginOf(song.data + frame.offset + sideInfoOffset(frame));
        mainDataBytes.push_back(static_cast<int>(frame.length - overhead));
        reach.push_back(reservoirReach(mainDataBytes, mainDataBytes.size() - 1, begin));
        index.frameOffsets.push_back(frame.offset);
        index.streamEnd = frame.offset + frame.length;
    }
    for (std::size_t f = 0; f < reach.size(); ++f) {
        index.prerollFrames.push_back(prerollFor(reach, f));
    }
    if (!reach.empty()) {
        index.prerollIntoLoop = prerollFor(reach, reach.size());
    }
    return index;
}
