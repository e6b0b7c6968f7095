#include "assets/loader.h"

#include <malloc.h>
#include <png.h>

#include <array>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "assets/media_table.h"

#define SLEIGHRIDE_DEFINE_IMAGE(name, width, height, format) ImageRef name;
SLEIGHRIDE_PICTURES(SLEIGHRIDE_DEFINE_IMAGE)
#undef SLEIGHRIDE_DEFINE_IMAGE

namespace {

#define SLEIGHRIDE_IMAGE_ADDRESS(name, width, height, format) &name,
ImageRef* const records[pictureCount] = {SLEIGHRIDE_PICTURES(SLEIGHRIDE_IMAGE_ADDRESS)};
#undef SLEIGHRIDE_IMAGE_ADDRESS

// Two decoders keep both cores of a small machine busy while the splash
// shows; each holds one decoded picture at a time, so memory stays bounded.
constexpr int decoderCount = 2;

[[noreturn]] void failDecoding(int number, const std::string& why)
{
    std::fprintf(stderr, "cannot decode picture %d (%s): %s\n", number, pictureTable[number - 1].name, why.c_str());
    std::fflush(stderr);
    std::exit(1);
}

// Hands a decoded picture to its texture and its record.
void giveToTexture(int number, TexturePixels& pixels)
{
    const int index = number - 1;
    uploadTexture(textureStore.textures[static_cast<std::size_t>(index)], pixels);
    textureStore.coverage[static_cast<std::size_t>(index)] = std::move(pixels.coverage);
    *records[index] = {pixels.width, pixels.height, index};
}

// One decoder's picture: decoded by it, uploaded by the drawing thread.
struct Slot {
    TexturePixels pixels;
    std::vector<std::uint32_t> spare;
    int number = 0;
    std::string error;
    bool decoded = false;  // waiting for its upload
};

// The pictures in table order, but for the one loaded first, shared out
// among the decoders one at a time. The decoders start with the first
// upload, so that they take nothing from the first frame.
class Loading {
public:
    explicit Loading(int loadedFirst) : loadedFirst_(loadedFirst) {}

    ~Loading() { stop(); }

    Loading(const Loading&) = delete;
    Loading& operator=(const Loading&) = delete;

    // Uploads what is decoded, waiting for more until all is done if asked.
    // Returns whether every picture is loaded.
    bool upload(bool wait)
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
                failDecoding(ready->number, ready->error);
            }
            giveToTexture(ready->number, ready->pixels);
            lock.lock();
            ready->decoded = false;
            ++uploaded_;
            uploadedOne_.notify_all();
        }
        return true;
    }

private:
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

std::unique_ptr<Loading> loading;

int numberOf(const ImageRef& record)
{
    for (int index = 0; index < pictureCount; ++index) {
        if (records[index] == &record) {
            return index + 1;
        }
    }
    return 1;
}

// Once every picture is in, the decoders end, their memory goes and the
// heap gives back what they freed.
bool uploadPictures(bool wait)
{
    if (loading == nullptr) {
        return true;
    }
    const bool done = loading->upload(wait);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (done) {
        loading.reset();
        malloc_trim(0);
    }
    return done;
}

}  // namespace

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

void decodePicture(int number, MediaBlock block, TexturePixels& into)
{
    std::vector<std::uint32_t> spare;
    const std::string why = decodeInto(block, into, spare);
    if (!why.empty()) {
        failDecoding(number, why);
    }
}

void startLoadingPictures(const ImageRef& first)
{
    textureStore.textures.resize(pictureCount);
    glGenTextures(pictureCount, textureStore.textures.data());
    textureStore.coverage.resize(pictureCount);
    const int number = numberOf(first);
    loading = std::make_unique<Loading>(number);
    TexturePixels pixels;
    decodePicture(number, pictureBlock(number), pixels);
    giveToTexture(number, pixels);
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool uploadDecodedPictures()
{
    return uploadPictures(false);
}

void finishLoadingPictures()
{
    uploadPictures(true);
}

void loadPictures()
{
    startLoadingPictures(*records[0]);
    finishLoadingPictures();
}
