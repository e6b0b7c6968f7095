#include "tools/capture/frame_queue.h"

#include <utility>

namespace {

// One frame being drawn, one being delivered, one ready in between, and
// the one delivered before: enough to keep both sides busy when their
// speeds wobble.
constexpr std::size_t slotCount = 4;

}  // namespace

FrameQueue::FrameQueue(std::size_t frameBytes, Deliver deliver) : deliver_(std::move(deliver)), slots_(slotCount)
{
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].pixels.resize(frameBytes);
        free_.push_back(i);
    }
    worker_ = std::thread([this] { work(); });
}

FrameQueue::~FrameQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::uint8_t* FrameQueue::nextBuffer()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return failed_ || !free_.empty(); });
    if (failed_) {
        return nullptr;
    }
    filling_ = free_.front();
    free_.pop_front();
    return slots_[filling_].pixels.data();
}

void FrameQueue::submit(std::uint64_t n)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        slots_[filling_].frame = n;
        waiting_.push_back(filling_);
    }
    changed_.notify_all();
}

bool FrameQueue::drain(std::string& error)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return failed_ || (waiting_.empty() && !delivering_); });
    error = error_;
    return !failed_;
}

void FrameQueue::work()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_ || failed_) {
            return;
        }
        const std::size_t slot = waiting_.front();
        waiting_.pop_front();
        delivering_ = true;
        const std::uint8_t* before = delivered_ ? slots_[*delivered_].pixels.data() : nullptr;
        lock.unlock();
        std::string error;
        const bool delivered = deliver_(slots_[slot].frame, slots_[slot].pixels.data(), before, error);
        lock.lock();
        delivering_ = false;
        if (delivered_) {
            free_.push_back(*delivered_);
        }
        delivered_ = slot;
        if (!delivered) {
            failed_ = true;
            error_ = error;
        }
        changed_.notify_all();
    }
}
