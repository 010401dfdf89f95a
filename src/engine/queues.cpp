#include "engine/queues.h"

namespace {
constexpr int kReleaseBit = 0x80;
constexpr int kButtonBits = 0x7F;
}  // namespace

bool MySafeQueue::push(int event) {
    {
        std::lock_guard lock(mutex_);
        const int button = event & kButtonBits;
        const bool release = event & kReleaseBit;
        const int waiting = (tail_ - head_ + kRingSize) % kRingSize;
        const int free = kRingSize - 1 - waiting - reserved_;
        if (release && held_[button]) {
            held_[button] = false;  // its place was kept
            --reserved_;
        } else if (!release && !held_[button]) {
            if (free < 2) {  // this press and, later, its release
                return false;
            }
            held_[button] = true;
            ++reserved_;
        } else if (free < 1) {
            return false;
        }
        ring_[tail_] = event;
        tail_ = (tail_ + 1) % kRingSize;
    }
    wakeUp_.notify_one();
    return true;
}

std::optional<int> MySafeQueue::pop() {
    std::lock_guard lock(mutex_);
    if (head_ == tail_) {
        return std::nullopt;
    }
    const int event = ring_[head_];
    head_ = (head_ + 1) % kRingSize;
    return event;
}

void MySafeQueue::setCountdown(int ticks) {
    {
        // Under the lock, so a worker between its last look and its wait cannot miss it.
        std::lock_guard lock(mutex_);
        countdown_.store(ticks);
    }
    if (ticks != 0) {
        wakeUp_.notify_one();
    }
}

bool MySafeQueue::countDown() {
    int current = countdown_.load();
    // The hooks may reset it to 0 meanwhile (the D of the chord came): never count below 0.
    while (current != 0 && !countdown_.compare_exchange_weak(current, current - 1)) {
    }
    return current == 1;
}

bool MySafeQueue::parkWhileEmpty(const std::atomic<bool>& running) {
    std::unique_lock lock(mutex_);
    if (!empty()) {
        return false;
    }
    wakeUp_.wait(lock, [&] { return !empty() || !running.load(); });
    return true;
}

void MySafeQueue::wake() {
    // Taking the lock orders this after a worker's last look at `running`: it is either
    // before that look or already waiting, and the notification reaches it.
    { std::lock_guard lock(mutex_); }
    wakeUp_.notify_all();
}

bool MyQueue::append(uint32_t word) {
    if (write == kLimit) {
        return false;
    }
    words[write++] = word;
    return true;
}
