#pragma once

#include <QObject>
#include <array>
#include <atomic>
#include <bitset>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

// The event queue between the hooks and the worker: a ring of 12 button events (so at most 11
// wait) and the countdown of a held-back Windows-key press. Everything here is under one lock:
// the hooks write it while the worker reads it.
// A full ring drops new events, but never the release of a press it took: every press taken
// keeps a place free for its release, so no replayed button or key stays down. A worker with
// nothing to do parks here until an event, a countdown or a wake() comes.
class MySafeQueue : public QObject {
    Q_OBJECT
public:
    static constexpr int kRingSize = 12;

    explicit MySafeQueue(QObject* parent = nullptr) : QObject(parent) {}

    // False when the ring is full and the event is dropped.
    bool push(int event);
    std::optional<int> pop();
    // The worker puts back an event it cannot handle yet; its release's place was kept when
    // it first came. False when the ring is full and the event is dropped.
    bool requeue(int event);

    // Bits of windowsKeyDue().
    static constexpr int kWindowsPress = 1;
    static constexpr int kWindowsRelease = 2;

    void setCountdown(int ticks);
    // The real release of a held-back Windows key whose replayed press has not reached the
    // system yet: the engine replays the release after the press (at once if still counting).
    void releaseWindowsKey();
    // Worker, once a tick: counts a running countdown down by one and returns what of the
    // held-back Windows key is due now (kWindowsPress, kWindowsRelease, in that order).
    int windowsKeyDue();

    // Forgets every waiting event and the held-back Windows key.
    void clear();

    // Worker side: returns false at once when an event waits or a countdown runs; otherwise
    // blocks until one does or `running` turns false, and returns true.
    bool parkWhileEmpty(const std::atomic<bool>& running);
    // Wakes a parked worker, so that it sees a `running` flag cleared before this call.
    void wake();

private:
    bool empty() const { return head_ == tail_ && countdown_ == 0 && windowsDue_ == 0; }

    std::mutex mutex_;
    int countdown_ = 0;
    int windowsDue_ = 0;
    std::condition_variable wakeUp_;
    std::array<int32_t, kRingSize> ring_{};
    int head_ = 0;
    int tail_ = 0;
    std::bitset<128> held_;  // buttons whose press was taken and whose release was not yet
    int reserved_ = 0;       // places kept free for those releases
};

// An action queue: up to 199 action words played one per tick, a delay flag and the number of
// passes left. Used by the worker alone.
class MyQueue : public QObject {
    Q_OBJECT
public:
    static constexpr int kWords = 256;
    static constexpr int kLimit = 199;

    explicit MyQueue(QObject* parent = nullptr) : QObject(parent) {}

    // False when the queue holds 199 words and the word is dropped.
    bool append(uint32_t word);
    // Words left in the current pass.
    bool playing() const { return read != write; }
    // No pass under way: nothing loaded, or the last pass is over.
    bool idle() const { return read == 0 && write == 0; }
    // Empty, ready for a new run of words.
    void restart() { read = write = 0; }

    int32_t wait = 0;  // 1 while a delay runs
    std::array<uint32_t, kWords> words{};
    int read = 0;
    int write = 0;
    int32_t repeat = 1;  // passes left
};
