// Reading the embedded song's MP3 frame headers: enough to check the stream
// and to know how long the song lasts without decoding it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "assets/media_table.h"

struct Mp3Frame {
    std::size_t offset = 0;
    std::size_t length = 0;
    int bitrateKbps = 0;
    int sampleRate = 0;
    int channelMode = 0;  // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    bool hasCrc = false;
};

constexpr int mp3JointStereo = 1;
constexpr int mp3SamplesPerFrame = 1152;

// The MPEG-1 Layer III frames from the stream's first byte on, stopping at
// the first byte that does not start such a frame.
std::vector<Mp3Frame> readMp3Frames(const MediaBlock& song);

// The Xing/Info header that an encoder puts in the first frame of a
// variable-bit-rate stream.
struct Mp3InfoFrame {
    bool present = false;
    bool hasFrameCount = false;
    bool hasByteCount = false;
    std::uint32_t frameCount = 0;  // audio frames after the information frame
    std::uint32_t byteCount = 0;
};

Mp3InfoFrame readMp3InfoFrame(const MediaBlock& song, const Mp3Frame& first);

// How long the song plays, from its information frame; 0 if it has none.
std::uint32_t songLengthMs(const MediaBlock& song);
