#include "engine/queues.h"

bool MySafeQueue::push(int event) {
    std::lock_guard lock(mutex_);
    const int next = (tail_ + 1) % kRingSize;
    if (next == head_) {
        return false;
    }
    ring_[tail_] = event;
    tail_ = next;
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

bool MySafeQueue::countDown() {
    int current = countdown_.load();
    // The hooks may reset it to 0 meanwhile (the D of the chord came): never count below 0.
    while (current != 0 && !countdown_.compare_exchange_weak(current, current - 1)) {
    }
    return current == 1;
}

bool MyQueue::append(uint32_t word) {
    if (write == kLimit) {
        return false;
    }
    words[write++] = word;
    return true;
}
