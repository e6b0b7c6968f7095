#include "assets/song_decoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int outputBits = 16;
// The synthesis filter's phase turns through 16 steps, 36 of them a frame.
constexpr unsigned synthPhases = 16;
constexpr unsigned synthStepsPerFrame = 36;

// libmad's fixed-point sample rounded to the nearest 16-bit value and
// clipped, as the mixer turns it into sound.
std::int16_t roundedSample(mad_fixed_t sample)
{
    sample += mad_fixed_t{1} << (MAD_F_FRACBITS - outputBits);
    sample = std::clamp<mad_fixed_t>(sample, -MAD_F_ONE, MAD_F_ONE - 1);
    return static_cast<std::int16_t>(sample >> (MAD_F_FRACBITS + 1 - outputBits));
}

// The filter's phase before a frame in a straight play from the start.
unsigned straightPhaseBefore(std::size_t frame)
{
    return static_cast<unsigned>((frame * synthStepsPerFrame) % synthPhases);
}

}  // namespace

SongDecoder::SongDecoder(MediaBlock song, SongIndex index) : song_(song), index_(std::move(index))
{
    const unsigned char* last = song_.data + index_.frameOffsets.back();
    lastFrame_.assign(last, song_.data + index_.streamEnd);
    lastFrame_.resize(lastFrame_.size() + MAD_BUFFER_GUARD, 0);
    mad_stream_init(&stream_);
    mad_frame_init(&frame_);
    mad_synth_init(&synth_);
    seek(0, false);
}

SongDecoder::~SongDecoder()
{
    mad_synth_finish(&synth_);
    mad_frame_finish(&frame_);
    mad_stream_finish(&stream_);
}

void SongDecoder::forgetSong()
{
    // A fresh decoder's state, keeping libmad's buffers.
    mad_frame_mute(&frame_);
    mad_synth_mute(&synth_);
    synth_.phase = 0;
    stream_.md_len = 0;
    stream_.error = MAD_ERROR_NONE;
}

bool SongDecoder::decodeFrame(std::size_t frame, bool synthesise)
{
    if (frame + 1 == index_.frameOffsets.size()) {
        mad_stream_buffer(&stream_, lastFrame_.data(), lastFrame_.size());
    } else {
        const std::size_t at = index_.frameOffsets[frame];
        mad_stream_buffer(&stream_, song_.data + at, index_.streamEnd - at);
    }
    if (mad_frame_decode(&frame_, &stream_) != 0) {
        return false;
    }
    if (synthesise) {
        mad_synth_frame(&synth_, &frame_);
    }
    return true;
}

void SongDecoder::playFrame(std::size_t frame)
{
    playing_ = frame;
    pcmUsed_ = 0;
    const mad_pcm& pcm = synth_.pcm;
    if (!decodeFrame(frame, true) || pcm.length != mp3SamplesPerFrame) {
        ++failedFrames_;
        pcm_.fill(0);
        return;
    }
    const mad_fixed_t* right = pcm.samples[pcm.channels > 1 ? 1 : 0];
    for (std::size_t i = 0; i < mp3SamplesPerFrame; ++i) {
        pcm_[2 * i] = roundedSample(pcm.samples[0][i]);
        pcm_[2 * i + 1] = roundedSample(right[i]);
    }
}

void SongDecoder::seek(std::uint64_t songSample, bool afterLoop)
{
    const std::size_t frames = index_.frameOffsets.size();
    const auto target = static_cast<std::size_t>(songSample / mp3SamplesPerFrame);
    const int wanted = target > 0 ? index_.prerollFrames[target] : afterLoop ? index_.prerollIntoLoop : 0;
    // Before the song's first frame come its last ones only after a loop.
    const std::size_t preroll = std::min(static_cast<std::size_t>(wanted), afterLoop ? frames : target);
    forgetSong();
    for (std::size_t back = preroll; back > 0; --back) {
        const std::size_t frame = (target + frames - back) % frames;
        // Only the frame just before the target is synthesised: the filter
        // remembers nothing older, but it must be in the phase a straight
        // play would have it in.
        const bool justBefore = back == 1;
        if (justBefore) {
            synth_.phase = straightPhaseBefore(frame);
        }
        decodeFrame(frame, justBefore);
    }
    playFrame(target);
    pcmUsed_ = static_cast<std::size_t>(songSample % mp3SamplesPerFrame);
}

void SongDecoder::render(std::int16_t* out, std::size_t sampleFrames)
{
    while (sampleFrames > 0) {
        if (pcmUsed_ == mp3SamplesPerFrame) {
            playFrame((playing_ + 1) % index_.frameOffsets.size());
        }
        const std::size_t n = std::min<std::size_t>(sampleFrames, mp3SamplesPerFrame - pcmUsed_);
        std::memcpy(out, pcm_.data() + 2 * pcmUsed_, n * 2 * sizeof(std::int16_t));
        out += 2 * n;
        pcmUsed_ += n;
        sampleFrames -= n;
    }
}
