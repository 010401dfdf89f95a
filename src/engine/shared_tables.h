#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <span>

namespace z718 {

// One button's assignment: function type and three parameters.
struct KeyEntry {
    uint8_t type = 0;
    uint8_t b1 = 0;
    uint8_t b2 = 0;
    uint8_t b3 = 0;
};

// The shared key-matrix table: 16 entries of 4 bytes, written whole on the GUI thread and read
// entry by entry by the engine's worker. A short lock makes every read see one whole write.
class KeyMatrixTable {
public:
    static constexpr int kEntries = 16;
    static constexpr int kBytes = kEntries * 4;

    KeyMatrixTable();  // the start contents: left click on entry 0, samples on 14 and 15

    void write(const uint8_t* src64);
    KeyEntry entry(int index) const;  // an empty entry for an index outside 0..15

private:
    mutable std::mutex mutex_;
    std::array<uint8_t, kBytes> bytes_{};
};

// The macro playback slots, one per button 0..5, each 256 action words: words 0 and 1 hold the
// repeat count (high and low byte), then action words up to the first zero word. Written on
// the GUI thread, copied out by the worker when a macro starts; the lock makes every copy see
// one whole write.
class MacroSlots {
public:
    static constexpr int kSlots = 6;
    static constexpr int kWords = 256;
    using Slot = std::array<uint32_t, kWords>;

    MacroSlots();  // the three sample macros in slots 0..2

    // Stores words at the start of a slot, from word 0 on; the words after them keep their
    // values. Returns false and writes nothing for a slot outside 0..5 or more than 256 words.
    // Example: write(1, {0, 3, 0x41, 0x80000005, 0x141, 0}) gives slot 1 a repeat count of 3.
    bool write(int slot, std::span<const uint32_t> words);
    // A copy of a slot; all zero for a slot outside 0..5.
    Slot read(int slot) const;

private:
    mutable std::mutex mutex_;
    std::array<Slot, kSlots> slots_{};
};

// The process-wide tables: the link's hidSetKeyMatrix and hidSetMacro write them, the engine
// plays them.
KeyMatrixTable& keyMatrix();
MacroSlots& macroSlots();

}  // namespace z718
