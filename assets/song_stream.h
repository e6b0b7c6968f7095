// Reading the embedded song's MP3 frame headers: enough to check the stream
// and to index where playing can start, without decoding it.
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

// Where every frame of the song starts, and how many frames before it a
// fresh decoder must be fed so that the frame and all after it come out
// exactly as in a straight play from the song's start.
struct SongIndex {
    std::vector<std::size_t> frameOffsets;  // every frame, the information frame first
    std::vector<int> prerollFrames;         // per frame
    // Before the first frame when the song plays on from its end: the loop
    // runs straight on, the decoder carrying over what the last frames left.
    int prerollIntoLoop = 0;
    std::size_t streamEnd = 0;  // one past the last frame's last byte
};

// A Layer III frame's main data may begin up to this many bytes before the
// frame, in the frames before it (the bit reservoir).
constexpr int maxMainDataBegin = 511;

// How many frames back a frame's main data begins, given every frame's
// main-data bytes and the frame's main_data_begin.
int reservoirReach(const std::vector<int>& mainDataBytes, std::size_t frame, int mainDataBegin);

// How many frames a fresh decoder must be fed before frame target (which may
// be reach.size(): the first frame again after a loop), given each frame's
// reservoirReach: the frame before target must decode, since its overlap
// and the synthesis filter's memory carry into target, and no frame from
// there on may reach for main data before the first frame fed.
int prerollFor(const std::vector<int>& reach, std::size_t target);

// The song's index; no frames if the stream holds no MPEG-1 Layer III frames.
SongIndex indexSong(const MediaBlock& song);

// The samples per channel the song plays before it loops back to its start:
// every frame, the information frame included (a decoder plays it as
// silence).
inline std::uint64_t loopSamples(const SongIndex& index)
{
    return index.frameOffsets.size() * std::uint64_t{mp3SamplesPerFrame};
}
