// Frames on their way out. The drawing thread reads each frame back into a
// free buffer of the queue and hands it on; a worker thread delivers the
// buffers in order (converted into the encoder's pipe, or into picture
// files) and frees them. So drawing, reading back, converting and encoding
// overlap, and the pixels go from the read-back to their reader with no
// copy in between. The frame delivered last is kept until the next is
// delivered, beside it: a frame like the one before needs no converting.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class FrameQueue {
public:
    // Delivers frame number n's pixels, the frame before's beside them
    // (nullptr for the first); returns false, with why in error, when it
    // cannot, which stops the queue.
    using Deliver = std::function<bool(std::uint64_t n, const std::uint8_t* pixels, const std::uint8_t* before,
                                       std::string& error)>;

    FrameQueue(std::size_t frameBytes, Deliver deliver);
    // Stops the worker, dropping what it has not delivered.
    ~FrameQueue();
    FrameQueue(const FrameQueue&) = delete;
    FrameQueue& operator=(const FrameQueue&) = delete;

    // A buffer for the next frame, once one is free; nullptr once a
    // delivery has failed.
    std::uint8_t* nextBuffer();
    // Hands the buffer from nextBuffer on as frame n.
    void submit(std::uint64_t n);
    // Waits until every frame handed on is delivered; false, with why in
    // error, if one could not be.
    bool drain(std::string& error);

private:
    struct Slot {
        std::vector<std::uint8_t> pixels;
        std::uint64_t frame = 0;
    };

    void work();

    Deliver deliver_;
    std::vector<Slot> slots_;
    std::deque<std::size_t> free_;
    std::deque<std::size_t> waiting_;
    std::size_t filling_ = 0;
    // The slot delivered last, kept for the next delivery to compare.
    std::optional<std::size_t> delivered_;
    bool delivering_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::string error_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread worker_;
};
