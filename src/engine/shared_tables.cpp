#include "engine/shared_tables.h"

#include <algorithm>
#include <cstring>

namespace z718 {

namespace {

constexpr std::array<uint8_t, KeyMatrixTable::kBytes> startMatrix() {
    std::array<uint8_t, KeyMatrixTable::kBytes> bytes{};
    bytes[0 * 4 + 0] = 1;  // entry 0: mouse function, left button
    bytes[0 * 4 + 2] = 0xF0;
    bytes[14 * 4 + 2] = 0x68;  // entry 14: key F13
    bytes[15 * 4 + 2] = 0xE3;  // entry 15: key left Windows
    return bytes;
}

struct SampleMacro {
    int slot;
    std::initializer_list<uint32_t> words;  // from word 0: repeat high, repeat low, actions
};

const SampleMacro kSampleMacros[] = {
    {0, {0, 3, 0x41, 0x80000002, 0x141, 0x80000002}},   // A tapped, three times
    {1, {0, 1, 0x42, 0x142, 0x800000C8, 0x43, 0x143}},  // B, two seconds, C
    {2, {0, 1, 0x44, 0x800000C8, 0x144}},               // D held two seconds
};

}  // namespace

KeyMatrixTable::KeyMatrixTable() : bytes_(startMatrix()) {}

void KeyMatrixTable::write(const uint8_t* src64) {
    std::lock_guard lock(mutex_);
    std::memcpy(bytes_.data(), src64, kBytes);
}

KeyEntry KeyMatrixTable::entry(int index) const {
    if (index < 0 || index >= kEntries) {
        return {};
    }
    std::lock_guard lock(mutex_);
    const uint8_t* e = &bytes_[index * 4];
    return {e[0], e[1], e[2], e[3]};
}

MacroSlots::MacroSlots() {
    for (const SampleMacro& sample : kSampleMacros) {
        std::copy(sample.words.begin(), sample.words.end(), slots_[sample.slot].begin());
    }
}

bool MacroSlots::write(int slot, std::span<const uint32_t> words) {
    if (slot < 0 || slot >= kSlots || words.size() > kWords) {
        return false;
    }
    std::lock_guard lock(mutex_);
    std::copy(words.begin(), words.end(), slots_[slot].begin());
    return true;
}

MacroSlots::Slot MacroSlots::read(int slot) const {
    if (slot < 0 || slot >= kSlots) {
        return {};
    }
    std::lock_guard lock(mutex_);
    return slots_[slot];
}

KeyMatrixTable& keyMatrix() {
    static KeyMatrixTable table;
    return table;
}

MacroSlots& macroSlots() {
    static MacroSlots slots;
    return slots;
}

}  // namespace z718
