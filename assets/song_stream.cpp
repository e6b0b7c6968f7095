#include "assets/song_stream.h"

#include <cstring>

#include "assets/big_endian.h"

namespace {

// MPEG-1 Layer III bit rates by header index; 0 is "free", -1 invalid.
constexpr int layerThreeKbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
constexpr int mpeg1Rates[4] = {44100, 48000, 32000, -1};
constexpr int headerBytes = 4;
constexpr int bytesPerKbpsSlot = 144;  // 1152 samples / 8 bits per byte
constexpr std::size_t stereoSideInfoBytes = 32;
constexpr std::size_t crcBytes = 2;
constexpr std::uint32_t frameCountFlag = 1;
constexpr std::uint32_t byteCountFlag = 2;

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
    const std::size_t tagAt = first.offset + headerBytes + stereoSideInfoBytes + (first.hasCrc ? crcBytes : 0);
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

std::uint32_t songLengthMs(const MediaBlock& song)
{
    const std::vector<Mp3Frame> frames = readMp3Frames(song);
    if (frames.empty()) {
        return 0;
    }
    const Mp3InfoFrame info = readMp3InfoFrame(song, frames.front());
    if (!info.hasFrameCount) {
        return 0;
    }
    const std::uint64_t samples = std::uint64_t{info.frameCount} * mp3SamplesPerFrame;
    return static_cast<std::uint32_t>(samples * 1000 / frames.front().sampleRate);
}
