#include "engine/queues.h"

#include <utility>

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

bool MySafeQueue::requeue(int event) {
    std::lock_guard lock(mutex_);
    const int waiting = (tail_ - head_ + kRingSize) % kRingSize;
    if (waiting + reserved_ >= kRingSize - 1) {
        return false;
    }
    ring_[tail_] = event;
    tail_ = (tail_ + 1) % kRingSize;
    return true;
}

void MySafeQueue::setCountdown(int ticks) {
    {
        // Under the lock, so a worker between its last look and its wait cannot miss it.
        std::lock_guard lock(mutex_);
        countdown_ = ticks;
    }
    if (ticks != 0) {
        wakeUp_.notify_one();
    }
}

void MySafeQueue::releaseWindowsKey() {
    {
        std::lock_guard lock(mutex_);
        if (countdown_ != 0) {
            countdown_ = 0;
            windowsDue_ |= kWindowsPress;
        }
        windowsDue_ |= kWindowsRelease;
    }
    wakeUp_.notify_one();
}

int MySafeQueue::windowsKeyDue() {
    std::lock_guard lock(mutex_);
    if (countdown_ != 0 && --countdown_ == 0) {
        windowsDue_ |= kWindowsPress;
    }
    return std::exchange(windowsDue_, 0);
}

void MySafeQueue::clear() {
    std::lock_guard lock(mutex_);
    head_ = tail_ = 0;
    held_.reset();
    reserved_ = 0;
    countdown_ = 0;
    windowsDue_ = 0;
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
