#include "assets/picture_decoding.h"

#include <malloc.h>
#include <png.h>

#include <array>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "assets/loader.h"
#include "assets/media_table.h"

namespace {

// Two decoders keep both cores of a small machine busy while the splash
// shows; each holds one decoded picture at a time.
constexpr int decoderCount = 2;

// One decoder's picture: decoded by it, uploaded by the drawing thread.
struct Slot {
    TexturePixels pixels;
    std::vector<std::uint32_t> spare;
    int number = 0;
    std::string error;
    bool decoded = false;  // waiting for its upload
};

}  // namespace

// The pictures in table order, but for the one loaded first, shared out
// among the decoders one at a time. The decoders start with the first
// hand-over, so that they take nothing from the first frame.
struct PictureDecoders::Work {
    explicit Work(int loadedFirst) : loadedFirst_(loadedFirst) {}

    ~Work() { stop(); }

    bool handOver(bool wait, const Upload& upload)
    {
        if (decoders_.empty()) {
            for (Slot& slot : slots_) {
                decoders_.emplace_back([this, &slot] { decode(slot); });
            }
        }
        std::unique_lock<std::mutex> lock(mutex_);
        while (uploaded_ < pictureCount - 1) {
            Slot* ready = nullptr;
            for (Slot& slot : slots_) {
                ready = slot.decoded ? &slot : ready;
            }
            if (ready == nullptr) {
                if (!wait) {
                    return false;
                }
                decodedOne_.wait(lock);
                continue;
            }
            // The decoder waits until the slot is handed back.
            lock.unlock();
            if (!ready->error.empty()) {
                stop();
            }
            upload(ready->number, ready->pixels, ready->error);
            lock.lock();
            ready->decoded = false;
            ++uploaded_;
            uploadedOne_.notify_all();
        }
        return true;
    }

    void decode(Slot& slot)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!stopping_) {
            next_ += next_ == loadedFirst_ ? 1 : 0;
            if (next_ > pictureCount) {
                return;
            }
            slot.number = next_++;
            lock.unlock();
            slot.error = decodeInto(pictureBlock(slot.number), slot.pixels, slot.spare);
            lock.lock();
            slot.decoded = true;
            decodedOne_.notify_one();
            uploadedOne_.wait(lock, [&] { return !slot.decoded || stopping_; });
        }
    }

    void stop()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        uploadedOne_.notify_all();
        for (std::thread& decoder : decoders_) {
            if (decoder.joinable()) {
                decoder.join();
            }
        }
    }

    const int loadedFirst_;
    std::mutex mutex_;
    std::condition_variable decodedOne_;
    std::condition_variable uploadedOne_;
    std::array<Slot, decoderCount> slots_;
    std::vector<std::thread> decoders_;
    int next_ = 1;
    int uploaded_ = 0;
    bool stopping_ = false;
};

PictureDecoders::PictureDecoders(int loadedFirst) : work_(std::make_unique<Work>(loadedFirst)) {}

PictureDecoders::~PictureDecoders() = default;

bool PictureDecoders::handOver(bool wait, const Upload& upload)
{
    return work_->handOver(wait, upload);
}

void releaseDecodingMemory()
{
    malloc_trim(0);
}

std::string decodeInto(MediaBlock block, TexturePixels& into, std::vector<std::uint32_t>& spare)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, block.data, block.size) == 0) {
        return image.message;
    }
    // Pictures without alpha come out opaque.
    image.format = PNG_FORMAT_RGBA;
    std::uint32_t* rows =
        pictureRows(static_cast<int>(image.width), static_cast<int>(image.height), into, spare);
    if (png_image_finish_read(&image, nullptr, rows, 0, nullptr) == 0) {
        return image.message;
    }
    stretchPicture(rows, into);
    return {};
}
